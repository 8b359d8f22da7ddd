// The history.json reader on an arbitrary file; what it reads must write back and read the same.
#include "data/HistoryJson.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray bytes =
        QByteArray::fromRawData(reinterpret_cast<const char *>(data), qsizetype(size));
    const std::optional<HistoryJson::Decoded> read = HistoryJson::decode(bytes);
    if (!read)
        return 0;
    const std::optional<HistoryJson::Decoded> again =
        HistoryJson::decode(HistoryJson::encode(read->records));
    if (!again || again->skipped != 0 || again->records.size() != read->records.size())
        std::abort();
    return 0;
}
