// The camera pan set-up over moveCameraTo (subject, kept parameter, steps, a pan to the target
// already set) and the pitch image's creation.
#include <gtest/gtest.h>

#include "game/core/GameStatics.h"
#include "game/match/CPlayer.h"
#include "game/match/view/ViewSetUp.h"
#include "profile/Graphics.h"
#include "profile/Image.h"
#include "runtime/ObjectManager.h"
#include "tests/game/support/GameResourceFixture.h"

namespace game::testing {

namespace {

using match::Actor;
using runtime::jint;

class ViewSetUpTest : public GameResourceFixture {};

TEST_F(ViewSetUpTest, PanSetsSubjectStepsAndKeepsItsParameter) {
    GameStatics* s = statics();
    s->cameraMaxX = 2399;
    s->cameraMaxY = 607;
    s->cameraX = 100;
    s->cameraY = 100;
    s->cameraTargetX = 100;
    s->cameraTargetY = 100;
    auto* subject = runtime::newObject<Actor>();
    s->cameraArrived = 1;
    match::startCameraPan(1, subject, 240 + 500, 400 + 150, 10, 77);
    EXPECT_EQ(s->cameraSubject, subject);
    EXPECT_EQ(s->panParameter, 77);
    EXPECT_EQ(s->cameraMode, 2);
    EXPECT_EQ(s->cameraFollowFlag, 1);
    EXPECT_EQ(s->cameraArrived, 0);
    EXPECT_EQ(s->cameraTargetX, 500);
    EXPECT_EQ(s->cameraTargetY, 150);
    EXPECT_EQ(s->cameraStepX, 10 << 8); // the longer axis at full speed
    EXPECT_EQ(s->cameraStepY, (10 << 8) * 50 / 400);

    // A pan to the target already set changes the mode, subject and flags only.
    s->cameraStepX = 1234;
    match::startCameraPan(0, nullptr, 240 + 500, 400 + 150, 3, 5);
    EXPECT_EQ(s->cameraStepX, 1234);
    EXPECT_EQ(s->cameraFollowFlag, 0);
    EXPECT_EQ(s->panParameter, 5);
    EXPECT_EQ(s->cameraSubject, nullptr);

    // Targets are held inside the camera's limits.
    match::startCameraPan(0, subject, -1000, 99999, 4, 0);
    EXPECT_EQ(s->cameraTargetX, 0);
    EXPECT_EQ(s->cameraTargetY, 607);
}

TEST_F(ViewSetUpTest, PitchImageIsMutableAndBiggerThanTheScreen) {
    match::createPitchImage();
    GameStatics* s = statics();
    ASSERT_NE(s->pitchBuffer, nullptr);
    ASSERT_NE(s->pitchGraphics, nullptr);
    EXPECT_EQ(s->pitchBuffer->getWidth(), 496);
    EXPECT_EQ(s->pitchBuffer->getHeight(), 816);
}

} // namespace

} // namespace game::testing
