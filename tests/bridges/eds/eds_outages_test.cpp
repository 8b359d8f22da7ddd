// The desktop's task service when it is not there, cannot be used, stops or stops answering:
// every action says so as an error, within a time the driving program waits, and keeps nothing
// of a batch the service stopped during.
#include "bridges/eds/eds_direct.h" // first: libecal before Qt's headers

#include "app/CliProcess.h"
#include "bridges/notification_test_bus.h"
#include "data/AppSettings.h"

#include <QProcess>
#include <csignal>
#include <future>

using namespace reminders_test;

namespace {

const QString eds = QStringLiteral("桌面任务服务（Evolution Data Server）");
const QString noAccess = QStringLiteral("ERROR: 未获得提醒事项访问权限：") + eds;

const QByteArray eachAction[] = {
    R"({"action":"write","target":"reminders","list":"作业","items":["数学｜P12"]})",
    R"({"action":"dump","target":"reminders","list":"作业"})",
    R"({"action":"delete","target":"reminders","list":"作业","items":["数学｜P12"]})",
};

} // namespace

TEST(DesktopTasksOutages, WithoutTheServiceEveryActionSaysItIsNotThere)
{
    TempHome home;
    AppSettings().setReminderStore(AppSettings::ReminderStore::Evolution);
    const TestSessionBus bus; // starts nothing on demand: no EDS
    ASSERT_FALSE(bus.address().isEmpty());

    const struct {
        const char *name;
        QString address;
        QString says;
    } cases[] = {
        {"a bus that cannot start EDS", bus.address(),
         noAccess + "不可用：会话总线上没有这项服务，也无法启动它"},
        {"no session bus", "unix:path=" + home.path() + "/no-bus",
         noAccess + "不可用：找不到 D-Bus 会话总线"},
    };
    for (const auto &row : cases) {
        for (const QByteArray &task : eachAction) {
            const CliProcess cli(home, {{"DBUS_SESSION_BUS_ADDRESS", row.address}});
            cli.writeDropFile(task);
            const CliOutcome run = cli.run({});
            EXPECT_TRUE(run.result.value_or("").startsWith(row.says))
                << row.name << ": " << task.toStdString() << " -> "
                << run.result.value_or("").toStdString();
            EXPECT_LT(run.milliseconds, 20000) << row.name << ": " << task.toStdString();
        }
    }
    EXPECT_FALSE(QFileInfo::exists(home.dataFolder() + "/Reminders"))
        << "nothing falls back to the folder";
}

TEST(DesktopTasksOutages, AStartWithoutEdsSchemasAnswersInsteadOfAborting)
{
    TempHome home;
    AppSettings().setReminderStore(AppSettings::ReminderStore::Evolution);
    const QString empty = home.path() + "/empty";
    const QString others = home.path() + "/other-schemas";
    QDir().mkpath(empty);
    writeFile(
        others + "/io.github.slatebook.test.gschema.xml",
        R"(<schemalist><schema id="io.github.slatebook.test" path="/io/github/slatebook/test/">)"
        R"(<key name="on" type="b"><default>false</default></key></schema></schemalist>)");
    ASSERT_EQ(QProcess::execute("glib-compile-schemas", {others}), 0);

    // GLib finds schemas in GSETTINGS_SCHEMA_DIR and under every XDG_DATA_DIRS folder.
    const struct {
        const char *name;
        QString schemaDir;
    } cases[] = {
        {"no schemas at all", ""},
        {"an empty schema folder", empty},
        {"only another program's schema", others},
    };
    for (const auto &row : cases) {
        const CliProcess cli(home,
                             {{"XDG_DATA_DIRS", empty}, {"GSETTINGS_SCHEMA_DIR", row.schemaDir}});
        const std::optional<QString> result = cli.runTask(eachAction[0]);
        EXPECT_TRUE(result.value_or("").startsWith(
            noAccess + "不可用：GSettings 找不到它的设置架构 org.gnome.Evolution.DefaultSources"))
            << row.name << ": " << result.value_or("").toStdString();
    }
}

namespace {

// A batch of one new reminder, committed on a thread of its own.
std::future<std::optional<ReminderError>> commitOne(ReminderStore &store, const ReminderList &list,
                                                    const QString &title)
{
    auto batch = std::shared_ptr<ReminderBatch>(store.batch());
    ReminderItem item = store.newReminder(list);
    item.fields.title = title;
    EXPECT_FALSE(batch->save(item));
    return std::async(std::launch::async, [batch] { return batch->commit(); });
}

} // namespace

TEST(DesktopTasksOutages, AServiceThatFreezesOrStopsMidWriteIsToldAndKeepsNothing)
{
    TempHome home;
    resetToEdsFirstState();
    AppSettings().setReminderStore(AppSettings::ReminderStore::Evolution);
    const auto store = std::make_shared<EdsReminderStore>();
    RemindersService service(store);
    ASSERT_EQ(counts(writeRaw(service, {{"已有", {}}}, "作业")), std::pair(1, 0));
    const QList<ReminderList> lists = store->lists();
    const ReminderList list = *std::find_if(
        lists.begin(), lists.end(), [](const ReminderList &l) { return l.title == "作业"; });

    // Frozen: the command line opening the list and this process adding to it both give up.
    uint factory = calendarFactoryPid();
    ASSERT_NE(factory, 0u);
    ASSERT_EQ(kill(pid_t(factory), SIGSTOP), 0);
    auto frozenCommit = commitOne(*store, list, "冻结时");
    const CliProcess cli(home);
    cli.writeDropFile(eachAction[0]);
    const CliOutcome frozen = cli.run({});
    const std::optional<ReminderError> frozenError = frozenCommit.get();
    ASSERT_EQ(kill(pid_t(factory), SIGCONT), 0);
    EXPECT_EQ(frozen.result, "ERROR: " + eds + "没有响应：25 秒内没有回答，已放弃。请稍后再试")
        << frozen.result.value_or("").toStdString();
    EXPECT_LT(frozen.milliseconds, 40000) << "not the command line's own 150 s";
    ASSERT_TRUE(frozenError);
    EXPECT_EQ(frozenError->description, eds + "没有响应：25 秒内没有回答，已放弃。请稍后再试");
    // The next action gives the service, answering again, a new chance.
    ASSERT_EQ(counts(writeRaw(service, {{"恢复后", {}}}, "作业")), std::pair(1, 0));

    // Stopped: killed while a commit waits on it.
    factory = calendarFactoryPid();
    ASSERT_EQ(kill(pid_t(factory), SIGSTOP), 0);
    auto stoppedCommit = commitOne(*store, list, "停止时");
    QThread::msleep(1000);
    ASSERT_EQ(kill(pid_t(factory), SIGKILL), 0);
    const std::optional<ReminderError> stopped = stoppedCommit.get();
    ASSERT_TRUE(stopped);
    EXPECT_EQ(stopped->description, eds + "在处理更改时停止了运行，这一批更改都没有保留");

    // D-Bus starts the service again for the next write, and the stopped batch left nothing.
    ASSERT_EQ(counts(writeRaw(service, {{"重启后", {}}}, "作业")), std::pair(1, 0));
    const QStringList kept = titles(rows(service, "作业"));
    EXPECT_TRUE(kept.contains("重启后") && kept.contains("已有")) << kept.join(", ").toStdString();
    EXPECT_FALSE(kept.contains("停止时"));
    EXPECT_FALSE(kept.contains("数学｜P12")) << "the frozen command line wrote nothing";
}
