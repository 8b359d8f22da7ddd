#include "data/StoreLog.h"

Q_LOGGING_CATEGORY(lcStore, "slatebook.store", QtInfoMsg)
