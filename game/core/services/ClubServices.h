// What the framework uses of the club database and season code; the club's own routines answer
// (game/resources/ClubRoutines.h).
//
// The records these operations read and write live in the static block: the 37-byte player
// records (playerRecords), the 64-byte team records (teamRecords), the inbox ring of 27-byte
// messages (inboxRing with inboxStart, inboxWrite and inboxCount: message i is in slot
// (inboxStart + i) mod 100) and the saved-game record (saveRecordBuffer, 5,736 bytes).
#pragma once

#include "runtime/Arrays.h"
#include "runtime/JavaTypes.h"

namespace game::core {

using runtime::jboolean;
using runtime::jint;

class ClubServices {
public:
    virtual ~ClubServices() = default;

    // Messages.
    // Builds a 27-byte message of the given type from the twelve parameters (-1 for an unused
    // one) and adds it to the inbox ring.
    virtual void postInboxMessage(jint type, jint p1, jint p2, jint p3, jint p4, jint p5, jint p6, jint p7,
                                  jint p8, jint p9, jint p10, jint p11, jint p12) = 0;
    // Rebuilds the list the inbox screen shows, its selection and its first row.
    virtual void refreshInboxScreen() = 0;
    // Adds the message record to the keyed message list (messageRecords), or updates the one
    // with the same key, and keeps messageRecordCount.
    virtual void upsertKeyedMessage(runtime::ByteArray* record) = 0;

    // The cup bracket view.
    // Copies participants row `row` of layoutRows into list, then the slots of each tie of
    // knockout round max(round, 3) from cupBracket, as list entries, into viewTeams (the two of
    // a tie exchanged when flag is set), stopping at the first undrawn tie.
    virtual void fillCupRoundFixtures(jint round, runtime::ShortArray* list, jint row, jboolean flag) = 0;

    // Saving.
    // Saves (save set) or loads record 1 of the game's store through saveRecordBuffer; a loaded
    // record that is not 5,736 bytes starts a new game. Failures travel as pending exceptions.
    virtual void saveOrLoadGameRecord(jboolean save) = 0;
    // Reads saveRecordBuffer back into the statics.
    virtual void unpackGameRecord() = 0;

    // Player and team records.
    // The player's age in whole years at the current date.
    virtual jint getPlayerAge(jint player) = 0;
    // The team's wage budget less its squad's wages (for userTeam, less the running wage total).
    virtual jint getTeamWageRoom(jint team) = 0;
    // The team's strength from its squad slots (the first eleven when startersOnly is set); 0 for
    // team numbers 65535 and above.
    virtual jint getTeamStrength(jint team, jboolean startersOnly) = 0;
};

ClubServices& clubServices();
// Installs service (null restores the interim one); returns the previous one.
ClubServices* installClubServices(ClubServices* service);

} // namespace game::core
