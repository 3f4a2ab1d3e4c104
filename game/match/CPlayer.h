// The match engine's actor, player and team objects, as far as the game's set-up needs them: the
// canvas's class initialiser makes one player, and a player's reference fields are known to the
// collector from its first construction. Their other fields and behaviour come with the match
// engine.
#pragma once

#include "runtime/Arrays.h"
#include "runtime/JavaTypes.h"
#include "runtime/Object.h"

namespace game::sprites {
struct ASprite;
}

namespace game::match {

// One side of a live match.
class CTeam : public runtime::Object {
public:
    static constexpr runtime::jint kClassId = runtime::kCTeam;
    CTeam() : Object(kClassId) {}
};

// Anything placed on the pitch: the ball, the players, the pitch-side figures.
class Actor : public runtime::Object {
public:
    static constexpr runtime::jint kClassId = runtime::kActor;
    Actor() : Actor(kClassId) {}

    sprites::ASprite* sprite = nullptr; // the sprite the actor's animation runs in; its one reference

protected:
    explicit Actor(runtime::jint id);
};

// One player of a match team.
class CPlayer : public Actor {
public:
    static constexpr runtime::jint kClassId = runtime::kCPlayer;
    CPlayer() : Actor(kClassId) { initFields(); }

    // Clears the player's own fields and registers its seven reference fields (the actor's
    // sprite among them) with the collector.
    void initFields();

    CTeam* team = nullptr;                  // the player's own team
    CTeam* opponents = nullptr;             // the opposing team
    runtime::IntArray* stepTable = nullptr; // int[6]: the step row taken from the turn table
    runtime::IntArray* pairA = nullptr;     // int[2]
    runtime::IntArray* pairB = nullptr;     // int[2]
    runtime::ByteArray* trail = nullptr;    // byte[32]
};

} // namespace game::match
