// Stand-in for the menu flow handlers' services until they are built; the built operations
// forward to their owners.
#pragma once

#include "game/core/services/MenuServices.h"

namespace game::interim {

class InterimMenuServices final : public core::MenuServices {
public:
    // Built: stops every started sound (game/core/Sound.h), the list of sound players being the
    // event list.
    void updateEventList(runtime::Object* eventList) override;
    // Built: the menu toolkit's background animation (game/screens/menus/MenuToolkit.h).
    void setMenuAnimation(runtime::jint kind, runtime::jboolean force) override;
    // False: no entry of type 400 is listed.
    bool listHasEntryOfType400() override;

    // Each family handler has no effect: the screen shows only what the menu frame paints
    // around it, and no key leaves it.
    void updateMainMenu() override;
    void updateNewGameMenu() override;
    void updateMenu128() override;
    void updateMenu256() override;
    void updateMenu512() override;
    void updateMenu1024() override;
    void updateMenu2048() override;
    void updateMenu4096() override;
    void updateMenu8192() override;
    void updateMenu16384() override;
    void updateMenu65536() override;
    void updateMenu131072() override;
    void updateMenu524288() override;
    void updateSquadMenu() override;
    void updateMenu4194304() override;
    void updateMatchDayMenu() override;
};

} // namespace game::interim
