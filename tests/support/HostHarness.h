// Runs the host headless for tests: SDL's dummy drivers, a virtual clock, scripted stand-ins for
// the handset's services, and a script of keys and touches per frame. Chosen frames of the
// 480x800 back buffer can be written as PNG files.
//
//   HostHarness harness;
//   ASSERT_TRUE(harness.start(&makeMyCanvas));      // or start(&makeMyMidlet) for a whole midlet
//   harness.key(3, SDLK_RETURN).tap(10, 240, 400).capture(12, "after-tap.png");
//   harness.runFrames(20);
//
// A frame is what the game's canvas does once per pass: the frame's scripted events are posted as
// real SDL events, the host pumps once (the canvas's 2 ms sleep), then paints and presents. The
// virtual clock moves 50 ms per frame, so the same script always gives the same frames.
#pragma once

#include <SDL.h>

#include <cstdint>
#include <map>
#include <string>
#include <vector>

#include "platform/Clock.h"
#include "platform/DisplayOrientation.h"
#include "platform/PowerState.h"
#include "platform/Service.h"
#include "platform/ShellWindows.h"
#include "platform/Windows.h"
#include "profile/Host.h"
#include "runtime/Application.h"

namespace runtime {
struct javax_microedition_lcdui_Displayable;
}

namespace profile::testing {

inline constexpr std::uint32_t kFrameMilliseconds = 50;

class HostHarness {
public:
    using DisplayableFactory = runtime::javax_microedition_lcdui_Displayable* (*)();

    HostHarness();
    ~HostHarness();
    HostHarness(const HostHarness&) = delete;
    HostHarness& operator=(const HostHarness&) = delete;

    // Starts the host with a midlet whose startApp makes the factory's displayable current.
    bool start(DisplayableFactory displayable);
    // Starts the host with the given midlet factory (null: no midlet). A second start ends the
    // first run (its application closed, its exit not recorded) and starts the program again in
    // a new host, with the script, the frame count and the clock going on.
    bool startMidlet(runtime::MidletFactory midlet);

    // Script, by frame number (the first frame run is 0).
    HostHarness& keyDown(std::uint64_t frame, SDLKey key);
    HostHarness& keyUp(std::uint64_t frame, SDLKey key);
    // Down in the frame, up in the next.
    HostHarness& key(std::uint64_t frame, SDLKey key);
    HostHarness& press(std::uint64_t frame, int x, int y);
    HostHarness& release(std::uint64_t frame, int x, int y);
    HostHarness& drag(std::uint64_t frame, int x, int y);
    // Press and release at the same point in one frame.
    HostHarness& tap(std::uint64_t frame, int x, int y);
    HostHarness& focus(std::uint64_t frame, bool gained);
    HostHarness& quitAt(std::uint64_t frame);
    // Writes the back buffer after the frame is presented.
    HostHarness& capture(std::uint64_t frame, const std::string& pngPath);

    // Runs n more frames.
    void runFrames(std::uint64_t n);
    std::uint64_t framesRun() const { return nextFrame; }

    // Writes a 16-bit RGB565 surface as an 8-bit RGB PNG; false when it cannot be written.
    static bool writePng(SDL_Surface* surface, const std::string& path);
    // Posts one SDL event (the dummy driver's queue is the host's input).
    static void post(SDL_Event event);

    Host& host() { return *hostShell; }
    runtime::Application* application() { return hostShell->getApplication(); }

    // The stand-ins the host sees; tests may change them at any time.
    platform::VirtualClock clock{0, 0};
    platform::ScriptedWindows windows;
    platform::ScriptedShellWindows shell;
    platform::ScriptedPowerState power;
    platform::ScriptedDisplayOrientation orientation;
    // Exit codes the host asked for (the process goes on).
    std::vector<int> exitCodes;

private:
    void postFrameEvents(std::uint64_t frame);
    void createHost();
    // Closes the application, shuts the host down (the exit recorded) and ends SDL.
    void endHost();

    platform::ScopedService<platform::Clock> clockScope{&platform::installClock, clock};
    platform::ScopedService<platform::WindowSystem> windowsScope{&platform::installWindows, windows};
    platform::ScopedService<platform::ShellWindows> shellScope{&platform::installShellWindows, shell};
    platform::ScopedService<platform::PowerState> powerScope{&platform::installPowerState, power};
    platform::ScopedService<platform::DisplayOrientation> orientationScope{
        &platform::installDisplayOrientation, orientation};
    Host* hostShell = nullptr;
    std::multimap<std::uint64_t, SDL_Event> events;
    std::multimap<std::uint64_t, std::string> captures;
    std::uint64_t nextFrame = 0;
    bool started = false;
};

} // namespace profile::testing
