#include "ui/UiLog.h"

Q_LOGGING_CATEGORY(lcUi, "slatebook.ui", QtInfoMsg)
