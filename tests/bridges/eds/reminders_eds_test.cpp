// The Reminders bridge on the desktop's task lists (Evolution Data Server), on the private
// session bus that private-session starts: the behaviour every store shares, then what is
// EDS's own: lists as task-list sources, and batches that land whole or not at all.
#include "bridges/eds/eds_direct.h"
#include "bridges/reminders_behaviour.h"

using namespace reminders_test;

namespace {

class EvolutionBackend : public ReminderBackend {
public:
    // Starts every test from EDS's own first state.
    EvolutionBackend() : m_presets(resetToEdsFirstState()) { }

    std::shared_ptr<ReminderStore> store() override { return std::make_shared<EdsReminderStore>(); }

    void addForeign(const QString &list, const QByteArray &vtodo) override
    {
        const auto made = store()->createList(list, {});
        ASSERT_TRUE(std::holds_alternative<ReminderList>(made));
        ASSERT_TRUE(eds.create(std::get<ReminderList>(made).id, vtodo));
    }

    QByteArray stored(const QString &id) override { return eds.stored(id); }
    QStringList presetLists() override { return m_presets; }

    Eds eds;

private:
    QStringList m_presets;
};

inline std::unique_ptr<EvolutionBackend> evolution()
{
    return std::make_unique<EvolutionBackend>();
}

} // namespace

INSTANTIATE_TEST_SUITE_P(Evolution, RemindersBehaviour,
                         testing::Values(BackendParam{
                             "Evolution",
                             [] { return std::unique_ptr<ReminderBackend>(evolution()); }}),
                         backendName);

TEST(RemindersEvolution, ListsAreTaskListSourcesAndNewOnesAreLocal)
{
    TempHome home;
    const auto backend = evolution();
    EdsReminderStore store;
    const std::optional<ReminderList> preferred = store.defaultListForNewReminders();
    ASSERT_TRUE(preferred);
    EXPECT_EQ(preferred->id, systemList);
    ASSERT_TRUE(preferred->account);
    EXPECT_EQ(preferred->account->title, "本机");
    EXPECT_EQ(store.accounts().size(), 1);

    RemindersService service(backend->store());
    EXPECT_EQ(service.storeTitle(), "桌面任务 (Evolution)");
    writeRaw(service, {{"背诵", {}}}, "作业");
    const QList<ReminderList> lists = store.lists();
    const auto made = std::find_if(lists.begin(), lists.end(),
                                   [](const ReminderList &list) { return list.title == "作业"; });
    ASSERT_NE(made, lists.end());
    EXPECT_EQ(made->account->id, "local-stub");
    EXPECT_TRUE(backend->stored(rowId(service, "作业", "背诵")).contains("SUMMARY:背诵"));
}

TEST(RemindersEvolution, ABatchThatEdsRefusesLandsNotAtAll)
{
    TempHome home;
    const auto backend = evolution();
    const std::shared_ptr<ReminderStore> store = backend->store();
    RemindersService service(store);
    writeRaw(service, {{"已有", {}}, {"另一条", {}}}, "作业");
    const QList<ReminderList> lists = store->lists();
    const ReminderList list = *std::find_if(
        lists.begin(), lists.end(), [](const ReminderList &l) { return l.title == "作业"; });
    const QString existing = rowId(service, "作业", "已有");

    // A new reminder beside one whose identifier the list holds already: EDS refuses the call.
    {
        const auto batch = store->batch();
        ReminderItem fresh = store->newReminder(list);
        fresh.fields.title = "新的";
        ReminderItem clash = store->newReminder(list);
        clash.id = existing;
        clash.fields.title = "冲突";
        ASSERT_FALSE(batch->save(fresh));
        ASSERT_FALSE(batch->save(clash));
        const std::optional<ReminderError> error = batch->commit();
        ASSERT_TRUE(error);
        EXPECT_TRUE(error->description.startsWith("桌面任务服务拒绝了更改："))
            << error->description.toStdString();
        EXPECT_EQ(titles(rows(service, "作业")), QStringList({"另一条", "已有"}));
    }

    // New reminders went in, then a change failed: what went in is taken out again.
    {
        const auto batch = store->batch();
        ReminderItem fresh = store->newReminder(list);
        fresh.fields.title = "新的";
        std::optional<ReminderItem> changed = store->item(existing);
        ASSERT_TRUE(changed);
        changed->fields.completed = true;
        ASSERT_FALSE(batch->save(fresh));
        ASSERT_FALSE(batch->save(*changed));
        ASSERT_TRUE(backend->eds.remove(list.id, existing)); // another program, meanwhile
        EXPECT_TRUE(batch->commit());
        EXPECT_EQ(titles(rows(service, "作业")), QStringList{"另一条"});
    }

    // A reminder to delete that someone else deleted first is gone as wanted.
    writeRaw(service, {{"甲", {}}, {"乙", {}}}, "作业");
    {
        const auto batch = store->batch();
        for (const char *title : {"甲", "乙"})
            ASSERT_FALSE(batch->remove(*store->item(rowId(service, "作业", title))));
        ASSERT_TRUE(backend->eds.remove(list.id, rowId(service, "作业", "甲")));
        EXPECT_FALSE(batch->commit());
        EXPECT_EQ(titles(rows(service, "作业")), QStringList{"另一条"});
    }
}
