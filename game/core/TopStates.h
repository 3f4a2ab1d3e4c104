// The top-level states of the frame entry Device::paint (game/framework/FrameEntry.cpp): which
// screen the game is in, and the one way to change it.
//
// A frame updates the keys, runs the work of the current top-level state (each state both reacts
// to input and draws, into the back buffer), counts the frame, runs the menu hint step, copies
// the back buffer to the screen and collects. framesInState is 0 in the first frame of a state.
#pragma once

#include "runtime/JavaTypes.h"

namespace game::core {

using runtime::jint;

inline constexpr jint kTopStateLoading = 1;       // logo, loading bar, one start-up loading step
inline constexpr jint kTopStateMenus = 2;         // the menu state's family handler (updateMenu)
inline constexpr jint kTopStateBlank = 3;         // the screen filled black
inline constexpr jint kTopStateMatch = 4;         // match input, ticks and view (MatchFrame.h)
inline constexpr jint kTopStateSecondLoading = 5; // one step of the second loading stage
inline constexpr jint kTopStateMatchStart = 6;    // the match start-up step and its screen
inline constexpr jint kTopStateTitle = 8;         // title picture, blinking prompt
inline constexpr jint kTopStateQuestion = 9;      // the first-run sound question

// Puts the highlight back to (334, 372) on choice 1, settled there.
void resetHighlight();
// Changes the top-level state: remembers the old one, puts the highlight back to (334, 372) on
// choice 1 and restarts framesInState. Entering the match clears matchEntryFlag unless the
// match's first actor is in its state 3.
void setTopState(jint state);

} // namespace game::core
