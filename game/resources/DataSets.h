// The game's long-lived tables, each kept as record 1 of a record store of its own. Each table has
// one persisting routine: with save true it writes the table into record 1; with false it reads
// record 1 back, or, when the store has no record yet, builds the table's first-run contents and
// stores them as record 1. Saving into a store without a record adds it. resetDataSets rewrites
// every store that holds a record, for a new game.
//
// A record of another length than its table needs is never read: it is logged and treated as a
// first run (the defaults are built and replace it). Counts and lengths read from records are
// checked against the record (the inbox's message count, the profile's name lengths, the transfer
// table's count). Every record store failure ends the routine quietly, leaving the table as it
// was; exportTeamSheet reports it as false.
#pragma once

#include "runtime/Arrays.h"
#include "runtime/JavaTypes.h"

namespace game::resources {

using runtime::jboolean;
using runtime::jint;

// Record lengths.
inline constexpr jint kTransferTableBytes = 401; // a count, then 50 entries of 8 bytes
inline constexpr jint kTransferEntries = 50;
inline constexpr jint kTransferEntryBytes = 8;
inline constexpr jint kThreeStaticsBytes = 3;
inline constexpr jint kTable4608Bytes = 4608;
inline constexpr jint kTable1110Bytes = 1110;
inline constexpr jint kTable6342Bytes = 6342;
inline constexpr jint kSetupRecordBytes = 804;
inline constexpr jint kManagerProfileBytes = 60;
inline constexpr jint kInboxRecordBytes = 2728;
inline constexpr jint kTeamByteTableBytes = 520;
inline constexpr jint kSavedGameBytes = 5736;
// The team sheet: a 141-byte head, then 30 slots of 39 bytes (empty) or 41 bytes (a player).
inline constexpr jint kTeamSheetHeadBytes = 141;
inline constexpr jint kTeamSheetEmptySlotBytes = 39;
inline constexpr jint kTeamSheetPlayerSlotBytes = 41;
inline constexpr jint kTeamSheetBytes = 141 + 30 * 41;
// The inbox: a message count, then at most 100 messages of 27 bytes.
inline constexpr jint kInboxMessages = 100;
inline constexpr jint kInboxMessageBytes = 27;

// Store 80: tripletTable (3 x tripletCount bytes); first run: every byte 0xFF.
void persistThreeByteTable(jboolean save);
// Store 81: teamRecords (64 x teamCount bytes); first run: buildDefaultTeamRecords.
void persistTeamRecords(jboolean save);
// Store 82: playerRecords (37 x playerCount bytes); first run: buildDefaultPlayerRecords.
void persistPlayerRecords(jboolean save);
// Store 83: transferHistory (401 bytes), its count copied to transferHistoryCount after a read;
// first run: buildDefaultEightByteTable. The open store is kept in eightByteTableStore.
void persistEightByteTable(jboolean save);
// Store 84: the team sheet of the team at teamListIndex with the user's squad, for other
// applications. Built and written only when saving; true after a completed save.
jboolean exportTeamSheet(jboolean save);
// The store named threeStaticsStoreName: autoSaveMode and the low bytes of currencyFrameBase and
// storedByte2, read back sign-extended.
void persistThreeStatics(jboolean save);
// Store 130: fixtureStore (4,608 bytes, made when missing).
void persistTable4608(jboolean save);
// The store named table1110StoreName: competitionRecords (its length).
void persistTable1110(jboolean save);
// Store 144: table6342 (its length).
void persistTable6342(jboolean save);
// Store 155: compositeBytes, the two words of each compositePairs array (little-endian), every
// byte of compositeGrid, compositeFlag0, compositeFlag1 and compositeInts (little-endian).
void persistCompositeRecord(jboolean save);
// Store 156: the first 804 bytes of selectionTable, byte 604 copied to formationIndex after a
// read; first run: resetSetupRecord(1).
void persistSetupRecord(jboolean save);
// Store 180: the manager profile (managerName, the birth date, the profile text), with the
// display strings rebuilt after a read. keep true reads nothing.
void persistManagerProfile(jboolean save, jboolean keep);
// The store named inboxStoreName: the inbox ring's messages oldest first (messages of type 0
// left out); reading files them again, oldest first, with storeRecentRecord.
void persistInbox(jboolean save);
// Store 179: teamByteTable (520 bytes, made when missing), currentTeamByte kept at 2 x userTeam.
void persistTeamByteTable(jboolean save);
// Store 178: stateRecord (stateRecordLength bytes, made when missing), packed before a write
// and unpacked after a read.
void persistStateRecord(jboolean save);
// Rewrites record 1 of every store that holds one with a new game's contents, in a fixed order;
// the first failure ends the sequence.
void resetDataSets();
// First run of the saved data: each of those stores that holds no record 1 gets its first one,
// the first-run record of its persisting routine (the team byte table all 520 bytes) and, for
// the game's store, a new game's saved-game record (the new-game set-up, then packSaveRecord).
// Stores that hold a record keep it untouched; a store that fails is skipped.
void createRecordStores();

// First-run team records: team t holds players 21t..21t+20, nine empty slots, then the wage
// budget and funds of its information record.
void buildDefaultTeamRecords();
// First-run transfer table: count 0, every entry 0xFF bytes.
void buildDefaultEightByteTable();

// stateRecord from the statics it holds, and back.
void packStateRecord();
void unpackStateRecord();
// Copies array element by element into stateRecord from position (toRecord) or back; int
// elements are stored as their low byte and read back sign-extended. Elements that would lie
// outside the record are not copied.
void copyBytesWithStateRecord(runtime::ByteArray* array, jint position, jboolean toRecord);
void copyIntsWithStateRecord(runtime::IntArray* array, jint position, jboolean toRecord);

} // namespace game::resources
