// The ball's primitive moves (place, send, rebound), one step of its flight (gravity, bounce,
// friction), where an airborne ball comes down, the goal-box test and the collision of the ball's
// next step with an axis-aligned rectangle. The ball is statics()->ball; its state is ballState.
#pragma once

#include "runtime/JavaTypes.h"

namespace game::match {

class Actor;

using runtime::jboolean;
using runtime::jint;

// Ball states (ballState): the kick kinds 0-5, 9 and 10, and the moves of this file.
inline constexpr jint kBallRolling = 0;     // ground pass: no minimum step, bounces only when fast
inline constexpr jint kBallLofted = 1;      // in the air towards a target
inline constexpr jint kBallDriven = 2;      // towards a target: a bounce keeps a third
inline constexpr jint kBallRebounding = 3;  // off the frame, the net, a wall or a body
inline constexpr jint kBallKick4 = 4;       // minimum step 12, slow-ball friction 24
inline constexpr jint kBallKick5 = 5;       // no slow-ball friction, no forward push on a bounce
inline constexpr jint kBallPlaced = 6;      // still at a point
inline constexpr jint kBallSent = 7;        // sent to a point over a given time
inline constexpr jint kBallShot = 9;        // like 2; with ballDips it drops past its target
inline constexpr jint kBallLoftedHigh = 10; // like 1

// The axes of ballRebound and the modes of ballHitsRect: the plane z, y or x.
inline constexpr jint kPlaneZ = 1;
inline constexpr jint kPlaneY = 2;
inline constexpr jint kPlaneX = 3;

// The ball at (x, y) on the ground and still; state 6.
void placeBall(jint x, jint y);
// Sends the ball to (x, y) in t ticks (t <= 0 counts as 1): ground speeds to get there, gravity
// 512, no friction, arrival at matchTicks + t; state 7, which it returns. vz is kept.
jint kickBallTo(jint x, jint y, jint t);
// The ball bounces off a plane: the axis's speed negated, every speed times factor / 256, the
// ground speeds held to +-2560, a new direction (16, 16 when still); rebound drag and gravity,
// state 3, ballGrounded and ballBounced set.
void ballRebound(jint axis, jint factor);
// v, or at least the minimum step (12 in state 4, else 16) in v's direction (0 counts as
// positive); unchanged in states 0, 1 and 10 unless the ball has bounced.
jint minBallStep(jint v);
// The ball's friction for its next step into its ax, ay.
void ballFriction(Actor* ball);
// Slows vx, vy by ax, ay, stopping each at 0.
void applyBallFriction(Actor* ball);
// Gravity, ground contact and bounce, then friction: one step of vz, vx and vy. The caller
// advances the position (x += vx, y += vy, z += vz).
void ballVerticalStep(Actor* ball);
// The point where the ball comes down into its aimX, aimY: an airborne ball's flight simulated on
// a saved copy of its position and speeds, a ground ball's path entry nine ticks on.
void predictLanding(Actor* ball);
// True while the ball is behind either goal line by more than 256, inside the posts and under
// the bar.
bool isBallInGoal();
// Whether the actor's next step crosses the rectangle of plane `mode` at p whose first free axis
// spans [a1, a2] and second [b1, b2]. On a hit the actor is put one unit off the plane on the
// side it came from, at the crossing point (on a multiple of 256) one unit towards its start;
// speeds are the caller's to change.
bool ballHitsRect(Actor* actor, jint mode, jint p, jint a1, jint a2, jint b2, jint b1);

} // namespace game::match
