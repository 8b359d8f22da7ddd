#pragma once

#include <QObject>
#include <QString>
#include <memory>

// The widget of type T named `name` (its object name) inside `root`, or nullptr: the tests find
// the screens' widgets the way a user names them, not through getters kept for the tests.
template <typename T, typename Root>
T *named(const Root &root, const char *name)
{
    return std::to_address(root)->template findChild<T *>(QString::fromLatin1(name));
}
