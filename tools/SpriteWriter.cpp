// The sprite file writer and the module pixel encoders (see SpriteWriter.h).
#include "tools/SpriteWriter.h"

#include <stdexcept>
#include <string>

#include "game/sprites/SpriteFormat.h"
#include "tools/PngWriter.h"

namespace tools {

using namespace game::sprites;

namespace {

// Little-endian numbers, each checked against the range of its field.
class LittleEndianWriter {
public:
    void u8(const int value, const char* what) {
        check(value, 0, 0xFF, what);
        data.push_back(static_cast<std::uint8_t>(value));
    }
    void s8(const int value, const char* what) {
        check(value, -128, 127, what);
        data.push_back(static_cast<std::uint8_t>(value));
    }
    void u16(const int value, const char* what) {
        check(value, 0, 0xFFFF, what);
        raw16(value);
    }
    void s16(const int value, const char* what) {
        check(value, -32768, 32767, what);
        raw16(value);
    }
    void raw16(const int value) {
        data.push_back(static_cast<std::uint8_t>(value));
        data.push_back(static_cast<std::uint8_t>(value >> 8));
    }
    void s32(const std::uint32_t value) {
        for (int shift = 0; shift < 32; shift += 8) {
            data.push_back(static_cast<std::uint8_t>(value >> shift));
        }
    }
    void bytes(const Bytes& more) { data.insert(data.end(), more.begin(), more.end()); }

    Bytes data;

private:
    static void check(const int value, const int low, const int high, const char* what) {
        if (value < low || value > high) {
            throw std::invalid_argument(std::string("sprite file: ") + what + " " + std::to_string(value) +
                                        " does not fit its field");
        }
    }
};

// Bits 0-3 transform, bit 4 nested frame, bits 6-7 bits 8-9 of the number.
int flagByte(const int number, const int transform, const bool nested) {
    if (number < 0 || number > kMaxReferenceNumber) {
        throw std::invalid_argument("sprite file: module or frame number " + std::to_string(number) +
                                    " is not 10 bits");
    }
    return (transform & kTransformMask) | (nested ? kPlacedNestedFrame : 0) |
           ((number >> 8) << 6 & kNumberHighBitsMask);
}

void writeOffset(LittleEndianWriter& out, const int value, const bool wide, const char* what) {
    if (wide) {
        out.s16(value, what);
    } else {
        out.s8(value, what);
    }
}

void writePixelSection(LittleEndianWriter& out, const SpriteFile& sprite) {
    const int colours = sprite.palettes.empty() ? 0 : static_cast<int>(sprite.palettes[0].size());
    if (!sprite.palettes.empty() && (colours < 1 || colours > kColourCountZeroMeans)) {
        throw std::invalid_argument("sprite file: a palette needs 1 to 256 colours");
    }
    out.raw16(sprite.paletteFormat);
    out.u8(static_cast<int>(sprite.palettes.size()), "palette count");
    out.u8(colours % kColourCountZeroMeans, "colour count");
    for (const std::vector<std::uint32_t>& palette : sprite.palettes) {
        if (static_cast<int>(palette.size()) != colours) {
            throw std::invalid_argument("sprite file: palettes of different sizes");
        }
        for (const std::uint32_t colour : palette) {
            if (sprite.paletteFormat == kPaletteFormatArgb4444) {
                int packed = 0;
                for (int shift = 28; shift >= 4; shift -= 8) {
                    packed = packed << 4 | static_cast<int>((colour >> shift) & 0xF);
                }
                out.raw16(packed);
            } else {
                out.s32(colour);
            }
        }
    }
    out.raw16(sprite.pixelFormat);
    for (const SpriteModule& module : sprite.modules) {
        out.u16(static_cast<int>(module.pixels.size()), "pixel block length");
        out.bytes(module.pixels);
    }
}

// Runs of equal values in `values`, each at most maxRun long: (value, length) pairs.
std::vector<std::pair<int, int>> runsOf(const std::vector<std::uint8_t>& values, const int maxRun) {
    std::vector<std::pair<int, int>> runs;
    for (std::size_t i = 0; i < values.size();) {
        std::size_t end = i + 1;
        while (end < values.size() && values[end] == values[i] && static_cast<int>(end - i) < maxRun) {
            ++end;
        }
        runs.emplace_back(values[i], static_cast<int>(end - i));
        i = end;
    }
    return runs;
}

constexpr int kMinimumRun = 3; // shorter runs are written as literals where the encoding allows
constexpr int kLongestRun = 127;
constexpr int kLongestAlphaRun = 255;

Bytes encodeRunsOrLiterals(const std::vector<std::uint8_t>& indices) {
    Bytes out;
    std::vector<std::uint8_t> literals;
    const auto flushLiterals = [&] {
        for (std::size_t i = 0; i < literals.size(); i += kLongestRun) {
            const std::size_t n = std::min<std::size_t>(kLongestRun, literals.size() - i);
            out.push_back(static_cast<std::uint8_t>(kRunFlag + n));
            out.insert(out.end(), literals.begin() + static_cast<long>(i),
                       literals.begin() + static_cast<long>(i + n));
        }
        literals.clear();
    };
    for (const auto& [index, length] : runsOf(indices, kLongestRun)) {
        if (length < kMinimumRun) {
            literals.insert(literals.end(), static_cast<std::size_t>(length),
                            static_cast<std::uint8_t>(index));
            continue;
        }
        flushLiterals();
        out.push_back(static_cast<std::uint8_t>(length));
        out.push_back(static_cast<std::uint8_t>(index));
    }
    flushLiterals();
    return out;
}

} // namespace

int SpriteFile::addFrame(const std::vector<PlacedModule>& placed, const FrameRect& rect) {
    frames.push_back({static_cast<int>(placed.size()), static_cast<int>(placedModules.size())});
    placedModules.insert(placedModules.end(), placed.begin(), placed.end());
    frameRects.push_back(rect);
    return static_cast<int>(frames.size()) - 1;
}

int SpriteFile::addAnimation(const std::vector<AnimFrame>& frameList) {
    animations.push_back({static_cast<int>(frameList.size()), static_cast<int>(animFrames.size())});
    animFrames.insert(animFrames.end(), frameList.begin(), frameList.end());
    return static_cast<int>(animations.size()) - 1;
}

Bytes pngSheetSection(const int width, const int height, const std::vector<std::uint8_t>& indices,
                      const std::vector<std::vector<std::uint32_t>>& palettes) {
    if (palettes.empty()) {
        throw std::invalid_argument("sprite file: a PNG sheet needs a palette");
    }
    const Bytes png = palettedPngBytes(width, height, indices, palettes[0]);
    LittleEndianWriter out;
    out.s16(static_cast<int>(png.size()), "PNG length");
    out.bytes(png);
    const int colours = static_cast<int>(palettes[0].size());
    out.u8(static_cast<int>(palettes.size()), "palette count");
    out.u8(colours % kColourCountZeroMeans, "colour count");
    for (const std::vector<std::uint32_t>& palette : palettes) {
        if (static_cast<int>(palette.size()) != colours) {
            throw std::invalid_argument("sprite file: palettes of different sizes");
        }
        Bytes plte = {'P', 'L', 'T', 'E'};
        Bytes trns = {'t', 'R', 'N', 'S'};
        for (const std::uint32_t colour : palette) {
            plte.insert(plte.end(),
                        {static_cast<std::uint8_t>(colour >> 16), static_cast<std::uint8_t>(colour >> 8),
                         static_cast<std::uint8_t>(colour)});
            trns.push_back(static_cast<std::uint8_t>(colour >> 24));
        }
        for (const Bytes* body : {&plte, &trns}) {
            out.bytes(Bytes(body->begin() + 4, body->end()));
            const std::uint32_t crc = pngCrc(body->data(), body->size());
            for (int shift = 24; shift >= 0; shift -= 8) {
                out.data.push_back(static_cast<std::uint8_t>(crc >> shift));
            }
        }
    }
    return out.data;
}

int indexBitsFor(const int colours) {
    int bits = 0;
    for (int rest = colours - 1; rest > 0; rest >>= 1) {
        ++bits;
    }
    return bits;
}

Bytes spriteFileBytes(const SpriteFile& sprite) {
    LittleEndianWriter out;
    out.raw16(0);
    out.s32(static_cast<std::uint32_t>(sprite.flags));
    out.u16(static_cast<int>(sprite.modules.size()), "module count");
    const bool positions = (sprite.flags & kFlagModulePositions) != 0;
    for (const SpriteModule& module : sprite.modules) {
        out.u8(module.marker, "module marker");
        if (positions) {
            out.s8(module.x, "module x");
            out.s8(module.y, "module y");
        }
        if (module.marker == kModuleMarkerOutline || module.marker == kModuleMarkerFilled) {
            out.s32(static_cast<std::uint32_t>(module.colour));
        }
        out.u8(module.width, "module width");
        out.u8(module.height, "module height");
    }

    const bool wideModules = (sprite.flags & kFlagWideModuleOffsets) != 0;
    out.u16(static_cast<int>(sprite.placedModules.size()), "placed-module count");
    for (const PlacedModule& placed : sprite.placedModules) {
        const int flags = flagByte(placed.number, placed.transform, placed.nested);
        out.u8(placed.number & 0xFF, "module number");
        writeOffset(out, placed.x, wideModules, "placed-module x");
        writeOffset(out, placed.y, wideModules, "placed-module y");
        if ((sprite.flags & kFlagModulePalettes) != 0) {
            out.u8(placed.palette, "placed-module palette");
        }
        out.u8(flags, "placed-module flags");
    }

    out.u16(static_cast<int>(sprite.frames.size()), "frame count");
    for (const RangeRecord& frame : sprite.frames) {
        out.u8(frame.count, "frame module count");
        out.s16(frame.first, "frame first module");
    }
    if ((sprite.flags & kFlagNoFrameRects) == 0) {
        if (sprite.frameRects.size() != sprite.frames.size()) {
            throw std::invalid_argument("sprite file: one frame rectangle per frame");
        }
        for (const FrameRect& rect : sprite.frameRects) {
            for (const int value : rect) {
                out.s8(value > 127 && value < 256 ? value - 256 : value, "frame rectangle");
            }
        }
    }

    const bool wideAnims = (sprite.flags & kFlagWideAnimOffsets) != 0;
    out.u16(static_cast<int>(sprite.animFrames.size()), "animation-frame count");
    for (const AnimFrame& frame : sprite.animFrames) {
        const int flags = flagByte(frame.frame, frame.transform, false);
        out.u8(frame.frame & 0xFF, "animation frame");
        out.u8(frame.duration, "animation-frame duration");
        writeOffset(out, frame.x, wideAnims, "animation-frame x");
        writeOffset(out, frame.y, wideAnims, "animation-frame y");
        out.u8(flags, "animation-frame flags");
    }
    out.u16(static_cast<int>(sprite.animations.size()), "animation count");
    for (const RangeRecord& animation : sprite.animations) {
        out.u8(animation.count, "animation frame count");
        out.s16(animation.first, "animation first frame");
    }

    if (!sprite.modules.empty() && (sprite.flags & kFlagPixelSection) != 0) {
        writePixelSection(out, sprite);
    }
    if (!sprite.modules.empty() && (sprite.flags & kFlagPngSheet) != 0) {
        out.bytes(sprite.pngSection);
    }
    return out.data;
}

Bytes encodePixels(const int format, const std::vector<std::uint8_t>& indices, const int colours,
                   const std::vector<std::uint8_t>& alpha) {
    Bytes out;
    switch (format) {
    case kPixelFormatIndexRuns: {
        const int bits = indexBitsFor(colours);
        for (const auto& [index, length] : runsOf(indices, 1 << (8 - bits))) {
            out.push_back(static_cast<std::uint8_t>((length - 1) << bits | index));
        }
        return out;
    }
    case kPixelFormatShortRuns:
        for (const auto& [index, length] : runsOf(indices, kLongestRun)) {
            if (length == 1 && index < kRunFlag) {
                out.push_back(static_cast<std::uint8_t>(index));
                continue;
            }
            out.push_back(static_cast<std::uint8_t>(kRunFlag + length));
            out.push_back(static_cast<std::uint8_t>(index));
        }
        return out;
    case kPixelFormatRunsOrLiterals:
        return encodeRunsOrLiterals(indices);
    case kPixelFormatRunsWithAlpha: {
        out = encodeRunsOrLiterals(indices);
        for (const auto& [value, length] : runsOf(alpha, kLongestAlphaRun)) {
            if (length == 1 && value != kAlphaRunMarker) {
                out.push_back(static_cast<std::uint8_t>(value));
                continue;
            }
            out.push_back(kAlphaRunMarker);
            out.push_back(static_cast<std::uint8_t>(length));
            out.push_back(static_cast<std::uint8_t>(value));
        }
        return out;
    }
    case kPixelFormatIndexBytes:
        return Bytes(indices.begin(), indices.end());
    default:
        throw std::invalid_argument("sprite file: pixel format " + std::to_string(format) +
                                    " has no encoder");
    }
}

} // namespace tools
