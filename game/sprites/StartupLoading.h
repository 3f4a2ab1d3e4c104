// The start-up loading sequence: while the top-level state is 1 the frame entry calls
// loadResources once a frame, and each call runs the step that framesInState selects, so the
// loading bar moves while the texts, sprites, match actors and promotion screen load. Steps that
// find their object made already do nothing, so re-entering the loading state makes nothing twice.
#pragma once

#include "runtime/JavaTypes.h"

namespace game::match {
class Actor;
}

namespace game::sprites {

using runtime::jboolean;
using runtime::jint;

// Constant strings naming the text pack, the menu pack and the sprite pack.
inline constexpr jint kTextPackConstant = 112;
inline constexpr jint kMenuPackConstant = 116;
// Entry of the menu pack that holds the logo sprite.
inline constexpr jint kLogoSpriteEntry = 14;
// Number of entries of the sprite table.
inline constexpr jint kSpriteTableSize = 12;
// Sizes of the actor tables and the number of actors the loading creates.
inline constexpr jint kActorTableSize = 52;
inline constexpr jint kMatchActorsCreated = 48;
// The frame of the loading state whose step leaves it.
inline constexpr jint kLastLoadingStep = 20;

// One loading step, chosen by framesInState (steps in StartupLoading.cpp).
void loadResources();
// Creates a CPlayer (isPlayer) or a plain Actor (placement 3, animation looping), sets its index,
// kind, placement, animation and box, and stores it as matchActors[index].
match::Actor* createActor(jboolean isPlayer, jint index, jint kind, jint anim, jint placement,
                          const jint* box);
// The two match teams and every match actor: the ball, the keepers, 34 outfield players, the two
// touchline figures, the scenery and the two arrow actors; then the teams' side set-up.
void createMatchActors();
// textLineStep from font 0's line height; every actor gets its sprite, and those whose kind is
// not 0, 1, 3, 9 or 10 start their animation.
void bindActorSprites();
// Whether bindActorSprites starts the animation of actors of this kind.
jboolean startsAnimationOnBind(jint kind);
// Whether the promotion screen is enabled and has at least one entry flag set.
jboolean hasPromotionEntries();

} // namespace game::sprites
