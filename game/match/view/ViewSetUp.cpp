// The match view's camera pan set-up and pitch image (see ViewSetUp.h).
#include "game/match/view/ViewSetUp.h"

#include "game/core/GameStatics.h"
#include "game/core/ObjectSetUp.h"
#include "game/match/CPlayer.h"
#include "game/match/MatchView.h"
#include "profile/Graphics.h"
#include "profile/Image.h"
#include "runtime/Exceptions.h"

namespace game::match {

namespace {
// No shift of the target: moveCameraTo's directions stop at 7.
constexpr jint kNoShift = 8;
} // namespace

void startCameraPan(const jint flag, Actor* const actor, const jint x, const jint y, const jint speed,
                    const jint parameter) {
    GameStatics* const s = statics();
    s->panParameter = parameter;
    s->cameraSubject = actor;
    moveCameraTo(flag != 0 ? 1 : 0, x, y, speed, kNoShift);
}

void createPitchImage() {
    profile::Image* const image = core::createMutableImage(kPitchBufferWidth, kPitchBufferHeight);
    if (image == nullptr || runtime::exceptionPending()) {
        return;
    }
    GameStatics* const s = statics();
    s->pitchBuffer = image;
    s->pitchGraphics = image->getGraphics();
}

} // namespace game::match
