#pragma once

#include <QList>
#include <QString>
#include <optional>

// The window's sections, in sidebar order. The raw value is the title and the
// identity; `symbolName` is the freedesktop icon name of the symbol shown beside it.
enum class AppSection { Importer, Lists, History, Settings, About };

namespace AppSections {

// Every section, in sidebar order.
const QList<AppSection> &all();

QString rawValue(AppSection section);
QString symbolName(AppSection section);
std::optional<AppSection> fromRawValue(const QString &rawValue);

// The section the window opens on: the one named by the stored "startSection", or the first.
AppSection startSection(const std::optional<QString> &stored);

} // namespace AppSections
