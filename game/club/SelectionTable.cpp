// Laying out the selection table (see SelectionTable.h).
#include "game/club/SelectionTable.h"

#include "game/club/DatabaseLookups.h"
#include "game/core/ChanceRules.h"
#include "game/core/GameMath.h"
#include "game/core/GameStatics.h"
#include "game/core/RecordBytes.h"
#include "runtime/Log.h"

namespace game::club {

using namespace game::core;

namespace {

using runtime::jint;

constexpr jint kTableBytes = 804;
// Flag entries and the fifteen 6-byte entries: cleared on a rebuild.
constexpr jint kHeaderBytes = 108;
// The player entries.
constexpr jint kFirstPlayerEntry = 108;
constexpr jint kSquadSlots = 30;
constexpr jint kCounterCount = 11;
constexpr jint kNoPlayer = -1;
// The reserved groups, set to 0xFF on a rebuild; the first byte receives the set-up number.
constexpr jint kReservedStart = 588;
constexpr jint kReservedEnd = 795;
constexpr jint kSetUpNumberByte = 588;
constexpr jint kSetUpChoiceCount = 4;
// Set-up records: 18 bytes each, flag i of the table's first eleven bytes at byte 7 + i.
constexpr jint kSetUpRecordBytes = 18;
constexpr jint kSetUpFlagsOffset = 7;
constexpr jint kSetUpFlagCount = 11;
constexpr jint kFlagSet = 1;
// Team records: 30 big-endian squad slots at the start of each 64-byte record.
constexpr jint kTeamRecordBytes = 64;
// The position mask in a player's 28-byte information record.
constexpr jint kPlayerInfoBytes = 28;
constexpr jint kPositionMaskOffset = 11;

// The position category of player p from the position mask of his information record; 0 (logged)
// when the record lies outside the table.
jint categoryOf(const jint player) {
    const runtime::ByteArray* const info = statics()->playerInfoRecords;
    const runtime::jlong offset =
        static_cast<runtime::jlong>(kPlayerInfoBytes) * player + kPositionMaskOffset;
    if (player < 0 || info == nullptr || offset + 4 > info->length) {
        runtime::log("buildSelectionTable: player %d has no information record", player);
        return 0;
    }
    return positionCategory(readIntBE(info, static_cast<jint>(offset)));
}

// Chooses one of the offered set-up numbers into byte 588 and adds that record's flags.
void chooseSetUp(runtime::ByteArray* const table) {
    GameStatics* const s = statics();
    const runtime::IntArray* const choices = s->setUpChoices;
    if (choices == nullptr) {
        return;
    }
    const jint pick = randomRange(0, kSetUpChoiceCount - 1);
    if (!choices->inBounds(pick)) {
        runtime::log("buildSelectionTable: no set-up choice %d among %d", pick, choices->length);
        return;
    }
    (*table)[kSetUpNumberByte] = runtime::i2b((*choices)[pick]);
    const jint number = (*table)[kSetUpNumberByte];
    const runtime::ByteArray* const records = s->setUpRecords;
    const runtime::jlong record = static_cast<runtime::jlong>(kSetUpRecordBytes) * number;
    if (records == nullptr || number < 0 || record + kSetUpRecordBytes > records->length) {
        runtime::log("buildSelectionTable: set-up %d has no record", number);
        return;
    }
    for (jint i = 0; i < kSetUpFlagCount; ++i) {
        if ((*table)[i] != kFlagSet &&
            (*records)[static_cast<jint>(record) + kSetUpFlagsOffset + i] == kFlagSet) {
            (*table)[i] = kFlagSet;
        }
    }
}

} // namespace

void buildSelectionTable(const jboolean rebuild) {
    GameStatics* const s = statics();
    runtime::ByteArray* const table = s->selectionTable;
    if (!holds(table, 0, kTableBytes)) {
        runtime::log("buildSelectionTable: no selection table of %d bytes", kTableBytes);
        return;
    }
    if (rebuild != 0) {
        for (jint i = 0; i < kHeaderBytes; ++i) {
            (*table)[i] = 0;
        }
    }
    // No club reads as team 0, as the table has always been laid out for some team.
    const jint team = isNoClub(s->userTeam) ? 0 : s->userTeam & 0xFFFF;
    const runtime::ByteArray* const records = s->teamRecords;
    const runtime::jlong teamOffset = static_cast<runtime::jlong>(kTeamRecordBytes) * team;
    const bool teamKnown = records != nullptr && teamOffset + 2 * kSquadSlots <= records->length;
    if (!teamKnown) {
        runtime::log("buildSelectionTable: team %d has no team record; its slots read as empty", team);
    }
    jint pos = kFirstPlayerEntry;
    for (jint slot = 0; slot < kSquadSlots; ++slot) {
        const jint player =
            teamKnown ? readShortBE(records, static_cast<jint>(teamOffset) + 2 * slot) : kNoPlayer;
        if (rebuild != 0) {
            (*table)[pos] = runtime::i2b(player >> 8);
            (*table)[pos + 1] = runtime::i2b(player);
        }
        pos += 2;
        (*table)[pos] = runtime::i2b(0xFF);
        (*table)[pos + 1] = runtime::i2b(0xFF);
        pos += 2;
        for (jint i = 0; i < kCounterCount; ++i) {
            (*table)[pos + i] = 0;
        }
        pos += kCounterCount;
        if (rebuild != 0) {
            (*table)[pos] = runtime::i2b(player == kNoPlayer ? 0 : categoryOf(player));
        }
        pos += 1;
    }
    if (rebuild == 0) {
        return;
    }
    for (jint i = kReservedStart; i <= kReservedEnd; ++i) {
        (*table)[i] = runtime::i2b(0xFF);
    }
    chooseSetUp(table);
}

void resetSelectionTable() {
    runtime::ByteArray* const table = statics()->selectionTable;
    for (jint i = 0; table != nullptr && i < table->length; ++i) {
        (*table)[i] = 0;
    }
    buildSelectionTable(1);
}

} // namespace game::club
