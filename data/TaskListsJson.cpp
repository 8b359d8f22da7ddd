#include "data/TaskListsJson.h"

#include "data/JsonFields.h"
#include "data/JsonWriter.h"

using namespace JsonFields;

namespace TaskListsJson {

namespace {

void writeTask(JsonWriter &out, const TaskItem &task)
{
    out.beginObject();
    out.key("id");
    out.string(uuidText(task.id));
    out.key("title");
    out.string(task.title);
    out.key("done");
    out.boolean(task.done);
    if (task.due) {
        out.key("due");
        out.string(isoDateTimeText(*task.due));
    }
    out.key("createdAt");
    out.string(isoDateTimeText(task.createdAt));
    if (task.completedAt) {
        out.key("completedAt");
        out.string(isoDateTimeText(*task.completedAt));
    }
    if (task.note) {
        out.key("note");
        out.string(*task.note);
    }
    if (task.source) {
        out.key("source");
        out.string(*task.source);
    }
    out.endObject();
}

void writeList(JsonWriter &out, const TaskList &list)
{
    out.beginObject();
    out.key("id");
    out.string(uuidText(list.id));
    out.key("name");
    out.string(list.name);
    out.key("createdAt");
    out.string(isoDateTimeText(list.createdAt));
    out.key("tasks");
    out.beginArray();
    for (const TaskItem &task : list.tasks)
        writeTask(out, task);
    out.endArray();
    out.endObject();
}

TaskItem decodeTask(const Json &object)
{
    TaskItem task;
    task.id = uuid(required(object, "id"));
    task.title = text(required(object, "title"));
    task.done = boolean(required(object, "done"));
    task.due = optionalField(object, "due", isoDateTime);
    task.createdAt = isoDateTime(required(object, "createdAt"));
    task.completedAt = optionalField(object, "completedAt", isoDateTime);
    task.note = optionalField(object, "note", text);
    task.source = optionalField(object, "source", text);
    return task;
}

TaskItem decodeTask(const JsonSpans::Element &element)
{
    return decodeTask(parsed(element));
}

// A list read member by member rather than whole, so that a damaged entry, or a damaged member
// the list can do without, costs only itself and never the list's other entries. `skipped`
// counts what was left out.
TaskList decodeList(const JsonSpans::Element &element, qsizetype &skipped)
{
    const std::optional<JsonSpans::Split> members = JsonSpans::split(element.text, '{');
    if (!members)
        throw FormatError{};
    qsizetype damaged = members->intact ? 0 : 1;
    Json object = Json::object();
    std::optional<JsonSpans::Element> tasks;
    for (const JsonSpans::Element &member : members->elements) {
        try {
            const auto keyAndValue = JsonSpans::keyAndValue(member);
            if (!keyAndValue)
                throw FormatError{};
            const std::string key = utf8(text(parsed({keyAndValue->first, 0})));
            if (key == "tasks")
                tasks = keyAndValue->second;
            else
                object[key] = parsed(keyAndValue->second);
        } catch (const FormatError &) {
            ++damaged;
        }
    }
    TaskList list;
    list.id = uuid(required(object, "id"));
    list.name = text(required(object, "name"));
    list.createdAt = isoDateTime(required(object, "createdAt"));
    if (!tasks)
        throw FormatError{};
    std::optional<ReadElements<TaskItem>> read =
        readArray(tasks->text, [](const JsonSpans::Element &task) { return decodeTask(task); });
    if (!read)
        throw FormatError{};
    list.tasks = std::move(read->elements);
    skipped += read->skipped + damaged;
    return list;
}

} // namespace

QByteArray encode(const QList<TaskList> &lists)
{
    JsonWriter out;
    out.beginArray();
    for (const TaskList &list : lists)
        writeList(out, list);
    out.endArray();
    return out.take();
}

std::optional<Decoded> decode(const QByteArray &bytes)
{
    qsizetype skippedInLists = 0;
    std::optional<ReadElements<TaskList>> lists =
        readFileArray(bytes, [&](const JsonSpans::Element &list) {
            qsizetype skipped = 0;
            TaskList read = decodeList(list, skipped);
            skippedInLists += skipped; // a list left out counts once, as itself
            return read;
        });
    if (!lists)
        return std::nullopt;
    return Decoded{std::move(lists->elements), lists->skipped + skippedInLists};
}

} // namespace TaskListsJson
