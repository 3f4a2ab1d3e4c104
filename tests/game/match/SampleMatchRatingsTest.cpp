// The match ratings on the generated sample data: after the real start-up loading, the match side
// set-up starts each side's players through the default start-up, which loads their ratings from
// their squad entries; the team boost on and off then leaves the levels where they were.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <vector>

#include "game/core/GameStatics.h"
#include "game/core/RecordBytes.h"
#include "game/core/TopStates.h"
#include "game/match/CPlayer.h"
#include "game/match/team/MatchSide.h"
#include "game/resources/DataSets.h"
#include "game/resources/DatabaseTables.h"
#include "runtime/Exceptions.h"
#include "tests/game/support/SampleGameHarness.h"

namespace game::match {
namespace {

using runtime::jint;

// The user's club and its opponent: two clubs of the sample's first division.
constexpr jint kUserClubOnSample = 3;
constexpr jint kOpponentClubOnSample = 11;

class SampleMatchRatingsTest : public testing::SampleGameHarness {
protected:
    void loadGame() {
        while (statics()->topState != core::kTopStateQuestion && harness.framesRun() < kFrameLimit) {
            harness.runFrames(1);
        }
        ASSERT_EQ(statics()->topState, core::kTopStateQuestion) << "the loading ended";
    }
    static constexpr int kFrameLimit = 200;
};

std::array<jint, 8> levelsOf(const CPlayer* p) {
    std::array<jint, 8> out{};
    for (jint k = 0; k < 8; ++k) {
        out[k] = p->skillLevels[k];
    }
    return out;
}

TEST_F(SampleMatchRatingsTest, TheSideSetUpLoadsEveryStartedPlayersRatings) {
    loadGame();
    resources::loadDatabaseTables();
    resources::createRecordStores();
    resources::persistTeamRecords(0);
    resources::persistPlayerRecords(0);
    GameStatics* s = statics();
    s->userTeam = kUserClubOnSample;
    s->opponentTeam = kOpponentClubOnSample;
    s->teamOrderFlag = 0;
    // Both sides in squad order, as the match day's line-up reset leaves them.
    for (runtime::ObjectArray* table : {s->lineup.get(), s->lineupAtKickOff.get()}) {
        for (jint t = 0; t < 2; ++t) {
            auto* row = static_cast<runtime::ByteArray*>((*table)[t]);
            for (jint k = 0; k < row->length; ++k) {
                (*row)[k] = static_cast<runtime::jbyte>(k);
            }
        }
    }
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
            const auto levels = levelsOf(p);
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
            before.push_back(levelsOf(teamPlayer(team, slot)));
        }
        team->forwardToPlayers(-5);
        team->forwardToPlayers(-6);
        for (jint slot = 0; slot < CTeam::kPlayers; ++slot) {
            const auto after = levelsOf(teamPlayer(team, slot));
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
