#pragma once

#include <QByteArray>
#include <QString>
#include <optional>

// ONNX Runtime spends most of a session's creation optimising the network's graph (fusing
// layers, choosing the processor's vector layout), the same work at every start. The optimised
// graph is kept in $XDG_CACHE_HOME/slatebook/<network>/ and loaded instead while it matches. An
// entry is named after its key: the network's checksum, the runtime's version and the
// processor's instruction sets, since the optimised graph is written for this processor's layout.
// It ends in a checksum of the key and the graph, taken when it was written: an entry damaged
// since (flipped bits, cut short, another network's graph under its name) no longer matches and
// is rebuilt, as is one that does not load. The runtime numbers the nodes it adds differently at
// every build, so the checksum is kept in the file rather than its name, and builds of one key
// by several processes at once all publish under the one name.
//
// The cache is a folder other programs and people can reach into, so it trusts nothing there: a
// cache folder that is a symbolic link is not used (recognition then works without the cache),
// an entry that is a link, a FIFO or a device is removed as a name and never opened through, and
// only files named by the cache's own patterns are ever removed.
namespace ModelCache {

// $XDG_CACHE_HOME/slatebook (~/.cache/slatebook).
QString folder();

// The key of a network's optimised graphs: changes with the network, the runtime and the processor.
QByteArray keyFor(const QByteArray &network);

// The name of the entry kept under a key.
QByteArray entryName(const QByteArray &key);

// The cache folder of one network, held open (and so pinned) for as long as this lives.
class NetworkFolder {
public:
    // Opens folder()/<networkName>, creating what is missing; nothing when a folder on the way is
    // a symbolic link or not a folder, or cannot be made.
    static std::optional<NetworkFolder> open(const QString &networkName);
    ~NetworkFolder();
    NetworkFolder(NetworkFolder &&other) noexcept;
    NetworkFolder &operator=(NetworkFolder &&) = delete;
    NetworkFolder(const NetworkFolder &) = delete;
    NetworkFolder &operator=(const NetworkFolder &) = delete;

    // The optimised graph kept under this key, when its checksum matches. An entry that is
    // damaged, or is not a regular file, is removed on the way.
    std::optional<QByteArray> find(const QByteArray &key) const;

    // A fresh name to write a graph under before it is published: several processes may build
    // the same entry at once, and none may see another's half-written file.
    QByteArray newPart(const QByteArray &key) const;

    // A path to a file of this folder through the open folder itself, so that a folder swapped
    // for a symbolic link meanwhile is not written through.
    QString pathOf(const QByteArray &name) const;

    // Appends the checksum to the written part and moves it into place in one step (a reader
    // sees the old entry or the new one, never a mix); then removes the entries of other keys
    // (earlier versions of the network or the runtime) and parts a process left behind when it
    // died.
    bool publish(const QByteArray &part, const QByteArray &key) const;

    // Removes one of the cache's own files (an entry that loads no session, an unused part).
    void remove(const QByteArray &name) const;

private:
    explicit NetworkFolder(int fd) : m_fd(fd) { }
    int m_fd = -1;
};

} // namespace ModelCache
