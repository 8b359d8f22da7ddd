// The Reminders bridge on a real iCalendar folder: the behaviour every store shares, then what
// is the folder's own: its files and folders, access, and failures that must leave it as it was.
#include "bridges/reminders/vdir/VdirReminderStore.h"
#include "bridges/reminders_behaviour.h"
#include "support/PrivateMounts.h"

#include <cerrno>

using namespace reminders_test;

namespace {

QString root()
{
    return VdirReminderStore::defaultRoot();
}

// The folder of the list with that title.
QString listFolder(const QString &title)
{
    for (const QString &name : QDir(root()).entryList(QDir::Dirs | QDir::NoDotAndDotDot)) {
        if (readFile(root() + "/" + name + "/displayname") == title.toUtf8())
            return root() + "/" + name;
    }
    return {};
}

class FolderBackend : public ReminderBackend {
public:
    std::shared_ptr<ReminderStore> store() override
    {
        return std::make_shared<VdirReminderStore>(root());
    }

    void addForeign(const QString &list, const QByteArray &vtodo) override
    {
        const QString folder = root() + "/foreign-" + QString::number(qHash(list));
        writeFile(folder + "/displayname", list.toUtf8());
        writeFile(folder + "/foreign.ics",
                  "BEGIN:VCALENDAR\r\nVERSION:2.0\r\nPRODID:-//hand//EN\r\n" + vtodo +
                      "END:VCALENDAR\r\n");
    }

    QByteArray stored(const QString &id) override
    {
        for (const QString &list : QDir(root()).entryList(QDir::Dirs | QDir::NoDotAndDotDot)) {
            const QString file = root() + "/" + list + "/" + id + ".ics";
            if (QFile::exists(file))
                return readFile(file);
        }
        return {};
    }

    void expectNothingLeftBehind() override { EXPECT_TRUE(allEntries(root()).isEmpty()); }
};

} // namespace

INSTANTIATE_TEST_SUITE_P(Folder, RemindersBehaviour,
                         testing::Values(BackendParam{
                             "Folder", [] { return std::make_unique<FolderBackend>(); }}),
                         backendName);

TEST(RemindersFolder, EachReminderIsAFileNamedAfterItsUid)
{
    TempHome home;
    RemindersService service(std::make_shared<VdirReminderStore>(root()));
    writeRaw(service, {{"背诵", {}}, {"默写", QDateTime::currentDateTime()}}, "作业");
    const QString folder = listFolder("作业");
    EXPECT_EQ(folder, root() + "/作业")
        << "a list made here is named after its title when that is a safe folder name";
    const QStringList files = icsFiles(folder);
    ASSERT_EQ(files.size(), 2);
    for (const QString &name : files) {
        const QByteArray bytes = readFile(folder + "/" + name);
        EXPECT_EQ(name, QString::fromUtf8(bytes).section("UID:", 1).section("\r\n", 0, 0) + ".ics");
    }

    deleteTitles(service, {"背诵"}, "作业");
    EXPECT_EQ(icsFiles(folder).size(), 1);
}

TEST(RemindersFolder, ListFoldersAreTitledByTheirTitleFileOrElseTheirName)
{
    TempHome home;
    RemindersService service(std::make_shared<VdirReminderStore>(root()));
    writeFile(root() + "/a/displayname", "English\n"); // hand-edited, with a line break
    QDir().mkpath(root() + "/no-title");
    EXPECT_EQ(service.listNames(), QStringList({"English", "no-title"}));

    // A title that is no safe folder name makes a folder of another name.
    writeRaw(service, {}, "../逃出");
    EXPECT_FALSE(QFileInfo::exists(root() + "/../逃出"));
    EXPECT_TRUE(service.listNames().contains("../逃出"));
}

TEST(RemindersFolder, AnUnusableRootRefusesWritesSayingWhichFolderAndShowsNothing)
{
    TempHome home;
    // A file where the root folder belongs: the root can be neither used nor created.
    writeFile(root(), "not a folder");
    RemindersService service(std::make_shared<VdirReminderStore>(root()));

    const auto granted = await<bool>([&](auto done) { service.requestAccess(done); });
    ASSERT_TRUE(granted);
    EXPECT_TRUE(granted->onMainThread);
    EXPECT_FALSE(granted->result);

    const auto done = writeRaw(service, {{"数学", {}}}, "作业");
    ASSERT_TRUE(done && std::holds_alternative<ReminderError>(done->result));
    const ReminderError &error = std::get<ReminderError>(done->result);
    EXPECT_EQ(error.domain, "Slate");
    EXPECT_EQ(error.code, SlateError::NoAccess);
    EXPECT_TRUE(error.description.startsWith(
        "未获得提醒事项访问权限：无法创建或写入提醒事项文件夹 " + root() + "："))
        << error.description.toStdString();
    EXPECT_FALSE(error.description.contains("系统设置"));
    EXPECT_TRUE(service.listNames().isEmpty());
    EXPECT_TRUE(rows(service, "作业").isEmpty());
}

TEST(RemindersFolder, ChangesInAFolderMountedReadOnlyAreErrorsWithTheReasonAndChangeNothing)
{
    RUN_WITH_PRIVATE_MOUNTS();
    TempHome home;
    RemindersService service(std::make_shared<VdirReminderStore>(root()));
    writeRaw(service, {{"数学", {}}}, "作业");
    const QString folder = listFolder("作业");
    const QStringList before = allEntries(folder);
    if (!PrivateMounts::readOnly(folder))
        GTEST_SKIP() << "mounting is refused here";

    // The list still shows, and each change says why it did not happen instead of finding nothing.
    EXPECT_EQ(titles(rows(service, "作业")), QStringList{"数学"});
    const auto written = writeRaw(service, {{"新的", {}}, {"另一个", {}}}, "作业");
    ASSERT_TRUE(written && std::holds_alternative<ReminderError>(written->result));
    EXPECT_TRUE(std::get<ReminderError>(written->result)
                    .description.startsWith("无法写入提醒事项文件夹："));
    const auto deleted = deleteTitles(service, {"数学"}, "作业");
    ASSERT_TRUE(deleted && std::holds_alternative<ReminderError>(deleted->result))
        << "a delete that did not happen is not reported as done";
    const QString description = std::get<ReminderError>(deleted->result).description;
    EXPECT_TRUE(description.startsWith("无法删除：" + folder + "/")) << description.toStdString();
    EXPECT_TRUE(description.endsWith("（" + qt_error_string(EROFS) + "）"));
    bool removed = true;
    service.deleteList("作业", [&](bool ok) { removed = ok; });
    EXPECT_FALSE(removed);
    EXPECT_EQ(allEntries(folder), before);
}
