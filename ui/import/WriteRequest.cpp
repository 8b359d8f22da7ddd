#include "ui/import/WriteRequest.h"

#include "core/HorizontalSpace.h"

#include <QFileInfo>

WriteRequest WriteRequest::fromScreen(const QList<SlateItem> &items, const QString &listName,
                                      bool dueOn, const QDateTime &due)
{
    WriteRequest request;
    for (const SlateItem &item : items) {
        if (item.enabled)
            request.ticked.append(item);
    }
    request.listName = trimHorizontalSpace(listName);
    if (dueOn)
        request.due = due;
    return request;
}

QStringList WriteRequest::titles() const
{
    QStringList titles;
    for (const SlateItem &item : ticked)
        titles.append(item.title());
    return titles;
}

std::optional<QString> WriteRequest::source() const
{
    if (imagePaths.isEmpty())
        return std::nullopt;
    return QFileInfo(imagePaths.first()).fileName();
}
