// The squad lists' comparison and the skill mean (see PlayerComparison.h).
#include "game/season/PlayerComparison.h"

#include <algorithm>

#include "game/core/GameStatics.h"
#include "game/core/RecordBytes.h"
#include "game/core/ScreenRoutines.h"
#include "game/core/services/ClubServices.h"
#include "game/core/services/SeasonScreenServices.h"
#include "runtime/ConstantPool.h"
#include "runtime/Log.h"
#include "runtime/String.h"

namespace game::season {

using core::holds;

namespace {

constexpr jint kPlayerRecordBytes = 37;
constexpr jint kPlayerInfoBytes = 28;
// The three skills the mean reads, and the skill bits of a skill byte.
constexpr jint kMeanSkills[] = {4, 5, 9};
constexpr jint kSkillMask = 0x7F;
constexpr jint kMarketValue = 33;
constexpr jint kPositionMask = 11;
constexpr jint kEmptyTextConstant = 1;

// The 32-bit big-endian value at byte at of record index (stride bytes) of table; 0 (logged)
// outside.
jint recordInt(const runtime::ByteArray* const table, const jint index, const jint stride, const jint at,
               const char* const what) {
    const jint offset = index * stride + at;
    if (index < 0 || index >= (table == nullptr ? 0 : table->length / stride) || !holds(table, offset, 4)) {
        runtime::log("comparePlayers: %s of player %d lies outside its table", what, index);
        return 0;
    }
    return core::readIntBE(table, offset);
}

// The player's display name; the empty text in place of a missing one.
runtime::String* labelOf(const jint player) {
    runtime::String* const label = core::seasonScreenServices().getPlayerLabel(player);
    return label != nullptr ? label : runtime::getConstantString(kEmptyTextConstant);
}

} // namespace

jboolean comparePlayers(const jint a, const jint b, const jint column) {
    GameStatics* const s = statics();
    ++s->compareCount;
    switch (column) {
    case kNameColumn: {
        runtime::String* const nameA = labelOf(a);
        runtime::String* const nameB = labelOf(b);
        return nameA->compareTo(nameB) >= 0 ? 1 : 0;
    }
    case kAgeColumn:
        return core::clubServices().getPlayerAge(a) < core::clubServices().getPlayerAge(b) ? 1 : 0;
    case kPositionColumn:
        return core::firstGroupInMask(
                   recordInt(s->playerInfoRecords, a, kPlayerInfoBytes, kPositionMask, "the position mask")) <
                       core::firstGroupInMask(recordInt(s->playerInfoRecords, b, kPlayerInfoBytes,
                                                        kPositionMask, "the position mask"))
                   ? 1
                   : 0;
    case kRatingColumn:
        return getPlayerSkillMean(a) < getPlayerSkillMean(b) ? 1 : 0;
    case kValueColumn:
        return recordInt(s->playerRecords, a, kPlayerRecordBytes, kMarketValue, "the market value") <
                       recordInt(s->playerRecords, b, kPlayerRecordBytes, kMarketValue, "the market value")
                   ? 1
                   : 0;
    default:
        return 0;
    }
}

jint getPlayerSkillMean(const jint player) {
    const runtime::ByteArray* const records = statics()->playerRecords;
    const jint offset = player * kPlayerRecordBytes;
    if (player < 0 || player >= (records == nullptr ? 0 : records->length / kPlayerRecordBytes)) {
        runtime::log("getPlayerSkillMean: player %d lies outside the player records", player);
        return 0;
    }
    jint skills[3];
    for (jint i = 0; i < 3; ++i) {
        skills[i] = (*records)[offset + kMeanSkills[i]] & kSkillMask;
    }
    std::sort(skills, skills + 3);
    return (skills[1] + skills[2]) / 2;
}

} // namespace game::season
