// Player poses and a run on the generated sample data: after the real start-up loading, with the
// player and goalkeeper sprites loaded from the sprite pack as the match start loads them, every
// state in every facing, with and without the ball, starts only animations the sprites hold, on
// an outfield player, a goalkeeper and a pitch-side figure; and a real player runs 40,000 units
// to his target.
#include <gtest/gtest.h>

#include <string>

#include "game/core/GameStatics.h"
#include "game/match/CPlayer.h"
#include "game/sprites/ASprite.h"
#include "game/sprites/SpriteLoading.h"
#include "tests/game/support/SampleGameHarness.h"
#include "tests/runtime/LogCapture.h"

namespace game::match {
namespace {

using runtime::jint;

class SamplePlayerStatesTest : public testing::SampleGameHarness {
protected:
    void SetUp() override {
        SampleGameHarness::SetUp();
        loadMatchPlayers();
    }
};

TEST_F(SamplePlayerStatesTest, EveryPoseIsOneTheSpritesHold) {
    GameStatics* s = statics();
    ASSERT_GT(static_cast<sprites::ASprite*>((*s->sprites)[0])->animationCount(), 253);
    ASSERT_GT(static_cast<sprites::ASprite*>((*s->sprites)[1])->animationCount(), 30);
    CPlayer* const players[] = {teamPlayer(matchTeam(0), 6), teamPlayer(matchTeam(1), 0),
                                static_cast<CPlayer*>((*s->sidelineActors)[1])};
    runtime::LogCapture log;
    for (CPlayer* p : players) {
        ASSERT_NE(p, nullptr);
        for (const jint ball : {0, 1}) {
            for (jint dir = 0; dir < 8; ++dir) {
                for (jint state = 0; state <= 150; ++state) {
                    p->hasBall = ball;
                    p->direction = dir;
                    p->x = dir < 4 ? -4000 : 4000;
                    p->setState(state);
                    ASSERT_NE(p->sprite, nullptr);
                    ASSERT_LT(p->anim, p->sprite->animationCount()) << state << " " << dir;
                }
            }
        }
        p->hasBall = 0;
    }
    EXPECT_EQ(static_cast<CPlayer*>((*s->sidelineActors)[1])->sprite, (*s->sprites)[0]);
    for (const std::string& line : log.lines) {
        EXPECT_EQ(line.find("has no animation"), std::string::npos) << line;
    }
}

TEST_F(SamplePlayerStatesTest, ARealPlayerRunsToHisTarget) {
    GameStatics* s = statics();
    CPlayer* p = teamPlayer(matchTeam(0), 8);
    ASSERT_NE(p, nullptr);
    p->runSpeed = s->pitchRowBase;
    p->x = -20000;
    p->y = 3000;
    p->direction = 2;
    p->wantedDirection = 2;
    p->defaultDirection = 2;
    p->runTo(20000, 3000, 0);
    jint frames = 0;
    while (p->arrived == 0 && frames < 100) {
        p->stepTowardsTarget();
        p->x += p->vx;
        p->y += p->vy;
        p->updateAnimation();
        ++frames;
        ASSERT_EQ(p->y, 3000);
    }
    EXPECT_LT(frames, 40);
    EXPECT_EQ(p->x, 20000);
    EXPECT_EQ(p->state, 0);
    EXPECT_EQ(p->anim, 1); // standing, facing 2: view 1
    EXPECT_EQ(p->frameCode != 0, true);
}

} // namespace
} // namespace game::match
