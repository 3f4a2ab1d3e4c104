// Calendar event processing (see CalendarEvents.h).
#include "game/season/CalendarEvents.h"

#include "game/core/GameStatics.h"
#include "game/core/services/ClubServices.h"
#include "game/core/services/MenuStateServices.h"
#include "game/core/services/SeasonScreenServices.h"
#include "game/season/CalendarSearch.h"
#include "game/season/CompetitionRecords.h"
#include "game/season/DaySchedule.h"
#include "game/season/LeagueTables.h"
#include "game/season/Matchdays.h"
#include "runtime/Log.h"
#include "runtime/System.h"

namespace game::season {

using namespace game::core;

namespace {

constexpr jint kNoSlot = -1;
constexpr jint kNoTeam = -1;
constexpr jint kOneOffStep = 1;
constexpr jint kFriendlyOpponentSlot = 1;
constexpr jint kOpponentSide = 1;
constexpr jint kCompetitionSlots = 32;

// Leagues 0..9 are five countries of two divisions; leagues from 10 on stand alone.
constexpr jint kSingleDivisionLeague = 10;

// The season's closing message: at these positions of the last month.
constexpr jint kLastMonth = 11;
constexpr jint kClosingMessage = 58;
constexpr jint kClosingMessageText = 622;

// The opening weeks: from month 0 week 3, 37 steps visit positions 4 to 40.
constexpr jint kOpeningWeek = 3;
constexpr jint kOpeningSteps = 37;
constexpr jint kQualifierSteps = 3;
constexpr jint kNationalCupOpeningStep = 0;
constexpr jint kSingleDivisionCupStep = 3;
constexpr jint kCupEntryLevel = 16;
constexpr jint kUnknownLevel = -1;
constexpr jint kSeasonStartMenu = 136;

bool isClosingPosition(const jint week) {
    return week == 1 || week == 6 || week == 7;
}

// competitionTeams[slot], or -1 (logged unless the slot is -1) when there is no such slot.
jint teamAtSlot(const jint slot) {
    const runtime::ShortArray* const teams = statics()->competitionTeams;
    if (teams == nullptr || !teams->inBounds(slot)) {
        if (slot != kNoSlot) {
            runtime::log("calendar: no competition slot %d", slot);
        }
        return kNoTeam;
    }
    return (*teams)[slot];
}

void storePair(runtime::ShortArray* const pairs, const jint first, const jint home, const jint away) {
    if (pairs == nullptr || !pairs->inBounds(first + 1)) {
        runtime::log("calendar: no fixture pair at %d", first);
        return;
    }
    (*pairs)[first] = static_cast<runtime::jshort>(home);
    (*pairs)[first + 1] = static_cast<runtime::jshort>(away);
}

// The away team of the one-off match of the user's league: countryPairTeams entry
// (league with bit 0 cleared) + 1 below league 10, league + 1 from there on.
jint oneOffAwayTeam(const jint league) {
    const runtime::ShortArray* const pairs = statics()->countryPairTeams;
    const jint index = league < kSingleDivisionLeague ? (league & ~1) + 1 : league + 1;
    if (pairs == nullptr || !pairs->inBounds(index)) {
        return kNoTeam;
    }
    return (*pairs)[index];
}

void prepareLeagueRound(GameStatics* const s, const jboolean preview) {
    s->userAtHome = 0;
    if (preview) {
        runtime::ShortArray* const view = s->viewTeams;
        copyLeagueTeams(view, s->userLeague, 0);
        s->userCompetitionSlot = kNoSlot;
        for (jint i = 0; view != nullptr && i < kCompetitionSlots && i < view->length; ++i) {
            if ((*view)[i] == s->userTeam) {
                s->userCompetitionSlot = i;
                break;
            }
        }
    } else {
        seasonScreenServices().prepareLeague(s->userLeague, 0, 0);
    }
    seasonScreenServices().buildLeagueDayFixtures(s->competitionStep, preview ? 0 : 1);
    if (s->competitionStep >= s->scheduleRoundCount) {
        // The return half of the season: the venues of the first half are swapped.
        s->userAtHome = s->userAtHome ? 0 : 1;
    }
}

void prepareFreePosition(GameStatics* const s, const jint week, const jboolean preview, const jint month) {
    if (s->competitionStep == kOneOffStep) {
        s->scheduleType = kOneOffEvent;
        if (s->userTeam == oneOffAwayTeam(s->userLeague)) {
            s->userAtHome = 0;
        }
    } else {
        const jint fixture = friendlyAt(week, month);
        if (fixture != -1) {
            s->scheduleType = kFriendlyEvent;
            s->userOpponentSlot = kFriendlyOpponentSlot;
            s->fixtureOpponent = static_cast<runtime::jshort>(fixture);
            if (!preview) {
                seasonScreenServices().prepareTeamSide(kOpponentSide, s->fixtureOpponent, 0);
            }
        }
    }
    if (!preview && s->scheduleType != kFreeEvent) {
        seasonScreenServices().setupCompetitionDay(s->scheduleType, s->scheduleType == kOneOffEvent
                                                                        ? countryOfLeague(s->userLeague)
                                                                        : s->competitionStep);
    }
}

// One of the user's continental qualifiers (step t < 3) into cupRoundPairsA: the user's club is
// away by its place in its group of four and the step.
void recordQualifier(GameStatics* const s) {
    const jint slot = s->userCompetitionSlot;
    const jint k = slot % 4;
    const jint t = s->competitionStep;
    const bool away = (k == 1 && t == 0) || (k == 2 && (t == 1 || t == 2)) || k == 3;
    const jint opponent = teamAtSlot(s->userOpponentSlot);
    const jint user = teamAtSlot(slot);
    storePair(s->cupRoundPairsA, 2 * t, away ? opponent : user, away ? user : opponent);
}

// The user's first national-cup tie into cupRoundPairsB. userClubLevel stands for the user's
// slot in the cup's draw: the first half of the slots plays at home.
void recordNationalCupOpener(GameStatics* const s) {
    if (s->userClubLevel == kUnknownLevel) {
        return;
    }
    const jint user = teamAtSlot(s->userClubLevel);
    const jint opponent = teamAtSlot(s->userOpponentSlot);
    if (s->userClubLevel < s->competitionSize / 2) {
        storePair(s->cupRoundPairsB, 0, user, opponent);
    } else {
        storePair(s->cupRoundPairsB, 0, opponent, user);
    }
}

void loadMonth(GameStatics* const s) {
    buildDaySchedule(s->monthIndex, s->userLeague, 0, 0);
}

} // namespace

void processCalendarEvent(const jint week, const jboolean preview, const jint month, const jint filter) {
    GameStatics* const s = statics();
    if (filter == kClassifyOnly) {
        classifyEvent(week, month);
        return;
    }
    loadEventPair(week);
    if (filter != kAnyEvent && s->scheduleType != filter) {
        return;
    }
    if (s->previousScheduleType != s->scheduleType) {
        clearStandingsRows();
    }
    s->userAtHome = 1;
    switch (s->scheduleType) {
    case kLeagueEvent:
        prepareLeagueRound(s, preview);
        break;
    case kNationalCupEvent:
    case kContinentalEvent:
        if (!preview) {
            seasonScreenServices().setupCompetitionDay(s->scheduleType, s->competitionStep);
        }
        break;
    case kFreeEvent:
        prepareFreePosition(s, week, preview, month);
        break;
    default:
        runtime::log("processCalendarEvent: unknown event type %d", s->scheduleType);
        break;
    }
    s->userEventNow = isUserInCompetition();
    if (s->userEventNow && s->monthIndex == kLastMonth && isClosingPosition(s->matchDayIndex) && !preview) {
        clubServices().postInboxMessage(kClosingMessage, kClosingMessageText, s->userOpponentSlot, -1, -1, -1,
                                        -1, -1, -1, -1, s->scheduleType, -1, -1);
    }
}

void findNextUserOpponent() {
    GameStatics* const s = statics();
    if (s->eventSearchOff) {
        return;
    }
    jint w = s->matchDayIndex;
    jint m = s->monthIndex;
    if (w == kMonthPositions) {
        w = 0;
        m += 1;
    }
    s->nextUserOpponent = kNoTeam;
    s->userOpponentSlot = kNoSlot;
    if (m >= kLastMonth) {
        return;
    }
    runtime::ShortArray* const teams = s->competitionTeams;
    runtime::ShortArray* const backup = s->competitionTeamsBackup;
    runtime::System::arraycopy(teams, 0, backup, 0, kCompetitionSlots);
    bool found = false;
    while (!found && m < kLastMonth) {
        buildDaySchedule(m, s->userLeague, 0, 0);
        for (jint week = w; week < kMonthPositions; ++week) {
            processCalendarEvent(week, 0, m, kAnyEvent);
            if (s->userOpponentSlot != kNoSlot) {
                s->nextUserOpponent = teamAtSlot(s->userOpponentSlot);
                found = true;
                break;
            }
        }
        m += 1;
        w = 0;
    }
    runtime::System::arraycopy(backup, 0, teams, 0, kCompetitionSlots);
    loadMonth(s);
}

void startSeasonCalendar() {
    GameStatics* const s = statics();
    // The wage room is yearly: the season's first contract offer works it out again.
    s->wageRoom = 0;
    s->wageRoomSet = 0;
    s->cupEntryFlag = s->userLeague >= kSingleDivisionLeague && s->userClubLevel >= kCupEntryLevel ? 0 : 1;
    s->matchDayIndex = kOpeningWeek;
    s->monthIndex = 0;
    loadMonth(s);
    for (jint i = 0; i < kOpeningSteps; ++i) {
        s->matchDayIndex += 1;
        if (s->matchDayIndex == kMonthPositions) {
            s->matchDayIndex = 0;
            s->monthIndex += 1;
            loadMonth(s);
        }
        processCalendarEvent(s->matchDayIndex, 0, s->monthIndex, kContinentalEvent);
        if (s->scheduleType == kContinentalEvent && s->competitionStep < kQualifierSteps && s->userInCup) {
            recordQualifier(s);
        } else if (s->scheduleType == kNationalCupEvent && s->cupEntryFlag &&
                   ((!s->earlyCupFlag0 && s->competitionStep == kNationalCupOpeningStep) ||
                    (s->userLeague >= kSingleDivisionLeague &&
                     s->competitionStep == kSingleDivisionCupStep))) {
            processCalendarEvent(s->matchDayIndex, 0, s->monthIndex, kNationalCupEvent);
            recordNationalCupOpener(s);
        }
    }
    s->matchDayIndex = 0;
    s->monthIndex = 0;
    menuStateServices().setMenuState(kSeasonStartMenu);
    clearStandingsRows();
    runtime::ByteArray* const fixtures = s->roundFixtures;
    for (jint i = 0; fixtures != nullptr && i < fixtures->length; ++i) {
        (*fixtures)[i] = -1;
    }
    findNextUserEvent();
    findNextUserOpponent();
    loadMonth(s);
    processCalendarEvent(s->matchDayIndex % kMonthPositions, 0, s->monthIndex, kAnyEvent);
    s->menuPhase = 0;
}

} // namespace game::season
