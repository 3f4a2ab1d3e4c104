// Fuzz target "sprite": a sprite file. Byte 0 picks the sprite's kind (which decides its
// follow-ups: the cached images, the kit palettes); the rest is the file. It is loaded, then every
// module is decoded with every palette in each transform, and the module images are built for
// every palette, as the loading does for the kinds that cache them.
#include <algorithm>
#include <cstdint>

#include "fuzz/FuzzRuntime.h"
#include "game/sprites/ASprite.h"
#include "runtime/Arrays.h"
#include "runtime/Exceptions.h"
#include "runtime/ObjectManager.h"

namespace {

using game::sprites::ASprite;
using runtime::jint;

constexpr jint kKinds = 12;
// Decoding is per module and palette; the first ones show all there is to see.
constexpr jint kMaxModules = 64;
constexpr jint kMaxPalettes = 6;
constexpr jint kTransforms = 8;

void fuzzSprite(const std::uint8_t* data, const std::size_t size) {
    if (size < 1) {
        return;
    }
    ASprite* sprite = runtime::newObject<ASprite>();
    sprite->kind = data[0] % kKinds;
    runtime::ByteArray* bytes = fuzzing::byteArrayOf(data + 1, size - 1);
    if (sprite->load(bytes, 0) == 0) {
        if (sprite->moduleCount != 0 || sprite->frameCount() != 0 || sprite->animationCount() != 0) {
            fuzzing::fail("a sprite that did not load keeps tables");
        }
        return;
    }
    const jint modules = std::min(sprite->moduleCount, kMaxModules);
    const jint palettes = std::min(sprite->paletteCount, kMaxPalettes);
    for (jint p = 0; p < palettes; ++p) {
        auto* palette = static_cast<runtime::IntArray*>((*sprite->palettes)[p]);
        for (jint m = 0; m < modules; ++m) {
            sprite->decodeModule(m, (m + p) % kTransforms, palette);
        }
    }
    for (jint p = 0; p < palettes; ++p) {
        sprite->buildModuleImages(p, 0, modules - 1, -1);
    }
    runtime::catchException(runtime::kException);
    sprite->unload();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, const std::size_t size) {
    return fuzzing::runGameInput(data, size, &fuzzSprite);
}
