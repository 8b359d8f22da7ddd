#include "ui/lists/ImportFromRemindersSheet.h"

#include "bridges/reminders/RemindersService.h"
#include "core/HorizontalSpace.h"
#include "ui/glass/BusySpinner.h"
#include "ui/glass/GlassFonts.h"
#include "ui/glass/SymbolView.h"
#include "ui/glass/ToneLabel.h"
#include "ui/lists/ListsActions.h"
#include "ui/lists/ListsTexts.h"

#include <QCheckBox>
#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QScrollArea>
#include <QVBoxLayout>

using GlassPalette::Tone;

ImportFromRemindersSheet::ImportFromRemindersSheet(SharedObjects shared, QWidget *parent)
    : QDialog(parent), m_shared(shared), m_info(ListsTexts::sheetInitialInfo()),
      m_spinner(new BusySpinner(this)),
      m_infoLabel(new ToneLabel(m_info, Tone::Secondary,
                                GlassFonts::font(GlassFonts::Style::Caption), this)),
      m_picker(new QComboBox(this)), m_all(new QCheckBox(ListsTexts::selectAll(), this)),
      m_rowsContent(new QWidget(this)), m_rowsLayout(new QVBoxLayout(m_rowsContent)),
      m_emptyInfo(new ToneLabel(m_info, Tone::Secondary, GlassFonts::font(GlassFonts::Style::Body),
                                m_rowsContent)),
      m_target(new QLineEdit(ListsTexts::sheetDefaultTarget(), this)),
      m_selectedCount(new ToneLabel(ListsTexts::sheetSelected(0), Tone::Secondary,
                                    GlassFonts::font(GlassFonts::Style::Body), this)),
      m_cancel(new QPushButton(ListsTexts::cancelButton(), this)),
      m_import(new QPushButton(ListsTexts::importButton(), this))
{
    setWindowTitle(ListsTexts::sheetTitle());
    setObjectName(QStringLiteral("importFromRemindersSheet"));
    setFixedSize(640, 430);
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(16, 16, 16, 16);
    layout->setSpacing(10);

    auto *header = new QHBoxLayout;
    header->setSpacing(8);
    header->addWidget(
        new SymbolView(QStringLiteral("document-import-symbolic"), 17, Tone::Accent, this));
    auto *title = new QLabel(ListsTexts::sheetTitle(), this);
    title->setFont(GlassFonts::font(GlassFonts::Style::Headline));
    header->addWidget(title);
    header->addStretch();
    m_spinner->hide();
    header->addWidget(m_spinner);
    layout->addLayout(header);

    m_infoLabel->setObjectName(QStringLiteral("sheetInfoLabel"));
    layout->addWidget(m_infoLabel);

    auto *pickerRow = new QHBoxLayout;
    pickerRow->setSpacing(10);
    auto *pickerLabel = new QLabel(ListsTexts::sheetSourceLabel(), this);
    pickerRow->addWidget(pickerLabel);
    m_picker->setObjectName(QStringLiteral("sourcePicker"));
    m_picker->setFixedWidth(260 - pickerLabel->sizeHint().width() - 10);
    m_picker->setAccessibleName(ListsTexts::sheetSourceLabel());
    m_picker->addItem(ListsTexts::sheetChoose());
    pickerRow->addWidget(m_picker);
    m_all->setObjectName(QStringLiteral("selectAllBox"));
    pickerRow->addWidget(m_all);
    pickerRow->addStretch();
    layout->addLayout(pickerRow);

    auto *scroll = new QScrollArea(this);
    scroll->setObjectName(QStringLiteral("sheetRowsArea"));
    scroll->setFixedHeight(250);
    scroll->setWidgetResizable(true);
    scroll->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_rowsLayout->setContentsMargins(8, 6, 8, 6);
    m_rowsLayout->setSpacing(6);
    m_emptyInfo->setObjectName(QStringLiteral("sheetEmptyInfo"));
    m_emptyInfo->setContentsMargins(0, 30, 0, 0);
    m_rowsLayout->addWidget(m_emptyInfo, 0, Qt::AlignHCenter);
    m_rowsLayout->addStretch();
    scroll->setWidget(m_rowsContent);
    layout->addWidget(scroll);
    layout->addStretch();

    auto *bottom = new QHBoxLayout;
    bottom->setSpacing(8);
    bottom->addWidget(new QLabel(ListsTexts::sheetTargetLabel(), this));
    m_target->setObjectName(QStringLiteral("targetField"));
    m_target->setPlaceholderText(ListsTexts::listNamePlaceholder());
    m_target->setAccessibleName(ListsTexts::sheetTargetLabel());
    m_target->setFixedWidth(180);
    bottom->addWidget(m_target);
    m_selectedCount->setObjectName(QStringLiteral("selectedCountLabel"));
    bottom->addWidget(m_selectedCount);
    bottom->addStretch();
    m_cancel->setObjectName(QStringLiteral("sheetCancelButton"));
    m_cancel->setAutoDefault(false);
    m_import->setObjectName(QStringLiteral("sheetImportButton"));
    m_import->setDefault(true);
    bottom->addWidget(m_cancel);
    bottom->addWidget(m_import);
    layout->addLayout(bottom);

    connect(m_picker, &QComboBox::activated, this, [this](int index) {
        // "请选择" changes nothing else.
        if (index > 0)
            load(m_picker->itemText(index));
    });
    connect(m_all, &QCheckBox::clicked, this, [this](bool on) {
        m_selectedIds.clear();
        if (on) {
            for (const ReminderRow &row : m_rows)
                m_selectedIds.insert(row.id);
        }
        for (int i = 0; i < m_rowBoxes.size(); ++i) {
            const QSignalBlocker quiet(m_rowBoxes[i]);
            m_rowBoxes[i]->setChecked(on);
        }
        refreshControls();
    });
    connect(m_target, &QLineEdit::textChanged, this, &ImportFromRemindersSheet::refreshControls);
    connect(m_cancel, &QPushButton::clicked, this, &QDialog::reject);
    connect(m_import, &QPushButton::clicked, this, &ImportFromRemindersSheet::importTicked);
    refreshControls();
}

void ImportFromRemindersSheet::start()
{
    QPointer<ImportFromRemindersSheet> self(this);
    m_shared.service.requestAccess([self](bool granted) {
        if (!self)
            return;
        if (!granted) {
            // A desktop service that is missing or silent says which and why.
            const std::optional<ReminderError> unreachable = self->m_shared.service.unreachable();
            self->setInfo(unreachable ? unreachable->description
                                      : ListsTexts::sheetNoAccess(self->m_shared.service.folder()));
            return;
        }
        self->m_sourceLists = self->m_shared.service.listNames();
        for (const QString &name : self->m_sourceLists)
            self->m_picker->addItem(name);
        const std::optional<QString> chosen = ListsActions::preferredSource(self->m_sourceLists);
        if (!chosen)
            return;
        self->m_picker->setCurrentIndex(int(self->m_sourceLists.indexOf(*chosen)) + 1);
        self->load(*chosen);
    });
}

void ImportFromRemindersSheet::load(const QString &listName)
{
    m_source = listName;
    const int index = m_picker->findText(listName, Qt::MatchExactly);
    if (index > 0 && m_picker->currentIndex() != index)
        m_picker->setCurrentIndex(index);
    const int generation = ++m_loadGeneration;
    setLoading(true);
    QPointer<ImportFromRemindersSheet> self(this);
    m_shared.service.rows(listName, [self, generation](QList<ReminderRow> rows) {
        if (!self || generation != self->m_loadGeneration)
            return;
        self->m_rows = std::move(rows);
        self->m_selectedIds.clear();
        for (const ReminderRow &row : self->m_rows)
            self->m_selectedIds.insert(row.id);
        self->setLoading(false);
        self->setInfo(ListsTexts::sheetLoaded(self->m_rows.size()));
        self->showRows();
    });
}

void ImportFromRemindersSheet::importTicked()
{
    if (!m_import->isEnabled())
        return;
    QList<ReminderRow> ticked;
    for (const ReminderRow &row : m_rows) {
        if (m_selectedIds.contains(row.id))
            ticked.append(row);
    }
    ListsActions::importRows(m_shared, ticked, m_target->text());
    accept();
}

void ImportFromRemindersSheet::setInfo(const QString &info)
{
    m_info = info;
    m_infoLabel->setText(info);
    m_emptyInfo->setText(info);
}

void ImportFromRemindersSheet::setLoading(bool loading)
{
    m_loading = loading;
    m_spinner->setVisible(loading);
}

void ImportFromRemindersSheet::showRows()
{
    for (QCheckBox *box : m_rowBoxes)
        delete box->parentWidget();
    m_rowBoxes.clear();
    for (const ReminderRow &row : m_rows) {
        auto *line = new QWidget(m_rowsContent);
        auto *layout = new QHBoxLayout(line);
        layout->setContentsMargins(0, 0, 0, 0);
        layout->setSpacing(8);
        auto *box = new QCheckBox(line);
        box->setObjectName(QStringLiteral("sheetRowBox"));
        box->setAccessibleName(row.title);
        box->setChecked(m_selectedIds.contains(row.id));
        layout->addWidget(box, 0, Qt::AlignTop);
        auto *texts = new QVBoxLayout;
        texts->setSpacing(1);
        auto *title = new QLabel(row.title, line);
        title->setTextFormat(Qt::PlainText);
        texts->addWidget(title);
        if (row.due) {
            texts->addWidget(new ToneLabel(ListsTexts::sheetDue(*row.due, row.dueIsDay),
                                           Tone::Secondary,
                                           GlassFonts::font(GlassFonts::Style::Caption), line));
        }
        layout->addLayout(texts, 1);
        if (row.completed) {
            layout->addWidget(new ToneLabel(ListsTexts::completed(), Tone::Secondary,
                                            GlassFonts::font(GlassFonts::Style::Caption), line),
                              0, Qt::AlignTop);
        }
        const QString id = row.id;
        connect(box, &QCheckBox::toggled, this, [this, id](bool on) { setTicked(id, on); });
        m_rowsLayout->insertWidget(m_rowsLayout->count() - 1, line);
        m_rowBoxes.append(box);
    }
    m_emptyInfo->setVisible(m_rows.isEmpty());
    refreshControls();
}

void ImportFromRemindersSheet::setTicked(const QString &id, bool ticked)
{
    if (ticked)
        m_selectedIds.insert(id);
    else
        m_selectedIds.remove(id);
    refreshControls();
}

void ImportFromRemindersSheet::refreshControls()
{
    qsizetype ticked = 0;
    for (const ReminderRow &row : m_rows)
        ticked += m_selectedIds.contains(row.id) ? 1 : 0;
    m_selectedCount->setText(ListsTexts::sheetSelected(ticked));
    const QSignalBlocker quiet(m_all);
    m_all->setChecked(!m_rows.isEmpty() && ticked == m_rows.size());
    m_import->setEnabled(ticked > 0 && !trimHorizontalSpace(m_target->text()).isEmpty());
}
