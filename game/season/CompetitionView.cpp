// The competition view (see CompetitionView.h).
#include "game/season/CompetitionView.h"

#include <algorithm>

#include "game/core/GameStatics.h"
#include "game/core/LittleEndian.h"
#include "game/core/services/ClubServices.h"
#include "game/core/services/SeasonScreenServices.h"
#include "game/season/CalendarSearch.h"
#include "game/season/CompetitionRecords.h"
#include "game/season/DaySchedule.h"
#include "game/season/EarlyCupSteps.h"
#include "game/season/LeagueTables.h"
#include "game/season/Matchdays.h"
#include "runtime/Log.h"

namespace game::season {

using namespace game::core;

namespace {

constexpr jint kNoTeam = -1;
constexpr jint kViewEntries = 32;
constexpr jint kSingleDivisionLeague = 10;
// The national cup's records and rows: record 2, 16 teams from step 3 on (steps 0-2 are the
// early steps of two-division countries); the continental cup's: record 3, row 8, 32 teams in
// the group stage (steps up to 5), knockout from step 6.
constexpr jint kNationalCupRecord = 2;
constexpr jint kContinentalRecord = 3;
constexpr jint kContinentalRow = 8;
constexpr jint kNationalCupTeams = 16;
constexpr jint kContinentalTeams = 32;
constexpr jint kLastEarlyStep = 2;
constexpr jint kFirstKnockoutStep = 3;
constexpr jint kLastGroupStep = 5;
constexpr jint kFirstContinentalKnockout = 6;
// The first knockout steps of the national cup, where the first division enters.
constexpr jint kFirstDivisionStepA = 3;
constexpr jint kFirstDivisionStepB = 4;
// Countries below this league have three knockout rounds before the first division enters, the
// others two.
constexpr jint kLongCupLeagues = 6;
constexpr jint kLongCupRound = 3;
constexpr jint kShortCupRound = 2;
// The continental knockout view redraws once the calendar is past month 5, week 0.
constexpr jint kBracketMonth = 5;
constexpr jint kToArray = 0;

jint markerOf(const runtime::ByteArray* const markers, const char* const name, const jint type) {
    const jint index = type - 1;
    if (markers == nullptr || !markers->inBounds(index)) {
        runtime::log("showCompetitionEvent: %s has no entry %d", name, index);
        return 0;
    }
    return (*markers)[index];
}

// base >> shift, 0 for a negative or too wide shift.
jint halvedCount(const jint base, const jint shift) {
    return shift < 0 || shift >= 31 ? 0 : base >> shift;
}

void fillNone(runtime::ShortArray* const list) {
    if (list != nullptr) {
        std::fill_n(list->data(), list->length, static_cast<jshort>(kNoTeam));
    }
}

// Brings the competition statics to an event still ahead.
void prepareEventAhead(GameStatics* const s) {
    const jint step = s->competitionStep;
    if (s->scheduleType == kLeagueEvent) {
        buildRoundPairings(step, step >= s->scheduleRoundCount ? 1 : 0);
        return;
    }
    if (s->scheduleType == kContinentalEvent && step > kLastGroupStep) {
        if (s->continentalCupStored) {
            loadCompetitionRecord(kContinentalRecord);
            return;
        }
        clearStandingsRows();
        copyLayoutRow(s->competitionTeams, kContinentalRow, kToArray);
        s->competitionSize = kContinentalTeams;
        seasonScreenServices().saveCompetitionState370(kContinentalRecord);
        return;
    }
    if (s->scheduleType == kNationalCupEvent && step > kLastEarlyStep &&
        s->userLeague < kSingleDivisionLeague) {
        if (s->nationalCupStored) {
            loadCompetitionRecord(kNationalCupRecord);
            return;
        }
        clearStandingsRows();
        copyLayoutRow(s->competitionTeams, countryOfLeague(s->userLeague), kToArray);
        s->competitionSize = kNationalCupTeams;
        seasonScreenServices().saveCompetitionState370(kNationalCupRecord);
    }
}

// The first knockout steps of an event ahead: the first division's entrants at every other
// place, the bracket's teams once the cup has reached the round.
void showFirstDivisionEntry(GameStatics* const s, const jint step, const jint country) {
    s->viewTeamCount = kNationalCupTeams;
    runtime::ShortArray* const teams = runtime::newShortArray(kViewEntries);
    const jint firstDivision = s->userLeague < kSingleDivisionLeague ? s->userLeague & ~1 : s->userLeague;
    copyLeagueTeams(teams, firstDivision, 0);
    const runtime::ByteArray* const entries = s->cupFirstDivisionEntries;
    jint count = 0;
    if (entries == nullptr || !entries->inBounds(country)) {
        runtime::log("showCompetitionEvent: no first-division entries for country %d", country);
    } else {
        count = std::clamp<jint>((*entries)[country], 0, kViewEntries / 2);
    }
    const jint odd = step == kFirstDivisionStepA ? 1 : 0;
    for (jint i = 0; i < count; ++i) {
        (*s->viewTeams)[2 * i + odd] = (*teams)[i];
    }
    const jint reached = (s->userLeague < kLongCupLeagues ? kLongCupRound : kShortCupRound) -
                         (markerOf(s->eventDoneByType, "eventDoneByType", s->scheduleType) == 1 ? 1 : 0);
    if (s->userLeague >= kSingleDivisionLeague ||
        markerOf(s->cupRoundReached, "cupRoundReached", s->scheduleType) == reached) {
        clubServices().fillCupRoundFixtures(((step + 1) >> 1) + 1, teams, country,
                                            step != kFirstDivisionStepA ? 1 : 0);
    }
}

void showNationalCup(GameStatics* const s, const jint step) {
    const jint country = countryOfLeague(s->userLeague);
    if (step <= kLastEarlyStep && s->userLeague < kSingleDivisionLeague) {
        showEarlyCupRound(step, 1);
        return;
    }
    const jint count = halvedCount(kNationalCupTeams, (step - kFirstKnockoutStep) >> 1);
    if (!s->viewEventAhead) {
        copyLayoutRow(s->viewTeams, country, kToArray);
        s->viewTeamCount = count;
        return;
    }
    if (step == kFirstDivisionStepA || step == kFirstDivisionStepB) {
        showFirstDivisionEntry(s, step, country);
        return;
    }
    runtime::ShortArray* const teams = runtime::newShortArray(kViewEntries);
    const jint round = ((step + 1) >> 1) + 1;
    const jboolean flag = (step & 1) == 0 ? 1 : 0;
    if (markerOf(s->cupRoundReached, "cupRoundReached", s->scheduleType) == round && !s->cupSecondLeg) {
        clubServices().fillCupRoundFixtures(round, teams, country, flag);
    }
    s->viewTeamCount = count;
    if (s->cupSecondLeg) {
        clubServices().fillCupRoundFixtures(round, teams, country, flag);
    }
}

void showContinentalCup(GameStatics* const s, const jint step) {
    if (step <= kLastGroupStep || !s->viewEventAhead) {
        copyLayoutRow(s->viewTeams, kContinentalRow, kToArray);
    }
    if (step <= kLastGroupStep) {
        s->viewTeamCount = kContinentalTeams;
        return;
    }
    const jint round = step >> 1;
    const jboolean flag = (step & 1) != 0 ? 1 : 0;
    if (s->viewEventAhead && markerOf(s->cupRoundReached, "cupRoundReached", s->scheduleType) == round &&
        !s->cupSecondLeg) {
        runtime::ShortArray* const teams = runtime::newShortArray(kViewEntries);
        clubServices().fillCupRoundFixtures(round, teams, kContinentalRow, flag);
    }
    s->viewTeamCount = halvedCount(kNationalCupTeams, (step - kFirstContinentalKnockout) >> 1);
    const bool pastDraw =
        s->monthIndex > kBracketMonth || (s->monthIndex == kBracketMonth && s->matchDayIndex > 0);
    if (s->viewEventAhead && pastDraw) {
        runtime::ShortArray* const teams = runtime::newShortArray(kViewEntries);
        clubServices().fillCupRoundFixtures(round, teams, kContinentalRow, flag);
    }
}

jint slotOfUser(const GameStatics* const s) {
    const runtime::ShortArray* const view = s->viewTeams;
    const jint n = view == nullptr ? 0 : std::min(view->length, kViewEntries);
    for (jint i = 0; i < n; ++i) {
        if ((*view)[i] == s->userTeam) {
            return i;
        }
    }
    return kNoTeam;
}

} // namespace

void showCompetitionEvent(const jboolean backwards, jint position, const jint type,
                          const jboolean keepCurrent) {
    GameStatics* const s = statics();
    s->viewCursor = 0;
    if (s->viewTeams == nullptr || s->viewTeams->length < kViewEntries) {
        runtime::log("showCompetitionEvent: viewTeams cannot hold %d teams", kViewEntries);
        return;
    }
    if (s->scheduleType != type || !keepCurrent) {
        position = findEventOfType(backwards, position, type);
        if (s->scheduleType != type) {
            return;
        }
        s->viewPosition = position;
    }
    const jint now = s->monthIndex * kMonthPositions + s->matchDayIndex;
    s->viewEventAhead = position > now || (position == now && markerOf(s->eventDoneByType, "eventDoneByType",
                                                                       s->scheduleType) == 0);
    if (s->viewEventAhead) {
        prepareEventAhead(s);
    } else {
        seasonScreenServices().storeRoundFixtures(s->scheduleType, 0, s->competitionStep);
    }
    fillNone(s->viewTeams);
    fillNone(s->viewMarks);
    const jint step = s->competitionStep;
    switch (s->scheduleType) {
    case kLeagueEvent: {
        copyLeagueTeams(s->viewTeams, s->userLeague, 0);
        const runtime::IntArray* const sizes = s->leagueSizes;
        s->viewTeamCount = sizes != nullptr && sizes->inBounds(s->userLeague) ? (*sizes)[s->userLeague] : 0;
        return;
    }
    case kNationalCupEvent:
        showNationalCup(s, step);
        break;
    case kContinentalEvent:
        showContinentalCup(s, step);
        break;
    default:
        return;
    }
    s->userCompetitionSlot = slotOfUser(s);
}

} // namespace game::season
