#include "data/JsonFields.h"

#include <QDate>
#include <cmath>
#include <cstdio>
#include <limits>

namespace JsonFields {

namespace {

constexpr qint64 unixEpochJulianDay = 2440588;
constexpr qint64 secondsPerDay = 86400;

qint64 floorDiv(qint64 a, qint64 b)
{
    return a / b - ((a % b != 0) && ((a < 0) != (b < 0)));
}

bool isDigit(char c)
{
    return c >= '0' && c <= '9';
}

int digits(const std::string &s, size_t from, size_t count)
{
    int value = 0;
    for (size_t i = from; i < from + count; ++i) {
        if (!isDigit(s[i]))
            throw FormatError{};
        value = value * 10 + (s[i] - '0');
    }
    return value;
}

bool isHex(char c)
{
    return isDigit(c) || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F');
}

} // namespace

const Json &required(const Json &object, const char *key)
{
    if (!object.is_object())
        throw FormatError{};
    const auto member = object.find(key);
    if (member == object.end())
        throw FormatError{};
    return *member;
}

const Json *optional(const Json &object, const char *key)
{
    if (!object.is_object())
        throw FormatError{};
    const auto member = object.find(key);
    if (member == object.end() || member->is_null())
        return nullptr;
    return &*member;
}

Json parsed(const JsonSpans::Element &element)
{
    if (element.depth > JsonSpans::maxDepth)
        throw FormatError{};
    Json value = Json::parse(element.text.begin(), element.text.end(), nullptr, false);
    if (value.is_discarded())
        throw FormatError{};
    return value;
}

QString text(const Json &value)
{
    if (!value.is_string())
        throw FormatError{};
    const auto &s = value.get_ref<const std::string &>();
    return QString::fromUtf8(s.data(), qsizetype(s.size()));
}

bool boolean(const Json &value)
{
    if (!value.is_boolean())
        throw FormatError{};
    return value.get<bool>();
}

qint64 integer(const Json &value)
{
    if (value.is_number_integer() && !value.is_number_unsigned())
        return value.get<qint64>();
    if (value.is_number_unsigned()) {
        const auto n = value.get<quint64>();
        if (n > quint64(std::numeric_limits<qint64>::max()))
            throw FormatError{};
        return qint64(n);
    }
    if (value.is_number_float()) {
        const double n = value.get<double>();
        // 2^63 is exactly representable; anything from there up does not fit.
        if (n != std::trunc(n) || n < -9223372036854775808.0 || n >= 9223372036854775808.0)
            throw FormatError{};
        return qint64(n);
    }
    throw FormatError{};
}

double number(const Json &value)
{
    if (!value.is_number())
        throw FormatError{};
    return value.get<double>();
}

QStringList textList(const Json &value)
{
    if (!value.is_array())
        throw FormatError{};
    QStringList list;
    list.reserve(qsizetype(value.size()));
    for (const Json &element : value)
        list.append(text(element));
    return list;
}

QUuid uuid(const Json &value)
{
    if (!value.is_string())
        throw FormatError{};
    const auto &s = value.get_ref<const std::string &>();
    if (s.size() != 36)
        throw FormatError{};
    for (size_t i = 0; i < s.size(); ++i) {
        const bool dash = i == 8 || i == 13 || i == 18 || i == 23;
        if (dash ? s[i] != '-' : !isHex(s[i]))
            throw FormatError{};
    }
    return QUuid::fromString(QLatin1StringView(s.data(), qsizetype(s.size())));
}

QDateTime isoDateTime(const Json &value)
{
    if (!value.is_string())
        throw FormatError{};
    const auto &s = value.get_ref<const std::string &>();
    if (s.size() != 20 || s[4] != '-' || s[7] != '-' || s[10] != 'T' || s[13] != ':' ||
        s[16] != ':' || s[19] != 'Z')
        throw FormatError{};
    const QDate date(digits(s, 0, 4), digits(s, 5, 2), digits(s, 8, 2));
    const int hour = digits(s, 11, 2), minute = digits(s, 14, 2), second = digits(s, 17, 2);
    if (!date.isValid() || !QTime::isValid(hour, minute, second))
        throw FormatError{};
    const qint64 seconds = (date.toJulianDay() - unixEpochJulianDay) * secondsPerDay + hour * 3600 +
        minute * 60 + second;
    return QDateTime::fromSecsSinceEpoch(seconds, Qt::UTC);
}

std::string utf8(const QString &text)
{
    return text.toStdString();
}

QByteArray prettyText(const Json &value)
{
    const std::string text = value.dump(2, ' ', false, Json::error_handler_t::replace);
    return QByteArray(text.data(), qsizetype(text.size()));
}

std::string uuidText(const QUuid &id)
{
    return id.toString(QUuid::WithoutBraces).toUpper().toStdString();
}

std::string isoDateTimeText(const QDateTime &time)
{
    // Whole days and seconds by integer arithmetic: cheaper than a time-zone conversion per date,
    // and it drops the fraction towards the past as a clock would.
    const qint64 seconds = floorDiv(time.toMSecsSinceEpoch(), 1000);
    const qint64 days = floorDiv(seconds, secondsPerDay);
    const qint64 secondOfDay = seconds - days * secondsPerDay;
    const QDate date = QDate::fromJulianDay(unixEpochJulianDay + days);
    char buffer[32];
    std::snprintf(buffer, sizeof buffer, "%04d-%02d-%02dT%02d:%02d:%02dZ", date.year(),
                  date.month(), date.day(), int(secondOfDay / 3600), int(secondOfDay / 60 % 60),
                  int(secondOfDay % 60));
    return buffer;
}

} // namespace JsonFields
