// javax_microedition_lcdui_Font: the profile's font object. Every font stands for the one system
// font; face, style and size are kept as asked for but do not change the glyphs. Fonts come from
// Font::getFont, which keeps one font per value of face | style | size for the whole run.
//
// The measurements come from the profile's system font, which the runtime cannot include: the
// profile installs them (SystemFontHooks) before the first font is made.
#pragma once

#include "runtime/JavaTypes.h"
#include "runtime/Object.h"

namespace runtime {

struct String;

struct SystemFontHooks {
    // The system font's ascent and whole line height in pixels.
    void (*metrics)(jint* ascent, jint* height) = nullptr;
    // Width in pixels of count units drawn as one line. The units may lie in the secondary heap,
    // so the hook must not allocate.
    jint (*width)(const jchar* units, jint count) = nullptr;
};
void setSystemFontHooks(const SystemFontHooks& hooks);

struct javax_microedition_lcdui_Font : Object {
    static constexpr jint kClassId = kFont;

    // The font cache's capacity.
    static constexpr jint kCacheCapacity = 4;

    // ascent and height stay 0 until init measures the system font.
    javax_microedition_lcdui_Font(jint fontFace, jint fontStyle, jint fontSize, jint id = kClassId);

    // Own slots.
    virtual jint getSize() { return size; }
    virtual jint getHeight() { return height; }
    // Where text drawing puts the baseline, in pixels below the top.
    jint getAscent() const { return ascent; }

    // The cached font for face | style | size, made and measured on first use.
    static javax_microedition_lcdui_Font* getFont(jint face, jint style, jint size);

    // Stores the three values and the system font's ascent and height.
    void init(jint fontFace, jint fontStyle, jint fontSize);
    // Width of the characters from first to the end of string; last only gates: 0 when
    // first > last. A first outside the string (logged) and a null string give 0.
    jint stringWidth(String* string, jint first, jint last);

    jint face = 0;
    jint style = 0;
    jint size = 0;
    jint ascent = 0;
    jint height = 0;
};

using Font = javax_microedition_lcdui_Font;

} // namespace runtime
