// The pending-notifications file on real files: a request that does not read costs only itself.
#include "bridges/notifications/PendingRequestFile.h"
#include "local_data/DamagedValues.h"
#include "local_data/TestFiles.h"
#include "support/TempHome.h"

#include <gtest/gtest.h>

namespace {

PendingRequest reminder(int n)
{
    PendingRequest pending;
    pending.request.identifier = QStringLiteral("slate-task-%1").arg(n);
    pending.request.title = QStringLiteral("提醒%1").arg(n);
    pending.request.trigger = CalendarTrigger{2026, 3, 15, 20, n};
    pending.addedAt = QDateTime::currentDateTimeUtc();
    return pending;
}

QStringList titles(const QList<PendingRequest> &requests)
{
    QStringList result;
    for (const PendingRequest &pending : requests)
        result.append(pending.request.title);
    return result;
}

} // namespace

TEST(PendingRequestFile, ADamagedRequestCostsOnlyItselfAndTheFileIsKeptAside)
{
    for (const auto &[name, value] : damagedValues()) {
        TempHome home;
        const QString folder = home.path() + "/state";
        PendingRequestFile(folder).change([](QList<PendingRequest> &requests) {
            requests = {reminder(0), reminder(1), reminder(2)};
        });
        const QString file = folder + "/notifications.json";
        const QByteArray damaged = readFile(file).replace("\"提醒1\"", value);
        writeFile(file, damaged);

        PendingRequestFile pending(folder);
        EXPECT_EQ(titles(pending.read()), (QStringList{"提醒0", "提醒2"})) << name;
        pending.change([](QList<PendingRequest> &requests) { requests.append(reminder(3)); });
        const QStringList aside = keptAside(folder, "notifications.json");
        ASSERT_EQ(aside.size(), 1) << name;
        EXPECT_EQ(readFile(folder + "/" + aside[0]), damaged) << name;
        EXPECT_EQ(titles(PendingRequestFile(folder).read()),
                  (QStringList{"提醒0", "提醒2", "提醒3"}))
            << name;
    }
}
