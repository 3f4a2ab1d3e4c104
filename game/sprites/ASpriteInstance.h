// ASpriteInstance (class 107): a placed, animated use of an ASprite. Menus, pop-ups and
// background animations keep one per animated element, set its animation, advance it once per
// game frame with update() and paint it.
#pragma once

#include "runtime/JavaTypes.h"
#include "runtime/Object.h"

namespace profile {
struct Graphics;
}

namespace game::sprites {

struct ASprite;

using runtime::jboolean;
using runtime::jint;

struct ASpriteInstance : runtime::Object {
    static constexpr jint kClassId = runtime::kASpriteInstance;

    // All fields zero, then the position and the sprite (which may be null) set.
    ASpriteInstance(ASprite* sprite, jint x, jint y, jint id = kClassId);

    // Plays animation anim from its first frame, repeating forever.
    void setAnim(jint anim);
    // Plays animation anim from its first frame: loops -1 repeats forever, n > 0 repeats n more
    // times, 0 plays once and holds the last frame.
    void setAnim(jint anim, jint loops);
    // Advances the animation by one game frame; ended is set by the update that runs past the
    // last frame (wrapping or holding it) and cleared by every other.
    void update();
    // When the animation has ended, puts it on its last frame; returns ended.
    jboolean holdLastFrame();
    // Paints the current frame at the instance's own position and transform.
    void paintAt(profile::Graphics* g);
    // Resets the clip of g to the screen and paints the current frame at (x, y) with the
    // instance's transform; the flags and values are unused by the game's one call (all 0).
    static void paintOn(ASpriteInstance* instance, profile::Graphics* g, jint x, jint y, jboolean flagA,
                        jboolean flagB, jint valueA, jint valueB);

    jint x = 0;
    jint y = 0;
    jint transform = 0; // bit 0 flip x, bit 1 flip y, bit 2 rotate
    ASprite* sprite = nullptr;
    jint anim = 0;
    jint aframe = 0; // current animation frame, 0-based
    jint timer = 0;  // game frames spent on the current animation frame
    jint loops = 0;  // -1 forever; n > 0 n more times; 0 once, then hold
    jboolean ended = 0;
    jint lastFrame = 0; // frame count of anim - 1; -1 without a sprite

private:
    // The animation's frame count, 0 for an animation the sprite lacks (logged).
    jint frameCountOf(jint animation) const;
};

} // namespace game::sprites
