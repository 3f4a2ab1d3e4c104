// The match engine's actor and player objects, as far as the game's set-up needs them: the
// canvas's class initialiser makes one player. Their fields and behaviour come with the match
// engine.
#pragma once

#include "runtime/JavaTypes.h"
#include "runtime/Object.h"

namespace game::match {

// Anything placed on the pitch: the ball, the players, the pitch-side figures.
class Actor : public runtime::Object {
public:
    static constexpr runtime::jint kClassId = runtime::kActor;
    Actor() : Object(kClassId) {}

protected:
    explicit Actor(const runtime::jint id) : Object(id) {}
};

// One player of a match team.
class CPlayer : public Actor {
public:
    static constexpr runtime::jint kClassId = runtime::kCPlayer;
    CPlayer() : Actor(kClassId) {}
};

} // namespace game::match
