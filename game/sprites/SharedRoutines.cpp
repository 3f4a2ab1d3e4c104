// The three-byte table reset and the 32-bit writer.
#include "game/sprites/SharedRoutines.h"

#include <algorithm>

#include "game/core/GameStatics.h"
#include "game/core/WriteBuffer.h"
#include "runtime/Arrays.h"

namespace game::sprites {

namespace {
constexpr runtime::jbyte kUnusedByte = -1;
} // namespace

void clearThreeByteTable() {
    GameStatics* s = statics();
    if (s->tripletTable == nullptr) {
        s->tripletTable = runtime::newByteArray(kTripletEntryBytes * s->tripletCount);
    }
    runtime::ByteArray* table = s->tripletTable;
    std::fill_n(table->data(), table->length, kUnusedByte);
}

void writeIntBigEndian(const jint v) {
    core::queueByte(v >> 24);
    core::queueByte(v >> 16);
    core::queueByte(v >> 8);
    core::queueByte(v);
}

} // namespace game::sprites
