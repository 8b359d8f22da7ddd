#pragma once

#include "ui/settings/SettingsCard.h"

class AppSettings;

// "记录与数据": whether imports are kept in the history, and where the data stays.
class DataCard : public SettingsCard {
    Q_OBJECT

public:
    DataCard(AppSettings &settings, QWidget *parent = nullptr);
};
