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

    // Menu selection, repaint requests and list modes the canvas resets.
    runtime::jint menuSelection;   // selection within the page
    runtime::jint selectedRow;     // absolute selected row (rowScroll + menuSelection)
    runtime::jint menuItemCount;   // item count stored by the menu painter
    runtime::jboolean menuRepaint; // full redraw requested for the next frame
    runtime::jboolean redrawAll;   // the screen is drawn in full this frame
    runtime::jint listMode;
    runtime::jint subScreenMode;
    runtime::jboolean menuOptionFlag; // the option of menu 0x86 whose pop-up resumes on its third choice
    runtime::jint touchListHit;       // row or button under the touch; -1 none

    // Squad lists.
    runtime::StaticRef<runtime::IntArray> squadList;    // shared list of indices
    runtime::StaticRef<runtime::IntArray> squadListAux; // its companion list
    runtime::jint squadListCount;                       // entries of squadList
};

} // namespace game
