// The line-up choice (see LineupChoice.h).
#include "game/match/team/LineupChoice.h"

#include <bit>

#include "game/club/DatabaseLookups.h"
#include "game/core/ScreenRoutines.h"
#include "game/match/MatchView.h"
#include "game/match/PositionMasks.h"
#include "game/match/team/LineupTables.h"
#include "runtime/Log.h"

namespace game::match {

using namespace game::club;
using namespace game::core;

namespace {

using runtime::ByteArray;
using runtime::IntArray;

// Match record bytes the ratings read.
constexpr jint kSkillOffsets[] = {0, 1, 2, 3, 14, 15, 16, 17};
constexpr jint kStatusByte = 4;
constexpr jint kBonusFieldLow = 6;
constexpr jint kBonusFieldHigh = 7;
constexpr jint kMaskByte = 8;
constexpr jint kBoostByte = 18;   // adds kBoostWeight per unit
constexpr jint kPenaltyByte = 19; // above kPenaltyLimit takes kPenaltyWeight per unit
// Skill grades.
constexpr jint kGradeFloor = 57;
constexpr jint kGradeTop = 99;
constexpr jint kGradeStep = 7;
constexpr jint kTopGrade = 7;
// The status value (0..4) moves the base by these; above 4 the player is left out.
constexpr jint kStatusAdjust[] = {8, 4, 0, -4, -8};
constexpr jint kLastStatus = 4;
constexpr jint kBonusBits = 0x3FF;
constexpr jint kBonusPerBit = 2;
// The rating of a player in a group.
constexpr jint kBaseWeight = 30;
constexpr jint kOwnGroupBonus = 2400;
constexpr jint kPenaltyLimit = 25;
constexpr jint kPenaltyWeight = 20;
constexpr jint kBoostWeight = 80;
constexpr jint kGroupFloor = 560;
// selectionTable: the 16-byte player entries and the barred flags from byte 11 + competition type.
constexpr jint kEntriesStart = 108;
constexpr jint kEntryBytes = 16;
constexpr jint kEntryCount = 30;
constexpr jint kBarredColumn = 11;
constexpr jint kBarredBit = 0x80;
constexpr jint kFirstCompetition = 1;
constexpr jint kLastCompetition = 3;
// The places filled and the groups they draw from.
constexpr jint kKeeperGroup = 0;
constexpr jint kKeeperPlace = 0;
constexpr jint kSecondKeeperPlace = 11;
constexpr jint kLastFormationPlace = 10;
constexpr jint kDefenceSubs = 13;  // places 12-13: groups 1-5
constexpr jint kMidfieldSubs = 15; // places 14-15: groups 6-12
constexpr jint kAttackSubs = 17;   // places 16-17: group 13
constexpr jint kFirstDefenceGroup = 1;
constexpr jint kLastDefenceGroup = 5;
constexpr jint kFirstMidfieldGroup = 6;
constexpr jint kLastMidfieldGroup = 12;
constexpr jint kAttackGroup = 13;

// One cell of the rating table: a player's rating in a group and his index.
struct Cell {
    jint rating;
    jint player;
};

using RatingTable = Cell[kPositionGroups][kSquadSlots];

jint intBE(const ByteArray* bytes, const jint offset) {
    jint value = 0;
    for (jint i = 0; i < 4; ++i) {
        value = (value << 8) | ((*bytes)[offset + i] & 0xFF);
    }
    return value;
}

// The base value of the match record at offset: skill grades, status and the bonus bits.
jint baseRating(const ByteArray* records, const jint offset) {
    jint base = 0;
    for (const jint at : kSkillOffsets) {
        base += skillGrade((*records)[offset + at]);
    }
    const jint status = (*records)[offset + kStatusByte];
    if (status >= 0 && status <= kLastStatus) {
        base += kStatusAdjust[status];
    }
    const jint field =
        ((*records)[offset + kBonusFieldLow] & 0xFF) | (((*records)[offset + kBonusFieldHigh] & 0xFF) << 8);
    return base + kBonusPerBit * std::popcount(static_cast<unsigned>(field & kBonusBits));
}

// Rates player t of the side into column t of every group.
void ratePlayer(RatingTable& table, const jint side, const jint t, const jint offset) {
    GameStatics* const s = statics();
    const ByteArray* const records = s->listRowRecords;
    const jint userTeam = isNoClub(s->userTeam) ? -1 : s->userTeam & 0xFFFF;
    if (s->rebuildSide != 0 && isBarredFromCompetition(squadNumber(userTeam, t), s->scheduleType)) {
        return;
    }
    if ((*records)[offset + kStatusByte] > kLastStatus) {
        return;
    }
    const jint base = baseRating(records, offset);
    bool excluded = false;
    if (side == s->userCompetitionSlot) {
        // The player in this line-up place of the user's own squad.
        const ByteArray* const row = sideRow(s->lineup, side);
        const jint slot = row != nullptr && row->inBounds(t) ? (*row)[t] : -1;
        excluded = isBarredFromCompetition(squadNumber(userTeam, slot), s->scheduleType);
    }
    const jint mask = intBE(records, offset + kMaskByte);
    const jint penalty = (*records)[offset + kPenaltyByte];
    const jint boost = (*records)[offset + kBoostByte];
    for (jint g = 0; g < kPositionGroups; ++g) {
        Cell& cell = table[g][t];
        const jint fit = match::comparePositionMasks(1 << g, mask);
        if (fit == 0) {
            cell.rating += base * kBaseWeight + kOwnGroupBonus;
        } else if (g >= 1) {
            cell.rating += (base >> fit) * kBaseWeight;
        }
        if (penalty > kPenaltyLimit) {
            cell.rating -= kPenaltyWeight * penalty;
        }
        cell.rating += kBoostWeight * boost + kGroupFloor;
        if (excluded) {
            cell.rating = 0;
        }
    }
}

// Orders the first n cells of a group, highest rating first; equal ratings keep their order of
// exchange (they are never exchanged).
void sortGroup(Cell* column, const jint n) {
    for (jint i = 0; i < n; ++i) {
        for (jint j = 0; j < n; ++j) {
            if (column[i].rating > column[j].rating) {
                const Cell held = column[i];
                column[i] = column[j];
                column[j] = held;
            }
        }
    }
}

bool isTaken(const IntArray* places, const jint player) {
    for (jint k = 0; k < places->length; ++k) {
        if ((*places)[k] == player) {
            return true;
        }
    }
    return false;
}

// The best-ranked free player of groups first..last (each rank tried in every group before the
// next rank); -1 when none is free.
jint bestFree(const RatingTable& table, const IntArray* places, const jint n, const jint first,
              const jint last) {
    for (jint rank = 0; rank < n; ++rank) {
        for (jint g = first; g <= last; ++g) {
            if (!isTaken(places, table[g][rank].player)) {
                return table[g][rank].player;
            }
        }
    }
    return -1;
}

// The group of formation place k of the side's team; -1 when it has none.
jint formationGroup(const jint side, const jint k) {
    const match::CPlayer* const player = teamPlayer(matchTeam(side), k);
    return player != nullptr ? positionGroup(player->formationSlot) : -1;
}

} // namespace

jint skillGrade(const jint value) {
    if (value < kGradeFloor) {
        return 0;
    }
    if (value >= kGradeTop) {
        return kTopGrade;
    }
    return 1 + (value - kGradeFloor) / kGradeStep;
}

bool isBarredFromCompetition(const jint number, const jint competitionType) {
    const ByteArray* const table = statics()->selectionTable;
    if (!holds(table, kEntriesStart, kEntryCount * kEntryBytes)) {
        return false;
    }
    jint entry = kEntriesStart + (kEntryCount - 1) * kEntryBytes;
    for (jint i = 0; i < kEntryCount; ++i) {
        const jint at = kEntriesStart + i * kEntryBytes;
        if ((readShortBE(table, at) & kEmptySquadSlot) == number) {
            entry = at;
            break;
        }
    }
    if (competitionType < kFirstCompetition || competitionType > kLastCompetition) {
        return false;
    }
    return ((*table)[entry + kBarredColumn + competitionType] & kBarredBit) != 0;
}

void chooseLineup(const jint side) {
    GameStatics* const s = statics();
    IntArray* const places = s->matchSlotList;
    const IntArray* const counts = s->matchSquadCount;
    const ByteArray* const records = s->listRowRecords;
    if (side < 0 || side >= kLineupSides || places == nullptr || counts == nullptr ||
        !counts->inBounds(side)) {
        runtime::log("chooseLineup: side %d has no line-up to fill", side);
        return;
    }
    jint n = (*counts)[side];
    n = n < 0 ? 0 : (n > kSquadSlots ? kSquadSlots : n);
    if (!holds(records, side * kMatchRecordsPerTeam * kMatchRecordBytes, n * kMatchRecordBytes)) {
        runtime::log("chooseLineup: side %d's %d match records are missing", side, n);
        return;
    }
    RatingTable table = {};
    for (jint g = 0; g < kPositionGroups; ++g) {
        for (jint i = 0; i < n; ++i) {
            table[g][i].player = i;
        }
    }
    for (jint t = 0; t < n; ++t) {
        ratePlayer(table, side, t, (side * kMatchRecordsPerTeam + t) * kMatchRecordBytes);
    }
    for (auto& column : table) {
        sortGroup(column, n);
    }
    const jint placeCount = n < places->length ? n : places->length;
    for (jint k = 0; k < placeCount; ++k) {
        jint first = 0;
        jint last = kPositionGroups - 1;
        if (k == kKeeperPlace || k == kSecondKeeperPlace) {
            first = last = kKeeperGroup;
        } else if (k <= kLastFormationPlace) {
            // A place without a grouped position takes the best free player of any group.
            const jint group = formationGroup(side, k);
            if (group >= 0) {
                first = last = group;
            }
        } else if (k <= kDefenceSubs) {
            first = kFirstDefenceGroup;
            last = kLastDefenceGroup;
        } else if (k <= kMidfieldSubs) {
            first = kFirstMidfieldGroup;
            last = kLastMidfieldGroup;
        } else if (k <= kAttackSubs) {
            first = last = kAttackGroup;
        }
        (*places)[k] = bestFree(table, places, n, first, last);
    }
}

} // namespace game::match
