// The statics of the season flow's menu family: the day advance (its mode flags, the match of
// the day, the competitions being settled, the weather, the results screen, the next-match line,
// the day's note flags and counters) and the club home screen (its cursor, list view, guide and
// questions).
#pragma once

#include "runtime/Arrays.h"
#include "runtime/JavaTypes.h"
#include "runtime/StaticRef.h"
#include "runtime/String.h"

namespace game {

namespace sprites {
struct ASprite;
struct ASpriteInstance;
} // namespace sprites

struct DayAdvanceStatics {
    // The day's mode flags.
    runtime::jbyte silentDay;  // the coming day runs without messages and without the user's match
    runtime::jbyte holdAtHome; // the day ends at the home screen whatever else is pending

    // The match of the day.
    runtime::jint opponentIndex;     // the opponent's index in competitionTeams for today
    runtime::jint userTablePosition; // the user's index in competitionTeams; -1 absent
    runtime::jbyte matchPrepared;    // today's match has been prepared by the fixture lookup
    runtime::jbyte matchShown;       // the user's match is to be shown
    runtime::jbyte resultClosing;    // the user's match is booked without being shown
    runtime::jint resultTeamA;       // the two teams of the match being booked; -1 none
    runtime::jint resultTeamB;
    runtime::jint shownStage;     // the stage of the competition the match booking shows
    runtime::jint matchFormation; // the formation chosen for today's match
    runtime::jint previousMatchFormation;
    runtime::StaticRef<runtime::ShortArray> currentTeamSheet; // today's team sheet (short[5])
    runtime::StaticRef<runtime::ShortArray> savedTeamSheet;   // the one of the last match (short[5])

    // Settling a competition.
    runtime::StaticRef<runtime::ShortArray> leagueTableSaved; // competitionTeams kept meanwhile (short[32])
    runtime::StaticRef<runtime::IntArray> userAwards;         // 1 where the user's club won award i (int[3])
    runtime::jint awardKind;                                  // 16, 32 or the division's code

    // The weather of the day.
    runtime::jint matchWeather; // 0 none, 1, 2 or 3
    runtime::jint weatherStrength;
    runtime::jint weatherCounter;
    runtime::jint weatherCounterStart;

    // The results screen after a match.
    runtime::jint resultsPage;
    runtime::jint tableRefreshed;    // the selected row of the results table
    runtime::jint tableFirstRow;     // the first row shown in tables
    runtime::jint userGroup;         // the user's group 0..7 in a group stage
    runtime::jbyte viewingOwnLeague; // the table screens show the user's own league

    // The line about the user's next match (constant string 1 when there is none).
    runtime::StaticRef<runtime::String> nextMatchLine;

    // Rebuilt youths at the season's end, then the young players without a contract.
    runtime::jint youthCount;

    // The day's bookkeeping. Nothing writes the milestone counter or the squad bonus switch yet,
    // so the work they guard does not run.
    runtime::jint matchMilestoneCount;                   // the user's matches counted for message 54
    runtime::jbyte squadBonusSwitch;                     // the season's player bonus is on
    runtime::StaticRef<runtime::IntArray> dailyCounters; // four counters reset each day (int[4])
    runtime::jbyte dailyCounterFlag;                     // their flag, cleared with them
    runtime::jbyte dayNoteFlag;                          // the day's note flag (month 10, days 0 and 5)
    runtime::jbyte advanceRequested;                     // the day's second note flag

    // The sprites of the day advance and the home screen; a missing one is not painted.
    runtime::StaticRef<sprites::ASpriteInstance> transitionSprite; // the transition animation
    runtime::StaticRef<sprites::ASpriteInstance> advanceSprite;    // the day-advance animation
    runtime::StaticRef<sprites::ASpriteInstance> homeCursorSprite; // the home screen's cursor
    runtime::StaticRef<sprites::ASpriteInstance> selectionSprite;  // the touch animation of a list row
    runtime::StaticRef<sprites::ASprite> advanceBackground;        // frame 0: the day-advance background
    runtime::StaticRef<sprites::ASprite> menuBackdrop;             // frame 0: the menu backdrop
    runtime::StaticRef<sprites::ASprite> menuElementsSprite;       // headers, list rows, page arrows
    runtime::StaticRef<sprites::ASprite> markerSprite;             // frame 0: the new-item marker

    // The club home screen.
    runtime::jbyte homeEntriesShown; // the list view of the ten entries is shown
    runtime::jint guideNoticeText;   // text id of the guide's notice
    runtime::jint pendingHomeState;  // entered when the guide's notice closes
    runtime::jbyte guideFirstDone;   // entries 3, 7 and 9 have no notice pending
    runtime::jbyte guideAllDone;     // nor have entries 4, 5, 6 and 8
    runtime::jint homeEntryNameText; // text id of the highlighted entry's name
    runtime::jint homeCursorX;
    runtime::jint homeCursorY;
    runtime::jint homeCursorStep;    // the glide's step 0..4
    runtime::jbyte homeCursorMoving; // the cursor glides
    runtime::jint homePreviousEntry; // the entry the cursor glides from
    runtime::jint homeListPage;      // page 0 or 1 of the list view
    runtime::jbyte selectionAnimating;
};

} // namespace game
