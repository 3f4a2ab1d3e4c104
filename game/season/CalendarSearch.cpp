// Searches over the season calendar (see CalendarSearch.h).
#include "game/season/CalendarSearch.h"

#include "game/core/GameStatics.h"
#include "game/season/CompetitionRecords.h"
#include "game/season/DaySchedule.h"
#include "runtime/Log.h"

namespace game::season {

namespace {

// The searches see nothing of the last month.
constexpr jint kLastSearchedMonth = 11;
// Two sweeps of the calendar reach every position from any start in either direction.
constexpr jint kSearchSteps = 2 * kCalendarPositions;
constexpr jint kOneOffStep = 1;
constexpr jint kNoFixture = -1;
// position >> kMonthShift is the month of a position.
constexpr jint kMonthShift = 3;

} // namespace

void loadEventPair(const jint week) {
    GameStatics* const s = statics();
    s->previousScheduleType = s->scheduleType;
    const runtime::ByteArray* const schedule = s->daySchedule;
    if (schedule == nullptr || week < 0 || week >= kMonthPositions || !schedule->inBounds(2 * week + 1)) {
        runtime::log("calendar: no event position %d in the loaded month", week);
        s->scheduleType = kFreeEvent;
        s->competitionStep = 0;
        return;
    }
    s->scheduleType = (*schedule)[2 * week];
    s->competitionStep = (*schedule)[2 * week + 1];
}

jint friendlyAt(const jint week, const jint month) {
    const runtime::ShortArray* const fixtures = statics()->fixtureTable;
    const jint index = week + kMonthPositions * month;
    if (fixtures == nullptr || !fixtures->inBounds(index)) {
        return kNoFixture;
    }
    return (*fixtures)[index];
}

void classifyEvent(const jint week, const jint month) {
    loadEventPair(week);
    GameStatics* const s = statics();
    if (s->scheduleType != kFreeEvent) {
        return;
    }
    if (s->competitionStep == kOneOffStep) {
        s->scheduleType = kOneOffEvent;
    } else if (friendlyAt(week, month) != kNoFixture) {
        s->scheduleType = kFriendlyEvent;
    }
}

void findNextUserEvent() {
    GameStatics* const s = statics();
    s->eventsToUserEvent = -1;
    if (s->eventSearchOff || s->monthIndex == kLastSearchedMonth) {
        return;
    }
    bool found = false;
    for (jint m = s->monthIndex; m < kLastSearchedMonth && !found; ++m) {
        buildDaySchedule(m, s->userLeague, 0, 0);
        for (jint w = m == s->monthIndex ? s->matchDayIndex : 0; w < kMonthPositions; ++w) {
            classifyEvent(w, m);
            if (isUserInCompetition()) {
                s->eventsToUserEvent = (m - s->monthIndex) * kMonthPositions - s->matchDayIndex + w;
                found = true;
                break;
            }
        }
    }
    buildDaySchedule(s->monthIndex, s->userLeague, 0, 0);
}

jint findEventOfType(jboolean backwards, const jint position, const jint type) {
    GameStatics* const s = statics();
    jint at = position;
    for (jint i = 0; i < kSearchSteps; ++i) {
        if (!backwards) {
            ++at;
            if (at > kCalendarPositions - 1) {
                at = kCalendarPositions - 1;
                backwards = 1;
            }
        } else {
            --at;
            if (at < 0) {
                at = 0;
                backwards = 0;
            }
        }
        const jint week = at % kMonthPositions;
        if ((!backwards && week == 0) || (backwards && week == kMonthPositions - 1)) {
            buildDaySchedule(at / kMonthPositions, s->userLeague, 1, 0);
        }
        loadEventPair(week);
        if (s->scheduleType == type) {
            return at;
        }
    }
    runtime::log("findEventOfType: no event of type %d in the calendar", type);
    buildDaySchedule(position >> kMonthShift, s->userLeague, 1, 0);
    return position;
}

} // namespace game::season
