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

namespace runtime {
struct String;
}
namespace profile {
struct Graphics;
}

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

    // Painting (SpritePainting.cpp). A transform has bit 0 flip x, bit 1 flip y, bit 2 rotate by
    // 90 degrees; a placed module's or animation frame's own transform is XORed with the caller's.
    // Bad animation, frame or module numbers are logged and paint nothing.

    // Paints frame aframe of animation anim: the frame's offset is mirrored with the transform
    // and taken from (x, y) together with the hot spot (hx, hy).
    void paintAnimFrame(profile::Graphics* g, jint anim, jint aframe, jint x, jint y, jint transform, jint hx,
                        jint hy);
    // Paints every placed module of frame. Bit 6 of currentPalette, when set, is cleared and
    // leaves out module 74 of the kind-1 sprite for this one call.
    void paintFrame(profile::Graphics* g, jint frame, jint x, jint y, jint transform, jint hx, jint hy);
    // Paints placed module i of frame, mirrored around (x, y) with the transform; a nested frame
    // is painted whole.
    void paintFrameModule(profile::Graphics* g, jint frame, jint i, jint x, jint y, jint transform, jint hx,
                          jint hy);
    // Paints module m with its top-left corner at (x, y): a part of the PNG sheet, a rectangle
    // (filled ones always into currentGraphics), a kit-coloured player module, a cached image or
    // freshly decoded pixels. Image modules off the screen are skipped before any decoding.
    void paintModule(profile::Graphics* g, jint m, jint x, jint y, jint t);
    // The width x height ARGB values of src reordered for transform t (its low 3 bits) in a new
    // array; src itself for t & 7 = 0. For a rotation the result is height wide and width high.
    static runtime::IntArray* transformPixels(runtime::IntArray* src, jint width, jint height, jint t);

    // Sprite fonts (SpriteText.cpp). Font f is sprites[11 + f]; texts may hold the markup '{'
    // plus a colour letter, the backquote, '~' plus a key character and '|'.

    // Draws characters start..end-1 of text in font `font` with palette `palette` at (x, y) by the
    // string anchors (2 centre, 4 right, 8 bottom, 16 vertical centre); returns the pen position
    // after the last character minus x. A missing font sprite draws nothing and returns 0.
    static jint drawSubString(profile::Graphics* g, runtime::String* text, jint start, jint end, jint x,
                              jint y, jint anchor, jint font, jint palette);
    // drawSubString over the whole text; a null text draws nothing and returns 0.
    static jint drawString(profile::Graphics* g, runtime::String* text, jint x, jint y, jint font,
                           jint anchor, jint palette);

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
    // The palette number currentPalette selects, without the painter's one-shot bit.
    jint paletteIndex() const;
    // Drops every table, leaving the sprite empty; kind and currentPalette stay.
    void clearTables();
};

} // namespace game::sprites
