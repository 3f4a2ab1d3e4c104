// Menu states: while the top-level state is 2, every screen of the game is one menu state, a
// family bit (state & ~31, 32 up to 0x800000) and a sub-screen (state & 31); 0 is no screen.
// updateMenu runs the family's handler once per frame and paints the common background and
// frame around it; setMenuState is the one way to another screen.
//
// Leaving a screen with select (the left soft key or fire) remembers its selection under its
// state number in menuHistory; coming back with back (the right soft key) restores it. Any other
// entry starts at selection 0 (1 for the home screen 0x86).
#pragma once

#include <initializer_list>

#include "runtime/JavaTypes.h"

namespace game::framework {

using runtime::jint;

// Menu states that both the state switching and the screens' entry preparation single out.
namespace menu_state {
inline constexpr jint kMainMenu = 32;
inline constexpr jint kPromotionScreen = 38;
inline constexpr jint kInbox = 0x85;
inline constexpr jint kHome = 0x86;
inline constexpr jint kResultPages = 0x109;
inline constexpr jint kMessages = 0x406;
inline constexpr jint kSquadSubScreen4 = 0x100004;
} // namespace menu_state

// value is one of the states (or other values) listed.
template <typename Values> bool isOneOf(const jint value, const Values& values) {
    for (const jint candidate : values) {
        if (candidate == value) {
            return true;
        }
    }
    return false;
}
inline bool isOneOf(const jint value, const std::initializer_list<jint> values) {
    return isOneOf<std::initializer_list<jint>>(value, values);
}

// The menus' frame: the family handler, then the background (not for states 32, 38 and 0), the
// frame and soft keys (not for 38, nor for 32 when it came from 38 during top-level state 5) and
// the repaint bookkeeping. A state entered by the handler is drawn in the same frame.
void updateMenu();
// Enters menu state: the common entry work (resets, remembered selections, entry sounds), then
// the screen's own preparation. Entering 0x109 while in it changes nothing past the first resets.
void setMenuState(jint state);
// Enters pendingMenuState when one is set and clears it with pendingMenuParam: true; else false.
bool applyPendingMenuState();
// The menu screens' status flag is clear: no menu state is waiting in pendingMenuState.
runtime::jboolean isStatusFlagClear();
// Whether the game is in the menus (top-level state 2).
bool isMenuState();

} // namespace game::framework
