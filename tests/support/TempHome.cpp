#include "support/TempHome.h"

#include <QDir>

TempHome::TempHome()
{
    const std::pair<const char *, QString> folders[] = {
        {"HOME", m_dir.path()},
        {"XDG_DATA_HOME", m_dir.path() + "/.local/share"},
        {"XDG_CONFIG_HOME", m_dir.path() + "/.config"},
        {"XDG_STATE_HOME", m_dir.path() + "/.local/state"},
        {"XDG_CACHE_HOME", m_dir.path() + "/.cache"},
    };
    for (const auto &[name, value] : folders) {
        m_saved[name] = {qEnvironmentVariableIsSet(name), qgetenv(name)};
        qputenv(name, value.toUtf8());
    }
}

TempHome::~TempHome()
{
    for (const auto &[name, saved] : m_saved) {
        if (saved.first)
            qputenv(name.constData(), saved.second);
        else
            qunsetenv(name.constData());
    }
}
