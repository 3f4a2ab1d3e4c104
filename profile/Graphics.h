// javax_microedition_lcdui_Graphics: the translated program's drawing object. It draws into one
// Image (the screen's back buffer or a mutable off-screen image) with a colour, a clip rectangle
// and a translation; the primitives themselves are the Painter's.
#pragma once

#include "profile/Painter.h"
#include "runtime/Object.h"

namespace runtime {
struct IntArray;
}

namespace profile {

struct Image;

struct Graphics : runtime::Object, Painter {
    static constexpr jint kClassId = runtime::kGraphics;

    // Draws into target: colour 0 (alpha 0, so nothing shows until a colour is set), clip = the
    // whole image, no translation.
    explicit Graphics(Image* target, const jint id = kClassId);

    // Draws w x h ARGB values of rgbData (see Painter::drawRGB); a null array logs "drawRGB rgbData".
    void drawRGB(runtime::IntArray* rgbData, jint offset, jint scanLength, jint x, jint y, jint w, jint h,
                 jboolean processAlpha);

    Image* target = nullptr; // the only reference field
};

} // namespace profile
