// The program: the entry's checks, then the host shell with the Application and the midlet.
//
// The game's own midlet and canvas are not part of the program yet. Until they are, a stand-in
// midlet shows an empty screen, so the host, the runtime and the window can be started, run and
// closed. TARNWICK_FRAME_LIMIT=n ends the run after n frames (for runs without a screen, with
// SDL_VIDEODRIVER=dummy).
#include <SDL.h>

#include <cerrno>
#include <cstdint>
#include <cstdlib>

#include "game/framework/StaticSetUp.h"
#include "game/sprites/ArchiveResource.h"
#include "profile/Entry.h"
#include "profile/Graphics.h"
#include "profile/Host.h"
#include "profile/Thread.h"
#include "runtime/Application.h"
#include "runtime/Collector.h"
#include "runtime/Display.h"
#include "runtime/Displayable.h"
#include "runtime/Log.h"
#include "runtime/MIDlet.h"
#include "runtime/ObjectManager.h"
#include "runtime/Runnable.h"
#include "runtime/System.h"

namespace {

using runtime::jint;
using runtime::jlong;

constexpr jlong kFrameMilliseconds = 50;
constexpr jint kFrameSleep = 2;

// An empty screen with the game's frame pacing.
struct PlaceholderCanvas : runtime::javax_microedition_lcdui_Displayable, runtime::java_lang_Runnable {
    static constexpr jint kClassId = runtime::kCanvas;

    PlaceholderCanvas() : javax_microedition_lcdui_Displayable(kClassId) {}

    void paint(runtime::Object* graphics) override {
        auto* screen = static_cast<profile::Graphics*>(graphics);
        screen->setColor(0x000000);
        screen->fillRect(0, 0, profile::kScreenWidth, profile::kScreenHeight);
    }
    void* getInterface(const jint interfaceClassId) override {
        return interfaceClassId == runtime::kRunnable ? static_cast<runtime::java_lang_Runnable*>(this)
                                                      : nullptr;
    }
    void run() override {
        profile::Host* host = profile::Host::getInstance();
        jlong frameStart = runtime::System::currentTimeMillis();
        while (host->isRunning()) {
            const jlong waited = runtime::System::currentTimeMillis() - frameStart;
            if (waited >= 0 && waited < kFrameMilliseconds) {
                profile::Thread::sleep(kFrameMilliseconds - waited);
            }
            frameStart = runtime::System::currentTimeMillis();
            host->repaint();
            profile::Thread::sleep(kFrameSleep);
        }
    }
};

struct PlaceholderMidlet : runtime::javax_microedition_midlet_MIDlet {
    void startApp() override {
        if (runtime::Application::getInstance()->currentDisplayable != nullptr) {
            return;
        }
        runtime::log("Tarnwick: the game is not there yet; showing an empty screen until the window closes.");
        runtime::Display* display = runtime::Display::getDisplay(this);
        display->setCurrent(runtime::newObject<PlaceholderCanvas>());
    }
    void destroyApp(runtime::jboolean) override { profile::Host::quit(); }
};

runtime::javax_microedition_midlet_MIDlet* makePlaceholderMidlet() {
    return runtime::newObject<PlaceholderMidlet>();
}

// TARNWICK_FRAME_LIMIT, or 0 (no limit) when it is unset or not a number.
std::uint64_t frameLimitFromEnvironment() {
    const char* text = std::getenv("TARNWICK_FRAME_LIMIT");
    if (text == nullptr || *text == '\0') {
        return 0;
    }
    char* end = nullptr;
    errno = 0;
    const unsigned long long frames = std::strtoull(text, &end, 10);
    if (*end != '\0' || errno != 0 || text[0] == '-') {
        runtime::log("TARNWICK_FRAME_LIMIT=%s is not a frame count; running without a limit", text);
        return 0;
    }
    return frames;
}

} // namespace

int main(int, char**) {
    profile::installOutOfStoreHandler();
    if (!profile::passStartChecks(profile::localGameFolder())) {
        return 0;
    }

    profile::Host host;
    // Every frame of the game lies below this one: the collector scans the stack up to here.
    runtime::setStackBase(&host);
    runtime::Application::setMidletFactory(&makePlaceholderMidlet);
    // The Application's start-up builds the game's static block and runs its class initialisers.
    game::installStaticSetUp();
    // Resources that are not loose files come out of the game's archive.
    game::sprites::installArchiveOpener();
    host.setFrameLimit(frameLimitFromEnvironment());
    if (!host.init()) {
        SDL_Quit();
        return 1;
    }
    host.run();
    host.shutdown();
    return 0;
}
