// Sprite-drawn widgets (see Widgets.h).
#include "game/sprites/widgets/Widgets.h"

#include "game/core/GameStatics.h"
#include "game/core/services/WidgetServices.h"
#include "game/match/CPlayer.h"
#include "game/match/FrameRecordFormat.h"
#include "game/season/LeagueTables.h"
#include "game/sprites/ASprite.h"
#include "game/sprites/SpriteLoading.h"
#include "game/sprites/SpritePainting.h"
#include "profile/Graphics.h"
#include "runtime/ConstantPool.h"
#include "runtime/Log.h"
#include "runtime/Object.h"
#include "runtime/ObjectManager.h"

namespace game::sprites {

using namespace game::match;
using namespace game::season;
using namespace game::core;

namespace {

// Badges: 42 x 28 each. Leagues below 10 share a sheet two by two; the later ones have a sheet
// each, whose first id sits in badgeFirstIds five places on.
constexpr jint kBadgeWidth = 42;
constexpr jint kBadgeHeight = 28;
constexpr jint kPairedLeagues = 10;
constexpr jint kSingleSheetShift = 5;
constexpr jint kPairedSheets = 5;

// Arrow pairs: orientation 1 is horizontal; animation orientation + 2; `which` bits.
constexpr jint kHorizontal = 1;
constexpr jint kArrowAnimBase = 2;
constexpr jint kFirstArrowBit = 2;
constexpr jint kSecondArrowBit = 1;
constexpr jint kBothArrows = kFirstArrowBit | kSecondArrowBit;

// Share bars.
constexpr jint kHorizontalFrame = 126;
constexpr jint kHorizontalFrameX = 239;
constexpr jint kHorizontalFrameY = 490;
constexpr jint kHorizontalBarX = 29;
constexpr jint kHorizontalBarY = 498;
constexpr jint kHorizontalBarLength = 420;
constexpr jint kHorizontalBarThickness = 30;
constexpr jint kVerticalFrame = 127;
constexpr jint kVerticalFrameX = 420;
constexpr jint kVerticalFrameY = 60;
constexpr jint kVerticalBarX = 428;
constexpr jint kVerticalBarY = 68;
constexpr jint kVerticalBarLength = 480;
constexpr jint kVerticalBarThickness = 30;
constexpr jint kTeams = 2;

// Key-icon row: icons 1-4 for mask bits 0-3.
constexpr jint kKeyIcons = 4;
constexpr jint kKeyIconStep = 74;
constexpr jint kKeyIconRowY = 595;

// Scene list: element 1 bit 15 asks for a full redraw; the scroll position at elements 5 and 6;
// entries of four elements from element 7.
constexpr jint kPhaseWord = match::frame::kPhaseWord;
constexpr jint kRedrawBit = match::frame::kRedrawBit;
constexpr jint kScrollX = match::frame::kCameraXWord;
constexpr jint kScrollY = match::frame::kCameraYWord;
constexpr jint kFirstSceneEntry = 7;
constexpr jint kSceneEntryLength = match::frame::kCommandLength;
constexpr jint kByteMask = 0xFF;
constexpr jint kByteBits = 8;

// Twin animation: a 16-frame cycle; the sprite is kind 21, entry 9 of the menu pack.
constexpr jint kTwinCycleMask = 15;
constexpr jint kTwinLastPhase = 15;
constexpr jint kTwinSpriteKind = 21;
constexpr jint kMenuPack = 116;
constexpr jint kTwinSpriteEntry = 9;
constexpr jint kBadgeFrameX = 240;
constexpr jint kBadgeFrameY = 384;

// Logs a missing piece of data (the drawing goes on without it).
void reportMissing(const char* what) {
    runtime::log("widgets: %s; nothing is drawn", what);
}

// Element i of an int array, or `fallback` when the array is absent or too short.
jint intAt(const runtime::IntArray* values, const jint i, const jint fallback = 0) {
    return values != nullptr && values->inBounds(i) ? (*values)[i] : fallback;
}

// The number of teams of the badge sheet's leagues; -1 when the league sizes are not known.
jint sheetTeamCount(const jint sheet) {
    const runtime::IntArray* const sizes = statics()->leagueSizes;
    if (sizes == nullptr) {
        return -1;
    }
    if (sheet >= kPairedSheets) {
        return intAt(sizes, sheet + kSingleSheetShift);
    }
    return intAt(sizes, 2 * sheet) + intAt(sizes, 2 * sheet + 1);
}

// The sum of team t's possession ticks in minuteStats, over the length of the first row.
jint possessionSum(const runtime::ObjectArray* rows, const jint t) {
    const auto* const first = static_cast<const runtime::IntArray*>((*rows)[0]);
    const auto* const row = static_cast<const runtime::IntArray*>((*rows)[t]);
    if (first == nullptr || row == nullptr) {
        return 0;
    }
    jint sum = 0;
    for (jint i = 0; i < first->length && i < row->length; ++i) {
        sum += (*row)[i];
    }
    return sum;
}

// Team b's share of `length` for the two sums; the middle when both are 0.
jint shareOf(const jint sumA, const jint sumB, const jint length) {
    const jlong total = static_cast<jlong>(sumA) + sumB;
    if (total == 0) {
        return length / 2;
    }
    const jlong share = static_cast<jlong>(sumB) * length / total;
    // Negative tick counts (a damaged record) must not push the fill out of its bar.
    return static_cast<jint>(share < 0 ? 0 : share > length ? length : share);
}

// Team t's colour (0xRRGGBB); black when the colour tables do not hold it.
jint teamColour(const jint t) {
    GameStatics* const s = statics();
    const runtime::ByteArray* const ids = s->teamColourIds;
    if (ids == nullptr || !ids->inBounds(t) || s->teamColours == nullptr ||
        !s->teamColours->inBounds((*ids)[t] & kByteMask)) {
        reportMissing("a team colour is missing (black stands in)");
        return 0;
    }
    return (*s->teamColours)[(*ids)[t] & kByteMask];
}

// The two possession sums, a = team teamOrderFlag and b = the other; false without minuteStats.
bool possessionSums(jint& sumA, jint& sumB) {
    const runtime::ObjectArray* const rows = statics()->minuteStats;
    if (rows == nullptr || rows->length < kTeams) {
        reportMissing("no minuteStats for the share bars");
        return false;
    }
    const jint a = statics()->teamOrderFlag != 0 ? 1 : 0;
    sumA = possessionSum(rows, a);
    sumB = possessionSum(rows, 1 - a);
    return true;
}

// The interface sprite with the screen clip reset; null (logged) without it.
ASprite* interfaceWithScreenClip(profile::Graphics* g) {
    resetClip(g);
    ASprite* const sprite = statics()->interfaceSprite;
    if (sprite == nullptr) {
        reportMissing("no interface sprite");
    }
    return sprite;
}

// A share bar in its frame, team b's share filled from the left (horizontal) or from the bottom.
void paintShareBar(const bool horizontal) {
    jint sumA = 0;
    jint sumB = 0;
    if (!possessionSums(sumA, sumB)) {
        return;
    }
    const jint a = statics()->teamOrderFlag != 0 ? 1 : 0;
    profile::Graphics* const g = statics()->currentGraphics;
    ASprite* const sprite = interfaceWithScreenClip(g);
    if (horizontal) {
        if (sprite != nullptr) {
            sprite->paintFrame(g, kHorizontalFrame, kHorizontalFrameX, kHorizontalFrameY, 0, 0, 0);
        }
        const jint w = shareOf(sumA, sumB, kHorizontalBarLength);
        fillRectColoured(kHorizontalBarX, kHorizontalBarY, kHorizontalBarLength, kHorizontalBarThickness,
                         teamColour(a));
        fillRectColoured(kHorizontalBarX, kHorizontalBarY, w, kHorizontalBarThickness, teamColour(1 - a));
        return;
    }
    if (sprite != nullptr) {
        sprite->paintFrame(g, kVerticalFrame, kVerticalFrameX, kVerticalFrameY, 0, 0, 0);
    }
    const jint h = shareOf(sumA, sumB, kVerticalBarLength);
    fillRectColoured(kVerticalBarX, kVerticalBarY, kVerticalBarThickness, kVerticalBarLength,
                     teamColour(1 - a));
    fillRectColoured(kVerticalBarX, kVerticalBarY, kVerticalBarThickness, kVerticalBarLength - h,
                     teamColour(a));
}

} // namespace

void paintTeamBadge(profile::Graphics* g, const jint teamId, const jint x, const jint y) {
    if (g == nullptr) {
        return;
    }
    g->setClip(x, y, kBadgeWidth, kBadgeHeight);
    if (teamId == kNoTeam) {
        return;
    }
    GameStatics* const s = statics();
    const jint league = season::leagueOfTeam(teamId);
    const jint sheet = league < kPairedLeagues ? league >> 1 : league - kSingleSheetShift;
    const jint first = intAt(s->badgeFirstIds, sheet < kPairedSheets ? sheet : sheet + kSingleSheetShift, -1);
    const runtime::ObjectArray* const sheets = s->badgeSprites;
    auto* const sprite =
        sheets != nullptr && sheets->inBounds(sheet) ? static_cast<ASprite*>((*sheets)[sheet]) : nullptr;
    if (sprite == nullptr || first < 0) {
        reportMissing("a badge sheet is missing");
        return;
    }
    // A team id that is not in its league's block lands outside the sheet's badges.
    const jint frame = teamId - first;
    const jint teams = sheetTeamCount(sheet);
    if (frame < 0 || frame >= sprite->frameCount() || (teams >= 0 && frame >= teams)) {
        runtime::log("widgets: team %d has no badge in sheet %d; nothing is drawn", teamId, sheet);
        return;
    }
    sprite->paintFrame(g, frame, x, y, 0, 0, 0);
}

void paintArrowPair(const jint x, const jint y, const jint distance, const jint orientation,
                    const jint which) {
    GameStatics* const s = statics();
    match::Actor* const actor = orientation == kHorizontal ? s->arrowActorH.get() : s->arrowActorV.get();
    if (actor == nullptr || actor->sprite == nullptr) {
        reportMissing("no arrow actor or arrow sprite");
        return;
    }
    actor->setAnimation(orientation + kArrowAnimBase, 0);
    actor->updateAnimation();
    const jint f = actor->frameCode;
    ASprite* const sprite = actor->sprite;
    profile::Graphics* const g = s->currentGraphics;
    const bool first = (which & kFirstArrowBit) != 0;
    const bool second = (which & kSecondArrowBit) != 0;
    if (orientation == kHorizontal) {
        if (first) {
            paintFrameFlipped(sprite, g, x - distance, y, 1, 0, f, 0);
        }
        if (second) {
            paintFrameFlipped(sprite, g, x + distance, y, 0, 0, f, 0);
        }
        return;
    }
    if (first) {
        paintFrameFlipped(sprite, g, x, y - distance, 0, 0, f, 0);
    }
    if (second) {
        paintFrameFlipped(sprite, g, x, y + distance, 0, 1, f, 0);
    }
}

void paintArrowPairBoth(const jint x, const jint y, const jint distance, const jint orientation) {
    paintArrowPair(x, y, distance, orientation, kBothArrows);
}

void paintShareBarHorizontal() {
    paintShareBar(true);
}

void paintShareBarVertical() {
    paintShareBar(false);
}

void paintKeyIconRow(const jint mask) {
    GameStatics* const s = statics();
    if (s->keyIconList == nullptr || s->keyIconList->length < kKeyIcons) {
        s->keyIconList = runtime::newByteArray(kKeyIcons);
    }
    jint count = 0;
    for (jint bit = 0; bit < kKeyIcons; ++bit) {
        if ((mask & (1 << bit)) != 0) {
            (*s->keyIconList)[count++] = static_cast<runtime::jbyte>(bit + 1);
        }
    }
    s->keyIconCount = count;
    s->actionButtonSet = mask;
    // An empty row has no start position (keyIconRowStart is indexed by count - 1).
    if (count == 0) {
        return;
    }
    const runtime::IntArray* const starts = s->keyIconRowStart;
    ASprite* const sprite = s->keyIconSprite;
    if (sprite == nullptr || starts == nullptr || !starts->inBounds(count - 1)) {
        reportMissing("no key-icon sprite or row start");
        return;
    }
    const jint start = (*starts)[count - 1];
    for (jint k = 0; k < count; ++k) {
        sprite->paintFrame(s->currentGraphics, (*s->keyIconList)[k], start + kKeyIconStep * k, kKeyIconRowY,
                           0, 0, 0);
    }
}

void paintSceneList() {
    GameStatics* const s = statics();
    const runtime::ShortArray* const record = s->frameRecord;
    if (record == nullptr || record->length <= kScrollY) {
        reportMissing("no frame record for the scene list");
        return;
    }
    if (((*record)[kPhaseWord] & kRedrawBit) != 0) {
        s->backgroundForceRedraw = 1;
    }
    widgetServices().drawPitchBackground((*record)[kScrollX], (*record)[kScrollY]);
    const runtime::ObjectArray* const sprites = s->sprites;
    for (jint i = kFirstSceneEntry; i < s->frameLength - 1 && i + kSceneEntryLength <= record->length;
         i += kSceneEntryLength) {
        const jint code = (*record)[i];
        const jint x2 = (*record)[i + 1];
        const jint y2 = (*record)[i + 2];
        const jint frame = (*record)[i + 3];
        const jint index = (code >> kByteBits) & kByteMask;
        auto* const sprite = sprites != nullptr && sprites->inBounds(index)
                                 ? static_cast<ASprite*>((*sprites)[index])
                                 : nullptr;
        if (sprite == nullptr) {
            runtime::log("widgets: scene entry at %d names sprite %d, which is not loaded; it is left out", i,
                         index);
            continue;
        }
        paintFrameFlipped(sprite, s->currentGraphics, x2 >> 1, y2 >> 1, x2 & 1, y2 & 1, frame,
                          code & kByteMask);
    }
}

void stepTwinFrames(const jint i) {
    GameStatics* const s = statics();
    runtime::IntArray* const step = s->twinStep;
    runtime::IntArray* const start = s->twinStart;
    runtime::ByteArray* const active = s->twinActive;
    const runtime::IntArray* const posA = s->twinPosA;
    const runtime::IntArray* const posB = s->twinPosB;
    if (step == nullptr || start == nullptr || active == nullptr || posA == nullptr || posB == nullptr ||
        !step->inBounds(i) || !start->inBounds(i) || !active->inBounds(i) || !posA->inBounds(2 * i + 1) ||
        !posB->inBounds(2 * i + 1) || s->twinThresholds == nullptr || s->twinFramesA == nullptr ||
        s->twinFramesB == nullptr) {
        reportMissing("the twin animation tables do not hold this animation");
        return;
    }
    const jint phase = (s->framesInState - (*start)[i]) & kTwinCycleMask;
    if (s->twinThresholds->inBounds((*step)[i]) && phase > (*s->twinThresholds)[(*step)[i]]) {
        (*step)[i] += 1;
    }
    const jint current = (*step)[i];
    // A step past the tables ends the animation instead of reading beyond them.
    if (!s->twinThresholds->inBounds(current) || !s->twinFramesA->inBounds(current) ||
        !s->twinFramesB->inBounds(current)) {
        runtime::log("widgets: twin animation %d reached step %d, past its tables; it stops", i, current);
        (*step)[i] = 0;
        (*active)[i] = 0;
        return;
    }
    ASprite* const sprite = s->twinSprite;
    if (sprite != nullptr) {
        profile::Graphics* const g = s->currentGraphics;
        sprite->paintFrame(g, (*s->twinFramesA)[current], (*posA)[2 * i], (*posA)[2 * i + 1], 0, 0, 0);
        sprite->paintFrame(g, (*s->twinFramesB)[current], (*posB)[2 * i], (*posB)[2 * i + 1], 0, 0, 0);
    }
    if (phase == kTwinLastPhase) {
        (*step)[i] = 0;
        (*active)[i] = 0;
    }
}

void paintAnimatedBadge(const jint frame, const jint i) {
    GameStatics* const s = statics();
    if (s->twinSprite == nullptr) {
        ASprite* const sprite = runtime::newObject<ASprite>();
        sprite->kind = kTwinSpriteKind;
        s->twinSprite = sprite;
        loadSpriteFromPack(sprite, runtime::getConstantString(kMenuPack), kTwinSpriteEntry);
    }
    s->twinSprite->paintFrame(s->currentGraphics, frame, kBadgeFrameX, kBadgeFrameY, 0, 0, 0);
    const runtime::ByteArray* const active = s->twinActive;
    if (active != nullptr && active->inBounds(i) && (*active)[i] != 0) {
        stepTwinFrames(i);
    }
}

} // namespace game::sprites
