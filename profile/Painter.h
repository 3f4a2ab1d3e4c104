// Drawing into 16-bit pixel memory: the state and the primitives behind Graphics.
//
// A Surface describes pixel memory (an Image is one); a Painter draws into a Surface with a
// colour, a clip rectangle and a translation. Neither is an object of the translated program, so
// the pixel code can be used and tested without the runtime. Whatever the arguments, no
// primitive writes outside the target's pixels or reads outside its source.
#pragma once

#include <cstdint>

#include "profile/Pixels.h"
#include "runtime/JavaTypes.h"

namespace profile {

using runtime::jboolean;
using runtime::jlong;

// Anchor bits of drawRegion and drawImage; any other bits mean left and top.
inline constexpr jint kAnchorHCenter = 1;
inline constexpr jint kAnchorVCenter = 2;
inline constexpr jint kAnchorLeft = 4;
inline constexpr jint kAnchorRight = 8;
inline constexpr jint kAnchorTop = 16;
inline constexpr jint kAnchorBottom = 32;

// The profile's region transforms.
inline constexpr jint kTransformNone = 0;
inline constexpr jint kTransformMirrorRot180 = 1;
inline constexpr jint kTransformMirror = 2;
inline constexpr jint kTransformRot180 = 3;
inline constexpr jint kTransformMirrorRot270 = 4;
inline constexpr jint kTransformRot90 = 5;
inline constexpr jint kTransformRot270 = 6;
inline constexpr jint kTransformMirrorRot90 = 7;

// Pixel memory: width x height pixels, rows stride bytes apart, of one pixel type.
struct Surface {
    void* pixels = nullptr; // 16-bit pixels for types 0-2, bytes otherwise
    jint width = 0;
    jint height = 0;
    jint stride = 0;        // bytes per row
    jint type = kPixelRgb565;

    // First pixel of row y of a 16-bit surface.
    std::uint16_t* row16(const jint y) const {
        return reinterpret_cast<std::uint16_t*>(static_cast<std::uint8_t*>(pixels) + static_cast<jlong>(y) * stride);
    }
};

// Logs message and the runtime's stack trace: how the profile's checks report bad arguments.
void logFault(const char* message);

// Stores value into h rows of w pixels from first on, rows stridePixels apart, in aligned
// 32-bit pairs where it can. A height below 1 is a caller's error and is logged.
void fillRect16(std::uint16_t* first, jint stridePixels, jint w, jint h, std::uint16_t value);

// True when some of the count 16-bit pixels is the key colour.
bool containsKeyColour(const std::uint16_t* pixels, jlong count);

struct Painter {
    // Draws into target: colour 0 (invisible until set), clip = the whole target, no translation.
    void attach(Surface* target);

    void setColor(jint rgb);                     // alpha forced to 0xFF
    void setColorRGB(jint r, jint g, jint b);    // out-of-range parts are logged, colour set anyway
    void setClip(jint x, jint y, jint w, jint h);  // limited to the target
    void clipRect(jint x, jint y, jint w, jint h); // intersects with the current clip
    void translate(jint dx, jint dy);
    jint getTranslateX() const { return translateX; }
    jint getTranslateY() const { return translateY; }

    void fillRect(jint x, jint y, jint w, jint h);
    void drawLine(jint x1, jint y1, jint x2, jint y2);   // both ends included
    void drawRect(jint x, jint y, jint w, jint h);       // covers w + 1 by h + 1 pixels
    void fillRoundRect(jint x, jint y, jint w, jint h, jint arcWidth, jint arcHeight);
    // Only the whole quadrants that the arc covers are drawn.
    void drawArc(jint x, jint y, jint w, jint h, jint startAngle, jint arcAngle);
    void fillArc(jint x, jint y, jint w, jint h, jint startAngle, jint arcAngle);
    void fillTriangle(jint x1, jint y1, jint x2, jint y2, jint x3, jint y3);
    // Draws the region of source in one of the eight transforms, anchored at (x, y).
    void drawRegion(const Surface* source, jint xSrc, jint ySrc, jint width, jint height, jint transform,
                    jint x, jint y, jint anchor);
    void drawImage(const Surface* source, jint x, jint y, jint anchor);
    // Draws w x h ARGB values, row r starting at values[offset + r * scanLength]; a call that would
    // read outside the length values draws nothing.
    void drawRGB(const jint* values, jint length, jint offset, jint scanLength, jint x, jint y, jint w, jint h,
                 bool processAlpha);

    Surface* surface = nullptr;
    jint colour = 0; // 0xAARRGGBB
    jint clipX1 = 0; // clip rectangle in target pixels; x2 and y2 exclusive
    jint clipY1 = 0;
    jint clipX2 = 0;
    jint clipY2 = 0;
    jint translateX = 0;
    jint translateY = 0;

protected:
    struct Box {
        jint x1, y1, x2, y2;
    };
    // The clip rectangle, limited to the target's pixels (empty without drawable pixels).
    Box drawableBox() const;

private:
    // Translates and clips a rectangle; false when nothing of it is left.
    bool clipRectangle(jlong x, jlong y, jlong w, jlong h, Box& out) const;
    void fillWide(jlong x, jlong y, jlong w, jlong h);
    void fillClipped(const Box& area);
    void plot(jint x, jint y); // target pixel inside the clip, translation applied
    void outline(jint left, jint top, jint right, jint bottom);
    void arc(jint x, jint y, jint w, jint h, jint startAngle, jint arcAngle, bool fill);
    void blitRegion(const Surface* source, jlong xSrc, jlong ySrc, jlong width, jlong height, jint transform,
                    jint x, jint y);
};

} // namespace profile
