#pragma once

#include <QByteArray>
#include <QDateTime>
#include <QList>
#include <QString>
#include <QStringList>
#include <QUuid>
#include <nlohmann/json.hpp>
#include <optional>
#include <string>

// Strict reading, and the canonical written form, of the values the two store files hold. A reader
// throws FormatError at the first deviation from the file format; the file's decoder turns that
// into "unreadable file", so it never reaches a caller.
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

// A file whose top level is an array, each element read with `read`; nothing when the text is
// not JSON or `read` finds a deviation.
template <typename Read>
auto decodeArray(const QByteArray &bytes, Read read) -> std::optional<QList<decltype(read(Json()))>>
{
    const Json array = Json::parse(bytes.begin(), bytes.end(), nullptr, false);
    if (!array.is_array())
        return std::nullopt;
    try {
        QList<decltype(read(Json()))> elements;
        elements.reserve(qsizetype(array.size()));
        for (const Json &element : array)
            elements.append(read(element));
        return elements;
    } catch (const FormatError &) {
        return std::nullopt;
    }
}

// The elements of an array that could be read, and how many could not.
template <typename Element>
struct ReadElements {
    QList<Element> elements;
    qsizetype skipped = 0;
};

// Every element of the array read with `read`; one that deviates is left out and counted, so
// one bad entry never costs the others.
template <typename Read>
auto readEach(const Json &array, Read read) -> ReadElements<decltype(read(Json()))>
{
    if (!array.is_array())
        throw FormatError{};
    ReadElements<decltype(read(Json()))> result;
    result.elements.reserve(qsizetype(array.size()));
    for (const Json &element : array) {
        try {
            result.elements.append(read(element));
        } catch (const FormatError &) {
            ++result.skipped;
        }
    }
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
