// Competition leaderboards (see Leaderboards.h).
#include "game/season/Leaderboards.h"

#include "game/core/GameStatics.h"
#include "game/core/RecordBytes.h"
#include "game/season/LeagueTables.h"
#include "game/season/SeasonLookups.h"
#include "runtime/Log.h"

namespace game::season {

using namespace game::core;

namespace {

constexpr jint kLists = 3;
constexpr jint kEntryShorts = 3;
constexpr jint kSquadSlots = 30;
constexpr jint kTeamRecordBytes = 64;
constexpr jint kFlaggedSlot = 0x8000;
// The statistics block starts at byte 19; list k reads byte statOffset + 3k + 19.
constexpr jint kStatisticsStart = 19;
constexpr jint kStatisticStride = 3;

// The player in squad slot `squadSlot` of the team's record, or -1 for none (an empty or
// flagged slot, or a team or player outside the records).
jint squadPlayer(const jint team, const jint squadSlot) {
    GameStatics* const s = statics();
    const runtime::ByteArray* const teams = s->teamRecords;
    const jint at = team * kTeamRecordBytes + 2 * squadSlot;
    if (team < 0 || !holds(teams, at, 2)) {
        return -1;
    }
    const jint player = readShortBE(teams, at);
    return (player & kFlaggedSlot) != 0 ? -1 : player;
}

} // namespace

void buildLeaderboards(const jint statOffset) {
    GameStatics* const s = statics();
    if (s->leaderboards == nullptr || s->leaderboards->length < kLists) {
        s->leaderboards = runtime::newObjectArray(kLists);
    }
    if (s->leaderboardCounts == nullptr || s->leaderboardCounts->length < kLists) {
        s->leaderboardCounts = runtime::newShortArray(kLists);
    }
    const jint dimensions[] = {kLeaderboardRows, kEntryShorts};
    for (jint k = 0; k < kLists; ++k) {
        runtime::ObjectArray* const list = runtime::newMultiArray("[[S", dimensions, 2);
        runtime::ShortArray* const entry = runtime::newShortArray(kEntryShorts);
        const jint statByte = statOffset + kStatisticStride * k + kStatisticsStart;
        for (jint j = 0; j < kSquadSlots * s->competitionSize; ++j) {
            const jint slot = j / kSquadSlots;
            const runtime::ShortArray* const teams = s->competitionTeams;
            const jint team = teams != nullptr && teams->inBounds(slot) ? (*teams)[slot] : -1;
            const jint player = squadPlayer(team, j % kSquadSlots);
            const runtime::ByteArray* const players = s->playerRecords;
            const jint at = player * kPlayerRecordBytes + statByte;
            if (player < 0 || statByte < 0 || statByte >= kPlayerRecordBytes || !holds(players, at, 1)) {
                continue;
            }
            (*entry)[0] = (*players)[at];
            (*entry)[1] = static_cast<runtime::jshort>(player);
            (*entry)[2] = static_cast<runtime::jshort>(slot);
            insertSorted(list, entry, kLeaderboardRanked);
        }
        (*s->leaderboards)[k] = list;
        jint count = 0;
        while (count < kLeaderboardRanked && (*static_cast<runtime::ShortArray*>((*list)[count]))[0] > 0) {
            ++count;
        }
        (*s->leaderboardCounts)[k] = static_cast<runtime::jshort>(count);
    }
}

} // namespace game::season
