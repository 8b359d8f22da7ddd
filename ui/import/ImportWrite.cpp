#include "ui/import/ImportWrite.h"

#include "bridges/reminders/RemindersService.h"
#include "data/AppSettings.h"
#include "data/HistoryStore.h"
#include "data/TaskStore.h"
#include "ui/DueNotifications.h"
#include "ui/import/ImportTexts.h"

namespace {

void recordInHistory(const SharedObjects &shared, const WriteRequest &request, qint64 written,
                     qint64 skipped)
{
    if (!shared.settings.saveHistory())
        return;
    HistoryRecord record;
    record.listName = request.listName;
    if (!request.imagePaths.isEmpty()) {
        record.imagePath = request.imagePaths.first();
        record.moreImagePaths = request.imagePaths.mid(1);
    }
    record.fromText = request.fromText;
    record.items = request.titles();
    record.written = written;
    record.skipped = skipped;
    shared.history.add(record);
}

} // namespace

namespace ImportWrite {

QString saveToApp(const SharedObjects &shared, const WriteRequest &request)
{
    const QStringList titles = request.titles();
    const TaskStore::AddResult counts =
        shared.store.add(titles, request.listName, request.due, request.source());
    // Not saved: the rows stay as they are for another try, and nothing is scheduled or recorded.
    if (const std::optional<QString> &error = shared.store.saveError())
        return ImportTexts::writeFailed(*error);
    DueNotifications::scheduleAdded(shared, request.listName, titles);
    recordInHistory(shared, request, counts.added, counts.skipped);
    return ImportTexts::appSaved(counts.added, counts.skipped, request.listName);
}

void writeToReminders(const SharedObjects &shared, const WriteRequest &request,
                      std::function<void(const QString &status)> showStatus)
{
    shared.service.write(
        request.ticked, request.listName, request.due, shared.settings.dedupe(),
        [shared, request, showStatus = std::move(showStatus)](const WriteResult &result) {
            if (const auto *error = std::get_if<ReminderError>(&result)) {
                showStatus(ImportTexts::writeFailed(error->description));
                return;
            }
            const auto &counts = std::get<WriteCounts>(result);
            showStatus(
                ImportTexts::remindersWritten(counts.written, counts.skipped, request.listName));
            recordInHistory(shared, request, counts.written, counts.skipped);
            if (shared.settings.openAfterWrite())
                shared.service.openRemindersApp();
        });
}

} // namespace ImportWrite
