// The statics of the state class CState: menu states and their screens, squad lists, message
// rings and text-entry tables.
#pragma once

#include "runtime/Arrays.h"
#include "runtime/JavaTypes.h"
#include "runtime/StaticRef.h"

namespace game {

struct CStateStatics {
    runtime::jint menuState;            // family bit (menuState & ~31) and sub-screen (menuState & 31)
    runtime::jint previousMenuState;    // menu state before the last setMenuState
    runtime::jint menuChoice;           // highlighted choice of the current menu or question
    runtime::jint menuChoiceShown;      // the choice on which the highlight last settled
    runtime::jboolean menuChoiceMoving; // the highlight is moving to a new choice
    runtime::jint menuCursorX;          // highlight cursor position
    runtime::jint menuCursorY;
};

} // namespace game
