// The club home screen (menu state 134): nine entries placed around the screen with a gliding
// cursor, or the ten entries as a list of two pages; the first season's guide through the entries;
// the next day (the continue rule) and the way back to the main menu.
#pragma once

#include "runtime/JavaTypes.h"

namespace game::menus {

using runtime::jboolean;
using runtime::jint;

// One frame of the home screen.
void updateHomeScreen();
// The next day from the home screen: the inbox page for a message waiting for the user, the
// pre-match menu on a match day, else the day advance (closed at once under autoAdvance).
// viaFire: the rule was reached by the fire key.
void continueToNextDay(jboolean viaFire);

} // namespace game::menus
