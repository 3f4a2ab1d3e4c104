// Sprite fonts: ASprite::drawSubString / drawString with the text markup, the ticker and the
// separator dot.
#include "game/sprites/SpriteText.h"

#include "game/core/GameStatics.h"
#include "game/core/services/FrameworkServices.h"
#include "game/sprites/ASprite.h"
#include "game/sprites/SpriteFormat.h"
#include "game/sprites/SpriteLoading.h"
#include "game/sprites/SpritePainting.h"
#include "profile/Graphics.h"
#include "runtime/Log.h"
#include "runtime/String.h"

namespace game::sprites {

using namespace game::core;

namespace {

using runtime::jchar;

// String anchors.
constexpr jint kAnchorCentre = 2;
constexpr jint kAnchorRight = 4;
constexpr jint kAnchorBottom = 8;
constexpr jint kAnchorMiddle = 16;
constexpr jint kTickerAnchor = 17; // vertical centre (bit 1 is no string anchor)

// Palettes of the colour letters.
constexpr jint kPaletteBlue = 0;
constexpr jint kPaletteMarked = 1;
constexpr jint kPaletteRed = 3;

// The pen's steps.
constexpr jint kNoGlyphAdvance = 6;
constexpr jint kEqualsExtra = 2;
constexpr jint kDotAdvance = 6;
constexpr jint kDotMargin = 3; // the window test of the dot
constexpr jint kDotDrop = 2;
constexpr jint kDotFill = 0xFFA400;
constexpr jint kDotBorder = 0xFF7100;
constexpr jint kDotSize = 3;
constexpr jint kIconLead = 3;
constexpr jint kIconAdvance = 26;
constexpr jint kIconRise = 1;
constexpr jint kCurrencyGlyphShift = 2;

// Key icons: frames of keyIconSprite and their bits in shownKeyIcons.
constexpr jint kFireIconFrame = 5;
constexpr jint kFiveIconFrame = 6;
constexpr jint kStarIconFrame = 7;
constexpr jint kHashIconFrame = 8;
constexpr jint kFireIconBit = 1;
constexpr jint kStarIconBit = 4;
constexpr jint kHashIconBit = 8;
// Menu states in which the drawn key icons are recorded, and the one that hides the backquote.
constexpr jint kKeyHelpMenuState = 1030;
constexpr jint kKeyHelpMenuStateB = 133;
constexpr jint kBackquoteHiddenMenuState = 4097;

// Ticker band.
constexpr jint kTickerBand = 0xFF8800;
constexpr jint kTickerStep = 3;
constexpr jint kTickerRestartInset = 10;
constexpr jint kTickerWindowRightInset = 2;

// The font sprite of font, or null (logged) when the sprite table has none.
ASprite* fontSprite(const jint font) {
    runtime::ObjectArray* table = statics()->sprites;
    const jint index = kFirstFontSprite + font;
    ASprite* sprite = table != nullptr && font >= 0 && table->inBounds(index)
                          ? static_cast<ASprite*>((*table)[index])
                          : nullptr;
    if (sprite == nullptr) {
        runtime::log("drawSubString: no sprite of font %d", font);
    }
    return sprite;
}

jint byteAt(runtime::ByteArray* table, const jint index) {
    return table != nullptr && table->inBounds(index) ? (*table)[index] : 0;
}

bool outsideWindow(const jint left, const jint right) {
    const GameStatics* block = statics();
    return block->clipWindowActive != 0 && (left <= block->clipWindowLeft || right >= block->clipWindowRight);
}

// The palette a colour letter picks, noting the marked letters; -1 for no colour letter.
jint colourLetterPalette(const jchar letter) {
    GameStatics* block = statics();
    switch (letter) {
    case 'b':
    case 'B':
        return kPaletteBlue;
    case 'r':
    case 'R':
        return kPaletteRed;
    case 'o':
    case 'O':
        block->textMarkO = 1;
        return kPaletteMarked;
    case 'x':
    case 'X':
        block->textMarkX = 1;
        return kPaletteMarked;
    case 'y':
    case 'Y':
        block->textMarkY = 1;
        return kPaletteMarked;
    default:
        return -1;
    }
}

// Records a drawn key icon's bit where the key help of the menus asks for it.
void recordKeyIcon(const jint frame) {
    GameStatics* block = statics();
    if ((block->menuState != kKeyHelpMenuState && block->menuState != kKeyHelpMenuStateB) ||
        block->messageLinksBlocked != 0) {
        return;
    }
    switch (frame) {
    case kStarIconFrame:
        block->shownKeyIcons |= kStarIconBit;
        break;
    case kHashIconFrame:
        block->shownKeyIcons |= kHashIconBit;
        break;
    case kFireIconFrame:
        if (block->fireIconSuppressedA == 0 && block->fireIconSuppressedB == 0) {
            block->shownKeyIcons |= kFireIconBit;
        }
        break;
    default:
        break;
    }
}

jint keyIconFrame(const jchar key) {
    switch (key) {
    case '*':
        return kStarIconFrame;
    case '#':
        return kHashIconFrame;
    case '5':
        return kFiveIconFrame;
    default:
        return kFireIconFrame;
    }
}

} // namespace

jint ASprite::drawSubString(profile::Graphics* g, runtime::String* text, jint start, jint end, const jint x,
                            jint y, const jint anchor, const jint font, const jint palette) {
    ASprite* s = fontSprite(font);
    if (s == nullptr || text == nullptr) {
        return 0;
    }
    GameStatics* block = statics();
    resetClip(g);
    if (block->fontEscapeActive == 0) {
        s->setPalette(palette);
    }
    jint pen = x;
    if ((anchor & (kAnchorCentre | kAnchorRight)) != 0) {
        const jint w = frameworkServices().getStringWidth(text, font);
        pen -= (anchor & kAnchorRight) != 0 ? w : runtime::ishr(w, 1);
    }
    if ((anchor & kAnchorBottom) != 0) {
        y -= byteAt(block->fontLineHeights, font);
    } else if ((anchor & kAnchorMiddle) != 0) {
        y -= runtime::ishr(byteAt(block->fontLineHeights, font) - byteAt(block->fontLeading, font), 1);
    }
    const jint length = text->length();
    start = start < 0 ? 0 : start;
    end = end > length ? length : end;
    const jint spacing = byteAt(block->fontSpacing, font);
    for (jint i = start; i < end; ++i) {
        const jchar c = text->charAt(i);
        if (c == kMarkupPaletteOne && block->menuState == kBackquoteHiddenMenuState) {
            continue;
        }
        if (c == kMarkupColour || c == kMarkupPaletteOne) {
            if (block->fontEscapeActive != 0) {
                s->setPalette(palette);
                block->fontEscapeActive = 0;
                continue;
            }
            jint chosen = kPaletteMarked;
            if (c == kMarkupColour) {
                // A '{' at the very end has no letter: as with any other letter, palette 0.
                const jint picked = i + 1 < length ? colourLetterPalette(text->charAt(i + 1)) : -1;
                chosen = picked >= 0 ? picked : kPaletteBlue;
                if (picked >= 0) {
                    ++i; // the letter is consumed; any other character is drawn next
                }
            }
            s->setPalette(chosen);
            block->fontEscapeActive = 1;
            continue;
        }
        if (c == kMarkupDot) {
            resetClip(g);
            if (!outsideWindow(pen - kDotMargin, pen + kDotMargin)) {
                drawSeparatorDot(pen, y + kDotDrop, kDotFill, kDotBorder);
            }
            pen += kDotAdvance;
            continue;
        }
        if (c == kMarkupKeyIcon) {
            resetClip(g);
            // A '~' at the very end reads no key character past the text: the fire icon.
            const jchar key = i + 1 < length ? text->charAt(i + 1) : 0;
            if (i + 1 < length) {
                ++i;
            }
            const jint frame = keyIconFrame(key);
            recordKeyIcon(frame);
            pen += kIconLead;
            if (!outsideWindow(pen, pen) && block->keyIconSprite != nullptr) {
                static_cast<ASprite*>(block->keyIconSprite)
                    ->paintFrame(g, frame, pen, y - kIconRise, 0, 0, 0);
            }
            pen += kIconAdvance;
            continue;
        }
        jint frame = frameworkServices().getGlyphIndex(c);
        if (c == '$') {
            frame = block->currencyFrameBase + frame - kCurrencyGlyphShift;
        }
        if (frame < 0 || frame >= s->frameCount()) {
            pen += kNoGlyphAdvance;
            continue;
        }
        jint advance = byteAt(s->frameRects, frame * kFrameRectBytes + kFrameRectWidth) + spacing;
        if (c == '=') {
            advance += kEqualsExtra;
        }
        if (!outsideWindow(pen, pen + advance)) {
            s->paintFrame(g, frame, pen, y, 0, 0, 0);
        }
        pen += advance;
    }
    if (block->rememberTextEnd != 0) {
        block->lastTextEnd = pen;
    }
    return pen - x;
}

jint ASprite::drawString(profile::Graphics* g, runtime::String* text, const jint x, const jint y,
                         const jint font, const jint anchor, const jint palette) {
    if (text == nullptr) {
        return 0;
    }
    return drawSubString(g, text, 0, text->length(), x, y, anchor, font, palette);
}

void drawTicker(runtime::String* text, const jint left, const jint y, const jint width, const jint height,
                const jint palette, const jboolean withBand, const jint ticker) {
    GameStatics* block = statics();
    const jint slot = ticker == 1 ? 0 : 1;
    jint pos = block->tickerPosition[slot];
    profile::Graphics* g = block->currentGraphics;
    if (withBand != 0) {
        fillRectColoured(0, y, kScreenWidth, height, kTickerBand);
        if (g != nullptr) {
            g->setColor(0);
            g->drawLine(0, y, kScreenWidth, y);
            g->drawLine(0, y + height, kScreenWidth, y + height);
        }
    }
    block->clipWindowLeft = left + 1;
    block->clipWindowRight = left + width - kTickerWindowRightInset;
    block->clipWindowActive = 1;
    const jint w = text != nullptr ? ASprite::drawSubString(g, text, 0, text->length(), pos, y + height / 2,
                                                            kTickerAnchor, 0, palette)
                                   : 0;
    pos -= kTickerStep;
    if (pos + w < left) {
        pos = left + width - kTickerRestartInset;
        block->tickerWrapped = 1;
    }
    block->clipWindowActive = 0;
    block->tickerPosition[slot] = pos;
    block->tickerTextWidth[slot] = w;
}

void drawSeparatorDot(const jint x, const jint y, const jint fillColour, const jint borderColour) {
    profile::Graphics* g = statics()->currentGraphics;
    if (g == nullptr) {
        return;
    }
    g->setColor(fillColour);
    g->fillRect(x, y, kDotSize, kDotSize);
    g->setColor(borderColour);
    g->drawLine(x - 1, y, x - 1, y + kDotSize - 1);
    g->drawLine(x + kDotSize, y, x + kDotSize, y + kDotSize - 1);
    g->drawLine(x, y - 1, x + kDotSize - 1, y - 1);
    g->drawLine(x, y + kDotSize, x + kDotSize - 1, y + kDotSize - 1);
}

} // namespace game::sprites
