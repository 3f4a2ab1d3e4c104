// Name decoding, name look-ups and the big-endian write buffer.
#include "game/framework/DatabaseLookups.h"

#include "game/framework/GameStatics.h"
#include "game/sprites/DatabaseFormat.h"
#include "runtime/ConstantPool.h"
#include "runtime/Exceptions.h"
#include "runtime/LibraryExceptions.h"
#include "runtime/Log.h"
#include "runtime/ObjectManager.h"
#include "runtime/String.h"
#include "runtime/StringBuffer.h"

namespace game::framework {

using runtime::ByteArray;
using runtime::String;

namespace {

using namespace game::sprites;

constexpr jint kNameBufferCapacity = 16;
constexpr jint kEmptyTextConstant = 1;
constexpr jint kByteMask = 0xFF;
constexpr jint kOneByteLimit = 0x80;
constexpr jint kTwoByteLimit = 0xE0;
constexpr jint kTwoByteLeadBits = 0x1F;
constexpr jint kContinuationBits = 0x3F;
constexpr jint kCharMask = 0xFFFF;

void raiseOutside(const jint index) {
    runtime::throwException(runtime::newArrayIndexOutOfBoundsException(index));
}

// The unsigned big-endian 16-bit value at offset of table.
jint unsignedShortAt(ByteArray* const table, const jint offset) {
    return (((*table)[offset] & kByteMask) << 8) | ((*table)[offset + 1] & kByteMask);
}

// Where kind's name reference of index lies in its directory, and which directory; null when
// the kind is unknown.
ByteArray* nameDirectory(const jint index, const jint kind, jint& reference) {
    GameStatics* s = statics();
    switch (kind) {
    case kTeamName:
        reference = kTeamNameBase + kTeamStride * index;
        return s->teamInfoRecords;
    case kPlayerName:
        reference = kPlayerInfoBytes * index + kPlayerNameOffset;
        return s->playerInfoRecords;
    case kLeagueName:
        reference = kLeagueEntryBytes * index + kLeagueNameOffset;
        return s->teamInfoRecords;
    case kNationalityName:
        reference = kPlayerInfoBytes * index + kPlayerNationalityOffset;
        return s->playerInfoRecords;
    default:
        return nullptr;
    }
}

// writeBuffer[writePos++] := value; outside the buffer nothing is written.
void putByte(const jint value) {
    GameStatics* s = statics();
    const jint position = s->writePos;
    s->writePos = position + 1;
    ByteArray* buffer = s->writeBuffer;
    if (buffer == nullptr || !buffer->inBounds(position)) {
        runtime::log("write buffer: byte %d outside a buffer of %d", position,
                     buffer != nullptr ? buffer->length : -1);
        return;
    }
    (*buffer)[position] = runtime::i2b(value);
}

} // namespace

String* decodeName(ByteArray* const data, const jint offset, const jint length) {
    if (data == nullptr) {
        runtime::throwException(runtime::newObject<runtime::java_lang_NullPointerException>());
        return nullptr;
    }
    if (length > 0 && offset < 0) {
        raiseOutside(offset);
        return nullptr;
    }
    auto* buffer = runtime::newObject<runtime::StringBuffer>();
    buffer->init(kNameBufferCapacity);
    jint i = 0;
    while (i < length) {
        if (offset + i >= data->length) {
            raiseOutside(offset + i);
            return nullptr;
        }
        const jint b0 = (*data)[offset + i] & kByteMask;
        const jint size = b0 < kOneByteLimit ? 1 : b0 < kTwoByteLimit ? 2 : 3;
        const jint last = offset + i + size - 1;
        if (last >= data->length) {
            raiseOutside(last);
            return nullptr;
        }
        if (size == 1) {
            buffer->appendChar(static_cast<runtime::jchar>(b0));
        } else if (size == 2) {
            const jint b1 = (*data)[offset + i + 1];
            buffer->appendChar(
                static_cast<runtime::jchar>(((b0 & kTwoByteLeadBits) << 6) | (b1 & kContinuationBits)));
        } else {
            const jint b1 = (*data)[offset + i + 1];
            // b2 is signed: only its low four bits reach the character.
            const jint b2 = (*data)[offset + i + 2] & kByteMask;
            buffer->appendChar(static_cast<runtime::jchar>(
                ((b2 << 12) | ((b1 & kContinuationBits) << 6) | (b0 & kContinuationBits)) & kCharMask));
        }
        i += size;
    }
    return buffer->toString();
}

String* nameOf(const jint index, const jint kind) {
    jint reference = 0;
    ByteArray* directory = nameDirectory(index, kind, reference);
    if (directory == nullptr || index < 0 || reference < 0 ||
        reference > directory->length - kNameReferenceBytes) {
        return runtime::getConstantString(kEmptyTextConstant);
    }
    const jint offset = unsignedShortAt(directory, reference);
    const jint length = (*directory)[reference + 2] & kByteMask;
    String* name = decodeName(statics()->nameBytes, offset, length);
    if (runtime::catchException(runtime::kException) != 0 || name == nullptr) {
        return runtime::getConstantString(kEmptyTextConstant);
    }
    return name;
}

void writeShortBE(const jint value) {
    putByte(value >> 8);
    putByte(value);
}

void queueByte(const jint value) {
    putByte(value);
}

} // namespace game::framework
