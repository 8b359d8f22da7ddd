#include "data/HistoryJson.h"

#include "data/JsonFields.h"
#include "data/JsonWriter.h"

#include <cmath>

using namespace JsonFields;

namespace HistoryJson {

namespace {

// 2001-01-01T00:00:00Z in milliseconds since 1970: the origin of "date".
constexpr qint64 referenceMs = 978307200000;
// Beyond a few million years a date is not a date; refusing it keeps the conversion in range.
constexpr double largestSeconds = 1e14;

void writeRecord(JsonWriter &out, const HistoryRecord &record)
{
    out.beginObject();
    out.key("id");
    out.string(uuidText(record.id));
    out.key("date");
    out.number(double(record.date.toMSecsSinceEpoch() - referenceMs) / 1000.0);
    out.key("listName");
    out.string(record.listName);
    if (record.imagePath) {
        out.key("imagePath");
        out.string(*record.imagePath);
    }
    // Left out unless there are several images or the lines came as text, so a record of one
    // photo reads exactly as before and older readers, which ignore unknown keys, keep working.
    if (!record.moreImagePaths.isEmpty()) {
        out.key("moreImagePaths");
        out.beginArray();
        for (const QString &path : record.moreImagePaths)
            out.string(path);
        out.endArray();
    }
    if (record.fromText) {
        out.key("fromText");
        out.boolean(true);
    }
    out.key("items");
    out.beginArray();
    for (const QString &item : record.items)
        out.string(item);
    out.endArray();
    out.key("written");
    out.integer(record.written);
    out.key("skipped");
    out.integer(record.skipped);
    if (record.failed) {
        out.key("failed");
        out.string(*record.failed);
    }
    out.endObject();
}

QDateTime referenceDate(const Json &value)
{
    const double seconds = number(value);
    if (std::fabs(seconds) > largestSeconds)
        throw FormatError{};
    return QDateTime::fromMSecsSinceEpoch(referenceMs + std::llround(seconds * 1000.0), Qt::UTC);
}

HistoryRecord decodeRecord(const Json &object)
{
    HistoryRecord record;
    record.id = uuid(required(object, "id"));
    record.date = referenceDate(required(object, "date"));
    record.listName = text(required(object, "listName"));
    record.imagePath = optionalField(object, "imagePath", text);
    record.moreImagePaths =
        optionalField(object, "moreImagePaths", textList).value_or(QStringList());
    record.fromText = optionalField(object, "fromText", boolean).value_or(false);
    record.items = textList(required(object, "items"));
    record.written = integer(required(object, "written"));
    record.skipped = integer(required(object, "skipped"));
    record.failed = optionalField(object, "failed", text);
    return record;
}

} // namespace

QByteArray encode(const QList<HistoryRecord> &records)
{
    JsonWriter out;
    out.beginArray();
    for (const HistoryRecord &record : records)
        writeRecord(out, record);
    out.endArray();
    return out.take();
}

std::optional<Decoded> decode(const QByteArray &bytes)
{
    std::optional<ReadElements<HistoryRecord>> records = readFileArray(
        bytes, [](const JsonSpans::Element &record) { return decodeRecord(parsed(record)); });
    if (!records)
        return std::nullopt;
    return Decoded{std::move(records->elements), records->skipped};
}

} // namespace HistoryJson
