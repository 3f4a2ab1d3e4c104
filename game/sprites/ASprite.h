// ASprite (class 106): one sprite as the artists exported it. Modules are image pieces or
// coloured rectangles; frames are lists of placed modules (a placed module may be a nested
// frame); animations are lists of timed frames. Colours come from one or more palettes; module
// pixels are palette indices in one of five encodings, or the sprite is one palettised PNG sheet.
// The file format is in SpriteFormat.h.
//
// Loading checks every count, offset and index against the file's length and the table it
// indexes, so painters can trust the tables: a placed module names a module or frame that
// exists, a frame's and an animation's ranges lie inside their tables, and nested frames neither
// loop nor nest deeper than kMaxFrameNesting. A damaged file loads nothing: the reason is
// logged and the sprite stays empty (no modules, frames or animations).
#pragma once

#include "runtime/Arrays.h"
#include "runtime/JavaTypes.h"
#include "runtime/Object.h"

namespace game::sprites {

using runtime::jboolean;
using runtime::jint;
using runtime::jshort;

// Length of the shared decode buffer outside the match (the match set-up gives it 5,000).
inline constexpr jint kDecodeBufferSize = 8500;
// How deep frames may nest inside frames.
inline constexpr jint kMaxFrameNesting = 8;

// Whether the static set-up marked sprites of this kind to keep ready-made module images.
bool cachesModuleImages(jint kind);
// Whether sprites of this kind rebuild their module images when their palette changes (so they
// keep their pixel data).
bool rebuildsImagesOnPaletteChange(jint kind);

struct ASprite : runtime::Object {
    static constexpr jint kClassId = runtime::kASprite;

    // Every field clear; registers the 18 reference fields with the collector.
    explicit ASprite(jint id = kClassId);

    // Parses the sprite file that starts at data[offset] (steps in ASprite.cpp). False when the
    // file is damaged: the reason is logged with the sprite's kind and the sprite is left empty.
    jboolean load(runtime::ByteArray* data, jint offset);
    // Drops every table, palette, image and the pixel data, and the static sharedPalettes.
    void unload();
    // Decodes image module `module` with `palette` into the shared decode buffer (width x height
    // ARGB values, grown when the module is larger) and returns the buffer; null when the module
    // is not an image module, the pixel data is gone or the palette is null. With the index-run
    // encoding and transform bit 0 each row comes out right to left (already flipped in x).
    runtime::IntArray* decodeModule(jint module, jint transform, runtime::IntArray* palette);
    // Fills moduleImages[palette] for modules first..last (last -1: the last module), sharing the
    // images of row copyFrom when it is 0 or more, else decoding each module.
    void buildModuleImages(jint palette, jint first, jint last, jint copyFrom);
    // Sets currentPalette; kinds 19 and 25 with cached images rebuild them for the new palette.
    void setPalette(jint palette);

    // Table sizes, 0 when the table is absent.
    jint frameCount() const { return frameModuleCount != nullptr ? frameModuleCount->length : 0; }
    jint animationCount() const { return animFrameCount != nullptr ? animFrameCount->length : 0; }

    jint kind = 0;             // the sprite's number in `sprites`; set by its creator
    jboolean noFrameRects = 0; // the file holds no frame rectangles
    jint moduleCount = 0;
    runtime::ByteArray* moduleX = nullptr; // position in the PNG sheet (file flag 0x2)
    runtime::ByteArray* moduleY = nullptr;
    runtime::ByteArray* moduleWidth = nullptr; // read unsigned
    runtime::ByteArray* moduleHeight = nullptr;
    jint flags = 0;                                 // the file's flag word
    runtime::ByteArray* frameModuleCount = nullptr; // per frame, unsigned
    runtime::ShortArray* frameFirstModule = nullptr;
    runtime::ByteArray* frameRects = nullptr;     // four signed bytes per frame; byte 2 the width
    runtime::ShortArray* frameModules = nullptr;  // module byte, x, y, flag byte per placed module
    runtime::ByteArray* animFrameCount = nullptr; // per animation, unsigned
    runtime::ShortArray* animFirstFrame = nullptr;
    runtime::ByteArray* animFrames = nullptr; // animation-frame records as in the file
    jint animFrameStride = 0;
    runtime::ObjectArray* palettes = nullptr; // int[] per palette, ARGB
    jint paletteCount = 0;
    jint currentPalette = 0; // bit 6 is a one-shot request of the painter
    jboolean hasAlpha = 0;
    jshort pixelFormat = 0;
    jint indexMask = 0; // index-run encoding: mask and width of a colour index
    jint indexBits = 0;
    runtime::ByteArray* pixelData = nullptr; // every module's pixels, back to back
    runtime::IntArray* moduleDataOffsets = nullptr;
    runtime::ObjectArray* moduleImages = nullptr;     // Image[palette][module]; a PNG sheet is [palette][0]
    runtime::ByteArray* moduleKind = nullptr;         // 0 image, 1 rectangle outline, 2 filled rectangle
    runtime::ByteArray* frameModulePalette = nullptr; // per placed module (file flag 0x4000)
    runtime::IntArray* moduleColour = nullptr;        // per rectangle module

private:
    // Drops every table, leaving the sprite empty; kind and currentPalette stay.
    void clearTables();
};

} // namespace game::sprites
