// The statics of the archive resource opener: the archive file and its directory, read on the
// first lookup. They belong to the block, so the collector sees them and a new Application (a
// restarted midlet) reads the directory again instead of one that close freed.
#pragma once

#include "runtime/Arrays.h"
#include "runtime/StaticRef.h"

namespace profile {
struct javax_microedition_io_File;
} // namespace profile

namespace game {

struct ArchiveStatics {
    runtime::StaticRef<profile::javax_microedition_io_File> archiveFile; // set before anything is read
    runtime::StaticRef<runtime::ObjectArray> archiveEntryNames; // String per entry; null: not read whole
    runtime::StaticRef<runtime::IntArray> archiveEntryOffsets;  // where each entry starts in the file
    runtime::StaticRef<runtime::IntArray> archiveEntrySizes;    // its length in bytes
};

} // namespace game
