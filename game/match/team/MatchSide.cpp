// The match side set-up (see MatchSide.h).
#include "game/match/team/MatchSide.h"

#include <algorithm>

#include "game/club/DatabaseLookups.h"
#include "game/core/WriteBuffer.h"
#include "game/core/services/MatchServices.h"
#include "game/match/MatchView.h"
#include "game/match/team/LineupChoice.h"
#include "game/match/team/LineupTables.h"
#include "runtime/Log.h"
#include "runtime/ObjectManager.h"

namespace game::match {

using namespace game::club;
using namespace game::core;

namespace {

using runtime::ByteArray;
using runtime::IntArray;
using runtime::jbyte;

constexpr jint kFlaggedKept = 10;
constexpr jint kMaxStarted = 18;
// Player records (37 bytes) and player information records (28 bytes).
constexpr jint kPlayerRecordBytes = 37;
constexpr jint kInfoRecordBytes = 28;
constexpr jint kSkillBits = 0x7F;
constexpr jint kNibble = 0x0F;
constexpr jint kTopScore = 99;
// selectionTable: the 3-byte blocks of the thirty line-up positions.
constexpr jint kBlocksStart = 18;
constexpr jint kBlockBytes = 3;
constexpr jint kBlocksLength = kSquadSlots * kBlockBytes;

// Match record byte <- player record byte, masked to the skill bits.
constexpr jint kSkillBytes[][2] = {{0, 6}, {1, 9}, {2, 4}, {3, 5}, {14, 7}, {15, 8}, {16, 10}, {17, 11}};
constexpr jint kStatusByte = 4;     // player record byte 14's high nibble
constexpr jint kBonusBytes = 6;     // 6-7 <- player record 12-13
constexpr jint kMaskBytes = 8;      // 8-11 <- information record 11-14
constexpr jint kSlotByte = 12;      // the squad slot
constexpr jint kPlaceByte = 13;     // <- information record 23
constexpr jint kLowNibbleByte = 18; // player record byte 14's low nibble
constexpr jint kScoreByte = 19;     // 99 - player record byte 15
constexpr jint kInfoPairBytes = 20; // 20-21 <- information record 24-25
constexpr jint kNibbleSource = 14;
constexpr jint kScoreSource = 15;
constexpr jint kBonusSource = 12;
constexpr jint kMaskSource = 11;
constexpr jint kPlaceSource = 23;
constexpr jint kInfoPairSource = 24;

// Fills match record `index` of the side from player `number`'s records: the rating bytes, and
// with `whole` the slot, place and information bytes too. Missing records leave their bytes 0.
void fillMatchRecord(const jint side, const jint index, const jint number, const jint slot,
                     const bool whole) {
    GameStatics* const s = statics();
    ByteArray* const records = s->listRowRecords;
    const jint at = (side * kMatchRecordsPerTeam + index) * kMatchRecordBytes;
    if (!holds(records, at, kMatchRecordBytes)) {
        runtime::log("setUpMatchSide: side %d has no match record %d", side, index);
        return;
    }
    const auto put = [&](const jint b, const jint value) { (*records)[at + b] = runtime::i2b(value); };
    const ByteArray* const d = s->playerRecords;
    const jint dAt = number * kPlayerRecordBytes;
    if (holds(d, dAt, kPlayerRecordBytes)) {
        for (const auto& [to, from] : kSkillBytes) {
            put(to, (*d)[dAt + from] & kSkillBits);
        }
        put(kStatusByte, ((*d)[dAt + kNibbleSource] >> 4) & kNibble);
        put(kBonusBytes, (*d)[dAt + kBonusSource]);
        put(kBonusBytes + 1, (*d)[dAt + kBonusSource + 1]);
        put(kLowNibbleByte, (*d)[dAt + kNibbleSource] & kNibble);
        put(kScoreByte, kTopScore - (*d)[dAt + kScoreSource]);
    } else {
        runtime::log("setUpMatchSide: player %d has no player record", number);
    }
    const ByteArray* const n = s->playerInfoRecords;
    const jint nAt = number * kInfoRecordBytes;
    const bool hasInfo = holds(n, nAt, kInfoRecordBytes);
    if (!hasInfo) {
        runtime::log("setUpMatchSide: player %d has no information record", number);
    }
    for (jint i = 0; i < 4; ++i) {
        put(kMaskBytes + i, hasInfo ? (*n)[nAt + kMaskSource + i] : 0);
    }
    if (!whole) {
        return;
    }
    put(kSlotByte, slot);
    put(kPlaceByte, hasInfo ? (*n)[nAt + kPlaceSource] : 0);
    put(kInfoPairBytes, hasInfo ? (*n)[nAt + kInfoPairSource] : 0);
    put(kInfoPairBytes + 1, hasInfo ? (*n)[nAt + kInfoPairSource + 1] : 0);
}

// The squad slot the side's position s reads: s itself, or the user's own slot order.
jint slotOf(const jint side, const jint s) {
    GameStatics* const st = statics();
    if (side == 1 || st->keepLineup != 0) {
        return s;
    }
    const ByteArray* const order = sideRow(st->squadSlotOfPlayer, 0);
    return order != nullptr && order->inBounds(s) ? (*order)[s] : -1;
}

void setTables(const jint side, const jint p, const jint value) {
    GameStatics* const s = statics();
    for (runtime::ObjectArray* table :
         {s->lineup.get(), s->lineupAtKickOff.get(), s->squadSlotOfPlayer.get()}) {
        ByteArray* const row = sideRow(table, side);
        if (row != nullptr && row->inBounds(p)) {
            (*row)[p] = runtime::i2b(value);
        }
    }
}

} // namespace

void setUpMatchSide(const jint side, const jint team) {
    GameStatics* const s = statics();
    IntArray* const counts = s->matchSquadCount;
    if (side < 0 || side >= kLineupSides || counts == nullptr || !counts->inBounds(side) ||
        !holds(s->teamRecords, team * kTeamRecordBytes, kTeamRecordBytes) || team < 0) {
        runtime::log("setUpMatchSide: no side %d or team %d", side, team);
        return;
    }
    // Flagged players, kept for the end of the written-back squad.
    jint flagged[kFlaggedKept];
    std::fill(std::begin(flagged), std::end(flagged), -1);
    jint flaggedCount = 0;
    for (jint k = 0; k < kSquadSlots; ++k) {
        const jint number = squadNumber(team, k);
        if (number != kEmptySquadSlot && !isAvailableNumber(number) && flaggedCount < kFlaggedKept) {
            flagged[flaggedCount++] = number;
        }
    }
    (*counts)[side] = 0;
    IntArray* const places = runtime::newIntArray(kSquadSlots);
    s->matchSlotList = places;
    std::fill_n(places->data(), kSquadSlots, -1);
    jint numbers[kSquadSlots] = {};
    const bool chosen = side == 1 || s->rebuildSide != 0;
    if (!chosen) {
        for (jint k = 0; k < kSquadSlots; ++k) {
            numbers[k] = squadNumber(team, k);
            if (isAvailableNumber(numbers[k])) {
                (*places)[(*counts)[side]++] = k;
            }
        }
    } else {
        for (jint p = 0; p < kSquadSlots; ++p) {
            const jint number = squadNumber(team, slotOf(side, p));
            if (isAvailableNumber(number)) {
                const jint index = (*counts)[side]++;
                numbers[index] = number;
                fillMatchRecord(side, index, number, p, false);
            }
        }
        chooseLineup(side);
    }

    // Write the squad back in line-up order; the position blocks and values move with it.
    s->writeBuffer = s->teamRecords;
    s->writePos = team * kTeamRecordBytes;
    ByteArray* const table = s->selectionTable;
    const bool hasBlocks = holds(table, kBlocksStart, kBlocksLength);
    jbyte blocks[kBlocksLength] = {};
    if (hasBlocks) {
        std::copy_n(table->data() + kBlocksStart, kBlocksLength, blocks);
    }
    IntArray* const values = s->slotValues;
    const bool hasValues = holds(values, 0, kSquadSlots);
    jint savedValues[kSquadSlots] = {};
    if (hasValues) {
        std::copy_n(values->data(), kSquadSlots, savedValues);
    }
    const bool keep = s->keepLineup != 0;
    const ByteArray* const lineup = sideRow(s->lineup, side);
    if (keep && hasValues && lineup != nullptr) {
        for (jint p = 0; p < kSquadSlots; ++p) {
            const jint e = (*places)[p];
            for (jint t = 0; e != -1 && t < std::min(kSquadSlots, lineup->length); ++t) {
                if ((*lineup)[t] == e) {
                    (*values)[p] = savedValues[t];
                    break;
                }
            }
        }
    }
    jint flaggedWritten = 0;
    for (jint p = 0; p < kSquadSlots; ++p) {
        const jint e = (*places)[p];
        if (e >= 0 && e < kSquadSlots) {
            if (side == 0 && hasBlocks) {
                std::copy_n(blocks + kBlockBytes * e, kBlockBytes,
                            table->data() + kBlocksStart + kBlockBytes * p);
            }
            if (keep) {
                setTables(side, p, e);
            } else {
                writeShortBE(numbers[e]);
            }
        } else if (keep) {
            setTables(side, p, p);
        } else {
            writeShortBE(flaggedWritten < flaggedCount ? flagged[flaggedWritten++] : kEmptySquadSlot);
        }
    }
    s->writeBuffer = nullptr;
    s->writePos = 0;

    // The match records, names and players of the available squad.
    const jint toStart = std::min((*counts)[side], kMaxStarted);
    match::CTeam* const sideTeam = matchTeam(side);
    runtime::ObjectArray* const names = s->matchPlayerNames;
    auto* const sideNames = names != nullptr && names->inBounds(side)
                                ? static_cast<runtime::ObjectArray*>((*names)[side])
                                : nullptr;
    jint found = 0;
    jint started = 0;
    for (jint p = 0; p < kSquadSlots; ++p) {
        const jint number = squadNumber(team, slotOf(side, p));
        if (!isAvailableNumber(number)) {
            continue;
        }
        const jint index = chosen ? found : p;
        ++found;
        fillMatchRecord(side, index, number, p, true);
        runtime::String* const name = nameOf(number, kPlayerName);
        if (sideNames != nullptr && sideNames->inBounds(index)) {
            (*sideNames)[index] = name;
        }
        match::CPlayer* const player = teamPlayer(sideTeam, index);
        if (index < kMaxStarted && player != nullptr) {
            player->slot = index;
        }
        if (started < toStart) {
            match::CPlayer* const next = teamPlayer(sideTeam, started);
            if (next != nullptr) {
                matchServices().startPlayer(next, kSideSetUpStart);
            }
            ++started;
        }
    }
}

void updateTeamRoles(const jint side, const jboolean all, const jint slot) {
    runtime::ObjectArray* const teams = statics()->matchTeams;
    match::CTeam* team = nullptr;
    if (teams != nullptr && side >= 0 && side < kLineupSides && teams->inBounds(side)) {
        team = static_cast<match::CTeam*>((*teams)[side]);
    }
    if (team == nullptr) {
        runtime::log("updateTeamRoles: no match team on side %d", side);
        return;
    }
    // The roles and the findBestPlayer kind that chooses each.
    jint* const roles[] = {&team->roleSlotA, &team->roleSlotB, &team->roleSlotC, &team->roleSlotD};
    const jint kinds[] = {kBestPlayerKind0, kBestPlayerKind1, kBestPlayerKind2, kBestPlayerKind3};
    for (jint r = 0; r < 4; ++r) {
        if (all != 0 || *roles[r] == slot) {
            *roles[r] = findBestPlayer(team, kinds[r]);
        }
    }
}

} // namespace game::match
