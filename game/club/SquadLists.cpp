// Sorting the squad list and choosing a transfer target (see SquadLists.h).
#include "game/club/SquadLists.h"

#include <algorithm>

#include "game/club/ClubRecords.h"
#include "game/club/RecordLayout.h"
#include "game/core/GameMath.h"
#include "game/core/GameStatics.h"
#include "game/core/services/InformationScreenServices.h"
#include "runtime/Log.h"

namespace game::club {

using runtime::IntArray;

namespace {

constexpr jint kColumns = 6;
constexpr jint kValueColumn = 4;
// The price window: a team with up to 500 pays up to its money, a richer one a fifth to two thirds.
constexpr jint kSmallFunds = 500;
constexpr jint kLowShare = 5;
constexpr jint kHighShareNumerator = 2;
constexpr jint kHighShareDenominator = 3;
// At 21 candidates or more the pick is among the 21 cheapest.
constexpr jint kCheapestPick = 21;

GameStatics* s() {
    return statics();
}

jint listCapacity() {
    const IntArray* const list = s()->squadList;
    return list == nullptr ? 0 : std::min(list->length, kSquadListCapacity);
}

} // namespace

void sortSquadList(const jint column, const jboolean keepFlags) {
    GameStatics* const block = s();
    if (column < 0 || column >= kColumns) {
        runtime::log("sortSquadList: no column %d", column);
        return;
    }
    if (block->squadSortFlags == nullptr) {
        block->squadSortFlags = runtime::newByteArray(kColumns);
    }
    block->rowScroll = 0;
    block->listPage = 0;
    const jint count = std::clamp(block->squadListCount, 0, listCapacity());
    IntArray* const work = runtime::newIntArray(count);
    for (jint i = 0; i < count; ++i) {
        (*work)[i] = -1;
    }
    if ((*block->squadSortFlags)[column] != 0 && keepFlags == 0) {
        for (jint i = 0; i < count; ++i) {
            (*work)[i] = (*block->squadList)[count - 1 - i];
        }
    } else {
        for (jint filled = 0; filled < count; ++filled) {
            const jint x = (*block->squadList)[filled];
            jint place = 0;
            while (place < filled &&
                   core::informationScreenServices().comparePlayers(x, (*work)[place], column) != 0) {
                ++place;
            }
            for (jint j = filled; j > place; --j) {
                (*work)[j] = (*work)[j - 1];
            }
            (*work)[place] = x;
        }
    }
    for (jint i = 0; i < count; ++i) {
        (*block->squadList)[i] = (*work)[i];
    }
    if (keepFlags == 0) {
        for (jint i = 0; i < kColumns; ++i) {
            (*block->squadSortFlags)[i] = i == column ? 1 : 0;
        }
    }
}

jint chooseTransferTarget(const jint team, const jboolean listedOnly) {
    GameStatics* const block = s();
    const jint needed = getNeededPosition(team);
    const jint funds = getTeamFunds(team);
    const jint capacity = listCapacity();
    block->squadListCount = 0;
    if (capacity == 0) {
        runtime::log("chooseTransferTarget: no squad list");
        return -1;
    }
    for (jint player = 0; player < block->playerCount && block->squadListCount < capacity; ++player) {
        const jint owner = getPlayerField17(player);
        if (owner == team || owner == kNoId || (readRecord28Int(player) & needed) == 0) {
            continue;
        }
        if (listedOnly != 0 && (playerByte(player, player::kListing) & player::kListedFlag) == 0) {
            continue;
        }
        const jint price = getPlayerAskingPrice(player);
        if (listedOnly == 0) {
            const bool fits = funds <= kSmallFunds
                                  ? price <= funds
                                  : runtime::idiv(funds, kLowShare) <= price &&
                                        price <= runtime::idiv(runtime::imul(kHighShareNumerator, funds),
                                                               kHighShareDenominator);
            if (!fits) {
                continue;
            }
        }
        (*block->squadList)[block->squadListCount++] = player;
    }
    const jint count = block->squadListCount;
    if (count == 0) {
        return -1;
    }
    if (count < kCheapestPick) {
        return (*block->squadList)[core::randomRange(0, count - 1)];
    }
    sortSquadList(kValueColumn, 1);
    return (*block->squadList)[core::randomRange(count - kCheapestPick, count - 1)];
}

} // namespace game::club
