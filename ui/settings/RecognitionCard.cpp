#include "ui/settings/RecognitionCard.h"

#include "data/AppSettings.h"
#include "ui/settings/SettingsTexts.h"

#include <QLineEdit>

RecognitionCard::RecognitionCard(AppSettings &settings, QWidget *parent)
    : SettingsCard(QStringLiteral("scanner-symbolic"), SettingsTexts::recognitionTitle(), parent)
{
    QLineEdit *languages = addField(SettingsTexts::languagesLabel());
    languages->setObjectName(QStringLiteral("languagesField"));
    addHint(SettingsTexts::languagesHint());
    QLineEdit *subjects = addField(SettingsTexts::subjectsLabel());
    subjects->setObjectName(QStringLiteral("subjectsField"));
    addHint(SettingsTexts::subjectsHint());

    const auto showLanguages = [languages, &settings] {
        showText(languages, settings.ocrLangText());
    };
    const auto showSubjects = [subjects, &settings] {
        showText(subjects, settings.subjectsText());
    };
    connect(&settings, &AppSettings::ocrLangTextChanged, this, showLanguages);
    connect(&settings, &AppSettings::subjectsTextChanged, this, showSubjects);
    showLanguages();
    showSubjects();
    connect(languages, &QLineEdit::textEdited, &settings, &AppSettings::setOcrLangText);
    connect(subjects, &QLineEdit::textEdited, &settings, &AppSettings::setSubjectsText);
}
