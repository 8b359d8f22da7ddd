// The tasks.json reader on an arbitrary file; what it reads must write back and read the same.
#include "data/TaskListsJson.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray bytes =
        QByteArray::fromRawData(reinterpret_cast<const char *>(data), qsizetype(size));
    const std::optional<TaskListsJson::Decoded> read = TaskListsJson::decode(bytes);
    if (!read)
        return 0;
    const std::optional<TaskListsJson::Decoded> again =
        TaskListsJson::decode(TaskListsJson::encode(read->lists));
    if (!again || again->skipped != 0 || again->lists.size() != read->lists.size())
        std::abort();
    return 0;
}
