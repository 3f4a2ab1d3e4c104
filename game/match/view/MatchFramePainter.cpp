// The match frame painter and the highlights viewer (see MatchFramePainter.h).
#include "game/match/view/MatchFramePainter.h"

#include <chrono>
#include <thread>

#include "game/core/GameStatics.h"
#include "game/core/Input.h"
#include "game/core/KeyMasks.h"
#include "game/core/Sound.h"
#include "game/core/services/ManagementServices.h"
#include "game/match/FrameRecordFormat.h"
#include "game/match/team/LineupTables.h"
#include "game/match/view/FrameRecorder.h"
#include "game/match/view/PitchBackground.h"
#include "game/sprites/ASprite.h"
#include "game/sprites/SpritePainting.h"
#include "profile/Graphics.h"
#include "profile/Image.h"
#include "runtime/Exceptions.h"
#include "runtime/Log.h"
#include "runtime/String.h"
#include "runtime/System.h"

namespace game::match {

using namespace game::match::frame;
using runtime::jbyte;
using runtime::ShortArray;
using sprites::ASprite;

namespace {

// Sprite sets of the record's commands.
constexpr jint kPlayerSet = 0;
constexpr jint kKeeperSet = 1;
constexpr jint kBallSet = 2;
constexpr jint kNetSet = 5;
constexpr jint kMarksSet = 7;
constexpr jint kMarkerLayerSet = 8;

// Frame sounds: the net's shake, a player's kick and a player's header or catch.
constexpr jint kNetSound = 5;
constexpr jint kStrikeSound = 10;
constexpr jint kTouchSound = 9;
constexpr jint kNetFrames[] = {10, 11, 12};
constexpr jint kStrikeFrames[] = {184, 190, 216};
constexpr jint kTouchFrames[] = {29,  32,  35,  38,  41,  174, 176, 196, 210, 222,
                                 236, 446, 451, 457, 463, 469, 545, 549, 554, 559};

// Command fields.
constexpr jint kFrameMask = 2047;
constexpr jint kMarkerShift = 11;
constexpr jint kSlotMask = 15;
constexpr jint kTeamShift = 4;
// The marker layer's packed animation word.
constexpr jint kAnimMask = 63;
constexpr jint kFlipShift = 6;
constexpr jint kFlipBits = 3;
constexpr jint kFrameShift = 8;
constexpr jint kByteMask = 0xFF;

// Footprints: one every third painted command of a player, four kept per player.
constexpr jint kFootprintPlayers = 22;
constexpr jint kFootprintRecords = 4;
constexpr jint kFootprintBytes = 8;
constexpr jint kFootprintCadence = 3;
constexpr jint kSnowFootprintAnim = 6;
constexpr jint kMudFootprintAnim = 0;
constexpr jint kBallMarkAnim = 5;
constexpr jint kBallMarkFrames = 3;
constexpr jint kSnowCondition = 2;
constexpr jint kMudCondition = 1;

// The marked player: his name right-aligned at (460, 70) in font 0, the pitch clip below the top
// bar, the fatigue bar over his head and the icon cell beside his name.
constexpr jint kMarkerColour = 0xFF0000;
constexpr jint kPitchClipTop = 18;
constexpr jint kScreenWidth = 480;
constexpr jint kScreenHeight = 800;
constexpr jint kNameX = 460;
constexpr jint kNameY = 70;
constexpr jint kAnchorRight = 4;
constexpr jint kNameFont = 0;
constexpr jint kBookedPaletteBit[] = {0x100, 0x400};
constexpr jint kUnfitIconBit[] = {0x200, 0x800};
constexpr jint kBarLeft = 15;
constexpr jint kBarAbove = 53;
constexpr jint kBarWidth = 30;
constexpr jint kBarHeight = 3;
constexpr jint kBarOutline = 0x000000;
constexpr jint kBarBack = 0x888888;
constexpr jint kIconSize = 24;
constexpr jint kIconClipAbove = 47;
constexpr jint kIconImageAbove = 167;
constexpr jint kAnchorTopLeft = 0;

// The viewer's keys: back (mask 64 with 4 the pair of mask 68) and forward (mask 4).
constexpr jint kViewerKeys = 68;
constexpr jint kForwardKey = 4;
constexpr jint kBackKey = 64;

template <std::size_t N> bool listed(const jint (&list)[N], const jint value) {
    for (const jint v : list) {
        if (v == value) {
            return true;
        }
    }
    return false;
}

jint word(const ShortArray* record, const jint i) {
    return record->inBounds(i) ? (*record)[i] : kAbsent;
}

ASprite* spriteSet(const GameStatics* s, const jint index) {
    const runtime::ObjectArray* const table = s->sprites;
    ASprite* const sprite =
        table != nullptr && table->inBounds(index) ? static_cast<ASprite*>((*table)[index]) : nullptr;
    if (sprite == nullptr) {
        static bool logged = false;
        if (!logged) {
            logged = true;
            runtime::log("match frame: sprite set %d is not loaded; its commands are not painted", index);
        }
    }
    return sprite;
}

jint animFrames(const ASprite* sprite, const jint anim) {
    return sprite != nullptr && sprite->animFrameCount != nullptr && sprite->animFrameCount->inBounds(anim)
               ? ((*sprite->animFrameCount)[anim] & kByteMask)
               : 0;
}

// Step 2: the five pitch-side figures of the marker layer.
void paintMarkerLayer(const GameStatics* s, profile::Graphics* g, const ShortArray* record) {
    ASprite* const set = spriteSet(s, kMarkerLayerSet);
    if (set == nullptr) {
        return;
    }
    for (jint e = 0; e < kMarkerEntries; ++e) {
        const jint at = kFirstMarkerWord + kMarkerEntryLength * e;
        const jint packed = word(record, at + 2);
        if (packed == kAbsent) {
            continue;
        }
        const jint bits = packed & kWordMask;
        set->paintAnimFrame(g, bits & kAnimMask, bits >> kFrameShift, word(record, at), word(record, at + 1),
                            (bits >> kFlipShift) & kFlipBits, 0, 0);
    }
}

void playFrameSound(const jint set, const jint frame) {
    const jint sound = frameSound(set, frame);
    if (sound >= 0) {
        core::playSound(sound);
    }
}

jint readLE16(const jbyte* bytes) {
    return (bytes[0] & kByteMask) | ((bytes[1] & kByteMask) << 8);
}

void writeLE16(jbyte* bytes, const jint value) {
    bytes[0] = static_cast<jbyte>(value);
    bytes[1] = static_cast<jbyte>(value >> 8);
}

// A player's footprints: a new one every third command where he has moved, then his running
// footprints, each one frame further. camX and camY are the record's camera.
void paintFootprints(GameStatics* s, profile::Graphics* g, const jint n, const jint x, const jint y,
                     const jint camX, const jint camY) {
    ASprite* const marks = spriteSet(s, kMarksSet);
    const jint before = s->footprintTicks[n] & kByteMask;
    s->footprintTicks[n] = static_cast<jbyte>(before + 1);
    const jint low = (x + y + camX + camY) & kByteMask;
    if (before % kFootprintCadence == 0 && low != (s->footprintBase[n] & kByteMask)) {
        const jint next = (s->footprintNext[n] & kByteMask) % kFootprintRecords;
        jbyte* const print = s->footprints[n] + kFootprintBytes * next;
        const jint anim = s->pitchCondition == kSnowCondition ? kSnowFootprintAnim : kMudFootprintAnim;
        print[0] = static_cast<jbyte>(kMarksSet);
        print[1] = static_cast<jbyte>(anim);
        print[2] = static_cast<jbyte>(animFrames(marks, anim));
        print[3] = 0;
        writeLE16(print + 4, x + camX);
        writeLE16(print + 6, y + camY);
        s->footprintNext[n] = static_cast<jbyte>((next + 1) % kFootprintRecords);
        s->footprintBase[n] = static_cast<jbyte>(low);
    }
    if (marks == nullptr) {
        return;
    }
    for (jint r = 0; r < kFootprintRecords; ++r) {
        jbyte* const print = s->footprints[n] + kFootprintBytes * r;
        if (print[0] < 0 || print[3] >= print[2]) {
            continue;
        }
        const jint packed = print[1] & kByteMask;
        marks->paintAnimFrame(g, packed & kAnimMask, print[3], static_cast<runtime::jshort>(readLE16(print + 4)) - camX,
                              static_cast<runtime::jshort>(readLE16(print + 6)) - camY,
                              (packed >> kFlipShift) & kFlipBits, 0, 0);
        ++print[3];
    }
}

// The ball marks of a snowy pitch, at their recorded window positions.
void paintBallMarks(const GameStatics* s, profile::Graphics* g, const ShortArray* record) {
    ASprite* const marks = spriteSet(s, kMarksSet);
    if (marks == nullptr) {
        return;
    }
    for (jint m = 0; m < kBallMarks; ++m) {
        const jint at = kFirstBallMarkWord + kBallMarkLength * m;
        const jint frame = word(record, at + 2);
        if (frame >= 0 && frame < kBallMarkFrames) {
            marks->paintAnimFrame(g, kBallMarkAnim, frame, word(record, at), word(record, at + 1), 0, 0, 0);
        }
    }
}

// The display name of the player in slot `slot` of team t: teamNames[t][lineup[t][slot]].
runtime::String* markedName(const GameStatics* s, const jint t, const jint slot) {
    const runtime::ObjectArray* const teams = s->teamNames;
    if (teams == nullptr || !teams->inBounds(t) || (*teams)[t] == nullptr ||
        !runtime::instanceOf((*teams)[t], runtime::kObjectArray)) {
        return nullptr;
    }
    const auto* const names = static_cast<const runtime::ObjectArray*>((*teams)[t]);
    const runtime::ByteArray* const row = sideRow(s->lineup, t);
    if (row == nullptr || !row->inBounds(slot)) {
        return nullptr;
    }
    const jint index = (*row)[slot];
    if (!names->inBounds(index) || (*names)[index] == nullptr ||
        !runtime::instanceOf((*names)[index], runtime::kString)) {
        return nullptr;
    }
    return static_cast<runtime::String*>((*names)[index]);
}

// The marked player's name, his fatigue bar (team 0) and his icon cell.
void paintMarkedPlayer(const GameStatics* s, profile::Graphics* g, const jint marker, const jint x, const jint y,
                       const jint flags) {
    const jint t = (marker >> kTeamShift) & 1;
    const jint slot = marker & kSlotMask;
    g->setColor(kMarkerColour);
    g->setClip(0, kPitchClipTop, kScreenWidth, kScreenHeight);
    jint w = 0;
    runtime::String* const name = markedName(s, t, slot);
    if (name != nullptr) {
        const jint palette = (flags & kBookedPaletteBit[t]) != 0 ? 1 : 0;
        // Drawn whole: the end is exclusive.
        w = ASprite::drawSubString(g, name, 0, name->length(), kNameX, kNameY, kAnchorRight, kNameFont, palette);
        if (runtime::exceptionPending()) {
            return;
        }
    }
    if (t == 0) {
        const CPlayer* const player = teamPlayer(matchTeam(0), slot);
        const jint fatigue = player != nullptr ? player->fatigue : 0;
        g->setColor(kBarOutline);
        g->drawRect(x - kBarLeft, y - kBarAbove, kBarWidth, kBarHeight);
        g->setColor(kBarBack);
        g->fillRect(x - kBarLeft, y - kBarAbove, kBarWidth, kBarHeight);
        g->setColor(fatigueBarColour(fatigue));
        g->fillRect(x - kBarLeft, y - kBarAbove, fatigueBarWidth(fatigue), kBarHeight);
    }
    if ((flags & kUnfitIconBit[t]) != 0 && s->markerIcon != nullptr) {
        g->setClip(x + w, y - kIconClipAbove, kIconSize, kIconSize);
        g->drawImage(s->markerIcon.get(), x + w, y - kIconImageAbove, kAnchorTopLeft);
    }
    g->setClip(0, kPitchClipTop, kScreenWidth, kScreenHeight);
}

// Step 3: the sprite commands in order.
void paintCommands(GameStatics* s, profile::Graphics* g, const ShortArray* record, const jint count,
                   const bool showMarker) {
    const jint camX = word(record, kCameraXWord);
    const jint camY = word(record, kCameraYWord);
    const jint flags = word(record, kMarkerFlagsWord);
    jint players = 0;
    for (jint i = kFirstCommandWord; i + kCommandLength - 1 < count - 1; i += kCommandLength) {
        const jint w0 = (*record)[i] & kWordMask;
        const jint w1 = (*record)[i + 1];
        const jint w2 = (*record)[i + 2];
        const jint w3 = (*record)[i + 3] & kWordMask;
        const jint set = w0 >> 8;
        const jint palette = w0 & kByteMask;
        const jint x = w1 >> 1;
        const jint y = w2 >> 1;
        const jint frame = w3 & kFrameMask;
        const jint marker = w3 >> kMarkerShift;
        if (s->matchHalted == 0) {
            playFrameSound(set, frame);
            if (runtime::exceptionPending()) {
                return;
            }
        }
        ASprite* const sprite = spriteSet(s, set);
        if (sprite != nullptr) {
            sprites::paintFrameFlipped(sprite, g, x, y, w1 & 1, w2 & 1, frame, palette);
        }
        if (s->pitchCondition != 0 && (set == kPlayerSet || set == kKeeperSet)) {
            // The n-th player command is player n; figures past the two sides leave no prints.
            if (players < kFootprintPlayers) {
                paintFootprints(s, g, players, x, y, camX, camY);
            }
            ++players;
        }
        if (s->pitchCondition == kSnowCondition && set == kBallSet) {
            paintBallMarks(s, g, record);
        }
        if (marker != 0 && showMarker) {
            paintMarkedPlayer(s, g, marker, x, y, flags);
        }
        if (runtime::exceptionPending()) {
            return;
        }
    }
}

// The viewer's pace.
void sleepMillis(const jint millis) {
    std::this_thread::sleep_for(std::chrono::milliseconds(millis));
}
ViewerSleep viewerSleep = sleepMillis;

bool inButton(const jint x, const jint y, const jint left, const jint right) {
    return x >= left && x <= right && y >= kViewerButtonTop && y <= kViewerButtonBottom;
}

jint wrapRing(const jint at) {
    return ((at % kRingLength) + kRingLength) % kRingLength;
}

// Back: the record before the cursor, read by its trailer.
void stepBack(GameStatics* s) {
    const ShortArray* const ring = s->highlightsRing;
    if (s->highlightsCursor == s->highlightsStart || s->highlightsShown <= 0) {
        return;
    }
    const jint length = (*ring)[wrapRing(s->highlightsCursor - 1)];
    const jint start = wrapRing(s->highlightsCursor - length);
    if (copyRingRecord(ring, start) < 0) {
        runtime::log("highlights: bad record length %d before %d", length, s->highlightsCursor);
        return;
    }
    s->highlightsCursor = start;
    --s->highlightsShown;
    paintMatchFrame(true);
}

// Forward: the record at the cursor; the end stops playing.
void stepForward(GameStatics* s) {
    if (s->highlightsCursor == s->highlightsEnd) {
        s->highlightsPlaying = 0;
        return;
    }
    const jint length = copyRingRecord(s->highlightsRing, s->highlightsCursor);
    if (length < 0) {
        runtime::log("highlights: bad record at %d; playing stops", s->highlightsCursor);
        s->highlightsPlaying = 0;
        return;
    }
    ++s->highlightsShown;
    s->highlightsCursor = wrapRing(s->highlightsCursor + length);
    if (s->highlightsCursor == s->highlightsEnd) {
        s->highlightsEndTime = runtime::System::currentTimeMillis();
    }
    paintMatchFrame(true);
}

} // namespace

jint frameSound(const jint set, const jint frame) {
    if (set == kNetSet && listed(kNetFrames, frame)) {
        return kNetSound;
    }
    if (set == kPlayerSet) {
        if (listed(kStrikeFrames, frame)) {
            return kStrikeSound;
        }
        if (listed(kTouchFrames, frame)) {
            return kTouchSound;
        }
    }
    return -1;
}

jint fatigueBarWidth(const jint fatigue) {
    return (100 - fatigue) * kBarWidth / 100;
}

jint fatigueBarColour(const jint fatigue) {
    if (fatigue < 20) {
        return 0x00FF00;
    }
    if (fatigue < 40) {
        return 0xFFFF00;
    }
    if (fatigue < 60) {
        return 0xFF6C00;
    }
    return 0xCA001B;
}

void paintMatchFrame(const bool showMarker) {
    GameStatics* const s = statics();
    profile::Graphics* const g = s->currentGraphics;
    const ShortArray* const record = s->frameRecord;
    if (g == nullptr || record == nullptr || record->length < kShortestRecord) {
        return;
    }
    // The record's own length, bounded by the array.
    jint count = (*record)[kLengthWord];
    if (count > record->length) {
        count = record->length;
    }
    drawPitchBackground(word(record, kCameraXWord), word(record, kCameraYWord));
    if (runtime::exceptionPending()) {
        return;
    }
    paintMarkerLayer(s, g, record);
    paintCommands(s, g, record, count, showMarker);
    if (runtime::exceptionPending()) {
        return;
    }
    if (s->pitchCondition == kSnowCondition) {
        core::managementServices().paintParticlesCondition2();
    } else if (s->pitchCondition == kMudCondition) {
        core::managementServices().paintParticlesCondition1();
    }
}

void updateHighlightsViewer() {
    GameStatics* const s = statics();
    if (s->highlightsRing == nullptr || s->highlightsRing->length != kRingLength) {
        return;
    }
    jint px = 0;
    jint py = 0;
    const bool touched = core::touchPoint(px, py);
    s->forwardButtonDown = touched && inButton(px, py, kForwardButtonLeft, kForwardButtonRight);
    s->backButtonDown = touched && inButton(px, py, kBackButtonLeft, kBackButtonRight);
    if (s->highlightsPlaying != 0) {
        // The pace: sleep out what is left of 80 ms since the last step.
        const runtime::jlong waited = runtime::System::currentTimeMillis() - s->highlightsStepTime;
        if (waited >= 0 && waited < kViewerPaceMillis) {
            viewerSleep(static_cast<jint>(kViewerPaceMillis - waited));
        }
        s->highlightsStepTime = runtime::System::currentTimeMillis();
        stepForward(s);
        return;
    }
    const bool keyPressed = core::isKeyPressed(kViewerKeys);
    if (!keyPressed && s->forwardButtonDown == 0 && s->backButtonDown == 0 && !core::isKeyHeld(kViewerKeys)) {
        return;
    }
    if (core::isKeyPressed(kForwardKey) || core::isKeyHeld(kForwardKey) || s->forwardButtonDown != 0) {
        stepForward(s);
        return;
    }
    if (!core::isKeyPressed(kBackKey) && !core::isKeyHeld(kBackKey) && s->backButtonDown == 0) {
        paintMatchFrame(true);
        return;
    }
    stepBack(s);
}

ViewerSleep setViewerSleep(const ViewerSleep sleep) {
    const ViewerSleep previous = viewerSleep;
    viewerSleep = sleep != nullptr ? sleep : sleepMillis;
    return previous;
}

} // namespace game::match
