// How the history shows the imports that the import screen can now make: text without a
// picture, and several photos in one record.
#include "ScreenHarness.h"

#include "ui/history/RecordRow.h"

#include <QPushButton>
#include <QTest>
#include <gtest/gtest.h>

namespace {

HistoryRecord sameRecord()
{
    HistoryRecord record;
    record.listName = QStringLiteral("3.22作业");
    record.items = {QStringLiteral("语文｜背诵古诗三首")};
    record.written = 1;
    record.date = QDateTime(QDate(2026, 3, 22), QTime(19, 30));
    return record;
}

// The row as the screen paints it, once its thumbnail (if any) is ready.
QImage painted(const HistoryRecord &record)
{
    RecordRow row(record);
    row.resize(560, 84);
    if (!record.imagePaths().isEmpty()) {
        EXPECT_TRUE(waitUntil([&row] { return !row.showsPlaceholder(); }, 20000));
    }
    return row.grab().toImage();
}

} // namespace

TEST(ImportHistoryRows, TextImportsShowATextSymbolAndSeveralPhotosTheirNumber)
{
    HistoryRecord noPicture = sameRecord();
    HistoryRecord text = sameRecord();
    text.fromText = true;
    EXPECT_NE(painted(text), painted(noPicture))
        << "text is told apart from a picture that is missing";
    RecordRow textRow(text);
    EXPECT_FALSE(textRow.findChild<QPushButton *>(QStringLiteral("revealButton"))->isEnabled());

    HistoryRecord onePhoto = sameRecord();
    onePhoto.imagePath = corpusImage(QStringLiteral("14-hand-photo.jpg"));
    HistoryRecord threePhotos = onePhoto;
    threePhotos.moreImagePaths = {corpusImage(QStringLiteral("05-kai-photo.jpg")),
                                  corpusImage(QStringLiteral("01-screenshot.png"))};
    EXPECT_NE(painted(threePhotos), painted(onePhoto))
        << "the first photo carries the number of photos";
    RecordRow threeRow(threePhotos);
    EXPECT_TRUE(threeRow.findChild<QPushButton *>(QStringLiteral("revealButton"))->isEnabled());
}
