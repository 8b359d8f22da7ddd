// The folder store synced with a real CalDAV server: Radicale on 127.0.0.1 with a temporary
// storage folder, and vdirsyncer with exactly the configuration the README gives, only the URL
// and the credentials changed. What Slatebook writes arrives on the server as VTODOs, and what is
// created on the server shows in Slatebook after a sync.
#include "bridges/reminders/vdir/VdirReminderStore.h"
#include "bridges/reminders_calls.h"
#include "support/TempHome.h"
#include "support/TestPaths.h"

#include <QDirIterator>
#include <QProcess>
#include <QStandardPaths>
#include <QUrl>
#include <arpa/inet.h>
#include <gtest/gtest.h>
#include <netinet/in.h>
#include <sys/socket.h>

using namespace reminders_test;

namespace {

// A TCP connection to 127.0.0.1:port, or -1.
int connectTo(quint16 port)
{
    const int fd = ::socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_port = htons(port);
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    if (::connect(fd, reinterpret_cast<sockaddr *>(&address), sizeof address) != 0) {
        ::close(fd);
        return -1;
    }
    return fd;
}

// A port nobody listens on now.
quint16 freePort()
{
    const int fd = ::socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t length = sizeof address;
    ::bind(fd, reinterpret_cast<sockaddr *>(&address), sizeof address);
    ::getsockname(fd, reinterpret_cast<sockaddr *>(&address), &length);
    ::close(fd);
    return ntohs(address.sin_port);
}

// The status line of an HTTP request, as another CalDAV client (a phone) would make it.
QByteArray request(quint16 port, const QByteArray &method, const QByteArray &path,
                   const QByteArray &contentType, const QByteArray &body)
{
    const int fd = connectTo(port);
    if (fd < 0)
        return {};
    const QByteArray text = method + " " + path +
        " HTTP/1.1\r\nHost: 127.0.0.1\r\nContent-Type: " + contentType +
        "\r\nContent-Length: " + QByteArray::number(body.size()) + "\r\nConnection: close\r\n\r\n" +
        body;
    ::send(fd, text.constData(), size_t(text.size()), 0);
    char reply[512] = {};
    const ssize_t got = ::recv(fd, reply, sizeof reply - 1, 0);
    ::close(fd);
    const QByteArray answer(reply, got > 0 ? int(got) : 0);
    return answer.left(answer.indexOf("\r\n"));
}

QByteArray put(quint16 port, const QByteArray &path, const QByteArray &body)
{
    return request(port, "PUT", path, "text/calendar", body);
}

// A task list made on the server side, as a phone makes one.
QByteArray makeTaskList(quint16 port, const QByteArray &path, const QString &title)
{
    const QByteArray body =
        "<?xml version=\"1.0\" encoding=\"utf-8\"?>"
        "<C:mkcalendar xmlns:D=\"DAV:\" xmlns:C=\"urn:ietf:params:xml:ns:caldav\">"
        "<D:set><D:prop><D:displayname>" +
        title.toUtf8() +
        "</D:displayname><C:supported-calendar-component-set><C:comp name=\"VTODO\"/>"
        "</C:supported-calendar-component-set></D:prop></D:set></C:mkcalendar>";
    return request(port, "MKCALENDAR", path, "application/xml; charset=utf-8", body);
}

// Runs vdirsyncer with `arguments`, answering "y" to its questions; its exit code.
int vdirsyncer(const QStringList &arguments)
{
    QProcess process;
    process.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    process.start(QStringLiteral("vdirsyncer"), arguments);
    process.write(QByteArray("y\n").repeated(20));
    process.closeWriteChannel();
    if (!process.waitForFinished(120000))
        return -1;
    return process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
}

QString readmeBlock(const QString &introduction)
{
    const QString readme = QString::fromUtf8(readFile(TestPaths::data("../../README.md")));
    const QString start = introduction + QStringLiteral("\n\n```ini\n");
    const qsizetype from = readme.indexOf(start);
    if (from < 0)
        return {};
    QString block = readme.mid(from + start.size());
    block.truncate(block.indexOf(QStringLiteral("```")));
    return block;
}

// The README's vdirsyncer configuration, pointed at the test's server.
QByteArray readmeConfiguration(quint16 port)
{
    QString config = readmeBlock(QStringLiteral("`~/.config/vdirsyncer/config`:"));
    const std::pair<QString, QString> changes[] = {
        {"url = \"https://caldav.example.com/\"",
         QString("url = \"http://127.0.0.1:%1/\"").arg(port)},
        {"username = \"me@example.com\"", "username = \"test\""},
        {"password.fetch = [\"prompt\", \"CalDAV password\"]", "password = \"test\""},
    };
    for (const auto &[from, to] : changes) {
        if (!config.contains(from))
            return {};
        config.replace(from, to);
    }
    return config.toUtf8();
}

// One run of Debian's vdirsyncer.service (`vdirsyncer sync`) with the README's drop-in around
// it, as the timer starts it in the background: nobody at the terminal. False when a step failed
// or the README has no such drop-in.
bool backgroundSync()
{
    const QString dropIn = readmeBlock(
        QStringLiteral("`~/.config/systemd/user/vdirsyncer.service.d/slatebook.conf`:"));
    QStringList before;
    QStringList after;
    for (const QString &line : dropIn.split(QLatin1Char('\n'))) {
        if (line.startsWith(QStringLiteral("ExecStartPre=")))
            before.append(line.mid(13));
        else if (line.startsWith(QStringLiteral("ExecStartPost=")))
            after.append(line.mid(14));
    }
    if (before.isEmpty())
        return false;
    const QStringList steps = before + QStringList{QStringLiteral("vdirsyncer sync")} + after;
    for (const QString &step : steps) {
        QProcess process;
        process.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        process.setStandardInputFile(QProcess::nullDevice());
        process.start(QStringLiteral("/bin/sh"), {QStringLiteral("-c"), step});
        if (!process.waitForFinished(120000) || process.exitStatus() != QProcess::NormalExit ||
            process.exitCode() != 0) {
            ADD_FAILURE() << "the step " << step.toStdString() << " failed";
            return false;
        }
    }
    return true;
}

// Every .ics file the server keeps in a folder (with Subdirectories, anywhere under it), as text.
QList<QByteArray> serverItems(const QString &folder,
                              QDirIterator::IteratorFlags flags = QDirIterator::NoIteratorFlags)
{
    QList<QByteArray> items;
    QDirIterator files(folder, {"*.ics"}, QDir::Files, flags);
    while (files.hasNext())
        items.append(readFile(files.next()));
    return items;
}

const QByteArray *itemWith(const QList<QByteArray> &items, const QByteArray &summary)
{
    for (const QByteArray &item : items) {
        if (item.contains("\r\nSUMMARY:" + summary + "\r\n"))
            return &item;
    }
    return nullptr;
}

} // namespace

TEST(RemindersCalDav, WhatSlatebookWritesReachesTheServerAndWhatTheServerHasReachesSlatebook)
{
    for (const char *program : {"radicale", "vdirsyncer"})
        ASSERT_FALSE(QStandardPaths::findExecutable(program).isEmpty())
            << program << " is not installed";
    TempHome home;
    LocalZone zone("Asia/Shanghai");
    const quint16 port = freePort();

    const QString storage = home.path() + "/radicale";
    writeFile(home.path() + "/radicale.conf",
              QString("[server]\nhosts = 127.0.0.1:%1\n[auth]\ntype = none\n"
                      "[storage]\nfilesystem_folder = %2\n[web]\ntype = none\n")
                  .arg(port)
                  .arg(storage)
                  .toUtf8());
    QProcess radicale;
    radicale.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    radicale.start("radicale", {"--config", home.path() + "/radicale.conf"});
    ASSERT_TRUE(radicale.waitForStarted());
    int probe = -1;
    for (int tries = 0; tries < 100 && (probe = connectTo(port)) < 0; ++tries)
        QThread::msleep(100);
    ASSERT_GE(probe, 0) << "Radicale does not answer";
    ::close(probe);

    const QByteArray config = readmeConfiguration(port);
    ASSERT_FALSE(config.isEmpty())
        << "the README's vdirsyncer configuration is not where the test looks for it";
    writeFile(home.path() + "/.config/vdirsyncer/config", config);

    RemindersService service(std::make_shared<VdirReminderStore>(VdirReminderStore::defaultRoot()));
    ASSERT_EQ(counts(writeRaw(
                  service,
                  {{"数学｜P12", QDateTime(QDate(2026, 3, 15), QTime(18, 0))}, {"语文｜背诵", {}}},
                  "作业")),
              std::make_pair(2, 0));
    ASSERT_TRUE(setCompleted(service, rowId(service, "作业", "语文｜背诵"), true));

    ASSERT_EQ(vdirsyncer({"discover", "slatebook"}), 0);
    ASSERT_EQ(vdirsyncer({"sync"}), 0);
    ASSERT_EQ(vdirsyncer({"metasync"}), 0);

    const QString collection = storage + "/collection-root/test/作业";
    const QList<QByteArray> items = serverItems(collection);
    ASSERT_EQ(items.size(), 2);
    const QByteArray *math = itemWith(items, "数学｜P12");
    const QByteArray *recite = itemWith(items, "语文｜背诵");
    ASSERT_TRUE(math && recite);
    EXPECT_TRUE(math->contains("BEGIN:VTODO") && math->contains("\r\nDUE:20260315T180000\r\n"))
        << math->toStdString();
    EXPECT_FALSE(math->contains("STATUS:COMPLETED"));
    EXPECT_TRUE(recite->contains("\r\nSTATUS:COMPLETED\r\n") && !recite->contains("DUE"))
        << recite->toStdString();
    EXPECT_TRUE(
        readFile(collection + "/.Radicale.props").contains("\"D:displayname\": \"\\u4f5c\\u4e1a\""))
        << "the list's title reached the server";

    // A task made on the server side, as a phone would make it.
    const QByteArray fromPhone =
        "BEGIN:VCALENDAR\r\nVERSION:2.0\r\nPRODID:-//phone//EN\r\nBEGIN:VTODO\r\n"
        "UID:from-phone\r\nSUMMARY:英语｜听写\r\nDUE:20260316T200000\r\n"
        "STATUS:COMPLETED\r\nEND:VTODO\r\nEND:VCALENDAR\r\n";
    EXPECT_TRUE(put(port, "/test/" + QUrl::toPercentEncoding("作业") + "/from-phone.ics", fromPhone)
                    .contains(" 201 "));
    ASSERT_EQ(vdirsyncer({"sync"}), 0);
    const QList<ReminderRow> read = rows(service, "作业");
    EXPECT_EQ(titles(read), QStringList({"数学｜P12", "英语｜听写", "语文｜背诵"}));
    ASSERT_EQ(read.size(), 3);
    EXPECT_TRUE(read[1].completed);
    EXPECT_EQ(read[1].due, QDateTime(QDate(2026, 3, 16), QTime(20, 0)));

    // Lists made after the set-up, one here (the window makes one per homework day) and one on
    // the phone, each arrive at the next background sync.
    ASSERT_EQ(counts(writeRaw(service, {{"语文｜预习第3课", {}}}, "3.16作业")),
              std::make_pair(1, 0));
    EXPECT_TRUE(makeTaskList(port, "/test/weekend/", "周末作业").contains(" 201 "));
    const QByteArray weekend =
        "BEGIN:VCALENDAR\r\nVERSION:2.0\r\nPRODID:-//phone//EN\r\nBEGIN:VTODO\r\n"
        "UID:weekend-1\r\nSUMMARY:数学｜口算一页\r\nEND:VTODO\r\nEND:VCALENDAR\r\n";
    EXPECT_TRUE(put(port, "/test/weekend/weekend-1.ics", weekend).contains(" 201 "));
    ASSERT_TRUE(backgroundSync());
    EXPECT_TRUE(itemWith(serverItems(storage, QDirIterator::Subdirectories), "语文｜预习第3课"))
        << "a list made here after the set-up reached the server";
    EXPECT_EQ(titles(rows(service, "周末作业")), QStringList({"数学｜口算一页"}))
        << "a list made on the phone after the set-up reached Slatebook, under its title";

    radicale.terminate();
    radicale.waitForFinished();
}
