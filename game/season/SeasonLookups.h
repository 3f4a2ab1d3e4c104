// Small look-ups and updates the season code and the screens share: the listed teams, the
// squad slot of a player, the inbox ring's messages and the two message tests, the five kept
// club settings, the scratch counters, and the byte updates of a player record.
//
// Inbox messages are 27-byte records: type in byte 0 (signed), sender (bytes 1-2), player
// (bytes 3-4) and owner (bytes 23-24) big-endian, and single bytes 9, 15, 16 and 20 that the
// tests below read.
#pragma once

#include "runtime/Arrays.h"
#include "runtime/JavaTypes.h"

namespace game::season {

using runtime::jboolean;
using runtime::jint;

// Slots of the inbox ring; message i lies in slot (inboxStart + i) mod kInboxSlots.
inline constexpr jint kInboxSlots = 100;
inline constexpr jint kMessageBytes = 27;
inline constexpr jint kPlayerRecordBytes = 37;

// The team is one of listedTeams (none when the list is null).
jboolean isTeamInList(jint team);
// The index 0-29 of player in the first side's line-up list (lineup[0]), or -1.
jint findSquadSlot(jint player);
// Messages of the ring that messageAt reaches: inboxCount, at most kInboxSlots.
jint ringMessageCount();
// Message types 1..6 are the transfer and contract messages about one player.
inline bool isOfferType(const jint type) {
    return type >= 1 && type <= 6;
}
// The record of message i of the inbox ring: slot (inboxStart + i) mod 100.
runtime::ByteArray* messageAt(jint i);
// Removes message i (0 the oldest) from the ring, moving the shorter side of the ring over the
// gap: i = 0 moves inboxStart on, i = inboxCount - 1 moves inboxWrite back, otherwise the older
// messages move up a slot (inboxStart moves on) when fewer lie before i than after it, else the
// newer ones move down (inboxWrite moves back). Moved slots get new copies; inboxWrite stays the
// slot after the newest message. An i outside 0..inboxCount - 1 changes nothing (logged).
void deleteMessage(jint i);
// The first message of the ring, oldest first, about the team or key (bytes 1-2) and the player
// or key (bytes 3-4) that is still open for its type: types 1 and 4 always, 2 and 5 when byte
// 9 is 1, 3 and 6 when byte 15 is 1 (type 3 also when it is -1).
jboolean findMessage(jint teamOrKey, jint playerOrKey);
// The message concerns the user and is to be listed (see the decision in the .cpp).
jboolean isNotableMessage(const runtime::ByteArray* record);
// Walks the ring from the newest message to the oldest and answers true at the first unread one
// (byte 19's high nibble clear) that isNotableMessage accepts, keeping it in unreadListedMessage.
jboolean hasUnreadListedMessage();
// A message of the ring of type 1..6, byte 20 other than 2, is about the player (bytes 3-4).
jboolean hasOpenOfferFor(jint player);
// Mode 0 keeps the five club settings (ticketPriceLabels); mode 1 answers whether they still
// equal the kept ones; mode 2 restores them and re-derives each ticketPrices level from its
// label. Only mode 1 answers true.
jboolean snapshotCompare(jint mode);
// Clears scratchCounters.
void resetCounters();
// Byte byteIndex of the player's 37-byte record := value, or += value when add is set (8 bits).
void setPlayerRecordByte(jint player, jint value, jint byteIndex, jboolean add);
// Steps the player's morale (byte 32) down by moraleSteps[entry], or by 10 when entry is -1,
// modulo 100; when that raises the value and the grade (low nibble of byte 14) is below 7,
// the grade grows by 1.
void adjustPlayerMorale(jint player, jint entry);

} // namespace game::season
