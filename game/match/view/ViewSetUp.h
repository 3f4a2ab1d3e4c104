// The match view's camera pan set-up and its off-screen pitch image.
#pragma once

#include "runtime/JavaTypes.h"

namespace game::match {

class Actor;

using runtime::jint;

// A straight pan that brings pitch-image point (x, y) to the window centre at speed pixels a
// tick on the longer axis: the actor becomes the camera's subject, parameter is kept for the
// camera update, and flag asks to follow again after the pan (moveCameraTo, no shift).
void startCameraPan(jint flag, Actor* actor, jint x, jint y, jint speed, jint parameter);
// Creates pitchBuffer (496 x 816, 16 pixels larger than the screen each way) and pitchGraphics.
void createPitchImage();

} // namespace game::match
