// getText: one text of the package decoded into a String.
#include "game/core/TextPackage.h"

#include <vector>

#include "game/core/GameStatics.h"
#include "game/core/TextCodeFormat.h"
#include "runtime/Log.h"
#include "runtime/ObjectManager.h"
#include "runtime/String.h"

namespace game::core {

using runtime::jint;

namespace {

bool continues(const std::uint8_t byte) {
    return (byte & kTextMoreBytesFlag) != 0;
}

// Decodes bytes [0, length) of one text into units; a character whose bytes run past the end
// is dropped.
void decodeText(const std::uint8_t* bytes, const jint length, std::vector<runtime::jchar>& units) {
    for (jint i = 0; i < length; ++i) {
        const std::uint8_t b0 = bytes[i];
        if (!continues(b0)) {
            units.push_back(b0);
            continue;
        }
        if (i + 1 >= length) {
            return;
        }
        const std::uint8_t b1 = bytes[i + 1];
        if (!continues(b1)) {
            units.push_back(static_cast<runtime::jchar>(((b0 & kTextGroupMask) << kTextGroupBits) | b1));
            i += 1;
            continue;
        }
        if (i + 2 >= length) {
            return;
        }
        // The last byte joins as a signed byte: a stray flag on it fills the bits above it.
        const jint b2 = static_cast<runtime::jbyte>(bytes[i + 2]);
        const jint value =
            ((b0 & kTextGroupMask) << (2 * kTextGroupBits)) | ((b1 & kTextGroupMask) << kTextGroupBits) | b2;
        units.push_back(static_cast<runtime::jchar>(value & kTextCharacterMask));
        i += 2;
    }
}

} // namespace

runtime::String* getText(const jint id) {
    GameStatics* s = statics();
    runtime::IntArray* offsets = s->textOffsets;
    runtime::ByteArray* bytes = s->textBytes;
    if (offsets == nullptr || bytes == nullptr || id < 0 || id >= s->textCount ||
        s->textCount >= offsets->length) {
        runtime::log("getText: text %d is not in the package of %d texts", id, s->textCount);
        return nullptr;
    }
    const jint start = (*offsets)[id];
    const jint end = (*offsets)[id + 1];
    if (end == start) {
        return nullptr;
    }
    if (start < 0 || end < start || end > bytes->length) {
        runtime::log("getText: text %d lies at %d..%d, outside the %d bytes of texts", id, start, end,
                     bytes->length);
        return nullptr;
    }
    std::vector<runtime::jchar> units;
    units.reserve(static_cast<std::size_t>(end - start));
    decodeText(reinterpret_cast<const std::uint8_t*>(bytes->data()) + start, end - start, units);
    auto* text = runtime::newObject<runtime::String>();
    text->initUnits(units.data(), static_cast<jint>(units.size()));
    return text;
}

} // namespace game::core
