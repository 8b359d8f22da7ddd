#include "bridges/reminders/vdir/VdirReminderStore.h"

#include "bridges/desktop/DesktopServices.h"
#include "bridges/reminders/RemindersLog.h"
#include "bridges/reminders/vdir/VdirBatch.h"
#include "bridges/reminders/vdir/VdirErrors.h"
#include "bridges/reminders/vdir/VdirFileRead.h"
#include "bridges/reminders/vdir/VdirLeftovers.h"
#include "bridges/reminders/vdir/VtodoRead.h"
#include "data/DataFolder.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QThreadPool>
#include <QUuid>
#include <cerrno>
#include <cstdio>
#include <unistd.h>

namespace {

const QString displayNameFile = QStringLiteral("displayname");

QString newIdentifier()
{
    return QUuid::createUuid().toString(QUuid::WithoutBraces).toUpper();
}

// A name that stays inside its folder, is not hidden and that file systems accept.
bool usableAsFileName(const QString &name)
{
    if (name.isEmpty() || name.startsWith(u'.') || name.toUtf8().size() > 200)
        return false;
    for (const QChar c : name) {
        if (c == u'/' || c == u'\\' || c.category() == QChar::Other_Control)
            return false;
    }
    return true;
}

bool sameName(const QString &a, const QString &b)
{
    return a.normalized(QString::NormalizationForm_C) == b.normalized(QString::NormalizationForm_C);
}

// Largest list title read from a `displayname` file.
constexpr qint64 maxDisplayNameBytes = 64 * 1024;

// The reminder in a file of a list folder; files that hold none are passed over, named in a
// debug line.
std::optional<ReminderItem> readReminderAt(const QString &path, const QString &listId)
{
    const auto bytes = readFolderFile(path, maxReminderFileBytes);
    if (const QString *problem = std::get_if<QString>(&bytes)) {
        qCDebug(lcReminders) << "skipped" << path << ":" << *problem;
        return std::nullopt;
    }
    std::optional<ReminderItem> item = readReminderFile(std::get<QByteArray>(bytes), listId, path);
    if (!item)
        qCDebug(lcReminders) << "skipped" << path << ": holds no readable reminder";
    return item;
}

// Every reminder in a list folder, in file-name order.
QList<ReminderItem> readListFolder(const QString &folder, const QString &listId)
{
    QList<ReminderItem> items;
    const QStringList files =
        QDir(folder).entryList({QStringLiteral("*.ics")}, QDir::Files | QDir::System, QDir::Name);
    items.reserve(files.size());
    for (const QString &name : files) {
        if (std::optional<ReminderItem> item = readReminderAt(folder + u'/' + name, listId))
            items.append(std::move(*item));
    }
    return items;
}

bool accessible(const QString &root, int mode)
{
    return QFileInfo(root).isDir() && ::access(QFile::encodeName(root).constData(), mode) == 0;
}

// What writing needs; reading the lists needs only R_OK | X_OK, so that a folder that cannot be
// written still shows its lists and a change to them fails with the reason.
constexpr int readWrite = R_OK | W_OK | X_OK;

} // namespace

VdirReminderStore::VdirReminderStore(QString root) : m_root(std::move(root)) { }

QString VdirReminderStore::defaultRoot()
{
    return DataFolder::path() + QStringLiteral("/Reminders");
}

ReminderAccount VdirReminderStore::account() const
{
    return {m_root, QStringLiteral("本机")};
}

QString VdirReminderStore::folderOf(const QString &listId) const
{
    return m_root + u'/' + listId;
}

void VdirReminderStore::requestAccess(std::function<void(bool granted)> done)
{
    QThreadPool::globalInstance()->start([root = m_root, done = std::move(done)] {
        QDir().mkpath(root);
        const bool granted = accessible(root, readWrite);
        if (granted)
            removeStaleLeftovers(root, QDateTime::currentDateTimeUtc());
        else
            qCDebug(lcReminders) << "no access to the reminders folder" << root;
        done(granted);
    });
}

std::optional<ReminderList> VdirReminderStore::listInFolder(const QString &folderName) const
{
    const QString folder = folderOf(folderName);
    if (!QFileInfo(folder).isDir())
        return std::nullopt;
    // A folder without a title file is titled by its name, as todoman does.
    const QString path = folder + u'/' + displayNameFile;
    const auto bytes = readFolderFile(path, maxDisplayNameBytes);
    if (const QString *problem = std::get_if<QString>(&bytes)) {
        if (QFileInfo::exists(path))
            qCDebug(lcReminders) << "skipped" << path << ":" << *problem
                                 << "; the list is titled by its folder's name";
        return ReminderList{folderName, folderName, account()};
    }
    QString title = QString::fromUtf8(std::get<QByteArray>(bytes));
    // Written without a line break, but a hand-edited file often ends with one.
    while (title.endsWith(u'\n') || title.endsWith(u'\r'))
        title.chop(1);
    return ReminderList{folderName, title, account()};
}

QList<ReminderList> VdirReminderStore::lists() const
{
    if (!accessible(m_root, R_OK | X_OK))
        return {};
    QList<ReminderList> lists;
    for (const QString &name :
         QDir(m_root).entryList(QDir::Dirs | QDir::NoDotAndDotDot, QDir::Name)) {
        if (std::optional<ReminderList> list = listInFolder(name))
            lists.append(std::move(*list));
    }
    return lists;
}

std::optional<ReminderList> VdirReminderStore::defaultListForNewReminders() const
{
    const QList<ReminderList> all = lists();
    if (all.isEmpty())
        return std::nullopt;
    return all.first();
}

QList<ReminderAccount> VdirReminderStore::accounts() const
{
    if (!accessible(m_root, readWrite))
        return {};
    return {account()};
}

std::variant<ReminderList, ReminderError> VdirReminderStore::createList(const QString &title,
                                                                        const ReminderAccount &)
{
    // The list is made complete in a hidden folder and renamed into place, so no program sees a
    // list without its title. The folder is named after the title when it can be: two programs
    // creating the same list at once then meet in one folder instead of making two lists.
    QTemporaryDir staging(m_root + QStringLiteral("/.slatebook-list-XXXXXX"));
    QFile displayName(staging.path() + u'/' + displayNameFile);
    if (!staging.isValid() || !displayName.open(QIODevice::WriteOnly) ||
        displayName.write(title.toUtf8()) != title.toUtf8().size() || !displayName.flush())
        return VdirErrors::cannotWrite(m_root);
    displayName.close();
    qCDebug(lcReminders) << "creating list" << title << "in" << m_root;

    const QString preferred = title.normalized(QString::NormalizationForm_C);
    for (const QString &name :
         {usableAsFileName(preferred) ? preferred : newIdentifier(), newIdentifier()}) {
        if (std::rename(QFile::encodeName(staging.path()).constData(),
                        QFile::encodeName(folderOf(name)).constData()) == 0) {
            staging.setAutoRemove(false);
            return ReminderList{name, title, account()};
        }
        if (std::optional<ReminderList> existing = listInFolder(name);
            existing && sameName(existing->title, title))
            return *existing;
    }
    return VdirErrors::cannotWrite(m_root);
}

std::optional<ReminderError> VdirReminderStore::removeList(const ReminderList &list)
{
    // Gone for every reader at once, then deleted at leisure.
    const QString folder = folderOf(list.id);
    const QString aside = m_root + QStringLiteral("/.slatebook-%1.removed").arg(newIdentifier());
    if (std::rename(QFile::encodeName(folder).constData(), QFile::encodeName(aside).constData()) !=
        0) {
        const QString reason = qt_error_string(errno);
        qCDebug(lcReminders) << "cannot move list folder" << folder << "aside:" << reason;
        return VdirErrors::cannotRemove(folder, reason);
    }
    QDir(aside).removeRecursively();
    return std::nullopt;
}

void VdirReminderStore::fetchReminders(const ReminderList &list,
                                       std::function<void(QList<ReminderItem>)> done)
{
    QThreadPool::globalInstance()->start(
        [folder = folderOf(list.id), listId = list.id, done = std::move(done)] {
            done(readListFolder(folder, listId));
        });
}

std::optional<ReminderItem> VdirReminderStore::item(const QString &id) const
{
    const QList<ReminderList> all = lists();
    // Files this system writes are named after their UID; files from other programs may not be.
    if (usableAsFileName(id)) {
        for (const ReminderList &list : all) {
            const QString path = folderOf(list.id) + u'/' + id + QStringLiteral(".ics");
            if (!QFileInfo::exists(path))
                continue;
            std::optional<ReminderItem> found = readReminderAt(path, list.id);
            if (found && found->id == id)
                return found;
        }
    }
    for (const ReminderList &list : all) {
        for (ReminderItem &found : readListFolder(folderOf(list.id), list.id)) {
            if (found.id == id)
                return std::move(found);
        }
    }
    return std::nullopt;
}

ReminderItem VdirReminderStore::newReminder(const ReminderList &list) const
{
    ReminderItem item;
    item.id = newIdentifier();
    item.listId = list.id;
    item.location = folderOf(list.id) + u'/' + item.id + QStringLiteral(".ics");
    return item;
}

std::unique_ptr<ReminderBatch> VdirReminderStore::batch()
{
    return std::make_unique<VdirBatch>();
}

void VdirReminderStore::openInDesktop() const
{
    QDir().mkpath(m_root);
    DesktopServices::openFolder(m_root);
}

QString VdirReminderStore::storeTitle()
{
    return QStringLiteral("本机文件夹");
}

QString VdirReminderStore::noAccessReason() const
{
    return QStringLiteral(
               "无法创建或写入提醒事项文件夹 %1：请检查该路径是否是文件夹（而不是文件）、"
               "当前用户能否写入，以及磁盘是否已满")
        .arg(m_root);
}
