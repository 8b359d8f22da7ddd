#include "bridges/notifications/PendingRequestsJson.h"

#include "data/JsonFields.h"

#include <cmath>

using namespace JsonFields;

namespace PendingRequestsJson {

namespace {

// Far beyond any real interval or date, and well inside what QDateTime and qint64 hold.
constexpr double longestIntervalSeconds = 1e10;
constexpr qint64 latestAddedMs = qint64(1e15);

Json encodeTrigger(const NotificationTrigger &trigger)
{
    Json object = Json::object();
    if (const auto *calendar = std::get_if<CalendarTrigger>(&trigger)) {
        Json components = Json::object();
        components["year"] = calendar->year;
        components["month"] = calendar->month;
        components["day"] = calendar->day;
        components["hour"] = calendar->hour;
        components["minute"] = calendar->minute;
        object["calendar"] = std::move(components);
    } else {
        object["interval"] = std::get<IntervalTrigger>(trigger).seconds;
    }
    return object;
}

Json encodeRequest(const PendingRequest &pending)
{
    const NotificationRequest &request = pending.request;
    Json userInfo = Json::object();
    for (auto entry = request.userInfo.cbegin(); entry != request.userInfo.cend(); ++entry)
        userInfo[utf8(entry.key())] = utf8(entry.value());
    Json object = Json::object();
    object["identifier"] = utf8(request.identifier);
    object["title"] = utf8(request.title);
    object["body"] = utf8(request.body);
    object["defaultSound"] = request.defaultSound;
    object["userInfo"] = std::move(userInfo);
    object["trigger"] = encodeTrigger(request.trigger);
    object["addedAt"] = pending.addedAt.toMSecsSinceEpoch();
    return object;
}

int bounded(const Json &value, int lowest, int highest)
{
    const qint64 number = integer(value);
    if (number < lowest || number > highest)
        throw FormatError{};
    return int(number);
}

CalendarTrigger decodeCalendar(const Json &object)
{
    CalendarTrigger trigger;
    trigger.year = bounded(required(object, "year"), 1, 9999);
    trigger.month = bounded(required(object, "month"), 1, 12);
    trigger.day = bounded(required(object, "day"), 1, 31);
    trigger.hour = bounded(required(object, "hour"), 0, 23);
    trigger.minute = bounded(required(object, "minute"), 0, 59);
    if (!QDate::isValid(trigger.year, trigger.month, trigger.day))
        throw FormatError{};
    return trigger;
}

NotificationTrigger decodeTrigger(const Json &object)
{
    const Json *calendar = optional(object, "calendar");
    const Json *interval = optional(object, "interval");
    if ((calendar == nullptr) == (interval == nullptr) || object.size() != 1)
        throw FormatError{};
    if (calendar)
        return decodeCalendar(*calendar);
    const double seconds = number(*interval);
    if (!std::isfinite(seconds) || seconds < 0 || seconds > longestIntervalSeconds)
        throw FormatError{};
    return IntervalTrigger{seconds};
}

QMap<QString, QString> decodeUserInfo(const Json &object)
{
    if (!object.is_object())
        throw FormatError{};
    QMap<QString, QString> userInfo;
    for (const auto &[key, value] : object.items())
        userInfo.insert(QString::fromStdString(key), text(value));
    return userInfo;
}

PendingRequest decodeRequest(const Json &object)
{
    PendingRequest pending;
    NotificationRequest &request = pending.request;
    request.identifier = text(required(object, "identifier"));
    if (request.identifier.isEmpty())
        throw FormatError{};
    request.title = text(required(object, "title"));
    request.body = text(required(object, "body"));
    request.defaultSound = boolean(required(object, "defaultSound"));
    request.userInfo = decodeUserInfo(required(object, "userInfo"));
    request.trigger = decodeTrigger(required(object, "trigger"));
    const qint64 addedMs = integer(required(object, "addedAt"));
    if (addedMs < 0 || addedMs > latestAddedMs)
        throw FormatError{};
    pending.addedAt = QDateTime::fromMSecsSinceEpoch(addedMs, Qt::UTC);
    return pending;
}

} // namespace

QByteArray encode(const QList<PendingRequest> &requests)
{
    Json array = Json::array();
    for (const PendingRequest &pending : requests)
        array.push_back(encodeRequest(pending));
    return prettyText(array);
}

std::optional<Decoded> decode(const QByteArray &bytes)
{
    std::optional<ReadElements<PendingRequest>> requests = readFileArray(
        bytes, [](const JsonSpans::Element &request) { return decodeRequest(parsed(request)); });
    if (!requests)
        return std::nullopt;
    return Decoded{std::move(requests->elements), requests->skipped};
}

} // namespace PendingRequestsJson
