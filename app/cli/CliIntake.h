#pragma once

#include "app/cli/CliTask.h"

#include <QString>
#include <QStringList>
#include <optional>
#include <variant>

// Finds the task of a command-line run: the drop file first (consumed, or run only once when it
// cannot be), then the flags "--ocr", "--dump" and "--write". No task means window mode.
namespace CliIntake {

// A task file that is a task's but cannot be carried out; the text is the run's result.
struct Refusal {
    QString result;
};

using Found = std::variant<CliTask, Refusal>;

std::optional<Found> takeTask(const QStringList &arguments);

} // namespace CliIntake
