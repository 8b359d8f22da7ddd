#pragma once

#include <QByteArray>
#include <QString>
#include <optional>

// Files recognition reads from disk: images, the networks, their dictionary and the model cache.
// A path may name a FIFO, a device or a folder, and opening a FIFO for reading waits for a writer
// for ever: every file is opened without blocking and used only when fstat says it is a regular
// file. Failures leave their reason in the slatebook.ocr log.
namespace RegularFile {

// An open regular file, closed when it goes.
class Descriptor {
public:
    Descriptor() = default;
    Descriptor(int fd, qint64 size) : m_fd(fd), m_size(size) { }
    ~Descriptor();
    Descriptor(Descriptor &&other) noexcept;
    Descriptor &operator=(Descriptor &&other) noexcept;
    Descriptor(const Descriptor &) = delete;
    Descriptor &operator=(const Descriptor &) = delete;

    explicit operator bool() const { return m_fd >= 0; }
    int fd() const { return m_fd; }
    qint64 size() const { return m_size; }

private:
    int m_fd = -1;
    qint64 m_size = 0;
};

// Opens a path, following symbolic links; invalid unless it ends at a regular file.
Descriptor open(const QString &path);

// Opens `name` inside the open folder `folderFd` without following a symbolic link: a link is
// not a regular file here. For reading, or for reading and writing.
enum class Access { Read, ReadWrite };
Descriptor openIn(int folderFd, const QByteArray &name, Access access = Access::Read);

// The whole file from its start; nothing when it holds more than maximumBytes or a read fails.
std::optional<QByteArray> readAll(const Descriptor &file, qint64 maximumBytes,
                                  const QString &nameForLog);
std::optional<QByteArray> readAll(const QString &path, qint64 maximumBytes);

} // namespace RegularFile
