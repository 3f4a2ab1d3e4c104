// The round-of-16 draw of the continental cup (see Matchdays.h).
#include <algorithm>
#include <array>
#include <cstdlib>

#include "game/core/GameMath.h"
#include "game/core/GameStatics.h"
#include "game/core/RecordBytes.h"
#include "game/season/LeagueTables.h"
#include "game/season/Matchdays.h"
#include "runtime/Log.h"

namespace game::season {

using namespace game::core;

namespace {

constexpr jint kGroups = 8;
constexpr jint kGroupSize = 4;
constexpr jint kTies = 8;
constexpr jint kDrawnEntries = 16;
constexpr jint kTwoDivisionLeagues = 10;
constexpr jint kSingleDivisionOffset = 5;
// Runner-up draws that try to avoid the winner's country before any runner-up is taken.
constexpr jint kCountryAttempts = 300;
// Slots this far apart or closer may share a group.
constexpr jint kSlotDistance = 4;

struct GroupPlace {
    jint position; // 0..3 within the group
    jint points;
    jint goalDifference;
};

bool ranksAbove(const GroupPlace& a, const GroupPlace& b) {
    return a.points > b.points || (a.points == b.points && a.goalDifference > b.goalDifference);
}

bool equalPlace(const GroupPlace& a, const GroupPlace& b) {
    return a.points == b.points && a.goalDifference == b.goalDifference;
}

jint countryOfSlot(const jint slot) {
    const runtime::ShortArray* const teams = statics()->competitionTeams;
    return countryOfTeam(teams != nullptr && teams->inBounds(slot) ? (*teams)[slot] : -1);
}

// The group's places in table order: by points, then goal difference, equal places in slot
// order; the user's club takes second place on a full tie with it.
std::array<GroupPlace, kGroupSize> rankGroup(const jint group) {
    GameStatics* const s = statics();
    std::array<GroupPlace, kGroupSize> places{};
    for (jint i = 0; i < kGroupSize; ++i) {
        const runtime::ByteArray* const row = standingsRow(kGroupSize * group + i);
        places[static_cast<std::size_t>(i)] = {i, row == nullptr ? 0 : (*row)[standings::kPoints] & 0xFF,
                                               row == nullptr ? 0
                                                              : readShortBE(row, standings::kGoalDifference)};
    }
    // A stable sort keeps equal places in slot order.
    std::stable_sort(places.begin(), places.end(), ranksAbove);
    const jint userPosition = s->userCompetitionSlot - kGroupSize * group;
    if (!s->userInCup || userPosition < 0 || userPosition >= kGroupSize) {
        return places;
    }
    auto at = [&places](const jint i) -> GroupPlace& { return places[static_cast<std::size_t>(i)]; };
    if (at(3).position == userPosition && equalPlace(at(3), at(1))) {
        std::swap(at(1), at(3));
    } else if (at(2).position == userPosition && equalPlace(at(2), at(1))) {
        std::swap(at(1), at(2));
    }
    const bool through = at(0).position == userPosition || at(1).position == userPosition;
    s->userOutOfCup = through ? 0 : 1;
    s->userInCup = through ? 1 : 0;
    return places;
}

bool drawnAlready(const std::array<jint, kDrawnEntries>& drawn, const jint from, const jint count,
                  const jint slot) {
    return std::find(drawn.begin() + from, drawn.begin() + from + count, slot) !=
           drawn.begin() + from + count;
}

// A tie may stand: its two slots come from different countries and different groups.
bool tieStands(const jint a, const jint b) {
    return countryOfSlot(a) != countryOfSlot(b) && std::abs(a - b) > kSlotDistance;
}

} // namespace

jint countryOfLeague(const jint league) {
    return league < kTwoDivisionLeagues ? league >> 1 : league - kSingleDivisionOffset;
}

jint countryOfTeam(const jint team) {
    return countryOfLeague(leagueOfTeam(team));
}

void drawCupKnockout() {
    GameStatics* const s = statics();
    runtime::ByteArray* const bracket = s->cupBracket;
    if (!holds(bracket, 0, kDrawnEntries)) {
        runtime::log("drawCupKnockout: no bracket to draw into");
        return;
    }
    // Winners at even places, runners-up at odd places.
    std::array<jint, kDrawnEntries> qualifiers{};
    for (jint g = 0; g < kGroups; ++g) {
        const std::array<GroupPlace, kGroupSize> places = rankGroup(g);
        qualifiers[static_cast<std::size_t>(2 * g)] = kGroupSize * g + places[0].position;
        qualifiers[static_cast<std::size_t>(2 * g + 1)] = kGroupSize * g + places[1].position;
    }
    std::array<jint, kDrawnEntries> drawn{};
    drawn.fill(-1);
    std::array<jint, kTies> winnerPlace{};
    auto winnerAt = [&qualifiers](const jint i) { return qualifiers[static_cast<std::size_t>(2 * i)]; };
    auto runnerUpAt = [&qualifiers](const jint i) { return qualifiers[static_cast<std::size_t>(2 * i + 1)]; };
    for (jint i = 0; i < kDrawnEntries; ++i) {
        (*bracket)[i] = -1;
    }
    for (jint k = 0; k < kTies; ++k) {
        const jint c = randomIndex(2);
        jint w = winnerAt(randomIndex(kGroups));
        while (drawnAlready(drawn, 0, k, w)) {
            w = winnerAt(randomIndex(kGroups));
        }
        (*bracket)[2 * k + c] = static_cast<runtime::jbyte>(w);
        drawn[static_cast<std::size_t>(k)] = w;
        winnerPlace[static_cast<std::size_t>(k)] = 2 * k + c;
        jint v = -1;
        for (jint attempt = 0; attempt < kCountryAttempts && v < 0; ++attempt) {
            const jint candidate = runnerUpAt(randomIndex(kGroups));
            if (!drawnAlready(drawn, kTies, k, candidate) && countryOfSlot(candidate) != countryOfSlot(w)) {
                v = candidate;
            }
        }
        if (v < 0) {
            // No runner-up of another country came up: take any that is left.
            v = runnerUpAt(randomIndex(kGroups));
            while (drawnAlready(drawn, kTies, k, v)) {
                v = runnerUpAt(randomIndex(kGroups));
            }
        }
        (*bracket)[2 * k + 1 - c] = static_cast<runtime::jbyte>(v);
        drawn[static_cast<std::size_t>(kTies + k)] = v;
    }
    // Repair pass. Mended: the exchange swaps the two ties' runners-up wherever the draw put
    // them. Exchanging the ties' second entries, as the pass was once described, pairs two
    // winners (and two runners-up) whenever the coin put a winner second in one of the ties.
    for (jint k = 0; k < kTies; ++k) {
        const jint wk = winnerPlace[static_cast<std::size_t>(k)];
        const jint rk = 4 * k + 1 - wk;
        const jint a = (*bracket)[wk];
        const jint b = (*bracket)[rk];
        if (tieStands(a, b)) {
            continue;
        }
        for (jint j = 0; j < kTies; ++j) {
            const jint wj = winnerPlace[static_cast<std::size_t>(j)];
            const jint rj = 4 * j + 1 - wj;
            if (tieStands((*bracket)[wj], b) && tieStands((*bracket)[rj], a)) {
                const runtime::jbyte runnerUp = (*bracket)[rj];
                (*bracket)[rj] = (*bracket)[rk];
                (*bracket)[rk] = runnerUp;
                break;
            }
        }
    }
    s->cupDrawDone = 1;
}

} // namespace game::season
