#pragma once

#include "data/HistoryRecord.h"

#include <QByteArray>
#include <QList>
#include <optional>

// The "history.json" format: a pretty-printed array of records, newest first, keys in a fixed
// order, upper-case UUIDs, "date" as seconds since 2001-01-01T00:00:00Z (a number with fraction),
// optional keys left out. "imagePath" is the first photo; "moreImagePaths" (the others, in order)
// and "fromText" (true: the lines came as text) appear only when they say something, so a record
// of one photo reads as it always did.
namespace HistoryJson {

QByteArray encode(const QList<HistoryRecord> &records);

struct Decoded {
    QList<HistoryRecord> records;
    // Records and other parts left out because they do not read (no JSON, nested too deep) or
    // deviate from the format (a missing required key, a value of the wrong JSON type or an
    // unreadable UUID).
    qsizetype skipped = 0;
};

// Nothing when the top level is not an array, or not one record of it reads; a record that does
// not read or deviates is left out alone. Keys may come in any order, unknown keys are ignored and
// a null optional counts as absent.
std::optional<Decoded> decode(const QByteArray &bytes);

} // namespace HistoryJson
