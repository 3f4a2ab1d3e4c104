// The interim frame entry and state switching (see InterimFrameServices.h).
#include "game/interim/InterimFrameServices.h"

#include "game/framework/GameStatics.h"
#include "game/interim/InterimLog.h"

namespace game::interim {

void InterimFrameServices::paint(profile::Graphics* /*screen*/) {
    logFirstCall(paintLogged, "Device::paint (the frame entry)");
}

void InterimFrameServices::setTopState(const framework::jint state) {
    logFirstCall(topStateLogged, "setTopState (beyond storing the state)");
    GameStatics* block = statics();
    block->previousTopState = block->topState;
    block->topState = state;
    block->framesInState = 0;
}

void InterimFrameServices::setMenuState(const framework::jint state) {
    logFirstCall(menuStateLogged, "setMenuState (beyond storing the state)");
    GameStatics* block = statics();
    block->previousMenuState = block->menuState;
    block->menuState = state;
}

void InterimFrameServices::squadListLongPress() {
    logFirstCall(longPressLogged, "the squad list's long-press action");
}

} // namespace game::interim
