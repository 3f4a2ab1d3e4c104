// The per-frame entry and the state switching that the canvas calls, and the squad list's
// long-press action that the key step calls. Their owners are later parts of the framework:
// until they land, an interim implementation stands in (game/interim/InterimFrameServices.h),
// and tests install scripted doubles with runtime::ScopedService.
#pragma once

#include "runtime/JavaTypes.h"

namespace profile {
struct Graphics;
}

namespace game::framework {

using runtime::jint;

class FrameServices {
public:
    virtual ~FrameServices() = default;
    // Device::paint: one whole frame (keys, the top-level state's work, presenting the back
    // buffer on screen). screen is the host's screen Graphics.
    virtual void paint(profile::Graphics* screen) = 0;
    // Changes the top-level state with the common steps (highlight reset, frame count 0).
    virtual void setTopState(jint state) = 0;
    // Enters a menu state with the common entry work and the screen's preparation.
    virtual void setMenuState(jint state) = 0;
    // The long-press action of the squad lists: picks the player of the selected row.
    virtual void squadListLongPress() = 0;
};

FrameServices& frameServices();
// Installs service (null restores the interim one); returns the previous one.
FrameServices* installFrameServices(FrameServices* service);

} // namespace game::framework
