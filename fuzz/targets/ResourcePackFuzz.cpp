// Fuzz target "resource_pack": a pack's part files and a walk over its entries. Byte 0 is the
// number of part files (1-4, its bit 7 makes skips read through the skip buffer); each part file
// follows as a 24-bit little-endian length and its bytes; the bytes left are the walk: each picks
// an entry (forwards, backwards, or outside the pack), which is read whole.
//
// Every entry the reader hands out must fit inside its part file: the sizes come from the pack's
// own tables and are what the game allocates.
#include <algorithm>
#include <cstdint>
#include <string>
#include <vector>

#include "fuzz/FuzzRuntime.h"
#include "game/core/GameStatics.h"
#include "game/screens/info/PackSeeking.h"
#include "game/sprites/ResourcePack.h"
#include "game/sprites/SpriteLoading.h"
#include "runtime/Exceptions.h"
#include "runtime/String.h"

namespace {

using runtime::jint;

constexpr std::size_t kMaxParts = 4;
constexpr std::uint8_t kSkipByReading = 0x80;
constexpr jint kSkipBufferSize = 7;
// Each walk step costs a part reopening at most; the first ones show all there is to see.
constexpr std::size_t kMaxSteps = 24;
constexpr char kPackName[] = "p";

void fuzzResourcePack(const std::uint8_t* data, const std::size_t size) {
    if (size < 1) {
        return;
    }
    std::size_t at = 1;
    const auto parts =
        fuzzing::framedPieces(data, size, at, std::clamp<std::size_t>(data[0] & 0x7F, 1, kMaxParts));
    std::size_t largestPart = 0;
    for (std::size_t k = 0; k < parts.size(); ++k) {
        const std::string name = k == 0 ? kPackName : std::string(kPackName) + "." + std::to_string(k);
        fuzzing::serveResource(name, parts[k].data(), parts[k].size());
        largestPart = std::max(largestPart, parts[k].size());
    }
    game::GameStatics* s = game::statics();
    if ((data[0] & kSkipByReading) != 0) {
        s->packSkipBufferSize = kSkipBufferSize;
    }
    game::sprites::openPack(runtime::newStringFromCString(kPackName));
    runtime::catchException(runtime::kException);
    const jint count = s->packEntryCount;
    for (std::size_t step = 0; at < size && step < kMaxSteps; ++at, ++step) {
        // Mostly entries of the pack, now and then one just outside it.
        const jint entry = static_cast<jint>(data[at] % (std::min(count, 250) + 2)) - 1;
        const jint length = game::sprites::openPackEntry(entry);
        if (runtime::getPendingException() != nullptr) {
            runtime::catchException(runtime::kException);
            continue;
        }
        if (length < 0 || static_cast<std::size_t>(length) > largestPart) {
            fuzzing::fail("entry %d has %d bytes, more than its part file holds", entry, length);
        }
        if (step % 3 == 2) {
            // A read that starts part-way: the skip, then the rest.
            game::info::skipPack(length / 2);
        } else {
            runtime::ByteArray* bytes = game::sprites::readPackEntryBytes(entry);
            if (bytes != nullptr && bytes->length != length) {
                fuzzing::fail("entry %d reads %d bytes, its table says %d", entry, bytes->length, length);
            }
        }
        runtime::catchException(runtime::kException);
        game::sprites::readPackByte();
        if (step % 5 == 4) {
            game::sprites::closePack();
        }
    }
    game::sprites::closePack();
    runtime::catchException(runtime::kException);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, const std::size_t size) {
    return fuzzing::runGameInput(data, size, &fuzzResourcePack);
}
