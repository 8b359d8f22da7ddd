#include "ImportScreenDriver.h"

#include "ScreenHarness.h"
#include "ui/glass/SegmentedControl.h"
#include "ui/import/EntryRow.h"

#include <QAbstractButton>
#include <QCheckBox>
#include <QDateTimeEdit>
#include <QDropEvent>
#include <QInputMethodEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMimeData>
#include <QPlainTextEdit>
#include <QTest>
#include <QToolButton>
#include <gtest/gtest.h>

namespace {

void dropOn(QWidget *zone, QMimeData &mime)
{
    const QPoint centre = zone->rect().center();
    QDragEnterEvent enter(centre, Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(zone, &enter);
    EXPECT_TRUE(enter.isAccepted());
    QDropEvent dropped(QPointF(centre), Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(zone, &dropped);
    EXPECT_TRUE(dropped.isAccepted());
}

} // namespace

ImportScreenDriver::ImportScreenDriver(ImportView *view) : m_view(view) { }

QAbstractButton *ImportScreenDriver::button(const char *objectName) const
{
    auto *found = find<QAbstractButton>(objectName);
    EXPECT_NE(found, nullptr) << objectName;
    return found;
}

void ImportScreenDriver::click(const char *objectName) const
{
    QTest::mouseClick(button(objectName), Qt::LeftButton);
}

void ImportScreenDriver::drop(const QStringList &paths) const
{
    QMimeData mime;
    QList<QUrl> urls;
    for (const QString &path : paths)
        urls.append(QUrl::fromLocalFile(path));
    mime.setUrls(urls);
    dropOn(find("dropZone"), mime);
}

void ImportScreenDriver::dropText(const QString &text) const
{
    QMimeData mime;
    mime.setText(text);
    dropOn(find("dropZone"), mime);
}

bool ImportScreenDriver::waitIdle() const
{
    return waitUntil([this] { return !m_view->isBusy(); });
}

void ImportScreenDriver::addRow(const QString &subject, const QString &text) const
{
    click("addEntryButton");
    EntryRow *added = rows().last();
    type(added->findChild<QLineEdit *>(QStringLiteral("subjectField")), subject);
    type(textField(added), text);
}

QList<EntryRow *> ImportScreenDriver::rows() const
{
    QList<EntryRow *> shown;
    // A deleted row is hidden at once and destroyed a moment later; a new row is not shown yet
    // but was never hidden.
    for (EntryRow *row : m_view->findChildren<EntryRow *>()) {
        if (!(row->isHidden() && row->testAttribute(Qt::WA_WState_ExplicitShowHide)))
            shown.append(row);
    }
    return shown;
}

EntryRow *ImportScreenDriver::row(int index) const
{
    return rows().at(index);
}

QStringList ImportScreenDriver::titles(bool tickedOnly) const
{
    QStringList titles;
    for (const SlateItem &item : m_view->items()) {
        if (item.enabled || !tickedOnly)
            titles.append(item.title());
    }
    return titles;
}

QCheckBox *ImportScreenDriver::tickBox(EntryRow *row)
{
    return row->findChild<QCheckBox *>(QStringLiteral("tickBox"));
}

QLineEdit *ImportScreenDriver::textField(EntryRow *row)
{
    return row->findChild<QLineEdit *>(QStringLiteral("textField"));
}

void ImportScreenDriver::untick(int index) const
{
    QCheckBox *box = tickBox(row(index));
    ASSERT_TRUE(box->isChecked());
    QCoreApplication::processEvents(); // lays out rows added a moment ago
    QTest::mouseClick(box, Qt::LeftButton, Qt::NoModifier, box->rect().center());
    ASSERT_FALSE(box->isChecked());
}

void ImportScreenDriver::typeListName(const QString &name) const
{
    auto *field = find<QLineEdit>("listNameField");
    field->selectAll();
    QTest::keyClick(field, Qt::Key_Delete);
    type(field, name);
}

void ImportScreenDriver::type(QWidget *field, const QString &text)
{
    field->setFocus();
    QInputMethodEvent commit;
    commit.setCommitString(text);
    QCoreApplication::sendEvent(field, &commit);
}

void ImportScreenDriver::chooseReminders() const
{
    auto *target = find<SegmentedControl>("targetSwitch");
    QTest::mouseClick(target, Qt::LeftButton, Qt::NoModifier, target->segmentRect(1).center());
}

void ImportScreenDriver::setDue(const QDateTime &due) const
{
    find<QDateTimeEdit>("dueEdit")->setDateTime(due);
}

QString ImportScreenDriver::countText() const
{
    return find<QLabel>("countLabel")->text();
}

QString ImportScreenDriver::statusShown() const
{
    return find<QLabel>("statusLabel")->text();
}

bool ImportScreenDriver::progressShown() const
{
    return find("busySpinner")->isVisible();
}

bool ImportScreenDriver::showsPicture() const
{
    return button("clearButton")->isVisible();
}

bool ImportScreenDriver::rawTextShown() const
{
    return find("rawTextSection")->isVisible();
}

QString ImportScreenDriver::rawTextTitle() const
{
    return find<QToolButton>("rawTextToggle")->text();
}

QStringList ImportScreenDriver::rawLines() const
{
    const QString text = find<QPlainTextEdit>("rawText")->toPlainText();
    return text.isEmpty() ? QStringList() : text.split(QLatin1Char('\n'));
}
