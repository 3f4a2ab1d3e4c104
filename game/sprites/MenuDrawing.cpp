// Menu drawing routines (see MenuDrawing.h).
#include "game/sprites/MenuDrawing.h"

#include "game/core/GameStatics.h"
#include "game/core/Input.h"
#include "game/core/KeyMasks.h"
#include "game/core/services/FrameworkServices.h"
#include "game/core/services/WidgetServices.h"
#include "game/sprites/ASprite.h"
#include "game/sprites/SpriteFormat.h"
#include "game/sprites/SpriteLoading.h"
#include "game/sprites/SpritePainting.h"
#include "profile/Graphics.h"
#include "runtime/ConstantPool.h"
#include "runtime/Log.h"
#include "runtime/Object.h"
#include "runtime/ObjectManager.h"

namespace game::sprites {

using namespace game::core;

namespace {

using runtime::jlong;

constexpr jint kByteMask = 0xFF;

// Fixed decorations of the interface sprite.
constexpr jint kSeparatorFrame = 77;
constexpr jint kFrame148 = 148;
constexpr jint kFrame148X = 240;

// Selector arrows: frames of the interface sprite, pressed and not.
constexpr jint kLeftArrowFrame = 138;
constexpr jint kLeftArrowPressedFrame = 139;
constexpr jint kRightArrowFrame = 136;
constexpr jint kRightArrowPressedFrame = 137;
// Small arrows of the arrow sprite, and their step inwards in 2 of every 5 frames.
constexpr jint kSmallRightArrow = 8;
constexpr jint kSmallLeftArrow = 9;
constexpr jint kSmallUpArrow = 10;
constexpr jint kSmallDownArrow = 11;
constexpr jint kArrowCycle = 5;
constexpr jint kArrowStillFrames = 2;

// Keypad.
constexpr jint kEmptyString = 1;
constexpr jint kKeypadColour = 0x256A65;
constexpr jint kKeypadPanelLeft = 16;
constexpr jint kKeypadPanelUp = 18;
constexpr jint kKeypadPanelWidth = 454;
constexpr jint kKeypadPanelHeight = 278;
constexpr jint kKeypadArc = 4;
constexpr jint kKeypadHeaderFrame = 135;
constexpr jint kKeypadHeaderUp = 20;
constexpr jint kLetterKeys = 26;
constexpr jint kLetterCell = 129;
constexpr jint kLetterCellLit = 130;
constexpr jint kWideCell = 131;
constexpr jint kWideCellLit = 132;
// The wide keys' symbols: frames 133 and 134, one for each of the two wide keys.
constexpr jint kFirstWideSymbol = 133;
constexpr jint kWideSymbols = 2;
constexpr jint kWideKeyBase = 24; // cell c > 25 types key 24 - c

// Formation diagram.
constexpr jint kPitchFrame = 0;
constexpr jint kPitchX = 212;
constexpr jint kBoardX = 318;
constexpr jint kBoardY = 232;
constexpr jint kHighlightShift = 2;
constexpr jint kAcrossScale = 8320;
constexpr jint kAcrossCells = 672;
constexpr jint kDownScale = 8960;
constexpr jint kDownCells = 1056;
constexpr jint kDownBase = 100;
constexpr jint kCompactDownBase = 50;
constexpr jint kKeeperDown = 226;
constexpr jint kCompactKeeperDown = 176;
constexpr jint kCompactStates[] = {0x800003, 0x800008, 258, 259, 514, 518};
constexpr jint kHidingStates[] = {0x800007, 0x80000A};
constexpr jint kHiddenStatus = 2;
constexpr jint kPreferredMarker = 111;
constexpr jint kOtherMarker = 110;
constexpr jint kPreferredStrip = 108;
constexpr jint kOtherStrip = 109;
constexpr jint kPreferredHighlight = 107;
constexpr jint kOtherHighlight = 106;
constexpr jint kPlaceModule = 108;
constexpr jint kBlinkCycle = 7;
constexpr jint kBlinkHidden = 4;
constexpr jint kFullCondition = 100;
// Squad entries: 22 bytes; the position mask (32 bits, big-endian) at byte 8, condition at 19.
constexpr jint kEntryBytes = 22;
constexpr jint kPositionMaskByte = 8;
constexpr jint kConditionByte = 19;
// The position bit of board place k: 0 the goalkeeper, 1-25 formation slots 0-24.
constexpr jint kPlaces = 26;
constexpr jint kPlaceBits[kPlaces] = {0, 2, 1, 1,  1,  3,  4,  6,  6,  6,  5,  8,  7,
                                      7, 7, 9, 11, 10, 10, 10, 12, 13, 13, 13, 13, 13};
// The board's extreme formation points (cells), which place the move arrows around it.
constexpr jint kMostAcross = 8;
constexpr jint kMostForward = 14;
constexpr jint kMarkerSize = 16;
constexpr jint kArrowGap = 12;
constexpr jint kArrowTouchMargin = 12;
constexpr jint kArrowTouchSize = kMarkerSize + 2 * kArrowTouchMargin;

// The menu pack and the extra sprite's entry and kind.
constexpr jint kMenuPack = 116;
constexpr jint kExtraSpriteEntry = 8;
constexpr jint kExtraSpriteKind = 20;
// The staff screens' sprite has kind 0, as the other menu sprites keep from their constructor.
constexpr jint kStaffSpriteEntry = 12;
constexpr jint kMenuSpriteKind = 0;

// Loads entry `entry` of the menu pack into field as a sprite of kind `kind` unless field holds
// one. The sprite is stored before it loads, so one that cannot be read is not read again.
void loadMenuSpriteOnce(runtime::StaticRef<ASprite>& field, const jint entry, const jint kind) {
    if (field != nullptr) {
        return;
    }
    ASprite* const sprite = runtime::newObject<ASprite>();
    sprite->kind = kind;
    field = sprite;
    loadSpriteFromPack(sprite, runtime::getConstantString(kMenuPack), entry);
}

// Logs a missing piece of data (the drawing goes on without it).
void reportMissing(const char* what) {
    runtime::log("menu drawing: %s; it is not drawn", what);
}

// The interface sprite; null (logged) without it.
ASprite* interfaceSprite() {
    ASprite* const sprite = statics()->interfaceSprite;
    if (sprite == nullptr) {
        reportMissing("no interface sprite");
    }
    return sprite;
}

// The arrow sprite; null (logged) without it.
ASprite* arrowSprite() {
    ASprite* const sprite = statics()->arrowSprite;
    if (sprite == nullptr) {
        reportMissing("no arrow sprite");
    }
    return sprite;
}

void paintInterfaceFrame(const jint frame, const jint x, const jint y) {
    profile::Graphics* const g = statics()->currentGraphics;
    ASprite* const sprite = interfaceSprite();
    if (g != nullptr && sprite != nullptr) {
        sprite->paintFrame(g, frame, x, y, 0, 0, 0);
    }
}

// Whether `value` is one of `states`.
template <std::size_t N> bool oneOf(const jint value, const jint (&states)[N]) {
    for (const jint state : states) {
        if (value == state) {
            return true;
        }
    }
    return false;
}

// Byte `at` of frame `frame`'s rectangle, unsigned; 0 without rectangles.
jint frameRectByte(const ASprite* sprite, const jint frame, const jint at) {
    const runtime::ByteArray* const rects = sprite->frameRects;
    const jint i = frame * kFrameRectBytes + at;
    return rects != nullptr && rects->inBounds(i) ? (*rects)[i] & kByteMask : 0;
}

// Placement of the diagram: across and down from the board origin for a formation point.
struct Layout {
    jint downBase;
    jint keeperDown;

    jint across(const jint fy) const { return fy * kAcrossScale / kAcrossCells; }
    jint down(const jint fx) const { return downBase - fx * kDownScale / kDownCells; }
};

// The 32-bit big-endian position mask of squad entry `entry`; 0 when there is none.
jint positionMask(const jint entry) {
    const runtime::ByteArray* const records = statics()->listRowRecords;
    const jint at = entry * kEntryBytes + kPositionMaskByte;
    if (entry < 0 || records == nullptr || !records->inBounds(at + 3)) {
        return 0;
    }
    jint mask = 0;
    for (jint b = 0; b < 4; ++b) {
        mask = (mask << 8) | ((*records)[at + b] & kByteMask);
    }
    return mask;
}

// Whether the mask has the position bit of board place k.
bool suitsPlace(const jint mask, const jint place) {
    return place >= 0 && place < kPlaces && ((mask >> kPlaceBits[place]) & 1) != 0;
}

// The player's condition, 0-100: the live player's during a match, else his squad entry's.
jint playerCondition(const jint team, const jint player, const jint entry) {
    jint v = widgetServices().matchCondition(team, player);
    if (v < 0) {
        const runtime::ByteArray* const records = statics()->listRowRecords;
        const jint at = entry * kEntryBytes + kConditionByte;
        v = entry >= 0 && records != nullptr && records->inBounds(at) ? (*records)[at] : kFullCondition;
    }
    return v < 0 ? 0 : v > kFullCondition ? kFullCondition : v;
}

// The places the selected player suits, marked with module 108 (position view).
void paintSuitedPlaces(ASprite* sprite, profile::Graphics* g, const jint team, const Layout& layout) {
    const jint mask = positionMask(widgetServices().squadEntryIndex(team, statics()->selectedPlayerSlot));
    for (jint k = 0; k < kPlaces; ++k) {
        if (!suitsPlace(mask, k)) {
            continue;
        }
        jint across = 0;
        jint down = layout.keeperDown;
        if (k > 0) {
            jint fx = 0;
            jint fy = 0;
            widgetServices().slotToFormationPoint(team, k - 1, fx, fy);
            across = layout.across(fy);
            down = layout.down(fx);
        }
        sprite->paintModule(g, kPlaceModule, kBoardX + across, kBoardY + down, 0);
    }
}

// One player's marker, the condition strip over it and, when asked, the highlight.
void paintPlayer(ASprite* sprite, profile::Graphics* g, const jint team, const jint player,
                 const Layout& layout, const bool highlight) {
    jint across = 0;
    jint down = layout.keeperDown;
    jint place = 0;
    if (player > 0) {
        jint fx = 0;
        jint fy = 0;
        widgetServices().formationPoint(team, player, fx, fy);
        across = layout.across(fy);
        down = layout.down(fx);
        const jint slot = widgetServices().formationSlot(team, player);
        place = slot < 0 ? -1 : slot + 1;
    }
    const jint entry = widgetServices().squadEntryIndex(team, player);
    const bool preferred = suitsPlace(positionMask(entry), place);
    const jint x = kBoardX + across;
    const jint y = kBoardY + down;
    sprite->paintModule(g, preferred ? kPreferredMarker : kOtherMarker, x, y, 0);
    const jint strip = preferred ? kPreferredStrip : kOtherStrip;
    if (sprite->moduleWidth != nullptr && sprite->moduleWidth->inBounds(strip)) {
        const jint w = (*sprite->moduleWidth)[strip] & kByteMask;
        const jint h = (*sprite->moduleHeight)[strip] & kByteMask;
        const jint stripHeight = (kFullCondition - playerCondition(team, player, entry)) * h / kFullCondition;
        g->setClip(x, y + h - stripHeight, w, stripHeight);
        sprite->paintModule(g, strip, x, y, 0);
        resetClip(g);
    }
    if (highlight) {
        sprite->paintModule(g, preferred ? kPreferredHighlight : kOtherHighlight, x - kHighlightShift,
                            y - kHighlightShift, 0);
    }
}

// The four move arrows around the board; a touch on one sets formationArrowTouched.
void paintMoveArrows(const Layout& layout) {
    ASprite* const arrows = arrowSprite();
    profile::Graphics* const g = statics()->currentGraphics;
    const jint left = kBoardX - layout.across(kMostAcross) - kArrowGap - kMarkerSize;
    const jint right = kBoardX + layout.across(kMostAcross) + kMarkerSize + kArrowGap;
    const jint top = kBoardY + layout.down(kMostForward) - kArrowGap - kMarkerSize;
    const jint bottom = kBoardY + layout.keeperDown + kMarkerSize + kArrowGap;
    const jint middleX = kBoardX;
    const jint middleY = (top + bottom) / 2;
    const struct {
        jint module;
        jint x;
        jint y;
        jint direction;
    } placed[] = {{kSmallLeftArrow, left, middleY, kArrowLeft},
                  {kSmallUpArrow, middleX, top, kArrowUp},
                  {kSmallRightArrow, right, middleY, kArrowRight},
                  {kSmallDownArrow, middleX, bottom, kArrowDown}};
    for (const auto& arrow : placed) {
        if (arrows != nullptr) {
            arrows->paintModule(g, arrow.module, arrow.x, arrow.y, 0);
        }
        if (core::pointerInRect(arrow.x - kArrowTouchMargin, arrow.y - kArrowTouchMargin, kArrowTouchSize,
                                kArrowTouchSize)) {
            statics()->formationArrowTouched = arrow.direction;
        }
    }
}

} // namespace

void drawDashedLine(jint x1, jint y1, const jint x2, const jint y2, const jint dash, const jint gap,
                    const jint mode) {
    if (mode == kSeparatorImage) {
        paintInterfaceFrame(kSeparatorFrame, 0, y1);
        return;
    }
    profile::Graphics* const g = statics()->currentGraphics;
    const jlong step = static_cast<jlong>(dash) + gap;
    // A dash and gap that do not advance would never reach the end.
    if (g == nullptr || step <= 0) {
        return;
    }
    if (mode == kDashedHorizontal) {
        for (jlong x = x1; x < x2; x += step) {
            g->drawLine(static_cast<jint>(x), y1, static_cast<jint>(x + dash), y1);
        }
        return;
    }
    if (mode == kDashedVertical) {
        for (jlong y = y1; y < y2; y += step) {
            g->drawLine(x1, static_cast<jint>(y), x1, static_cast<jint>(y + dash));
        }
    }
}

void drawFrame148(const jint y) {
    paintInterfaceFrame(kFrame148, kFrame148X, y);
}

void drawSelectorArrows(const jint x, const jint y, const jint halfWidth, const jint flags) {
    GameStatics* const s = statics();
    if ((flags & kLeftSelector) != 0) {
        paintInterfaceFrame(s->touchGestureFlags[0] != 0 ? kLeftArrowPressedFrame : kLeftArrowFrame,
                            x - halfWidth, y);
    }
    if ((flags & kRightSelector) != 0) {
        paintInterfaceFrame(s->touchGestureFlags[1] != 0 ? kRightArrowPressedFrame : kRightArrowFrame,
                            x + halfWidth, y);
    }
}

void drawValueArrows(const jint x, const jint y, const jint width, const jboolean big) {
    const jint h = width / 2;
    if (big != 0) {
        drawSelectorArrows(x, y, h, kLeftSelector | kRightSelector);
        return;
    }
    profile::Graphics* const g = statics()->currentGraphics;
    ASprite* const sprite = arrowSprite();
    if (g == nullptr || sprite == nullptr) {
        return;
    }
    const jint b = statics()->framesInState % kArrowCycle > kArrowStillFrames ? 1 : 0;
    sprite->paintModule(g, kSmallLeftArrow, x - h + b, y, 0);
    sprite->paintModule(g, kSmallRightArrow, x + h - b, y, 0);
}

void drawKeypad(const jint x, const jint y, const jint cellW, const jint cellH, const jint rows,
                const jint cols, const jint count) {
    GameStatics* const s = statics();
    s->keypadText0 = runtime::getConstantString(kEmptyString);
    s->keypadText1 = runtime::getConstantString(kEmptyString);
    profile::Graphics* const g = s->currentGraphics;
    if (g == nullptr) {
        return;
    }
    g->setColor(kKeypadColour);
    g->fillRoundRect(x - kKeypadPanelLeft, y - kKeypadPanelUp, kKeypadPanelWidth, kKeypadPanelHeight,
                     kKeypadArc, kKeypadArc);
    paintInterfaceFrame(kKeypadHeaderFrame, 0, y - kKeypadHeaderUp);

    const jint cells =
        rows < 1 || cols < 1 ? 0 : (static_cast<jlong>(rows) * cols < count ? rows * cols : count);
    const jint cell = core::touchGridIndex(x, y, cellW, cellH, cellW, cellH, s->keypadCell, cols, cells);
    s->keypadCell = cell;
    s->keypadKey =
        cell >= 0 && s->touchReleased != 0 ? (cell >= kLetterKeys ? kWideKeyBase - cell : cell) : -1;

    ASprite* const sprite = interfaceSprite();
    const runtime::ObjectArray* const fonts = s->sprites;
    auto* const font = fonts != nullptr && fonts->inBounds(kFirstFontSprite)
                           ? static_cast<ASprite*>((*fonts)[kFirstFontSprite])
                           : nullptr;
    for (jint k = 0; k < cells; ++k) {
        const jint cx = x + (k % cols) * cellW + cellW / 2;
        const jint cy = y + (k / cols) * cellH + cellH / 2;
        const bool lit = k == cell;
        if (k < kLetterKeys) {
            if (sprite != nullptr) {
                sprite->paintFrame(g, lit ? kLetterCellLit : kLetterCell, cx, cy, 0, 0, 0);
            }
            if (font != nullptr && k < font->frameCount()) {
                font->paintFrame(g, k, cx - frameRectByte(font, k, kFrameRectWidth) / 2,
                                 cy - frameRectByte(font, k, kFrameRectHeight) / 2, 0, 0, 0);
            }
            continue;
        }
        if (sprite == nullptr) {
            continue;
        }
        sprite->paintFrame(g, lit ? kWideCellLit : kWideCell, cx, cy, 0, 0, 0);
        if (k - kLetterKeys < kWideSymbols) {
            sprite->paintFrame(g, kFirstWideSymbol + k - kLetterKeys, cx, cy, 0, 0, 0);
        }
    }
}

void drawFormation(const jint team, const jboolean blinkSelected, const jboolean withSelection,
                   const jint /*spare*/, const jint y) {
    GameStatics* const s = statics();
    profile::Graphics* const g = s->currentGraphics;
    if (g == nullptr) {
        return;
    }
    ASprite* const arrows = arrowSprite();
    if (arrows != nullptr) {
        arrows->paintFrame(g, kPitchFrame, kPitchX, y, 0, 0, 0);
    }
    if (team == -1) {
        return;
    }
    ASprite* const sprite = interfaceSprite();
    const bool compact = oneOf(s->menuState, kCompactStates);
    const Layout layout{compact ? kCompactDownBase : kDownBase, compact ? kCompactKeeperDown : kKeeperDown};
    if (sprite != nullptr && frameworkServices().positionViewOn() != 0) {
        paintSuitedPlaces(sprite, g, team, layout);
    }
    const bool hiding = oneOf(s->menuState, kHidingStates);
    // The selected marker blinks on the frame counter of the squad screens.
    const bool blinkHidden = blinkSelected != 0 && s->frameCount % kBlinkCycle < kBlinkHidden;
    const jint players = widgetServices().formationPlayerCount(team);
    for (jint player = 0; sprite != nullptr && player < players; ++player) {
        if (hiding && widgetServices().matchStatus(team, player) >= kHiddenStatus) {
            continue;
        }
        const bool selected = player == s->selectedPlayerSlot;
        if (selected && blinkHidden) {
            continue;
        }
        paintPlayer(sprite, g, team, player, layout, selected && withSelection != 0);
    }
    // Move mode: the four arrows that move the selected player on the board.
    if (withSelection != 0) {
        paintMoveArrows(layout);
    }
}

void ensureExtraSprite() {
    loadMenuSpriteOnce(statics()->extraSprite, kExtraSpriteEntry, kExtraSpriteKind);
}

void loadScreenSprite() {
    loadMenuSpriteOnce(statics()->staffSprite, kStaffSpriteEntry, kMenuSpriteKind);
}

} // namespace game::sprites
