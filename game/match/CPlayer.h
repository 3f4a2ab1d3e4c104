// The match engine's actor and player objects, as far as the start-up loading and the widgets
// need them: the actor's sprite, animation and placement fields and starting an animation. The
// rest of their fields and behaviour come with the match engine.
#pragma once

#include "runtime/JavaTypes.h"
#include "runtime/Object.h"

namespace game::sprites {
struct ASprite;
}

namespace game::match {

using runtime::jboolean;
using runtime::jint;

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
    CPlayer() : Actor(kClassId) {}
};

// One of the two match teams; its fields come with the match engine.
class CTeam : public runtime::Object {
public:
    static constexpr jint kClassId = runtime::kCTeam;
    CTeam() : Object(kClassId) {}
};

} // namespace game::match
