#pragma once

#include <QByteArray>
#include <QtGlobal>
#include <time.h>

// Sets the process's local time zone for as long as it lives and restores the previous one, so a
// test can run on a day the clocks change or where floating and zoned times differ.
class LocalZone {
public:
    explicit LocalZone(const char *zone)
        : m_wasSet(qEnvironmentVariableIsSet("TZ")), m_saved(qgetenv("TZ"))
    {
        qputenv("TZ", zone);
        tzset();
    }
    ~LocalZone()
    {
        if (m_wasSet)
            qputenv("TZ", m_saved);
        else
            qunsetenv("TZ");
        tzset();
    }
    LocalZone(const LocalZone &) = delete;
    LocalZone &operator=(const LocalZone &) = delete;

private:
    bool m_wasSet;
    QByteArray m_saved;
};
