#include "ui/settings/DataCard.h"

#include "data/AppSettings.h"
#include "ui/settings/SettingsTexts.h"

#include <QCheckBox>
#include <QVBoxLayout>

DataCard::DataCard(AppSettings &settings, QWidget *parent)
    : SettingsCard(QStringLiteral("drive-harddisk-symbolic"), SettingsTexts::dataTitle(), parent)
{
    auto *history = new QCheckBox(SettingsTexts::saveHistory(), this);
    history->setObjectName(QStringLiteral("saveHistoryBox"));
    content()->addWidget(history, 0, Qt::AlignLeft);
    addHint(SettingsTexts::dataHint());

    const auto showHistory = [history, &settings] { showChecked(history, settings.saveHistory()); };
    connect(&settings, &AppSettings::saveHistoryChanged, this, showHistory);
    showHistory();
    connect(history, &QCheckBox::toggled, &settings, &AppSettings::setSaveHistory);
}
