// The game's midlet (see Quorlin.h).
#include "game/framework/Quorlin.h"

#include "game/core/GameStatics.h"
#include "game/framework/Device.h"
#include "profile/Host.h"
#include "profile/Thread.h"
#include "runtime/Display.h"
#include "runtime/ObjectManager.h"

namespace game {

namespace {

// Menu states in which an interruption counts as a frame spent there.
constexpr jint kPauseCountingStateA = 0x100011;
constexpr jint kPauseCountingStateB = 0x4B;

} // namespace

Quorlin::Quorlin() : javax_microedition_midlet_MIDlet(kClassId) {
    statics()->midlet = this;
}

runtime::javax_microedition_midlet_MIDlet* Quorlin::create() {
    return runtime::newObject<Quorlin>();
}

void Quorlin::startApp() {
    GameStatics* block = statics();
    if (Device* canvas = block->canvas) {
        runtime::Display::getDisplay(this)->setCurrent(canvas);
    } else {
        // The thread only logs that it cannot start: the host drives the canvas's run itself.
        canvas = runtime::newObject<Device>();
        statics()->canvas = canvas;
        runtime::Display::getDisplay(this)->setCurrent(canvas);
        runtime::newObject<profile::Thread>(canvas)->start();
    }
    statics()->canvas->showNotify();
}

void Quorlin::pauseApp() {
    GameStatics* block = statics();
    if (block->menuState == kPauseCountingStateA || block->menuState == kPauseCountingStateB) {
        block->menuFrames = 1;
    }
    if (Device* canvas = block->canvas) {
        canvas->hideNotify();
    }
}

void Quorlin::destroyApp(const jboolean /*unconditional*/) {
    runtime::Display::getDisplay(this)->setCurrent(nullptr);
    profile::Host::quit();
    statics()->canvas = nullptr;
}

} // namespace game
