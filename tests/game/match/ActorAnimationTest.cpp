// Actor::updateAnimation: frames give way when their duration runs out, a looping animation
// starts over and a non-looping one stays on its last frame with animFinished set, and nothing
// moves while the top-level state is the menus.
#include <gtest/gtest.h>

#include <vector>

#include "game/core/GameStatics.h"
#include "game/match/CPlayer.h"
#include "game/sprites/ASprite.h"
#include "game/sprites/SpriteFormat.h"
#include "runtime/ObjectManager.h"
#include "tests/support/GameRuntime.h"
#include "tests/support/RuntimeValues.h"
#include "tools/SpriteWriter.h"

namespace game::match {
using namespace game::sprites;

namespace {

using runtime::jint;

class ActorAnimationTest : public testing_support::GameRuntimeTest {
protected:
    // An actor on a sprite whose animation 0 shows frames 3 (2 ticks), 4 (0 ticks: one tick) and
    // 5 (1 tick); frame numbers above 255 carry their high bits in the record's last byte.
    Actor* actorWith(const bool loops) {
        tools::SpriteFile file;
        tools::SpriteModule module;
        module.marker = game::sprites::kModuleMarkerFilled;
        module.width = 1;
        module.height = 1;
        file.modules.push_back(module);
        for (int f = 0; f < 6; ++f) {
            file.addFrame({{0, 0, 0}}, {0, 0, 1, 1});
        }
        file.addAnimation({{3, 2}, {4, 0}, {5, 1}});
        auto* const sprite = runtime::newObject<sprites::ASprite>();
        EXPECT_TRUE(sprite->load(testing_support::byteArrayOf(tools::spriteFileBytes(file)), 0));
        Actor* const actor = runtime::newObject<Actor>();
        actor->sprite = sprite;
        actor->animLoops = loops ? 1 : 0;
        actor->setAnimation(0, 1);
        return actor;
    }
    // frameCode after each of n updates.
    static std::vector<jint> codes(Actor* actor, const int n) {
        std::vector<jint> shown;
        for (int i = 0; i < n; ++i) {
            actor->updateAnimation();
            shown.push_back(actor->frameCode);
        }
        return shown;
    }
};

TEST_F(ActorAnimationTest, FramesFollowTheirDurationsAndLoop) {
    statics()->topState = 4;
    Actor* const actor = actorWith(true);
    EXPECT_EQ(actor->frameCode, 3);
    EXPECT_EQ(codes(actor, 7), (std::vector<jint>{3, 4, 5, 3, 3, 4, 5}));
    EXPECT_TRUE(actor->animFinished);
}

TEST_F(ActorAnimationTest, ANonLoopingAnimationStaysOnItsLastFrame) {
    statics()->topState = 4;
    Actor* const actor = actorWith(false);
    EXPECT_EQ(codes(actor, 3), (std::vector<jint>{3, 4, 5}));
    EXPECT_FALSE(actor->animFinished);
    EXPECT_EQ(codes(actor, 3), (std::vector<jint>{5, 5, 5}));
    EXPECT_TRUE(actor->animFinished);
    EXPECT_EQ(actor->frame, 2);
    actor->setAnimation(0, 1);
    EXPECT_FALSE(actor->animFinished);
}

TEST_F(ActorAnimationTest, NothingMovesInTheMenusOrWithoutAnAnimation) {
    statics()->topState = 2;
    Actor* const actor = actorWith(true);
    EXPECT_EQ(codes(actor, 4), (std::vector<jint>{3, 3, 3, 3}));
    EXPECT_EQ(actor->frameTimer, 0);
    statics()->topState = 4;
    actor->anim = 9; // the sprite has no animation 9
    EXPECT_EQ(codes(actor, 2), (std::vector<jint>{3, 3}));
    actor->sprite = nullptr;
    EXPECT_EQ(codes(actor, 1), (std::vector<jint>{3}));
}

} // namespace
} // namespace game::match
