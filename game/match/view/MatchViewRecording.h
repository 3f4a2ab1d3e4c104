// The recording pass of the match view: once per engine tick the actors are put in depth order and
// written into the frame record as sprite commands, their animations advance and the record goes
// to the replay ring. It is game state and runs without a screen: the Graphics is optional, and
// without one only the few direct paints are left out (every frame and counter they advance still
// advances).
#pragma once

#include "runtime/JavaTypes.h"

namespace profile {
struct Graphics;
}

namespace game::match {

class Actor;

using runtime::jint;

// Records one tick: header, pitch-side figures (or an empty marker block while skipping), the
// actors by rising screen y (on equal y the later one first; the ball sorted by its ground point
// and put behind or before the goal frame by the depth test), the ball trail and effect, then the
// animation advance (the ball's spin by its speed) and the commit to the ring.
void paintMatchView(profile::Graphics* g);
// Records one actor at its screen position less (camX, camY): the ball with its shadow first (or
// not at all while hidden or held), palettes, the marker of the active player and markerFlags,
// the player effects and ball marks, then its sprite command.
void paintActor(Actor* actor, profile::Graphics* g, jint camX, jint camY);

} // namespace game::match
