#pragma once

#include <QAccessible>

class QWidget;

// The role a screen reader is told for a plain widget that stands for more than a container: a
// status line is a status bar (its name changes are read out), an import row is a list item.
// Set it in the widget's constructor, before anything asks the widget for its accessible object,
// setting its accessible name included.
namespace AccessibleRole {

void set(QWidget *widget, QAccessible::Role role);

} // namespace AccessibleRole
