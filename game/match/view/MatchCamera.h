// The match camera: once per engine tick it chooses whom to follow, projects him onto the pitch
// image, leads ahead of a running player, keeps the window inside the pitch outline and moves the
// window in small accelerating steps, as a scripted pan, or in one jump.
#pragma once

#include "runtime/JavaTypes.h"

namespace game::match {

using runtime::jint;

// One camera update: moves cameraX/cameraY (see the camera statics in MatchViewStatics.h).
void updateMatchCamera();
// The match engine's updateCamera(force): force 1 first sets cameraArrived, so the camera lands
// on its target in this update.
void updateCamera(jint force);
// The step towards a target diff pixels away: diff itself when |diff| <= |lead|, else
// sign(diff) x (1, 2 or 4 by distance + |lead|).
jint cameraStepToward(jint diff, jint lead);
// The target y range [lo, hi] the pitch outline allows at target x (x clamped into 11..2277 to
// choose the band), into lo and hi.
void pitchOutlineRange(jint x, jint& lo, jint& hi);

} // namespace game::match
