// The statics of the club database, its inbox and its squad lists that no other group declares:
// the offer amount, the inbox screen's list and its saved place, the match preview kept for the
// report, the squad lists' sort flags and selected entry, and the comparison counter of the sort.
// The tables themselves (team and player records, the inbox ring and pool, squadList, the keyed
// message list messageRecords) are declared by the groups of the classes that create them.
#pragma once

#include "runtime/Arrays.h"
#include "runtime/JavaTypes.h"
#include "runtime/StaticRef.h"

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
};

} // namespace game
