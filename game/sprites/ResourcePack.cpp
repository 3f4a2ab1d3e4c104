// The resource-pack cursor and the little-endian stream readers.
#include "game/sprites/ResourcePack.h"

#include <algorithm>
#include <cstdarg>
#include <cstdint>
#include <cstdio>
#include <limits>
#include <string>

#include "game/core/GameStatics.h"
#include "game/screens/info/PackSeeking.h"
#include "game/sprites/PackFormat.h"
#include "profile/Files.h"
#include "profile/Resources.h"
#include "runtime/Application.h"
#include "runtime/ConstantPool.h"
#include "runtime/Exceptions.h"
#include "runtime/LibraryExceptions.h"
#include "runtime/Log.h"
#include "runtime/ObjectManager.h"
#include "runtime/Streams.h"
#include "runtime/String.h"
#include "runtime/StringBuffer.h"
#include "runtime/System.h"

namespace game::sprites {

using namespace game::info;

using runtime::ByteArray;
using runtime::IntArray;
using runtime::java_io_InputStream;
using runtime::String;

namespace {

// Capacity of the buffer a part name is built in.
constexpr jint kPartNameCapacity = 16;
constexpr jint kByteMask = 0xFF;
constexpr jint kShortMask = 0xFFFF;
constexpr jint kBitsPerByte = 8;
// Bytes of the numbers readStreamInt reads.
constexpr jint kStreamIntBytes = 4;

std::string nameText(String* name) {
    return name != nullptr ? profile::narrowPath(name) : "(none)";
}

// The first entry of part k (the stored starts are 16-bit; entry numbers reach 65535).
jint partStart(const jint part) {
    return (*statics()->packPartStarts)[part] & kShortMask;
}

// Entries of part k: up to the next part's start, or to the end of the pack.
jint partEntryCount(const jint part) {
    GameStatics* s = statics();
    const jint end = part + 1 < s->packPartCount ? partStart(part + 1) : s->packEntryCount;
    return end - partStart(part);
}

// The part holding entry i: the highest part whose start is not above i.
jint partOfEntry(const jint entry) {
    jint part = statics()->packPartCount - 1;
    while (part > 0 && partStart(part) > entry) {
        --part;
    }
    return part;
}

// A little-endian number of byteCount bytes read with readPackByte; false when the part ended.
bool readPackNumber(const jint byteCount, jint& value) {
    value = 0;
    for (jint i = 0; i < byteCount; ++i) {
        const jint byte = readPackByte();
        if (byte < 0) {
            return false;
        }
        value |= static_cast<jint>(static_cast<std::uint32_t>(byte & kByteMask) << (kBitsPerByte * i));
    }
    return true;
}

// Forgets the open pack entirely, so that nothing of a pack that failed stays cached.
void forgetPack() {
    closePack();
    GameStatics* s = statics();
    s->packName = nullptr;
    s->packEntryCount = 0;
    s->packPartCount = 0;
    s->packPartStarts = nullptr;
    s->packPartOffsets = nullptr;
    s->packCurrentPart = 0;
}

// Reads E, P and the part starts of the open part 0; false (raised) when they are cut short or
// inconsistent.
bool readPackHeader() {
    GameStatics* s = statics();
    jint entryCount = 0;
    jint partCount = 0;
    if (!readPackNumber(kPackEntryCountBytes, entryCount) ||
        !readPackNumber(kPackPartCountBytes, partCount)) {
        raisePackError(kPackPartMissingMessage, "the header is cut short");
        return false;
    }
    partCount = static_cast<runtime::jshort>(partCount);
    if (partCount < 1) {
        raisePackError(kPackPartMissingMessage, "part count %d", partCount);
        return false;
    }
    runtime::ShortArray* starts = runtime::newShortArray(partCount);
    jint previous = 0;
    for (jint k = 0; k < partCount; ++k) {
        jint start = 0;
        if (!readPackNumber(kPackPartStartBytes, start)) {
            raisePackError(kPackPartMissingMessage, "the part starts are cut short");
            return false;
        }
        if ((k == 0 && start != 0) || start < previous || start > entryCount) {
            raisePackError(kPackPartMissingMessage, "part %d starts at entry %d (after %d, of %d)", k, start,
                           previous, entryCount);
            return false;
        }
        (*starts)[k] = static_cast<runtime::jshort>(start);
        previous = start;
    }
    s->packEntryCount = entryCount;
    s->packPartCount = static_cast<runtime::jshort>(partCount);
    s->packPartStarts = starts;
    s->packCurrentPart = 0;
    return true;
}

// Reopens part 0 through openPack, which reads the whole header again; false (raised) when it
// cannot be read.
bool reopenFirstPart() {
    GameStatics* s = statics();
    String* name = s->packName;
    s->packName = nullptr;
    openPack(name);
    return s->packStream != nullptr && s->packPartOffsets != nullptr;
}

// Makes part k the open part with its offset table loaded and its file open.
bool selectPart(const jint part) {
    GameStatics* s = statics();
    if (part != s->packCurrentPart || s->packPartOffsets == nullptr) {
        // The table in memory is another part's until this part's one is read.
        s->packCurrentPart = part;
        s->packPartOffsets = nullptr;
        closePack();
        if (part == 0) {
            return reopenFirstPart();
        }
        if (!openPackPart(part)) {
            return false;
        }
        readPartOffsets();
        return s->packPartOffsets != nullptr;
    }
    if (s->packStream != nullptr) {
        return true;
    }
    return part == 0 ? reopenFirstPart() : openPackPart(part);
}

// The exception of a failed stream read is dropped, as the readers' callers expect none.
void dropReadException() {
    runtime::catchException(runtime::kException);
}

// Reads len bytes from stream into buf from off until they are all there, the stream ends or
// the read raises (dropped); the number that arrived.
jint readFully(java_io_InputStream* stream, ByteArray* buf, const jint off, const jint len) {
    jint done = 0;
    while (done < len) {
        const jint count = stream->read(buf, off + done, len - done);
        if (runtime::getPendingException() != nullptr) {
            dropReadException();
            break;
        }
        if (count <= 0) {
            break;
        }
        done += count;
    }
    return done;
}

// The length of the open part file: the bytes read so far and the bytes its stream has left (-1
// when the stream cannot tell, which is dropped).
jint openPartLength() {
    GameStatics* s = statics();
    const jint left = s->packStream->available();
    if (runtime::getPendingException() != nullptr) {
        dropReadException();
        return -1;
    }
    return static_cast<jint>(
        std::min<std::int64_t>(std::int64_t{s->packPosition} + left, std::numeric_limits<jint>::max()));
}

} // namespace

void raisePackError(const jint message, const char* const format, ...) {
    char text[runtime::kLogBufferSize];
    va_list arguments;
    va_start(arguments, format);
    std::vsnprintf(text, sizeof text, format, arguments);
    va_end(arguments);
    runtime::log("pack %s: %s", nameText(statics()->packName).c_str(), text);
    if (runtime::getPendingException() != nullptr) {
        return;
    }
    runtime::throwException(
        runtime::newObject<runtime::java_lang_Exception>(runtime::getConstantString(message)));
}

String* packPartName(const jint part) {
    String* name = statics()->packName;
    if (part == 0) {
        return name;
    }
    auto* buffer = runtime::newObject<runtime::StringBuffer>();
    buffer->init(kPartNameCapacity);
    buffer->append(name);
    buffer->append(runtime::getConstantString(kPackPartSuffixConstant));
    buffer->appendInt(part);
    return buffer->toString();
}

bool openPackPart(const jint part) {
    GameStatics* s = statics();
    String* name = packPartName(part);
    s->packStream = profile::getResourceAsStream(name);
    s->packPosition = 0;
    if (s->packStream == nullptr) {
        raisePackError(kPackPartMissingMessage, "part file %s is missing", nameText(name).c_str());
        return false;
    }
    return true;
}

void openPack(String* const name) {
    GameStatics* s = statics();
    if (s->packName != nullptr && name != nullptr && s->packName->equals(name) != 0) {
        return;
    }
    closePack();
    s->packName = name;
    if (name == nullptr) {
        raisePackError(kPackPartMissingMessage, "no pack name");
        forgetPack();
        return;
    }
    if (!openPackPart(0) || !readPackHeader()) {
        forgetPack();
        return;
    }
    readPartOffsets();
    if (s->packPartOffsets == nullptr) {
        forgetPack();
    }
}

void readPartOffsets() {
    GameStatics* s = statics();
    s->packPartOffsets = nullptr;
    const jint part = s->packCurrentPart;
    if (s->packPartStarts == nullptr || part < 0 || part >= s->packPartCount) {
        raisePackError(kPackPartMissingMessage, "no part %d to read offsets of", part);
        return;
    }
    const jint entries = partEntryCount(part);
    IntArray* offsets = runtime::newIntArray(entries + 1);
    for (jint i = 0; i <= entries; ++i) {
        jint offset = 0;
        if (!readPackNumber(kPackOffsetBytes, offset)) {
            raisePackError(kPackPartMissingMessage, "the offsets of part %d are cut short", part);
            closePack();
            return;
        }
        (*offsets)[i] = offset;
    }
    // Entry data follows the table, and each entry ends where the next one starts.
    jint previous = s->packPosition;
    for (jint i = 0; i <= entries; ++i) {
        const jint offset = (*offsets)[i];
        if (offset < previous) {
            raisePackError(kPackPartMissingMessage, "offset %d of part %d is %d, before %d", i, part, offset,
                           previous);
            closePack();
            return;
        }
        previous = offset;
    }
    s->packPartOffsets = offsets;
}

jint openPackEntry(const jint i) {
    GameStatics* s = statics();
    if (s->packPartStarts == nullptr || i < 0 || i >= s->packEntryCount) {
        raisePackError(kPackEntryMissingMessage, "entry %d outside the pack's %d entries", i,
                       s->packEntryCount);
        return 0;
    }
    const jint part = partOfEntry(i);
    if (!selectPart(part)) {
        return 0;
    }
    const jint slot = i - partStart(part);
    const jint start = (*s->packPartOffsets)[slot];
    const jint end = (*s->packPartOffsets)[slot + 1];
    // The size comes from the table and is allocated by the callers: an entry that runs past its
    // part file is damaged, not a request for that much memory.
    const jint length = openPartLength();
    if (end > length) {
        raisePackError(kPackPartMissingMessage, "entry %d runs to byte %d of part %d, which holds %d", i, end,
                       part, length);
        return 0;
    }
    jint size = end - start;
    info::seekPack(start);
    if (runtime::getPendingException() != nullptr) {
        return 0;
    }
    s->packEntryFlag = 0;
    if (size > 0) {
        const jint lead = readPackByte();
        if (lead < 0) {
            raisePackError(kPackPartMissingMessage, "part %d ends before entry %d", part, i);
            return 0;
        }
        s->packEntryLeadByte = lead & kByteMask;
        size -= kPackLeadBytes;
    }
    return size;
}

jint readPack(ByteArray* const buf, const jint off, const jint len) {
    GameStatics* s = statics();
    if (!runtime::arrayRangeValid(buf, off, len)) {
        runtime::log("pack %s: read of %d bytes at %d outside an array of %d", nameText(s->packName).c_str(),
                     len, off, buf != nullptr ? buf->length : -1);
        return 0;
    }
    if (len == 0) {
        return 0;
    }
    if (s->packStream == nullptr) {
        raisePackError(kPackPartMissingMessage, "read of %d bytes with no part open", len);
        return 0;
    }
    const jint done = readFully(s->packStream, buf, off, len);
    s->packPosition += done;
    if (done < len) {
        raisePackError(kPackPartMissingMessage, "part %d ends %d bytes early at %d", s->packCurrentPart,
                       len - done, s->packPosition);
    }
    return done;
}

jint readPackByte() {
    GameStatics* s = statics();
    s->packPosition += 1;
    if (s->packStream == nullptr) {
        return -1;
    }
    const jint value = s->packStream->read();
    if (runtime::getPendingException() != nullptr) {
        dropReadException();
        return 0;
    }
    return value;
}

void closePack() {
    GameStatics* s = statics();
    if (s->packStream != nullptr) {
        // A failure already raised stays pending; only what close itself raises is dropped.
        runtime::Application* application = runtime::Application::getInstance();
        runtime::Object* pending = application->pendingException;
        application->pendingException = nullptr;
        s->packStream->close();
        dropReadException();
        if (pending != nullptr) {
            application->pendingException = pending;
        }
        s->packStream = nullptr;
    }
    s->packPosition = 0;
    runtime::System::gc();
}

jint readStreamByte(java_io_InputStream* const stream) {
    if (stream == nullptr) {
        runtime::log("readStreamByte: no stream");
        return -1;
    }
    const jint value = stream->read();
    if (runtime::getPendingException() != nullptr) {
        return 0;
    }
    if (value >= 0) {
        statics()->streamBytesRead += 1;
    }
    return value;
}

jint readStreamInt(java_io_InputStream* const stream) {
    jint value = 0;
    for (jint i = 0; i < kStreamIntBytes; ++i) {
        const jint byte = readStreamByte(stream);
        if (runtime::getPendingException() != nullptr) {
            return 0;
        }
        value |= static_cast<jint>(static_cast<std::uint32_t>(byte & kByteMask) << (kBitsPerByte * i));
    }
    return value;
}

jint readStreamFully(java_io_InputStream* const stream, ByteArray* const buf, const jint off,
                     const jint len) {
    if (stream == nullptr || !runtime::arrayRangeValid(buf, off, len)) {
        runtime::log("readStreamFully: %s", stream == nullptr ? "no stream" : "range outside the array");
        return 0;
    }
    const jint done = readFully(stream, buf, off, len);
    statics()->streamBytesRead += done;
    return done;
}

} // namespace game::sprites
