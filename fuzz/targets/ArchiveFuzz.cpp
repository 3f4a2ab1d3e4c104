// Fuzz target "archive": the bytes are the archive "data.bar". The game's resource opener reads
// its directory on the first lookup; then every entry it lists (up to a limit) is opened by its
// name and read whole, and must give exactly the bytes the directory places it at.
#include <algorithm>
#include <cstdint>
#include <string>

#include "fuzz/FuzzRuntime.h"
#include "game/resources/ArchiveResource.h"
#include "profile/GamePaths.h"
#include "profile/Resources.h"
#include "runtime/Application.h"
#include "runtime/Exceptions.h"
#include "runtime/Streams.h"
#include "runtime/String.h"
#include "runtime/StringBuffer.h"

namespace {

using runtime::jint;
using runtime::String;

// Each lookup walks the whole directory (up to 32,767 entries, most of them empty in a directory
// cut short) and opens the file; the first entries show all there is to see.
constexpr jint kEntriesLookedUp = 16;
constexpr jint kChunk = 97;

// The stream's bytes, read in chunks while it reports some, then one read that must find the end.
std::string readWhole(runtime::java_io_InputStream* stream) {
    std::string bytes;
    if (stream == nullptr) {
        return bytes;
    }
    runtime::ByteArray* chunk = runtime::newByteArray(kChunk);
    while (stream->available() > 0) {
        const jint n = stream->read(chunk, 0, std::min(kChunk, stream->available()));
        if (runtime::getPendingException() != nullptr || n <= 0) {
            break;
        }
        bytes.append(reinterpret_cast<const char*>(chunk->data()), static_cast<std::size_t>(n));
    }
    fuzzing::application().pendingException = nullptr;
    if (stream->read() != -1) {
        fuzzing::fail("an entry reads on past its end");
    }
    stream->close();
    return bytes;
}

char folded(const runtime::jchar c) {
    return static_cast<char>(c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c);
}

bool sameName(String* a, String* b) {
    if (a == nullptr || b == nullptr || a->length() != b->length()) {
        return false;
    }
    for (jint i = 0; i < a->length(); ++i) {
        if (a->chars[i] != b->chars[i] &&
            (a->chars[i] > 0x7F || folded(a->chars[i]) != folded(b->chars[i]))) {
            return false;
        }
    }
    return true;
}

// The archive's path below the programs folder, in POSIX form.
std::string archivePath() {
    std::string path = std::string(profile::kGameFolderPath + 1) + "/" + profile::kArchiveFileName;
    std::replace(path.begin(), path.end(), '\\', '/');
    return path;
}

void fuzzArchive(const std::uint8_t* data, const std::size_t size) {
    static const std::string path = archivePath();
    fuzzing::writeFile(path, data, size);
    for (const char* name : {"/constants.bin", "/APP.JAD", "/"}) {
        readWhole(profile::getResourceAsStream(runtime::newStringFromCString(name)));
    }
    const game::resources::ArchiveDirectory& directory = game::resources::archiveDirectory();
    if (directory.archiveEntryNames == nullptr) {
        return;
    }
    const jint count = std::min(directory.archiveEntryNames->length, kEntriesLookedUp);
    for (jint i = 0; i < count; ++i) {
        auto* name = static_cast<String*>((*directory.archiveEntryNames)[i]);
        fuzzing::checkString(name, "an entry name");
        if (name == nullptr) {
            continue;
        }
        // The first entry of that name in directory order is the one found.
        jint first = 0;
        while (!sameName(static_cast<String*>((*directory.archiveEntryNames)[first]), name)) {
            ++first;
        }
        const jint offset = (*directory.archiveEntryOffsets)[first];
        const jint length = (*directory.archiveEntrySizes)[first];
        if (offset < 0 || length < 0 ||
            static_cast<std::size_t>(offset) + static_cast<std::size_t>(length) > size) {
            fuzzing::fail("entry %d lies outside the archive (offset %d, size %d)", first, offset, length);
        }
        // Looked up the way the game names resources: with a '/' before the entry's name.
        runtime::StringBuffer* lookup = runtime::newStringBuffer(name->length() + 1);
        lookup->append(runtime::newStringFromCString("/"));
        lookup->append(name);
        const std::string bytes = readWhole(game::resources::openArchiveResource(lookup->toString()));
        if (bytes !=
            std::string(reinterpret_cast<const char*>(data) + offset, static_cast<std::size_t>(length))) {
            fuzzing::fail("entry %d does not read as the bytes the directory places it at", i);
        }
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, const std::size_t size) {
    return fuzzing::runInput(data, size, &fuzzArchive);
}
