// The match engine's actor, player and team objects, as far as the game's set-up, the start-up
// loading and the widgets need them: the actor's sprite, animation and placement fields and
// starting an animation; the canvas's class initialiser makes one player, and a player's reference
// fields are known to the collector from its first construction. Their other fields and behaviour
// come with the match engine.
#pragma once

#include "runtime/Arrays.h"
#include "runtime/JavaTypes.h"
#include "runtime/Object.h"

namespace game::sprites {
struct ASprite;
}

namespace game::match {

using runtime::jboolean;
using runtime::jint;

class CTeam;

// Anything placed on the pitch: the ball, the players, the pitch-side figures and the scenery.
class Actor : public runtime::Object {
public:
    static constexpr jint kClassId = runtime::kActor;
    // Number of box fields (the actor's extent around its position).
    static constexpr jint kBoxFields = 4;

    Actor() : Actor(kClassId) {}

    // Starts animation anim unless force is false and anim already runs: frame, frame timer and
    // animFinished cleared, frameCode taken from the animation's first frame record (frame id
    // plus (the record's last byte & 0xC0) << 2). Without a sprite or with an
    // animation the sprite lacks, frameCode is 0.
    void setAnimation(jint anim, jboolean force);
    // Advances the animation by one tick (nothing while the top-level state is the menus): a
    // frame whose duration has run out gives way to the next; past the last frame animFinished
    // is set and a looping animation starts over, another stays on its last frame.
    void updateAnimation();

    jint actorIndex = 0; // index in matchActors
    jint kind = 0;       // index of its sprite in `sprites`
    jint placement = 0;  // how the match view places it on the screen
    jint anim = 0;
    jboolean animLoops = 0;
    jboolean animFinished = 0;
    jint frame = 0;      // current frame of the animation
    jint frameTimer = 0; // game frames spent on it
    jint frameCode = 0;  // frame id plus flip bits of the current frame
    jint x = 0;          // pitch units
    jint y = 0;
    jint box[kBoxFields] = {};
    sprites::ASprite* sprite = nullptr;

protected:
    explicit Actor(jint id);
};

// One player of a match team.
class CPlayer : public Actor {
public:
    static constexpr jint kClassId = runtime::kCPlayer;
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

// One of the two match teams; its fields come with the match engine.
class CTeam : public runtime::Object {
public:
    static constexpr jint kClassId = runtime::kCTeam;
    CTeam() : Object(kClassId) {}
};

} // namespace game::match
