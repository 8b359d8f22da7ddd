#include "bridges/reminders/RemindersService.h"

#include "bridges/reminders/ReminderStores.h"
#include "bridges/reminders/RemindersLog.h"
#include "core/HorizontalSpace.h"

#include <QCoreApplication>
#include <QSet>
#include <algorithm>

namespace {

QString canonical(const QString &text)
{
    return text.normalized(QString::NormalizationForm_C);
}

// The first list of that name in the store's order; canonically equivalent names are equal.
std::optional<ReminderList> findList(const ReminderStore &store, const QString &name)
{
    const QString wanted = canonical(name);
    for (const ReminderList &list : store.lists()) {
        if (canonical(list.title) == wanted)
            return list;
    }
    return std::nullopt;
}

template <typename Result>
void answerOnMainThread(const std::function<void(Result)> &done, Result result)
{
    QMetaObject::invokeMethod(
        QCoreApplication::instance(), [done, result = std::move(result)] { done(result); },
        Qt::QueuedConnection);
}

// The named list, created in the account of the default list, or else of the first list, or
// else in the store's first account, when it does not exist.
std::variant<ReminderList, ReminderError> resolveList(ReminderStore &store, const QString &name)
{
    if (std::optional<ReminderList> found = findList(store, name))
        return *found;
    std::optional<ReminderAccount> account;
    if (const std::optional<ReminderList> preferred = store.defaultListForNewReminders())
        account = preferred->account;
    if (!account) {
        const QList<ReminderList> lists = store.lists();
        if (!lists.isEmpty())
            account = lists.first().account;
    }
    if (!account) {
        const QList<ReminderAccount> accounts = store.accounts();
        if (!accounts.isEmpty())
            account = accounts.first();
    }
    if (!account) {
        // No account at all is what a store that cannot be reached looks like too.
        if (const std::optional<QString> reason = store.unreachableReason())
            return SlateError::noAccess(*reason);
        return SlateError::noAccount();
    }
    return store.createList(name, *account);
}

DueComponents dueComponents(const QDateTime &due)
{
    const QDateTime local = due.toLocalTime();
    return {local.date(), QTime(local.time().hour(), local.time().minute()), false};
}

WriteResult writeEntries(ReminderStore &store, const ReminderList &list,
                         const QList<ReminderItem> &existing, const QList<ReminderEntry> &entries,
                         bool dedupe)
{
    // Titles as stored, not trimmed; the set does not grow while the batch runs, so two equal
    // titles in one batch are both written.
    QSet<QString> present;
    if (dedupe) {
        for (const ReminderItem &item : existing) {
            if (item.fields.title)
                present.insert(canonical(*item.fields.title));
        }
    }

    WriteCounts counts;
    const std::unique_ptr<ReminderBatch> batch = store.batch();
    for (const ReminderEntry &entry : entries) {
        const QString title = trimHorizontalSpace(entry.title);
        if (title.isEmpty())
            continue;
        if (present.contains(canonical(title))) {
            ++counts.skipped;
            continue;
        }
        ReminderItem reminder = store.newReminder(list);
        reminder.fields.title = title;
        if (entry.due)
            reminder.fields.due = dueComponents(*entry.due);
        if (std::optional<ReminderError> error = batch->save(reminder))
            return *error;
        ++counts.written;
    }
    if (std::optional<ReminderError> error = batch->commit())
        return *error;
    return counts;
}

DeleteResult deleteMatching(ReminderStore &store, const QList<ReminderItem> &items,
                            const QSet<QString> &titles)
{
    int deleted = 0;
    const std::unique_ptr<ReminderBatch> batch = store.batch();
    for (const ReminderItem &item : items) {
        if (!titles.contains(canonical(item.fields.title.value_or(QString()))))
            continue;
        if (const std::optional<ReminderError> error = batch->remove(item))
            qCDebug(lcReminders) << "not deleted:" << item.id << error->description;
        else
            ++deleted;
    }
    if (std::optional<ReminderError> error = batch->commit())
        return *error;
    return deleted;
}

// Nothing deleted, unless the store could not be reached: a list that was not found, or read
// empty, may only seem so.
DeleteResult noneDeleted(const ReminderStore &store)
{
    if (const std::optional<QString> reason = store.unreachableReason())
        return SlateError::noAccess(*reason);
    return 0;
}

} // namespace

RemindersService::RemindersService() : RemindersService(ReminderStores::chosen()) { }

RemindersService::RemindersService(std::shared_ptr<ReminderStore> store) : m_store(std::move(store))
{
}

void RemindersService::useStore(std::shared_ptr<ReminderStore> store)
{
    m_store = std::move(store);
}

QString RemindersService::storeTitle() const
{
    return m_store->title();
}

void RemindersService::requestAccess(std::function<void(bool granted)> done) const
{
    m_store->requestAccess(
        [done = std::move(done)](bool granted) { answerOnMainThread(done, granted); });
}

std::optional<ReminderError> RemindersService::unreachable() const
{
    if (const std::optional<QString> reason = m_store->unreachableReason())
        return SlateError::noAccess(*reason);
    return std::nullopt;
}

QStringList RemindersService::listNames() const
{
    QList<std::pair<QByteArray, QString>> names; // code-point order is the byte order of UTF-8
    for (const ReminderList &list : m_store->lists())
        names.append({canonical(list.title).toUtf8(), list.title});
    std::stable_sort(names.begin(), names.end(),
                     [](const auto &a, const auto &b) { return a.first < b.first; });
    QStringList titles;
    for (const auto &[key, title] : std::as_const(names))
        titles.append(title);
    return titles;
}

void RemindersService::rows(const QString &inList,
                            std::function<void(QList<ReminderRow>)> done) const
{
    const std::optional<ReminderList> list = findList(*m_store, inList);
    if (!list) {
        done({});
        return;
    }
    m_store->fetchReminders(*list, [done = std::move(done)](const QList<ReminderItem> &items) {
        QList<ReminderRow> rows;
        rows.reserve(items.size());
        for (const ReminderItem &item : items)
            rows.append(ReminderRow::fromItem(item));
        sortRows(rows);
        answerOnMainThread(done, std::move(rows));
    });
}

void RemindersService::write(const QList<SlateItem> &items, const QString &listName,
                             const std::optional<QDateTime> &due, bool dedupe,
                             std::function<void(WriteResult)> done) const
{
    QList<ReminderEntry> entries;
    entries.reserve(items.size());
    for (const SlateItem &item : items)
        entries.append({item.title(), due});
    writeRaw(entries, listName, dedupe, std::move(done));
}

void RemindersService::writeRaw(const QList<ReminderEntry> &entries, const QString &listName,
                                bool dedupe, std::function<void(WriteResult)> done) const
{
    const std::shared_ptr<ReminderStore> store = m_store;
    store->requestAccess([store, entries, listName, dedupe, done = std::move(done)](bool granted) {
        if (!granted) {
            qCDebug(lcReminders) << "no access to" << store->title() << "for a write into"
                                 << listName;
            answerOnMainThread(done, WriteResult(SlateError::noAccess(store->noAccessReason())));
            return;
        }
        // Resolved, and created if need be, before any entry is looked at: an empty batch still
        // creates a missing list.
        const auto target = resolveList(*store, listName);
        if (const ReminderError *error = std::get_if<ReminderError>(&target)) {
            answerOnMainThread(done, WriteResult(*error));
            return;
        }
        const ReminderList list = std::get<ReminderList>(target);
        store->fetchReminders(
            list, [store, list, entries, dedupe, done](const QList<ReminderItem> &existing) {
                answerOnMainThread(done, writeEntries(*store, list, existing, entries, dedupe));
            });
    });
}

void RemindersService::deleteTitles(const QStringList &titles, const QString &inList,
                                    std::function<void(DeleteResult)> done) const
{
    const std::optional<ReminderList> list = findList(*m_store, inList);
    if (!list) {
        done(noneDeleted(*m_store));
        return;
    }
    QSet<QString> wanted;
    for (const QString &title : titles)
        wanted.insert(canonical(title));
    const std::shared_ptr<ReminderStore> store = m_store;
    store->fetchReminders(
        *list, [store, wanted, done = std::move(done)](const QList<ReminderItem> &items) {
            answerOnMainThread(done,
                               items.isEmpty() ? noneDeleted(*store)
                                               : deleteMatching(*store, items, wanted));
        });
}

void RemindersService::openRemindersApp() const
{
    m_store->openInDesktop();
}

std::optional<QString> RemindersService::folder() const
{
    return m_store->folder();
}

void RemindersService::setCompleted(const QString &id, bool completed,
                                    const std::function<void(bool success)> &done) const
{
    std::optional<ReminderItem> item = m_store->item(id);
    if (!item) {
        done(false);
        return;
    }
    item->fields.completed = completed;
    item->fields.completionDate =
        completed ? std::optional(QDateTime::currentDateTimeUtc()) : std::nullopt;
    const std::optional<ReminderError> error = m_store->saveAndCommit(*item);
    if (error)
        qCDebug(lcReminders) << "completion of" << id << "not saved:" << error->description;
    done(!error);
}

void RemindersService::deleteReminder(const QString &id,
                                      const std::function<void(bool success)> &done) const
{
    const std::optional<ReminderItem> item = m_store->item(id);
    const std::optional<ReminderError> error =
        item ? m_store->removeAndCommit(*item) : std::nullopt;
    if (error)
        qCDebug(lcReminders) << "reminder" << id << "not deleted:" << error->description;
    done(item && !error);
}

void RemindersService::deleteList(const QString &listName,
                                  const std::function<void(bool success)> &done) const
{
    const std::optional<ReminderList> list = findList(*m_store, listName);
    const std::optional<ReminderError> error = list ? m_store->removeList(*list) : std::nullopt;
    if (error)
        qCDebug(lcReminders) << "list" << listName << "not deleted:" << error->description;
    done(list && !error);
}
