#pragma once

#include "app/CliTask.h"

#include <QStringList>
#include <optional>

// Finds the task of a command-line run: the drop file first (always consumed), then the flags
// "--ocr", "--dump" and "--write". No task means window mode.
namespace CliIntake {

std::optional<CliTask> takeTask(const QStringList &arguments);

} // namespace CliIntake
