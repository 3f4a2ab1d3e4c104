// The player value formula (see PlayerValue.h).
#include "game/club/PlayerValue.h"

#include <bit>
#include <cstdint>

#include "game/core/GameStatics.h"
#include "game/core/services/ClubServices.h"
#include "runtime/Log.h"

namespace game::club {

using namespace game::core;

namespace {

using runtime::jlong;

constexpr jint kPlayerRecordBytes = 37;
constexpr jint kSkillsOffset = 4;
constexpr jint kSkillCount = 8;
constexpr jint kSkillBits = 0x7F;
constexpr jint kPositionWordOffset = 12; // low byte first
constexpr jint kAttributeOffset = 14;
constexpr jint kAttributeBits = 0xF;
constexpr jint kPositionBits = 0x1FF;
constexpr jint kSpecialFlag = 0x400;
constexpr jint kSkillFactor = 30;
constexpr jint kAttributeThreshold = 5;
constexpr jint kHighSkillTotal = 490;
constexpr jint kHighSkillBase = 390;
constexpr jint kPercent = 100;
constexpr jint kThousands = 1000;

} // namespace

jint getPlayerValue(const jint player, const jboolean baseOnly) {
    const runtime::ByteArray* const records = statics()->playerRecords;
    const jlong base = static_cast<jlong>(kPlayerRecordBytes) * player;
    if (records == nullptr || player < 0 || base + kPlayerRecordBytes > records->length) {
        runtime::log("getPlayerValue: player %d has no record", player);
        return 0;
    }
    const jint record = static_cast<jint>(base);
    jint skill[kSkillCount];
    for (jint i = 0; i < kSkillCount; ++i) {
        skill[i] = (*records)[record + kSkillsOffset + i] & kSkillBits;
    }
    jint total = skill[0] > skill[1] ? skill[0] : skill[1];
    for (jint i = 2; i < kSkillCount; ++i) {
        total += skill[i];
    }
    const jint positionWord = ((*records)[record + kPositionWordOffset] & 0xFF) |
                              ((*records)[record + kPositionWordOffset + 1] << 8);
    const jint attribute = (*records)[record + kAttributeOffset] & kAttributeBits;

    // The base is worked out in 32 bits, as the formula always has been; an age of 0 gives 0.
    const jint age = clubServices().getPlayerAge(player);
    jlong value = runtime::idiv(kSkillFactor * total * total, age);
    const jlong positions = std::popcount(static_cast<std::uint32_t>(positionWord & kPositionBits));
    if ((positionWord & kSpecialFlag) == 0) {
        if (positions > 0) {
            value += (value * positions) / 2;
        }
    } else {
        value = 3 * value + value / 2 + (value * positions) / 2;
    }
    if (baseOnly != 0) {
        return static_cast<jint>((3 * value) / 12 / kThousands);
    }
    if (attribute > kAttributeThreshold) {
        value += (value * (attribute - kAttributeThreshold)) / 2;
    }
    const jlong scaled = (total * value) / kPercent;
    if (total < kHighSkillTotal) {
        return static_cast<jint>(scaled / kThousands);
    }
    return static_cast<jint>((scaled * (total - kHighSkillBase)) / kPercent / kThousands);
}

} // namespace game::club
