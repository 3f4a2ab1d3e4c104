// The day schedule: one month of the season calendar (calendarDays, eight event bytes a month)
// laid out in daySchedule as eight (type, step) pairs for one league. Long leagues (21 teams and
// more) get their league rounds shifted and free positions turned into extra rounds; rounds a
// league or a country does not play are dropped; the user's early national-cup flags are set.
//
// Event types: 0 free, 1 league round, 2 national-cup round, 3 continental-cup round.
#pragma once

#include "runtime/JavaTypes.h"

namespace game::season {

using runtime::jboolean;
using runtime::jint;

// The calendar's shape: twelve months of eight event positions.
inline constexpr jint kCalendarMonths = 12;
inline constexpr jint kMonthPositions = 8;
inline constexpr jint kCalendarPositions = kCalendarMonths * kMonthPositions;

// Event types of daySchedule.
inline constexpr jint kFreeEvent = 0;
inline constexpr jint kLeagueEvent = 1;
inline constexpr jint kNationalCupEvent = 2;
inline constexpr jint kContinentalEvent = 3;

// Loads month `day` (0..11) of the calendar into daySchedule for league (sets leagueRoundShift).
// Unless quiet, sets the user's early-cup flags and, with checkContinental, marks cupStatus[2]
// -2 at a continental event the user is not in. A month or league outside the tables is logged
// and leaves every position free.
void buildDaySchedule(jint day, jint league, jboolean checkContinental, jboolean quiet);

} // namespace game::season
