// The season work the day advance runs, one task at a time. The day advance reaches the season
// routines through this one seam so that its order of work can be followed and scripted; the
// default runs the routines themselves.
#pragma once

#include "runtime/JavaTypes.h"

namespace game::menus {

using runtime::jint;

enum class DayTask {
    developComputerPlayers, // (matchDayIndex)
    trainSquad,             // (matchDayIndex)
    updateDailyCondition,
    autoSave,
    updateDivisionStandings, // (final)
    buildDivisionTable,      // (division)
    rankTeamsByRating,
    advanceMatchDay,
    processTransfers,
    processScouting,
    buildMonthFixtures, // (monthIndex; the user's division)
    findNextOpponent,
    findUserFixture, // (matchDayIndex; monthIndex)
    processPendingMessages,
    findNextMatchDay,
    rateUserSeason,
    applyBoardVerdict,
    postContractNotice,
    postRetirementNotice, // (squad slot)
    processContractExpiries,
    retirePlayer, // (player)
    dealGeneratedPlayers,
    closeFixture,
    simulateDayMatches,
};

class DayWork {
public:
    virtual ~DayWork() = default;
    // Runs task with its argument (ignored by the tasks that take none).
    virtual void run(DayTask task, jint argument) = 0;
};

DayWork& dayWork();
// Installs work (null restores the season routines); returns the previous one.
DayWork* installDayWork(DayWork* work);
// The name of a task, as tests and logs show it.
const char* dayTaskName(DayTask task);

} // namespace game::menus
