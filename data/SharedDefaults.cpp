#include "data/SharedDefaults.h"

#include "data/DefaultsStore.h"

namespace SharedDefaults {

bool notifyOn()
{
    return DefaultsStore().value(Setting::NotifyOn).toBool();
}

double notifyLead()
{
    return DefaultsStore().value(Setting::NotifyLead).toDouble();
}

std::optional<QString> startSection()
{
    const QVariant section = DefaultsStore().value(Setting::StartSection);
    return section.isValid() ? std::optional(section.toString()) : std::nullopt;
}

} // namespace SharedDefaults
