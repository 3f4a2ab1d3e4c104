// Fuzz target "paletted_image": a paletted, run-length-coded picture. Byte 0 is the palette
// asked for, byte 1 the strip mode (its bit 0) and the top-level state (its bit 1: the loading
// screen, which reuses the palette arrays); the rest is the picture. It is decoded to pixels and
// to an image, whole and in strips.
#include <cstdint>

#include "fuzz/FuzzRuntime.h"
#include "game/core/GameStatics.h"
#include "game/screens/info/PalettedImage.h"
#include "game/sprites/loading/StartupLoading.h"
#include "runtime/Exceptions.h"

namespace {

using runtime::jint;

constexpr jint kLoadingScreenState = 5;

void fuzzPalettedImage(const std::uint8_t* data, const std::size_t size) {
    if (size < 2) {
        return;
    }
    const jint palette = data[0];
    if ((data[1] & 2) != 0) {
        game::statics()->topState = kLoadingScreenState;
    }
    runtime::ByteArray* bytes = fuzzing::byteArrayOf(data + 2, size - 2);
    jint width = -1;
    jint height = -1;
    runtime::IntArray* pixels = game::info::decodePalettedPixels(bytes, palette, width, height);
    if (pixels != nullptr && (width <= 0 || height <= 0 || width > game::info::kMaxImagePixels / height ||
                              pixels->length < width * height)) {
        fuzzing::fail("%d x %d pixels in an array of %d", width, height, pixels->length);
    }
    runtime::catchException(runtime::kException);
    game::sprites::decodeImageSet(bytes, palette, data[1] & 1);
    runtime::catchException(runtime::kException);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, const std::size_t size) {
    return fuzzing::runGameInput(data, size, &fuzzPalettedImage);
}
