#pragma once

#include <QByteArray>

// What tells one drop file from another: its bytes and when it was last written.
struct DropFileStamp {
    QByteArray sha256; // of the bytes read; empty for a file too large to be read
    qint64 size = 0;
    qint64 modifiedNs = 0;
};

// A drop file that cannot be deleted (a read-only tools folder) would otherwise run again at
// every start and the window would never open. The last such file run is remembered by its stamp
// in $XDG_STATE_HOME/Slatebook, so it runs once; a drop file written anew (other bytes or a newer
// time) runs as usual.
namespace DropFileMemory {

bool alreadyRan(const DropFileStamp &stamp);
void remember(const DropFileStamp &stamp);

} // namespace DropFileMemory
