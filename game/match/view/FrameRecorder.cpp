// The frame recorder and the replay ring (see FrameRecorder.h).
#include "game/match/view/FrameRecorder.h"

#include "game/core/GameStatics.h"
#include "game/core/Sound.h"
#include "game/core/TopStates.h"
#include "game/match/CPlayer.h"
#include "game/match/FrameRecordFormat.h"
#include "runtime/Arrays.h"
#include "runtime/Exceptions.h"
#include "runtime/Log.h"

namespace game::match {

using namespace game::match::frame;
using runtime::jshort;

namespace {

// The diagnostic printed for a record that cannot be read back.
constexpr jint kBadRecordText = 127;
constexpr jint kTeams = 2;
constexpr jint kPitchSlots = 11;
constexpr jint kPositionShift = 8;
constexpr jint kOutOfPlay = 1;

bool inMenus() {
    return statics()->topState == core::kTopStateMenus;
}

void put(runtime::ShortArray* record, const jint index, const jint value) {
    (*record)[index] = static_cast<jshort>(value);
}

jint goalsOf(const jint teamIndex) {
    const runtime::ObjectArray* const teams = statics()->matchTeams;
    const auto* const team = teams != nullptr && teams->inBounds(teamIndex)
                                 ? static_cast<const CTeam*>((*teams)[teamIndex])
                                 : nullptr;
    return team != nullptr ? team->goals : 0;
}

// Words of team t's eleven pitch players: x >> 8, y >> 8, both -1 out of play (or missing).
void recordPlayers(runtime::ShortArray* record) {
    const runtime::ObjectArray* const teams = statics()->matchTeams;
    for (jint t = 0; t < kTeams; ++t) {
        const auto* const team =
            teams != nullptr && teams->inBounds(t) ? static_cast<const CTeam*>((*teams)[t]) : nullptr;
        for (jint slot = 0; slot < kPitchSlots; ++slot) {
            const jint word = kFirstPlayerWord + 2 * (kPitchSlots * t + slot);
            const CPlayer* const player =
                team != nullptr && team->players != nullptr && team->players->inBounds(slot)
                    ? static_cast<const CPlayer*>((*team->players)[slot])
                    : nullptr;
            const bool absent = player == nullptr || player->outOfPlay == kOutOfPlay;
            put(record, word, absent ? kAbsent : player->x >> kPositionShift);
            put(record, word + 1, absent ? kAbsent : player->y >> kPositionShift);
        }
    }
}

// Shorts from the read position to the write position going forwards (the whole ring when they
// meet with data in it).
jint freeShorts(const GameStatics* s) {
    jint free = s->ringReadPos - s->ringWritePos;
    if (s->ringReadPos <= s->ringWritePos || s->ringHasData == 0) {
        free += kRingLength;
    }
    return free;
}

bool plausibleLength(const jint length) {
    return length >= kShortestRecord && length <= kRecordCapacity;
}

void emptyRing(GameStatics* s) {
    s->ringReadPos = 0;
    s->ringWritePos = 0;
    s->ringHasData = 0;
}

// 1 when the writer is close behind the reader, else 2 while it is not far ahead of it.
jint ticksPerFrame(const GameStatics* s) {
    const jint behind = s->ringReadPos - s->ringWritePos;
    if (behind > 0 && behind < kCloseBehind) {
        return 1;
    }
    const jint ahead = s->ringWritePos - s->ringReadPos;
    return ahead <= kFarAhead ? 2 : 1;
}

} // namespace

runtime::ShortArray* ensureFrameRecord() {
    GameStatics* const s = statics();
    if (s->frameRecord == nullptr || s->frameRecord->length < kRecordCapacity) {
        runtime::ShortArray* const record = runtime::newShortArray(kRecordCapacity);
        if (record == nullptr || runtime::exceptionPending()) {
            return nullptr;
        }
        s->frameRecord = record;
    }
    return s->frameRecord;
}

void recordFrameHeader() {
    if (inMenus()) {
        return;
    }
    runtime::ShortArray* const record = ensureFrameRecord();
    if (record == nullptr) {
        return;
    }
    GameStatics* const s = statics();
    s->recordOverflowLogged = 0;
    const jint kicks = s->matchPeriod == 5 ? s->shootoutKicks : 0;
    put(record, kPhaseWord, packPhaseWord(s->sceneRedrawRecorded != 0, s->matchPhase, s->phaseStep, kicks));
    put(record, kClockWord, packClockWord(s->matchPeriod, s->clockMinute * 60 + s->clockSecond));
    put(record, kAddedTimeWord, s->addedTimeLeftMinutes * 60 + s->addedTimeLeftSeconds);
    const jint event = s->pendingEventDelay == 0 ? s->pendingEvent : 0;
    put(record, kScoreWord, packScoreWord(goalsOf(0), goalsOf(1), event));
    if (s->pendingEventDelay >= 0) {
        --s->pendingEventDelay;
    }
    put(record, kCameraXWord, s->cameraX);
    put(record, kCameraYWord, s->cameraY);
    recordPlayers(record);
    const Actor* const ball = s->ball;
    put(record, kBallWord, ball != nullptr ? ball->x >> kPositionShift : 0);
    put(record, kBallWord + 1, ball != nullptr ? ball->y >> kPositionShift : 0);
    put(record, kBallWord + 2, ball != nullptr ? ball->z >> kPositionShift : 0);
    put(record, kMarkerFlagsWord, s->markerFlags);
    s->frameLength = kHeaderEnd;
}

void recordSpriteCommand(const jint setIndex, const jint x, const jint y, const jint flipX, const jint flipY,
                         const jint frameCode, const jint palette) {
    if (inMenus()) {
        return;
    }
    GameStatics* const s = statics();
    runtime::ShortArray* const record = s->frameRecord;
    // The trailer needs the last word.
    if (record == nullptr || s->frameLength < kFirstCommandWord ||
        s->frameLength + kCommandLength > record->length - 1) {
        if (s->recordOverflowLogged == 0) {
            s->recordOverflowLogged = 1;
            runtime::log("match view: no room for a sprite command at %d; the rest of the frame is left out",
                         s->frameLength);
        }
        return;
    }
    const jint at = s->frameLength;
    put(record, at, (setIndex << 8) + (palette & 0xFF));
    put(record, at + 1, (x << 1) + (flipX != 0 ? 1 : 0));
    put(record, at + 2, (y << 1) + (flipY != 0 ? 1 : 0));
    put(record, at + 3, (frameCode & 0x7FF) + (s->markerIndex << 11));
    s->frameLength = at + kCommandLength;
}

void commitFrameRecord() {
    if (inMenus()) {
        return;
    }
    GameStatics* const s = statics();
    runtime::ShortArray* const record = s->frameRecord;
    if (s->replayRing == nullptr) {
        runtime::ShortArray* const ring = runtime::newShortArray(kRingLength);
        if (ring == nullptr || runtime::exceptionPending()) {
            return;
        }
        s->replayRing = ring;
        emptyRing(s);
    }
    const jint length = s->frameLength + 1;
    if (record == nullptr || length > record->length || !plausibleLength(length)) {
        runtime::log("match view: frame record of length %d not kept", length);
        return;
    }
    runtime::ShortArray* const ring = s->replayRing;
    jint free = freeShorts(s);
    while (free <= length) {
        const jint oldest = (*ring)[s->ringReadPos];
        if (!plausibleLength(oldest)) {
            // A corrupt length cannot be walked past: start the ring afresh.
            runtime::log("match view: replay ring holds a bad length %d at %d; emptied", oldest,
                         s->ringReadPos);
            emptyRing(s);
            free = kRingLength;
            break;
        }
        s->ringReadPos = (s->ringReadPos + oldest) % kRingLength;
        free += oldest;
    }
    put(record, kLengthWord, length);
    put(record, length - 1, length);
    const jint first = s->ringWritePos + length <= kRingLength ? length : kRingLength - s->ringWritePos;
    for (jint i = 0; i < first; ++i) {
        (*ring)[s->ringWritePos + i] = (*record)[i];
    }
    for (jint i = first; i < length; ++i) {
        (*ring)[i - first] = (*record)[i];
    }
    s->ringWritePos = (s->ringWritePos + length) % kRingLength;
    s->ringHasData = 1;
    s->matchSpeedBase = ticksPerFrame(s);
}

void setViewRefresh() {
    statics()->backgroundForceRedraw = 1;
}

void copyViewRefresh() {
    GameStatics* const s = statics();
    s->sceneRedrawRecorded = s->backgroundForceRedraw;
}

void readFrameRecord() {
    GameStatics* const s = statics();
    const runtime::ShortArray* const ring = s->replayRing;
    runtime::ShortArray* const record = ensureFrameRecord();
    if (ring == nullptr || record == nullptr) {
        return;
    }
    if (!plausibleLength((*ring)[s->ringReadPos])) {
        core::printConstantLine(kBadRecordText, 0, false);
        return;
    }
    ++s->replayFrameCounter;
    copyRingRecord(ring, s->ringReadPos);
}

jint copyRingRecord(const runtime::ShortArray* const ring, const jint at) {
    runtime::ShortArray* const record = ensureFrameRecord();
    if (ring == nullptr || record == nullptr || at < 0 || at >= ring->length || ring->length != kRingLength) {
        return -1;
    }
    const jint length = (*ring)[at];
    if (!plausibleLength(length)) {
        return -1;
    }
    for (jint i = 0; i < length; ++i) {
        (*record)[i] = (*ring)[(at + i) % kRingLength];
    }
    statics()->frameLength = length;
    return length;
}

} // namespace game::match
