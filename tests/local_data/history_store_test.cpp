// HistoryStore and the "history.json" format, with imports of several photos or of text, on real
// files.
#include "DamagedValues.h"
#include "TestFiles.h"
#include "data/HistoryJson.h"
#include "data/HistoryStore.h"
#include "support/TempHome.h"

#include <QRegularExpression>
#include <QSignalSpy>
#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

namespace {

using Json = nlohmann::ordered_json;

std::vector<std::string> keys(const Json &object)
{
    std::vector<std::string> result;
    for (const auto &[key, value] : object.items())
        result.push_back(key);
    return result;
}

HistoryRecord record(const QString &listName, qint64 written = 1)
{
    HistoryRecord r;
    r.listName = listName;
    r.items = {"数学｜P12", "英语"};
    r.written = written;
    return r;
}

QByteArray handWrittenRecords(int count)
{
    QByteArray bytes = "[";
    for (int i = 0; i < count; ++i) {
        bytes += (i ? "," : "") +
            QStringLiteral(R"({"skipped":0,"written":2,"items":[],"listName":"L%1",)"
                           R"("date":%2,"id":"%3"})")
                .arg(i)
                .arg(794000000 - i)
                .arg(QUuid::createUuid().toString(QUuid::WithoutBraces))
                .toUtf8();
    }
    return bytes + "]";
}

} // namespace

TEST(HistoryStore, CreatesTheDataFolderAndWritesRecordsInTheFileFormat)
{
    TempHome home;
    HistoryStore history;
    EXPECT_EQ(history.dir(), home.dataFolder());
    EXPECT_TRUE(QFileInfo(home.dataFolder()).isDir());
    EXPECT_TRUE(history.records().isEmpty());

    HistoryRecord fromFile = record("3.5作业", 2);
    fromFile.date = QDateTime(QDate(2026, 3, 5), QTime(15, 59, 0, 250), Qt::UTC);
    fromFile.imagePath = "/home/me/作业.jpg";
    fromFile.skipped = 1;
    QSignalSpy changed(&history, &HistoryStore::recordsChanged);
    history.add(fromFile);
    history.add(record("提醒"));
    EXPECT_EQ(changed.count(), 2);

    const QByteArray bytes = readFile(history.file());
    EXPECT_TRUE(bytes.startsWith("[\n  {\n    \"id\": "));
    const Json file = Json::parse(bytes.toStdString());
    ASSERT_EQ(file.size(), 2u);
    EXPECT_EQ(file[0]["listName"], "提醒") << "newest first";
    EXPECT_TRUE(file[1]["date"].is_number_float());
    EXPECT_DOUBLE_EQ(file[1]["date"].get<double>(), 794419140.25)
        << "seconds since 2001-01-01T00:00:00Z";
    EXPECT_TRUE(QRegularExpression("^[0-9A-F-]{36}$")
                    .match(QString::fromStdString(file[1]["id"]))
                    .hasMatch());

    const HistoryStore reread;
    ASSERT_EQ(reread.records().size(), 2);
    EXPECT_EQ(reread.records()[1], fromFile);
}

TEST(HistoryStore, KeepsTheNewestThreeHundredWhenWrittenAndWhenRead)
{
    TempHome home;
    {
        HistoryStore history;
        for (int i = 0; i < 301; ++i)
            history.add(record(QString::number(i)));
        EXPECT_EQ(history.records().size(), 300);
        EXPECT_EQ(history.records().first().listName, "300");
        EXPECT_EQ(history.records().last().listName, "1") << "the oldest is dropped";
    }
    // A longer file written elsewhere is read only as far as the newest 300.
    writeFile(home.dataFolder() + "/history.json", handWrittenRecords(5000));
    HistoryStore history;
    ASSERT_EQ(history.records().size(), 300);
    EXPECT_EQ(history.records().first().date,
              QDateTime(QDate(2026, 2, 28), QTime(19, 33, 20), Qt::UTC));
    EXPECT_EQ(history.records().last().listName, "L299");
    history.add(record("new"));
    EXPECT_EQ(HistoryStore().records().last().listName, "L298");
}

TEST(HistoryStore, ADamagedRecordCostsOnlyItselfAndTheFileIsKeptAside)
{
    const QByteArray three = handWrittenRecords(3);
    struct Row {
        std::string name;
        QByteArray bytes;
        QStringList read;
    };
    std::vector<Row> rows = {
        {"cut off inside the last record",
         three.left(three.lastIndexOf("\"listName\"")),
         {"L0", "L1"}},
        {"text after the array", three + "\n]}", {"L0", "L1", "L2"}},
        {"an empty record between two commas",
         QByteArray(three).replace("},{", "},,{"),
         {"L0", "L1", "L2"}},
    };
    for (const auto &[name, value] : damagedValues())
        rows.push_back({name, QByteArray(three).replace("\"L1\"", value), {"L0", "L2"}});
    for (const auto &[name, bytes, expected] : rows) {
        TempHome home;
        writeFile(home.dataFolder() + "/history.json", bytes);
        HistoryStore history;
        QStringList read;
        for (const HistoryRecord &each : history.records())
            read.append(each.listName);
        EXPECT_EQ(read, expected) << name;

        // The next save keeps the file as it was aside, so what was left out is not lost.
        history.add(record("new"));
        const QStringList aside = keptAside(home.dataFolder(), "history.json");
        ASSERT_EQ(aside.size(), 1) << name;
        EXPECT_EQ(readFile(home.dataFolder() + "/" + aside.first()), bytes) << name;
        EXPECT_EQ(HistoryStore().records().size(), expected.size() + 1) << name;
    }
}

TEST(HistoryStore, RemoveAndClearRewriteTheFile)
{
    TempHome home;
    writeFile(home.dataFolder() + "/history.json", handWrittenRecords(2));
    HistoryStore history;
    const QUuid first = history.records().first().id;
    history.remove(QUuid::createUuid());
    EXPECT_TRUE(readFile(history.file()).startsWith("[\n  {"))
        << "rewritten, even with nothing removed";
    EXPECT_TRUE(readFile(history.file()).contains("\"date\": 794000000.0,"))
        << "a whole second still has a fraction";
    EXPECT_EQ(history.records().size(), 2);
    history.remove(first);
    EXPECT_EQ(HistoryStore().records().size(), 1);
    history.clear();
    EXPECT_EQ(readFile(history.file()), "[]");
}

TEST(HistoryStore, NullOptionalsReadAsAbsentAndAnyDeviationEmptiesTheHistory)
{
    TempHome home;
    const QString file = home.dataFolder() + "/history.json";
    const QByteArray valid =
        R"([{"id":"0f8fad5b-d9cb-469f-a165-70867728950e","date":0,"listName":"L",
        "imagePath":null,"failed":"网络","items":["a"],"written":3.0,"skipped":0,"other":1,
        "moreImagePaths":null,"fromText":null}])";
    writeFile(file, valid);
    {
        const HistoryStore history;
        ASSERT_EQ(history.records().size(), 1);
        EXPECT_FALSE(history.records()[0].imagePath);
        EXPECT_EQ(history.records()[0].failed, "网络");
        EXPECT_EQ(history.records()[0].written, 3);
        EXPECT_EQ(history.records()[0].date, QDateTime(QDate(2001, 1, 1), QTime(0, 0), Qt::UTC));
        EXPECT_FALSE(history.records()[0].fromText);
        EXPECT_TRUE(history.records()[0].moreImagePaths.isEmpty());
    }
    const std::vector<std::pair<const char *, QByteArray>> broken = {
        {"date as a string",
         QByteArray(valid).replace("\"date\":0", "\"date\":\"2026-03-05T15:59:00Z\"")},
        {"written with a fraction", QByteArray(valid).replace("3.0", "3.5")},
        {"items holding a number", QByteArray(valid).replace("[\"a\"]", "[1]")},
        {"listName missing", QByteArray(valid).replace("\"listName\":\"L\",", "")},
        {"a date beyond any calendar", QByteArray(valid).replace("\"date\":0", "\"date\":1e300")},
        {"more photos as a string",
         QByteArray(valid).replace("\"moreImagePaths\":null", "\"moreImagePaths\":\"/b.jpg\"")},
        {"more photos holding a number",
         QByteArray(valid).replace("\"moreImagePaths\":null", "\"moreImagePaths\":[1]")},
        {"fromText as a string",
         QByteArray(valid).replace("\"fromText\":null", "\"fromText\":\"yes\"")},
    };
    for (const auto &[name, bytes] : broken) {
        writeFile(file, bytes);
        EXPECT_TRUE(HistoryStore().records().isEmpty()) << name;
    }
}

TEST(HistoryJson, SeveralPhotosAndTextImportsAddKeysOnlyWhereTheyAreNeeded)
{
    HistoryRecord photos;
    photos.listName = "3.22作业";
    photos.imagePath = "/home/me/第一页.jpg";
    photos.moreImagePaths = {"/home/me/第二页.jpg", "/home/me/第三页.heic"};
    photos.items = {"语文｜背诵古诗三首"};
    photos.written = 1;
    HistoryRecord text;
    text.listName = "聊天记录";
    text.fromText = true;
    text.items = {"数学｜练习册P12"};
    HistoryRecord onePhoto = photos;
    onePhoto.id = QUuid::createUuid();
    onePhoto.moreImagePaths.clear();

    const QByteArray bytes = HistoryJson::encode({photos, text, onePhoto});
    const Json file = Json::parse(bytes.toStdString());
    EXPECT_EQ(keys(file[0]),
              (std::vector<std::string>{"id", "date", "listName", "imagePath", "moreImagePaths",
                                        "items", "written", "skipped"}));
    EXPECT_EQ(file[0]["imagePath"], "/home/me/第一页.jpg")
        << "older readers still find the first photo";
    EXPECT_EQ(file[0]["moreImagePaths"],
              Json::array({"/home/me/第二页.jpg", "/home/me/第三页.heic"}));
    EXPECT_EQ(keys(file[1]),
              (std::vector<std::string>{"id", "date", "listName", "fromText", "items", "written",
                                        "skipped"}));
    EXPECT_EQ(file[1]["fromText"], true);
    // A record of one photo is written exactly as before.
    EXPECT_EQ(keys(file[2]),
              (std::vector<std::string>{"id", "date", "listName", "imagePath", "items", "written",
                                        "skipped"}));

    const std::optional<HistoryJson::Decoded> decoded = HistoryJson::decode(bytes);
    ASSERT_TRUE(decoded.has_value());
    const QList<HistoryRecord> *read = &decoded->records;
    EXPECT_EQ(*read, (QList<HistoryRecord>{photos, text, onePhoto}));
    EXPECT_EQ(read->at(0).imagePaths(),
              (QStringList{"/home/me/第一页.jpg", "/home/me/第二页.jpg", "/home/me/第三页.heic"}));
    EXPECT_TRUE(read->at(1).imagePaths().isEmpty());
}
