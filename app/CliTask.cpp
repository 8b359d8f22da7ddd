#include "app/CliTask.h"

#include <QRegularExpression>
#include <nlohmann/json.hpp>

namespace {

using Json = nlohmann::json;

// Reads an optional string field: absent or null gives nothing; any other type fails the task.
bool readOptionalString(const Json &object, const char *key, std::optional<QString> &out)
{
    const auto it = object.find(key);
    if (it == object.end() || it->is_null())
        return true;
    if (!it->is_string())
        return false;
    out = QString::fromStdString(it->get<std::string>());
    return true;
}

bool readOptionalStringArray(const Json &object, const char *key, std::optional<QStringList> &out)
{
    const auto it = object.find(key);
    if (it == object.end() || it->is_null())
        return true;
    if (!it->is_array())
        return false;
    QStringList values;
    for (const Json &element : *it) {
        if (!element.is_string())
            return false;
        values.append(QString::fromStdString(element.get<std::string>()));
    }
    out = values;
    return true;
}

} // namespace

std::optional<CliTask> CliTask::decode(const QByteArray &json)
{
    const Json root = Json::parse(json.constBegin(), json.constEnd(), nullptr, /*allow_exceptions=*/false);
    if (!root.is_object())
        return std::nullopt;

    const auto action = root.find("action");
    if (action == root.end() || !action->is_string())
        return std::nullopt;

    CliTask task;
    task.action = QString::fromStdString(action->get<std::string>());
    const bool ok = readOptionalString(root, "path", task.path)
        && readOptionalString(root, "list", task.list)
        && readOptionalString(root, "due", task.due)
        && readOptionalStringArray(root, "items", task.items)
        && readOptionalString(root, "target", task.target);
    if (!ok)
        return std::nullopt;
    return task;
}

std::optional<QDateTime> CliTask::dueTime() const
{
    static const QRegularExpression form(QStringLiteral("^([0-9]{4})-([0-9]{2})-([0-9]{2})T([0-9]{2}):([0-9]{2})$"));
    const QRegularExpressionMatch match = form.match(due.value_or(QString()));
    if (!match.hasMatch())
        return std::nullopt;
    const QDate date(match.captured(1).toInt(), match.captured(2).toInt(), match.captured(3).toInt());
    const QTime time(match.captured(4).toInt(), match.captured(5).toInt());
    if (!date.isValid() || !time.isValid())
        return std::nullopt;
    return QDateTime(date, time, Qt::LocalTime);
}
