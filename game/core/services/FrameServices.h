// Routines of the framework's shared code that the frame entry and the key step call, and that
// later parts of the framework build: the squad lists' long press and the match frame's
// replay-marker step. Until they land, an interim implementation stands in
// (game/interim/InterimFrameServices.h); tests install scripted doubles with runtime::ScopedService.
#pragma once

#include "runtime/JavaTypes.h"

namespace game::core {

using runtime::jint;

class FrameServices {
public:
    virtual ~FrameServices() = default;
    // The long-press action of the squad lists: picks the player of the selected row.
    virtual void squadListLongPress() = 0;
};

FrameServices& frameServices();
// Installs service (null restores the interim one); returns the previous one.
FrameServices* installFrameServices(FrameServices* service);

} // namespace game::core
