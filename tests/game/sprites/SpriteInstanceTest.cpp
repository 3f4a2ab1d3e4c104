// Sprite instances: animation timing, loops, the ended flag and instances without a sprite.
#include <gtest/gtest.h>

#include "game/core/services/SpriteServices.h"
#include "game/sprites/ASpriteInstance.h"
#include "tests/game/sprites/PaintTestSupport.h"

namespace game::sprites::testing {
using namespace game::core;

namespace {

class SpriteInstanceTest : public PaintTest {
protected:
    // Animation 0: three frames of the given durations; animation 1: one frame shown forever.
    ASprite* animated(const int d0, const int d1, const int d2) {
        tools::SpriteFile file;
        file.flags = kFlagPixelSection;
        file.palettes = testPalettes();
        file.modules.push_back(patternModule(2, 2, [](int, int) { return 1; }));
        const int frame = file.addFrame({{0, 0, 0}}, {0, 0, 2, 2});
        file.addAnimation({{frame, d0}, {frame, d1}, {frame, d2}});
        file.addAnimation({{frame, 0}});
        return loaded(20, file);
    }
};

TEST_F(SpriteInstanceTest, ADurationOfTwoAdvancesOnTheSecondUpdate) {
    ASpriteInstance* instance = runtime::newObject<ASpriteInstance>(animated(2, 2, 2), 5, 6);
    instance->setAnim(0);
    EXPECT_EQ(instance->loops, -1);
    EXPECT_EQ(instance->lastFrame, 2);
    const jint frames[] = {0, 1, 1, 2, 2, 0, 0, 1};
    const bool ended[] = {false, false, false, false, false, true, false, false};
    for (int i = 0; i < 8; ++i) {
        instance->update();
        EXPECT_EQ(instance->aframe, frames[i]) << "update " << i + 1;
        EXPECT_EQ(instance->ended != 0, ended[i]) << "update " << i + 1;
    }
}

TEST_F(SpriteInstanceTest, OneLoopWrapsOnceThenHoldsTheLastFrame) {
    ASpriteInstance* instance = runtime::newObject<ASpriteInstance>(animated(1, 1, 1), 0, 0);
    instance->setAnim(0, 1);
    struct Step {
        jint frame;
        bool ended;
        jint loops;
    };
    const Step steps[] = {{1, false, 1}, {2, false, 1}, {0, true, 0}, {1, false, 0},
                          {2, false, 0}, {2, true, 0},  {2, true, 0}};
    for (const Step& s : steps) {
        instance->update();
        EXPECT_EQ(instance->aframe, s.frame);
        EXPECT_EQ(instance->ended != 0, s.ended);
        EXPECT_EQ(instance->loops, s.loops);
    }
    EXPECT_TRUE(instance->holdLastFrame());
    EXPECT_EQ(instance->aframe, 2);
}

TEST_F(SpriteInstanceTest, AFrameOfDurationZeroIsShownForever) {
    ASpriteInstance* instance = runtime::newObject<ASpriteInstance>(animated(1, 1, 1), 0, 0);
    instance->setAnim(1, 0);
    for (int i = 0; i < 5; ++i) {
        instance->update();
        EXPECT_EQ(instance->aframe, 0);
        EXPECT_FALSE(instance->ended);
        EXPECT_EQ(instance->timer, 0);
    }
    EXPECT_FALSE(instance->holdLastFrame());
}

TEST_F(SpriteInstanceTest, AnInstanceWithoutSpriteNeverAdvancesAndPaintsNothing) {
    ASpriteInstance* instance = runtime::newObject<ASpriteInstance>(nullptr, 10, 10);
    instance->setAnim(0);
    EXPECT_EQ(instance->lastFrame, -1);
    instance->ended = 1;
    for (int i = 0; i < 3; ++i) {
        instance->update();
        EXPECT_EQ(instance->aframe, 0);
        EXPECT_FALSE(instance->ended);
    }
    instance->paintAt(g);
    ASpriteInstance::paintOn(instance, g, 10, 10, 0, 0, 0, 0);
    EXPECT_FALSE(anyPaint(0, 0, 40, 40));
}

TEST_F(SpriteInstanceTest, AnAnimationTheSpriteLacksIsLoggedAndNeverAdvances) {
    ASpriteInstance* instance = runtime::newObject<ASpriteInstance>(animated(1, 1, 1), 0, 0);
    instance->setAnim(7);
    EXPECT_EQ(instance->lastFrame, -1);
    instance->update();
    EXPECT_EQ(instance->aframe, 0);
    EXPECT_TRUE(logMentions("no animation 7"));
}

TEST_F(SpriteInstanceTest, PaintingUsesThePositionAndTransform) {
    ASpriteInstance* instance = runtime::newObject<ASpriteInstance>(animated(1, 1, 1), 30, 40);
    instance->setAnim(0);
    instance->paintAt(g);
    EXPECT_EQ(pixel(30, 40), rgb(kInk[0]));
    EXPECT_TRUE(isBackground(29, 40));
    ASpriteInstance::paintOn(instance, g, 60, 70, 0, 0, 0, 0);
    EXPECT_EQ(pixel(61, 71), rgb(kInk[0]));
    instance->transform = kTransformFlipX;
    instance->x = 100;
    instance->paintAt(g);
    EXPECT_EQ(pixel(98, 40), rgb(kInk[0])) << "flipped in x the frame lies left of x";
    EXPECT_TRUE(isBackground(100, 40));
}

// What a menu entry resets: setAnim restarts every field of the animation and keeps the sprite,
// the position and the transform.
TEST_F(SpriteInstanceTest, SetAnimRestartsTheAnimationFieldsAndKeepsTheRest) {
    ASprite* const sprite = animated(1, 1, 1);
    const struct {
        const char* what;
        bool withSprite;
        jint loops; // 1 000 for the one-argument form
        jint expectedLoops;
        jint expectedLastFrame;
    } cases[] = {
        {"once", true, 0, 0, 2},
        {"twice more", true, 2, 2, 2},
        {"forever", true, 1000, -1, 2},
        {"no sprite", false, 0, 0, -1},
    };
    for (const auto& c : cases) {
        ASpriteInstance* instance =
            runtime::newObject<ASpriteInstance>(c.withSprite ? sprite : nullptr, 7, 8);
        instance->transform = kTransformFlipX;
        instance->anim = 1;
        instance->aframe = 2;
        instance->timer = 5;
        instance->loops = 3;
        instance->ended = 1;
        instance->lastFrame = 9;
        if (c.loops == 1000) {
            instance->setAnim(0);
        } else {
            core::spriteServices().setAnim(instance, 0, c.loops);
        }
        EXPECT_EQ(instance->anim, 0) << c.what;
        EXPECT_EQ(instance->aframe, 0) << c.what;
        EXPECT_EQ(instance->timer, 0) << c.what;
        EXPECT_EQ(instance->loops, c.expectedLoops) << c.what;
        EXPECT_FALSE(instance->ended) << c.what;
        EXPECT_EQ(instance->lastFrame, c.expectedLastFrame) << c.what;
        EXPECT_EQ(instance->sprite, c.withSprite ? sprite : nullptr) << c.what;
        EXPECT_EQ(instance->x, 7) << c.what;
        EXPECT_EQ(instance->y, 8) << c.what;
        EXPECT_EQ(instance->transform, kTransformFlipX) << c.what;
    }
}

// Without a double installed the framework's sprite services are these routines themselves.
TEST_F(SpriteInstanceTest, TheFrameworkReachesTheSpriteRoutines) {
    core::SpriteServices& services = core::spriteServices();
    ASprite* sprite = animated(1, 1, 1);
    ASpriteInstance* instance = runtime::newObject<ASpriteInstance>(sprite, 0, 0);
    instance->aframe = 2;
    services.setAnim(instance, 1, 0);
    EXPECT_EQ(instance->anim, 1);
    EXPECT_EQ(instance->aframe, 0);
    EXPECT_EQ(instance->loops, 0);
    EXPECT_EQ(instance->lastFrame, 0);
    g->setClip(0, 0, 10, 10);
    services.paintOn(instance, g, 60, 70, 0, 0, 0, 0);
    EXPECT_EQ(pixel(60, 70), rgb(kInk[0])) << "the clip is reset first";
    services.paintFrame(sprite, g, 0, 200, 70, kTransformFlipX);
    EXPECT_EQ(pixel(198, 70), rgb(kInk[0]));
    EXPECT_TRUE(isBackground(200, 70));
    installFont();
    services.drawString(g, runtime::newStringFromCString("A"), 300, 70, 0, 0, 3);
    EXPECT_EQ(pixel(300, 70), rgb(kInk[3]));
    // Null instances, sprites and texts are no work.
    services.setAnim(nullptr, 1, 0);
    services.paintOn(nullptr, g, 0, 0, 0, 0, 0, 0);
    services.paintFrame(nullptr, g, 0, 0, 0, 0);
    services.drawString(g, nullptr, 0, 0, 0, 0, 0);
    EXPECT_FALSE(anyPaint(0, 0, 50, 50));
}

} // namespace
} // namespace game::sprites::testing
