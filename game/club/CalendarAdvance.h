// The calendar's daily step and its notices: the match day and month roll on (the year turns in
// January), players are revalued twice a season, the board's verdict becomes a warning, a
// dismissal or job offers, expiring contracts and retirements are announced, and players retire.
#pragma once

#include "runtime/JavaTypes.h"

namespace game::club {

using runtime::jboolean;
using runtime::jint;

// One match day on; at the eighth the month rolls over and its fixtures are built.
void advanceMatchDay();
// The season's verdict (seasonVerdict) becomes boardDecision, the job-offer strength range and
// the board's messages 9 and 10.
void applyBoardVerdict();
// Fills jobOfferTeams with clubs of next season's top divisions whose strength lies in the job-offer
// range: at most 1500 tries of eligible clubs, and 30,000 draws in all.
void findJobOffers();
// squadList := the user's players whose contract ends this season and who are under 34; posts
// message 8 when there are any and post is set.
void postContractNotice(jboolean post);
// Posts message 61 for the player of the user's squad slot whose contract ends and who is 34 or
// older, answering 1; 0 for anyone else.
jint postRetirementNotice(jint slot);
// The player leaves his club and the game (the user hears of his own players).
void retirePlayer(jint player);
// postInboxMessage with the type and four parameters, the other eight -1.
void postBrief(jint type, jint p1, jint p2, jint p3, jint p4);

} // namespace game::club
