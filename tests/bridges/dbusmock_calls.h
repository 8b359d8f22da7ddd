#pragma once

#include <QDBusArgument>
#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusVariant>
#include <QList>
#include <QString>
#include <QVariantList>

// One method call that a python3-dbusmock object recorded.
struct DbusMockCall {
    QString method;
    QVariantList arguments;
};

// Every call the dbusmock object at `service` / `path` recorded so far, oldest first (its
// org.freedesktop.DBus.Mock.GetCalls log); none when the mock does not answer.
inline QList<DbusMockCall> dbusMockCalls(const QDBusConnection &connection, const QString &service,
                                         const QString &path)
{
    const QDBusMessage reply = connection.call(QDBusMessage::createMethodCall(
        service, path, QStringLiteral("org.freedesktop.DBus.Mock"), QStringLiteral("GetCalls")));
    QList<DbusMockCall> calls;
    if (reply.type() != QDBusMessage::ReplyMessage)
        return calls;
    const QDBusArgument log = reply.arguments().value(0).value<QDBusArgument>();
    log.beginArray();
    while (!log.atEnd()) {
        quint64 time = 0;
        DbusMockCall call;
        log.beginStructure();
        log >> time >> call.method;
        log.beginArray();
        while (!log.atEnd()) {
            QDBusVariant argument;
            log >> argument;
            call.arguments.append(argument.variant());
        }
        log.endArray();
        log.endStructure();
        calls.append(std::move(call));
    }
    log.endArray();
    return calls;
}
