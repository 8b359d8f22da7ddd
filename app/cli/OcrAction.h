#pragma once

#include "app/cli/CliTask.h"

#include <QString>

// The command-line "ocr" action: recognise the image, parse it with the built-in subjects and
// report both as one text.
QString runOcrAction(const CliTask &task);
