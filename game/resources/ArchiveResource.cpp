// The archive resource opener.
#include "game/resources/ArchiveResource.h"

#include <string>
#include <string_view>
#include <vector>

#include "game/resources/ArchiveFormat.h"
#include "game/sprites/PackFormat.h"
#include "profile/Files.h"
#include "profile/Resources.h"
#include "runtime/ConstantPoolFormat.h"
#include "runtime/Exceptions.h"
#include "runtime/Log.h"
#include "runtime/ModifiedUtf8.h"
#include "runtime/ObjectManager.h"
#include "runtime/StreamsData.h"
#include "runtime/StreamsResource.h"
#include "runtime/String.h"

namespace game::resources {

using profile::File;
using profile::FileInputStream;
using runtime::jint;
using runtime::jlong;
using runtime::String;

namespace {

ArchiveDirectory directory;

// The directory lives for the whole run, like the statics that hold it.
template <typename T> T* permanent(T* object) {
    object->collectable = 0;
    return object;
}

std::string archivePathText() {
    return directory.archiveFile != nullptr ? profile::narrowPath(directory.archiveFile->path) : "";
}

// Reads the entries into the directory arrays; returns how many entries were read whole.
jint readEntries(runtime::java_io_DataInputStream* data, const jint count, const jint fileSize) {
    for (jint i = 0; i < count; ++i) {
        String* name = data->readUTF();
        const jint offset = data->readInt();
        const jint size = data->readInt();
        if (runtime::getPendingException() != nullptr) {
            return i;
        }
        if (offset < 0 || size < 0 || static_cast<jlong>(offset) + size > fileSize) {
            runtime::log("%s: entry %d lies outside the file (offset %d, size %d); it is left out",
                         archivePathText().c_str(), i, offset, size);
            continue;
        }
        (*directory.archiveEntryNames)[i] = permanent(name);
        (*directory.archiveEntryOffsets)[i] = offset;
        (*directory.archiveEntrySizes)[i] = size;
    }
    return count;
}

} // namespace

ArchiveDirectory& archiveDirectory() {
    return directory;
}

void resetArchiveDirectory() {
    directory = ArchiveDirectory{};
}

void loadArchiveDirectory() {
    File* file = permanent(runtime::newObject<File>(permanent(profile::getArchivePath())));
    directory.archiveFile = file;
    FileInputStream* stream = FileInputStream::open(file);
    if (stream == nullptr) {
        runtime::log("%s: the archive cannot be opened; no resource can be found", archivePathText().c_str());
        return;
    }
    const jint fileSize = stream->available();
    auto* data = runtime::newObject<runtime::java_io_DataInputStream>(stream);
    jint count = data->readShort();
    // Reading the directory catches every Exception: its callers expect none from a lookup.
    if (runtime::catchException(runtime::kException)) {
        runtime::log("%s: no directory; no resource can be found", archivePathText().c_str());
        data->close();
        return;
    }
    if (count < 0) {
        runtime::log("%s: negative entry count %d", archivePathText().c_str(), count);
        count = 0;
    }
    directory.archiveEntryNames = permanent(runtime::newObjectArray(count, runtime::kString));
    directory.archiveEntryOffsets = permanent(runtime::newIntArray(count));
    directory.archiveEntrySizes = permanent(runtime::newIntArray(count));
    const jint read = readEntries(data, count, fileSize);
    if (runtime::catchException(runtime::kException)) {
        runtime::log("%s: the directory is cut short after %d of %d entries", archivePathText().c_str(), read,
                     count);
    }
    data->close();
}

runtime::java_io_InputStream* openArchiveResource(String* const name) {
    if (directory.archiveFile == nullptr) {
        loadArchiveDirectory();
    }
    runtime::ObjectArray* names = directory.archiveEntryNames;
    if (names == nullptr || name == nullptr) {
        return nullptr;
    }
    const jint start = name->length() > 0 && name->charAt(0) == kArchiveNamePrefix ? 1 : 0;
    const jint length = name->length() - start;
    for (jint i = 0; i < names->length; ++i) {
        auto* entry = static_cast<String*>((*names)[i]);
        if (entry == nullptr || entry->length() != length ||
            entry->regionMatches(1, 0, name, start, length) == 0) {
            continue;
        }
        FileInputStream* stream = FileInputStream::open(directory.archiveFile);
        if (stream == nullptr) {
            runtime::log("%s: the archive cannot be opened", archivePathText().c_str());
            return nullptr;
        }
        const jint offset = (*directory.archiveEntryOffsets)[i];
        const jlong skipped = stream->skip(offset);
        if (runtime::getPendingException() != nullptr) {
            return nullptr;
        }
        if (skipped != offset) {
            runtime::log("%s: the archive is shorter than its directory says", archivePathText().c_str());
            stream->close();
            return nullptr;
        }
        return runtime::newObject<runtime::javax_microedition_io_ResourceInputStream>(
            stream, (*directory.archiveEntrySizes)[i]);
    }
    return nullptr;
}

namespace {

// Constant strings naming the packs the start-up loading cannot do without: the texts and the
// sprites with the fonts.
constexpr jint kStartPackConstants[] = {112, 117};
// A constant string takes at least its 16-bit length.
constexpr std::uint64_t kPoolCountBytes = 4;
constexpr std::uint64_t kPoolMinimumStringBytes = 2;

// The archive file and its directory, read as plain bytes.
struct PlainArchive {
    std::FILE* file;
    const std::vector<ArchiveDirectoryEntry>& entries;

    const ArchiveDirectoryEntry* find(const std::string_view name) const {
        for (const ArchiveDirectoryEntry& entry : entries) {
            if (archiveNamesMatch(entry.name, name)) {
                return &entry;
            }
        }
        return nullptr;
    }
    bool read(const ArchiveDirectoryEntry& entry, const std::int64_t position, std::uint8_t* into,
              const std::size_t n) const {
        return std::fseek(file, static_cast<long>(entry.offset + position), SEEK_SET) == 0 &&
               std::fread(into, 1, n, file) == n;
    }
};

// The constant strings of the pool entry, read as the runtime reads them (low 8 bits of each
// character); the empty text, or why they cannot be read.
std::string readPlainPool(const PlainArchive& archive, const ArchiveDirectoryEntry& pool,
                          std::vector<std::string>& texts) {
    std::vector<std::uint8_t> bytes(static_cast<std::size_t>(pool.size));
    if (!bytes.empty() && !archive.read(pool, 0, bytes.data(), bytes.size())) {
        return "it cannot be read";
    }
    if (bytes.size() < kPoolCountBytes) {
        return "it is cut off before its count";
    }
    const std::int32_t count =
        static_cast<std::int32_t>(std::uint32_t{bytes[0]} << 24 | std::uint32_t{bytes[1]} << 16 |
                                  std::uint32_t{bytes[2]} << 8 | bytes[3]);
    if (count < 0 ||
        static_cast<std::uint64_t>(count) > (bytes.size() - kPoolCountBytes) / kPoolMinimumStringBytes) {
        return "its count " + std::to_string(count) + " does not fit its size of " +
               std::to_string(bytes.size()) + " bytes";
    }
    std::size_t at = kPoolCountBytes;
    std::vector<runtime::jchar> characters;
    for (std::int32_t i = 0; i < count; ++i) {
        const std::size_t length = at + 2 <= bytes.size() ? std::size_t{bytes[at]} << 8 | bytes[at + 1] : 0;
        characters.resize(length + 1);
        const jint decoded = at + 2 + length <= bytes.size()
                                 ? runtime::decodeModifiedUtf8(bytes.data() + at + 2,
                                                               static_cast<jint>(length), characters.data())
                                 : -1;
        if (decoded < 0) {
            return "string " + std::to_string(i) + " is cut off or not modified UTF-8";
        }
        texts.emplace_back(characters.begin(), characters.begin() + decoded);
        at += 2 + length;
    }
    return {};
}

// Why the pack named name cannot be read by the start-up loading, naming the part file's entry;
// the empty text when its header and every offset table read whole.
std::string findPackProblem(const PlainArchive& archive, std::string name, const std::string& partSuffix) {
    if (!name.empty() && name[0] == kArchiveNamePrefix) {
        name.erase(0, 1);
    }
    std::int32_t lastPart = 0;
    const auto partEntry = [&](const std::int32_t part) {
        lastPart = part;
        return archive.find(part == 0 ? name : name + partSuffix + std::to_string(part));
    };
    sprites::PackLayout layout;
    std::string problem;
    const bool whole = sprites::readPackLayout(
        [&](const std::int32_t part) {
            const ArchiveDirectoryEntry* entry = partEntry(part);
            return entry != nullptr ? std::int64_t{entry->size} : -1;
        },
        [&](const std::int32_t part, const std::int64_t position, std::uint8_t* into, const std::size_t n) {
            const ArchiveDirectoryEntry* entry = partEntry(part);
            return entry != nullptr && archive.read(*entry, position, into, n);
        },
        layout, problem);
    if (whole) {
        return {};
    }
    const std::string entry = lastPart == 0 ? name : name + partSuffix + std::to_string(lastPart);
    return "its pack entry " + entry + ": " + problem;
}

} // namespace

std::string findArchiveProblem(std::FILE* const archive, const std::uint64_t size) {
    std::vector<ArchiveDirectoryEntry> entries;
    std::string problem;
    const auto read = [archive](std::uint8_t* into, const std::size_t count) {
        return std::fread(into, 1, count, archive) == count;
    };
    if (!readArchiveDirectory(read, size, entries, problem)) {
        return problem;
    }
    // The game cannot run a moment without its constant strings.
    const PlainArchive plain{archive, entries};
    const std::string_view poolName = std::string_view(runtime::kConstantPoolResource).substr(1);
    const ArchiveDirectoryEntry* pool = plain.find(poolName);
    if (pool == nullptr) {
        return "it holds no " + std::string(poolName);
    }
    std::vector<std::string> constants;
    if (problem = readPlainPool(plain, *pool, constants); !problem.empty()) {
        return "its " + std::string(poolName) + ": " + problem;
    }
    // A pack whose name the pool lacks is looked for under the empty name, and missed, in the game.
    const auto constant = [&](const jint n) {
        return static_cast<std::size_t>(n) < constants.size() ? constants[static_cast<std::size_t>(n)] : "";
    };
    for (const jint pack : kStartPackConstants) {
        if (problem = findPackProblem(plain, constant(pack), constant(sprites::kPackPartSuffixConstant));
            !problem.empty()) {
            return problem;
        }
    }
    return {};
}

void installArchiveOpener() {
    profile::setArchiveOpener(&openArchiveResource);
}

} // namespace game::resources
