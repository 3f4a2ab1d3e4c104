// CPlayer::updateRatings: the twelve ratings the match logic reads besides the skill levels,
// derived afresh from the player's squad entry, then moved by his form and event levels.
#include <cstddef>
#include <iterator>

#include "game/core/GameStatics.h"
#include "game/core/RecordBytes.h"
#include "game/core/ScreenRoutines.h"
#include "game/match/CPlayer.h"
#include "game/match/Geometry.h"
#include "game/match/model/DerivedRatings.h"
#include "game/match/model/MatchRecords.h"
#include "game/sprites/Palettes.h"
#include "runtime/Log.h"

namespace game::match {

namespace {

// Squad entry bytes: skills, the position mask (32-bit big-endian) and the two unsigned values.
constexpr jint kSkill0 = 0;
constexpr jint kSkill1 = 1;
constexpr jint kSkill2 = 2;
constexpr jint kSkill3 = 3;
constexpr jint kPositionMask = 8;
constexpr jint kSkill15 = 15;
constexpr jint kSkill16 = 16;
constexpr jint kSkill17 = 17;
constexpr jint kUnsigned20 = 20;
constexpr jint kUnsigned21 = 21;
// A position mask of exactly this is the goalkeeper's alone: his field skills count for less.
constexpr jint kKeeperOnlyMask = 1;
// The database scale: 99 and above is the best level, below 57 the worst; levels are 7 wide.
constexpr jint kTopSkill = 99;
constexpr jint kBottomSkill = 57;
constexpr jint kLevelWidth = 7;
constexpr jint kWorstLevel = 7;
constexpr jint kBestLevel = 0;
// Offsets of the formulas.
constexpr jint kAccelBase = 150;
constexpr jint kHandlingBase = 50;

} // namespace

jint databaseLevel(const jint v) {
    if (v >= kTopSkill) {
        return kBestLevel;
    }
    if (v >= kBottomSkill) {
        return kWorstLevel - ((v - kBottomSkill) / kLevelWidth + 1);
    }
    return kWorstLevel;
}

void CPlayer::updateRatings() {
    const jint teamIndex = team != nullptr ? team->teamIndex : -1;
    const jint entry = squadEntryIndex(teamIndex, slot);
    const runtime::ByteArray* const entries = statics()->listRowRecords;
    const jint at = entry * core::kMatchRecordBytes;
    if (entry < 0 || !core::holds(entries, at, core::kMatchRecordBytes)) {
        runtime::log("updateRatings: player %d of team %d has no squad entry", slot, teamIndex);
        return;
    }
    auto e = [&](const jint k) { return static_cast<jint>((*entries)[at + k]); };
    auto u = [&](const jint k) { return e(k) & 0xFF; };
    const jint k = core::readIntBE(entries, at + kPositionMask) == kKeeperOnlyMask ? 1 : 0;
    const jint k2 = k != 0 ? 0 : e(kSkill2);
    const jint k3 = k != 0 ? 0 : e(kSkill3);
    const jint e0 = e(kSkill0);
    const jint e1 = e(kSkill1);
    const jint e2 = e(kSkill2);
    const jint e3 = e(kSkill3);
    const jint e15 = e(kSkill15);
    const jint e16 = e(kSkill16);
    const jint e17 = e(kSkill17);
    const jint u20 = u(kUnsigned20);
    const jint u21 = u(kUnsigned21);

    // The twelve in field order: 4th to 13th, then 17th and 18th.
    jint* const ratings[] = {&shotPower,     &penaltyAimLevel, &handicapLevel, &extraRating7,
                             &accelRating,   &aimLevel,        &duelRating,    &extraRating11,
                             &extraRating12, &extraRating13,   &saveSkill,     &handlingLevel};
    const jint values[] = {
        sprites::weightedRating(sprites::kNoRatingRecord, e1, k2, e3),
        sprites::combinedRating(sprites::kNoRatingRecord, e15, u20, e2, k3),
        (6 * e1 + k2 + e16) >> 3,
        compareWeighted(nullptr, e2, e3, e1),
        (e0 - u21 + e16 + kAccelBase) / 3,
        (3 * k2 + 2 * e1 + e17) / 6,
        rating2(k, e3, e0),
        (6 * e1) / 7,
        (e0 + 2 * e15) / 3,
        rating3(k, e3, e0, e16),
        ((3 * e3) >> 2) + (e0 >> 2),
        ((e3 - kHandlingBase) * 3 + 2 * e16 + u20) / 6,
    };
    static_assert(std::size(ratings) == std::size(values));
    for (std::size_t i = 0; i < std::size(ratings); ++i) {
        *ratings[i] = databaseLevel(values[i]) + formLevel;
    }
    if (eventLevelA != 0) {
        for (jint* const rating : {&penaltyAimLevel, &accelRating, &extraRating12}) {
            *rating += eventLevelA;
        }
    }
    if (eventLevelB != 0) {
        for (jint* const rating : {&shotPower, &handicapLevel, &penaltyAimLevel, &aimLevel, &extraRating11}) {
            *rating += eventLevelB;
        }
    }
    for (jint* const rating : ratings) {
        *rating = core::clamp(*rating, kBestLevel, kWorstLevel);
    }
}

} // namespace game::match
