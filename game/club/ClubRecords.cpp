// Player and team record getters and the shared club algorithms (see ClubRecords.h).
#include "game/club/ClubRecords.h"

#include <algorithm>
#include <array>

#include "game/club/DatabaseLookups.h"
#include "game/club/RecordLayout.h"
#include "game/core/GameMath.h"
#include "game/core/GameStatics.h"
#include "game/core/RecordBytes.h"
#include "game/core/StaticTables.h"
#include "runtime/Log.h"
#include "runtime/Random.h"

namespace game::club {

using core::holds;
using core::randomRange;
using core::readIntBE;
using core::readShortBE;
using runtime::ByteArray;

namespace {

constexpr jint kByteMask = 0xFF;
constexpr jint kTeamByteEntry = 2; // bytes a team in teamByteTable
constexpr jint kSquadSlotCount = 30;
constexpr jint kLinkedTeamCount = 5;
constexpr jint kLeagueTeamSlots = 260;
constexpr jint kShortMask = 0xFFFF;
constexpr jint kNibbleShift = 4;
constexpr jint kLowNibble = 0x0F;

// Dates: a year code counts from 1960 (birth dates), the packed date keeps month and day below it.
constexpr jint kBaseYear = 1960;
constexpr jint kFirstSeason = 2009;
constexpr jint kYearShift = 9;
constexpr jint kMonthShift = 5;
constexpr jint kMonthMask = 15;
constexpr jint kDayMask = 31;
constexpr jint kMonthDayMask = 0x1FF;
constexpr jint kYearUnit = 512;
// Generated players' birth-year code offset, and the ordinary players' one.
constexpr jint kGeneratedYearOffset = 49;
constexpr jint kOrdinaryYearOffset = 31;
constexpr jint kTakeWordAsIs = -1;
// The calendar month of monthIndex 0 is July.
constexpr jint kSeasonMonthShift = 6;
constexpr jint kMonths = 12;

// The user's money comes from the team record in menu state 36 (the club chooser).
constexpr jint kChooserMenuState = 36;
constexpr jint kNoPendingTeam = -1;

// Team strength: the best eight values of each of eight skills, their mean; fitness adjustments.
constexpr jint kSkillCount = 8;
constexpr jint kBestCount = 8;
constexpr jint kFirstEleven = 11;
constexpr jint kStrengthShift = 6;
constexpr jint kStrengthMax = 127;
constexpr jint kNoTeamLimit = 65535;
constexpr std::array<jint, 5> kFitnessAdjustment = {8, 4, 0, -4, -8}; // fitness 0..4

// Needed position: line bits of the information record's byte 14, the count each adds.
constexpr jint kLineCount = 4;
constexpr std::array<jint, kLineCount> kLineBit = {1, 2, 4, 8};
constexpr std::array<jint, kLineCount> kLineWeight = {2, 1, 1, 4};

// Weighted band thresholds of randomRange(0, 99).
constexpr std::array<jint, 10> kBandThresholds = {25, 45, 60, 73, 83, 88, 92, 95, 97, 98};
constexpr jint kBandDrawMax = 99;

// Position groups of pickPositionEntry by position mask (signed compare); group 4 is never chosen.
constexpr jint kGoalkeeperGroup = 0;
struct GroupLimit {
    jint maxMask;
    jint group;
};
constexpr std::array<GroupLimit, 5> kGroupLimits = {
    {{0x20, 1}, {0x1000, 2}, {0x2000, 3}, {0x2020, 5}, {0x3000, 6}}};
constexpr jint kTopGroup = 7;

// Retirement.
constexpr jint kRetirementAge = 34;
constexpr jint kLastKeptStatus = 13;
constexpr jint kNoContract = -1;

constexpr jint kAskingPriceRise = 30;
constexpr jint kPercent = 100;

GameStatics* s() {
    return statics();
}

// The offset of the player's record when its byte at, and size bytes from there, lie inside.
jint playerOffset(const jint player, const jint at, const jint size, const char* const what) {
    ByteArray* const records = s()->playerRecords;
    if (player < 0 || !holds(records, runtime::imul(player, kPlayerRecordBytes) + at, size) ||
        player >= records->length / kPlayerRecordBytes) {
        runtime::log("%s: player %d lies outside the player records", what, player);
        return -1;
    }
    return player * kPlayerRecordBytes + at;
}

jint teamOffset(const jint team, const char* const what) {
    ByteArray* const records = s()->teamRecords;
    if (team < 0 || team >= (records == nullptr ? 0 : records->length / kTeamRecordBytes)) {
        runtime::log("%s: team %d lies outside the team records", what, team);
        return -1;
    }
    return team * kTeamRecordBytes;
}

jint infoOffset(const jint player, const jint at, const jint size, const char* const what) {
    ByteArray* const info = s()->playerInfoRecords;
    if (player < 0 || player >= (info == nullptr ? 0 : info->length / kPlayerInfoBytes) ||
        !holds(info, player * kPlayerInfoBytes + at, size)) {
        runtime::log("%s: player %d lies outside the player information", what, player);
        return -1;
    }
    return player * kPlayerInfoBytes + at;
}

// The unsigned birth word of the information record; 0 (logged) outside.
jint birthWord(const jint player, const char* const what) {
    const jint at = infoOffset(player, playerInfo::kBirthWord, 2, what);
    return at < 0 ? 0 : readShortBE(s()->playerInfoRecords, at) & kShortMask;
}

jint signedPlayerByte(const jint player, const jint index, const char* const what) {
    const jint at = playerOffset(player, index, 1, what);
    return at < 0 ? 0 : (*s()->playerRecords)[at];
}

bool isGenerated(const jint player) {
    return player >= s()->basePlayerCount;
}

// The squad slot's player when the slot holds one (neither empty nor flagged), else -1.
jint slotPlayer(ByteArray* const records, const jint offset, const jint slot) {
    const jint id = readShortBE(records, offset + 2 * slot) & kShortMask;
    return id == kNoId || (id & kFlaggedSlotBit) != 0 ? -1 : id;
}

} // namespace

void clubStaticInit(GameStatics* const block) {
    block->tripletCount = triplet::kCount;
    // The season's daily work: the training bonus per trainingLevel, the scouts' search chances per
    // skill and the working arrays of the transfers and the job-offer search.
    block->trainingBonus = core::intTable({0, 1, 2, 3, 4});
    block->slotRatingMasks = runtime::newIntArray(kSquadSlotCount);
    block->userLinkedTeams = runtime::newShortArray(kLinkedTeamCount);
    block->jobOfferTeams = core::shortTable({-1, -1, -1});
    block->divisionTeamsScratch = runtime::newShortArray(kLeagueTeamSlots);
    block->jobOfferMaxRating = -1;
    block->jobOfferMinRating = -1;
    block->scoutSearchChance = core::intTable({10, 20, 30, 40, 50, 60});
}

jint getPlayerBirthDate(const jint player) {
    const jint w = birthWord(player, "getPlayerBirthDate");
    const jint b16 = signedPlayerByte(player, player::kBirthYearCode, "getPlayerBirthDate");
    if (isGenerated(player)) {
        return (w & kMonthDayMask) + kYearUnit * (b16 - (w >> kYearShift) + kGeneratedYearOffset);
    }
    if (b16 == kTakeWordAsIs) {
        return static_cast<runtime::jshort>(w);
    }
    return (w & kMonthDayMask) + kYearUnit * (b16 + kOrdinaryYearOffset);
}

jint getPlayerAge(const jint player) {
    GameStatics* const block = s();
    jint age = 0;
    jint packed = 0;
    if (isGenerated(player)) {
        const jint w = birthWord(player, "getPlayerAge");
        const jint b16 = signedPlayerByte(player, player::kBirthYearCode, "getPlayerAge");
        age = 2 * (block->seasonYear - kFirstSeason) + (w >> kYearShift) - b16;
        packed = w;
    } else {
        packed = getPlayerBirthDate(player);
        age = block->seasonYear - (packed >> kYearShift) - kBaseYear;
    }
    const jint month = runtime::irem(block->monthIndex + kSeasonMonthShift, kMonths) + 1;
    const runtime::IntArray* const days = block->matchDayTable;
    const jint day =
        days != nullptr && days->inBounds(block->matchDayIndex) ? (*days)[block->matchDayIndex] : 0;
    const jint birthMonth = (packed >> kMonthShift) & kMonthMask;
    if (month < birthMonth || (month == birthMonth && day < (packed & kDayMask))) {
        --age;
    }
    return age;
}

jint getPlayerField0(const jint player) {
    const jint at = playerOffset(player, player::kContractEnd, 2, "getPlayerField0");
    return at < 0 ? 0 : readShortBE(s()->playerRecords, at);
}

jint getPlayerField17(const jint player) {
    const jint at = playerOffset(player, player::kTeam, 2, "getPlayerField17");
    return at < 0 ? kNoId : readShortBE(s()->playerRecords, at) & kShortMask;
}

jint getPlayerAskingPrice(const jint player) {
    const jint value = getPlayerField33(player);
    return value + runtime::idiv(runtime::imul(value, randomRange(0, kAskingPriceRise)), kPercent);
}

jint readRecord28Int(const jint player) {
    const jint at = infoOffset(player, playerInfo::kPositionMask, 4, "readRecord28Int");
    return at < 0 ? 0 : readIntBE(s()->playerInfoRecords, at);
}

jint getTeamField60(const jint team) {
    const jint at = teamOffset(team, "getTeamField60");
    return at < 0 ? 0 : readShortBE(s()->teamRecords, at + team::kWageBudget) & kShortMask;
}

void setTeamField60(const jint team, const jint value) {
    const jint at = teamOffset(team, "setTeamField60");
    if (at < 0) {
        return;
    }
    ByteArray* const records = s()->teamRecords;
    (*records)[at + team::kWageBudget] = runtime::i2b(value >> 8);
    (*records)[at + team::kWageBudget + 1] = runtime::i2b(value);
}

jint getTeamFunds(const jint team) {
    GameStatics* const block = s();
    if (team == block->userTeam && block->menuState != kChooserMenuState &&
        block->pendingTeam == kNoPendingTeam) {
        return block->userFundsIn - block->userFundsOut + block->userFundsBase;
    }
    const jint at = teamOffset(team, "getTeamFunds");
    return at < 0 ? 0 : runtime::imul(readShortBE(block->teamRecords, at + team::kFunds), team::kFundsUnit);
}

jint getTeamWageRoom(const jint team) {
    GameStatics* const block = s();
    // The budget is read unsigned: the turnover caps it at 65000, which a signed read would turn
    // into a negative room.
    const jint budget = getTeamField60(team);
    if (team == block->userTeam) {
        return budget - block->userWageTotal;
    }
    const jint at = teamOffset(team, "getTeamWageRoom");
    if (at < 0) {
        return budget;
    }
    jint wages = 0;
    for (jint slot = 0; slot < kSquadSlots; ++slot) {
        const jint player = slotPlayer(block->teamRecords, at, slot);
        if (player >= 0) {
            wages += getPlayerField2(player);
        }
    }
    return budget - wages;
}

jint getTeamStrength(const jint team, const jboolean firstElevenOnly) {
    if (team >= kNoTeamLimit) {
        return 0;
    }
    const jint at = teamOffset(team, "getTeamStrength");
    if (at < 0) {
        return 0;
    }
    ByteArray* const records = s()->teamRecords;
    const jint slots = firstElevenOnly != 0 ? kFirstEleven : kSquadSlots;
    jint sum = 0;
    for (jint skill = 0; skill < kSkillCount; ++skill) {
        std::array<jint, kBestCount> best{};
        for (jint slot = 0; slot < slots; ++slot) {
            const jint player = slotPlayer(records, at, slot);
            if (player < 0) {
                continue;
            }
            const jint fitness = playerByte(player, player::kFitness);
            jint value = playerByte(player, player::kSkills + skill) & player::kSkillMask;
            if (fitness >= 0 && fitness < static_cast<jint>(kFitnessAdjustment.size())) {
                value += kFitnessAdjustment[static_cast<std::size_t>(fitness)];
            }
            if (value <= best[kBestCount - 1]) {
                continue;
            }
            // After every value greater than or equal to it; the last drops out.
            jint place = 0;
            while (best[static_cast<std::size_t>(place)] >= value) {
                ++place;
            }
            for (jint i = kBestCount - 1; i > place; --i) {
                best[static_cast<std::size_t>(i)] = best[static_cast<std::size_t>(i - 1)];
            }
            best[static_cast<std::size_t>(place)] = value;
        }
        for (const jint value : best) {
            sum += value;
        }
    }
    // A squad of fully rested top players averages above 127; a signed byte would wrap that to the
    // weakest strength, so the mean stops at the top of the range.
    return std::min(static_cast<jint>(static_cast<runtime::jshort>(sum)) >> kStrengthShift, kStrengthMax);
}

jint getNeededPosition(const jint team) {
    std::array<jint, kLineCount> counts{};
    const jint at = teamOffset(team, "getNeededPosition");
    ByteArray* const records = s()->teamRecords;
    for (jint slot = 0; at >= 0 && slot < kSquadSlots; ++slot) {
        const jint player = slotPlayer(records, at, slot);
        if (player < 0) {
            continue;
        }
        const jint line = infoOffset(player, playerInfo::kLineBits, 1, "getNeededPosition");
        const jint bits = line < 0 ? 0 : (*s()->playerInfoRecords)[line];
        for (jint k = 0; k < kLineCount; ++k) {
            if ((bits & kLineBit[static_cast<std::size_t>(k)]) != 0) {
                counts[static_cast<std::size_t>(k)] += kLineWeight[static_cast<std::size_t>(k)];
                break;
            }
        }
    }
    // Index 0 is never the choice: the search starts at 1 with the smaller of the first two counts.
    jint choice = 1;
    jint minimum = std::min(counts[0], counts[1]);
    if (counts[0] == counts[1]) {
        coinBitSet();
    }
    for (jint k = 2; k < kLineCount; ++k) {
        const jint count = counts[static_cast<std::size_t>(k)];
        if (count < minimum) {
            choice = k;
            minimum = count;
        } else if (count == minimum && !coinBitSet()) {
            choice = k;
        }
    }
    return 1 << choice;
}

jint drawWeightedBand() {
    const jint r = randomRange(0, kBandDrawMax);
    jint band = 0;
    for (const jint threshold : kBandThresholds) {
        if (r >= threshold) {
            ++band;
        }
    }
    return band;
}

jint pickPositionEntry(const jint player) {
    const jint mask = readRecord28Int(player);
    jint group = kTopGroup;
    if (mask == kGoalkeeperMask) {
        group = kGoalkeeperGroup;
    } else {
        for (const GroupLimit& limit : kGroupLimits) {
            if (mask <= limit.maxMask) {
                group = limit.group;
                break;
            }
        }
    }
    runtime::ObjectArray* const table = s()->positionGroupTable;
    auto* const row =
        table != nullptr && table->inBounds(group) ? static_cast<ByteArray*>((*table)[group]) : nullptr;
    if (row == nullptr || row->length == 0) {
        runtime::log("pickPositionEntry: the position-group table has no group %d", group);
        return 0;
    }
    return (*row)[randomRange(0, row->length - 1)];
}

jboolean isRetiring(const jint player) {
    if (getPlayerAge(player) < kRetirementAge) {
        return 0;
    }
    const jint status = (playerByte(player, player::kStatus) >> kNibbleShift) & kLowNibble;
    if (getPlayerField0(player) != kNoContract && status < kLastKeptStatus) {
        return 0;
    }
    if (getPlayerField17(player) == kNoId) {
        return 1;
    }
    return isGenerated(player) ? 1 : 0;
}

void setThreeByteEntry(const jint n, const jint value16, const jint value8) {
    ByteArray* const table = s()->tripletTable;
    if (n < 0 || !holds(table, runtime::imul(n, triplet::kBytes), triplet::kBytes)) {
        runtime::log("setThreeByteEntry: entry %d lies outside the triplet table", n);
        return;
    }
    const jint at = n * triplet::kBytes;
    (*table)[at + triplet::kValue] = runtime::i2b(value16 >> 8);
    (*table)[at + triplet::kValue + 1] = runtime::i2b(value16);
    (*table)[at + triplet::kState] = runtime::i2b(value8);
}

void writeInt32BE(ByteArray* const array, const jint offset, const jint value) {
    if (!holds(array, offset, 4)) {
        runtime::log("writeInt32BE: offset %d lies outside the array", offset);
        return;
    }
    for (jint i = 0; i < 4; ++i) {
        (*array)[offset + i] = runtime::i2b(value >> (8 * (3 - i)));
    }
}

void setTransferStatus(const jint player, const jint status) {
    const jint at = playerOffset(player, player::kListing, 1, "setTransferStatus");
    if (at < 0) {
        return;
    }
    ByteArray* const records = s()->playerRecords;
    (*records)[at] = runtime::i2b(((*records)[at] & kLowNibble) | (status << kNibbleShift));
}

jint playerByte(const jint player, const jint index) {
    const jint at = playerOffset(player, index, 1, "playerByte");
    return at < 0 ? 0 : (*s()->playerRecords)[at] & kByteMask;
}

jint getTeamByte(const jint team, const jint index) {
    const runtime::ByteArray* const table = s()->teamByteTable;
    const jint at = kTeamByteEntry * team + index;
    if (team < 0 || index < 0 || index >= kTeamByteEntry || table == nullptr || !table->inBounds(at)) {
        runtime::log("team byte table: team %d has no byte %d", team, index);
        return 0;
    }
    return (*table)[at];
}

jint getTeamSetting(const jint team) {
    GameStatics* const block = s();
    // Between saves the user's club's setting lives in currentTeamByte, not in its entry.
    return team == block->userTeam && team >= 0 ? block->currentTeamByte : getTeamByte(team, 0);
}

jint getTeamStadiumValue(const jint team) {
    const jint value = getTeamByte(team, 1) & kByteMask;
    if (value != 0) {
        return value;
    }
    const runtime::ByteArray* const info = s()->teamInfoRecords;
    const jint at = teamInfo::reputation(team);
    if (team < 0 || info == nullptr || !info->inBounds(at)) {
        runtime::log("team byte table: team %d has no stadium value", team);
        return 0;
    }
    return (*info)[at] & kByteMask;
}

jboolean coinBitSet() {
    runtime::java_util_Random* const random = s()->gameRandom;
    if (random == nullptr) {
        runtime::log("coin toss: the game has no generator");
        return 0;
    }
    return (random->nextInt() & 1) != 0 ? 1 : 0;
}

} // namespace game::club
