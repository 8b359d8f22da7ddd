#include "ui/import/ImportView.h"

#include "core/Parser.h"
#include "core/ScoredText.h"
#include "data/AppSettings.h"
#include "ui/glass/GlassButton.h"
#include "ui/glass/GlassPanel.h"
#include "ui/import/DropZone.h"
#include "ui/import/ImportFooter.h"
#include "ui/import/ImportHeader.h"
#include "ui/import/ImportTexts.h"
#include "ui/import/ImportWrite.h"
#include "ui/import/RawTextSection.h"
#include "ui/import/ResultPane.h"

#include <QClipboard>
#include <QFileDialog>
#include <QFileInfo>
#include <QFutureWatcher>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QImageReader>
#include <QPointer>
#include <QPushButton>
#include <QShortcut>
#include <QVBoxLayout>
#include <QtConcurrent>

namespace {

// Every format the image loader reads (Qt's readers and HEIC/HEIF), in either letter case.
QString imageNameFilter()
{
    QStringList formats;
    for (const QByteArray &format : QImageReader::supportedImageFormats())
        formats.append(QString::fromLatin1(format));
    formats << QStringLiteral("heic") << QStringLiteral("heif");
    formats.removeDuplicates();
    QStringList patterns;
    for (const QString &format : formats)
        patterns << QStringLiteral("*.") + format << QStringLiteral("*.") + format.toUpper();
    return QStringLiteral("图片 (") + patterns.join(QLatin1Char(' ')) + QLatin1Char(')');
}

} // namespace

ImportView::ImportView(SharedObjects shared, QWidget *parent)
    : QWidget(parent)
    , m_shared(shared)
    , m_header(new ImportHeader(this))
    , m_dropZone(new DropZone(this))
    , m_rawText(new RawTextSection(this))
    , m_result(new ResultPane(this))
    , m_footer(new ImportFooter(this))
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

    connect(m_header, &ImportHeader::targetChanged, m_footer, &ImportFooter::setTarget);
    connect(m_dropZone, &DropZone::fileDropped, this, &ImportView::load);
    connect(m_result, &ResultPane::addRequested, this, &ImportView::addEntry);
    connect(m_result, &ResultPane::reparseRequested, this, &ImportView::reparse);
    connect(m_result, &ResultPane::tickedChanged, this, [this](const QUuid &id, bool ticked) {
        if (SlateItem *entry = item(id))
            entry->enabled = ticked;
        refreshControls();
    });
    connect(m_result, &ResultPane::subjectEdited, this, [this](const QUuid &id, const QString &subject) {
        if (SlateItem *entry = item(id))
            entry->subject = subject;
    });
    connect(m_result, &ResultPane::textEdited, this, [this](const QUuid &id, const QString &text) {
        if (SlateItem *entry = item(id)) {
            entry->text = text;
            entry->textConfidence.clear(); // the user has checked it
        }
    });
    connect(m_result, &ResultPane::removeRequested, this, [this](const QUuid &id) {
        m_items.removeIf([&id](const SlateItem &entry) { return entry.id == id; });
        m_result->removeRow(id);
        refreshControls();
    });
    connect(m_footer, &ImportFooter::selectAllRequested, this, [this] { setAllTicked(true); });
    connect(m_footer, &ImportFooter::selectNoneRequested, this, [this] { setAllTicked(false); });
    connect(m_footer, &ImportFooter::writeRequested, this, &ImportView::write);

    // Text fields keep Ctrl+V for themselves; anywhere else it pastes an image.
    connect(new QShortcut(QKeySequence::Paste, this), &QShortcut::activated, this, &ImportView::pasteFromClipboard);
    for (QKeyCombination keys : {Qt::CTRL | Qt::Key_Return, Qt::CTRL | Qt::Key_Enter}) {
        connect(new QShortcut(QKeySequence(keys), this), &QShortcut::activated, this, [this] {
            if (m_footer->writeButton()->isEnabled())
                write();
        });
    }

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

    auto *buttons = new QHBoxLayout;
    buttons->setSpacing(8);
    auto *choose = new QPushButton(QStringLiteral("选择图片…"), pane);
    choose->setObjectName(QStringLiteral("chooseImageButton"));
    auto *paste = new QPushButton(QStringLiteral("从剪贴板"), pane);
    paste->setObjectName(QStringLiteral("pasteButton"));
    m_clearButton = new QPushButton(QStringLiteral("清空"), pane);
    m_clearButton->setObjectName(QStringLiteral("clearButton"));
    buttons->addStretch();
    buttons->addWidget(choose);
    buttons->addWidget(paste);
    buttons->addWidget(m_clearButton);
    buttons->addStretch();
    stack->addLayout(buttons);

    m_rawText->setObjectName(QStringLiteral("rawTextSection"));
    stack->addWidget(m_rawText, 0, Qt::AlignHCenter);

    connect(choose, &QPushButton::clicked, this, &ImportView::pick);
    connect(paste, &QPushButton::clicked, this, &ImportView::pasteFromClipboard);
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
    m_imagePath = QFileInfo(path).absoluteFilePath();
    setStatus(ImportTexts::recognising(QFileInfo(path).fileName()));
    // Settings are read here, on the UI thread that owns them, not by the job.
    recognise(Source::File, [path, languages = m_shared.settings.ocrLanguages(), subjects = m_shared.settings.subjects()] {
        return Recognition::ofFile(path, languages, subjects);
    });
}

void ImportView::pick()
{
    QFileDialog dialog(this);
    dialog.setFileMode(QFileDialog::ExistingFiles);
    dialog.setNameFilter(imageNameFilter());
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return;
    load(dialog.selectedFiles().first());
}

void ImportView::pasteFromClipboard()
{
    const QImage image = QGuiApplication::clipboard()->image();
    if (image.isNull()) {
        setStatus(ImportTexts::clipboardEmpty());
        return;
    }
    m_imagePath.reset();
    setStatus(ImportTexts::recognising(ImportTexts::clipboardSourceName()));
    recognise(Source::Clipboard, [image, languages = m_shared.settings.ocrLanguages(), subjects = m_shared.settings.subjects()] {
        return Recognition::ofImage(image, languages, subjects);
    });
}

void ImportView::recognise(Source source, std::function<Recognition()> job)
{
    const int generation = ++m_inputGeneration;
    m_recognising = true;
    refreshControls();
    auto *watcher = new QFutureWatcher<Recognition>(this);
    connect(watcher, &QFutureWatcherBase::finished, this, [this, watcher, generation, source] {
        watcher->deleteLater();
        if (generation != m_inputGeneration)
            return; // a newer image or a clear came in meanwhile
        m_recognising = false;
        apply(watcher->result(), source);
    });
    watcher->setFuture(QtConcurrent::run(std::move(job)));
}

void ImportView::apply(const Recognition &recognition, Source source)
{
    m_image = recognition.preview;
    m_dropZone->setImage(m_image);
    m_rawLines = recognition.lines;
    m_rawText->setLines(m_rawLines);
    setItems(recognition.items);
    takeTitle(recognition.title);
    qsizetype placesToCheck = 0;
    for (const SlateItem &entry : recognition.items)
        placesToCheck += doubtfulSpans(entry.textConfidence).size();
    if (source == Source::Clipboard)
        setStatus(ImportTexts::withPlacesToCheck(ImportTexts::pasted(recognition.items.size()), placesToCheck));
    else if (recognition.lines.isEmpty())
        setStatus(ImportTexts::noText());
    else
        setStatus(ImportTexts::withPlacesToCheck(
            ImportTexts::recognised(recognition.lines.size(), recognition.items.size()), placesToCheck));
    refreshControls();
}

void ImportView::clear()
{
    ++m_inputGeneration;
    m_recognising = false;
    m_image = QImage();
    m_dropZone->setImage(m_image);
    m_imagePath.reset();
    m_rawLines.clear();
    m_rawText->setLines(m_rawLines);
    setItems({});
    setStatus(ImportTexts::initialStatus());
    refreshControls();
}

void ImportView::reparse()
{
    const Parser::Result parsed = Parser::parse(m_rawLines, m_shared.settings.subjects());
    setItems(parsed.items);
    takeTitle(parsed.title);
    setStatus(ImportTexts::reparsed(parsed.items.size()));
    refreshControls();
}

void ImportView::addEntry()
{
    const SlateItem entry{QString(), QString()};
    m_items.append(entry);
    m_result->appendRow(entry);
    refreshControls();
}

void ImportView::setAllTicked(bool ticked)
{
    for (SlateItem &entry : m_items)
        entry.enabled = ticked;
    m_result->setAllTicked(ticked);
    refreshControls();
}

void ImportView::write()
{
    if (m_items.isEmpty() || isBusy())
        return;
    const WriteRequest request = WriteRequest::fromScreen(m_items, m_header->listName(), m_header->dueOn(),
                                                          m_header->due(), m_imagePath);
    if (m_header->savesToApp()) {
        setStatus(ImportTexts::savingToApp());
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
    m_status = status;
    m_footer->setStatus(status);
    emit statusChanged(status);
}

void ImportView::refreshControls()
{
    const qsizetype ticked = std::count_if(m_items.cbegin(), m_items.cend(), [](const SlateItem &entry) { return entry.enabled; });
    m_result->setCounts(ticked, m_items.size());
    m_result->setReparseEnabled(!m_rawLines.isEmpty());
    m_rawText->setVisible(!m_rawLines.isEmpty());
    m_clearButton->setVisible(hasImage());
    m_footer->setHasItems(!m_items.isEmpty());
    m_footer->setWriteEnabled(!m_items.isEmpty() && !isBusy());
    m_footer->setBusy(isBusy());
}

SlateItem *ImportView::item(const QUuid &id)
{
    for (SlateItem &entry : m_items) {
        if (entry.id == id)
            return &entry;
    }
    return nullptr;
}
