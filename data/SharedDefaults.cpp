#include "data/SharedDefaults.h"

#include "data/DefaultsStore.h"

namespace SharedDefaults {

bool notifyOn()
{
    return DefaultsStore().boolean(QStringLiteral("notifyOn")).value_or(true);
}

double notifyLead()
{
    return DefaultsStore().number(QStringLiteral("notifyLead")).value_or(0);
}

std::optional<QString> startSection()
{
    return DefaultsStore().text(QStringLiteral("startSection"));
}

} // namespace SharedDefaults
