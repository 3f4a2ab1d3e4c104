// Match playback: once per screen frame of the match state, after the frame's ticks have been
// recorded, the replay ring's read position moves over one record or more (by the speed in use,
// one while a match day is played through), each read into frameRecord, and playback reacts to
// what they say: phase changes play the whistle and crowd sounds, a later period's kick-off opens
// the interval screen with the interval's ratings, a record's sound request plays once. The record
// left in frameRecord is the one the frame painter shows. A touch area skips to the live position,
// and a skipped match is read ahead to its next interval. Game state only: runs headless.
#pragma once

#include "runtime/JavaTypes.h"

namespace game::match {

using runtime::jint;

// The skip area under the pitch (inclusive) and the distance behind the writer it skips to.
inline constexpr jint kSkipAreaLeft = 1;
inline constexpr jint kSkipAreaRight = 109;
inline constexpr jint kSkipAreaTop = 543;
inline constexpr jint kSkipAreaBottom = 583;
// The menu states playback opens: the interval screen and the match day's sub-screen 9.
inline constexpr jint kIntervalMenuState = 0x800000;
inline constexpr jint kSubScreen9MenuState = 0x800009;

void updateMatchPlayback();

} // namespace game::match
