// The match statistics on the generated sample data: the match tables of the database pack read
// through the real pack reader, and the derived ratings of two real sample teams, set up by the
// match side set-up, checked against the formula table for each player's own squad entry; and the
// match ratings the side set-up loads for every started player through the default start-up,
// which the team boost on and off leaves where they were.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <vector>

#include "game/club/DatabaseFormat.h"
#include "game/core/GameStatics.h"
#include "game/core/RecordBytes.h"
#include "game/core/TopStates.h"
#include "game/match/CPlayer.h"
#include "game/match/flow/MatchStatistics.h"
#include "game/match/team/MatchSide.h"
#include "game/resources/DataSets.h"
#include "game/resources/DatabaseTables.h"
#include "game/sprites/ResourcePack.h"
#include "game/sprites/SpriteLoading.h"
#include "runtime/ConstantPool.h"
#include "runtime/Exceptions.h"
#include "tests/game/support/SampleGameHarness.h"

namespace game::match {
namespace {

using runtime::jint;

// Two clubs of the first division of the sample league layout.
constexpr jint kHomeClub = 3;
constexpr jint kAwayClub = 11;

class SampleMatchStatisticsTest : public testing::SampleGameHarness {
protected:
    void loadGame() {
        while (statics()->topState != core::kTopStateQuestion && harness.framesRun() < kFrameLimit) {
            harness.runFrames(1);
        }
        ASSERT_EQ(statics()->topState, core::kTopStateQuestion) << "the loading ended";
    }
    static constexpr int kFrameLimit = 200;
};

// The Part's level of a database value and the twelve ratings of a squad entry, written out
// from the formula table with form and event levels 0.
jint level(const jint v) {
    if (v >= 99) {
        return 0;
    }
    return v >= 57 ? 7 - ((v - 57) / 7 + 1) : 7;
}
std::array<jint, 12> tableRatings(const runtime::ByteArray* entries, const jint entry) {
    auto e = [&](const jint k) { return static_cast<jint>((*entries)[entry * 22 + k]); };
    const jint u20 = e(20) & 0xFF;
    const jint u21 = e(21) & 0xFF;
    jint mask = 0;
    for (jint k = 8; k < 12; ++k) {
        mask = (mask << 8) | (e(k) & 0xFF);
    }
    const bool keeperOnly = mask == 1;
    const jint k2 = keeperOnly ? 0 : e(2);
    const jint k3 = keeperOnly ? 0 : e(3);
    const jint duel = (2 * e(3)) / 3 + e(0) / 3;
    const jint thirteenth = e(3) / 2 + e(0) / 3 + e(16) / 6;
    return {level((3 * e(1) + std::max(k2, e(3))) >> 2),
            level(((u20 - 150) * 220 / 100 + std::max(e(2), k3) + e(15)) / 3),
            level((6 * e(1) + k2 + e(16)) >> 3),
            level((std::max(e(2), e(3)) + e(1)) >> 1),
            level((e(0) - u21 + e(16) + 150) / 3),
            level((3 * k2 + 2 * e(1) + e(17)) / 6),
            level(keeperOnly ? duel >> 1 : duel),
            level((6 * e(1)) / 7),
            level((e(0) + 2 * e(15)) / 3),
            level(keeperOnly ? thirteenth >> 1 : thirteenth),
            level(((3 * e(3)) >> 2) + (e(0) >> 2)),
            level(((e(3) - 50) * 3 + 2 * e(16) + u20) / 6)};
}

TEST_F(SampleMatchStatisticsTest, TheDatabasePackGivesBothMatchTables) {
    loadGame();
    sprites::openPack(runtime::getConstantString(club::kDatabasePackConstant));
    runtime::ByteArray* block = sprites::readPackEntryBytes(club::kMatchTableEntry);
    sprites::closePack();
    ASSERT_NE(block, nullptr);
    ASSERT_FALSE(runtime::exceptionPending());
    loadMatchTable(block, 0);
    loadMatchTable(block, 1);
    GameStatics* s = statics();
    ASSERT_NE(s->matchByteTable.get(), nullptr);
    ASSERT_NE(s->matchShortTable.get(), nullptr);
    EXPECT_EQ(s->matchByteTable->length, 16);
    EXPECT_EQ(s->matchShortTable->length, 8);
    for (jint i = 0; i < s->matchByteTable->length; ++i) {
        EXPECT_EQ((*s->matchByteTable)[i], 0) << i;
    }
    for (jint i = 0; i < s->matchShortTable->length; ++i) {
        EXPECT_EQ((*s->matchShortTable)[i], 0) << i;
    }
}

TEST_F(SampleMatchStatisticsTest, RealTeamsGetTheTableRatingsOfTheirOwnEntries) {
    loadGame();
    prepareMatchSides();
    GameStatics* s = statics();
    setUpMatchSide(0, kHomeClub);
    setUpMatchSide(1, kAwayClub);
    ASSERT_FALSE(runtime::exceptionPending());
    // A substitution of the home side: a bench player stands in slot 5 and the other way round.
    auto* lineup = static_cast<runtime::ByteArray*>((*s->lineup)[0]);
    std::swap((*lineup)[5], (*lineup)[12]);
    ASSERT_EQ(squadEntryIndex(0, 5), 12);
    ASSERT_EQ(squadEntryIndex(1, 5), 35);
    jint rated = 0;
    std::vector<std::array<jint, 12>> distinct;
    for (jint t = 0; t < 2; ++t) {
        CTeam* team = matchTeam(t);
        ASSERT_NE(team, nullptr);
        for (jint slot = 0; slot < CTeam::kPlayers; ++slot) {
            CPlayer* p = teamPlayer(team, slot);
            ASSERT_NE(p, nullptr);
            const jint entry = (*static_cast<runtime::ByteArray*>((*s->lineup)[t]))[slot] + 30 * t;
            ASSERT_EQ(squadEntryIndex(t, slot), entry);
            p->formLevel = 0;
            p->eventLevelA = 0;
            p->eventLevelB = 0;
            p->updateRatings();
            const std::array<jint, 12> expected = tableRatings(s->listRowRecords, entry);
            EXPECT_EQ(
                (std::array<jint, 12>{p->shotPower, p->penaltyAimLevel, p->handicapLevel, p->extraRating7,
                                      p->accelRating, p->aimLevel, p->duelRating, p->extraRating11,
                                      p->extraRating12, p->extraRating13, p->saveSkill, p->handlingLevel}),
                expected)
                << "team " << t << " slot " << slot << " entry " << entry;
            if (std::find(distinct.begin(), distinct.end(), expected) == distinct.end()) {
                distinct.push_back(expected);
            }
            ++rated;
        }
    }
    EXPECT_EQ(rated, 36);
    EXPECT_GT(distinct.size(), 10U) << "the sample's players differ";

    // A goalless draw with no counters: 6 for everyone, 7 for the two keepers.
    computePlayerRatings(1);
    for (jint t = 0; t < 2; ++t) {
        for (jint slot = 0; slot < CTeam::kPlayers; ++slot) {
            EXPECT_EQ(teamPlayer(matchTeam(t), slot)->matchRating, slot == 0 ? 7 : 6) << t << " " << slot;
        }
    }
}

std::array<jint, 8> sampleLevelsOf(const CPlayer* p) {
    std::array<jint, 8> out{};
    for (jint k = 0; k < 8; ++k) {
        out[k] = p->skillLevels[k];
    }
    return out;
}

TEST_F(SampleMatchStatisticsTest, TheSideSetUpLoadsEveryStartedPlayersRatings) {
    loadGame();
    prepareMatchSides();
    GameStatics* s = statics();
    s->userTeam = kHomeClub;
    s->opponentTeam = kAwayClub;
    s->teamOrderFlag = 0;
    setUpMatchSide(0, s->userTeam);
    setUpMatchSide(1, s->opponentTeam);
    ASSERT_FALSE(runtime::exceptionPending());

    jint started = 0;
    jint boostLosses = 0;
    std::vector<std::array<jint, 8>> distinct;
    for (jint t = 0; t < 2; ++t) {
        CTeam* team = matchTeam(t);
        ASSERT_NE(team, nullptr);
        for (jint slot = 0; slot < CTeam::kPlayers; ++slot) {
            CPlayer* p = teamPlayer(team, slot);
            ASSERT_NE(p, nullptr);
            if (p->eventState != 3) {
                continue; // not started: the side has fewer available players
            }
            ++started;
            const jint entry = squadEntryIndex(t, slot);
            ASSERT_GE(entry, 0);
            const jint condition = (*s->listRowRecords)[entry * core::kMatchRecordBytes + 4];
            const auto levels = sampleLevelsOf(p);
            for (const jint level : levels) {
                EXPECT_GE(level, 0) << t << " " << slot;
                EXPECT_LE(level, 7) << t << " " << slot;
            }
            EXPECT_EQ(p->unfit, condition > 4 ? 1 : 0) << t << " " << slot;
            EXPECT_EQ(p->hasPlayed, slot < 11 ? 1 : 0) << t << " " << slot;
            EXPECT_EQ(p->runSpeed, 835);
            EXPECT_EQ(p->ballRunSpeed, 707);
            EXPECT_EQ(p->sideSpeed, slot == 0 ? 668 : 278);
            if (condition > 4) {
                EXPECT_EQ(p->sprintSpeed, 835) << t << " " << slot;
            } else {
                EXPECT_GE(p->sprintSpeed, 905) << t << " " << slot;
                EXPECT_LE(p->sprintSpeed, 1128) << t << " " << slot;
                EXPECT_EQ(p->ballSprintSpeed, p->sprintSpeed - (p->handicapLevel + 1) * 20)
                    << t << " " << slot;
            }
            EXPECT_EQ(p->reactionTime, levels[7] + 1);
            if (std::find(distinct.begin(), distinct.end(), levels) == distinct.end()) {
                distinct.push_back(levels);
            }
        }
        // The boost on and off: every level back where it was, save one the clamp held at 0.
        std::vector<std::array<jint, 8>> before;
        for (jint slot = 0; slot < CTeam::kPlayers; ++slot) {
            before.push_back(sampleLevelsOf(teamPlayer(team, slot)));
        }
        team->forwardToPlayers(-5);
        team->forwardToPlayers(-6);
        for (jint slot = 0; slot < CTeam::kPlayers; ++slot) {
            const auto after = sampleLevelsOf(teamPlayer(team, slot));
            for (jint k = 0; k < 8; ++k) {
                if (before[slot][k] == 0 && (k == 2 || k == 4 || k == 5 || k == 7)) {
                    EXPECT_LE(after[k], 1) << t << " " << slot << " level " << k;
                    boostLosses += after[k];
                } else {
                    EXPECT_EQ(after[k], before[slot][k]) << t << " " << slot << " level " << k;
                }
            }
        }
    }
    EXPECT_EQ(started, 36) << "both sample clubs field eighteen";
    EXPECT_GT(distinct.size(), 10U) << "the sample's players differ";
    RecordProperty("boostLossesAtZero", boostLosses);
}

} // namespace
} // namespace game::match
