// Text box painters (see TextBoxes.h).
#include "game/sprites/TextBoxes.h"

#include "game/core/GameStatics.h"
#include "game/sprites/ASprite.h"
#include "game/sprites/TextLayout.h"
#include "runtime/ConstantPool.h"
#include "runtime/ObjectManager.h"
#include "runtime/Service.h"
#include "runtime/String.h"
#include "runtime/StringBuffer.h"

namespace game::sprites {

namespace {

using runtime::idiv;
using runtime::irem;
using runtime::String;

constexpr jint kScreenWidth = 480;
constexpr jint kFirstDrawnY = 1;  // lines above are not drawn
constexpr jint kLastDrawnY = 799; // nor lines below
constexpr jint kNoWindow = -1;    // maxLines: every line
constexpr jint kDefaultEdge = -1; // rightEdge: 452, with the left margin
constexpr jint kAnchorCentreBlock = 1;
constexpr jint kAnchorCentre = 2;
constexpr jint kAnchorRight = 4;
constexpr jint kStepNumerator = 4; // lines are 4/3 of the line spacing apart
constexpr jint kStepDenominator = 3;

// The hyphen rewrite of windowed lines: a line "X-abc" of a long text in this menu state is
// drawn as "Xabc", the join text and an application property.
constexpr jint kRewriteMenuState = 40;
constexpr jint kRewriteMinTextLength = 200;
constexpr jint kJoinTextConstant = 124;
constexpr jint kSuffixPropertyConstant = 126;

// The scrolling boxes.
constexpr jint kScrollFont = 0;
constexpr jint kScrollFramePeriod = 5; // the slow counter stands still on frames 0 and 2 of 5
constexpr jint kScrollStillFrameA = 0;
constexpr jint kScrollStillFrameB = 2;
constexpr jint kRollStep = 2;
constexpr jint kRollReentry = -260;
constexpr jint kRollEndMargin = 2;

// The hint line.
constexpr jint kHintLeft = 4;
constexpr jint kHintRight = 452;
constexpr jint kHintScrollRight = 478;
constexpr jint kHintScrollY = 704;
constexpr jint kHintLineSpacing = 18;
constexpr jint kHintScrollLines = 2;

// The sprite font's string drawer.
class SpriteFontLineDrawer final : public TextLineDrawer {
public:
    void drawSubString(profile::Graphics* const g, String* const text, const jint start, const jint end,
                       const jint x, const jint y, const jint anchor, const jint font,
                       const jint palette) override {
        sprites::ASprite::drawSubString(g, text, start, end, x, y, anchor, font, palette);
    }
};

runtime::ServiceSlot<TextLineDrawer, SpriteFontLineDrawer>& drawerSlot() {
    static runtime::ServiceSlot<TextLineDrawer, SpriteFontLineDrawer> instance;
    return instance;
}

// lineSpacing x 4 / 3, as the painters step their lines.
jint lineStep(const jint lineSpacing) {
    return idiv(lineSpacing * kStepNumerator, kStepDenominator);
}

// Height of `lines` lines: lines x lineSpacing x 4 / 3, worked left to right.
jint linesHeight(const jint lines, const jint lineSpacing) {
    return idiv(lines * lineSpacing * kStepNumerator, kStepDenominator);
}

// The application property the hyphen rewrite appends, read once.
String* propertySuffix() {
    GameStatics* const s = statics();
    if (s->propertySuffix == nullptr && s->midlet != nullptr) {
        s->propertySuffix = s->midlet->getAppProperty(runtime::getConstantString(kSuffixPropertyConstant));
    }
    return s->propertySuffix;
}

// Whether a windowed line [start, end) of lines is drawn rewritten: its second character is '-'
// in a long text of the menu state that asks for it.
bool rewritesLine(String* const lines, const jint start, const jint end) {
    return statics()->menuState == kRewriteMenuState && lines->length() > kRewriteMinTextLength &&
           end - start >= 2 && lines->charAt(start + 1) == '-';
}

// The line [start, end) of lines without its second character, then the join text and the
// property suffix.
String* rewrittenLine(String* const lines, const jint start, const jint end) {
    runtime::StringBuffer* const line = runtime::newStringBuffer();
    line->appendChar(lines->charAt(start));
    line->append(lines->substring(start + 2, end));
    line->append(runtime::getConstantString(kJoinTextConstant));
    String* const suffix = propertySuffix();
    if (suffix != nullptr) {
        line->append(suffix);
    }
    return line->toString();
}

} // namespace

void drawFontLine(String* const text, const jint start, const jint end, const jint x, const jint y,
                  const jint anchor, const jint font, const jint palette) {
    drawerSlot().get().drawSubString(statics()->currentGraphics, text, start, end, x, y, anchor, font,
                                     palette);
}

TextLineDrawer* installTextLineDrawer(TextLineDrawer* const drawer) {
    return drawerSlot().install(drawer);
}

String* wrapForBox(String* const text, const jint left, const jint right, const jint font,
                   const jboolean joinLines) {
    GameStatics* const s = statics();
    if (text == s->lastBoxText.get()) {
        return s->lastBoxLines;
    }
    String* const lines =
        left + getTextWidth(text, font) > right ? wrapText(text, right - left, font, joinLines) : text;
    s->lastBoxText = text;
    s->lastBoxLines = lines;
    return lines;
}

jint drawTextBox(String* const text, jint x, jint y, const jint lineSpacing, const jint font,
                 const jint anchor, const jint palette, const jint maxLines, const jboolean splitAtSpaces,
                 const jboolean spacingAsGiven, const jint rightEdge, const jboolean joinLines) {
    if (text == nullptr) {
        return 0;
    }
    GameStatics* const s = statics();
    // -1 stands for the default edge wherever the box is measured from it.
    const jint right = rightEdge == kDefaultEdge ? kDefaultRightEdge : rightEdge;
    jint left = x;
    if ((anchor & (kAnchorCentre | kAnchorRight)) != 0) {
        const jint width = (anchor & kAnchorCentre) != 0 ? 2 * (right - x) : kScreenWidth;
        left = (anchor & kAnchorRight) != 0 ? x - width : x - (width >> 1);
    }
    if (left < kDefaultLeftMargin && rightEdge == kDefaultEdge) {
        left = kDefaultLeftMargin;
    }
    String* const lines = wrapForBox(text, left, right, font, joinLines);
    if ((anchor & kAnchorCentreBlock) != 0 && s->centreTextBlock != 0) {
        x += idiv(right - x - getTextWidth(lines, font), 2);
    }
    const jint step = spacingAsGiven != 0 ? lineSpacing : lineStep(lineSpacing);
    const jint length = lines->length();
    if (length == 0) {
        return 0;
    }
    const runtime::jchar separator = splitAtSpaces != 0 ? ' ' : kLineBreak;
    jint count = 0;
    jint start = 0;
    do {
        jint end = lines->indexOf(separator, start);
        if (end < 0) {
            end = length;
        }
        if (y >= kFirstDrawnY && y <= kLastDrawnY) {
            if (maxLines == kNoWindow) {
                drawFontLine(lines, start, end, x, y, anchor, font, palette);
            } else if (y >= s->boxScrollTop && y <= s->boxScrollTop + (maxLines - 1) * step) {
                if (rewritesLine(lines, start, end)) {
                    String* const line = rewrittenLine(lines, start, end);
                    drawFontLine(line, 0, line->length(), x, y, anchor, font, palette);
                } else {
                    drawFontLine(lines, start, end, x, y, anchor, font, palette);
                }
            }
        }
        start = end + 1;
        ++count;
        y += step;
    } while (start < length);
    return count;
}

jint drawTextBoxOpt(String* const text, const jint x, const jint y, const jint lineSpacing, const jint font,
                    const jint anchor, const jint palette, const jint maxLines, const jboolean splitAtSpaces,
                    const jboolean spacingAsGiven) {
    return drawTextBox(text, x, y, lineSpacing, font, anchor, palette, maxLines, splitAtSpaces,
                       spacingAsGiven, kDefaultRightEdge, 1);
}

jint drawTextBoxPlain(String* const text, const jint x, const jint y, const jint lineSpacing, const jint font,
                      const jint anchor, const jint palette, const jint maxLines) {
    return drawTextBox(text, x, y, lineSpacing, font, anchor, palette, maxLines, 0, 0, kDefaultRightEdge, 1);
}

void drawScrollingTextBox(String* const text, const jint left, const jint right, const jint y,
                          const jint lineSpacing, const jint visibleLines, const jint palette) {
    if (text == nullptr) {
        return;
    }
    GameStatics* const s = statics();
    s->boxScrollTop = y;
    String* const lines = wrapForBox(text, left, right, kScrollFont, 0);
    const jint n = countTextLines(lines);
    const jint frame = irem(s->menuFrames, kScrollFramePeriod);
    const jint step = frame == kScrollStillFrameA || frame == kScrollStillFrameB ? 0 : 1;
    jint drawY = y;
    const jint page = linesHeight(visibleLines, lineSpacing);
    if (n <= visibleLines || page <= 0) {
        // The text fits (or the box has no height to scroll through): it stands still.
        const jint period = linesHeight(n + 1, lineSpacing);
        if (n <= visibleLines && s->scrollStopAtEnd != 0 && period > 0) {
            s->scrollOffset += step;
            if (s->scrollOffset > 0 && irem(s->scrollOffset, period) == 0) {
                s->scrollFinished = 1;
            }
        }
    } else {
        s->scrollOffset += step;
        const jint full = linesHeight(n, lineSpacing);
        if (s->scrollOffset > 0 && irem(s->scrollOffset, full) == 0 && s->scrollStopAtEnd != 0) {
            s->scrollFinished = 1;
        }
        if (s->scrollRestart != 0) {
            s->scrollRestart = 0;
            s->scrollPause = page;
        }
        jint k = (idiv(s->scrollOffset, page) - 1) * page;
        if (s->scrollOffset == page) {
            s->scrollPause = 0;
        }
        jint limit = page;
        if (s->scrollOffset > page && s->scrollPause > page) {
            limit = full;
            k = 0;
            if (s->scrollPause > full) {
                s->scrollOffset = 0;
                if (s->scrollStopAtEnd != 0) {
                    s->scrollFinished = 1;
                    return;
                }
            }
        }
        if (s->scrollOffset > full) {
            if (s->scrollPause > limit) {
                s->scrollOffset = 0;
            } else {
                limit = full;
            }
        }
        if (s->scrollPause <= limit) {
            drawY = y - s->scrollPause - k;
            s->scrollPause += 1;
        } else {
            drawY = y - idiv(s->scrollOffset, limit) * limit;
        }
    }
    drawTextBox(text, left, drawY, lineSpacing, kScrollFont, kAnchorCentreBlock, palette, visibleLines, 0, 0,
                right, 0);
}

void drawRollingTextBox(String* const text, const jint left, const jint right, jint y, const jint lineSpacing,
                        const jint visibleLines, const jint palette) {
    if (text == nullptr) {
        return;
    }
    GameStatics* const s = statics();
    s->boxScrollTop = y;
    String* const upper = text->toUpperCase();
    String* const lines = wrapForBox(upper, left, right, kScrollFont, 0);
    const jint n = countTextLines(lines);
    const jint total = linesHeight(n + 1, lineSpacing);
    if (n > visibleLines && total > 0) {
        s->scrollOffset += kRollStep;
        if (s->scrollOffset > 0) {
            s->scrollOffset = irem(s->scrollOffset, total);
        }
        if (s->scrollOffset >= total - kRollEndMargin) {
            s->scrollOffset = kRollReentry;
        }
        y = y - s->scrollOffset + lineSpacing;
    }
    drawTextBox(upper, (left + right) >> 1, y, lineSpacing, kScrollFont, kAnchorCentre, palette, visibleLines,
                0, 0, right, 0);
}

void drawHintText(String* const text) {
    if (text == nullptr) {
        return;
    }
    GameStatics* const s = statics();
    // The two-line box keys the shared cache with the wrapped hint, so the hint keeps its own.
    String* lines = s->hintBoxLines;
    if (text != s->hintBoxText.get()) {
        lines = wrapForBox(text, kHintLeft, kHintRight, kScrollFont, 0);
        s->hintBoxText = text;
        s->hintBoxLines = lines;
    }
    const jint n = countTextLines(lines);
    if (n < 2) {
        runtime::IntArray* const ys = s->hintLineYs;
        if (ys == nullptr || !ys->inBounds(n - 1)) {
            return;
        }
        drawTextBox(text, kHintLeft, (*ys)[n - 1], kHintLineSpacing, kScrollFont, kAnchorCentreBlock, 0,
                    kNoWindow, 0, 0, kHintRight, 0);
        return;
    }
    s->scrollStopAtEnd = 1;
    drawScrollingTextBox(lines, kHintLeft, kHintScrollRight, kHintScrollY, kHintLineSpacing, kHintScrollLines,
                         0);
    s->scrollStopAtEnd = 0;
    s->tickerDrawn = 1;
}

} // namespace game::sprites
