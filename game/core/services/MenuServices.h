// What the framework uses of the menu flow handlers, built later; an interim implementation
// stands in until then (game/interim/InterimMenuServices.h).
//
// Each family handler runs its family's screens for one frame (input, update, drawing); it may
// enter another menu state (setMenuState), ask for one later (pendingMenuState) or mark that it
// painted a message box (menuHandled).
#pragma once

#include "runtime/JavaTypes.h"

namespace runtime {
struct Object;
}

namespace game::core {

class MenuServices {
public:
    virtual ~MenuServices() = default;
    // Rebuilds the texts of the event list held in the static eventList (on an interruption).
    virtual void updateEventList(runtime::Object* eventList) = 0;
    // Selects the menu background animation of kind 1..9; force restarts even the current one.
    virtual void setMenuAnimation(runtime::jint kind, runtime::jboolean force) = 0;
    // Whether the event list holds an entry of type 400 (match playback's kick-off crowd sound
    // waits for it to end).
    virtual bool listHasEntryOfType400() = 0;

    // The handlers of the menu families, by family bit.
    virtual void updateMainMenu() = 0;    // 32: the main menu, entered from the title
    virtual void updateNewGameMenu() = 0; // 64
    virtual void updateMenu128() = 0;
    virtual void updateMenu256() = 0;
    virtual void updateMenu512() = 0;
    virtual void updateMenu1024() = 0;
    virtual void updateMenu2048() = 0;
    virtual void updateMenu4096() = 0;
    virtual void updateMenu8192() = 0;
    virtual void updateMenu16384() = 0;
    virtual void updateMenu65536() = 0;
    virtual void updateMenu131072() = 0;
    virtual void updateMenu524288() = 0;
    virtual void updateSquadMenu() = 0; // 0x100000
    virtual void updateMenu4194304() = 0;
    virtual void updateMatchDayMenu() = 0; // 0x800000: the match day and the match pause menu
};

MenuServices& menuServices();
// Installs service (null restores the interim one); returns the previous one.
MenuServices* installMenuServices(MenuServices* service);

} // namespace game::core
