// The Reminders bridge on the desktop's task lists (Evolution Data Server), on the private
// session bus that private-session starts: the behaviour every store shares, then what is
// EDS's own: lists as task-list sources, batches that land whole or not at all, and the
// command line following the setting, or saying that the service did not answer.
#include <libecal/libecal.h> // before Qt's headers: gio names a struct member `signals`

#include "bridges/reminders/eds/EdsReminderStore.h"
#include "bridges/reminders_behaviour.h"
#include "data/AppSettings.h"
#include "support/TestPaths.h"

#include <QProcess>

using namespace reminders_test;

namespace {

const QString systemList = QStringLiteral("system-task-list");

// EDS seen without the bridge: its own registry and clients, on this thread.
class Eds {
public:
    Eds() : m_registry(e_source_registry_new_sync(nullptr, nullptr)) { }
    ~Eds()
    {
        for (ECalClient *client : std::as_const(m_clients))
            g_object_unref(client);
        if (m_registry)
            g_object_unref(m_registry);
    }

    ECalClient *client(const QString &listId)
    {
        if (!m_clients.contains(listId)) {
            ESource *source = e_source_registry_ref_source(m_registry, listId.toUtf8().constData());
            if (!source)
                return nullptr;
            m_clients.insert(
                listId,
                E_CAL_CLIENT(e_cal_client_connect_sync(source, E_CAL_CLIENT_SOURCE_TYPE_TASKS,
                                                       guint32(-1), nullptr, nullptr)));
            g_object_unref(source);
        }
        return m_clients.value(listId);
    }

    // The text EDS keeps for that reminder, in whichever list holds it.
    QByteArray stored(const QString &id)
    {
        GList *sources = e_source_registry_list_sources(m_registry, E_SOURCE_EXTENSION_TASK_LIST);
        QByteArray text;
        for (GList *source = sources; source && text.isEmpty(); source = source->next) {
            ECalClient *list = client(QString::fromUtf8(e_source_get_uid(E_SOURCE(source->data))));
            ICalComponent *component = nullptr;
            if (list &&
                e_cal_client_get_object_sync(list, id.toUtf8().constData(), nullptr, &component,
                                             nullptr, nullptr)) {
                gchar *ical = i_cal_component_as_ical_string(component);
                text = ical;
                g_free(ical);
                g_object_unref(component);
            }
        }
        g_list_free_full(sources, g_object_unref);
        return text;
    }

    bool create(const QString &listId, const QByteArray &vtodo)
    {
        ICalComponent *component = i_cal_component_new_from_string(vtodo.constData());
        const bool created = e_cal_client_create_object_sync(
            client(listId), component, E_CAL_OPERATION_FLAG_NONE, nullptr, nullptr, nullptr);
        g_object_unref(component);
        return created;
    }

    bool remove(const QString &listId, const QString &id)
    {
        return e_cal_client_remove_object_sync(client(listId), id.toUtf8().constData(), nullptr,
                                               E_CAL_OBJ_MOD_ALL, E_CAL_OPERATION_FLAG_NONE,
                                               nullptr, nullptr);
    }

private:
    ESourceRegistry *m_registry;
    QHash<QString, ECalClient *> m_clients;
};

class EvolutionBackend : public ReminderBackend {
public:
    // Starts every test from EDS's own first state: only its default list, empty.
    EvolutionBackend()
    {
        const auto start = store();
        for (const ReminderList &list : start->lists()) {
            if (list.id != systemList) {
                start->removeList(list);
                continue;
            }
            const auto items =
                await<QList<ReminderItem>>([&](auto done) { start->fetchReminders(list, done); });
            const auto batch = start->batch();
            for (const ReminderItem &item : items->result)
                batch->remove(item);
            batch->commit();
            m_presets.append(list.title);
        }
    }

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

std::unique_ptr<EvolutionBackend> evolution()
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

namespace {

// The built executable's answer to a write into the Reminders store, with `bus` as the session
// bus it sees.
QString cliWrite(const TempHome &home, const QByteArray &bus)
{
    const QString tools = home.toolsFolder();
    writeFile(tools + "/pending.json",
              R"({"action":"write","target":"reminders","list":"命令行","items":["数学｜P12"]})");
    QProcess process;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert("DBUS_SESSION_BUS_ADDRESS", QString::fromUtf8(bus));
    process.setProcessEnvironment(environment);
    process.start(TestPaths::slatebook(), {});
    EXPECT_TRUE(process.waitForFinished(60000));
    return QString::fromUtf8(readFile(tools + "/cli_result.txt"));
}

} // namespace

TEST(RemindersEvolution, TheCommandLineWritesWhereTheSettingSaysOrSaysTheServiceDidNotAnswer)
{
    TempHome home;
    const auto backend = evolution();
    AppSettings().setReminderStore(AppSettings::ReminderStore::Evolution);

    const QString written = cliWrite(home, qgetenv("DBUS_SESSION_BUS_ADDRESS"));
    EXPECT_EQ(written, "SUCCESS: 已写入 1/1 条到提醒事项清单「命令行」") << written.toStdString();
    RemindersService service(backend->store());
    EXPECT_EQ(titles(rows(service, "命令行")), QStringList{"数学｜P12"});
    EXPECT_FALSE(QFileInfo::exists(home.dataFolder() + "/Reminders/命令行"));

    // No session bus, so no registry.
    const QString refused = cliWrite(home, "unix:path=" + home.path().toUtf8() + "/no-bus");
    EXPECT_TRUE(refused.startsWith(
        "ERROR: 未获得提醒事项访问权限：桌面任务服务（Evolution Data Server）没有响应"))
        << refused.toStdString();
}
