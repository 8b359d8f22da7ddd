#pragma once

#include "data/JsonSpans.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QDateTime>
#include <QList>
#include <QString>
#include <QStringList>
#include <QUuid>
#include <nlohmann/json.hpp>
#include <optional>
#include <string>

// Strict reading, and the canonical written form, of the values the store files hold. A reader
// throws FormatError at the first deviation from the file format; the file's decoder turns that
// into "entry left out", so it never reaches a caller.
namespace JsonFields {

using Json = nlohmann::ordered_json;

struct FormatError { };

// The member of an object that must be there (any value, null included: the reader of the value
// then rejects a null).
const Json &required(const Json &object, const char *key);
// The member of an object that may be left out; a null counts as left out.
const Json *optional(const Json &object, const char *key);

// The member read with `read`, or nothing when it is left out or null.
template <typename Read>
auto optionalField(const Json &object, const char *key, Read read)
    -> std::optional<decltype(read(object))>
{
    if (const Json *value = optional(object, key))
        return read(*value);
    return std::nullopt;
}

QString text(const Json &value);
bool boolean(const Json &value);
// A whole number; a number with a zero fraction (3.0) counts as one.
qint64 integer(const Json &value);
double number(const Json &value);
QStringList textList(const Json &value);
// Canonical 8-4-4-4-12 hexadecimal form, either case.
QUuid uuid(const Json &value);
// "2026-03-05T15:59:00Z" exactly: UTC, whole seconds, suffix Z.
QDateTime isoDateTime(const Json &value);

// The value an element of a split text holds; FormatError when it is no JSON or nests deeper
// than JsonSpans::maxDepth.
Json parsed(const JsonSpans::Element &element);

// The elements of an array that could be read, and how many parts of it could not.
template <typename Element>
struct ReadElements {
    QList<Element> elements;
    qsizetype skipped = 0;
};

// Every element of the array that `text` holds, each read on its own from its bytes with
// `read`; one that does not parse, nests too deep or deviates is left out and counted, and so is
// damage around the elements (a missing closing bracket), so one bad entry never costs the
// others. Nothing when the text holds no array.
template <typename Read>
auto readArray(QByteArrayView text, Read read)
    -> std::optional<ReadElements<decltype(read(JsonSpans::Element()))>>
{
    const std::optional<JsonSpans::Split> split = JsonSpans::split(text, '[');
    if (!split)
        return std::nullopt;
    ReadElements<decltype(read(JsonSpans::Element()))> result;
    result.elements.reserve(qsizetype(split->elements.size()));
    for (const JsonSpans::Element &element : split->elements) {
        try {
            result.elements.append(read(element));
        } catch (const FormatError &) {
            ++result.skipped;
        }
    }
    result.skipped += split->intact ? 0 : 1;
    return result;
}

// A whole file's array, read as by readArray; also nothing when not one element reads and some
// did not, so that a store keeps what it holds rather than take an empty set from a damaged file.
template <typename Read>
auto readFileArray(QByteArrayView text, Read read) -> decltype(readArray(text, read))
{
    auto result = readArray(text, read);
    if (result && result->elements.isEmpty() && result->skipped > 0)
        return std::nullopt;
    return result;
}

// For writing a document with nlohmann: a small file whose tree costs nothing worth avoiding.
// (The two store files are written with JsonWriter, which builds no tree.)
std::string utf8(const QString &text);
// Indented by two spaces, one member per line, UTF-8.
QByteArray prettyText(const Json &value);

// Upper case, without braces.
std::string uuidText(const QUuid &id);
// UTC, whole seconds (the fraction is dropped), suffix Z.
std::string isoDateTimeText(const QDateTime &time);

} // namespace JsonFields
