#include "core/ocr/ppocr/TunedSettings.h"

#include <QHash>
#include <QSet>

#include <atomic>
#include <mutex>

namespace {

struct Overrides {
    std::mutex lock;
    QHash<QString, double> values;
    QSet<QString> read;
};

Overrides &overrides()
{
    static Overrides instance;
    return instance;
}

// Set before any reading starts; the program itself never sets one, and then no lookup locks.
std::atomic<bool> anySet = false;

} // namespace

namespace TunedSettings {

void set(const QString &name, double value)
{
    Overrides &all = overrides();
    const std::lock_guard guard(all.lock);
    all.values.insert(name, value);
    anySet = true;
}

QStringList unread()
{
    Overrides &all = overrides();
    const std::lock_guard guard(all.lock);
    QStringList names;
    for (auto value = all.values.cbegin(); value != all.values.cend(); ++value) {
        if (!all.read.contains(value.key()))
            names.append(value.key());
    }
    return names;
}

double value(const char *name, double setting)
{
    if (!anySet)
        return setting;
    Overrides &all = overrides();
    const std::lock_guard guard(all.lock);
    const QString key = QLatin1String(name);
    const auto found = all.values.constFind(key);
    if (found == all.values.cend())
        return setting;
    all.read.insert(key);
    return found.value();
}

} // namespace TunedSettings
