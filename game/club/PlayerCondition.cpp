// The players' daily condition, the squad's training and the season's contracts (see
// PlayerCondition.h).
#include "game/club/PlayerCondition.h"

#include <algorithm>

#include "game/club/CalendarAdvance.h"
#include "game/club/ClubRecords.h"
#include "game/club/DatabaseLookups.h"
#include "game/club/InboxMessages.h"
#include "game/club/PlayerValue.h"
#include "game/club/RatingRecord.h"
#include "game/club/RecordLayout.h"
#include "game/core/ChanceRules.h"
#include "game/core/GameMath.h"
#include "game/core/GameStatics.h"
#include "game/core/RecordBytes.h"
#include "game/core/services/InformationScreenServices.h"
#include "game/core/services/SeasonScreenServices.h"
#include "game/match/SkillPointDraws.h"
#include "game/sprites/Palettes.h"
#include "runtime/Log.h"

namespace game::club {

using core::holds;
using runtime::ByteArray;

namespace {

constexpr jint kNone = -1;
constexpr jint kShortMask = 0xFFFF;
constexpr jint kNibble = 0x0F;
constexpr jint kAvailable = 4;
constexpr jint kFirstInjured = 5;
constexpr jint kDailyUntil = 6;
constexpr jint kEvenDaysUntil = 11;
constexpr jint kFitnessMax = 99;
constexpr jint kKeeperMask = 1;
constexpr jint kMinAvailable = 16;
constexpr jint kNeverInjured = -2;
constexpr jint kPotentialPlayers = 40;
constexpr jint kMaxRandomInjuries = 9;
constexpr jint kInjuredFitness = 50;
constexpr jint kFitnessLow = 30;
constexpr jint kReturnMark = 0x80; // bit 7 of byte 6
constexpr jint kListedForSale = 1;
constexpr jint kListedForLoan = 2;
constexpr jint kNotApproachable = 8;
constexpr jint kLoanListingAge = 23;
constexpr jint kTextRecovered = 623;
// Training.
constexpr jint kTrainingEntries = 30;
constexpr jint kEntryPlayer = 0;
constexpr jint kEntryImprovements = 2;
constexpr jint kEntryProgress = 4;
constexpr jint kEntryKind = 15;
constexpr jint kFocusBytes = 3;
constexpr jint kProgressRise = 16;
constexpr jint kProgressKeep = 15;
constexpr jint kStepDraw = 21;
constexpr jint kSkillMax = 99;
constexpr jint kScheduleInjuryValue = 16;
constexpr jint kNewsTrainingInjury = 108;
constexpr jint kBestTrainees = 3;
// Skill flags.
constexpr jint kFlagRating = 95;
constexpr jint kMostFlags = 3;
constexpr jint kHeight = 24;
// Contracts.
constexpr jint kRetirementAge = 34;
constexpr jint kRenewScore = 50;
constexpr jint kYearShift = 9;
constexpr jint kDateMask = 0x1FF;
constexpr jint kBaseYear = 2000;
constexpr jint kLoanReturn = 3;
constexpr jint kOddSlotValue = 0xFF00;

using SkillPoint = ByteArray* (*)(ByteArray*);
// The skill point draws in order; a training kind k draws the k-th and the next, a focus its own.
constexpr SkillPoint kSkillPoints[] = {match::addSkillPointA, match::addSkillPointB, match::addSkillPointC,
                                       match::addSkillPointD, match::addSkillPointE, match::addSkillPointF,
                                       match::addSkillPointG, match::addSkillPointH, match::addSkillPointI,
                                       match::addSkillPointJ};
constexpr jint kTrainingKinds = 9;
// Focus 7 and 10 raise one skill directly; the others draw A..G, H and I.
constexpr jint kFocusSkillDirect[] = {-1, -1, -1, -1, -1, -1, -1, 3, -1, -1, 5};
constexpr jint kFocusDraw[] = {0, 1, 2, 3, 4, 5, 6, -1, 7, 8, -1};

GameStatics* s() {
    return statics();
}

jint userTeam() {
    return s()->userTeam & kShortMask;
}

// The offset of the player's record in playerRecords, or -1.
jint recordAt(const jint player) {
    const jint at = player * kPlayerRecordBytes;
    return holds(s()->playerRecords, at, kPlayerRecordBytes) ? at : kNone;
}

jint signedByte(const jint player, const jint index) {
    const jint at = recordAt(player);
    return at < 0 ? 0 : (*s()->playerRecords)[at + index];
}

void putByte(const jint player, const jint index, const jint value) {
    const jint at = recordAt(player);
    if (at >= 0) {
        (*s()->playerRecords)[at + index] = runtime::i2b(value);
    }
}

void putShort(const jint player, const jint index, const jint value) {
    putByte(player, index, value >> 8);
    putByte(player, index + 1, value);
}

jint statusOf(const jint player) {
    return playerByte(player, player::kStatus) >> 4;
}

void setStatus(const jint player, const jint status) {
    putByte(player, player::kStatus, (status << 4) | (playerByte(player, player::kStatus) & kNibble));
}

// The player in slot of team, or -1 for an empty or flagged slot.
jint slotPlayer(const jint team, const jint slot) {
    const jint id = getTeamPlayerId(team, slot);
    return id < 0 ? kNone : id;
}

bool isKeeper(const jint player) {
    return readRecord28Int(player) == kKeeperMask;
}

// A random injury: status 5 + a weighted band, fitness cut to 30..50; answers the band.
jint injure(const jint player) {
    const jint band = drawWeightedBand();
    setStatus(player, kFirstInjured + band);
    if (signedByte(player, player::kFitness) > kInjuredFitness) {
        putByte(player, player::kFitness, core::randomRange(kFitnessLow, kInjuredFitness));
    }
    return band;
}

void conditionOf(const jint p, const jint day) {
    const jint b3 = signedByte(p, player::kSkills + 3);
    const jint n = statusOf(p);
    jint fitness = signedByte(p, player::kFitness) + (b3 * (n >= kFirstInjured ? 20 : 40)) / 100;
    if (fitness > kFitnessMax || fitness <= 0) {
        fitness = kFitnessMax;
    }
    putByte(p, player::kFitness, fitness);
    const bool counts = (n >= kFirstInjured && n <= kDailyUntil) ||
                        (n > kDailyUntil && n <= kEvenDaysUntil && day % 2 == 0) ||
                        (n > kEvenDaysUntil && day == 0);
    const jint team = getPlayerField17(p);
    if (counts) {
        setStatus(p, n - 1);
        if (n == kFirstInjured && team == userTeam()) {
            putByte(p, player::kSkills + 2, signedByte(p, player::kSkills + 2) & ~kReturnMark);
            postInboxMessage(59, kTextRecovered, kNone, kNone, kNone, p, kNone, kNone, kNone, kNone, kNone,
                             kNone, kNone);
        }
    }
    if (n >= kFirstInjured && team != kNoId &&
        ((isKeeper(p) && hasNoFitGoalkeeper(team) != 0) ||
         countAvailableSquadPlayers(team) < kMinAvailable)) {
        putByte(p, player::kStatus, 0);
    }
    if (p < kPotentialPlayers) {
        core::informationScreenServices().updatePlayerPotential(p);
    }
}

// The training entry index of player in the club plan table, or -1.
jint trainingEntryOf(const jint player) {
    const ByteArray* const plan = s()->selectionTable;
    for (jint k = 0; k < kTrainingEntries; ++k) {
        const jint at = clubPlan::kMembers + clubPlan::kMemberBytes * k;
        if (holds(plan, at, clubPlan::kMemberBytes) && (core::readShortBE(plan, at) & kShortMask) == player) {
            return k;
        }
    }
    return kNone;
}

jint bonusOfLevel() {
    const runtime::IntArray* const bonus = s()->trainingBonus;
    const jint level = s()->trainingLevel;
    if (bonus == nullptr || !bonus->inBounds(level)) {
        runtime::log("trainSquad: training level %d has no bonus; 0 is used", level);
        return 0;
    }
    return (*bonus)[level];
}

// Progress of skill k of the entry by step x increment; a rise at 16 raises the skill.
void progressSkill(const jint player, const jint entryAt, const jint k, const jint add) {
    ByteArray* const plan = s()->selectionTable;
    const jint sum = ((*plan)[entryAt + kEntryProgress + k] & 0xFF) + add;
    if (sum < kProgressRise) {
        (*plan)[entryAt + kEntryProgress + k] = runtime::i2b(sum);
        return;
    }
    (*plan)[entryAt + kEntryProgress + k] = runtime::i2b(sum % kProgressKeep);
    (*plan)[entryAt + kEntryImprovements] = runtime::i2b((*plan)[entryAt + kEntryImprovements] + 1);
    const jint old = signedByte(player, player::kSkills + k);
    const jint skill = std::min((old & player::kSkillMask) + 1, kSkillMax);
    putByte(player, player::kSkills + k, (old & player::kBidMark) | skill);
}

void trainSlot(const jint slot) {
    const jint p = slotPlayer(userTeam(), slot);
    if (p < 0 || statusOf(p) >= kFirstInjured) {
        return;
    }
    const jint entry = trainingEntryOf(p);
    if (entry < 0) {
        return;
    }
    const jint g = playerByte(p, player::kStatus) & kNibble;
    const jint entryAt = clubPlan::kMembers + clubPlan::kMemberBytes * entry;
    ByteArray* const before = buildRatingRecord(slot, -1);
    ByteArray* const increments = trainingIncrements((*s()->selectionTable)[entryAt + kEntryKind]);
    jint focus[kFocusBytes];
    for (jint f = 0; f < kFocusBytes; ++f) {
        focus[f] = (*s()->selectionTable)[clubPlan::kSlotSettings + kFocusBytes * entry + f];
        addFocusIncrement(focus[f], increments);
    }
    if (core::acceptanceRoll((*before)[kScheduleInjuryValue], focus[0], focus[1], focus[2],
                             signedByte(p, player::kFitness)) != 0 &&
        statusOf(p) <= kAvailable && signedByte(p, player::kBirthYearCode) != kNeverInjured) {
        const jint band = injure(p);
        core::informationScreenServices().postSeasonNews(kNewsTrainingInjury, p, band, kNone, kNone, kNone,
                                                         kNone, kNone, kNone, kNone, kNone);
    }
    const jint bonus = bonusOfLevel();
    for (jint k = 0; k < 8; ++k) {
        const jint increment = (*increments)[k];
        if (increment <= 0) {
            continue;
        }
        const jint step = core::randomIndex(kStepDraw) < bonus + g ? 2 : 1;
        progressSkill(p, entryAt, k, step * increment);
    }
    ByteArray* const after = buildRatingRecord(slot, -1);
    runtime::IntArray* const masks = s()->slotRatingMasks;
    if (masks != nullptr && masks->inBounds(slot)) {
        for (jint i = 0; i < before->length && i < after->length && i < 32; ++i) {
            if ((*after)[i] > (*before)[i]) {
                (*masks)[slot] |= 1 << i;
            }
        }
    }
    grantSkillFlags(p, isKeeper(p) ? 1 : 0);
}

void closeTrainingMonth() {
    const jint a = takeNextTrainingPlayer();
    const jint b = takeNextTrainingPlayer();
    const jint c = takeNextTrainingPlayer();
    const auto valid = [](const jint id) { return id >= 0 && (id & kFlaggedSlotBit) == 0; };
    if (valid(a) && valid(b) && valid(c)) {
        postInboxMessage(31, a, b, c, kNone, kNone, kNone, kNone, kNone, kNone, kNone, kNone, kNone);
    }
    ByteArray* const plan = s()->selectionTable;
    for (jint k = 0; k < kTrainingEntries; ++k) {
        const jint at = clubPlan::kMembers + clubPlan::kMemberBytes * k + kEntryImprovements;
        if (holds(plan, at, 1)) {
            (*plan)[at] = 0;
        }
    }
    runtime::IntArray* const masks = s()->slotRatingMasks;
    for (jint i = 0; masks != nullptr && i < masks->length; ++i) {
        (*masks)[i] = 0;
    }
}

jint skillFlags(const jint player) {
    return playerByte(player, player::kSkillFlags) | ((playerByte(player, player::kSkillFlags + 1) & 1) << 8);
}

// Releases the player whose contract ended: no team, no contract, out of his old squad and the
// club plan's training entries.
void releasePlayer(const jint p, const jint team) {
    putShort(p, player::kTeam, kNoId);
    putShort(p, player::kContractEnd, kNoId);
    for (jint slot = 0; slot < kSquadSlots; ++slot) {
        if ((getTeamPlayerId(team, slot) & kShortMask) == p) {
            ByteArray* const teams = s()->teamRecords;
            const jint at = kTeamRecordBytes * team + team::kSquad + 2 * slot;
            (*teams)[at] = -1;
            (*teams)[at + 1] = -1;
        }
    }
    const jint entry = trainingEntryOf(p);
    for (jint k = entry; k >= 0; k = trainingEntryOf(p)) {
        ByteArray* const plan = s()->selectionTable;
        const jint at = clubPlan::kMembers + clubPlan::kMemberBytes * k + kEntryPlayer;
        (*plan)[at] = -1;
        (*plan)[at + 1] = -1;
    }
    core::seasonScreenServices().prepareTeamSide(team == userTeam() ? 0 : 1, team, 0);
}

void renewOrRelease(const jint p) {
    GameStatics* const block = s();
    const jint team = getPlayerField17(p);
    if (team == kNoId || (playerByte(p, player::kListing) & kNotApproachable) != 0 ||
        (getPlayerField0(p) >> kYearShift) + kBaseYear > block->seasonYear) {
        return;
    }
    if (team != userTeam() && getPlayerAge(p) < kRetirementAge) {
        const jint years = core::randomRange(1, 5);
        const jint wage = getPlayerValue(p, 1);
        const jint score =
            core::informationScreenServices().negotiationScore(p, wage, years, team, team, 0, 0);
        if (score > kRenewScore) {
            const jint contract =
                ((block->seasonYear + years - kBaseYear) << kYearShift) | (getPlayerField0(p) & kDateMask);
            putShort(p, player::kContractEnd, contract);
            putShort(p, player::kWage, wage);
            return;
        }
    }
    releasePlayer(p, team);
}

void endLoans(const jint team) {
    for (jint slot = 0; slot < kSquadSlots; ++slot) {
        const jint value = getTeamPlayerId(team, slot) & kShortMask;
        if ((value & kFlaggedSlotBit) == 0 || value == kNoId || value == kOddSlotValue) {
            continue;
        }
        const jint p = value & ~kFlaggedSlotBit;
        const jint own = getPlayerField17(p);
        if (own == userTeam() || team == userTeam()) {
            postInboxMessage(89, p, own, team, kNone, kNone, kNone, kNone, kNone, kNone, kNone, kNone, kNone);
        }
        core::informationScreenServices().transferPlayer(p, own, team, kLoanReturn, 0, getPlayerField2(p), 0);
    }
}

} // namespace

void skillFlagRatings(const jint player, const bool keeper, jint rating[kSkillFlagCount]) {
    jint b[8];
    for (jint i = 0; i < 8; ++i) {
        b[i] = signedByte(player, player::kSkills + i) & player::kSkillMask;
    }
    const runtime::ByteArray* const info = s()->playerInfoRecords;
    const jint infoAt = player * kPlayerInfoBytes + kHeight;
    const jint height = info != nullptr && info->inBounds(infoAt) ? (*info)[infoAt] & 0xFF : 0;
    rating[0] = (3 * b[0] + 2 * b[5] + b[4]) / 6;
    rating[1] = 6 * b[5] / 7;
    rating[2] = sprites::combinedRating(sprites::kNoRatingRecord, b[4], height, b[0], b[1]);
    rating[3] = sprites::weightedRating(sprites::kNoRatingRecord, b[5], keeper ? 0 : b[0], b[1]);
    rating[4] = keeper ? ((3 * b[1]) >> 2) + (b[2] >> 2) : (6 * b[5] + b[0] + b[6]) >> 3;
    rating[5] = (b[2] / 3 + b[1] / 2 + b[6] / 6) / (keeper ? 2 : 1);
    rating[6] = b[3];
    rating[7] = (3 * (b[1] - 50) + 2 * b[6] + height) / 6;
    rating[8] = (2 * b[1] / 3 + b[2] / 3) / (keeper ? 2 : 1);
}

void updateDailyCondition() {
    GameStatics* const block = s();
    const jint day = block->matchDayIndex;
    for (jint p = 0; p < block->playerCount; ++p) {
        conditionOf(p, day);
    }
    const jint injuries = core::randomRange(0, kMaxRandomInjuries);
    for (jint k = 0; k < injuries; ++k) {
        const jint p = core::randomRange(0, block->playerCount - 1);
        if (statusOf(p) <= kAvailable && signedByte(p, player::kBirthYearCode) != kNeverInjured &&
            getPlayerField17(p) != userTeam()) {
            injure(p);
        }
    }
    for (jint p = 0; p < block->playerCount; ++p) {
        if (statusOf(p) >= kFirstInjured) {
            if (isRetiring(p) != 0) {
                retirePlayer(p);
            }
            continue;
        }
        const jint listing = playerByte(p, player::kListing);
        if ((listing & kListedForSale) != 0 ||
            ((listing & kListedForLoan) != 0 && getPlayerAge(p) > kLoanListingAge)) {
            setStatus(p, kAvailable);
        }
    }
    core::seasonScreenServices().prepareTeamSide(0, userTeam(), 0);
}

void trainSquad(const jint day) {
    for (jint slot = 0; slot < kSquadSlots; ++slot) {
        trainSlot(slot);
    }
    if (day == 0) {
        closeTrainingMonth();
    }
}

void processContractExpiries() {
    GameStatics* const block = s();
    block->freePlayerCount = 0;
    for (jint p = 0; p < block->playerCount; ++p) {
        renewOrRelease(p);
    }
    for (jint team = 0; team < block->teamCount; ++team) {
        endLoans(team);
    }
    block->freePlayerCount = countFreePlayers();
}

jint countAvailableSquadPlayers(const jint team) {
    jint count = 0;
    for (jint slot = 0; slot < kSquadSlots; ++slot) {
        const jint p = slotPlayer(team, slot);
        count += p >= 0 && statusOf(p) <= kAvailable ? 1 : 0;
    }
    return count;
}

jint hasNoFitGoalkeeper(const jint team) {
    for (jint slot = 0; slot < kSquadSlots; ++slot) {
        const jint id = getTeamPlayerId(team, slot);
        if (id == kNone) {
            break;
        }
        if (id >= 0 && isKeeper(id) && statusOf(id) <= kAvailable) {
            return 0;
        }
    }
    return 1;
}

jint countSkillFlags(const jint player) {
    const jint flags = skillFlags(player);
    jint count = 0;
    for (jint k = 0; k < kSkillFlagCount; ++k) {
        count += (flags >> k) & 1;
    }
    return count;
}

jint countFreePlayers() {
    jint count = 0;
    for (jint p = 0; p < s()->playerCount; ++p) {
        count += getPlayerField17(p) == kNoId ? 1 : 0;
    }
    return count;
}

jint takeNextTrainingPlayer() {
    ByteArray* const plan = s()->selectionTable;
    jint best = kNone;
    jint most = 0;
    for (jint k = 0; k < kTrainingEntries; ++k) {
        const jint at = clubPlan::kMembers + clubPlan::kMemberBytes * k;
        if (!holds(plan, at, clubPlan::kMemberBytes)) {
            break;
        }
        const jint count = (*plan)[at + kEntryImprovements] & 0xFF;
        if (best < 0 || count > most) {
            best = k;
            most = count;
        }
    }
    if (best < 0 || most == 0) {
        return kNone;
    }
    const jint at = clubPlan::kMembers + clubPlan::kMemberBytes * best;
    (*plan)[at + kEntryImprovements] = 0;
    return core::readShortBE(plan, at + kEntryPlayer) & kShortMask;
}

ByteArray* trainingIncrements(const jint kind) {
    ByteArray* const increments = runtime::newByteArray(8);
    if (kind < 0 || kind >= kTrainingKinds) {
        return increments;
    }
    kSkillPoints[kind](increments);
    kSkillPoints[kind + 1](increments);
    return increments;
}

void addFocusIncrement(const jint focus, ByteArray* const increments) {
    if (focus < 0 || focus > 10 || !holds(increments, 0, 8)) {
        return;
    }
    if (kFocusSkillDirect[focus] >= 0) {
        (*increments)[kFocusSkillDirect[focus]] = runtime::i2b((*increments)[kFocusSkillDirect[focus]] + 1);
        return;
    }
    kSkillPoints[kFocusDraw[focus]](increments);
}

void grantSkillFlags(const jint player, const jboolean goalkeeper) {
    jint rating[kSkillFlagCount];
    skillFlagRatings(player, goalkeeper != 0, rating);
    for (jint k = 0; k < kSkillFlagCount; ++k) {
        const jint flags = skillFlags(player);
        if ((flags & (1 << k)) != 0 || rating[k] < kFlagRating || countSkillFlags(player) >= kMostFlags) {
            continue;
        }
        const jint set = flags | (1 << k);
        putByte(player, player::kSkillFlags, set);
        putByte(player, player::kSkillFlags + 1,
                (playerByte(player, player::kSkillFlags + 1) & ~1) | (set >> 8));
        postInboxMessage(32, player, k, kNone, kNone, kNone, kNone, kNone, kNone, kNone, kNone, kNone, kNone);
    }
}

} // namespace game::club
