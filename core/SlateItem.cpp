#include "core/SlateItem.h"

#include <utility>

SlateItem::SlateItem(QString subject, QString text)
    : subject(std::move(subject)), text(std::move(text))
{
}

SlateItem::SlateItem(QUuid id, QString subject, QString text, bool enabled)
    : id(id), subject(std::move(subject)), text(std::move(text)), enabled(enabled)
{
}

QString SlateItem::title() const
{
    if (subject.isEmpty())
        return text;
    // Stores and Reminders find duplicates by comparing these exact strings: the form is fixed.
    return subject + QChar(u'｜') + text;
}

size_t qHash(const SlateItem &item, size_t seed) noexcept
{
    return qHashMulti(seed, item.id, item.subject, item.text, item.enabled);
}
