// Text layout in the sprite fonts: the glyph of a character, the width of a string and of its
// widest line, the number of lines, and word wrapping by inserting line breaks.
//
// Lines are separated by '^' inside one String. Markup as the measuring sees it: '{' and the
// character after it are a zero-width colour code, the backquote takes no width, '~' and the
// character after it are a 28-pixel inline icon; a character without a glyph is 6 pixels wide.
// Font f is the sprite table's entry 11 + f; a glyph is a frame of that sprite and advances by
// its frame rectangle's width plus fontSpacing[f].
//
// A null text measures 0, counts 0 lines and wraps to null: callers pass getText results, which
// are null for empty texts.
#pragma once

#include "runtime/JavaTypes.h"

namespace runtime {
struct String;
}

namespace game::sprites {

using runtime::jboolean;
using runtime::jchar;
using runtime::jint;

// The line break of the texts.
inline constexpr jchar kLineBreak = '^';

// The glyph frame of c in the sprite fonts, -1 when it has none: letters of either case share
// the capitals from upperCaseGlyphBase, digits start at digitGlyphBase, codes below 33 have none,
// other characters are their position in the character map (constant string 123), else that of
// c - 32 (a small accented letter takes its capital's glyph); the Cyrillic io takes 0x00CB's.
jint getGlyphIndex(jchar c);

// Width in pixels of s drawn in sprite font `font`, with no spacing after the last glyph (so
// the empty text measures minus the font's spacing).
jint getStringWidth(runtime::String* s, jint font);

// Width of the widest '^'-separated line of s (at least 0 when s holds a break).
jint getTextWidth(runtime::String* s, jint font);

// 1 + the number of '^' in s. The last text counted is remembered by identity
// (lastCountedText), so a painter that asks every frame for the same String does not scan it
// again.
jint countTextLines(runtime::String* s);

// s with line breaks inserted so that every line that holds a space stays narrower than
// maxWidth. With joinLines, single breaks inside the text are first replaced by the join text
// (constant string 124), or dropped next to a space; breaks at either end and doubled breaks
// stay. A too-wide line breaks at its last space, or in front of a colour code that follows it
// so the coded word keeps its code; a line without a space is cut where it reaches the width and
// the next line starts with the character there. Always a new String, except that an empty or
// null s comes back as it is.
runtime::String* wrapText(runtime::String* s, jint maxWidth, jint font, jboolean joinLines);

} // namespace game::sprites
