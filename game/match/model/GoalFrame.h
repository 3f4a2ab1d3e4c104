// The goal frame and the net: the posts and the crossbar that the ball springs back from, and the
// side, roof and back netting that catch it.
#pragma once

namespace game::match {

class Actor;

// Tests the ball's next step against the frame and net of the goal at its end of the pitch and
// bounces it off the first surface it meets (again until it is clear or back in the field); a hit
// plans the ball's path again and shakes that goal's net, the woodwork also shows the contact
// effect and sends the ball off at a random spread.
void ballHitsGoalFrame(Actor* ball);

} // namespace game::match
