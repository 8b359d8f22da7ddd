#include "app/cli/DropFileMemory.h"

#include "app/cli/CliLog.h"
#include "bridges/notifications/StateFolder.h"
#include "data/FileStoreCore.h"

namespace {

// One line: the SHA-256 in hex, the size in bytes, the modification time in nanoseconds.
QByteArray encode(const DropFileStamp &stamp)
{
    return stamp.sha256.toHex() + ' ' + QByteArray::number(stamp.size) + ' ' +
        QByteArray::number(stamp.modifiedNs) + '\n';
}

// The remembered line, kept as every file the program keeps is: never read from a FIFO, never
// left half written.
struct Memory {
    QByteArray line;
    FileStoreCore file{StateFolder::path() + QStringLiteral("/last-drop-file"),
                       {[this](const QByteArray &bytes) {
                            line = bytes;
                            return FileStoreCore::Decoded::Whole;
                        },
                        [this] { return line; }}};
};

} // namespace

namespace DropFileMemory {

bool alreadyRan(const DropFileStamp &stamp)
{
    Memory memory;
    memory.file.reload(FileStoreCore::Read::Always);
    return memory.line == encode(stamp);
}

void remember(const DropFileStamp &stamp)
{
    Memory memory;
    FileStoreCore::Outcome outcome;
    memory.file.change(
        [&](bool &changed) {
            memory.line = encode(stamp);
            changed = true;
        },
        outcome);
    if (!outcome.saved)
        qCDebug(lcCli) << "cannot remember the drop file run; it will run again:"
                       << memory.file.saveError().value_or(QString());
}

} // namespace DropFileMemory
