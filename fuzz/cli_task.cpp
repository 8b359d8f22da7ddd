// The command-line task decoder on an arbitrary drop file, with the due time read as a write does.
#include "app/cli/CliTask.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray bytes =
        QByteArray::fromRawData(reinterpret_cast<const char *>(data), qsizetype(size));
    if (const std::optional<CliTask> task = CliTask::decode(bytes)) {
        task->dueTime();
        task->dueOutOfRange();
        task->targetsReminders();
    }
    return 0;
}
