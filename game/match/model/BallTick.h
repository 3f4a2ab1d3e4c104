// The ball's tick: its velocity from the planned path, the path's bounce and ground flags, the
// goal-frame and board tests, the braking of a ball sent over a time, a stopped ball placed, the
// ball marks of a wet pitch and the motion trail the view draws.
#pragma once

namespace game::match {

class Actor;

// One engine tick of the ball (its position is advanced by the actor motion afterwards).
void ballTick(Actor* ball);

} // namespace game::match
