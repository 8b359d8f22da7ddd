#include "bridges/reminders/vdir/IcalCalendar.h"

#include "bridges/reminders/RemindersLog.h"
#include "bridges/reminders/vdir/IcalLines.h"

#include <algorithm>
#include <cstdlib>

namespace {

// Components nest three deep in practice (VCALENDAR, VTODO, VALARM). libical frees and writes
// components recursively, so a file nesting thousands of them would overflow the stack.
constexpr int maxNesting = 16;

struct IcalParserFree {
    void operator()(icalparser *parser) const { icalparser_free(parser); }
};

// Whether the content line opens (+1) or closes (-1) a component, or neither (0).
int nestingStep(QByteArrayView line)
{
    const auto is = [&](QByteArrayView name) {
        return line.size() > name.size() &&
            line.first(name.size()).compare(name, Qt::CaseInsensitive) == 0 &&
            (line[name.size()] == ':' || line[name.size()] == ';');
    };
    return is("BEGIN") ? 1 : is("END") ? -1 : 0;
}

} // namespace

IcalComponentPtr parseCalendar(const QByteArray &bytes)
{
    // Fed line by line: libical's own string reader searches for the end of a long line again
    // for every 80 bytes of it, which takes minutes for a line of a few megabytes.
    const std::unique_ptr<icalparser, IcalParserFree> parser(icalparser_new());
    IcalComponentPtr root;
    int depth = 0;
    QByteArray line;
    const bool whole = forEachContentLine(bytes, [&](QByteArrayView content) {
        depth = std::max(0, depth + nestingStep(content));
        if (depth > maxNesting) {
            qCDebug(lcReminders) << "components nested deeper than" << maxNesting << "; not read";
            return false;
        }
        line = content.toByteArray();
        if (icalcomponent *component = icalparser_add_line(parser.get(), line.data())) {
            // A second top-level component: not the one calendar a reminder file holds.
            const bool first = !root;
            if (first)
                root.reset(component);
            else
                icalcomponent_free(component);
            return first;
        }
        return true;
    });
    if (!whole || !root || icalcomponent_isa(root.get()) != ICAL_VCALENDAR_COMPONENT)
        return nullptr;
    return root;
}

icalcomponent *reminderTodo(icalcomponent *calendar)
{
    for (icalcomponent *todo = icalcomponent_get_first_component(calendar, ICAL_VTODO_COMPONENT);
         todo; todo = icalcomponent_get_next_component(calendar, ICAL_VTODO_COMPONENT)) {
        if (icalcomponent_get_first_property(todo, ICAL_RECURRENCEID_PROPERTY))
            continue;
        const char *uid = icalcomponent_get_uid(todo);
        if (uid && *uid)
            return todo;
    }
    return nullptr;
}

bool hasParseErrors(icalcomponent *component)
{
    if (icalcomponent_get_first_property(component, ICAL_XLICERROR_PROPERTY))
        return true;
    for (icalcomponent *child = icalcomponent_get_first_component(component, ICAL_ANY_COMPONENT);
         child; child = icalcomponent_get_next_component(component, ICAL_ANY_COMPONENT)) {
        if (hasParseErrors(child))
            return true;
    }
    return false;
}

QByteArray serialized(icalcomponent *component)
{
    char *text = icalcomponent_as_ical_string_r(component);
    QByteArray bytes(text);
    std::free(text);
    return bytes;
}
