// Searches over the season calendar: the classification of an event position of the loaded month,
// the distance to the next event the user's club takes part in, and the next or previous
// position whose event has a given type. A position is month x 8 + week, 0..95.
//
// Event modes (scheduleType): the types of daySchedule (0 free, 1 league, 2 national cup,
// 3 continental cup) and two modes made from a free position: 4 a one-off match (a free position
// with step 1) and 5 a friendly (a free position with a fixtureTable entry).
#pragma once

#include "runtime/JavaTypes.h"

namespace game::season {

using runtime::jboolean;
using runtime::jint;

inline constexpr jint kOneOffEvent = 4;
inline constexpr jint kFriendlyEvent = 5;

// previousScheduleType := scheduleType; scheduleType and competitionStep := the pair of week in
// daySchedule. A week outside 0..7 is logged and reads as a free position.
void loadEventPair(jint week);
// loadEventPair, then a free position becomes mode 4 (step 1) or 5 (a friendly at week of month).
void classifyEvent(jint week, jint month);
// The friendly at (week, month): fixtureTable[week + 8 x month], -1 for none or outside the table.
jint friendlyAt(jint week, jint month);
// eventsToUserEvent := positions from (monthIndex, matchDayIndex) to the first event of months
// up to 10 the user's club takes part in, -1 for none; the current month is loaded afterwards.
void findNextUserEvent();
// Steps from position (forwards, or backwards when set, turning at 0 and 95), loading each month
// it enters, to the first position whose stored type is type, and returns it. The current
// month's entry must be loaded. A type not found within two sweeps of the calendar is logged:
// the start position's month is loaded again and the start position returned.
jint findEventOfType(jboolean backwards, jint position, jint type);

} // namespace game::season
