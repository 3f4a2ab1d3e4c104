// The paletted run-length image decoder (see PalettedImage.h).
#include "game/screens/info/PalettedImage.h"

#include "game/core/GameStatics.h"
#include "game/core/TopStates.h"
#include "game/screens/info/PalettedImageFormat.h"
#include "profile/Image.h"
#include "runtime/Log.h"
#include "runtime/ObjectManager.h"
#include "runtime/System.h"

namespace game::info {

using namespace game::core;

namespace {

using runtime::ByteArray;
using runtime::IntArray;
using runtime::ObjectArray;

constexpr jint kByteMask = 0xFF;
constexpr std::uint32_t kAlphaMask = 0xFF000000u;

// Little-endian reads over the image bytes; a read past the end clears ok and yields 0.
struct ImageReader {
    ByteArray* data;
    jint position = 0;
    bool ok = true;

    jint u8() {
        if (position >= data->length) {
            ok = false;
            return 0;
        }
        return (*data)[position++] & kByteMask;
    }
    jint u16() {
        const jint low = u8();
        return low | (u8() << 8);
    }
    jint s32() {
        const jint low = u16();
        return low | (u16() << 16);
    }
    void skip(const jint n) {
        if (data->length - position < n) {
            position = data->length;
            ok = false;
            return;
        }
        position += n;
    }
};

// Writes runs of one colour into the pixels; nothing goes past the last pixel.
struct PixelRuns {
    IntArray* pixels;
    IntArray* palette;
    jint written = 0;

    bool full() const { return written >= pixels->length; }
    void run(const jint index, const jint count) {
        // An index the palette lacks is drawn transparent rather than read past the palette.
        const jint colour = index >= 0 && index < palette->length ? (*palette)[index] : 0;
        for (jint i = 0; i < count && !full(); ++i) {
            (*pixels)[written++] = colour;
        }
    }
};

void decodePixels(ImageReader& in, PixelRuns& out, const jint encoding, const jint bits) {
    const jint mask = (1 << bits) - 1;
    switch (encoding) {
    case kEncodingPackedRuns:
        while (!out.full() && in.ok) {
            const jint b = in.u8();
            if (in.ok) {
                out.run(b & mask, (b >> bits) + 1);
            }
        }
        return;
    case kEncodingPixelsOrRuns:
        while (!out.full() && in.ok) {
            const jint b = in.u8();
            if (b < kEncodingCodeSplit) {
                out.run(b, in.ok ? 1 : 0);
                continue;
            }
            const jint index = in.u8();
            if (in.ok) {
                out.run(index, b - kEncodingCodeSplit);
            }
        }
        return;
    case kEncodingRunsOrLiterals:
        while (!out.full() && in.ok) {
            const jint b = in.u8();
            if (b < kEncodingCodeSplit) {
                const jint index = in.u8();
                if (in.ok) {
                    out.run(index, b);
                }
                continue;
            }
            for (jint i = 0; i < b - kEncodingCodeSplit && in.ok && !out.full(); ++i) {
                const jint index = in.u8();
                if (in.ok) {
                    out.run(index, 1);
                }
            }
        }
        return;
    default:
        // An unknown encoding leaves the image transparent.
        out.written = out.pixels->length;
        return;
    }
}

// imagePalettes ready for count palettes of colours each: in the loading screen the previous
// arrays are reused when they have that shape, otherwise new ones are made.
ObjectArray* palettesFor(const jint count, const jint colours) {
    GameStatics* s = statics();
    ObjectArray* palettes = s->imagePalettes;
    const bool reuse =
        s->topState == core::kTopStateSecondLoading && palettes != nullptr && palettes->length >= count;
    if (reuse) {
        bool fits = true;
        for (jint p = 0; p < count && fits; ++p) {
            auto* row = static_cast<IntArray*>((*palettes)[p]);
            fits = row != nullptr && row->length == colours;
        }
        if (fits) {
            return palettes;
        }
    }
    palettes = runtime::newObjectArray(count, runtime::kIntArray);
    s->imagePalettes = palettes;
    for (jint p = 0; p < count; ++p) {
        IntArray* row = runtime::newIntArray(colours);
        (*s->imagePalettes)[p] = row;
    }
    return s->imagePalettes;
}

} // namespace

IntArray* decodePalettedPixels(ByteArray* const data, const jint palette, jint& width, jint& height) {
    width = 0;
    height = 0;
    if (data == nullptr) {
        runtime::log("paletted image: no data");
        return nullptr;
    }
    ImageReader in{data};
    in.skip(kImageLeadSkipBytes);
    const jint w = in.u16();
    const jint h = in.u16();
    in.skip(kImageMiddleSkipBytes);
    const jint count = in.u8();
    jint colours = in.u8();
    if (colours == kImagePaletteSizeFor256) {
        colours = kImageMaxColours;
    }
    if (!in.ok) {
        runtime::log("paletted image: the header is cut short (%d bytes)", data->length);
        return nullptr;
    }
    if (w == 0 || h == 0 || static_cast<long long>(w) * h > kMaxImagePixels) {
        runtime::log("paletted image: %d x %d pixels is no image this game draws", w, h);
        return nullptr;
    }
    if (palette < 0 || palette >= count) {
        runtime::log("paletted image: palette %d asked of an image with %d", palette, count);
        return nullptr;
    }
    const jint bits = paletteIndexBits(colours);
    IntArray* pixels = runtime::newIntArray(w * h);
    ObjectArray* palettes = palettesFor(count, colours);
    for (jint p = 0; p < count; ++p) {
        auto* row = static_cast<IntArray*>((*palettes)[p]);
        for (jint c = 0; c < colours; ++c) {
            const jint argb = in.s32();
            (*row)[c] = (static_cast<std::uint32_t>(argb) & kAlphaMask) == 0 ? 0 : argb;
        }
    }
    const jint encoding = in.u16();
    in.u16();
    PixelRuns out{pixels, static_cast<IntArray*>((*palettes)[palette])};
    if (in.ok) {
        decodePixels(in, out, encoding, bits);
    }
    const jint state = statics()->topState;
    if (state != core::kTopStateSecondLoading && state != core::kTopStateMatchStart) {
        statics()->imagePalettes = nullptr;
    }
    if (!out.full()) {
        runtime::log("paletted image: the data ends after %d of %d x %d pixels", out.written, w, h);
        return nullptr;
    }
    width = w;
    height = h;
    return pixels;
}

profile::Image* decodePalettedImage(ByteArray* const data, const jint palette) {
    jint width = 0;
    jint height = 0;
    IntArray* pixels = decodePalettedPixels(data, palette, width, height);
    if (pixels == nullptr) {
        return nullptr;
    }
    profile::Image* image = profile::Image::createRGBImage(pixels, width, height, 1);
    runtime::System::gc();
    return image;
}

} // namespace game::info
