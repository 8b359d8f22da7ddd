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

TaskList decodeList(const Json &object, qsizetype &skippedTasks)
{
    TaskList list;
    list.id = uuid(required(object, "id"));
    list.name = text(required(object, "name"));
    list.createdAt = isoDateTime(required(object, "createdAt"));
    ReadElements<TaskItem> tasks = readEach(required(object, "tasks"), decodeTask);
    list.tasks = std::move(tasks.elements);
    skippedTasks += tasks.skipped;
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
    const Json array = Json::parse(bytes.begin(), bytes.end(), nullptr, false);
    if (!array.is_array())
        return std::nullopt;
    qsizetype skippedTasks = 0;
    ReadElements<TaskList> lists =
        readEach(array, [&](const Json &list) { return decodeList(list, skippedTasks); });
    return Decoded{std::move(lists.elements), lists.skipped + skippedTasks};
}

} // namespace TaskListsJson
