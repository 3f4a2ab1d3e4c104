// ASprite: the sprite file loader, the module pixel decoders and the module image cache.
#include "game/sprites/ASprite.h"

#include <algorithm>
#include <cstdarg>
#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

#include "game/core/GameStatics.h"
#include "game/sprites/SpriteFormat.h"
#include "profile/Image.h"
#include "runtime/ClassTable.h"
#include "runtime/Log.h"
#include "runtime/ObjectManager.h"
#include "runtime/System.h"

namespace game::sprites {

using runtime::ByteArray;
using runtime::IntArray;
using runtime::jbyte;
using runtime::jlong;
using runtime::ObjectArray;
using runtime::ShortArray;

namespace {

// Sprite kinds whose cached images follow a change of palette.
constexpr jint kPaletteRebuildKinds[] = {19, 25};
constexpr jint kPlacedModuleShorts = 4; // module byte, x, y, flag byte
constexpr jint kByteMask = 0xFF;
constexpr jint kShortMask = 0xFFFF;
constexpr int kAlphaShift = 24;
constexpr jint kColourBits = 0x00FFFFFF;

// Reads the little-endian numbers of a sprite file held in a byte array. Every read is checked
// against the array's end: the first read past it records the problem, later reads give 0.
class SpriteFileReader {
public:
    SpriteFileReader(ByteArray* data, const jint position) : data(data), position(position) {}

    // True when count more bytes lie inside the file (what is about to be read is named in the
    // problem otherwise).
    bool has(const jlong count, const char* what) {
        if (failed()) {
            return false;
        }
        if (count < 0 || position < 0 || position + count > data->length) {
            fail("the file ends at byte %d, inside %s", data->length, what);
            return false;
        }
        return true;
    }
    jint u8() { return take(1) ? (*data)[position - 1] & kByteMask : 0; }
    jint s8() { return take(1) ? (*data)[position - 1] : 0; }
    jint u16() {
        return take(2) ? ((*data)[position - 2] & kByteMask) | ((*data)[position - 1] & kByteMask) << 8 : 0;
    }
    jint s16() { return static_cast<jshort>(u16()); }
    jint s32() {
        if (!take(4)) {
            return 0;
        }
        std::uint32_t value = 0;
        for (jint i = 1; i <= 4; ++i) {
            value = value << 8 | static_cast<std::uint32_t>((*data)[position - i] & kByteMask);
        }
        return static_cast<jint>(value);
    }
    void skip(const jint count) { position += count; }

    void fail(const char* format, ...) __attribute__((format(printf, 2, 3))) {
        if (failed()) {
            return;
        }
        char text[runtime::kLogBufferSize];
        va_list arguments;
        va_start(arguments, format);
        std::vsnprintf(text, sizeof text, format, arguments);
        va_end(arguments);
        problem = text;
    }
    bool failed() const { return !problem.empty(); }

    ByteArray* data;
    jint position;
    std::string problem;

private:
    bool take(const jint count) {
        if (!has(count, "a number")) {
            return false;
        }
        position += count;
        return true;
    }
};

// One load: reads the sections of the file into the sprite and checks every reference.
class SpriteLoader {
public:
    SpriteLoader(ASprite* sprite, ByteArray* data, const jint offset) : sprite(sprite), in(data, offset) {}

    bool run();
    const std::string& problem() const { return in.problem; }
    ObjectArray* sharedRows = nullptr; // the template palettes this load supplies, if any

private:
    void readModules(jint count);
    void readPlacedModules();
    void readFrames();
    void readAnimationFrames();
    void readAnimations();
    void readRangeRecords(jint count, ByteArray*& counts, ShortArray*& firsts);
    bool rangesFit(const ByteArray* counts, const ShortArray* firsts, jint tableSize, const char* owner,
                   const char* records);
    void checkReferences();
    void checkNesting();
    bool visitFrame(jint frame, jint depth, std::vector<std::int8_t>& state, std::vector<jint>& height);
    void readPixelSection();
    ObjectArray* readPalettes(jint format, jint count, jint colours, bool asTemplate);
    void readPngSheet();
    bool pngChunkAt(jint template0, jint at, jint length, const char* type);

    jint placedModuleCount() const {
        return sprite->frameModules != nullptr ? sprite->frameModules->length / kPlacedModuleShorts : 0;
    }
    jint animationFrameRecords() const {
        return sprite->animFrames != nullptr ? sprite->animFrames->length / sprite->animFrameStride : 0;
    }

    ASprite* sprite;
    SpriteFileReader in;
};

bool SpriteLoader::run() {
    const jint start = in.position;
    if (!in.has(kSpriteHeaderBytes, "the header")) {
        return false;
    }
    in.position = start + kSpriteFlagsOffset;
    sprite->flags = in.s32();
    sprite->noFrameRects = (sprite->flags & kFlagNoFrameRects) != 0 ? 1 : 0;
    in.position = start + kSpriteModuleCountOffset;
    const jint modules = in.u16();
    readModules(modules);
    readPlacedModules();
    readFrames();
    readAnimationFrames();
    readAnimations();
    checkReferences();
    checkNesting();
    if (in.failed() || sprite->moduleCount < 1) {
        return !in.failed();
    }
    if ((sprite->flags & kFlagPixelSection) != 0) {
        readPixelSection();
    }
    if ((sprite->flags & kFlagPngSheet) != 0) {
        readPngSheet();
    }
    return !in.failed();
}

void SpriteLoader::readModules(const jint count) {
    const bool positions = (sprite->flags & kFlagModulePositions) != 0;
    // A module record is at least a marker and the two sizes.
    if (count == 0 || !in.has(static_cast<jlong>(count) * (positions ? 5 : 3), "the module records")) {
        return;
    }
    if (positions) {
        sprite->moduleX = runtime::newByteArray(count);
        sprite->moduleY = runtime::newByteArray(count);
    }
    sprite->moduleWidth = runtime::newByteArray(count);
    sprite->moduleHeight = runtime::newByteArray(count);
    sprite->moduleKind = runtime::newByteArray(count);
    sprite->moduleColour = runtime::newIntArray(count);
    for (jint m = 0; m < count && !in.failed(); ++m) {
        const jint marker = in.u8();
        if (positions) {
            (*sprite->moduleX)[m] = static_cast<jbyte>(in.s8());
            (*sprite->moduleY)[m] = static_cast<jbyte>(in.s8());
        }
        jint kind = kModuleKindImage;
        if (marker == kModuleMarkerOutline || marker == kModuleMarkerFilled) {
            kind = marker == kModuleMarkerOutline ? kModuleKindOutline : kModuleKindFilled;
            (*sprite->moduleColour)[m] = in.s32();
        }
        (*sprite->moduleKind)[m] = static_cast<jbyte>(kind);
        (*sprite->moduleWidth)[m] = static_cast<jbyte>(in.u8());
        (*sprite->moduleHeight)[m] = static_cast<jbyte>(in.u8());
    }
    sprite->moduleCount = count;
}

void SpriteLoader::readPlacedModules() {
    const jint count = in.u16();
    const bool wide = (sprite->flags & kFlagWideModuleOffsets) != 0;
    const bool withPalette = (sprite->flags & kFlagModulePalettes) != 0;
    const jint recordBytes = 2 + (wide ? 4 : 2) + (withPalette ? 1 : 0);
    if (count < 1 || !in.has(static_cast<jlong>(count) * recordBytes, "the placed-module records")) {
        return;
    }
    if (withPalette) {
        sprite->frameModulePalette = runtime::newByteArray(count);
    }
    sprite->frameModules = runtime::newShortArray(count * kPlacedModuleShorts);
    for (jint r = 0; r < count; ++r) {
        ShortArray& placed = *sprite->frameModules;
        const jint at = r * kPlacedModuleShorts;
        placed[at] = static_cast<jbyte>(in.u8());
        placed[at + 1] = static_cast<jshort>(wide ? in.s16() : in.s8());
        placed[at + 2] = static_cast<jshort>(wide ? in.s16() : in.s8());
        if (withPalette) {
            (*sprite->frameModulePalette)[r] = static_cast<jbyte>(in.u8());
        }
        placed[at + 3] = static_cast<jbyte>(in.u8());
    }
}

void SpriteLoader::readFrames() {
    const jint count = in.u16();
    const jint rectBytes = sprite->noFrameRects != 0 ? 0 : kFrameRectBytes;
    if (count < 1 || !in.has(static_cast<jlong>(count) * (3 + rectBytes), "the frame records")) {
        return;
    }
    readRangeRecords(count, sprite->frameModuleCount, sprite->frameFirstModule);
    if (rectBytes != 0) {
        sprite->frameRects = runtime::newByteArray(count * kFrameRectBytes);
        runtime::System::arraycopy(in.data, in.position, sprite->frameRects, 0, count * kFrameRectBytes);
        in.skip(count * kFrameRectBytes);
    }
}

void SpriteLoader::readAnimationFrames() {
    const jint count = in.u16();
    const jint stride = (sprite->flags & kFlagWideAnimOffsets) != 0 ? kAnimFrameStrideWide : kAnimFrameStride;
    sprite->animFrameStride = stride;
    if (count < 1 || !in.has(static_cast<jlong>(count) * stride, "the animation-frame records")) {
        return;
    }
    sprite->animFrames = runtime::newByteArray(count * stride);
    runtime::System::arraycopy(in.data, in.position, sprite->animFrames, 0, count * stride);
    in.skip(count * stride);
    if (statics()->doubleAnimDurations == 0) {
        return;
    }
    for (jint r = 0; r < count; ++r) {
        if (r >= kUndoubledFirst && r <= kUndoubledLast) {
            continue;
        }
        jbyte& duration = (*sprite->animFrames)[r * stride + kAnimFrameDurationByte];
        duration = static_cast<jbyte>((duration & kByteMask) * 2);
    }
}

void SpriteLoader::readAnimations() {
    const jint count = in.u16();
    if (count < 1 || !in.has(static_cast<jlong>(count) * 3, "the animation records")) {
        return;
    }
    readRangeRecords(count, sprite->animFrameCount, sprite->animFirstFrame);
}

// Frame and animation records: u8 count, s16 first. The arrays are the sprite's own fields, so
// each is held by the sprite before the next allocation.
void SpriteLoader::readRangeRecords(const jint count, ByteArray*& counts, ShortArray*& firsts) {
    counts = runtime::newByteArray(count);
    firsts = runtime::newShortArray(count);
    for (jint i = 0; i < count; ++i) {
        (*counts)[i] = static_cast<jbyte>(in.u8());
        (*firsts)[i] = static_cast<jshort>(in.s16());
    }
}

// True when every non-empty range lies inside a table of tableSize records.
bool SpriteLoader::rangesFit(const ByteArray* counts, const ShortArray* firsts, const jint tableSize,
                             const char* owner, const char* records) {
    for (jint i = 0; counts != nullptr && i < counts->length; ++i) {
        const jint count = (*counts)[i] & kByteMask;
        const jint first = (*firsts)[i];
        if (count > 0 && (first < 0 || first + count > tableSize)) {
            in.fail("%s %d uses %s %d..%d, the sprite has %d", owner, i, records, first, first + count - 1,
                    tableSize);
            return false;
        }
    }
    return true;
}

// Every placed module names a module or frame that exists; every frame's and animation's range
// lies inside its table; every animation frame names a frame that exists.
void SpriteLoader::checkReferences() {
    if (in.failed()) {
        return;
    }
    const jint frames = sprite->frameCount();
    const jint placedCount = placedModuleCount();
    for (jint r = 0; r < placedCount; ++r) {
        const ShortArray& placed = *sprite->frameModules;
        const jint flagByte = placed[r * kPlacedModuleShorts + 3];
        const jint number = referenceNumber(placed[r * kPlacedModuleShorts], flagByte);
        const bool nested = (flagByte & kPlacedNestedFrame) != 0;
        if (number >= (nested ? frames : sprite->moduleCount)) {
            in.fail("placed module %d refers to %s %d, the sprite has %d", r, nested ? "frame" : "module",
                    number, nested ? frames : sprite->moduleCount);
            return;
        }
    }
    if (!rangesFit(sprite->frameModuleCount, sprite->frameFirstModule, placedCount, "frame",
                   "placed modules")) {
        return;
    }
    const jint animFrameRecords = animationFrameRecords();
    const jint stride = sprite->animFrameStride;
    for (jint r = 0; r < animFrameRecords; ++r) {
        const ByteArray& records = *sprite->animFrames;
        const jint frame =
            referenceNumber(records[r * stride + kAnimFrameNumberByte], records[r * stride + stride - 1]);
        if (frame >= frames) {
            in.fail("animation frame %d shows frame %d, the sprite has %d", r, frame, frames);
            return;
        }
    }
    rangesFit(sprite->animFrameCount, sprite->animFirstFrame, animFrameRecords, "animation",
              "animation frames");
}

// Frames nested in frames must end: no frame may contain itself, and no chain may be deeper
// than kMaxFrameNesting frames.
void SpriteLoader::checkNesting() {
    if (in.failed()) {
        return;
    }
    const jint frames = sprite->frameCount();
    std::vector<std::int8_t> state(static_cast<std::size_t>(frames), 0); // 0 new, 1 on the path, 2 done
    std::vector<jint> height(static_cast<std::size_t>(frames), 1);       // frames in the deepest chain
    for (jint f = 0; f < frames; ++f) {
        if (state[static_cast<std::size_t>(f)] == 0 && !visitFrame(f, 1, state, height)) {
            return;
        }
    }
}

bool SpriteLoader::visitFrame(const jint frame, const jint depth, std::vector<std::int8_t>& state,
                              std::vector<jint>& height) {
    if (depth > kMaxFrameNesting) {
        in.fail("frames nest deeper than %d levels at frame %d", kMaxFrameNesting, frame);
        return false;
    }
    state[static_cast<std::size_t>(frame)] = 1;
    const jint count = (*sprite->frameModuleCount)[frame] & kByteMask;
    const jint first = (*sprite->frameFirstModule)[frame];
    jint deepest = 1;
    for (jint r = first; r < first + count; ++r) {
        const jint flagByte = (*sprite->frameModules)[r * kPlacedModuleShorts + 3];
        if ((flagByte & kPlacedNestedFrame) == 0) {
            continue;
        }
        const jint child = referenceNumber((*sprite->frameModules)[r * kPlacedModuleShorts], flagByte);
        const auto childAt = static_cast<std::size_t>(child);
        if (state[childAt] == 1) {
            in.fail("frame %d contains itself through frame %d", child, frame);
            return false;
        }
        if (state[childAt] == 0 && !visitFrame(child, depth + 1, state, height)) {
            return false;
        }
        if (depth + height[childAt] > kMaxFrameNesting) {
            in.fail("frames nest deeper than %d levels at frame %d", kMaxFrameNesting, frame);
            return false;
        }
        deepest = std::max(deepest, height[childAt] + 1);
    }
    state[static_cast<std::size_t>(frame)] = 2;
    height[static_cast<std::size_t>(frame)] = deepest;
    return true;
}

// The palettes, the pixel format and the length-prefixed pixel blocks of every module.
void SpriteLoader::readPixelSection() {
    if (!in.has(4, "the palette header")) {
        return;
    }
    const jint format = in.u16();
    const jint count = in.u8();
    jint colours = in.u8();
    colours = colours == 0 ? kColourCountZeroMeans : colours;
    if (format != kPaletteFormatArgb8888 && format != kPaletteFormatArgb4444) {
        in.fail("palette format 0x%X is not one the loader reads", format);
        return;
    }
    const jint colourBytes = format == kPaletteFormatArgb8888 ? 4 : 2;
    if (!in.has(static_cast<jlong>(count) * colours * colourBytes, "the palettes")) {
        return;
    }
    if (sprite->kind == 0 && statics()->sharedPalettes == nullptr) {
        sharedRows = readPalettes(format, count, colours, true);
        sprite->hasAlpha = 1;
    } else if (sprite->kind == 1) {
        in.skip(count * colours * colourBytes); // the kind-1 sprite paints with the kit palettes
    } else {
        sprite->palettes = readPalettes(format, count, colours, false);
    }
    sprite->paletteCount = count;

    const jint pixelFormat = in.u16();
    switch (pixelFormat) {
    case kPixelFormatIndexRuns:
    case kPixelFormatShortRuns:
    case kPixelFormatRunsOrLiterals:
    case kPixelFormatRunsWithAlpha:
    case kPixelFormatIndexBytes:
        break;
    default:
        in.fail("pixel format 0x%X is not one the loader reads", pixelFormat);
        return;
    }
    sprite->pixelFormat = static_cast<jshort>(pixelFormat);
    if (pixelFormat == kPixelFormatIndexRuns) {
        jint bits = 0;
        for (jint rest = colours - 1; rest > 0; rest >>= 1) {
            ++bits;
        }
        sprite->indexBits = bits;
        sprite->indexMask = (1 << bits) - 1;
    }
    const jint modules = sprite->moduleCount;
    const jint blocksStart = in.position;
    IntArray* offsets = runtime::newIntArray(modules);
    sprite->moduleDataOffsets = offsets;
    jint total = 0;
    for (jint m = 0; m < modules; ++m) {
        const jint length = in.u16();
        if (!in.has(length, "the module pixels")) {
            return;
        }
        (*offsets)[m] = total;
        total += length;
        in.skip(length);
    }
    const jint blocksEnd = in.position;
    sprite->pixelData = runtime::newByteArray(total);
    in.position = blocksStart;
    for (jint m = 0; m < modules; ++m) {
        const jint length = in.u16();
        runtime::System::arraycopy(in.data, in.position, sprite->pixelData, (*sprite->moduleDataOffsets)[m],
                                   length);
        in.skip(length);
    }
    in.position = blocksEnd;
}

// count palettes of `colours` colours each. Template rows (the kind-0 sprite's) keep only fully
// opaque colours; the others may be translucent, which sets hasAlpha.
ObjectArray* SpriteLoader::readPalettes(const jint format, const jint count, const jint colours,
                                        const bool asTemplate) {
    ObjectArray* rows = runtime::newObjectArray(count, runtime::kIntArray);
    for (jint p = 0; p < count; ++p) {
        IntArray* row = runtime::newIntArray(colours);
        (*rows)[p] = row;
        for (jint c = 0; c < colours; ++c) {
            jint colour;
            if (format == kPaletteFormatArgb8888) {
                colour = in.s32();
            } else {
                const jint packed = in.u16();
                colour = 0;
                for (int shift = 12; shift >= 0; shift -= 4) {
                    colour = colour << 8 | ((packed >> shift) & 0xF) * 0x11;
                }
            }
            const bool opaque = (static_cast<std::uint32_t>(colour) >> kAlphaShift) == kOpaqueAlpha;
            if (asTemplate && !opaque) {
                colour = 0;
            }
            if (!asTemplate && !opaque) {
                sprite->hasAlpha = 1;
            }
            (*row)[c] = colour;
        }
    }
    return rows;
}

// True when the template holds a chunk of the given type and data length at byte `at`.
bool SpriteLoader::pngChunkAt(const jint template0, const jint at, const jint length, const char* type) {
    const ByteArray& bytes = *in.data;
    std::uint32_t stored = 0;
    for (jint i = 0; i < 4; ++i) {
        stored = stored << 8 | static_cast<std::uint32_t>(bytes[template0 + at + i] & kByteMask);
    }
    if (stored != static_cast<std::uint32_t>(length)) {
        return false;
    }
    for (jint i = 0; i < 4; ++i) {
        if (bytes[template0 + at + 4 + i] != type[i]) {
            return false;
        }
    }
    return true;
}

// The PNG template and its palettes: each palette's PLTE and tRNS bodies are copied over the
// template's, which is then decoded into that palette's sheet.
void SpriteLoader::readPngSheet() {
    const jint length = in.s16();
    const jint template0 = in.position;
    if (in.failed() || !in.has(length, "the PNG sheet")) {
        return;
    }
    in.skip(length);
    const jint count = in.u8();
    jint colours = in.u8();
    colours = colours == 0 ? kColourCountZeroMeans : colours;
    if (in.failed()) {
        return;
    }
    const jint plteBytes = 3 * colours + kPngCrcBytes;
    const jint trnsBytes = colours + kPngCrcBytes;
    if (length < pngTrnsBodyOffset(colours) + trnsBytes ||
        !pngChunkAt(template0, kPngSignatureBytes, kPngIhdrDataBytes, "IHDR") ||
        !pngChunkAt(template0, kPngPlteChunkOffset, 3 * colours, "PLTE") ||
        !pngChunkAt(template0, pngTrnsChunkOffset(colours), colours, "tRNS")) {
        in.fail("the PNG sheet does not hold IHDR, PLTE of %d colours and tRNS in that order", colours);
        return;
    }
    if (!in.has(static_cast<jlong>(count) * (plteBytes + trnsBytes), "the PNG palettes")) {
        return;
    }
    sprite->moduleImages = runtime::newObjectArray(count, runtime::kObjectArray);
    for (jint p = 0; p < count; ++p) {
        ObjectArray* row = runtime::newObjectArray(1, runtime::kImage);
        (*sprite->moduleImages)[p] = row;
        runtime::System::arraycopy(in.data, in.position, in.data, template0 + kPngPlteBodyOffset, plteBytes);
        in.skip(plteBytes);
        runtime::System::arraycopy(in.data, in.position, in.data, template0 + pngTrnsBodyOffset(colours),
                                   trnsBytes);
        in.skip(trnsBytes);
        profile::Image* sheet = profile::Image::createImage(in.data, template0, length);
        if (sheet == nullptr) {
            in.fail("the PNG sheet of palette %d does not decode", p);
            return;
        }
        (*row)[0] = sheet;
    }
}

// Writes decoded pixels row by row into the decode buffer; runs are cut at the module's end.
class PixelWriter {
public:
    PixelWriter(jint* out, const jint count, const jint width, const bool rowsRightToLeft,
                const jint* colours, const jint colourCount)
        : out(out), count(count), width(width), rowsRightToLeft(rowsRightToLeft), colours(colours),
          colourCount(colourCount) {}

    bool full() const { return next >= count; }
    // run pixels of colour index `index`; an index outside the palette is transparent.
    void put(const jint index, const jint run) {
        const jint colour = index < colourCount ? colours[index] : 0;
        for (jint end = std::min(count, next + run); next < end; ++next) {
            out[place(next)] = colour;
        }
    }
    // Pixels the data did not reach are transparent.
    void finish() {
        for (; next < count; ++next) {
            out[place(next)] = 0;
        }
    }

private:
    jint place(const jint pixel) const {
        if (!rowsRightToLeft) {
            return pixel;
        }
        const jint row = pixel / width;
        return row * width + width - 1 - (pixel - row * width);
    }

    jint* out;
    jint count;
    jint width;
    bool rowsRightToLeft;
    const jint* colours;
    jint colourCount;
    jint next = 0;
};

// Reads one module's pixel block; past its end every read gives -1.
class PixelBlock {
public:
    PixelBlock(const jbyte* bytes, const jint length) : bytes(bytes), length(length) {}
    bool atEnd() const { return position >= length; }
    jint next() { return position < length ? bytes[position++] & kByteMask : -1; }

private:
    const jbyte* bytes;
    jint length;
    jint position = 0;
};

void decodeIndexRuns(PixelBlock& in, PixelWriter& out, const jint indexBits, const jint indexMask) {
    while (!out.full() && !in.atEnd()) {
        const jint b = in.next();
        out.put(b & indexMask, (b >> indexBits) + 1);
    }
}

void decodeShortRuns(PixelBlock& in, PixelWriter& out) {
    while (!out.full() && !in.atEnd()) {
        const jint b = in.next();
        if (b < kRunFlag) {
            out.put(b, 1);
            continue;
        }
        const jint index = in.next();
        if (index < 0) {
            return;
        }
        out.put(index, b - kRunFlag);
    }
}

void decodeRunsOrLiterals(PixelBlock& in, PixelWriter& out) {
    while (!out.full() && !in.atEnd()) {
        const jint b = in.next();
        if (b < kRunFlag) {
            const jint index = in.next();
            if (index < 0) {
                return;
            }
            out.put(index, b);
            continue;
        }
        for (jint i = b - kRunFlag; i > 0 && !out.full(); --i) {
            const jint index = in.next();
            if (index < 0) {
                return;
            }
            out.put(index, 1);
        }
    }
}

// The alpha plane that follows the colours of kPixelFormatRunsWithAlpha.
void applyAlphaPlane(PixelBlock& in, jint* pixels, const jint count) {
    jint pixel = 0;
    while (pixel < count && !in.atEnd()) {
        jint b = in.next();
        jint run = 1;
        if (b == kAlphaRunMarker) {
            run = in.next();
            b = in.next();
            if (b < 0) {
                return;
            }
        }
        for (const jint end = std::min(count, pixel + run); pixel < end; ++pixel) {
            pixels[pixel] = (pixels[pixel] & kColourBits) |
                            static_cast<jint>(static_cast<std::uint32_t>(b) << kAlphaShift);
        }
    }
}

void decodeIndexBytes(PixelBlock& in, PixelWriter& out) {
    while (!out.full() && !in.atEnd()) {
        out.put(in.next(), 1);
    }
}

// The shared decode buffer, replaced by a larger one when it cannot hold `pixels`.
IntArray* decodeBufferFor(const jint pixels) {
    IntArray* buffer = statics()->paletteWork;
    if (buffer != nullptr && buffer->length >= pixels) {
        return buffer;
    }
    buffer = runtime::newIntArray(buffer == nullptr ? std::max(pixels, kDecodeBufferSize) : pixels);
    statics()->paletteWork = buffer;
    return buffer;
}

} // namespace

bool cachesModuleImages(const jint kind) {
    runtime::BoolArray* mask = statics()->paletteSlotMask;
    return mask != nullptr && mask->inBounds(kind) && (*mask)[kind] != 0;
}

bool rebuildsImagesOnPaletteChange(const jint kind) {
    return std::find(std::begin(kPaletteRebuildKinds), std::end(kPaletteRebuildKinds), kind) !=
           std::end(kPaletteRebuildKinds);
}

ASprite::ASprite(const jint id) : Object(id) {
    runtime::registerRefFields(this, &moduleX, &moduleY, &moduleWidth, &moduleHeight, &frameModuleCount,
                               &frameFirstModule, &frameRects, &frameModules, &animFrameCount,
                               &animFirstFrame, &animFrames, &palettes, &pixelData, &moduleDataOffsets,
                               &moduleImages, &moduleKind, &frameModulePalette, &moduleColour);
}

jboolean ASprite::load(ByteArray* data, const jint offset) {
    runtime::System::gc();
    clearTables();
    if (data == nullptr) {
        runtime::log("sprite of kind %d: no file", kind);
        return 0;
    }
    SpriteLoader loader(this, data, offset);
    if (!loader.run()) {
        runtime::log("sprite of kind %d: %s; the sprite is left empty", kind, loader.problem().c_str());
        clearTables();
        runtime::System::gc();
        return 0;
    }
    if (loader.sharedRows != nullptr) {
        statics()->sharedPalettes = loader.sharedRows;
    }
    runtime::System::gc();
    return 1;
}

void ASprite::clearTables() {
    noFrameRects = 0;
    moduleCount = 0;
    moduleX = moduleY = moduleWidth = moduleHeight = nullptr;
    flags = 0;
    frameModuleCount = nullptr;
    frameFirstModule = nullptr;
    frameRects = nullptr;
    frameModules = nullptr;
    animFrameCount = nullptr;
    animFirstFrame = nullptr;
    animFrames = nullptr;
    animFrameStride = 0;
    palettes = nullptr;
    paletteCount = 0;
    hasAlpha = 0;
    pixelFormat = 0;
    indexMask = indexBits = 0;
    pixelData = nullptr;
    moduleDataOffsets = nullptr;
    moduleImages = nullptr;
    moduleKind = nullptr;
    frameModulePalette = nullptr;
    moduleColour = nullptr;
}

void ASprite::unload() {
    if (palettes != nullptr) {
        for (jint p = 0; p < palettes->length; ++p) {
            (*palettes)[p] = nullptr;
        }
    }
    clearTables();
    statics()->sharedPalettes = nullptr;
}

IntArray* ASprite::decodeModule(const jint module, const jint transform, IntArray* palette) {
    if (pixelData == nullptr || moduleDataOffsets == nullptr || palette == nullptr || module < 0 ||
        module >= moduleCount || module >= moduleDataOffsets->length ||
        (*moduleKind)[module] != kModuleKindImage) {
        return nullptr;
    }
    const jint width = (*moduleWidth)[module] & kByteMask;
    const jint height = (*moduleHeight)[module] & kByteMask;
    const jint count = width * height;
    IntArray* buffer = decodeBufferFor(count);
    // Nothing allocates from here on, so the element pointers stay put.
    const jint start = (*moduleDataOffsets)[module];
    const jint end =
        module + 1 < moduleDataOffsets->length ? (*moduleDataOffsets)[module + 1] : pixelData->length;
    PixelBlock in(pixelData->data() + start, end - start);
    const jint format = pixelFormat & kShortMask;
    const bool rowsRightToLeft = format == kPixelFormatIndexRuns && (transform & kTransformFlipX) != 0;
    PixelWriter out(buffer->data(), count, width, rowsRightToLeft, palette->data(), palette->length);
    switch (format) {
    case kPixelFormatIndexRuns:
        decodeIndexRuns(in, out, indexBits, indexMask);
        break;
    case kPixelFormatShortRuns:
        decodeShortRuns(in, out);
        break;
    case kPixelFormatRunsOrLiterals:
        decodeRunsOrLiterals(in, out);
        break;
    case kPixelFormatRunsWithAlpha:
        decodeRunsOrLiterals(in, out);
        out.finish();
        applyAlphaPlane(in, buffer->data(), count);
        return buffer;
    default:
        decodeIndexBytes(in, out);
        break;
    }
    out.finish();
    return buffer;
}

void ASprite::buildModuleImages(const jint palette, const jint first, jint last, const jint copyFrom) {
    if ((flags & kFlagPngSheet) != 0 || moduleCount < 1) {
        return;
    }
    if (moduleImages == nullptr) {
        moduleImages = runtime::newObjectArray(paletteCount, runtime::kObjectArray);
    }
    if (palette < 0 || palette >= moduleImages->length || copyFrom >= moduleImages->length) {
        if (paletteCount > 0) {
            runtime::log("sprite of kind %d: no palette %d to build module images of (it has %d)", kind,
                         copyFrom >= 0 ? copyFrom : palette, paletteCount);
        }
        return;
    }
    if (last < 0 || last >= moduleCount) {
        last = moduleCount - 1;
    }
    auto* row = static_cast<ObjectArray*>((*moduleImages)[palette]);
    if (row == nullptr) {
        row = runtime::newObjectArray(moduleCount, runtime::kImage);
        (*moduleImages)[palette] = row;
    }
    if (copyFrom >= 0) {
        auto* source = static_cast<ObjectArray*>((*moduleImages)[copyFrom]);
        for (jint m = std::max(first, 0); source != nullptr && m <= last; ++m) {
            (*row)[m] = (*source)[m];
        }
        return;
    }
    const jint previousPalette = currentPalette;
    currentPalette = palette;
    runtime::System::gc();
    auto* colours = palettes != nullptr ? static_cast<IntArray*>((*palettes)[palette]) : nullptr;
    for (jint m = std::max(first, 0); m <= last; ++m) {
        const jint width = (*moduleWidth)[m] & kByteMask;
        const jint height = (*moduleHeight)[m] & kByteMask;
        if (width < 1 || height < 1) {
            continue;
        }
        IntArray* pixels = decodeModule(m, 0, colours);
        if (pixels == nullptr) {
            continue;
        }
        jboolean translucent = 0;
        for (jint i = 0; i < width * height && translucent == 0; ++i) {
            translucent = (static_cast<std::uint32_t>((*pixels)[i]) >> kAlphaShift) < kOpaqueAlpha ? 1 : 0;
        }
        (*row)[m] = profile::Image::createRGBImage(pixels, width, height, translucent);
    }
    currentPalette = previousPalette;
    runtime::System::gc();
}

void ASprite::setPalette(const jint palette) {
    if (rebuildsImagesOnPaletteChange(kind) && cachesModuleImages(kind) && palette != currentPalette) {
        if (moduleImages != nullptr && moduleImages->inBounds(currentPalette)) {
            (*moduleImages)[currentPalette] = nullptr;
        }
        IntArray* former = statics()->paletteWork;
        if (former == nullptr || former->length < kDecodeBufferSize) {
            statics()->paletteWork = runtime::newIntArray(kDecodeBufferSize);
        }
        buildModuleImages(palette, 0, -1, -1);
        if (former != nullptr) {
            statics()->paletteWork = former;
        }
    }
    currentPalette = palette;
}

} // namespace game::sprites
