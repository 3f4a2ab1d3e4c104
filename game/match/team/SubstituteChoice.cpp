// The substitute choice: the best squad member for a position from the club database's entries
// outside a match, and the best bench player from the match ratings during one.
#include "game/core/GameStatics.h"
#include "game/core/RecordBytes.h"
#include "game/match/CPlayer.h"
#include "game/match/team/LineupChoice.h"
#include "game/match/team/LineupTables.h"

namespace game::match {

namespace {

// The squad positions each method looks at, from the last down.
constexpr jint kLastSquadPosition = 29;
constexpr jint kLastBenchPosition = 17;
// Position masks below this ask for a defender (rating c3), below the next one for a midfielder
// (c1), else for an attacker (c2).
constexpr jint kMidfieldMask = 33;
constexpr jint kAttackMask = 4097;
// Squad entry bytes: the three ratings (defence, midfield, attack), the condition and the mask.
constexpr jint kDefenceByte = 3;
constexpr jint kMidfieldByte = 1;
constexpr jint kAttackByte = 2;
constexpr jint kCondition = 4;
constexpr jint kPositionMask = 8;
// The skill levels holding the same three ratings in a match (lower is better).
constexpr jint kDefenceLevel = 1;
constexpr jint kMidfieldLevel = 3;
constexpr jint kAttackLevel = 0;
// A condition of this or more makes the player unavailable.
constexpr jint kUnavailable = 5;
constexpr jint kWorstLevel = 7;

// Which of the three ratings the position mask asks for: c1 midfield, c2 attack, c3 defence.
jint ratingFor(const jint mask, const jint c1, const jint c2, const jint c3) {
    if (mask < kMidfieldMask) {
        return c3;
    }
    return mask < kAttackMask ? c1 : c2;
}

// The byte offset of squad entry `entry` in listRowRecords; -1 when the records do not hold it.
jint entryOffset(const jint entry) {
    const jint at = entry * core::kMatchRecordBytes;
    return entry >= 0 && core::holds(statics()->listRowRecords, at, core::kMatchRecordBytes) ? at : -1;
}

// Whether the user's player `number` is kept out: barred from the competition played, or
// unavailable by the condition of squad entry `entry` (an entry outside the records counts as
// unavailable).
bool keptOut(const jint number, const jint entry) {
    if (isBarredFromCompetition(number, statics()->competitionEventType)) {
        return true;
    }
    const jint at = entryOffset(entry);
    return at < 0 || (*statics()->listRowRecords)[at + kCondition] >= kUnavailable;
}

} // namespace

jint CTeam::pickSquadPlayerForPosition(const jint mask) const {
    const GameStatics* const s = statics();
    jint fallback = -1;
    jint choice = -1;
    jint best = 0;
    for (jint k = kLastSquadPosition; k >= kFirstBenchIndex; --k) {
        const jint number = squadNumber(s->userTeam, k);
        const jint entry = k + teamIndex * kSquadSlots;
        if (!isAvailableNumber(number) || keptOut(number, entry)) {
            continue;
        }
        if (fallback < 0) {
            fallback = k;
        }
        const jint at = entryOffset(entry);
        const runtime::ByteArray* const records = s->listRowRecords;
        const jint rating = ratingFor(mask, (*records)[at + kMidfieldByte], (*records)[at + kAttackByte],
                                      (*records)[at + kDefenceByte]);
        if ((core::readIntBE(records, at + kPositionMask) & mask) != 0 && rating >= best) {
            choice = k;
            best = rating;
        }
    }
    return choice >= 0 ? choice : fallback;
}

jint CTeam::pickBenchPlayerForPosition(const jint mask) const {
    GameStatics* const s = statics();
    const jint club = teamIndex == 0 ? s->userTeam : s->opponentTeam;
    const runtime::ByteArray* const kickOff = sideRow(s->lineupAtKickOff, teamIndex);
    jint fallback = -1;
    jint choice = -1;
    jint best = kWorstLevel;
    for (jint k = kLastBenchPosition; k >= kFirstBenchIndex; --k) {
        const jint number = squadNumber(club, k);
        if (!isAvailableNumber(number)) {
            continue;
        }
        const jint entry =
            kickOff != nullptr && kickOff->inBounds(k) ? (*kickOff)[k] + teamIndex * kSquadSlots : -1;
        if (teamIndex == 0 && keptOut(number, entry)) {
            continue;
        }
        const CPlayer* const p = teamPlayer(this, k);
        if (p == nullptr || p->hasPlayed != 0 || p->unfit != 0) {
            continue;
        }
        if (fallback < 0) {
            fallback = k;
        }
        const jint v = ratingFor(mask, p->skillLevels[kMidfieldLevel], p->skillLevels[kAttackLevel],
                                 p->skillLevels[kDefenceLevel]);
        const jint at = entryOffset(entry);
        if (at >= 0 && (core::readIntBE(s->listRowRecords, at + kPositionMask) & mask) != 0 && v <= best) {
            choice = k;
            best = v;
        }
    }
    return choice >= 0 ? choice : fallback;
}

} // namespace game::match
