#pragma once

#include "core/SlateItem.h"
#include "ui/import/Recognition.h"
#include "ui/shell/SharedObjects.h"

#include <QImage>
#include <QList>
#include <QStringList>
#include <QWidget>
#include <functional>
#include <optional>

class DropZone;
class ImportFooter;
class ImportHeader;
class QPushButton;
class RawTextSection;
class ResultPane;

// `ImportView`: the main flow. An image comes in (dropped, chosen, pasted or handed over at
// start), is recognised and parsed off the UI thread, the entries are edited as rows, and one
// press writes the ticked ones to the app's own lists or to Reminders. Everything that lasts
// goes to the shared objects; the screen keeps only what it shows, and a new screen starts
// empty.
class ImportView : public QWidget {
    Q_OBJECT

public:
    explicit ImportView(SharedObjects shared, QWidget *parent = nullptr);

    // `load(url:)`: recognises the file on the thread pool, showing progress meanwhile.
    void load(const QString &path);
    // `pick()`: the open dialog for images, then `load` of the first file chosen.
    void pick();
    // Recognises the image on the clipboard, or says there is none.
    void pasteFromClipboard();
    // "清空": drops the image and the result; the header keeps its values.
    void clear();
    // Parses the recognised lines again, replacing rows and edits.
    void reparse();
    // Appends an empty, ticked row.
    void addEntry();
    void setAllTicked(bool ticked);
    // `write()`: the ticked rows to the chosen target.
    void write();

    const QList<SlateItem> &items() const { return m_items; }
    const QStringList &rawLines() const { return m_rawLines; }
    bool hasImage() const { return !m_image.isNull(); }
    const std::optional<QString> &imagePath() const { return m_imagePath; }
    QString status() const { return m_status; }
    // `busy`: a recognition or a Reminders write is under way.
    bool isBusy() const { return m_recognising || m_writing; }

    ImportHeader *header() const { return m_header; }
    DropZone *dropZone() const { return m_dropZone; }
    RawTextSection *rawTextSection() const { return m_rawText; }
    ResultPane *resultPane() const { return m_result; }
    ImportFooter *footer() const { return m_footer; }

signals:
    // After every change of the status line, e.g. when a recognition has been applied.
    void statusChanged(const QString &status);

private:
    enum class Source { File, Clipboard };

    QWidget *makeLeftPane();
    void appear();
    void recognise(Source source, std::function<Recognition()> job);
    void apply(const Recognition &recognition, Source source);
    void setItems(const QList<SlateItem> &items);
    void takeTitle(const std::optional<QString> &title);
    void setStatus(const QString &status);
    void refreshControls();
    SlateItem *item(const QUuid &id);

    SharedObjects m_shared;

    QList<SlateItem> m_items;
    QStringList m_rawLines;
    QImage m_image;
    std::optional<QString> m_imagePath;
    QString m_status;
    bool m_recognising = false;
    bool m_writing = false;
    // Counts the inputs (loads, pastes, clears): a recognition applies its result only while
    // nothing newer has come in, so a slow old load never overwrites a newer image.
    int m_inputGeneration = 0;

    ImportHeader *m_header;
    DropZone *m_dropZone;
    QPushButton *m_clearButton = nullptr;
    RawTextSection *m_rawText;
    ResultPane *m_result;
    ImportFooter *m_footer;
};
