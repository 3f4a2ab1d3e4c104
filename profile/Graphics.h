// javax_microedition_lcdui_Graphics: the translated program's drawing object. It draws into one
// Image (the screen's back buffer or a mutable off-screen image) with a colour, a clip rectangle
// and a translation; the primitives themselves are the Painter's.
#pragma once

#include "profile/Painter.h"
#include "runtime/Object.h"

namespace runtime {
struct IntArray;
struct String;
struct javax_microedition_lcdui_Font;
} // namespace runtime

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

    // The font of drawString; a new Graphics has none, and without one no text is drawn.
    void setFont(runtime::javax_microedition_lcdui_Font* newFont) { font = newFont; }
    runtime::javax_microedition_lcdui_Font* getFont() const { return font; }
    // System-font text in the current colour (SystemFontText.cpp): length characters of string
    // from offset, anchored at (x, y) without the translation, inside the clip.
    void drawSubstring(runtime::String* string, jint offset, jint length, jint x, jint y, jint anchor);
    void drawString(runtime::String* string, jint x, jint y, jint anchor);

    Image* target = nullptr; // the reference fields
    runtime::javax_microedition_lcdui_Font* font = nullptr;
};

} // namespace profile
