// The reader of the pending-notifications file on arbitrary bytes; what it reads must write back
// and read again.
#include "bridges/notifications/PendingRequestsJson.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray bytes =
        QByteArray::fromRawData(reinterpret_cast<const char *>(data), qsizetype(size));
    const std::optional<PendingRequestsJson::Decoded> read = PendingRequestsJson::decode(bytes);
    if (!read)
        return 0;
    const std::optional<PendingRequestsJson::Decoded> again =
        PendingRequestsJson::decode(PendingRequestsJson::encode(read->requests));
    if (!again || again->skipped != 0 || again->requests.size() != read->requests.size())
        std::abort();
    return 0;
}
