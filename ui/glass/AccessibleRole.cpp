#include "ui/glass/AccessibleRole.h"

#include <QAccessibleWidget>
#include <QWidget>

namespace {

const char *const roleProperty = "slatebookAccessibleRole";

// Asked for every object that has no accessible object yet; answers only for widgets given a role.
QAccessibleInterface *fromRoleProperty(const QString &, QObject *object)
{
    auto *widget = qobject_cast<QWidget *>(object);
    if (!widget)
        return nullptr;
    const QVariant role = widget->property(roleProperty);
    if (!role.isValid())
        return nullptr;
    return new QAccessibleWidget(widget, QAccessible::Role(role.toInt()));
}

} // namespace

namespace AccessibleRole {

void set(QWidget *widget, QAccessible::Role role)
{
    static const bool installed = [] {
        QAccessible::installFactory(fromRoleProperty);
        return true;
    }();
    Q_UNUSED(installed);
    widget->setProperty(roleProperty, int(role));
}

} // namespace AccessibleRole
