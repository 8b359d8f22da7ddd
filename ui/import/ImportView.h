#pragma once

#include "bridges/desktop/ScreenshotPortal.h"
#include "core/SlateItem.h"
#include "ui/SharedObjects.h"
#include "ui/import/Recognition.h"

#include <QList>
#include <QStringList>
#include <QWidget>
#include <functional>

class DropZone;
class ImportFooter;
class ImportHeader;
class QPushButton;
class RawTextSection;
class ResultPane;
class StatusLine;

// `ImportView`: the main flow. Pictures come in (dropped, chosen, pasted, captured from the
// screen or handed over at start), are recognised and parsed off the UI thread, or text comes
// in and is parsed as it is; the entries are edited as rows, and one press writes the ticked
// ones to the app's own lists or to Reminders. Everything that lasts goes to the shared
// objects; the screen keeps only what it shows, and a new screen starts empty. Tests find its
// controls by their object names.
class ImportView : public QWidget {
    Q_OBJECT

public:
    explicit ImportView(SharedObjects shared, QWidget *parent = nullptr);

    // Recognises the file on the thread pool, showing progress meanwhile.
    void load(const QString &path);
    // Several files as one import: recognised in this order, their lines joined in that order
    // and parsed as one list.
    void load(const QStringList &paths);
    // The open dialog for images (several may be chosen), then `load` of them.
    void pick();
    // Takes the clipboard's picture, else its files, else its text; or says it holds none.
    void pasteFromClipboard();
    // "截取屏幕…": the desktop's screenshot tool, then recognition of the region chosen.
    void capture();
    // "清空": drops the pictures and the result; the header keeps its values.
    void clear();
    // Parses the recognised lines again, replacing rows and edits.
    void reparse();
    // Appends an empty, ticked row.
    void addEntry();
    void setAllTicked(bool ticked);
    // `write()`: the ticked rows to the chosen target.
    void write();

    const QList<SlateItem> &items() const { return m_items; }
    // `busy`: a recognition or a Reminders write is under way.
    bool isBusy() const { return m_recognising || m_writing; }
    ImportHeader *header() const { return m_header; }
    RawTextSection *rawTextSection() const { return m_rawText; }

signals:
    // After every change of the status line, e.g. when a recognition has been applied.
    void statusChanged(const QString &status);

private:
    enum class Source { Files, Clipboard, Screenshot };
    // A recognition job; it calls its argument with k before the k-th picture.
    using Job = std::function<Recognition(const std::function<void(int)> &starting)>;

    QWidget *makeLeftPane();
    void appear();
    void recognise(Source source, qsizetype pictures, Job job);
    void apply(const Recognition &recognition, Source source);
    void showResult(const Recognition &recognition);
    void takeText(const QString &text, bool dropped);
    void captured(ScreenshotPortal::Outcome outcome, const QString &file);
    void setItems(const QList<SlateItem> &items);
    void takeTitle(const std::optional<QString> &title);
    void setStatus(const QString &status);
    // The result's status with the places to check that the rows still hold.
    void showResultStatus(const QString &result);
    // After a row changed: the count follows while the line still shows the result.
    void recountPlacesToCheck();
    void refreshControls();
    void refreshTabOrder();
    QString portalWindowId() const;
    SlateItem *item(const QUuid &id);

    SharedObjects m_shared;

    QList<SlateItem> m_items;
    QStringList m_rawLines;
    QList<QStringList> m_rawPages; // m_rawLines as the pictures gave them
    bool m_hasImage = false;
    // The files of the current import, in order; none for a paste, a screenshot or text.
    QStringList m_imagePaths;
    bool m_fromText = false;
    bool m_recognising = false;
    bool m_writing = false;
    // Counts the inputs (loads, pastes, clears): a recognition applies its result only while
    // nothing newer has come in, so a slow old load never overwrites a newer image.
    int m_inputGeneration = 0;
    // The last result's status without its places to check, and the line as then shown.
    QString m_resultStatus;
    QString m_resultShown;

    ImportHeader *m_header;
    DropZone *m_dropZone;
    QList<QWidget *> m_leftButtons;
    QPushButton *m_captureButton = nullptr;
    QPushButton *m_clearButton = nullptr;
    RawTextSection *m_rawText;
    ResultPane *m_result;
    ImportFooter *m_footer;
    // The footer's status line.
    StatusLine *m_status;
    ScreenshotPortal *m_portal;
};
