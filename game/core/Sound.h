// Sound by id: the game names every sound by a small number and starts it with playSound. Ids
// above 13 are music, which replaces the music that plays; ids 13 and below are effects, which
// play beside it. Whether a request plays depends on the sound setting, on what already plays
// and, during a match, on the current music.
#pragma once

#include "runtime/JavaTypes.h"

namespace game::core {

using runtime::jboolean;
using runtime::jint;

// Starts sound id once (loop count 1) when the rules allow it. Ids outside soundResourceIndex,
// ids without a sound and ids whose player is not loaded are ignored, as is every request while
// sound is off. A player error stays pending for the caller.
void playSound(jint id);
// Stops every started music player (sound ids 14 and up); an IOException of one player does not
// stop the others.
void stopMusic();
// True when some loaded sound player has started (the state 400 of the profile's players).
jboolean isAnySoundPlaying();
// Stops every started sound player, with a console line for the stop and one for each slot
// stopped, and forgets the sounds that were playing (lastEffect, currentMusic, lastSound). A
// player or console error is caught and the walk goes on with the next slot. Nothing happens
// while no players are loaded.
void stopAllSounds();
// One console line: constant string text, then value in decimal when withValue is set.
void printConstantLine(jint text, jint value, bool withValue);

} // namespace game::core
