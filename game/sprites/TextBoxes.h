// Text box painters: every multi-line text of the screens (help pages, descriptions, news,
// pop-up messages, hints) is wrapped to a box, split at its line breaks and drawn line after line
// with a sprite font, optionally only the lines inside a window of maxLines lines starting at
// boxScrollTop. Around the one painter stand two wrappers with the usual right edge, two
// self-scrolling boxes and the hint line of the management screens.
//
// All painters share one cache of the last wrapped text, keyed on the String object alone
// (lastBoxText, lastBoxLines): screens keep the String they draw so it is wrapped once, not every
// frame, and a later call with the same object but another box reuses the first wrap. A null
// text draws nothing.
#pragma once

#include "runtime/JavaTypes.h"

namespace runtime {
struct String;
}

namespace profile {
struct Graphics;
}

namespace game::sprites {

using runtime::jboolean;
using runtime::jint;

// Right edge the painters use by default, and the least left edge when rightEdge is -1.
inline constexpr jint kDefaultRightEdge = 452;
inline constexpr jint kDefaultLeftMargin = 28;

// How a painter draws one line: the sprite font's drawSubString (characters start..end-1 of text,
// anchor and palette passed on unchanged). Tests install a recorder.
class TextLineDrawer {
public:
    virtual ~TextLineDrawer() = default;
    virtual void drawSubString(profile::Graphics* g, runtime::String* text, jint start, jint end, jint x,
                               jint y, jint anchor, jint font, jint palette) = 0;
};
// Installs drawer (null restores the sprite font's); returns the previous one.
TextLineDrawer* installTextLineDrawer(TextLineDrawer* drawer);
// Draws characters start..end-1 of text into currentGraphics through the installed drawer.
void drawFontLine(runtime::String* text, jint start, jint end, jint x, jint y, jint anchor, jint font,
                  jint palette);

// The shared wrap: lastBoxLines when text is lastBoxText; else text wrapped to right - left when
// left + its width passes right (the text itself when it fits), stored with text as the new key.
runtime::String* wrapForBox(runtime::String* text, jint left, jint right, jint font, jboolean joinLines);

// Wraps text to its box and draws its lines at x from y down, `lineSpacing` x 4 / 3 apart (or
// lineSpacing apart with spacingAsGiven), into currentGraphics. The box: from x to rightEdge;
// centred on x with anchor bit 2 (twice the distance to the right edge wide); ending at x with
// bit 4 (480 wide). rightEdge -1 is 452 with the box starting at 28 or later. With anchor bit 1
// and centreTextBlock the block is centred between x and the right edge. Lines split at '^', or
// at every space with splitAtSpaces. Only lines with y in 1..799 are drawn, and with maxLines
// other than -1 only those in the window from boxScrollTop down maxLines lines. Returns the number
// of lines, drawn or not (0 for an empty or null text).
jint drawTextBox(runtime::String* text, jint x, jint y, jint lineSpacing, jint font, jint anchor,
                 jint palette, jint maxLines, jboolean splitAtSpaces, jboolean spacingAsGiven, jint rightEdge,
                 jboolean joinLines);
// drawTextBox with right edge 452 and lines joined.
jint drawTextBoxOpt(runtime::String* text, jint x, jint y, jint lineSpacing, jint font, jint anchor,
                    jint palette, jint maxLines, jboolean splitAtSpaces, jboolean spacingAsGiven);
// drawTextBox split at '^', the step 4/3 of lineSpacing, right edge 452, lines joined.
jint drawTextBoxPlain(runtime::String* text, jint x, jint y, jint lineSpacing, jint font, jint anchor,
                      jint palette, jint maxLines);

// A box of visibleLines lines in font 0 whose text, when longer, waits on its first page, then
// moves up one pixel per frame through its whole height (3 pixels in 5 frames of the slow
// counter scrollOffset), then returns to the first page. scrollRestart starts it over from the
// first page; with scrollStopAtEnd set the box sets scrollFinished when the scroll has run
// through.
void drawScrollingTextBox(runtime::String* text, jint left, jint right, jint y, jint lineSpacing,
                          jint visibleLines, jint palette);
// A box of visibleLines lines in font 0, upper case and centred, whose text, when longer, rolls up
// 2 pixels per frame and enters again from 260 pixels below once it has gone through.
void drawRollingTextBox(runtime::String* text, jint left, jint right, jint y, jint lineSpacing,
                        jint visibleLines, jint palette);
// The hint at the bottom of the management screens: one line at hintLineYs[0], or a two-line
// scrolling box at (4..478, 704) that reports scrollFinished and sets tickerDrawn.
void drawHintText(runtime::String* text);

} // namespace game::sprites
