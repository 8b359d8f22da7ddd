// AppSettings and SharedDefaults over the INI defaults store, and the local due time.
#include "TestFiles.h"
#include "data/AppSettings.h"
#include "data/DefaultsStore.h"
#include "data/DueTime.h"
#include "data/SharedDefaults.h"
#include "support/LocalZone.h"
#include "support/TempHome.h"

#include <QLoggingCategory>
#include <QSignalSpy>
#include <gtest/gtest.h>

namespace {

void writeSettingsFile(const QByteArray &ini)
{
    writeFile(DefaultsStore::filePath(), ini);
}

} // namespace

TEST(AppSettings, FirstStartWritesNothingAndAnAssignmentIsPublishedWrittenAndReadNextStart)
{
    TempHome home;
    {
        AppSettings settings;
        EXPECT_EQ(DefaultsStore::filePath(), home.path() + "/.config/Slatebook/Slatebook.conf");
        EXPECT_FALSE(QFile::exists(DefaultsStore::filePath()));
        QSignalSpy hourChanged(&settings, &AppSettings::dueHourChanged);
        QSignalSpy templateChanged(&settings, &AppSettings::listNameTemplateChanged);
        settings.setDueHour(7);
        EXPECT_EQ(hourChanged.count(), 1);
        EXPECT_EQ(templateChanged.count(), 0);
        EXPECT_TRUE(readFile(DefaultsStore::filePath()).contains("dueH=7"))
            << "written before the next start";
        EXPECT_EQ(settings.defaultDue(), QDateTime(QDate::currentDate(), QTime(7, 59)))
            << "today at the chosen clock time";

        settings.setListNameTemplate("");
        settings.setDueEnabled(false);
        settings.setDueMinute(-5);
        settings.setReminderStore(AppSettings::ReminderStore::Evolution);
    }
    AppSettings again;
    EXPECT_EQ(again.dueHour(), 7);
    EXPECT_EQ(again.listNameTemplate(), "") << "an empty text is a value, not a missing key";
    EXPECT_FALSE(again.dueEnabled());
    EXPECT_FALSE(again.defaultDue());
    EXPECT_EQ(again.dueMinute(), -5) << "not range-checked";
    EXPECT_EQ(again.reminderStore(), AppSettings::ReminderStore::Evolution);

    QSignalSpy subjectsChanged(&again, &AppSettings::subjectsTextChanged);
    again.restoreDefaults();
    EXPECT_EQ(subjectsChanged.count(), 1);
    EXPECT_EQ(AppSettings().dueHour(), 23);
    EXPECT_EQ(AppSettings().reminderStore(), AppSettings::ReminderStore::Evolution)
        << "restoring the defaults keeps the store the reminders are in";
}

// Each stored value another type or unknown: the default stands, the value is logged, and the
// file keeps what it holds.
TEST(SettingsSchema, AnIllTypedOrUnknownStoredValueFallsBackToTheDefaultAndIsLogged)
{
    TempHome home;
    const QByteArray file = "[General]\n"
                            "dueH=seven\n"
                            "dueM=12.5\n"
                            "dueOn=1\n"
                            "openAfter=@ByteArray(true)\n"
                            "notifyOn=maybe\n"
                            "notifyLead=inf\n"
                            "reminderStore=evolutoin\n"
                            "colour=blue\n"
                            "hist=false\n"
                            "subjects=语文,数学,  英语\n"
                            "tpl=\"{YYYY}年{M}月\"\n";
    writeSettingsFile(file);
    static QStringList logged;
    logged.clear();
    QLoggingCategory::setFilterRules("slatebook.store.debug=true");
    const QtMessageHandler previous = qInstallMessageHandler(
        [](QtMsgType, const QMessageLogContext &, const QString &text) { logged.append(text); });
    const AppSettings settings;
    const double lead = SharedDefaults::notifyLead();
    const bool notifyOn = SharedDefaults::notifyOn();
    qInstallMessageHandler(previous);
    QLoggingCategory::setFilterRules("slatebook.store.debug=false");

    const struct {
        const char *key;
        bool fellBack;
    } rows[] = {
        {"dueH", settings.dueHour() == 23},
        {"dueM", settings.dueMinute() == 59},
        {"dueOn", settings.dueEnabled()},
        {"openAfter", !settings.openAfterWrite()},
        {"notifyOn", notifyOn},
        {"notifyLead", lead == 0},
        {"reminderStore", settings.reminderStore() == AppSettings::ReminderStore::Folder},
        {"colour", true},
    };
    for (const auto &row : rows) {
        EXPECT_TRUE(row.fellBack) << row.key;
        EXPECT_EQ(logged.filter(QString("\"%1\"").arg(row.key)).size(), 1)
            << row.key << ": " << logged.join('\n').toStdString();
    }
    // Hand-edited values of the right type are taken as they are.
    EXPECT_FALSE(settings.saveHistory());
    EXPECT_EQ(settings.subjects(), QStringList({"语文", "数学", "英语"}));
    EXPECT_EQ(settings.listNameTemplate(), "{YYYY}年{M}月");
    EXPECT_EQ(readFile(DefaultsStore::filePath()), file);
}

TEST(AppSettings, ListsSplitAtAsciiCommasAndTrimBlanksButNotLineBreaks)
{
    TempHome home;
    AppSettings settings;
    settings.setSubjectsText(" 语文 ,\u3000\t, 数学\u3000,,");
    EXPECT_EQ(settings.subjects(), QStringList({"语文", "数学"}));
    settings.setSubjectsText("语文，数学");
    EXPECT_EQ(settings.subjects(), QStringList({"语文，数学"}));
    settings.setSubjectsText("数学,\n英语 ,数学");
    EXPECT_EQ(settings.subjects(), QStringList({"数学", "\n英语", "数学"}));
    settings.setOcrLangText("");
    EXPECT_TRUE(settings.ocrLanguages().isEmpty());
}

TEST(AppSettings, DefaultListNameFillsYearMonthAndDay)
{
    TempHome home;
    AppSettings settings;
    const auto on = [](int y, int m, int d) { return QDateTime(QDate(y, m, d), QTime(12, 0)); };
    EXPECT_EQ(settings.defaultListName(on(2026, 3, 5)), "3.5作业");
    settings.setListNameTemplate("{YYYY}-{M}-{D}");
    EXPECT_EQ(settings.defaultListName(on(2027, 1, 9)), "2027-1-9");
    settings.setListNameTemplate("{m}.{d} {YYYY-}");
    EXPECT_EQ(settings.defaultListName(on(2027, 1, 9)), "{m}.{d} {YYYY-}");
    settings.setListNameTemplate("{M}{M}");
    EXPECT_EQ(settings.defaultListName(on(2026, 10, 12)), "1010");
}

TEST(DueTime, ClockTimeHoldsOnADayTheClocksChangeAndOutOfRangeValuesRollOver)
{
    const LocalZone berlin("Europe/Berlin");
    const QDate springForward(2026, 3, 29); // 02:00 becomes 03:00
    const QDateTime due = localTimeOn(springForward, 23, 59);
    EXPECT_EQ(due.date(), springForward);
    EXPECT_EQ(due.time(), QTime(23, 59));
    // Start of day plus 23 h 59 min of elapsed time would land at 00:59 the next day.
    EXPECT_EQ(QDateTime(springForward, QTime(0, 0)).secsTo(due), 22 * 3600 + 59 * 60);

    const QDate fallBack(2026, 10, 25); // 03:00 becomes 02:00
    EXPECT_EQ(localTimeOn(fallBack, 18, 0).time(), QTime(18, 0));

    const QDate day(2026, 6, 1);
    EXPECT_EQ(localTimeOn(day, 25, 0), QDateTime(QDate(2026, 6, 2), QTime(1, 0)));
    EXPECT_EQ(localTimeOn(day, 7, 90), QDateTime(day, QTime(8, 30)));
    EXPECT_EQ(localTimeOn(day, -1, 30), QDateTime(QDate(2026, 5, 31), QTime(23, 30)));
    EXPECT_EQ(localTimeOn(day, 0, -1), QDateTime(QDate(2026, 5, 31), QTime(23, 59)));
}

TEST(DueTime, AWallClockTimeTheClocksSkipOrRepeatIsReadAsRfc5545Does)
{
    struct Row {
        const char *name;
        const char *zone;
        QDateTime clock; // as the user wrote it
        QDateTime utc;   // the instant RFC 5545 gives
    };
    const auto at = [](int y, int mo, int d, int h, int mi, Qt::TimeSpec spec = Qt::LocalTime) {
        return QDateTime(QDate(y, mo, d), QTime(h, mi), spec);
    };
    const Row rows[] = {
        // A gap is read with the offset before it: EST (UTC-5), Lord Howe's +10:30.
        {"New York gap start", "America/New_York", at(2026, 3, 8, 2, 0),
         at(2026, 3, 8, 7, 0, Qt::UTC)},
        {"New York gap", "America/New_York", at(2026, 3, 8, 2, 30), at(2026, 3, 8, 7, 30, Qt::UTC)},
        {"Lord Howe half-hour gap", "Australia/Lord_Howe", at(2026, 10, 4, 2, 15),
         at(2026, 10, 3, 15, 45, Qt::UTC)},
        // A repeated time is the first one: EDT (UTC-4), Lord Howe's +11.
        {"New York repeated hour", "America/New_York", at(2026, 11, 1, 1, 30),
         at(2026, 11, 1, 5, 30, Qt::UTC)},
        {"Lord Howe repeated half hour", "Australia/Lord_Howe", at(2026, 4, 5, 1, 45),
         at(2026, 4, 4, 14, 45, Qt::UTC)},
        {"an ordinary time", "America/New_York", at(2026, 6, 1, 18, 0),
         at(2026, 6, 1, 22, 0, Qt::UTC)},
    };
    for (const Row &row : rows) {
        const LocalZone zone(row.zone);
        const QDateTime local = wallClockTime(row.clock.date(), row.clock.time());
        EXPECT_EQ(local.toUTC(), row.utc) << row.name;
        EXPECT_EQ(wallClockTime(row.clock.date(), row.clock.time(), QTimeZone(row.zone)).toUTC(),
                  row.utc)
            << row.name << ", in a named zone";
        EXPECT_TRUE(isStorableDue(local)) << row.name;
    }
    const LocalZone newYork("America/New_York");
    EXPECT_EQ(localTimeOn(QDate(2026, 3, 8), 2, 30).time(), QTime(3, 30))
        << "the settings' default due time on the day the clocks spring forward";
}

TEST(SharedDefaults, KeysOfOtherPartsReadAsTheirTypes)
{
    TempHome home;
    writeSettingsFile("[General]\nnotifyOn=false\nnotifyLead=300.5\nstartSection=历史记录\n");
    EXPECT_FALSE(SharedDefaults::notifyOn());
    EXPECT_EQ(SharedDefaults::notifyLead(), 300.5);
    EXPECT_EQ(SharedDefaults::startSection(), "历史记录");
}
