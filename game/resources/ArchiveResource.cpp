// The archive resource opener.
#include "game/resources/ArchiveResource.h"

#include <string>
#include <string_view>
#include <vector>

#include "game/core/GameStatics.h"
#include "game/resources/ArchiveFormat.h"
#include "profile/Files.h"
#include "profile/Resources.h"
#include "runtime/Application.h"
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

// The running Application's game block, which holds the directory; null (logged) under any other
// block, so a lookup never reads a directory the block does not own.
GameStatics* directoryBlock() {
    runtime::Application* const application = runtime::Application::getInstance();
    auto* const block =
        application != nullptr ? dynamic_cast<GameStatics*>(application->getStaticClass()) : nullptr;
    if (block == nullptr) {
        runtime::log("the archive directory needs the game's static block; no resource can be found");
    }
    return block;
}

std::string archivePathText(const GameStatics* const block) {
    return block->archiveFile != nullptr ? profile::narrowPath(block->archiveFile->path) : "";
}

// Reads the entries into the directory arrays; returns how many entries were read whole.
jint readEntries(GameStatics* const block, runtime::java_io_DataInputStream* data, const jint count,
                 const jint fileSize) {
    for (jint i = 0; i < count; ++i) {
        String* name = data->readUTF();
        const jint offset = data->readInt();
        const jint size = data->readInt();
        if (runtime::getPendingException() != nullptr) {
            return i;
        }
        if (offset < 0 || size < 0 || static_cast<jlong>(offset) + size > fileSize) {
            runtime::log("%s: entry %d lies outside the file (offset %d, size %d); it is left out",
                         archivePathText(block).c_str(), i, offset, size);
            continue;
        }
        (*block->archiveEntryNames)[i] = name;
        (*block->archiveEntryOffsets)[i] = offset;
        (*block->archiveEntrySizes)[i] = size;
    }
    return count;
}

} // namespace

void resetArchiveDirectory() {
    if (GameStatics* const block = directoryBlock()) {
        block->archiveFile = nullptr;
        block->archiveEntryNames = nullptr;
        block->archiveEntryOffsets = nullptr;
        block->archiveEntrySizes = nullptr;
    }
}

void loadArchiveDirectory() {
    GameStatics* const block = directoryBlock();
    if (block == nullptr) {
        return;
    }
    File* const file = runtime::newObject<File>(profile::getArchivePath());
    block->archiveFile = file;
    FileInputStream* stream = FileInputStream::open(file);
    if (stream == nullptr) {
        runtime::log("%s: the archive cannot be opened; no resource can be found",
                     archivePathText(block).c_str());
        return;
    }
    const jint fileSize = stream->available();
    auto* data = runtime::newObject<runtime::java_io_DataInputStream>(stream);
    jint count = data->readShort();
    // Reading the directory catches every Exception: its callers expect none from a lookup.
    if (runtime::catchException(runtime::kException)) {
        runtime::log("%s: no directory; no resource can be found", archivePathText(block).c_str());
        data->close();
        return;
    }
    if (count < 0) {
        runtime::log("%s: negative entry count %d", archivePathText(block).c_str(), count);
        count = 0;
    }
    block->archiveEntryNames = runtime::newObjectArray(count, runtime::kString);
    block->archiveEntryOffsets = runtime::newIntArray(count);
    block->archiveEntrySizes = runtime::newIntArray(count);
    const jint read = readEntries(block, data, count, fileSize);
    if (runtime::catchException(runtime::kException)) {
        runtime::log("%s: the directory is cut short after %d of %d entries", archivePathText(block).c_str(),
                     read, count);
    }
    data->close();
}

runtime::java_io_InputStream* openArchiveResource(String* const name) {
    GameStatics* const block = directoryBlock();
    if (block == nullptr) {
        return nullptr;
    }
    if (block->archiveFile == nullptr) {
        loadArchiveDirectory();
    }
    runtime::ObjectArray* names = block->archiveEntryNames;
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
        FileInputStream* stream = FileInputStream::open(block->archiveFile);
        if (stream == nullptr) {
            runtime::log("%s: the archive cannot be opened", archivePathText(block).c_str());
            return nullptr;
        }
        const jint offset = (*block->archiveEntryOffsets)[i];
        const jlong skipped = stream->skip(offset);
        if (runtime::getPendingException() != nullptr) {
            return nullptr;
        }
        if (skipped != offset) {
            runtime::log("%s: the archive is shorter than its directory says",
                         archivePathText(block).c_str());
            stream->close();
            return nullptr;
        }
        return runtime::newObject<runtime::javax_microedition_io_ResourceInputStream>(
            stream, (*block->archiveEntrySizes)[i]);
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
