// The setting that chooses the Reminders store, as a person edits it by hand: the values
// written, in any letter case, and the window's own words choose their store; anything else
// keeps the folder, and the command line says so beside its result.
#include "bridges/eds/eds_direct.h"
#include "bridges/eds/slatebook_run.h"
#include "data/AppSettings.h"
#include "data/DefaultsStore.h"

using namespace reminders_test;

TEST(ReminderStoreSetting, EveryWayOfWritingAStoreChoosesItAndAnUnknownOneIsReported)
{
    TempHome home;
    resetToEdsFirstState();
    const RemindersService eds(std::make_shared<EdsReminderStore>());
    using Store = AppSettings::ReminderStore;
    const struct {
        const char *line; // as the settings file holds it; nullptr: no such line
        Store store;
        bool reported;
    } cases[] = {
        {nullptr, Store::Folder, false},
        {"reminderStore=folder", Store::Folder, false},
        {"reminderStore=Folder", Store::Folder, false},
        {"reminderStore=本机文件夹", Store::Folder, false},
        {"reminderStore=evolution", Store::Evolution, false},
        {"reminderStore=Evolution", Store::Evolution, false},
        {"reminderStore=EVOLUTION ", Store::Evolution, false},
        {"reminderStore=桌面任务 (Evolution)", Store::Evolution, false},
        {"reminderStore=桌面任务（Evolution）", Store::Evolution, false},
        {"reminderStore=桌面任务", Store::Evolution, false},
        {"reminderStore=", Store::Folder, false},
        {"reminderStore=evolutoin", Store::Folder, true},
        {"reminderStore=true", Store::Folder, true},
        {"reminderStore=Evolution Data Server", Store::Folder, true},
    };
    int row = 0;
    for (const auto &c : cases) {
        const QString line = c.line ? QString::fromUtf8(c.line) : QStringLiteral("(none)");
        const QString list = QStringLiteral("设置%1").arg(++row);
        writeFile(DefaultsStore::filePath(),
                  "[General]\n" + QByteArray(c.line ? c.line : "") + "\n");

        // The window shows the store it uses.
        EXPECT_EQ(AppSettings().reminderStore(), c.store) << line.toStdString();

        const SlatebookRun run = runSlatebook(home,
                                              R"({"action":"write","target":"reminders","list":")" +
                                                  list.toUtf8() + R"(","items":["英语｜听写"]})");
        const QStringList lines = run.result.split('\n');
        EXPECT_EQ(lines.first(), "SUCCESS: 已写入 1/1 条到提醒事项清单「" + list + "」")
            << line.toStdString();
        const bool inFolder = QFileInfo::exists(home.dataFolder() + "/Reminders/" + list);
        const bool inEds = eds.listNames().contains(list);
        EXPECT_EQ(inFolder, c.store == Store::Folder) << line.toStdString();
        EXPECT_EQ(inEds, c.store == Store::Evolution) << line.toStdString();
        if (c.reported) {
            const QString value = line.section('=', 1);
            EXPECT_EQ(lines.value(1),
                      "注意：设置 reminderStore 的值「" + value.trimmed() +
                          "」不是可用的存储（folder 或 evolution），已改用本机文件夹")
                << run.result.toStdString();
        } else {
            EXPECT_EQ(lines.size(), 1) << run.result.toStdString();
        }
    }
}
