#pragma once

#include <QByteArray>
#include <QString>
#include <QTemporaryDir>
#include <map>

// Points HOME and the XDG folders at a fresh temporary folder for as long as it lives, so a
// test never touches the real user's files. Restores the previous values when destroyed.
class TempHome {
public:
    TempHome();
    ~TempHome();
    TempHome(const TempHome &) = delete;
    TempHome &operator=(const TempHome &) = delete;

    QString path() const { return m_dir.path(); }
    QString dataFolder() const { return path() + "/.local/share/Slatebook"; }
    QString toolsFolder() const { return path() + "/.deskmate/tools"; }

private:
    QTemporaryDir m_dir;
    std::map<QByteArray, std::pair<bool, QByteArray>> m_saved;
};
