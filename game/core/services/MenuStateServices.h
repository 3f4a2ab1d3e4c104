// The framework's menu-state switch, for the code below the framework that changes the menu state
// (the season's calendar events; the menu handlers once they land). The framework's own routine is
// the default (game/framework/MenuStates.cpp); tests may install a scripted one.
#pragma once

#include "runtime/JavaTypes.h"

namespace game::core {

using runtime::jint;

class MenuStateServices {
public:
    virtual ~MenuStateServices() = default;

    // Switches to menu state `state` with its entry preparation (the framework's setMenuState).
    virtual void setMenuState(jint state) = 0;
    // Enters the pending menu state when one is stored and clears it; false when none is.
    virtual bool applyPendingMenuState() = 0;
};

MenuStateServices& menuStateServices();
// Installs service (null restores the framework's own); returns the previous one.
MenuStateServices* installMenuStateServices(MenuStateServices* service);

} // namespace game::core
