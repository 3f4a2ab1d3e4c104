// The weekly development of computer players (see ComputerDevelopment.h).
#include "game/screens/menus/ComputerDevelopment.h"

#include <algorithm>
#include <cstdlib>

#include "game/club/ClubRecords.h"
#include "game/club/RecordLayout.h"
#include "game/core/ChanceRules.h"
#include "game/core/GameMath.h"
#include "game/core/GameStatics.h"
#include "game/core/RecordBytes.h"
#include "runtime/Log.h"

namespace game::menus {

using core::holds;
using runtime::ByteArray;
namespace player = club::player;

namespace {

constexpr jint kShortMask = 0xFFFF;
constexpr jint kGeneratedPlayers = 40;
constexpr jint kDays = 8;
constexpr jint kKinds = 4;
constexpr jint kTopGrade = 10;
constexpr jint kGrowingAbove = 5;
constexpr jint kStrengthBase = 75;
constexpr jint kAvailable = 4;
constexpr jint kNeverInjured = -2;
constexpr jint kInjuredFitness = 50;
constexpr jint kFitnessLow = 30;
constexpr jint kFirstInjured = 5;
constexpr jint kHeight = 24;
constexpr jint kWeight = 25;
constexpr jint kSkills = 8;
constexpr jint kFlags = 10;
constexpr jint kFlagsInFirstByte = 8;
constexpr jint kWeightScale = 5;
constexpr jint kPointDrawAtLeast = 31;
constexpr jint kSkillMax = 99;
constexpr jint kAlwaysGrowsBelow = 1; // a skill byte of 1 or less (or with bit 7) always grows

GameStatics* s() {
    return statics();
}

jint infoByte(const jint player, const jint index) {
    const ByteArray* const info = s()->playerInfoRecords;
    const jint at = club::kPlayerInfoBytes * player + index;
    return holds(info, at, 1) ? (*info)[at] : 0;
}

jint tableByte(const runtime::ObjectArray* const rows, const jint row, const jint column) {
    if (rows == nullptr || !rows->inBounds(row)) {
        return 0;
    }
    const auto* const values = static_cast<const ByteArray*>((*rows)[row]);
    return values != nullptr && values->inBounds(column) ? (*values)[column] : 0;
}

// The position group's kind indexes four-row tables; any other value of the set-up's table is
// logged and read as 0.
jint developmentKind(const jint p) {
    const jint kind = club::pickPositionEntry(p);
    if (kind < 0 || kind >= kKinds) {
        runtime::log("developComputerPlayers: player %d's position group gives kind %d; 0 is used", p, kind);
        return 0;
    }
    return kind;
}

void injureIfTested(const jint at, const jint p) {
    ByteArray* records = s()->playerRecords;
    const jint v = (((*records)[at + player::kSkills + 4] & player::kSkillMask) * 3 - infoByte(p, kHeight) +
                    infoByte(p, kWeight) - 20) >>
                   2;
    const jint fitness = (*records)[at + player::kFitness];
    if (core::acceptanceRoll(v, -1, -1, -1, fitness) == 0) {
        return;
    }
    records = s()->playerRecords;
    if ((((*records)[at + player::kStatus] & 0xFF) >> 4) > kAvailable ||
        (*records)[at + player::kBirthYearCode] == kNeverInjured) {
        return;
    }
    const jint band = club::drawWeightedBand();
    records = s()->playerRecords;
    (*records)[at + player::kStatus] = runtime::i2b((band + kFirstInjured) * 16);
    if ((*records)[at + player::kFitness] > kInjuredFitness) {
        const jint cut = core::randomRange(kFitnessLow, kInjuredFitness);
        (*s()->playerRecords)[at + player::kFitness] = runtime::i2b(cut);
    }
}

void developPlayer(const jint p) {
    GameStatics* const block = s();
    const jint kind = developmentKind(p);
    const jint at = club::kPlayerRecordBytes * p;
    if (!holds(block->playerRecords, at, club::kPlayerRecordBytes)) {
        return;
    }
    const jint team = core::readShortBE(block->playerRecords, at + player::kTeam) & kShortMask;
    if (team == (block->userTeam & kShortMask) || team == club::kNoId) {
        return;
    }
    const jint g = std::min((*block->playerRecords)[at + player::kStatus] & 0x0F, kTopGrade);
    const runtime::ByteArray* const rates = block->developmentRates;
    const jint rate = rates != nullptr && rates->inBounds(g) ? (*rates)[g] : 0;
    bool growing = g > kGrowingAbove;
    const jint strength = club::getTeamStrength(team, 0);
    const jint bonus = strength > kStrengthBase ? strength - kStrengthBase : 0;
    injureIfTested(at, p);
    for (jint k = 0; k < kSkills; ++k) {
        const jint old = (*s()->playerRecords)[at + player::kSkills + k];
        growing = growing || old <= kAlwaysGrowsBelow;
        const jint x = core::randomRange(0, 100);
        const jint q =
            (tableByte(s()->developmentSkillWeights, kind, k) * kWeightScale * std::abs(rate + bonus)) / 100;
        jint increment = 0;
        if (x < q && growing) {
            increment = core::randomRange(0, 100) >= kPointDrawAtLeast ? 1 : 0;
        }
        const jint skill = std::min((old & player::kSkillMask) + increment, kSkillMax);
        (*s()->playerRecords)[at + player::kSkills + k] = runtime::i2b((old & player::kBidMark) | skill);
    }
    for (jint j = 0; j < kFlags; ++j) {
        const jint r = core::randomRange(0, 100);
        if (r >= (tableByte(s()->developmentFlagChances, kind, j) * (rate + bonus)) / 100) {
            continue;
        }
        ByteArray* const records = s()->playerRecords;
        const jint index = at + player::kSkillFlags + (j < kFlagsInFirstByte ? 0 : 1);
        const jint bit = j < kFlagsInFirstByte ? j : j - kFlagsInFirstByte;
        (*records)[index] = runtime::i2b((*records)[index] | (1 << bit));
    }
}

} // namespace

void developComputerPlayers(const jint day) {
    const jint ordinary = s()->playerCount - kGeneratedPlayers;
    if (ordinary < 1) {
        return;
    }
    for (jint p = 0; p < ordinary; ++p) {
        if (p % kDays == day) {
            developPlayer(p);
        }
    }
}

} // namespace game::menus
