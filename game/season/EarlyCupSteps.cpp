// The early national-cup steps (see EarlyCupSteps.h).
#include "game/season/EarlyCupSteps.h"

#include <algorithm>

#include "game/core/GameStatics.h"
#include "game/season/DaySchedule.h"
#include "game/season/LeagueTables.h"
#include "runtime/Log.h"

namespace game::season {

namespace {

constexpr jint kSingleDivisionLeague = 10;
// cupEntryLimits holds one entry per early step for each league.
constexpr jint kLimitsPerLeague = 3;
// The lists of the three steps.
constexpr jint kStep0Entries = 20;
constexpr jint kStep1Entries = 32;
constexpr jint kStep2Entries = 14;
constexpr jint kStep2Teams = 16;
constexpr jint kNoTeam = -1;
// Calendar positions from which each result table is kept: step 0's from 5, step 1's from 7,
// step 2's from 9; step 0's winners show from 6 on and step 1's from 8 on.
constexpr jint kStep0Played = 5;
constexpr jint kStep1Played = 7;
constexpr jint kStep2Played = 9;
constexpr jint kStep0Shown = 5;
constexpr jint kStep1Shown = 7;

jint signedByteAt(const runtime::ByteArray* const bytes, const jint index) {
    if (bytes == nullptr || !bytes->inBounds(index)) {
        runtime::log("showEarlyCupRound: cupEntryLimits has no entry %d", index);
        return 0;
    }
    return (*bytes)[index];
}

jint leagueSize(const jint league) {
    const runtime::IntArray* const sizes = statics()->leagueSizes;
    if (sizes == nullptr || !sizes->inBounds(league)) {
        runtime::log("showEarlyCupRound: no size for league %d", league);
        return 0;
    }
    return (*sizes)[league];
}

void fillNone(runtime::ShortArray* const table) {
    if (table == nullptr) {
        return;
    }
    std::fill_n(table->data(), table->length, static_cast<jshort>(kNoTeam));
}

// Copies count entries of from (from entry 0) into to from entry at, as far as both reach.
void copyEntries(const runtime::ShortArray* const from, runtime::ShortArray* const to, const jint at,
                 const jint count) {
    if (from == nullptr || to == nullptr) {
        runtime::log("showEarlyCupRound: a list to copy is missing");
        return;
    }
    const jint n = std::min({count, from->length, to->length - at});
    if (n < count) {
        runtime::log("showEarlyCupRound: %d of %d entries fit at %d", std::max(n, 0), count, at);
    }
    for (jint i = 0; i < n; ++i) {
        (*to)[at + i] = (*from)[i];
    }
}

// to[at + i - first] := from[i] for first <= i < end, as far as both lists reach; the number of
// positions first..end.
jint copyRange(const runtime::ShortArray* const from, runtime::ShortArray* const to, const jint at,
               const jint first, const jint end) {
    const jint start = std::max(first, 0);
    for (jint i = start; i < end; ++i) {
        const jint target = at + i - start;
        if (from == nullptr || to == nullptr || !from->inBounds(i) || !to->inBounds(target)) {
            runtime::log("showEarlyCupRound: team %d of the division does not fit at %d", i, target);
            return std::max(end - start, 0);
        }
        (*to)[target] = (*from)[i];
    }
    return std::max(end - start, 0);
}

void ensureWorkLists(GameStatics* const s) {
    if (s->earlyRoundWork20 == nullptr) {
        s->earlyRoundWork20 = runtime::newShortArray(kStep0Entries);
    }
    if (s->earlyRoundWork32 == nullptr) {
        s->earlyRoundWork32 = runtime::newShortArray(kStep1Entries);
    }
    if (s->earlyRoundWork14 == nullptr) {
        s->earlyRoundWork14 = runtime::newShortArray(kStep2Entries);
    }
}

} // namespace

void showEarlyCupRound(const jint step, const jboolean forView) {
    GameStatics* const s = statics();
    if (s->userLeague < 0 || s->userLeague >= kSingleDivisionLeague) {
        return;
    }
    const jint first = s->userLeague & ~1;
    const jint second = first + 1;
    const jint e0 = signedByteAt(s->cupEntryLimits, kLimitsPerLeague * second);
    const jint e1 = signedByteAt(s->cupEntryLimits, kLimitsPerLeague * first + 1);
    const jint s1 = leagueSize(first);
    const jint s2 = leagueSize(second);
    ensureWorkLists(s);

    const jint now = s->monthIndex * kMonthPositions + s->matchDayIndex;
    if (now < kStep0Played) {
        fillNone(s->groupTableA);
    }
    if (now < kStep1Played) {
        fillNone(s->groupTableB);
    }
    if (now < kStep2Played) {
        fillNone(s->groupTableC);
    }
    copyEntries(s->groupTableA, s->earlyRoundWork20, 0, kStep0Entries);
    copyEntries(s->groupTableB, s->earlyRoundWork32, 0, kStep1Entries);
    copyEntries(s->groupTableC, s->earlyRoundWork14, 0, kStep2Entries);

    runtime::ShortArray* const view = s->viewTeams;
    if (step == 0) {
        if (e0 < 0 || e0 > s2 || s2 - e0 > kStep0Entries) {
            runtime::log("showEarlyCupRound: step 0 of league %d takes %d of %d teams", second, s2 - e0, s2);
        }
        s->viewTeamCount = std::clamp(s2 - e0, 0, kStep0Entries);
        copyLeagueTeams(view, second, 0);
        copyRange(view, s->earlyRoundWork20, 0, e0, s2);
        copyEntries(s->earlyRoundWork20, view, 0, kStep0Entries);
    } else if (step == 1) {
        const jint h = (s2 - e0) / 2;
        const jint count = (s1 - e1) + e0 + h;
        if (e0 < 0 || e1 < 0 || h < 0 || count > kStep1Entries) {
            runtime::log("showEarlyCupRound: step 1 of leagues %d and %d takes %d teams", first, second,
                         count);
        }
        s->viewTeamCount = std::clamp(count, 0, kStep1Entries);
        copyLeagueTeams(view, first, 0);
        const jint k = copyRange(view, s->earlyRoundWork32, 0, e1, s1);
        copyLeagueTeams(view, second, 0);
        copyRange(view, s->earlyRoundWork32, k, 0, e0);
        if (now > kStep0Shown || !forView) {
            copyRange(s->groupTableA, s->earlyRoundWork32, k + std::max(e0, 0), 0, h);
        }
        copyEntries(s->earlyRoundWork32, view, 0, kStep1Entries);
    } else if (step == 2) {
        s->viewTeamCount = kStep2Teams;
        if (now <= kStep1Shown && forView) {
            if (view != nullptr) {
                std::fill_n(view->data(), std::min(kStep2Teams, view->length), static_cast<jshort>(kNoTeam));
            }
        } else {
            copyEntries(s->groupTableB, view, 0, kStep2Teams);
        }
    }
}

} // namespace game::season
