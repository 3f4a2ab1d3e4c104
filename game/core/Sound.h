// Sound by id: the game names every sound by a small number and starts it with playSound. Ids
// above 13 are music, which replaces the music that plays; ids 13 and below are effects, which
// play beside it. Whether a request plays depends on the sound setting, on what already plays
// and, during a match, on the current music.
#pragma once

#include "runtime/JavaTypes.h"

namespace game::core {

using runtime::jint;

// Starts sound id once (loop count 1) when the rules allow it. Ids outside soundResourceIndex,
// ids without a sound and ids whose player is not loaded are ignored, as is every request while
// sound is off. A player error stays pending for the caller.
void playSound(jint id);
// Stops every started music player (sound ids 14 and up); an IOException of one player does not
// stop the others.
void stopMusic();

} // namespace game::core
