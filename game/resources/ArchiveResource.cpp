// The archive resource opener.
#include "game/resources/ArchiveResource.h"

#include <string>
#include <string_view>
#include <vector>

#include "game/resources/ArchiveFormat.h"
#include "profile/Files.h"
#include "profile/Resources.h"
#include "runtime/ConstantPoolFormat.h"
#include "runtime/Exceptions.h"
#include "runtime/Log.h"
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
    const std::string_view pool = std::string_view(runtime::kConstantPoolResource).substr(1);
    for (const ArchiveDirectoryEntry& entry : entries) {
        if (archiveNamesMatch(entry.name, pool)) {
            return {};
        }
    }
    return "it holds no " + std::string(pool);
}

void installArchiveOpener() {
    profile::setArchiveOpener(&openArchiveResource);
}

} // namespace game::resources
