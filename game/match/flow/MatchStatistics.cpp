// Goal counts, match ratings, the end-of-match records and the match-table reader (see
// MatchStatistics.h).
#include "game/match/flow/MatchStatistics.h"

#include "game/club/DatabaseLookups.h"
#include "game/club/RecordLayout.h"
#include "game/core/GameStatics.h"
#include "game/core/RecordBytes.h"
#include "game/match/CPlayer.h"
#include "game/match/Geometry.h"
#include "game/match/model/MatchRecords.h"
#include "game/match/team/LineupTables.h"
#include "runtime/Log.h"
#include "runtime/Random.h"

namespace game::match {

using runtime::ByteArray;
using runtime::jbyte;

namespace {

// Goal record bytes: the team credited, the scorer's squad index, the scorer's team, the assist's
// squad index (-1 none).
constexpr jint kCreditedTeam = 0;
constexpr jint kScorerIndex = 1;
constexpr jint kScorerTeam = 2;
constexpr jint kAssistIndex = 5;
constexpr jint kNoAssist = -1;
// An assist index of 0 credits nobody either.
constexpr jint kIgnoredAssist = 0;
// The rating's base and the keeper's clean-sheet bonus.
constexpr jint kBaseRating = 6;
constexpr jint kCleanSheetBonus = 1;
// A losing keeper's coin: 2 when the other side scored more than this, else 1.
constexpr jint kHeavyDefeat = 2;
// The packed match-table block: a big-endian count of section offsets, then the offsets.
constexpr jint kCountBytes = 2;
constexpr jint kFirstOffset = 2;
constexpr jint kByteSection = 0;
constexpr jint kShortSection = 1;

// The next coin of the ratings: |r| mod 2 of the generator's next int (0 without one).
jint drawCoin(runtime::java_util_Random* const random) {
    return random != nullptr ? absInt(random->nextInt()) % 2 : 0;
}

// One player's rating before the limit: his counters (weights by full), assists, the result and
// his clean sheet.
jint rawRating(const CPlayer* counters, const bool full) {
    const jint sa = counters->matchStatA;
    const jint sb = counters->matchStatB;
    const jint sc = counters->matchStatC;
    const jint sd = counters->matchStatD;
    const jint g = counters->matchGoals;
    const jint goalTerm = ((g + 1) << 1) / 3;
    jint r = full ? kBaseRating + sb / 3 + sa / 3 + sc / 12 + (sd >> 2) + goalTerm
                  : kBaseRating + sb / 2 + sa / 2 + sc / 6 + (sd >> 1) + goalTerm;
    return r + ((counters->matchAssists + 1) >> 1);
}

// Credits a goal or an assist to the player of side t whose line-up entry is index.
CPlayer* playerOfSquadIndex(const jint t, const jint index) {
    const jint slot = slotOfSquadIndex(t, index);
    return slot >= 0 ? teamPlayer(matchTeam(t), slot) : nullptr;
}

} // namespace

void listUsedBenchSlots() {
    GameStatics* const s = statics();
    for (jint t = 0; t < kLineupSides; ++t) {
        ByteArray* const list = sideRow(s->benchSlots, t);
        if (list == nullptr) {
            runtime::log("match records: team %d has no list of bench slots", t);
            continue;
        }
        for (jint i = 0; i < list->length; ++i) {
            (*list)[i] = -1;
        }
        const CTeam* const team = matchTeam(t);
        jint used = 0;
        for (jint slot = kFirstBenchIndex; slot < CTeam::kPlayers && used < list->length; ++slot) {
            const CPlayer* const player = teamPlayer(team, slot);
            if (player != nullptr && player->hasPlayed != 0) {
                (*list)[used++] = runtime::i2b(slot);
            }
        }
    }
}

jint slotOfSquadIndex(const jint teamIndex, const jint entry) {
    if (entry < 0 || entry >= core::kMatchRecordsPerTeam) {
        return -1;
    }
    for (jint slot = 0; slot < CTeam::kPlayers; ++slot) {
        if (squadEntryIndex(teamIndex, slot) == entry + teamIndex * core::kMatchRecordsPerTeam) {
            return slot;
        }
    }
    return -1;
}

void countGoalScorers() {
    GameStatics* const s = statics();
    // Counted afresh: the interval counts once and the end of the match again.
    for (jint t = 0; t < kLineupSides; ++t) {
        s->teamGoalsCounted[t] = 0;
        const CTeam* const team = matchTeam(t);
        for (jint slot = 0; slot < CTeam::kPlayers; ++slot) {
            CPlayer* const player = teamPlayer(team, slot);
            if (player != nullptr) {
                player->matchGoals = 0;
                player->matchAssists = 0;
            }
        }
    }
    const ByteArray* const records = s->goalRecords;
    const jint count = s->goalCount < kGoalRecordCount ? s->goalCount : kGoalRecordCount;
    for (jint i = 0; i < count; ++i) {
        const jint at = i * kGoalRecordBytes;
        if (!core::holds(records, at, kGoalRecordBytes)) {
            runtime::log("countGoalScorers: goal record %d lies outside the goal records", i);
            return;
        }
        const jint team = (*records)[at + kCreditedTeam];
        const jint scorer = (*records)[at + kScorerIndex];
        const jint assist = (*records)[at + kAssistIndex];
        if (team != (*records)[at + kScorerTeam] || scorer >= core::kMatchRecordsPerTeam ||
            assist >= core::kMatchRecordsPerTeam) {
            continue;
        }
        if (team < 0 || team >= kLineupSides) {
            runtime::log("countGoalScorers: goal record %d names team %d", i, team);
            continue;
        }
        s->teamGoalsCounted[team] = runtime::i2b(s->teamGoalsCounted[team] + 1);
        if (CPlayer* const player = playerOfSquadIndex(team, scorer); player != nullptr) {
            player->matchGoals += 1;
        }
        if (assist != kNoAssist && assist != kIgnoredAssist) {
            if (CPlayer* const player = playerOfSquadIndex(team, assist); player != nullptr) {
                player->matchAssists += 1;
            }
        }
    }
}

void computePlayerRatings(const jboolean full) {
    runtime::java_util_Random* const random = statics()->gameRandom;
    if (random == nullptr) {
        runtime::log("computePlayerRatings: no gameRandom; every coin is 0");
    }
    const jint g0 = sideGoals(0);
    const jint g1 = sideGoals(1);
    for (jint t = 0; t < kLineupSides; ++t) {
        CTeam* const team = matchTeam(t);
        const jint own = t == 0 ? g0 : g1;
        const jint other = t == 0 ? g1 : g0;
        for (jint slot = 0; slot < CTeam::kPlayers; ++slot) {
            // Drawn for every slot, whoever stands there, so the draws of a match stay in step.
            jint v = drawCoin(random);
            CPlayer* const player = teamPlayer(team, slot);
            if (player == nullptr) {
                continue;
            }
            if (slot != CPlayer::kKeeperSlot) {
                if (player->matchGoals > 0) {
                    v = own > other ? 1 : 0;
                }
            } else if (own < other) {
                v = other > kHeavyDefeat ? 2 : 1;
            }
            // The counters of the player whose line-up entry is this player's: the player
            // himself, since a substitution moves the player objects with their entries.
            const jint entry = squadEntryIndex(t, slot);
            const jint q = entry >= 0 ? slotOfSquadIndex(t, entry - t * core::kMatchRecordsPerTeam) : slot;
            const CPlayer* const counters = teamPlayer(team, q >= 0 ? q : slot);
            jint r = rawRating(counters != nullptr ? counters : player, full != 0);
            if (g0 > g1) {
                r += t == 0 ? v : -v;
            }
            if (slot == CPlayer::kKeeperSlot && other == 0) {
                r += kCleanSheetBonus;
            }
            if (r < kLowestRating) {
                r = kLowestRating;
            } else if (r > kHighestRating) {
                r = own >= other && player->matchGoals > 0 ? kScorerRating : kHighestRating;
            }
            player->matchRating = r;
        }
    }
}

jint findMemberEntry(const jint playerId) {
    const ByteArray* const table = statics()->selectionTable;
    for (jint m = 0; m < kSquadSlots; ++m) {
        const jint at = club::clubPlan::kMembers + m * club::clubPlan::kMemberBytes;
        if (!core::holds(table, at, club::clubPlan::kMemberBytes)) {
            return -1;
        }
        if ((core::readShortBE(table, at) & kEmptySquadSlot) == (playerId & kEmptySquadSlot)) {
            return at;
        }
    }
    return -1;
}

void finishMatchRecords() {
    GameStatics* const s = statics();
    s->matchFlag = 0;
    s->matchEndCounter = kMatchEndCount;
    s->matchEndCounterOn = 1;
    countGoalScorers();
    listUsedBenchSlots();
    // The user's squad players' member entries. What the match adds to an entry waits for the
    // club database to name the bytes that hold match counters (a counter saturates at 127).
    const jint user = s->userTeam;
    if (!club::isNoClub(user)) {
        for (jint k = 0; k < kSquadSlots; ++k) {
            const jint id = squadNumber(user & kEmptySquadSlot, k);
            if (isAvailableNumber(id) && findMemberEntry(id) < 0) {
                runtime::log("finishMatchRecords: player %d of the squad has no member entry", id);
            }
        }
    }
    computePlayerRatings(1);
}

void loadMatchTable(ByteArray* const block, const jint section) {
    if (section != kByteSection && section != kShortSection) {
        return;
    }
    if (!core::holds(block, 0, kCountBytes)) {
        runtime::log("loadMatchTable: no table block");
        return;
    }
    GameStatics* const s = statics();
    const jint base = ((core::readShortBE(block, 0) & 0xFFFF) + 1) * 2;
    if (section == kByteSection) {
        if (!core::holds(block, base, 1) || !core::holds(block, base + 1, (*block)[base] & 0xFF)) {
            runtime::log("loadMatchTable: section 0 does not fit in the block of %d bytes", block->length);
            return;
        }
        const jint n = (*block)[base] & 0xFF;
        ByteArray* const table = runtime::newByteArray(n);
        for (jint i = 0; i < n; ++i) {
            (*table)[i] = (*block)[base + 1 + i];
        }
        s->matchByteTable = table;
        return;
    }
    if (!core::holds(block, kFirstOffset, 2)) {
        runtime::log("loadMatchTable: the block of %d bytes has no section offset", block->length);
        return;
    }
    const jint offset = base + (core::readShortBE(block, kFirstOffset) & 0xFFFF);
    if (!core::holds(block, offset, 1) || !core::holds(block, offset + 1, 2 * ((*block)[offset] & 0xFF))) {
        runtime::log("loadMatchTable: section 1 does not fit in the block of %d bytes", block->length);
        return;
    }
    const jint n = (*block)[offset] & 0xFF;
    runtime::ShortArray* const table = runtime::newShortArray(n);
    for (jint i = 0; i < n; ++i) {
        (*table)[i] = static_cast<runtime::jshort>(core::readShortBE(block, offset + 1 + 2 * i));
    }
    s->matchShortTable = table;
}

} // namespace game::match
