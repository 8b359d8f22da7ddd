// The .ics reader on an arbitrary file, and the change of a reminder it read (title, due time
// and completion changed, everything else kept), which must read back as the same reminder with
// the same due time, in whichever year from 1 to 9999 the input's size picks.
#include "bridges/reminders/vdir/VtodoRead.h"
#include "bridges/reminders/vdir/VtodoWrite.h"

#include <QDateTime>
#include <cstddef>
#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char *>(data), qsizetype(size));
    std::optional<ReminderItem> item =
        readReminderFile(bytes, QStringLiteral("list"), QStringLiteral("/x.ics"));
    if (!item)
        return 0;
    item->fields.title = QStringLiteral("改过的标题");
    item->fields.completed = !item->fields.completed;
    item->fields.due = DueComponents{QDate(1 + int(size % 9999), 3, 15), QTime(18, 0), true};
    const auto changed =
        changedReminderFile(bytes, *item, QDateTime::fromSecsSinceEpoch(1773571200, Qt::UTC));
    if (const QByteArray *written = std::get_if<QByteArray>(&changed)) {
        const std::optional<ReminderItem> reread =
            readReminderFile(*written, QStringLiteral("list"), QStringLiteral("/x.ics"));
        if (!reread || reread->id != item->id || reread->fields.title != item->fields.title ||
            reread->fields.due != item->fields.due)
            std::abort();
    }
    return 0;
}
