#include "core/ocr/ppocr/ModelCache.h"

#include "core/ocr/OcrLog.h"
#include "core/ocr/RegularFile.h"

#include <onnxruntime_cxx_api.h>

#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QUuid>

#include <cerrno>
#include <ctime>
#include <utility>

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <xxhash.h>

namespace {

// A part older than this was left by a process that died while writing it.
constexpr time_t abandonedPartSeconds = 600;

// Far above any optimised PP-OCR network (the largest is about 11 MB).
constexpr qint64 maximumGraphBytes = 256 * 1024 * 1024;

// What ends every entry: a mark, then the 128-bit checksum of the graph under its key.
constexpr char trailerMark[] = "slatebook-graph\n";
constexpr qsizetype markSize = sizeof(trailerMark) - 1;
constexpr qsizetype checksumSize = sizeof(XXH128_canonical_t);
constexpr qsizetype trailerSize = markSize + checksumSize;

// The names this cache gives: "<network sum>-ort<version>-<processor sum>.ort" for an entry
// (".graph" and ".onnx" for the ONNX graphs of earlier versions, ".onnx" kept without a
// checksum) and "<entry>.<uuid>.part" while one is written.
const QRegularExpression &entryPattern()
{
    static const QRegularExpression pattern(
        QStringLiteral("^[0-9a-f]+-ort[0-9.]+-[0-9a-f]+\\.(?:ort|graph|onnx)$"));
    return pattern;
}

const QRegularExpression &partPattern()
{
    static const QRegularExpression pattern(QStringLiteral(
        "^[0-9a-f]+-ort[0-9.]+-[0-9a-f]+\\.(?:ort|graph|onnx)\\.[0-9a-f]{32}\\.part$"));
    return pattern;
}

bool matches(const QRegularExpression &pattern, const QByteArray &name)
{
    return pattern.match(QLatin1String(name)).hasMatch();
}

// The instruction sets the optimised layout was chosen for; read once per process.
const QByteArray &processorFlags()
{
    static const QByteArray flags = [] {
        QFile info(QStringLiteral("/proc/cpuinfo"));
        if (info.open(QIODevice::ReadOnly)) {
            while (!info.atEnd()) {
                const QByteArray line = info.readLine();
                if (line.startsWith("flags"))
                    return line.trimmed();
            }
        }
        return QByteArray("unknown");
    }();
    return flags;
}

// XXH3 reads at memory speed: about a millisecond for the three networks here, where Blake2b,
// the fastest of Qt's hashes, took 100 ms.
QByteArray checksum(QByteArrayView bytes, XXH64_hash_t seed = 0)
{
    XXH128_canonical_t canonical;
    XXH128_canonicalFromHash(&canonical,
                             XXH3_128bits_withSeed(bytes.data(), size_t(bytes.size()), seed));
    return QByteArray(reinterpret_cast<const char *>(canonical.digest), sizeof canonical.digest);
}

// Seeded with the key, so that another network's graph under this name does not match.
QByteArray graphChecksum(const QByteArray &key, QByteArrayView graph)
{
    return checksum(graph, XXH3_64bits(key.constData(), size_t(key.size())));
}

// The names in an open folder, through a descriptor of their own so the folder's stays unmoved.
QList<QByteArray> namesIn(int folderFd)
{
    const int listing = ::openat(folderFd, ".", O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    DIR *folder = listing >= 0 ? ::fdopendir(listing) : nullptr;
    if (!folder) {
        qCDebug(lcOcr) << "model cache folder not listed:" << qt_error_string(errno);
        if (listing >= 0)
            ::close(listing);
        return {};
    }
    QList<QByteArray> names;
    while (const dirent *entry = ::readdir(folder)) {
        const QByteArray name(entry->d_name);
        if (name != "." && name != "..")
            names.append(name);
    }
    ::closedir(folder);
    return names;
}

// A folder inside an open one, made when missing, and never reached through a symbolic link.
int subfolder(int parentFd, const QByteArray &name, const QString &pathForLog)
{
    if (::mkdirat(parentFd, name.constData(), 0700) != 0 && errno != EEXIST) {
        qCDebug(lcOcr) << "model cache folder" << pathForLog
                       << "cannot be made; working without the model cache:"
                       << qt_error_string(errno);
        return -1;
    }
    const int fd =
        ::openat(parentFd, name.constData(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
    if (fd < 0)
        qCDebug(lcOcr) << "model cache folder" << pathForLog
                       << "is a symbolic link or not a folder; working without the model cache:"
                       << qt_error_string(errno);
    return fd;
}

} // namespace

namespace ModelCache {

QString folder()
{
    return QStandardPaths::writableLocation(QStandardPaths::GenericCacheLocation) +
        QStringLiteral("/slatebook");
}

QByteArray keyFor(const QByteArray &network)
{
    return checksum(network).toHex() + "-ort" + QByteArray(Ort::GetVersionString().c_str()) + '-' +
        checksum(processorFlags()).toHex().left(8);
}

QByteArray entryName(const QByteArray &key)
{
    return key + ".ort";
}

std::optional<NetworkFolder> NetworkFolder::open(const QString &networkName)
{
    // The cache home itself is the user's to place, through a link or not.
    const QString home = QStandardPaths::writableLocation(QStandardPaths::GenericCacheLocation);
    QDir().mkpath(home);
    const int homeFd =
        ::open(QFile::encodeName(home).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (homeFd < 0) {
        qCDebug(lcOcr) << "cache folder" << home
                       << "does not open; working without the model cache:"
                       << qt_error_string(errno);
        return std::nullopt;
    }
    const int rootFd = subfolder(homeFd, "slatebook", folder());
    ::close(homeFd);
    if (rootFd < 0)
        return std::nullopt;
    const int networkFd = subfolder(rootFd, QFile::encodeName(networkName),
                                    folder() + QLatin1Char('/') + networkName);
    ::close(rootFd);
    if (networkFd < 0)
        return std::nullopt;
    return NetworkFolder(networkFd);
}

NetworkFolder::~NetworkFolder()
{
    if (m_fd >= 0)
        ::close(m_fd);
}

NetworkFolder::NetworkFolder(NetworkFolder &&other) noexcept : m_fd(std::exchange(other.m_fd, -1))
{
}

std::optional<QByteArray> NetworkFolder::find(const QByteArray &key) const
{
    const QByteArray name = entryName(key);
    struct stat status { };
    if (::fstatat(m_fd, name.constData(), &status, AT_SYMLINK_NOFOLLOW) != 0)
        return std::nullopt;
    std::optional<QByteArray> graph = RegularFile::readAll(
        RegularFile::openIn(m_fd, name), maximumGraphBytes, QString::fromLatin1(name));
    if (graph && graph->size() > trailerSize) {
        const qsizetype graphSize = graph->size() - trailerSize;
        if (graph->mid(graphSize, markSize) == trailerMark &&
            graph->right(checksumSize) ==
                graphChecksum(key, QByteArrayView(graph->constData(), graphSize))) {
            graph->truncate(graphSize);
            return graph;
        }
    }
    qCDebug(lcOcr) << "cached graph" << name
                   << (graph ? "does not match its checksum" : "is not a readable file")
                   << "; removed and rebuilt";
    remove(name);
    return std::nullopt;
}

QByteArray NetworkFolder::newPart(const QByteArray &key) const
{
    return entryName(key) + '.' + QUuid::createUuid().toByteArray(QUuid::Id128) + ".part";
}

QString NetworkFolder::pathOf(const QByteArray &name) const
{
    return QStringLiteral("/proc/self/fd/%1/").arg(m_fd) + QFile::decodeName(name);
}

bool NetworkFolder::publish(const QByteArray &part, const QByteArray &key) const
{
    const QByteArray entry = entryName(key);
    const RegularFile::Descriptor file =
        RegularFile::openIn(m_fd, part, RegularFile::Access::ReadWrite);
    const std::optional<QByteArray> graph =
        RegularFile::readAll(file, maximumGraphBytes, QString::fromLatin1(part));
    const QByteArray trailer =
        graph ? QByteArray(trailerMark, markSize) + graphChecksum(key, *graph) : QByteArray();
    // renameat(2) replaces an entry another process published meanwhile (from the same network),
    // and a link or FIFO left under the name as a name, never what it points to.
    if (!graph ||
        ::pwrite(file.fd(), trailer.constData(), size_t(trailer.size()), off_t(graph->size())) !=
            trailer.size() ||
        ::renameat(m_fd, part.constData(), m_fd, entry.constData()) != 0) {
        qCDebug(lcOcr) << "optimised network not cached:" << part << qt_error_string(errno);
        remove(part);
        return false;
    }
    const time_t abandoned = std::time(nullptr) - abandonedPartSeconds;
    for (const QByteArray &name : namesIn(m_fd)) {
        bool stale = matches(entryPattern(), name) && name != entry;
        struct stat status { };
        if (matches(partPattern(), name) &&
            ::fstatat(m_fd, name.constData(), &status, AT_SYMLINK_NOFOLLOW) == 0)
            stale = status.st_mtime < abandoned;
        if (stale) {
            qCDebug(lcOcr) << "removed stale cache file" << name;
            remove(name);
        }
    }
    return true;
}

void NetworkFolder::remove(const QByteArray &name) const
{
    // unlinkat(2) removes a symbolic link itself, never the file it points to.
    if (::unlinkat(m_fd, name.constData(), 0) != 0 && errno != ENOENT)
        qCDebug(lcOcr) << "cache file" << name << "not removed:" << qt_error_string(errno);
}

} // namespace ModelCache
