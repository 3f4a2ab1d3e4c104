// The start-up loading sequence: while the top-level state is 1 the frame entry calls
// loadResources once a frame, and each call runs the step that framesInState selects, so the
// loading bar moves while the texts, sprites, match actors and promotion screen load. Steps that
// find their object made already do nothing, so re-entering the loading state makes nothing twice.
// Also the menus' own step sequence, the match's pitch layers and the pack readers of data sets
// and image sets.
#pragma once

#include "runtime/Arrays.h"
#include "runtime/JavaTypes.h"

namespace game::match {
class Actor;
}
namespace profile {
struct Image;
}
namespace runtime {
struct String;
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
// Constant string naming the logo pack, and the menu pack's entry of the status icon strip.
inline constexpr jint kLogoPackConstant = 77;
inline constexpr jint kMenuImageSetEntry = 4;
// The pitch layers and the largest camera corner on the pitch image.
inline constexpr jint kPitchLayers = 4;
inline constexpr jint kPitchCameraMaxX = 2399;
inline constexpr jint kPitchCameraMaxY = 607;
// The pixels of one strip of the image-set loader's strip mode.
inline constexpr jint kImageStripPixels = 4800;

// One loading step, chosen by framesInState (steps in StartupLoading.cpp). A step whose reader
// raised is logged once and the exception dropped, so the next frame runs the next step.
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

// One step of the menus' sprite loading, chosen by menuLoadStep, which then moves on by one:
// 2 opens the menu pack and keeps it open; 4 the menu background animation (entry 16, animation
// 1) and 5 the backdrop (entry 5), each once; 6 the status icon strip (entry 4) once, then the pack
// closes; 7 opens the logo pack and keeps it open; 8 closes it, loading the icon strip from the
// menu pack should step 6 have failed; 9 drops the shared decode buffer; any other only collects.
// A step whose reader raised is logged once and goes on, as loadResources does.
void loadMenuResources();
// Reads pitch variant index: for layers 0, 1, 3 and 2 the entry of the layer's entry table and the
// one two after it, from the pack of its pack-name table (layer 3 uses layer 2's tables), into
// pitchTileMaps and pitchFlipMaps; then the camera's largest corner is 2399 x 607. A layer whose
// tables lack index or whose entries cannot be read keeps what it held (logged).
void loadMatchPitchData(jint index);
// Entry `entry` of pack packName (the open one when packKeepOpen is set) parsed by parseDataSet;
// 0 when it cannot be read or the parser raised. The pack stays open.
jint parsePackEntry(runtime::String* packName, jint entry, jint arg);
// The image set of entry `entry` of pack packName in palette `palette`: imageSetLoader without its
// strip mode.
profile::Image* loadImageSet(runtime::String* packName, jint entry, jint palette);
// Reads the entry whole (opening and closing the pack unless packKeepOpen) and decodes it with
// decodeImageSet. Null (logged) when the entry cannot be read or decoded; the reader's exception
// is dropped.
profile::Image* imageSetLoader(runtime::String* packName, jint entry, jint palette, jint stripMode);
// The paletted image in bytes in palette `palette`; with stripMode set, an image of more than 4800
// pixels is built in strips of 4800 / W rows (at least one, however wide the image), drawn one
// under the other into one mutable image. Null when the bytes are no image.
profile::Image* decodeImageSet(runtime::ByteArray* bytes, jint palette, jint stripMode);

} // namespace game::sprites
