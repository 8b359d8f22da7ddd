#pragma once

#include "ui/settings/SettingsCard.h"

class AppSettings;

// "识别": the recognition languages and the subjects the parser files text under, each written
// as it is typed.
class RecognitionCard : public SettingsCard {
    Q_OBJECT

public:
    RecognitionCard(AppSettings &settings, QWidget *parent = nullptr);
};
