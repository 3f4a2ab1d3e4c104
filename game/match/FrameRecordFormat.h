// The frame record's one format: word indices, the bit fields of the phase, clock and score
// words with their pack and unpack helpers, and the capacities of the record and the replay ring.
// The recorder, playback, the painters and every other reader of a record use these.
#pragma once

#include "runtime/JavaTypes.h"

namespace game::match::frame {

using runtime::jint;

// Word 0 and the last word hold the record's length once it is committed.
inline constexpr jint kLengthWord = 0;
inline constexpr jint kPhaseWord = 1;
inline constexpr jint kClockWord = 2;
inline constexpr jint kAddedTimeWord = 3;
inline constexpr jint kScoreWord = 4;
inline constexpr jint kCameraXWord = 5;
inline constexpr jint kCameraYWord = 6;
// x >> 8 and y >> 8 for team 0 slots 0..10, then team 1; both -1 for a player out of play.
inline constexpr jint kFirstPlayerWord = 7;
inline constexpr jint kFirstSecondTeamWord = 29;
inline constexpr jint kBallWord = 51; // x, y, z >> 8
inline constexpr jint kMarkerFlagsWord = 54;
inline constexpr jint kHeaderEnd = 55; // frameLength after the header
inline constexpr jint kAbsent = -1;
// Five marker triples (x, y, packed animation; -1 empty) of the pitch-side figures.
inline constexpr jint kFirstMarkerWord = 55;
inline constexpr jint kMarkerEntries = 5;
inline constexpr jint kMarkerEntryLength = 3;
// Four ball marks {x, y, frame} (pitch condition 2).
inline constexpr jint kFirstBallMarkWord = 70;
inline constexpr jint kBallMarks = 4;
inline constexpr jint kBallMarkLength = 3;
// The sound request word of the recorded tick (-1 none).
inline constexpr jint kSoundRequestWord = 109;
// Sprite commands start here, four shorts each.
inline constexpr jint kFirstCommandWord = 110;
inline constexpr jint kCommandLength = 4;
// 52 actors, 8 trail entries, the shadow and the effect, then the trailer.
inline constexpr jint kMaxCommands = 52 + 8 + 1 + 1;
inline constexpr jint kRecordCapacity = kFirstCommandWord + kCommandLength * kMaxCommands + 1;
inline constexpr jint kShortestRecord = kFirstCommandWord + 1;

// The replay ring and the ticks-per-frame thresholds of the distance between writer and reader.
inline constexpr jint kRingLength = 8700;
inline constexpr jint kCloseBehind = 335;
inline constexpr jint kFarAhead = 8365;

// Word 1: bit 15 the redraw flag, bits 8..14 the shoot-out kicks (period 5), bits 4..7 the phase
// (clamped to 15), bits 0..3 the phase step.
inline constexpr jint kRedrawBit = 0x8000;
inline constexpr jint kKicksShift = 8;
inline constexpr jint kKicksMask = 0x7F;
inline constexpr jint kPhaseShift = 4;
inline constexpr jint kPhaseMask = 0xF;
inline constexpr jint kStepMask = 0xF;
// Word 2: bits 13..15 the period, bits 0..12 the seconds of the clock.
inline constexpr jint kPeriodShift = 13;
inline constexpr jint kTimeMask = 0x1FFF;
// Word 4: bits 13..15 an event code, bits 8..12 team 0's goals, bits 0..7 team 1's.
inline constexpr jint kEventShift = 13;
inline constexpr jint kGoals0Shift = 8;
inline constexpr jint kGoals0Mask = 31;
inline constexpr jint kGoals1Mask = 255;
inline constexpr jint kWordMask = 0xFFFF;
inline constexpr jint kThreeBits = 7;

inline jint clampTo(const jint value, const jint high) {
    return value < 0 ? 0 : (value > high ? high : value);
}

// The phase word, as the recorder writes it (kicks only count in the shoot-out, given as 0
// elsewhere). The step keeps its low nibble.
inline jint packPhaseWord(const bool redraw, const jint phase, const jint step, const jint kicks) {
    return (redraw ? kRedrawBit : 0) + (clampTo(kicks, kKicksMask) << kKicksShift) +
           (clampTo(phase, kPhaseMask) << kPhaseShift) + (step & kStepMask);
}
inline jint phaseOf(const jint word) {
    return (word >> kPhaseShift) & kPhaseMask;
}
inline jint stepOf(const jint word) {
    return word & kStepMask;
}
inline jint kicksOf(const jint word) {
    return (word >> kKicksShift) & kKicksMask;
}
inline bool redrawOf(const jint word) {
    return (word & kRedrawBit) != 0;
}

inline jint packClockWord(const jint period, const jint seconds) {
    return ((period & kThreeBits) << kPeriodShift) + (seconds & kTimeMask);
}
inline jint periodOf(const jint word) {
    return (word & kWordMask) >> kPeriodShift;
}
inline jint timeOf(const jint word) {
    return word & kTimeMask;
}

inline jint packScoreWord(const jint goals0, const jint goals1, const jint event) {
    return ((event & kThreeBits) << kEventShift) + (clampTo(goals0, kGoals0Mask) << kGoals0Shift) +
           clampTo(goals1, kGoals1Mask);
}
inline jint eventOf(const jint word) {
    return (word & kWordMask) >> kEventShift;
}
inline jint goals0Of(const jint word) {
    return (word >> kGoals0Shift) & kGoals0Mask;
}
inline jint goals1Of(const jint word) {
    return word & kGoals1Mask;
}

} // namespace game::match::frame
