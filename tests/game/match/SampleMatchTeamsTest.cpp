// The match teams on the generated sample data: the real start-up loading builds both teams of
// 18 players and the 48 match actors, and the tactic table read from the match data pack through
// the pack reader gives every formation row and position group.
#include <gtest/gtest.h>

#include <vector>

#include "game/core/GameStatics.h"
#include "game/core/TopStates.h"
#include "game/match/CPlayer.h"
#include "game/match/model/TacticTable.h"
#include "game/match/model/TacticTableFormat.h"
#include "game/sprites/ResourcePack.h"
#include "game/sprites/SpriteLoading.h"
#include "runtime/ConstantPool.h"
#include "runtime/Exceptions.h"
#include "tests/game/support/SampleGameHarness.h"
#include "tests/runtime/LogCapture.h"
#include "tools/SampleMatchData.h"

namespace game::match {
namespace {

using runtime::jint;

class SampleMatchTeamsTest : public testing::SampleGameHarness {
protected:
    void runLoading() {
        while (statics()->topState == core::kTopStateLoading && harness.framesRun() < kFrameLimit) {
            harness.runFrames(1);
        }
    }
    static constexpr int kFrameLimit = 200;
    runtime::LogCapture log;
};

TEST_F(SampleMatchTeamsTest, TheLoadingBuildsBothTeamsOfEighteenAndTheActors) {
    runLoading();
    ASSERT_NE(statics()->topState, core::kTopStateLoading);
    GameStatics* s = statics();
    EXPECT_EQ(s->matchActorCount, 48);
    for (jint side = 0; side < 2; ++side) {
        CTeam* team = matchTeam(side);
        ASSERT_NE(team, nullptr);
        EXPECT_EQ(team->teamIndex, side);
        EXPECT_EQ(team->opponent, matchTeam(1 - side));
        for (jint slot = 0; slot < CTeam::kPlayers; ++slot) {
            CPlayer* player = teamPlayer(team, slot);
            ASSERT_NE(player, nullptr) << side << " " << slot;
            EXPECT_EQ(player->team, team);
            EXPECT_EQ(player->opponents, team->opponent);
            EXPECT_EQ(player->slot, slot);
            EXPECT_EQ(player->kind, slot == 0 ? 1 : 0);
        }
        EXPECT_EQ((*s->sidelineActors)[side]->classId, runtime::kCPlayer);
    }
    for (const std::string& line : log.lines) {
        EXPECT_EQ(line.find("side set-up"), std::string::npos) << line;
    }
}

TEST_F(SampleMatchTeamsTest, TheTacticTableFromTheMatchDataPackGivesEveryRowAndGroup) {
    runLoading();
    sprites::openPack(runtime::getConstantString(tools::kMatchDataPackConstant));
    runtime::ByteArray* bytes = sprites::readPackEntryBytes(tools::kTacticTableEntry);
    sprites::closePack();
    ASSERT_NE(bytes, nullptr);
    ASSERT_FALSE(runtime::exceptionPending());
    ASSERT_TRUE(setTacticTable(bytes));
    const tools::Bytes expected = tools::sampleTacticTable();
    auto at = [&](const jint offset) {
        return static_cast<jint>(static_cast<runtime::jbyte>(expected[offset]));
    };
    CTeam* team = matchTeam(0);
    for (jint row = 0; row < kTacticRows; ++row) {
        team->formationIndex = row;
        team->applyTactic();
        const jint base = row * kTacticRowBytes;
        EXPECT_EQ(
            std::vector<jint>({team->mentality, team->mentalityInUse, team->tactic1, team->teamInstruction,
                               team->tactic3, team->tactic4, team->tactic5, team->tactic6, team->tactic7,
                               team->tactic8Clear}),
            std::vector<jint>({at(base), at(base), at(base + 1), at(base + 2), at(base + 3), at(base + 4),
                               at(base + 5), at(base + 6), at(base + 7), at(base + 8) == 0 ? 1 : 0}))
            << "row " << row;
        EXPECT_EQ(team->tactic3, std::vector<jint>({0, 2, 1})[row % 3]);
    }
    // One player in a position of each group 0..8, then two more.
    const jint codes[CTeam::kOnPitch] = {-1, 1, 0, 6, 11, 10, 15, 16, 20, 3, 24};
    const jint groups[CTeam::kOnPitch] = {0, 1, 2, 3, 4, 5, 6, 7, 8, 1, 8};
    for (jint i = 0; i < CTeam::kOnPitch; ++i) {
        teamPlayer(team, i)->formationSlot = codes[i];
    }
    team->applyPositionDefaults();
    for (jint i = 0; i < CTeam::kOnPitch; ++i) {
        const CPlayer* p = teamPlayer(team, i);
        const jint base = kPositionDefaultsStart + groups[i] * kPositionGroupBytes;
        EXPECT_EQ(
            std::vector<jint>({p->runStyle, p->shiftInstruction, p->instruction3, p->styleSetting,
                               p->advanceSetting, p->dribbleInstruction, p->shootInstruction,
                               p->throughBallInstruction, p->settingA, p->spareInstruction, p->settingB}),
            std::vector<jint>({at(base), at(base + 1), at(base + 2), at(base + 3), at(base + 4), at(base + 5),
                               at(base + 6), at(base + 7), at(base + 8), at(base + 9), at(base + 11)}))
            << "player " << i << " in group " << groups[i];
    }
    EXPECT_EQ(statics()->groupSetting, 2) << "player 10's group, the forwards";
    EXPECT_EQ(teamPlayer(team, 8)->runStyle, 4);
    EXPECT_EQ(teamPlayer(team, 1)->runStyle, 0);
}

} // namespace
} // namespace game::match
