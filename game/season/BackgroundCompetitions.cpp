// The background leagues and national cups (see BackgroundCompetitions.h).
#include "game/season/BackgroundCompetitions.h"

#include "game/core/GameStatics.h"
#include "game/core/LittleEndian.h"
#include "game/core/services/ClubServices.h"
#include "game/core/services/SeasonScreenServices.h"
#include "game/season/CalendarSearch.h"
#include "game/season/DaySchedule.h"
#include "game/season/LeagueTables.h"
#include "game/season/Matchdays.h"
#include "runtime/Log.h"

namespace game::season {

using namespace game::core;

namespace {

constexpr jint kLastPosition = kCalendarPositions - 1;
constexpr jint kMonthShift = 3;
constexpr jint kWeekMask = kMonthPositions - 1;
constexpr jint kLeagues = 13;
constexpr jint kCountries = 8;
constexpr jint kSingleDivisionLeague = 10;
constexpr jint kSingleDivisionOffset = 5;
// The national-cup steps played in the background (the early steps belong to the season code),
// with 16 teams.
constexpr jint kFirstBackgroundCupStep = 3;
constexpr jint kLastBackgroundCupStep = 10;
constexpr jint kCupTeams = 16;
constexpr jint kPendingValues = 5;
// One team a week is prepared: the team numbered like the week, among the first 13.
constexpr jint kPreparedTeams = 13;
constexpr jint kPreparedSide = 1;
// The promotion (18, the second division's top three) and relegation (19, the first division's
// bottom three) news of the partner division.
constexpr jint kPromotionMessage = 18;
constexpr jint kRelegationMessage = 19;
constexpr jint kMovingTeams = 3;
constexpr jint kUnused = -1;
constexpr jint kToArray = 0;

jint firstDivisionOf(const jint country) {
    return country < kSingleDivisionLeague / 2 ? 2 * country : country + kSingleDivisionOffset;
}

jint teamAt(const runtime::ShortArray* const teams, const jint slot) {
    if (teams == nullptr || !teams->inBounds(slot)) {
        runtime::log("playOtherCompetitions: no team at slot %d", slot);
        return kUnused;
    }
    return (*teams)[slot];
}

void keepPendingValues(GameStatics* const s) {
    const runtime::ShortArray* const pending = s->pendingShorts5;
    runtime::ShortArray* const kept = s->competitionShorts5;
    if (pending == nullptr || kept == nullptr || pending->length < kPendingValues ||
        kept->length < kPendingValues) {
        runtime::log("advanceOtherCompetition: the pending values cannot be kept");
    } else {
        for (jint i = 0; i < kPendingValues; ++i) {
            (*kept)[i] = (*pending)[i];
        }
    }
    s->competitionTail = static_cast<jbyte>(s->pendingCount);
    s->pendingCount = 0;
}

void playPosition(GameStatics* const s, const jint position, const jint league, const jboolean cupMode) {
    const jint week = position & kWeekMask;
    if (week == 0) {
        buildDaySchedule(position >> kMonthShift, league, 1, 1);
    }
    loadEventPair(week);
    seasonScreenServices().updateCompetitionStrengths();
    const jint step = s->competitionStep;
    if (!cupMode && s->scheduleType == kLeagueEvent) {
        s->competitionRound = step;
        playLeagueMatchday(0, 1);
    } else if (cupMode && s->scheduleType == kNationalCupEvent && step >= kFirstBackgroundCupStep &&
               step <= kLastBackgroundCupStep) {
        s->competitionRound = ((step + 1) >> 1) + 1;
        s->competitionSize = kCupTeams;
        s->cupSecondLeg = (step & 1) != 0 ? 1 : 0;
        playCupMatchday(1, 0);
    }
    keepPendingValues(s);
}

// The promotion or relegation news of the user's partner division, whose table is at hand.
void postDivisionNews(GameStatics* const s, const jint league) {
    const runtime::IntArray* const sizes = s->leagueSizes;
    if (sizes == nullptr || !sizes->inBounds(league)) {
        runtime::log("playOtherCompetitions: no size for league %d", league);
        return;
    }
    const jint n = (*sizes)[league];
    const runtime::ByteArray* const order = sortStandings(n, 0, 0);
    if (s->promotionMessagesOff) {
        return;
    }
    const bool userInSecondDivision = (s->userLeague & 1) != 0;
    for (jint i = 0; i < kMovingTeams; ++i) {
        const jint place = userInSecondDivision ? n - 1 - i : i;
        if (order == nullptr || !order->inBounds(place)) {
            runtime::log("playOtherCompetitions: no table place %d in league %d", place, league);
            return;
        }
        const jint team = teamAt(s->competitionTeams, (*order)[place]);
        clubServices().postInboxMessage(userInSecondDivision ? kRelegationMessage : kPromotionMessage, team,
                                        userInSecondDivision ? 1 : 0, kUnused, kUnused, kUnused, kUnused,
                                        kUnused, kUnused, kUnused, kUnused, kUnused, kUnused);
    }
}

} // namespace

void advanceOtherCompetition(const jboolean cupMode) {
    GameStatics* const s = statics();
    const jint from = s->backgroundPosition;
    if (from >= kLastPosition) {
        return;
    }
    // In cup mode secondLeague is a country: its calendar is its first division's.
    const jint league = cupMode ? firstDivisionOf(s->secondLeague) : s->secondLeague;
    s->userCompetitionSlot = -1;
    buildDaySchedule((from + 1) >> kMonthShift, league, 1, 1);
    const jint now = s->monthIndex * kMonthPositions + s->matchDayIndex;
    for (jint position = from + 1; position <= now; ++position) {
        playPosition(s, position, league, cupMode);
    }
    s->backgroundPosition = static_cast<jbyte>(now);
    buildDaySchedule(s->monthIndex, s->userLeague, 0, 0);
}

void playOtherCompetitions(const jboolean withMessages) {
    GameStatics* const s = statics();
    s->otherLeaguesFlag = 0;
    const jint team = s->matchDayIndex;
    if (team < kPreparedTeams && leagueOfTeam(team) != s->userLeague) {
        seasonScreenServices().prepareTeamSide(kPreparedSide, team, 0);
    }
    const bool twoDivisions = s->userLeague >= 0 && s->userLeague < kSingleDivisionLeague;
    const jint partner = s->userLeague ^ 1;
    for (jint league = 0; league < kLeagues; ++league) {
        if (league == s->userLeague) {
            continue;
        }
        seasonScreenServices().loadLeagueData(league, 1, 0);
        seasonScreenServices().selectLeagueState(0, league, 0);
        s->secondLeague = league;
        advanceOtherCompetition(0);
        seasonScreenServices().selectLeagueState(0, s->secondLeague, 1);
        if (withMessages && twoDivisions && league == partner) {
            postDivisionNews(s, league);
        }
    }
    const jint userCountry = countryOfLeague(s->userLeague);
    for (jint country = 0; country < kCountries; ++country) {
        if (country == userCountry) {
            continue;
        }
        s->secondLeague = country;
        copyLayoutRow(s->competitionTeams, country, kToArray);
        seasonScreenServices().selectLeagueState(1, country, 0);
        advanceOtherCompetition(1);
        seasonScreenServices().selectLeagueState(1, s->secondLeague, 1);
    }
}

} // namespace game::season
