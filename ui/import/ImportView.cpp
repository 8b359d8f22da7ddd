#include "ui/import/ImportView.h"

#include "core/Parser.h"
#include "core/ScoredText.h"
#include "data/AppSettings.h"
#include "data/HistoryStore.h"
#include "data/TaskStore.h"
#include "ui/glass/GlassButton.h"
#include "ui/glass/GlassPanel.h"
#include "ui/glass/StatusLine.h"
#include "ui/import/DropZone.h"
#include "ui/import/ImageFileDialog.h"
#include "ui/import/ImportFooter.h"
#include "ui/import/ImportHeader.h"
#include "ui/import/ImportTexts.h"
#include "ui/import/ImportWrite.h"
#include "ui/import/RawTextSection.h"
#include "ui/import/ResultPane.h"
#include "ui/import/WriteRequest.h"

#include <QClipboard>
#include <QDBusConnection>
#include <QFileInfo>
#include <QFutureWatcher>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QMimeData>
#include <QPointer>
#include <QPushButton>
#include <QShortcut>
#include <QVBoxLayout>
#include <QtConcurrent>

ImportView::ImportView(SharedObjects shared, QWidget *parent)
    : QWidget(parent), m_shared(shared), m_header(new ImportHeader(this)),
      m_dropZone(new DropZone(this)), m_rawText(new RawTextSection(this)),
      m_result(new ResultPane(this)), m_footer(new ImportFooter(this)),
      m_status(m_footer->statusLine()),
      m_portal(new ScreenshotPortal(QDBusConnection::sessionBus(), this))
{
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(18, 6, 18, 18);
    layout->setSpacing(12);
    layout->addWidget(m_header);
    auto *work = new QHBoxLayout;
    work->setSpacing(14);
    work->addWidget(makeLeftPane(), 0, Qt::AlignTop);
    work->addWidget(m_result, 1);
    layout->addLayout(work, 1);
    layout->addWidget(m_footer);

    connect(m_status, &StatusLine::textChanged, this, &ImportView::statusChanged);
    // A write that was not saved stays in memory; the status says so until the user acts again.
    connect(&m_shared.store, &TaskStore::saveFailed, m_status, &StatusLine::setFailure);
    connect(&m_shared.history, &HistoryStore::saveFailed, m_status, &StatusLine::setFailure);
    connect(m_header, &ImportHeader::targetChanged, m_status, &StatusLine::acknowledge);
    connect(m_header, &ImportHeader::targetChanged, m_footer, &ImportFooter::setTarget);
    connect(m_dropZone, &DropZone::filesDropped, this,
            qOverload<const QStringList &>(&ImportView::load));
    connect(m_dropZone, &DropZone::textDropped, this,
            [this](const QString &text) { takeText(text, true); });
    connect(m_portal, &ScreenshotPortal::finished, this, &ImportView::captured);
    connect(m_result, &ResultPane::addRequested, this, &ImportView::addEntry);
    connect(m_result, &ResultPane::reparseRequested, this, &ImportView::reparse);
    connect(m_result, &ResultPane::tickedChanged, this, [this](const QUuid &id, bool ticked) {
        m_status->acknowledge();
        if (SlateItem *entry = item(id))
            entry->enabled = ticked;
        refreshControls();
    });
    connect(m_result, &ResultPane::subjectEdited, this,
            [this](const QUuid &id, const QString &subject) {
                m_status->acknowledge();
                if (SlateItem *entry = item(id))
                    entry->subject = subject;
            });
    connect(m_result, &ResultPane::textEdited, this, [this](const QUuid &id, const QString &text) {
        m_status->acknowledge();
        if (SlateItem *entry = item(id)) {
            entry->text = text;
            entry->textConfidence.clear(); // the user has checked it
            recountPlacesToCheck();
        }
    });
    connect(m_result, &ResultPane::removeRequested, this, [this](const QUuid &id) {
        m_status->acknowledge();
        m_items.removeIf([&id](const SlateItem &entry) { return entry.id == id; });
        m_result->removeRow(id);
        recountPlacesToCheck();
        refreshControls();
    });
    connect(m_footer, &ImportFooter::selectAllRequested, this, [this] { setAllTicked(true); });
    connect(m_footer, &ImportFooter::selectNoneRequested, this, [this] { setAllTicked(false); });
    connect(m_footer, &ImportFooter::writeRequested, this, &ImportView::write);

    // Text fields keep Ctrl+V for themselves; anywhere else it pastes a picture or text.
    connect(new QShortcut(QKeySequence::Paste, this), &QShortcut::activated, this,
            &ImportView::pasteFromClipboard);
    connect(new QShortcut(QKeySequence::New, this), &QShortcut::activated, this,
            &ImportView::addEntry);
    connect(new QShortcut(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_S), this),
            &QShortcut::activated, this, &ImportView::capture);
    for (QKeyCombination keys : {Qt::CTRL | Qt::Key_Return, Qt::CTRL | Qt::Key_Enter})
        connect(new QShortcut(QKeySequence(keys), this), &QShortcut::activated, this,
                &ImportView::write);

    appear();
    setStatus(ImportTexts::initialStatus());
    refreshControls();
}

QWidget *ImportView::makeLeftPane()
{
    auto *pane = new GlassPanel(14, std::nullopt, false, this);
    auto *stack = new QVBoxLayout(pane);
    stack->setContentsMargins(12, 12, 12, 12);
    stack->setSpacing(8);
    m_dropZone->setObjectName(QStringLiteral("dropZone"));
    stack->addWidget(m_dropZone, 0, Qt::AlignHCenter);

    auto *choose = new QPushButton(ImportTexts::chooseButton(), pane);
    choose->setObjectName(QStringLiteral("chooseImageButton"));
    choose->setShortcut(QKeySequence::Open);
    choose->setToolTip(ImportTexts::chooseDescription());
    auto *paste = new QPushButton(ImportTexts::pasteButton(), pane);
    paste->setObjectName(QStringLiteral("pasteButton"));
    paste->setToolTip(ImportTexts::pasteDescription());
    m_captureButton = new QPushButton(ImportTexts::captureButton(), pane);
    m_captureButton->setObjectName(QStringLiteral("captureButton"));
    m_captureButton->setToolTip(ImportTexts::captureDescription());
    m_clearButton = new QPushButton(ImportTexts::clearButton(), pane);
    m_clearButton->setObjectName(QStringLiteral("clearButton"));
    m_leftButtons = {choose, paste, m_captureButton, m_clearButton};
    // Two rows, so the four buttons fit the width of the drop zone.
    auto *ways = new QHBoxLayout;
    ways->setSpacing(8);
    ways->addStretch();
    ways->addWidget(choose);
    ways->addWidget(paste);
    ways->addWidget(m_captureButton);
    ways->addStretch();
    stack->addLayout(ways);
    stack->addWidget(m_clearButton, 0, Qt::AlignHCenter);

    m_rawText->setObjectName(QStringLiteral("rawTextSection"));
    stack->addWidget(m_rawText, 0, Qt::AlignHCenter);

    connect(choose, &QPushButton::clicked, this, &ImportView::pick);
    connect(paste, &QPushButton::clicked, this, &ImportView::pasteFromClipboard);
    connect(m_captureButton, &QPushButton::clicked, this, &ImportView::capture);
    connect(m_clearButton, &QPushButton::clicked, this, &ImportView::clear);
    return pane;
}

// Appearing: the defaults from the settings, filled in when the screen is built.
void ImportView::appear()
{
    if (m_header->listName().isEmpty())
        m_header->setListName(m_shared.settings.defaultListName(QDateTime::currentDateTime()));
    m_header->setDueOn(m_shared.settings.dueEnabled());
    m_header->setDue(m_shared.settings.defaultDue().value_or(QDateTime::currentDateTime()));
}

void ImportView::load(const QString &path)
{
    load(QStringList{path});
}

void ImportView::load(const QStringList &paths)
{
    m_status->acknowledge();
    if (paths.isEmpty())
        return;
    m_imagePaths.clear();
    for (const QString &path : paths)
        m_imagePaths.append(QFileInfo(path).absoluteFilePath());
    m_fromText = false;
    setStatus(paths.size() == 1 ? ImportTexts::recognising(QFileInfo(paths.first()).fileName())
                                : ImportTexts::recognisingPicture(1, paths.size()));
    // Settings are read here, on the UI thread that owns them, not by the job.
    recognise(Source::Files, paths.size(),
              [paths, languages = m_shared.settings.ocrLanguages(),
               subjects = m_shared.settings.subjects()](const std::function<void(int)> &starting) {
                  return Recognition::ofFiles(paths, languages, subjects, starting);
              });
}

void ImportView::pick()
{
    ImageFileDialog dialog(this);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return;
    load(dialog.selectedFiles());
}

void ImportView::pasteFromClipboard()
{
    m_status->acknowledge();
    const QClipboard *clipboard = QGuiApplication::clipboard();
    const QImage image = clipboard->image();
    if (!image.isNull()) {
        m_imagePaths.clear();
        m_fromText = false;
        setStatus(ImportTexts::recognising(ImportTexts::clipboardSourceName()));
        recognise(Source::Clipboard, 1,
                  [image, languages = m_shared.settings.ocrLanguages(),
                   subjects = m_shared.settings.subjects()](const std::function<void(int)> &) {
                      return Recognition::ofImage(image, languages, subjects);
                  });
        return;
    }
    // Files copied in a file manager come as their addresses.
    const QMimeData *mime = clipboard->mimeData();
    QStringList files;
    if (mime && mime->hasUrls()) {
        for (const QUrl &url : mime->urls()) {
            if (url.isLocalFile())
                files.append(url.toLocalFile());
        }
    }
    if (!files.isEmpty())
        return load(files);
    const QString text = clipboard->text();
    if (!text.trimmed().isEmpty())
        return takeText(text, false);
    setStatus(ImportTexts::clipboardEmpty());
}

void ImportView::capture()
{
    m_status->acknowledge();
    if (m_portal->isCapturing())
        return;
    setStatus(ImportTexts::capturing());
    m_portal->capture(portalWindowId());
}

// The portal places its tool over our window when it knows the window (X11 only; a Wayland
// handle would need the xdg-foreign protocol).
QString ImportView::portalWindowId() const
{
    if (QGuiApplication::platformName() != QLatin1String("xcb"))
        return {};
    return QStringLiteral("x11:") + QString::number(window()->winId(), 16);
}

void ImportView::captured(ScreenshotPortal::Outcome outcome, const QString &file)
{
    switch (outcome) {
    case ScreenshotPortal::Outcome::Captured:
        // Recognised as a pasted picture would be: the file is the portal's, not the user's.
        m_imagePaths.clear();
        m_fromText = false;
        setStatus(ImportTexts::recognising(ImportTexts::screenshotSourceName()));
        recognise(
            Source::Screenshot, 1,
            [file, languages = m_shared.settings.ocrLanguages(),
             subjects = m_shared.settings.subjects()](const std::function<void(int)> &starting) {
                return Recognition::ofFiles({file}, languages, subjects, starting);
            });
        return;
    case ScreenshotPortal::Outcome::Cancelled:
        setStatus(ImportTexts::captureCancelled());
        return;
    case ScreenshotPortal::Outcome::Unavailable:
        m_captureButton->setToolTip(ImportTexts::captureUnavailable());
        setStatus(ImportTexts::captureUnavailable());
        return;
    case ScreenshotPortal::Outcome::Failed:
        setStatus(ImportTexts::captureFailed());
        return;
    }
}

void ImportView::recognise(Source source, qsizetype pictures, Job job)
{
    const int generation = ++m_inputGeneration;
    m_recognising = true;
    refreshControls();
    auto *watcher = new QFutureWatcher<Recognition>(this);
    if (pictures > 1) {
        connect(watcher, &QFutureWatcherBase::progressValueChanged, this,
                [this, generation, pictures](int k) {
                    if (generation == m_inputGeneration && k >= 1)
                        setStatus(ImportTexts::recognisingPicture(k, pictures));
                });
    }
    connect(watcher, &QFutureWatcherBase::finished, this, [this, watcher, generation, source] {
        watcher->deleteLater();
        if (generation != m_inputGeneration)
            return; // a newer input or a clear came in meanwhile
        m_recognising = false;
        apply(watcher->result(), source);
    });
    watcher->setFuture(
        QtConcurrent::run([pictures, job = std::move(job)](QPromise<Recognition> &promise) {
            promise.setProgressRange(0, int(pictures));
            promise.addResult(job([&promise](int k) { promise.setProgressValue(k); }));
        }));
}

void ImportView::apply(const Recognition &recognition, Source source)
{
    showResult(recognition);
    if (source == Source::Clipboard)
        showResultStatus(ImportTexts::pasted(recognition.items.size()));
    else if (source == Source::Screenshot)
        showResultStatus(ImportTexts::captured(recognition.items.size()));
    else if (recognition.lines.isEmpty())
        setStatus(ImportTexts::noText());
    else
        showResultStatus(
            ImportTexts::recognised(recognition.lines.size(), recognition.items.size()));
    refreshControls();
}

void ImportView::showResult(const Recognition &recognition)
{
    m_hasImage = !recognition.previews.isEmpty();
    m_dropZone->setImages(recognition.previews);
    m_rawLines = recognition.lines;
    m_rawPages = recognition.pages();
    m_rawText->setLines(m_rawLines);
    setItems(recognition.items);
    takeTitle(recognition.title);
}

// Text needs no recognition: it is parsed at once, and a recognition still under way is older
// input whose result is dropped.
void ImportView::takeText(const QString &text, bool dropped)
{
    m_status->acknowledge();
    ++m_inputGeneration;
    m_recognising = false;
    m_imagePaths.clear();
    m_fromText = true;
    const Recognition parsed = Recognition::ofText(text, m_shared.settings.subjects());
    showResult(parsed);
    setStatus(dropped ? ImportTexts::textDropped(parsed.items.size())
                      : ImportTexts::pasted(parsed.items.size()));
    refreshControls();
}

void ImportView::clear()
{
    m_status->acknowledge();
    ++m_inputGeneration;
    m_recognising = false;
    m_imagePaths.clear();
    m_fromText = false;
    showResult(Recognition());
    setStatus(ImportTexts::initialStatus());
    refreshControls();
}

void ImportView::reparse()
{
    m_status->acknowledge();
    const Parser::Result parsed = Parser::parseTextPages(m_rawPages, m_shared.settings.subjects());
    setItems(parsed.items);
    takeTitle(parsed.title);
    setStatus(ImportTexts::reparsed(parsed.items.size()));
    refreshControls();
}

void ImportView::addEntry()
{
    m_status->acknowledge();
    const SlateItem entry{QString(), QString()};
    m_items.append(entry);
    m_result->appendRow(entry);
    m_result->focusLastRow(); // the user adds a row to type into it
    refreshControls();
}

void ImportView::setAllTicked(bool ticked)
{
    m_status->acknowledge();
    for (SlateItem &entry : m_items)
        entry.enabled = ticked;
    m_result->setAllTicked(ticked);
    refreshControls();
}

void ImportView::write()
{
    if (m_items.isEmpty() || isBusy())
        return;
    m_status->acknowledge();
    WriteRequest request =
        WriteRequest::fromScreen(m_items, m_header->listName(), m_header->dueOn(), m_header->due());
    request.imagePaths = m_imagePaths;
    request.fromText = m_fromText;
    if (m_header->savesToApp()) {
        setStatus(ImportWrite::saveToApp(m_shared, request));
        return;
    }

    m_writing = true;
    setStatus(ImportTexts::writingReminders());
    refreshControls();
    // The write finishes even when this screen is gone; only its status has nowhere to go.
    QPointer<ImportView> self(this);
    ImportWrite::writeToReminders(m_shared, request, [self](const QString &status) {
        if (!self)
            return;
        self->m_writing = false;
        self->setStatus(status);
        self->refreshControls();
    });
}

void ImportView::setItems(const QList<SlateItem> &items)
{
    m_items = items;
    m_result->setItems(m_items);
}

void ImportView::takeTitle(const std::optional<QString> &title)
{
    if (title && !title->isEmpty())
        m_header->setListName(*title);
}

void ImportView::setStatus(const QString &status)
{
    m_status->setStatus(status);
}

void ImportView::showResultStatus(const QString &result)
{
    qsizetype placesToCheck = 0;
    for (const SlateItem &entry : m_items)
        placesToCheck += doubtfulSpans(entry.textConfidence).size();
    m_resultStatus = result;
    m_resultShown = ImportTexts::withPlacesToCheck(result, placesToCheck);
    setStatus(m_resultShown);
}

void ImportView::recountPlacesToCheck()
{
    if (!m_resultShown.isEmpty() && m_status->text() == m_resultShown)
        showResultStatus(m_resultStatus);
}

void ImportView::refreshControls()
{
    const qsizetype ticked = std::count_if(m_items.cbegin(), m_items.cend(),
                                           [](const SlateItem &entry) { return entry.enabled; });
    m_result->setCounts(ticked, m_items.size());
    m_result->setReparseEnabled(!m_rawLines.isEmpty());
    m_rawText->setVisible(!m_rawLines.isEmpty());
    m_clearButton->setVisible(m_hasImage);
    m_footer->setHasItems(!m_items.isEmpty());
    m_footer->setWriteEnabled(!m_items.isEmpty() && !isBusy());
    m_footer->setBusy(isBusy());
    refreshTabOrder();
}

// Tab follows the screen as it reads: the header, the picture and its buttons, the recognised
// text, the rows, then the footer's buttons. Rows made after the footer would otherwise come
// last, behind the write button.
void ImportView::refreshTabOrder()
{
    const QList<QWidget *> chain = m_header->focusChain() + QList<QWidget *>{m_dropZone} +
        m_leftButtons + m_rawText->focusChain() + m_result->focusChain() + m_footer->focusChain();
    for (qsizetype i = 1; i < chain.size(); ++i)
        setTabOrder(chain[i - 1], chain[i]);
}

SlateItem *ImportView::item(const QUuid &id)
{
    for (SlateItem &entry : m_items) {
        if (entry.id == id)
            return &entry;
    }
    return nullptr;
}
