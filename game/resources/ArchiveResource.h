// The archive resource opener: every resource the game opens by a name that is not a ".bar" file
// (the constant pool, packs, texts, sounds, the database, "app.jad") is an entry of the archive
// "data.bar" (layout: ArchiveFormat.h). The directory is read once, on the first lookup, and
// each lookup hands out a stream limited to its entry.
#pragma once

#include <cstdint>
#include <cstdio>
#include <string>

#include "runtime/Arrays.h"
#include "runtime/Streams.h"

namespace profile {
struct javax_microedition_io_File;
}

namespace game::resources {

// The directory, kept for the whole run. Every object it holds is permanent (never collected);
// a partly read directory keeps the entries read whole, and the name of an entry that was not is
// null.
struct ArchiveDirectory {
    profile::javax_microedition_io_File* archiveFile = nullptr; // set before anything is read
    runtime::ObjectArray* archiveEntryNames = nullptr;
    runtime::IntArray* archiveEntryOffsets = nullptr;
    runtime::IntArray* archiveEntrySizes = nullptr;
};
ArchiveDirectory& archiveDirectory();

// Reads the directory of the file at getArchivePath(). An entry whose bytes do not lie inside the
// file is dropped; a directory cut short keeps the entries before the cut. Problems are logged;
// nothing is raised.
void loadArchiveDirectory();

// A stream over the entry named name (one leading '/' dropped; ASCII case ignored; the first
// match in directory order), or null when there is none. Each stream has its own file handle.
runtime::java_io_InputStream* openArchiveResource(runtime::String* name);

// Why the open archive file of size bytes cannot serve the game, in words for a person ("its
// directory is cut short at entry 3 of 9"), or the empty text when its directory reads whole, its
// constant pool reads whole and the headers and offset tables of the text pack and the sprite
// pack read whole. Needs no runtime: the program checks the archive this way before it starts,
// so damage the start-up loading could not get past is told to the player instead.
std::string findArchiveProblem(std::FILE* archive, std::uint64_t size);

// Makes openArchiveResource the profile's archive opener (at start-up).
void installArchiveOpener();

// Forgets the directory, so the next lookup reads it again (for a new Application).
void resetArchiveDirectory();

} // namespace game::resources
