// The computer clubs' transfers (see ComputerTransfers.h).
#include "game/club/ComputerTransfers.h"

#include <array>
#include <utility>
#include <vector>

#include "game/club/ClubRecords.h"
#include "game/club/DatabaseLookups.h"
#include "game/club/InboxMessages.h"
#include "game/club/RecordLayout.h"
#include "game/club/SquadLists.h"
#include "game/core/GameMath.h"
#include "game/core/GameStatics.h"
#include "game/core/RecordBytes.h"
#include "game/season/LeagueTables.h"
#include "game/season/SeasonLookups.h"
#include "runtime/Log.h"

namespace game::club {

using core::holds;

namespace {

constexpr jint kNone = -1;
constexpr jint kShortMask = 0xFFFF;
constexpr jint kNibble = 0x0F;
constexpr jint kNotApproachable = 12; // listing bits 4 and 8
constexpr jint kListed = 3;           // listing bits 1 and 2
constexpr jint kForSale = 1;
constexpr jint kForLoan = 2;
constexpr jint kAvailable = 4;
constexpr jint kLeftOutPlayers = 42; // the last players the listing walks leave out
constexpr jint kMaxListings = 19;
constexpr jint kLowerDivisionLevel = 4;
constexpr jint kUpperDivisionLevel = 6;
constexpr jint kMinSellingSquad = 16;
constexpr jint kSaleGradeBelow = 3;
constexpr jint kSaleAgeAbove = 21;
constexpr jint kLoanGradeAbove = 1;
constexpr jint kLoanAgeBelow = 23;
constexpr jint kOfferDays = 3;
constexpr jint kMaxOffers = 3;
constexpr jint kMaxBiddingSquad = 25;
constexpr jint kMaxBidders = 10;
constexpr jint kOfferValueTimes = 6;
constexpr jint kMinUserSquadForOffer = 17;
constexpr jint kMinUserSquad = 16;
constexpr jint kListedValueTimes = 2;
constexpr jint kShortSquad = 16;
constexpr jint kBuyDraws = 100;
constexpr jint kMaxApproaches = 10;
constexpr jint kLoanDraws = 8;
constexpr jint kFormDraw = 10;
constexpr jint kFormLoan = 2;
constexpr jint kFormSale = 1;
constexpr jint kFormUser = 0;
constexpr jint kLinkedTeams = 5;
constexpr jint kSkills = 8;
// Star levels.
constexpr jint kFirstStarSkill = 57;
constexpr jint kStarStep = 7;
constexpr jint kTopStarSkill = 99;
constexpr jint kTopStar = 7;
constexpr jint kBandCount = 5;
constexpr jint kAboveBands = 5; // star sums above the last band take the strongest bidders' band

GameStatics* s() {
    return statics();
}

jint userTeam() {
    return s()->userTeam & kShortMask;
}

jint skillOf(const jint player, const jint k) {
    return playerByte(player, player::kSkills + k) & player::kSkillMask;
}

jint statusOf(const jint player) {
    return playerByte(player, player::kStatus) >> 4;
}

jint gradeOf(const jint player) {
    return playerByte(player, player::kStatus) & kNibble;
}

void setListing(const jint player, const jint value) {
    runtime::ByteArray* const records = s()->playerRecords;
    const jint at = kPlayerRecordBytes * player + player::kListing;
    if (holds(records, at, 1)) {
        (*records)[at] = runtime::i2b(value);
    }
}

void postOffer(const jint team, const jint owner, const jint player, const jint form) {
    postInboxMessage(4, team, owner, player, form, kNone, kNone, kNone, kNone, kNone, kNone, kNone, kNone);
}

// A drawn value low..low + size - 1: the magnitude of the next value modulo size.
jint drawIndex(const jint size) {
    return core::randomIndex(size);
}

} // namespace

void listPlayersForTransfer(const jint n, const jboolean loan) {
    GameStatics* const block = s();
    block->squadListCount = 0;
    for (jint p = 0; p <= block->playerCount - kLeftOutPlayers; ++p) {
        const jint team = getPlayerField17(p);
        if (team == userTeam() || team >= kNoId || (playerByte(p, player::kListing) & kNibble) != 0) {
            continue;
        }
        const jint level = season::isOddLeagueTeam(team) != 0 ? kLowerDivisionLevel : kUpperDivisionLevel;
        if (hasSkillAtLevel(p, level) != 0 || countSquad(team) <= kMinSellingSquad) {
            continue;
        }
        const bool fits = loan != 0 ? gradeOf(p) > kLoanGradeAbove && getPlayerAge(p) < kLoanAgeBelow
                                    : gradeOf(p) < kSaleGradeBelow && getPlayerAge(p) > kSaleAgeAbove;
        if (!fits) {
            continue;
        }
        runtime::IntArray* const list = block->squadList;
        // The shared list's capacity bounds both walks: the loan walk has no limit of its own.
        if (!holds(list, block->squadListCount, 1)) {
            break;
        }
        (*list)[block->squadListCount++] = p;
    }
    if (block->squadListCount <= n || n <= 0) {
        return;
    }
    for (jint k = 0; k < n; ++k) {
        const jint p = (*block->squadList)[drawIndex(block->squadListCount)];
        setListing(p, loan != 0 ? kForLoan : kForSale);
    }
}

namespace {

void readLinkedTeams() {
    runtime::ShortArray* const values = nameRecordValues(userTeam());
    runtime::ShortArray* const linked = s()->userLinkedTeams;
    for (jint k = 0; k < kLinkedTeams && linked != nullptr && k < linked->length; ++k) {
        (*linked)[k] = (*values)[k];
    }
}

bool isLinkedTeam(const jint team) {
    const runtime::ShortArray* const linked = s()->userLinkedTeams;
    for (jint k = 0; linked != nullptr && k < linked->length; ++k) {
        if (((*linked)[k] & kShortMask) == team) {
            return true;
        }
    }
    return false;
}

// The user's players no club is barred from, up to 30, in slot order; with listedOnly only those
// listed for sale or loan.
std::vector<jint> userCandidates(const bool listedOnly) {
    std::vector<jint> out;
    for (jint slot = 0; slot < kSquadSlots; ++slot) {
        const jint p = getTeamPlayerId(userTeam(), slot);
        if (p < 0) {
            continue;
        }
        const jint listing = playerByte(p, player::kListing);
        if ((listing & kNotApproachable) != 0 || statusOf(p) > kAvailable ||
            (listedOnly && (listing & kListed) == 0)) {
            continue;
        }
        out.push_back(p);
    }
    return out;
}

} // namespace

void offerForUserPlayers() {
    GameStatics* const block = s();
    if (block->matchDayIndex % kOfferDays != 0) {
        return;
    }
    readLinkedTeams();
    const std::vector<jint> candidates = userCandidates(false);
    std::vector<std::pair<jint, jint>> used;
    const jint k = core::randomRange(0, kMaxOffers);
    for (jint i = 0; i < k && !candidates.empty(); ++i) {
        const jint p = candidates[static_cast<std::size_t>(drawIndex(static_cast<jint>(candidates.size())))];
        const jint value = getPlayerField33(p);
        std::array<jint, kMaxBidders> clubs{};
        jint count = 0;
        for (jint t = 0; t < block->teamCount && count < kMaxBidders; ++t) {
            if (t == userTeam() || countSquad(t) > kMaxBiddingSquad || isLinkedTeam(t)) {
                continue;
            }
            if (value < kOfferValueTimes * (getTeamFunds(t) / 10)) {
                clubs[static_cast<std::size_t>(count++)] = t;
            }
        }
        if (count == 0) {
            continue;
        }
        const jint t = clubs[static_cast<std::size_t>(core::randomRange(0, count - 1))];
        const std::pair<jint, jint> pair{t, p};
        bool repeated = false;
        for (const auto& earlier : used) {
            repeated = repeated || earlier == pair;
        }
        if (!repeated && countSquad(userTeam()) >= kMinUserSquadForOffer) {
            used.push_back(pair);
            postOffer(t, userTeam(), p, 0);
        }
    }
}

namespace {

jint listingBandOf(const jint starSum) {
    const runtime::ObjectArray* const bands = s()->listingBands;
    for (jint b = 0; bands != nullptr && b < kBandCount && b < bands->length; ++b) {
        const auto* const band = static_cast<const runtime::IntArray*>((*bands)[b]);
        if (holds(band, 0, 2) && starSum >= (*band)[0] && starSum <= (*band)[1]) {
            return b;
        }
    }
    return kAboveBands;
}

void offersForListedPlayer(const jint p) {
    GameStatics* const block = s();
    const jint band = listingBandOf(sumSkills(p, 1));
    const runtime::IntArray* const levels = block->strengthLevels;
    const jint limit = levels != nullptr && levels->inBounds(band) ? (*levels)[band] : 0;
    const jint value = getPlayerField33(p);
    block->squadListCount = 0;
    for (jint t = 0; t < block->teamCount; ++t) {
        if (t == userTeam() || value > kListedValueTimes * getTeamFunds(t) || getTeamStrength(t, 0) > limit) {
            continue;
        }
        runtime::IntArray* const list = block->squadList;
        if (holds(list, block->squadListCount, 1)) {
            (*list)[block->squadListCount++] = t;
        }
    }
    if (findOfferMessage(p, kNone, 6) != 0) {
        return;
    }
    const jint k = core::randomRange(0, kMaxOffers);
    const jint count = block->squadListCount;
    if (k <= 0 || count == 0) {
        return;
    }
    if (count > k) {
        const jint start = core::randomRange(0, count - k - 1);
        for (jint j = start; j < start + k; ++j) {
            const jint t = (*block->squadList)[j];
            if (season::findMessage(t, p) == 0 && countSquad(userTeam()) > kMinUserSquad) {
                postOffer(t, userTeam(), p, kNone);
            }
        }
        return;
    }
    for (jint j = 0; j < count; ++j) {
        if (countSquad(userTeam()) > kMinUserSquad) {
            postOffer((*block->squadList)[j], userTeam(), p, kNone);
        }
    }
}

} // namespace

void offerForListedPlayers() {
    for (const jint p : userCandidates(true)) {
        offersForListedPlayer(p);
    }
}

void buyForShortSquads() {
    GameStatics* const block = s();
    for (jint t = 0; t < block->teamCount; ++t) {
        if (t == userTeam() || countSquad(t) > kShortSquad || block->playerCount <= 0) {
            continue;
        }
        const jint money = getTeamFunds(t);
        jint r = drawIndex(block->playerCount);
        for (jint tries = 1; tries < kBuyDraws; ++tries) {
            if (getPlayerField17(r) != userTeam() && getPlayerAskingPrice(r) <= money) {
                break;
            }
            r = drawIndex(block->playerCount);
        }
        postOffer(t, getPlayerField17(r), r, kNone);
    }
}

void makeRandomApproaches() {
    const jint k = core::randomRange(0, kMaxApproaches);
    for (jint i = 0; i < k; ++i) {
        const jint t = pickRandomTeam();
        jint form = drawIndex(kFormDraw) >= kLoanDraws ? kFormLoan : kFormSale;
        const jint p = chooseTransferTarget(t, form == kFormLoan ? 1 : 0);
        if (p == kNone) {
            continue;
        }
        const jint owner = getPlayerField17(p);
        if (owner == userTeam()) {
            if (countSquad(userTeam()) < kMinUserSquad) {
                continue;
            }
            form = kFormUser;
        }
        postOffer(t, owner, p, form);
    }
}

void processTransfers() {
    const jint n = core::randomRange(0, kMaxListings);
    listPlayersForTransfer(n, 0);
    listPlayersForTransfer(n, 1);
    offerForUserPlayers();
    offerForListedPlayers();
    buyForShortSquads();
    makeRandomApproaches();
}

jint getRatingBand7(const jint skill) {
    if (skill < kFirstStarSkill) {
        return 0;
    }
    if (skill >= kTopStarSkill) {
        return kTopStar;
    }
    return 1 + (skill - kFirstStarSkill) / kStarStep;
}

jboolean hasSkillAtLevel(const jint player, const jint level) {
    for (jint k = 0; k < kSkills; ++k) {
        if (getRatingBand7(skillOf(player, k)) + 1 >= level) {
            return 1;
        }
    }
    return 0;
}

jint sumSkills(const jint player, const jboolean asStars) {
    jint sum = 0;
    for (jint k = 0; k < kSkills; ++k) {
        sum += asStars != 0 ? getRatingBand7(skillOf(player, k)) + 1 : skillOf(player, k);
    }
    return sum;
}

jint pickRandomTeam() {
    const jint count = s()->teamCount;
    if (count <= 1) {
        // No other team to draw.
        return 0;
    }
    jint t = 0;
    do {
        t = drawIndex(count);
    } while (t == userTeam());
    return t;
}

} // namespace game::club
