// "history.json" records of imports with several photos, or with text instead of a photo.
#include "data/HistoryJson.h"

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

namespace {

using Json = nlohmann::ordered_json;

std::vector<std::string> keysOf(const Json &object)
{
    std::vector<std::string> keys;
    for (const auto &[key, value] : object.items())
        keys.push_back(key);
    return keys;
}

} // namespace

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
    EXPECT_EQ(keysOf(file[0]),
              (std::vector<std::string>{"id", "date", "listName", "imagePath", "moreImagePaths",
                                        "items", "written", "skipped"}));
    EXPECT_EQ(file[0]["imagePath"], "/home/me/第一页.jpg")
        << "older readers still find the first photo";
    EXPECT_EQ(file[0]["moreImagePaths"],
              Json::array({"/home/me/第二页.jpg", "/home/me/第三页.heic"}));
    EXPECT_EQ(keysOf(file[1]),
              (std::vector<std::string>{"id", "date", "listName", "fromText", "items", "written",
                                        "skipped"}));
    EXPECT_EQ(file[1]["fromText"], true);
    // A record of one photo is written exactly as before.
    EXPECT_EQ(keysOf(file[2]),
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

TEST(HistoryJson, FilesWithoutTheNewKeysReadAsBeforeAndWrongTypesLeaveTheRecordOut)
{
    const QByteArray old =
        R"([{"id":"6F1C7B3E-2A4D-4C5B-9E8F-0123456789AB","date":794419140.25,"listName":"L",
        "imagePath":"/a.jpg","items":["x"],"written":1,"skipped":0}])";
    const std::optional<HistoryJson::Decoded> decoded = HistoryJson::decode(old);
    ASSERT_TRUE(decoded.has_value());
    const QList<HistoryRecord> *read = &decoded->records;
    EXPECT_EQ(read->at(0).imagePaths(), QStringList{"/a.jpg"});
    EXPECT_FALSE(read->at(0).fromText);

    QByteArray nulls = old;
    nulls.replace(R"("written")", R"("moreImagePaths":null,"fromText":null,"written")");
    ASSERT_TRUE(HistoryJson::decode(nulls).has_value());
    EXPECT_EQ(HistoryJson::decode(nulls)->records.at(0), read->at(0));

    for (const char *wrong :
         {R"("moreImagePaths":"/b.jpg",)", R"("moreImagePaths":[1],)", R"("fromText":"yes",)"}) {
        QByteArray bytes = old;
        bytes.replace(R"("written")", QByteArray(wrong) + R"("written")");
        // After a record that reads, so the file as a whole still does.
        const std::optional<HistoryJson::Decoded> refused =
            HistoryJson::decode(old.chopped(1) + "," + bytes.sliced(1));
        ASSERT_TRUE(refused.has_value()) << wrong;
        EXPECT_EQ(refused->records, QList<HistoryRecord>{read->at(0)}) << wrong;
        EXPECT_EQ(refused->skipped, 1) << wrong;
    }
}
