// What the canvas uses of the menu flow handlers, built later; an interim implementation stands
// in until then (game/interim/InterimMenuServices.h).
#pragma once

namespace runtime {
struct Object;
}

namespace game::framework {

class MenuServices {
public:
    virtual ~MenuServices() = default;
    // Rebuilds the texts of the event list held in the static eventList (on an interruption).
    virtual void updateEventList(runtime::Object* eventList) = 0;
};

MenuServices& menuServices();
// Installs service (null restores the interim one); returns the previous one.
MenuServices* installMenuServices(MenuServices* service);

} // namespace game::framework
