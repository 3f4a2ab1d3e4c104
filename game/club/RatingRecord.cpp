// The player rating record (see RatingRecord.h).
#include "game/club/RatingRecord.h"

#include "game/club/DatabaseLookups.h"
#include "game/core/GameStatics.h"
#include "game/core/RecordBytes.h"
#include "game/sprites/Palettes.h"
#include "runtime/Log.h"

namespace game::club {

using namespace game::sprites;
using namespace game::core;

namespace {

using runtime::ByteArray;
using runtime::jlong;

constexpr jint kRecordBytes = 22;
constexpr jint kSkillCount = 8;
constexpr jint kDatabaseSide = -1;
constexpr jint kSides = 2;
constexpr jint kSquadSlots = 30;
constexpr jint kTeamRecordBytes = 64;
// Player records (37 bytes): the skills and the nibble byte 18 takes its tens digit from.
constexpr jint kPlayerRecordBytes = 37;
constexpr jint kPlayerSkills = 4;
constexpr jint kSkillBits = 0x7F;
constexpr jint kNibbleByte = 14;
constexpr jint kNibbleBits = 15;
constexpr jint kFullNibble = 10;
constexpr jint kFullNibbleRating = 99;
// Player information records (28 bytes): the position mask, Y and X.
constexpr jint kInfoBytes = 28;
constexpr jint kInfoMask = 11;
constexpr jint kInfoY = 24;
constexpr jint kInfoX = 25;
// Match records (22 bytes, 30 per side): the position mask, Y and X.
constexpr jint kMatchMask = 8;
constexpr jint kMatchY = 20;
constexpr jint kMatchX = 21;
constexpr jint kGoalkeeperMask = 1;
constexpr jint kGoalkeeperBase = 50;
constexpr jint kXBase = 150;

// The offset of record index (size bytes) of table, or -1 when it does not lie inside.
jint recordAt(const runtime::Array* const table, const jint index, const jint size) {
    if (table == nullptr || index < 0) {
        return -1;
    }
    const jlong offset = static_cast<jlong>(size) * index;
    return offset + size <= table->length ? static_cast<jint>(offset) : -1;
}

jint intBE(const ByteArray* const bytes, const jint offset) {
    jint value = 0;
    for (jint i = 0; i < 4; ++i) {
        value = (value << 8) | ((*bytes)[offset + i] & 0xFF);
    }
    return value;
}

// Element index of row `row` of a byte[2][30] table; -1 when either lies outside.
jint tableByte(const runtime::ObjectArray* const table, const jint row, const jint index) {
    if (table == nullptr || !table->inBounds(row)) {
        return -1;
    }
    const auto* bytes = static_cast<const ByteArray*>((*table)[row]);
    return bytes != nullptr && bytes->inBounds(index) ? (*bytes)[index] : -1;
}

// What the formulas read: the skills, the position mask and X and Y.
struct Source {
    jint skill[kSkillCount];
    jint mask;
    jint x;
    jint y;
    jint player; // his number, for the nibble of byte 18
};

// Reads the source of the record; false (logged) when something it needs is missing.
bool readSource(const jint pos, const jint side, Source& source) {
    GameStatics* const s = statics();
    jint slot = pos;
    jint matchRecord = -1;
    if (side != kDatabaseSide) {
        if (side < 0 || side >= kSides) {
            runtime::log("buildRatingRecord: no match side %d", side);
            return false;
        }
        const jint index = tableByte(s->lineup, side, pos);
        slot = tableByte(s->squadSlotOfPlayer, side, index);
        matchRecord = recordAt(s->listRowRecords, side * kMatchRecordsPerTeam + index, kMatchRecordBytes);
        if (index < 0 || index >= kMatchRecordsPerTeam || matchRecord < 0) {
            runtime::log("buildRatingRecord: side %d position %d has no match record", side, pos);
            return false;
        }
    }
    const jint team = isNoClub(s->userTeam) ? -1 : s->userTeam & 0xFFFF;
    const jint teamRecord = recordAt(s->teamRecords, team, kTeamRecordBytes);
    if (teamRecord < 0 || slot < 0 || slot >= kSquadSlots) {
        runtime::log("buildRatingRecord: the user's team %d has no squad slot %d", team, slot);
        return false;
    }
    source.player = readShortBE(s->teamRecords, teamRecord + 2 * slot);
    const jint playerRecord = recordAt(s->playerRecords, source.player, kPlayerRecordBytes);
    if (playerRecord < 0) {
        runtime::log("buildRatingRecord: player %d has no record", source.player);
        return false;
    }
    if (side != kDatabaseSide) {
        const ByteArray* const records = s->listRowRecords;
        const ByteArray* const offsets = s->matchAttributeOffsets;
        for (jint i = 0; i < kSkillCount; ++i) {
            const jint at = offsets != nullptr && offsets->inBounds(i) ? (*offsets)[i] : -1;
            source.skill[i] = at >= 0 && at < kMatchRecordBytes ? (*records)[matchRecord + at] : 0;
        }
        source.mask = intBE(records, matchRecord + kMatchMask);
        source.y = (*records)[matchRecord + kMatchY] & 0xFF;
        source.x = (*records)[matchRecord + kMatchX] & 0xFF;
        return true;
    }
    const jint info = recordAt(s->playerInfoRecords, source.player, kInfoBytes);
    if (info < 0) {
        runtime::log("buildRatingRecord: player %d has no information record", source.player);
        return false;
    }
    const ByteArray* const players = s->playerRecords;
    for (jint i = 0; i < kSkillCount; ++i) {
        source.skill[i] = (*players)[playerRecord + kPlayerSkills + i] & kSkillBits;
    }
    const ByteArray* const infos = s->playerInfoRecords;
    source.mask = intBE(infos, info + kInfoMask);
    source.y = (*infos)[info + kInfoY] & 0xFF;
    source.x = (*infos)[info + kInfoX] & 0xFF;
    return true;
}

} // namespace

ByteArray* buildRatingRecord(const jint pos, const jint side) {
    ByteArray* record = runtime::newByteArray(kRecordBytes);
    Source source{};
    if (!readSource(pos, side, source)) {
        return record;
    }
    const jint* const sk = source.skill;
    const jint s0 = sk[0], s1 = sk[1], s2 = sk[2], s4 = sk[4], s5 = sk[5], s6 = sk[6], s7 = sk[7];
    const jint x = source.x;
    const jint y = source.y;
    const bool keeper = source.mask == kGoalkeeperMask;
    auto& o = *record;
    for (jint i = 0; i < kSkillCount; ++i) {
        o[i] = runtime::i2b(sk[i]);
    }
    o[8] = runtime::i2b(keeper ? s1 : (3 * s0 + 2 * s5 + s4) / 6);
    o[10] = runtime::i2b(keeper ? ((s1 - kGoalkeeperBase) * 3 + 2 * s6 + y) / 6 : 0);
    o[11] = runtime::i2b(keeper ? ((3 * s1) >> 2) + (s2 >> 2) : (6 * s5 + s0 + s6) >> 3);
    o[9] = runtime::i2b(combinedRating(kNoRatingRecord, s4, y, s0, s1));
    o[12] = runtime::i2b(weightedRating(kNoRatingRecord, s5, keeper ? 0 : s0, s1));
    o[16] = runtime::i2b((s2 + s6 - x + kXBase) / 3);
    const jint r13 = s2 / 3 + (s1 >> 1) + s6 / 6;
    o[13] = runtime::i2b(keeper ? r13 >> 1 : r13);
    const jint r14 = (2 * s1) / 3 + s2 / 3;
    o[14] = runtime::i2b(keeper ? r14 >> 1 : r14);
    o[15] = runtime::i2b(s7);
    o[17] = runtime::i2b((s2 + 2 * s4) / 3);
    const jint d =
        (*statics()->playerRecords)[kPlayerRecordBytes * source.player + kNibbleByte] & kNibbleBits;
    o[18] = runtime::i2b(d == kFullNibble ? kFullNibbleRating : 10 * d + (s7 - 10 * (s7 / 10)));
    o[19] = runtime::i2b(s5 / 3 + (s0 >> 1));
    o[20] = runtime::i2b((6 * s5) / 7);
    o[21] = runtime::i2b((2 * s0) / 3 + (s5 >> 2));
    return record;
}

} // namespace game::club
