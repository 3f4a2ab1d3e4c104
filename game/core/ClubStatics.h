// The statics of the club database, its inbox, its squad lists and the season turnover that no
// other group declares: the offer amount, the inbox screen's list and its saved place, the match
// preview kept for the report, the squad lists' sort flags and selected entry, the comparison
// counter of the sort, the board's expectations and the user's figures of the turnover.
// The tables themselves (team and player records, the inbox ring and pool, squadList, the keyed
// message list messageRecords) are declared by the groups of the classes that create them.
#pragma once

#include "runtime/Arrays.h"
#include "runtime/JavaTypes.h"
#include "runtime/StaticRef.h"

namespace game::sprites {
struct ASpriteInstance;
}

namespace game {

struct ClubStatics {
    // Inbox messages.
    runtime::jint offerAmount;                               // the amount the user entered for an offer
    runtime::StaticRef<runtime::ByteArray> inboxListOffsets; // per listed row, the message's index from
                                                             // inboxStart; -1 empty (byte[100], made on
                                                             // first use)
    runtime::jint inboxUnread;                               // unread messages among the listed ones
    runtime::StaticRef<runtime::ByteArray> fixtureNotice;    // the newest listed message of type 8
    runtime::jboolean inboxPlaceSaved;                       // the screen saved its place when it was left
    runtime::jint inboxCursorSaved;                          // the saved selection
    runtime::jint inboxTopSaved;                             // the saved first row
    runtime::jint previewOutcome;                            // the last match preview's outcome 0..4

    // Squad lists.
    runtime::StaticRef<runtime::ByteArray> squadSortFlags; // 1 marks the column sorted by last (byte[6])
    runtime::jint listPage;                                // the selected entry of the list on screen
    runtime::jint compareCount;                            // comparisons made by comparePlayers

    // Season turnover: what the board expects of every team, the user's season-end figures and
    // the team change.
    runtime::StaticRef<runtime::ByteArray> clubStars;               // league expectation 0..5 per team
    runtime::StaticRef<runtime::ByteArray> cupExpectations;         // national-cup expectation per team
    runtime::StaticRef<runtime::ByteArray> continentalExpectations; // continental expectation per team
    runtime::StaticRef<runtime::ShortArray> cupResultScratch;       // one cup's results (short[32])
    runtime::jint seasonEndFunds;                                   // the user's money when the season ended
    runtime::jint sponsorIncome;                                    // the user's sponsorship of the turnover
    runtime::jint prizeIncome;                                      // the user's prize money of the turnover
    runtime::jbyte teamChanged;         // this turnover moved the user to a new club
    runtime::jint previousUserDivision; // the user's division before the turnover
    runtime::jint upgradeSizeSquared;   // the square of the new club's ground size value
    runtime::jboolean autoAdvance;      // the day advance runs on by itself; off at a new season
    // The turnover's loading animation; null until the screens' sprite set-up makes it.
    runtime::StaticRef<sprites::ASpriteInstance> loadingAnimation;
};

} // namespace game
