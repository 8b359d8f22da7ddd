#pragma once

#include <QString>

// Every text the settings screen shows, card by card. Numbers are plain decimal.
namespace SettingsTexts {

// The screen's header and footer.
QString screenTitle();
QString restoreDefaults();

// 到期提醒
QString notifyTitle();
QString notifyOn();
QString leadLabel();
QString requestPermission();
QString sendTest();
QString leadHint();
// "通知权限：已允许"
QString permission(const QString &status);
// "已安排 3 条到期提醒（…）"
QString pendingCount(int count);

// 写入
QString writeTitle();
QString templateLabel();
QString templateHint();
QString dueOn();
QString hourLabel();
QString minuteLabel();
QString dedupe();
QString openAfter();
QString reminderStoreLabel();
QString reminderStoreHint();

// 识别
QString recognitionTitle();
QString languagesLabel();
QString languagesHint();
QString subjectsLabel();
QString subjectsHint();

// 记录与数据
QString dataTitle();
QString saveHistory();
QString dataHint();

} // namespace SettingsTexts
