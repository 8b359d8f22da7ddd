#include "app/cli/CliTask.h"

#include "data/DueTime.h"

#include <QRegularExpression>
#include <algorithm>
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

// Every JSON number in the text, outside strings, written as 0. No field of a task is a number,
// so this changes no outcome of decoding; it only keeps a number that no double can hold (1e400,
// which the JSON reader refuses) in an unknown key from failing the whole task.
QByteArray withNumbersAsZero(const QByteArray &json)
{
    static const QRegularExpression number(
        QStringLiteral("^-?(0|[1-9][0-9]*)(\\.[0-9]+)?([eE][+-]?[0-9]+)?$"));
    QByteArray out;
    out.reserve(json.size());
    for (qsizetype i = 0; i < json.size();) {
        const char c = json[i];
        if (c == '"') {
            qsizetype end = i + 1;
            while (end < json.size() && json[end] != '"')
                end += json[end] == '\\' ? 2 : 1;
            end = std::min(end + 1, json.size());
            out.append(json.constData() + i, end - i);
            i = end;
        } else if (c == '-' || (c >= '0' && c <= '9')) {
            qsizetype end = i;
            while (end < json.size() && QByteArrayView("+-.eE0123456789").contains(json[end]))
                ++end;
            const QByteArray token = json.mid(i, end - i);
            out.append(number.match(QString::fromLatin1(token)).hasMatch() ? QByteArray("0")
                                                                           : token);
            i = end;
        } else {
            out.append(c);
            ++i;
        }
    }
    return out;
}

} // namespace

std::optional<CliTask> CliTask::decode(const QByteArray &text)
{
    const QByteArray json = withNumbersAsZero(text);
    const Json root =
        Json::parse(json.constBegin(), json.constEnd(), nullptr, /*allow_exceptions=*/false);
    if (!root.is_object())
        return std::nullopt;

    const auto action = root.find("action");
    if (action == root.end() || !action->is_string())
        return std::nullopt;

    CliTask task;
    task.action = QString::fromStdString(action->get<std::string>());
    const bool ok = readOptionalString(root, "path", task.path) &&
        readOptionalString(root, "list", task.list) && readOptionalString(root, "due", task.due) &&
        readOptionalStringArray(root, "items", task.items) &&
        readOptionalString(root, "target", task.target);
    if (!ok)
        return std::nullopt;
    return task;
}

std::optional<QDateTime> CliTask::dueTime() const
{
    static const QRegularExpression form(
        QStringLiteral("^([0-9]{4})-([0-9]{2})-([0-9]{2})T([0-9]{2}):([0-9]{2})$"));
    const QRegularExpressionMatch match = form.match(due.value_or(QString()));
    if (!match.hasMatch())
        return std::nullopt;
    const QDate date(match.captured(1).toInt(), match.captured(2).toInt(),
                     match.captured(3).toInt());
    const QTime time(match.captured(4).toInt(), match.captured(5).toInt());
    if (!date.isValid() || !time.isValid())
        return std::nullopt;
    return wallClockTime(date, time);
}

bool CliTask::dueOutOfRange() const
{
    const std::optional<QDateTime> time = dueTime();
    return time && !isStorableDue(*time);
}
