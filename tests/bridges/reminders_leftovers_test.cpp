// What a killed run leaves in the reminders folder is removed at a later start, once it is old
// enough that no running change can still own it; nothing else is touched.
#include "bridges/reminders/vdir/VdirLeftovers.h"
#include "bridges/reminders_calls.h"
#include "support/TempHome.h"

#include <QDir>
#include <gtest/gtest.h>

using namespace reminders_test;

TEST(RemindersLeftovers, StaleTemporaryFilesOfThisProgramGoAtTheNextStart)
{
    TempHome home;
    const QString root = home.path() + "/Reminders";
    const QString list = root + "/作业";
    writeFile(list + "/displayname", "作业");
    writeFile(list + "/kept.ics", "BEGIN:VCALENDAR\r\nEND:VCALENDAR\r\n");
    writeFile(list + "/.slatebook-a1B2c3.tmp", "half a reminder");
    writeFile(list + "/.slatebook-0C2D4E6F-1A3B-4C5D-8E9F-A1B2C3D4E5F6.removed",
              "a deleted reminder");
    writeFile(list + "/.other-program.tmp", "not ours");
    writeFile(list + "/.slatebook-notes", "not a leftover");
    QDir().mkpath(root + "/.slatebook-list-Xy12zZ");
    writeFile(root + "/.slatebook-list-Xy12zZ/displayname", "半成品");
    QDir().mkpath(root + "/.slatebook-0C2D4E6F-1A3B-4C5D-8E9F-A1B2C3D4E5F7.removed");

    // Young ones may belong to a change running right now.
    const QStringList before = allEntries(list) + allEntries(root);
    removeStaleLeftovers(root, QDateTime::currentDateTimeUtc());
    EXPECT_EQ(allEntries(list) + allEntries(root), before);

    removeStaleLeftovers(root, QDateTime::currentDateTimeUtc().addSecs(3600));
    EXPECT_EQ(allEntries(list),
              (QStringList{".other-program.tmp", ".slatebook-notes", "displayname", "kept.ics"}));
    EXPECT_EQ(allEntries(root), QStringList{"作业"});
}
