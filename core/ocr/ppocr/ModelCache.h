#pragma once

#include <QString>

// ONNX Runtime spends most of a session's creation optimising the network's graph (fusing
// layers, choosing the processor's vector layout), the same work at every start. The optimised
// graph is kept in $XDG_CACHE_HOME/slatebook and loaded instead while it matches: its name holds
// the network's checksum, the runtime's version and the processor's instruction sets, since the
// optimised graph is written for this processor's layout. An entry that no longer matches is
// replaced, and one that does not load is rebuilt from the network.
namespace ModelCache {

// $XDG_CACHE_HOME/slatebook (~/.cache/slatebook).
QString folder();

// Where the optimised form of the network at networkPath is kept, in a folder of that network's
// own; empty when the network cannot be read.
QString entryFor(const QString &networkPath);

// A fresh name beside the entry to write it under before it is published: several processes may
// build the same entry at once, and none may see another's half-written file.
QString partFor(const QString &entry);

// Moves the written part into place in one step (a reader sees the old entry or the new one,
// never a mix) and removes the entries of earlier versions of the same network and parts that
// a process left behind when it died.
bool publish(const QString &part, const QString &entry);

} // namespace ModelCache
