#include "bridges/reminders/vdir/IcalZones.h"

#include "bridges/reminders/RemindersLog.h"

#include <QFileInfo>
#include <QTimeZone>
#include <memory>

namespace {

// The most zone changes a VTIMEZONE may expand to, and the most observances with a rule it may
// have: real ones make two changes a year since 1601 at most. libical expands some 40,000 changes
// a second, and a rule that never occurs still costs it a tenth of a second.
constexpr qint64 maxZoneChanges = 10000;
constexpr int maxRuleObservances = 16;
// libical expands a zone's rules until a few years from now, never later.
constexpr int expansionEndYear = 2040;

// A name the zone database could hold: letters, digits and _+- in parts joined by '/'. Anything
// else (an absolute path, "..") never reaches QTimeZone, which opens a file of that name.
bool looksLikeZoneName(const QByteArray &name)
{
    if (name.isEmpty() || name.size() > 64 || name.startsWith('/') || name.endsWith('/') ||
        name.contains("//"))
        return false;
    for (const char c : name) {
        const bool allowed = (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') ||
            (c >= '0' && c <= '9') || c == '_' || c == '+' || c == '-' || c == '/';
        if (!allowed)
            return false;
    }
    return true;
}

// The zone of that name in the system's database. QTimeZone alone would not do: it also takes
// any word for a POSIX rule ("Hostile" becomes a zone of offset 0).
std::optional<QTimeZone> knownZone(const QByteArray &name)
{
    if (!looksLikeZoneName(name))
        return std::nullopt;
    const QString file = QString::fromLatin1(name);
    const bool inDatabase = QFileInfo(QStringLiteral("/usr/share/zoneinfo/") + file).isFile() ||
        QFileInfo(QStringLiteral("/usr/lib/zoneinfo/") + file).isFile();
    if (!inDatabase)
        return std::nullopt;
    QTimeZone zone(name);
    if (!zone.isValid())
        return std::nullopt;
    return zone;
}

// The TZID and its shorter forms: "/citadel.org/20190914_1/Europe/Berlin" ends in the name the
// zone database uses.
std::optional<QTimeZone> zoneNamed(const QByteArray &tzid)
{
    if (std::optional<QTimeZone> zone = knownZone(tzid.trimmed()))
        return zone;
    const QList<QByteArray> parts = tzid.trimmed().split('/');
    for (qsizetype first = 1; first < parts.size(); ++first) {
        if (std::optional<QTimeZone> zone = knownZone(parts.mid(first).join('/')))
            return zone;
    }
    const QByteArray windowsName = QTimeZone::windowsIdToDefaultIanaId(tzid.trimmed());
    return windowsName.isEmpty() ? std::nullopt : knownZone(windowsName);
}

icalcomponent *vtimezoneOf(icalcomponent *calendar, const QByteArray &tzid)
{
    for (icalcomponent *zone =
             icalcomponent_get_first_component(calendar, ICAL_VTIMEZONE_COMPONENT);
         zone; zone = icalcomponent_get_next_component(calendar, ICAL_VTIMEZONE_COMPONENT)) {
        icalproperty *id = icalcomponent_get_first_property(zone, ICAL_TZID_PROPERTY);
        if (id && tzid == icalproperty_get_tzid(id))
            return zone;
    }
    return nullptr;
}

int count(const short *values, int size)
{
    int n = 0;
    while (n < size && values[n] != ICAL_RECURRENCE_ARRAY_MAX)
        ++n;
    return n;
}

// The most changes a year the rule makes, or nothing for one that repeats more often than by
// the day (by the hour, minute or second, or by week numbers and days of the year).
std::optional<int> changesPerYear(const icalrecurrencetype &rule)
{
    if (rule.freq != ICAL_YEARLY_RECURRENCE && rule.freq != ICAL_MONTHLY_RECURRENCE)
        return std::nullopt;
    if (count(rule.by_second, ICAL_BY_SECOND_SIZE) || count(rule.by_minute, ICAL_BY_MINUTE_SIZE) ||
        count(rule.by_hour, ICAL_BY_HOUR_SIZE) || count(rule.by_year_day, ICAL_BY_YEARDAY_SIZE) ||
        count(rule.by_week_no, ICAL_BY_WEEKNO_SIZE))
        return std::nullopt;
    const int months = rule.freq == ICAL_MONTHLY_RECURRENCE
        ? 12
        : std::max(1, count(rule.by_month, ICAL_BY_MONTH_SIZE));
    const int monthDays = count(rule.by_month_day, ICAL_BY_MONTHDAY_SIZE);
    const int weekDays = count(rule.by_day, ICAL_BY_DAY_SIZE);
    const int days = monthDays ? monthDays : weekDays ? std::min(31, 5 * weekDays) : 1;
    return months * days;
}

// Whether libical may expand the VTIMEZONE: a bounded number of changes up to the year it stops.
bool expandsSafely(icalcomponent *vtimezone)
{
    qint64 changes = 0;
    int ruleObservances = 0;
    for (icalcomponent *observance =
             icalcomponent_get_first_component(vtimezone, ICAL_ANY_COMPONENT);
         observance; observance = icalcomponent_get_next_component(vtimezone, ICAL_ANY_COMPONENT)) {
        ++changes;
        icalproperty *start = icalcomponent_get_first_property(observance, ICAL_DTSTART_PROPERTY);
        if (!start)
            continue; // libical passes over an observance without a start
        const qint64 years =
            std::max(1, expansionEndYear - icalproperty_get_dtstart(start).year + 1);
        if (icalcomponent_get_first_property(observance, ICAL_RRULE_PROPERTY) &&
            ++ruleObservances > maxRuleObservances)
            return false;
        for (icalproperty *rule = icalcomponent_get_first_property(observance, ICAL_RRULE_PROPERTY);
             rule; rule = icalcomponent_get_next_property(observance, ICAL_RRULE_PROPERTY)) {
            const icalrecurrencetype recurrence = icalproperty_get_rrule(rule);
            const std::optional<int> perYear = changesPerYear(recurrence);
            if (!perYear)
                return false;
            changes += recurrence.count > 0 ? std::min<qint64>(recurrence.count, years * *perYear)
                                            : years * *perYear;
        }
        changes += icalcomponent_count_properties(observance, ICAL_RDATE_PROPERTY);
        if (changes > maxZoneChanges)
            return false;
    }
    return true;
}

struct IcalZoneFree {
    void operator()(icaltimezone *zone) const { icaltimezone_free(zone, 1); }
};

std::optional<QDateTime> instantByRules(const QDate &date, const QTime &time,
                                        icalcomponent *vtimezone)
{
    const std::unique_ptr<icaltimezone, IcalZoneFree> zone(icaltimezone_new());
    if (!icaltimezone_set_component(zone.get(), icalcomponent_new_clone(vtimezone)))
        return std::nullopt;
    icaltimetype wall = icaltime_null_time();
    wall.year = date.year();
    wall.month = date.month();
    wall.day = date.day();
    wall.hour = time.hour();
    wall.minute = time.minute();
    wall.second = time.second();
    wall.zone = zone.get();
    const icaltimetype utc = icaltime_convert_to_zone(wall, icaltimezone_get_utc_timezone());
    const QDateTime instant(QDate(utc.year, utc.month, utc.day),
                            QTime(utc.hour, utc.minute, utc.second), QTimeZone::utc());
    if (!instant.isValid())
        return std::nullopt;
    return instant;
}

QByteArray locationOf(icalcomponent *vtimezone)
{
    char *location = icaltimezone_get_location_from_vtimezone(vtimezone);
    const QByteArray name(location);
    icalmemory_free_buffer(location);
    return name;
}

} // namespace

std::optional<QDateTime> instantInZone(const QDate &date, const QTime &time, const QByteArray &tzid,
                                       icalcomponent *calendar)
{
    icalcomponent *vtimezone = vtimezoneOf(calendar, tzid);
    std::optional<QTimeZone> zone = zoneNamed(tzid);
    if (!zone && vtimezone)
        zone = zoneNamed(locationOf(vtimezone));
    if (zone)
        return QDateTime(date, time, *zone).toUTC();
    if (!vtimezone) {
        qCDebug(lcReminders) << "time zone" << tzid << "is neither known nor defined in the file";
        return std::nullopt;
    }
    if (!expandsSafely(vtimezone)) {
        qCDebug(lcReminders) << "time zone" << tzid << "changes too often to expand";
        return std::nullopt;
    }
    return instantByRules(date, time, vtimezone);
}
