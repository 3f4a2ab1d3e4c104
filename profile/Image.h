// javax_microedition_lcdui_Image: pixels that Graphics draws from and into. Images are decoded
// from PNG data, made from ARGB int arrays, created mutable for off-screen drawing, or wrap the
// screen's back buffer (ScreenImage).
//
// The pixels are a native buffer (malloc'ed, given back by release()); they never move, so a
// Graphics may draw into them across allocations.
#pragma once

#include "profile/Painter.h"
#include "runtime/Object.h"

namespace runtime {
struct ByteArray;
struct IntArray;
} // namespace runtime

namespace profile {

struct Graphics;

struct Image : runtime::Object, Surface {
    static constexpr jint kClassId = runtime::kImage;

    explicit Image(const jint id = kClassId) : Object(id) {}

    void release() override;                // frees the pixels
    virtual Graphics* getGraphics();        // a new Graphics over the image; logs "!mutable" if immutable
    virtual jint getWidth() { return width; }
    virtual jint getHeight() { return height; }

    // Allocates zeroed pixels for width x height of the type in the low bits of typeAndFlags
    // (kImageMutableFlag marks the image mutable); 8-bit and 4-bit types reserve extra + 1 more
    // bytes. A size that cannot be had leaves the image 0 x 0 with no pixels.
    void initBuffer(jint width, jint height, jint typeAndFlags, jint extra);
    // The pixel memory; for a non-16-bit image an empty line is logged first.
    void* getPixels();
    // Type 1 when any 16-bit pixel (the padding column included) is the key colour, else 0.
    void scanKeyColour();

    // Decodes the PNG in bytes[offset .. offset + length); null after any error.
    static Image* createImage(runtime::ByteArray* bytes, jint offset, jint length);
    // An immutable image of width x height ARGB values: RGB565, keyed where alpha is 0 (with
    // processAlpha), or ARGB4444 when some alpha is partial. Null after an argument error.
    static Image* createRGBImage(runtime::IntArray* rgbData, jint width, jint height, jboolean processAlpha);

    jboolean isMutable = 0;
};

// The screen image: its pixels belong to the host (the back buffer), so releasing it only
// forgets them.
struct ScreenImage : Image {
    using Image::Image;

    void release() override;
    // Wraps memory of width x height 16-bit pixels, rows of the even width; mutable, type 0.
    virtual void initExternal(jint width, jint height, void* memory);
};

} // namespace profile
