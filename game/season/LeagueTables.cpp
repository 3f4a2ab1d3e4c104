// League fixtures and standings (see LeagueTables.h).
#include "game/season/LeagueTables.h"

#include <vector>

#include "game/core/GameMath.h"
#include "game/core/GameStatics.h"
#include "game/core/RecordBytes.h"
#include "runtime/Log.h"

namespace game::season {

using namespace game::core;

namespace {

// A venue swap clears bit 7 together with bit 6.
constexpr jint kSwapClearBits = 0xC0;
// leagueOfTeam looks at this many entries of leagueTeamOrder.
constexpr jint kTeamCount = 260;
// Leagues 0-9 are five countries of two divisions; 10, 11 and 12 are countries of one.
constexpr jint kTwoDivisionLeagues = 10;
constexpr jint kTwoDivisionCountries = 5;
constexpr jint kCountryGroups = 8;
// valueBracket's answer when no threshold lies above the value.
constexpr jint kTopBracket = 7;
// The key of an insertSorted row and the shorts it copies.
constexpr jint kEntryShorts = 3;

// The first entry of the league's slice of leagueTeamOrder: the sizes of the leagues before it.
jint leagueStart(const runtime::IntArray* sizes, const jint league) {
    jint start = 0;
    for (jint k = 0; k < league; ++k) {
        start += (*sizes)[k];
    }
    return start;
}

// The sort keys of one standings row.
struct StandingKeys {
    jint points;
    jint goalDifference;
    jint goals;
};

StandingKeys keysOf(const runtime::ByteArray* row) {
    if (!holds(row, 0, standings::kRowBytes)) {
        return {0, 0, 0};
    }
    return {(*row)[standings::kPoints] & 0xFF, readShortBE(row, standings::kGoalDifference),
            (*row)[standings::kGoals] & 0xFF};
}

// a ranks above b: more points, or equal points and a greater goal difference, or both equal
// and more goals.
bool ranksAbove(const StandingKeys& a, const StandingKeys& b) {
    if (a.points != b.points) {
        return a.points > b.points;
    }
    if (a.goalDifference != b.goalDifference) {
        return a.goalDifference > b.goalDifference;
    }
    return a.goals > b.goals;
}

// 1 + the number of entries from..from+count-1 of values greater than values[i].
jint rankWithin(const runtime::ByteArray* values, const jint from, const jint count, const jint i) {
    jint rank = 1;
    for (jint j = from; j < from + count; ++j) {
        if ((*values)[j] > (*values)[i]) {
            ++rank;
        }
    }
    return rank;
}

} // namespace

runtime::ByteArray* standingsRow(const jint slot) {
    runtime::ObjectArray* const table = statics()->competitionTable;
    if (table == nullptr || !table->inBounds(slot) ||
        !holds(static_cast<runtime::ByteArray*>((*table)[slot]), 0, standings::kRowBytes)) {
        runtime::log("standings: slot %d has no row", slot);
        return nullptr;
    }
    return static_cast<runtime::ByteArray*>((*table)[slot]);
}

void buildRoundPairings(const jint offset, const jboolean secondHalf) {
    GameStatics* const s = statics();
    const jint teams = s->scheduleTeamCount;
    const jint rounds = s->scheduleRoundCount;
    if (teams <= 0) {
        return;
    }
    if (s->roundPairings == nullptr || s->roundPairings->length < teams) {
        s->roundPairings = runtime::newByteArray(teams);
    }
    runtime::ByteArray* const pairings = s->roundPairings;
    const runtime::ByteArray* const schedule = s->fixtureSchedule;
    if (rounds <= 0 || !holds(schedule, 0, teams * rounds)) {
        runtime::log("buildRoundPairings: no schedule of %d teams and %d rounds", teams, rounds);
        for (jint i = 0; i < teams; ++i) {
            (*pairings)[i] = static_cast<runtime::jbyte>(kNoPairing);
        }
        return;
    }
    const jint column = floorMod(s->currentRound + offset, rounds);
    for (jint i = 0; i < teams; ++i) {
        jint entry = (*schedule)[i * rounds + column];
        if ((entry & kOpponentMask) < i) {
            entry = kNoPairing;
        } else if (secondHalf) {
            entry = (entry & kVenueBit) != 0 ? entry & ~kSwapClearBits : entry | kVenueBit;
        }
        (*pairings)[i] = static_cast<runtime::jbyte>(entry);
    }
}

void copyLeagueTeams(runtime::ShortArray* const buffer, const jint league, const jboolean toStatics) {
    GameStatics* const s = statics();
    const runtime::IntArray* const sizes = s->leagueSizes;
    runtime::ShortArray* const order = s->leagueTeamOrder;
    if (sizes == nullptr || !sizes->inBounds(league) || buffer == nullptr) {
        runtime::log("copyLeagueTeams: league %d cannot be copied", league);
        return;
    }
    const jint start = leagueStart(sizes, league);
    const jint count = (*sizes)[league];
    if (!holds(order, start, count) || count > buffer->length) {
        runtime::log("copyLeagueTeams: league %d (%d teams from %d) does not fit", league, count, start);
        return;
    }
    for (jint i = 0; i < count; ++i) {
        if (toStatics) {
            (*order)[start + i] = (*buffer)[i];
        } else {
            (*buffer)[i] = (*order)[start + i];
        }
    }
}

jint leagueOfTeam(const jint team) {
    GameStatics* const s = statics();
    const runtime::ShortArray* const order = s->leagueTeamOrder;
    const runtime::IntArray* const sizes = s->leagueSizes;
    if (order == nullptr || sizes == nullptr) {
        return 0;
    }
    jint position = 0;
    const jint searched = order->length < kTeamCount ? order->length : kTeamCount;
    for (jint i = 0; i < searched; ++i) {
        if ((*order)[i] == team) {
            position = i;
            break;
        }
    }
    jint total = 0;
    for (jint league = 0; league < sizes->length; ++league) {
        total += (*sizes)[league];
        if (total > position) {
            return league;
        }
    }
    return 0;
}

jboolean isOddLeagueTeam(const jint team) {
    // Mended: the test is on the team's league. Testing the team number against 10 (as the
    // routine was once described) answers false for all but ten clubs, while every caller asks
    // whether a club plays in a second division.
    const jint league = leagueOfTeam(team);
    return league < kTwoDivisionLeagues && (league & 1) != 0;
}

runtime::ByteArray* sortStandings(const jint teamCount, const jint group, const jboolean secondCompetition) {
    runtime::ByteArray* const order = runtime::newByteArray(teamCount);
    GameStatics* const s = statics();
    runtime::ObjectArray* const table =
        secondCompetition ? s->secondCompetitionTable.get() : s->competitionTable.get();
    std::vector<StandingKeys> keys;
    for (jint i = 0; i < order->length; ++i) {
        const jint slot = group * teamCount + i;
        const bool present = table != nullptr && table->inBounds(slot);
        keys.push_back(present ? keysOf(static_cast<runtime::ByteArray*>((*table)[slot]))
                               : StandingKeys{0, 0, 0});
    }
    // A stable insertion sort: a team moves up only past teams it ranks above, so teams with
    // equal points, goal difference and goals keep their order.
    std::vector<jint> positions;
    for (jint i = 0; i < order->length; ++i) {
        jint at = static_cast<jint>(positions.size());
        while (at > 0 &&
               ranksAbove(keys[static_cast<std::size_t>(i)],
                          keys[static_cast<std::size_t>(positions[static_cast<std::size_t>(at - 1)])])) {
            --at;
        }
        positions.insert(positions.begin() + at, i);
    }
    for (jint i = 0; i < order->length; ++i) {
        (*order)[i] = static_cast<runtime::jbyte>(positions[static_cast<std::size_t>(i)]);
    }
    return order;
}

void prepareTeamRanks() {
    GameStatics* const s = statics();
    const jint count = s->leagueTeamOrder == nullptr ? 0 : s->leagueTeamOrder->length;
    s->teamRankValues = runtime::newByteArray(count);
    s->teamRanks = runtime::newShortArray(count);
    s->teamGroupRanks = runtime::newByteArray(count);
}

void rankTeams() {
    GameStatics* const s = statics();
    const runtime::ByteArray* const values = s->teamRankValues;
    runtime::ShortArray* const ranks = s->teamRanks;
    if (values == nullptr || ranks == nullptr || ranks->length < values->length) {
        runtime::log("rankTeams: the rank tables are not prepared");
        return;
    }
    for (jint i = 0; i < values->length; ++i) {
        (*ranks)[i] = static_cast<runtime::jshort>(rankWithin(values, 0, values->length, i));
    }
}

void rankTeamsInGroups() {
    GameStatics* const s = statics();
    const runtime::ByteArray* const values = s->teamRankValues;
    runtime::ByteArray* const ranks = s->teamGroupRanks;
    const runtime::IntArray* const sizes = s->leagueSizes;
    const runtime::IntArray* const starts = s->leagueStarts;
    if (values == nullptr || ranks == nullptr || sizes == nullptr || starts == nullptr) {
        runtime::log("rankTeamsInGroups: the rank tables are not prepared");
        return;
    }
    for (jint group = 0; group < kCountryGroups; ++group) {
        const bool twoDivisions = group < kTwoDivisionCountries;
        const jint first = twoDivisions ? 2 * group : group + kTwoDivisionCountries;
        const jint leagues = twoDivisions ? 2 : 1;
        if (!holds(sizes, first, leagues) || !starts->inBounds(first)) {
            continue;
        }
        const jint from = (*starts)[first];
        const jint count = (*sizes)[first] + (twoDivisions ? (*sizes)[first + 1] : 0);
        if (!holds(values, from, count) || !holds(ranks, from, count)) {
            runtime::log("rankTeamsInGroups: country %d (%d teams from %d) lies outside the tables", group,
                         count, from);
            continue;
        }
        for (jint i = from; i < from + count; ++i) {
            (*ranks)[i] = static_cast<runtime::jbyte>(rankWithin(values, from, count, i));
        }
    }
}

void clearStandingsRows() {
    runtime::ObjectArray* const table = statics()->competitionTable;
    if (table == nullptr) {
        return;
    }
    for (jint slot = 0; slot < table->length; ++slot) {
        auto* const row = static_cast<runtime::ByteArray*>((*table)[slot]);
        if (!holds(row, 0, standings::kRowBytes)) {
            continue;
        }
        for (jint k = standings::kPoints; k < standings::kRowBytes; ++k) {
            (*row)[k] = 0;
        }
    }
}

jint valueBracket(const jint v) {
    const runtime::IntArray* const thresholds = statics()->strengthLevels;
    const jint count = thresholds == nullptr ? 0 : thresholds->length;
    for (jint i = 0; i < count && i < kTopBracket - 1; ++i) {
        if ((*thresholds)[i] > v) {
            return i + 1;
        }
    }
    return kTopBracket;
}

void insertSorted(runtime::ObjectArray* const list, const runtime::ShortArray* const entry, jint count) {
    if (list == nullptr || !holds(entry, 0, kEntryShorts)) {
        return;
    }
    count = count < list->length ? count : list->length;
    auto row = [list](const jint i) { return static_cast<runtime::ShortArray*>((*list)[i]); };
    for (jint i = 0; i < count; ++i) {
        if (!holds(row(i), 0, kEntryShorts)) {
            runtime::log("insertSorted: row %d holds no entry", i);
            return;
        }
    }
    const jint key = (*entry)[0];
    if (count <= 0 || key <= (*row(count - 1))[0]) {
        return;
    }
    jint at = count - 1;
    while (at > 0 && (*row(at - 1))[0] < key) {
        for (jint k = 0; k < kEntryShorts; ++k) {
            (*row(at))[k] = (*row(at - 1))[k];
        }
        --at;
    }
    for (jint k = 0; k < kEntryShorts; ++k) {
        (*row(at))[k] = (*entry)[k];
    }
}

} // namespace game::season
