// Stand-in for the per-frame entry and the state switching until the framework's frame entry,
// top-level states and menu-state switching are built.
#pragma once

#include "game/framework/FrameServices.h"

namespace game::interim {

class InterimFrameServices final : public framework::FrameServices {
public:
    // Draws nothing: the screen keeps what it shows.
    void paint(profile::Graphics* screen) override;
    // Stores the state (previousTopState, topState, framesInState 0); no other reset.
    void setTopState(framework::jint state) override;
    // Stores the state (previousMenuState, menuState); no entry work, no preparation.
    void setMenuState(framework::jint state) override;
    // No effect.
    void squadListLongPress() override;

private:
    bool paintLogged = false;
    bool topStateLogged = false;
    bool menuStateLogged = false;
    bool longPressLogged = false;
};

} // namespace game::interim
