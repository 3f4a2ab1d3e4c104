// The host's event pump, frame presentation and shutdown, driven headless with real SDL events.
#include <SDL.h>
#include <gtest/gtest.h>
#include <png.h>

#include <cstring>
#include <filesystem>
#include <string>
#include <vector>

#include "tests/support/HostHarness.h"
#include "platform/KeyMessages.h"
#include "profile/Host.h"
#include "profile/Thread.h"
#include "runtime/Displayable.h"
#include "runtime/Log.h"
#include "runtime/MIDlet.h"
#include "runtime/ObjectManager.h"
#include "runtime/Runnable.h"
#include "runtime/System.h"

namespace profile {
namespace {

using testing::HostHarness;

// Every call the host made on the displayable or the midlet, in order.
std::vector<std::string> calls;
// What the canvas's run does (null: return at once).
void (*runBody)() = nullptr;
// The colour the canvas paints the whole back buffer with.
std::uint16_t paintColour = 0;

std::string call(const char* name, const jint a) {
    return std::string(name) + " " + std::to_string(a);
}
std::string call(const char* name, const jint a, const jint b) {
    return call(name, a) + "," + std::to_string(b);
}

// A canvas that records its calls; runnable or not.
struct RecordingCanvas : runtime::javax_microedition_lcdui_Displayable, runtime::java_lang_Runnable {
    explicit RecordingCanvas(const bool canRun) : runnable(canRun) {}

    void keyPressed(const jint keyCode) override { calls.push_back(call("keyPressed", keyCode)); }
    void keyReleased(const jint keyCode) override { calls.push_back(call("keyReleased", keyCode)); }
    void pointerPressed(const jint x, const jint y) override {
        calls.push_back(call("pointerPressed", x, y));
    }
    void pointerReleased(const jint x, const jint y) override {
        calls.push_back(call("pointerReleased", x, y));
    }
    void pointerDragged(const jint x, const jint y) override {
        calls.push_back(call("pointerDragged", x, y));
    }
    void showNotify() override { calls.push_back("showNotify"); }
    void hideNotify() override { calls.push_back("hideNotify"); }
    void paint(runtime::Object*) override {
        calls.push_back("paint");
        SDL_Surface* backBuffer = Host::getInstance()->getBackBuffer();
        auto* pixels = static_cast<std::uint16_t*>(backBuffer->pixels);
        std::fill(pixels, pixels + backBuffer->pitch / 2 * backBuffer->h, paintColour);
    }
    void* getInterface(const jint id) override {
        if (runnable && id == runtime::kRunnable) {
            return static_cast<runtime::java_lang_Runnable*>(this);
        }
        return nullptr;
    }
    void run() override {
        calls.push_back("run");
        if (runBody != nullptr) {
            runBody();
        }
    }

    bool runnable = false;
};

runtime::javax_microedition_lcdui_Displayable* makeRunnableCanvas() {
    return runtime::newObject<RecordingCanvas>(true);
}
runtime::javax_microedition_lcdui_Displayable* makePlainCanvas() {
    return runtime::newObject<RecordingCanvas>(false);
}

// A midlet that records its destroy step and shows nothing.
struct RecordingMidlet : runtime::javax_microedition_midlet_MIDlet {
    void destroyApp(const runtime::jboolean unconditional) override {
        calls.push_back(call("destroyApp", unconditional));
    }
};
runtime::javax_microedition_midlet_MIDlet* makeRecordingMidlet() {
    return runtime::newObject<RecordingMidlet>();
}

class HostPumpTest : public ::testing::Test {
protected:
    void SetUp() override {
        calls.clear();
        runBody = nullptr;
        paintColour = 0;
        previousSink = runtime::setLogSink([this](const std::string& line) { logLines.push_back(line); });
    }
    void TearDown() override { runtime::setLogSink(previousSink); }

    // Calls recorded since the last look, then forgets them.
    static std::vector<std::string> takeCalls() { return std::exchange(calls, {}); }

    static SDL_Event keyEvent(const Uint8 type, const SDLKey key) {
        SDL_Event event = {};
        event.type = type;
        event.key.state = type == SDL_KEYDOWN ? SDL_PRESSED : SDL_RELEASED;
        event.key.keysym.sym = key;
        return event;
    }
    static SDL_Event buttonEvent(const Uint8 type, const Uint8 button, const int x, const int y) {
        SDL_Event event = {};
        event.type = type;
        event.button.button = button;
        event.button.state = type == SDL_MOUSEBUTTONDOWN ? SDL_PRESSED : SDL_RELEASED;
        event.button.x = static_cast<Uint16>(x);
        event.button.y = static_cast<Uint16>(y);
        return event;
    }
    static SDL_Event activeEvent(const bool gained, const Uint8 state = SDL_APPINPUTFOCUS | SDL_APPACTIVE) {
        SDL_Event event = {};
        event.type = SDL_ACTIVEEVENT;
        event.active.gain = gained ? 1 : 0;
        event.active.state = state;
        return event;
    }
    static SDL_Event typedEvent(const Uint8 type) {
        SDL_Event event = {};
        event.type = type;
        return event;
    }

    int countLines(const std::string& text) const {
        int count = 0;
        for (const std::string& line : logLines) {
            count += line == text ? 1 : 0;
        }
        return count;
    }

    HostHarness harness;
    std::vector<std::string> logLines;
    runtime::LogSink previousSink;
};

TEST_F(HostPumpTest, StartsTheMidletOnA480x800Screen) {
    ASSERT_TRUE(harness.start(&makeRunnableCanvas));
    SDL_Surface* backBuffer = harness.host().getBackBuffer();
    ASSERT_NE(backBuffer, nullptr);
    EXPECT_EQ(backBuffer->w, 480);
    EXPECT_EQ(backBuffer->h, 800);
    EXPECT_EQ(backBuffer->format->BitsPerPixel, 16);
    EXPECT_EQ(backBuffer->format->Rmask, 0xF800u);
    EXPECT_EQ(backBuffer->format->Gmask, 0x07E0u);
    EXPECT_EQ(backBuffer->format->Bmask, 0x001Fu);
    ASSERT_NE(harness.host().getScreenSurface(), nullptr);
    EXPECT_EQ(harness.host().getScreenSurface()->w, 480);
    EXPECT_EQ(harness.host().getScreenSurface()->h, 800);
    runtime::Application* application = harness.application();
    ASSERT_NE(application, nullptr);
    EXPECT_NE(application->m_screenGraphics, nullptr);
    ASSERT_NE(application->currentDisplayable, nullptr);
    EXPECT_EQ(application->currentDisplayable->getWidth(), 480);
    EXPECT_EQ(application->currentDisplayable->getHeight(), 800);
    EXPECT_EQ(harness.host().gameWindow, platform::windows().getGameWindow());
    EXPECT_NE(harness.host().gameWindow, 0u);
}

TEST_F(HostPumpTest, AKeyMessageIsDispatchedBeforeEarlierSdlEventsAndEndsThePass) {
    ASSERT_TRUE(harness.start(&makeRunnableCanvas));
    harness.host().pumpEvents(0); // the first pass hides the input panel
    takeCalls();
    HostHarness::post(buttonEvent(SDL_MOUSEBUTTONDOWN, SDL_BUTTON_LEFT, 5, 6));
    HostHarness::post(keyEvent(SDL_KEYDOWN, SDLK_RETURN));
    HostHarness::post(keyEvent(SDL_KEYUP, SDLK_RETURN));
    const std::uint32_t delaysBefore = harness.clock.delayCount;
    harness.host().pumpEvents(7);
    EXPECT_EQ(takeCalls(), std::vector<std::string>{"keyPressed -5"});
    EXPECT_EQ(harness.clock.delayCount, delaysBefore + 1);
    harness.host().pumpEvents(7);
    EXPECT_EQ(takeCalls(), std::vector<std::string>{"keyReleased -5"});
    harness.host().pumpEvents(7);
    EXPECT_EQ(takeCalls(), std::vector<std::string>{"pointerPressed 5,6"});
    EXPECT_EQ(harness.clock.delayedMilliseconds % 7, 0u);
}

TEST_F(HostPumpTest, KeysArrivingWhileOtherEventsArePolledWaitForTheNextPass) {
    ASSERT_TRUE(harness.start(&makeRunnableCanvas));
    harness.host().pumpEvents(0);
    takeCalls();
    // One pass without key messages polls every other event; the keys stay queued.
    HostHarness::post(buttonEvent(SDL_MOUSEBUTTONDOWN, SDL_BUTTON_LEFT, 1, 2));
    HostHarness::post(buttonEvent(SDL_MOUSEBUTTONUP, SDL_BUTTON_LEFT, 1, 2));
    platform::ScriptedKeyMessageQueue scripted;
    {
        platform::ScopedService<platform::KeyMessageQueue> scope(&platform::installKeyMessages, scripted);
        HostHarness::post(keyEvent(SDL_KEYDOWN, SDLK_UP));
        harness.host().pumpEvents(0);
    }
    EXPECT_EQ(takeCalls(), (std::vector<std::string>{"pointerPressed 1,2", "pointerReleased 1,2"}));
    harness.host().pumpEvents(0);
    EXPECT_EQ(takeCalls(), std::vector<std::string>{"keyPressed -1"});
}

TEST_F(HostPumpTest, CharMessagesAreSwallowedAndOtherMessagesLeftForSdl) {
    ASSERT_TRUE(harness.start(&makeRunnableCanvas));
    harness.host().pumpEvents(0);
    takeCalls();
    platform::ScriptedKeyMessageQueue scripted;
    platform::ScopedService<platform::KeyMessageQueue> scope(&platform::installKeyMessages, scripted);
    scripted.push(platform::kCharMessage, 'a');
    HostHarness::post(buttonEvent(SDL_MOUSEBUTTONDOWN, SDL_BUTTON_LEFT, 3, 4));
    KeyRecord record;
    // A character message is removed without dispatch; the pass goes on to SDL's events.
    harness.host().pumpEvents(0);
    EXPECT_TRUE(scripted.messages.empty());
    EXPECT_EQ(takeCalls(), std::vector<std::string>{"pointerPressed 3,4"});
    // Any other kind of message stays where it is.
    scripted.push(0x200, 0);
    EXPECT_EQ(harness.host().peekKeyMessage(record), kNoKey);
    EXPECT_EQ(record.kind, kKeyNothing);
    EXPECT_EQ(scripted.messages.size(), 1u);
    EXPECT_TRUE(takeCalls().empty());
}

TEST_F(HostPumpTest, PeekKeyMessageFillsTheKeyRecord) {
    ASSERT_TRUE(harness.start(&makeRunnableCanvas));
    platform::ScriptedKeyMessageQueue scripted;
    platform::ScopedService<platform::KeyMessageQueue> scope(&platform::installKeyMessages, scripted);
    scripted.push(platform::kKeyUpMessage, platform::kVkNumpad0 + 3);
    KeyRecord record;
    EXPECT_EQ(harness.host().peekKeyMessage(record), '3');
    EXPECT_EQ(record.raw, 99);
    EXPECT_EQ(record.mapped, '3');
    EXPECT_EQ(record.kind, kKeyUp);
    EXPECT_EQ(harness.host().peekKeyMessage(record), kNoKey);
    EXPECT_EQ(record.kind, kKeyNothing);
}

TEST_F(HostPumpTest, TheFirstFocusLossIsIgnoredAndTheSecondPauses) {
    ASSERT_TRUE(harness.start(&makeRunnableCanvas));
    harness.host().pumpEvents(0);
    takeCalls();
    harness.shell.shows.clear();
    HostHarness::post(activeEvent(false));
    HostHarness::post(buttonEvent(SDL_MOUSEBUTTONDOWN, SDL_BUTTON_LEFT, 9, 9));
    const std::uint32_t delaysBefore = harness.clock.delayCount;
    harness.host().pumpEvents(5);
    // Swallowed: still active, the pass ended at once without its delay, the touch still waits.
    EXPECT_EQ(harness.host().windowActive, 1);
    EXPECT_EQ(harness.host().ignoreNextFocusLoss, 0);
    EXPECT_EQ(harness.clock.delayCount, delaysBefore);
    EXPECT_TRUE(takeCalls().empty());
    harness.host().pumpEvents(5);
    EXPECT_EQ(takeCalls(), std::vector<std::string>{"pointerPressed 9,9"});

    HostHarness::post(activeEvent(false));
    harness.host().pumpEvents(5);
    EXPECT_EQ(harness.host().windowActive, 0);
    EXPECT_EQ(takeCalls(), std::vector<std::string>{"hideNotify"});
    using Show = std::pair<std::string, int>;
    EXPECT_EQ(harness.shell.shows,
              (std::vector<Show>{{platform::kInputPanelButtonClass, 5}, {platform::kTaskBarClass, 5}}));
    EXPECT_EQ(countLines("\n---------------------------------------------------------showNativeHUD:Begin"),
              1);
    EXPECT_EQ(countLines("\n---------------------------------------------------------showNativeHUD:End"), 1);

    harness.shell.shows.clear();
    HostHarness::post(activeEvent(true));
    harness.host().pumpEvents(5);
    EXPECT_EQ(harness.host().windowActive, 1);
    EXPECT_EQ(takeCalls(), std::vector<std::string>{"showNotify"});
    EXPECT_EQ(harness.shell.shows,
              (std::vector<Show>{{platform::kInputPanelClass, 0}, {platform::kInputPanelButtonClass, 0}}));
}

TEST_F(HostPumpTest, TheMouseLeavingTheWindowIsNoFocusChange) {
    ASSERT_TRUE(harness.start(&makeRunnableCanvas));
    harness.host().pumpEvents(0);
    harness.host().ignoreNextFocusLoss = 0;
    takeCalls();
    HostHarness::post(activeEvent(false, SDL_APPMOUSEFOCUS));
    harness.host().pumpEvents(0);
    EXPECT_EQ(harness.host().windowActive, 1);
    EXPECT_TRUE(takeCalls().empty());
}

TEST_F(HostPumpTest, TheInputPanelIsHiddenOnceWhenADisplayableExists) {
    ASSERT_TRUE(harness.startMidlet(&makeRecordingMidlet));
    harness.host().pumpEvents(0);
    EXPECT_TRUE(harness.shell.shows.empty());
    EXPECT_EQ(hideInputPanelPending, 1);
    harness.application()->currentDisplayable = makePlainCanvas();
    harness.host().pumpEvents(0);
    harness.host().pumpEvents(0);
    using Show = std::pair<std::string, int>;
    EXPECT_EQ(harness.shell.shows,
              (std::vector<Show>{{platform::kInputPanelClass, 0}, {platform::kInputPanelButtonClass, 0}}));
    EXPECT_EQ(hideInputPanelPending, 0);
}

TEST_F(HostPumpTest, TouchesAreRotatedAndMotionAlwaysDrags) {
    ASSERT_TRUE(harness.start(&makeRunnableCanvas));
    harness.host().pumpEvents(0);
    takeCalls();
    SDL_Event motion = typedEvent(SDL_MOUSEMOTION);
    motion.motion.x = 10;
    motion.motion.y = 20;
    motion.motion.state = 0; // no button held
    HostHarness::post(motion);
    HostHarness::post(buttonEvent(SDL_MOUSEBUTTONDOWN, SDL_BUTTON_WHEELUP, 1, 1));
    HostHarness::post(buttonEvent(SDL_MOUSEBUTTONUP, SDL_BUTTON_WHEELDOWN, 1, 1));
    harness.host().pumpEvents(0);
    EXPECT_EQ(takeCalls(), std::vector<std::string>{"pointerDragged 10,20"});

    harness.orientation.orientation = platform::kOrientation90;
    HostHarness::post(typedEvent(platform::kDisplayChangeEvent));
    HostHarness::post(buttonEvent(SDL_MOUSEBUTTONDOWN, SDL_BUTTON_LEFT, 10, 20));
    harness.host().pumpEvents(0);
    EXPECT_EQ(harness.host().displayOrientation, 1);
    EXPECT_EQ(countLines("display orientation 1\n"), 1);
    EXPECT_EQ(takeCalls(), std::vector<std::string>{"pointerPressed 20,790"});

    // An expose event queries the orientation too, without the log line.
    harness.orientation.orientation = platform::kOrientation270;
    HostHarness::post(typedEvent(SDL_VIDEOEXPOSE));
    HostHarness::post(buttonEvent(SDL_MOUSEBUTTONUP, SDL_BUTTON_RIGHT, 10, 20));
    harness.host().pumpEvents(0);
    EXPECT_EQ(harness.host().displayOrientation, 4);
    EXPECT_EQ(countLines("display orientation 4\n"), 0);
    EXPECT_EQ(takeCalls(), std::vector<std::string>{"pointerReleased 460,10"});
}

TEST_F(HostPumpTest, AScaledDownWindowShowsTheWholeFrameAndMapsTouchesBack) {
    harness.host().setWindowSize(240, 400);
    ASSERT_TRUE(harness.start(&makeRunnableCanvas));
    SDL_Surface* screen = harness.host().getScreenSurface();
    ASSERT_EQ(screen->w, 240);
    ASSERT_EQ(screen->h, 400);
    paintColour = 0x001F;
    harness.tap(0, 120, 399);
    harness.runFrames(1);
    EXPECT_EQ(calls,
              (std::vector<std::string>{"pointerPressed 240,798", "pointerReleased 240,798", "paint"}));
    SDL_LockSurface(screen);
    const auto* lastRow = reinterpret_cast<const std::uint16_t*>(
        static_cast<const std::uint8_t*>(screen->pixels) + 399 * screen->pitch);
    const std::uint16_t corner = lastRow[239];
    SDL_UnlockSurface(screen);
    EXPECT_EQ(corner, 0x001F);
}

TEST_F(HostPumpTest, TheUnattendedPowerStatePausesAndResumes) {
    ASSERT_TRUE(harness.start(&makeRunnableCanvas));
    harness.host().pumpEvents(0);
    takeCalls();
    harness.power.flags = platform::kPowerStateOn | platform::kPowerStateUnattended;
    harness.host().pumpEvents(0);
    harness.host().pumpEvents(0);
    EXPECT_EQ(takeCalls(), std::vector<std::string>{"hideNotify"});
    EXPECT_EQ(unattended, 1);
    // A failed query changes nothing.
    harness.power.fails = true;
    harness.host().pumpEvents(0);
    EXPECT_EQ(unattended, 1);
    harness.power.fails = false;
    harness.power.flags = platform::kPowerStateOn;
    harness.host().pumpEvents(0);
    EXPECT_EQ(takeCalls(), std::vector<std::string>{"showNotify"});
    EXPECT_EQ(unattended, 0);
    using Show = std::pair<std::string, int>;
    const std::vector<Show> taskBar{{platform::kTaskBarClass, 5}, {platform::kTaskBarClass, 0}};
    std::vector<Show> taskBarShows;
    for (const Show& show : harness.shell.shows) {
        if (show.first == platform::kTaskBarClass) {
            taskBarShows.push_back(show);
        }
    }
    EXPECT_EQ(taskBarShows, taskBar);
}

TEST_F(HostPumpTest, FramesUnderAnotherWindowArePaintedButNotShownAndRepeatTheHide) {
    ASSERT_TRUE(harness.start(&makeRunnableCanvas));
    harness.host().pumpEvents(0);
    takeCalls();
    harness.host().presentFrame();
    EXPECT_EQ(takeCalls(), std::vector<std::string>{"paint"});
    EXPECT_EQ(harness.windows.invalidations, 0);
    harness.windows.otherWindowInFront = true;
    harness.host().presentFrame();
    harness.host().presentFrame();
    EXPECT_EQ(takeCalls(), (std::vector<std::string>{"paint", "hideNotify", "paint", "hideNotify"}));
    EXPECT_EQ(harness.windows.invalidations, 2);
    // While the game window is inactive nothing is shown and nothing is repeated.
    harness.host().windowActive = 0;
    harness.host().presentFrame();
    EXPECT_EQ(takeCalls(), std::vector<std::string>{"paint"});
    EXPECT_EQ(harness.host().getFramesPresented(), 4u);
}

TEST_F(HostPumpTest, TheQuitEventClosesTheApplicationOnceAndExitsWithZero) {
    ASSERT_TRUE(harness.startMidlet(&makeRecordingMidlet));
    harness.host().pumpEvents(0);
    HostHarness::post(typedEvent(SDL_QUIT));
    HostHarness::post(typedEvent(SDL_QUIT));
    harness.host().pumpEvents(0);
    EXPECT_EQ(harness.application(), nullptr);
    EXPECT_EQ(harness.host().hostRunning, 0);
    harness.host().pumpEvents(0);
    // The main loop's own close after a quit does nothing more.
    harness.host().run();
    EXPECT_EQ(calls, std::vector<std::string>{"destroyApp 1"});
    EXPECT_EQ(harness.exitCodes, (std::vector<int>{0, 0}));
    using Show = std::pair<std::string, int>;
    EXPECT_EQ(harness.shell.shows.back(), (Show{platform::kTaskBarClass, 5}));
}

TEST_F(HostPumpTest, RunCallsTheRunnableDisplayableAndClosesWhenItReturns) {
    ASSERT_TRUE(harness.start(&makeRunnableCanvas));
    runBody = [] {
        Host::getInstance()->repaint();
        Thread::sleep(2);
        Host::quit();
    };
    harness.host().run();
    EXPECT_EQ(calls, (std::vector<std::string>{"run", "paint"}));
    EXPECT_EQ(harness.application(), nullptr);
    EXPECT_EQ(harness.host().getFramesPresented(), 1u);
    EXPECT_TRUE(harness.exitCodes.empty());
}

TEST_F(HostPumpTest, RunKeepsPumpingWhenNothingIsRunnable) {
    ASSERT_TRUE(harness.start(&makePlainCanvas));
    HostHarness::post(buttonEvent(SDL_MOUSEBUTTONDOWN, SDL_BUTTON_LEFT, 4, 4));
    HostHarness::post(typedEvent(SDL_QUIT));
    harness.host().run();
    EXPECT_EQ(calls, std::vector<std::string>{"pointerPressed 4,4"});
    EXPECT_EQ(harness.exitCodes, std::vector<int>{0});
    EXPECT_EQ(harness.application(), nullptr);
}

TEST_F(HostPumpTest, AFrameLimitEndsTheRunThroughAQuitEvent) {
    ASSERT_TRUE(harness.start(&makeRunnableCanvas));
    runBody = [] {
        while (Host::getInstance()->isRunning()) {
            Host::getInstance()->repaint();
            Thread::sleep(2);
        }
    };
    harness.host().setFrameLimit(3);
    harness.host().run();
    EXPECT_EQ(harness.host().getFramesPresented(), 3u);
    EXPECT_EQ(harness.exitCodes, std::vector<int>{0});
}

TEST_F(HostPumpTest, ThreadSleepPumpsAndTheClockIsTheHosts) {
    ASSERT_TRUE(harness.start(&makeRunnableCanvas));
    harness.host().pumpEvents(0);
    takeCalls();
    harness.clock.now = 123456;
    EXPECT_EQ(runtime::System::currentTimeMillis(), 123456);
    HostHarness::post(keyEvent(SDL_KEYDOWN, SDLK_F1));
    Thread::sleep(200);
    EXPECT_EQ(takeCalls(), std::vector<std::string>{"keyPressed -6"});
    EXPECT_EQ(harness.clock.now, 123456u + 200u);
    HostHarness::post(keyEvent(SDL_KEYDOWN, SDLK_F2));
    Thread::yield();
    EXPECT_EQ(takeCalls(), std::vector<std::string>{"keyPressed -7"});
    EXPECT_EQ(harness.clock.now, 123456u + 205u);
    Thread::sleep(-50);
    EXPECT_EQ(harness.clock.now, 123456u + 205u);
}

TEST_F(HostPumpTest, ThreadStartOnlyWarnsAndRunGoesToTheTarget) {
    ASSERT_TRUE(harness.start(&makeRunnableCanvas));
    takeCalls();
    Thread* thread = runtime::newObject<Thread>(harness.application()->currentDisplayable);
    thread->start();
    EXPECT_EQ(countLines("WARNING: multithread not supported"), 1);
    EXPECT_TRUE(calls.empty());
    EXPECT_EQ(runtime::instanceOf(thread, runtime::kRunnable), 1);
    thread->run();
    EXPECT_EQ(takeCalls(), std::vector<std::string>{"run"});
    // A target that is not runnable runs nothing.
    Thread* idle = runtime::newObject<Thread>(makePlainCanvas());
    idle->run();
    EXPECT_TRUE(takeCalls().empty());
}

// Reads one RGB pixel of a PNG file.
bool readPngPixel(const std::string& path, const int x, const int y, std::uint8_t rgb[3], int& width,
                  int& height) {
    png_image image;
    std::memset(&image, 0, sizeof image);
    image.version = PNG_IMAGE_VERSION;
    if (!png_image_begin_read_from_file(&image, path.c_str())) {
        return false;
    }
    image.format = PNG_FORMAT_RGB;
    std::vector<std::uint8_t> pixels(PNG_IMAGE_SIZE(image));
    width = static_cast<int>(image.width);
    height = static_cast<int>(image.height);
    if (!png_image_finish_read(&image, nullptr, pixels.data(), 0, nullptr)) {
        return false;
    }
    std::memcpy(rgb, &pixels[(static_cast<std::size_t>(y) * width + x) * 3], 3);
    return true;
}

TEST_F(HostPumpTest, TheHarnessScriptsInputPerFrameAndCapturesFrames) {
    const std::filesystem::path folder = std::filesystem::temp_directory_path() / "tarnwick-harness";
    std::filesystem::create_directories(folder);
    ASSERT_TRUE(harness.start(&makeRunnableCanvas));
    paintColour = 0xF800; // red
    harness.key(1, SDLK_DOWN).tap(2, 100, 200).capture(0, (folder / "frame0.png").string());
    harness.runFrames(2);
    paintColour = 0x07E0; // green
    harness.capture(3, (folder / "frame3.png").string());
    harness.runFrames(2);
    EXPECT_EQ(harness.framesRun(), 4u);
    EXPECT_EQ(harness.host().getFramesPresented(), 4u);
    // One frame is 50 ms of the virtual clock.
    EXPECT_EQ(harness.clock.now, 200u);
    std::vector<std::string> inputs;
    for (const std::string& c : calls) {
        if (c != "paint") {
            inputs.push_back(c);
        }
    }
    EXPECT_EQ(inputs, (std::vector<std::string>{"keyPressed -2", "keyReleased -2", "pointerPressed 100,200",
                                                "pointerReleased 100,200"}));
    std::uint8_t rgb[3];
    int width = 0;
    int height = 0;
    ASSERT_TRUE(readPngPixel((folder / "frame0.png").string(), 479, 799, rgb, width, height));
    EXPECT_EQ(width, 480);
    EXPECT_EQ(height, 800);
    EXPECT_EQ(rgb[0], 255);
    EXPECT_EQ(rgb[1], 0);
    EXPECT_EQ(rgb[2], 0);
    ASSERT_TRUE(readPngPixel((folder / "frame3.png").string(), 0, 0, rgb, width, height));
    EXPECT_EQ(rgb[0], 0);
    EXPECT_EQ(rgb[1], 255);
    EXPECT_EQ(rgb[2], 0);
    std::filesystem::remove_all(folder);
}

TEST(HostInitTest, AFailedSdlStartIsReportedAndStopsTheStart) {
    std::vector<std::string> lines;
    const runtime::LogSink previous =
        runtime::setLogSink([&](const std::string& line) { lines.push_back(line); });
    setenv("SDL_VIDEODRIVER", "no-such-driver", 1);
    {
        Host host;
        EXPECT_FALSE(host.init());
        EXPECT_EQ(host.getApplication(), nullptr);
    }
    setenv("SDL_VIDEODRIVER", "dummy", 1);
    runtime::setLogSink(previous);
    ASSERT_FALSE(lines.empty());
    EXPECT_EQ(lines[0].rfind("SDL_Init failed", 0), 0u) << lines[0];
}

} // namespace
} // namespace profile
