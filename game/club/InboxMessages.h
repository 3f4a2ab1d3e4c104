// The inbox: 27-byte message records (game/club/RecordLayout.h) in a ring of the 100 newest
// (inboxRing from inboxStart, inboxWrite the slot the next one goes to, inboxCount), built from a
// type and twelve parameters; the look-ups over the ring, the inbox screen's list and the keyed
// second list of messages (messageRecords). The message being answered is offerMessage.
#pragma once

#include "runtime/Arrays.h"
#include "runtime/JavaTypes.h"

namespace game::club {

using runtime::jboolean;
using runtime::jint;

// Builds a message of the type from the parameters (-1 for one not given), settles a reply to an
// offer, stamps the date and appends it, dropping the oldest of a full ring; refreshes the inbox
// screen in states 133 and 1030 when the ring was or is full.
void postInboxMessage(jint type, jint p1, jint p2, jint p3, jint p4, jint p5, jint p6, jint p7, jint p8,
                      jint p9, jint p10, jint p11, jint p12);
// Appends a new copy of the record to the ring; a full ring loses its oldest message.
void storeRecentRecord(runtime::ByteArray* record);
// From the newest message back: each unread one becomes offerMessage, and the first that
// isNotableMessage accepts answers true.
jboolean findAnswerableMessage();
// From the oldest message: a message of the type about the player that is still in play (type 7:
// a score below 50; others: a non-zero score from a sender other than team, any sender for -1),
// logged with the player's and the sender's names; false when none is.
jboolean findOfferMessage(jint player, jint team, jint type);
// The inbox screen's list (inboxListOffsets, inboxListCount), its unread count, its selection
// (inboxCursor) and first row (inboxTop), and the newest listed fixture notice.
void refreshInboxScreen();
// Adds the record to the keyed list (messageRecords, messageRecordCount, at most
// messageRecordLimit rows) or, when a row with its key (bytes 1-2) is listed, takes its value
// (bytes 11-14) unless that is 0xFFFFFFFF. A full list is left as it is.
void upsertKeyedMessage(runtime::ByteArray* record);

} // namespace game::club
