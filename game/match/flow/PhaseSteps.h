// The steps of a restart being set up (the camera pan to the spot, the ball carrier's counters,
// the restart marker), the restart marker itself, and the teams put straight onto their shape
// for the restart point. Defined with the camera (game/match/view/PhaseSteps.cpp).
#pragma once

#include "runtime/JavaTypes.h"

namespace game::match {

// phaseStep := step, then what the step starts: 7 the restart marker at the taker, 8 a pan to
// the spot of the restart's end, 9 and 10 the carrier's mode and stage, 11 the camera following
// again from where it is.
void setPhaseStep(runtime::jint step);
// Both teams' outfield players on the pitch at their shape cells for the restart point, none
// nearer than three cells (octagonal) to it.
void placeTeamsForRestart();
// Keeps the restart marker (kind, point on the pitch image, size, facing 0..7) for the match
// frame to draw and shows it.
void showRestartMarker(runtime::jint kind, runtime::jint screenX, runtime::jint screenY, runtime::jint size,
                       runtime::jint direction);

} // namespace game::match
