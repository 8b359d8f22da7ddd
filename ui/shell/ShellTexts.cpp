#include "ui/shell/ShellTexts.h"

namespace ShellTexts {

QString tagline()
{
    return QStringLiteral("照片 → 清单");
}

QString menuButton()
{
    return QStringLiteral("菜单");
}

QString offlineNote()
{
    return QStringLiteral("离线运行 · 数据只在本机");
}

QString settingsAction()
{
    return QStringLiteral("设置…");
}

QString quitAction()
{
    return QStringLiteral("退出 Slatebook");
}

QString showWindowAction()
{
    return QStringLiteral("显示窗口");
}

QString trayQuitAction()
{
    return QStringLiteral("退出");
}

} // namespace ShellTexts
