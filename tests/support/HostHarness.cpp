// The headless host of tests (see HostHarness.h).
#include "tests/support/HostHarness.h"

#include <png.h>

#include <cstdlib>
#include <cstring>

#include "runtime/Display.h"
#include "runtime/Displayable.h"
#include "runtime/MIDlet.h"
#include "runtime/ObjectManager.h"

namespace profile::testing {

namespace {

HostHarness::DisplayableFactory displayableFactory = nullptr;

// A midlet that only makes the harness's displayable current.
struct HarnessMidlet : runtime::javax_microedition_midlet_MIDlet {
    void startApp() override {
        runtime::Application* application = runtime::Application::getInstance();
        if (application != nullptr && application->currentDisplayable == nullptr &&
            displayableFactory != nullptr) {
            runtime::Display* display = runtime::Display::getDisplay(this);
            display->setCurrent(displayableFactory());
        }
    }
};

runtime::javax_microedition_midlet_MIDlet* makeHarnessMidlet() {
    return runtime::newObject<HarnessMidlet>();
}

SDL_Event keyEvent(const Uint8 type, const SDLKey key) {
    SDL_Event event = {};
    event.type = type;
    event.key.type = type;
    event.key.state = type == SDL_KEYDOWN ? SDL_PRESSED : SDL_RELEASED;
    event.key.keysym.sym = key;
    return event;
}

SDL_Event buttonEvent(const Uint8 type, const int x, const int y) {
    SDL_Event event = {};
    event.type = type;
    event.button.type = type;
    event.button.button = SDL_BUTTON_LEFT;
    event.button.state = type == SDL_MOUSEBUTTONDOWN ? SDL_PRESSED : SDL_RELEASED;
    event.button.x = static_cast<Uint16>(x);
    event.button.y = static_cast<Uint16>(y);
    return event;
}

// 5- and 6-bit channels widened to 8 bits with their top bits repeated below.
std::uint8_t widen5(const unsigned value) {
    return static_cast<std::uint8_t>((value << 3) | (value >> 2));
}
std::uint8_t widen6(const unsigned value) {
    return static_cast<std::uint8_t>((value << 2) | (value >> 4));
}

} // namespace

HostHarness::HostHarness() {
    setenv("SDL_VIDEODRIVER", "dummy", 1);
    setenv("SDL_AUDIODRIVER", "dummy", 1);
    createHost();
}

HostHarness::~HostHarness() {
    endHost();
    runtime::Application::setMidletFactory(nullptr);
    displayableFactory = nullptr;
}

void HostHarness::createHost() {
    hideInputPanelPending = 1;
    unattended = 0;
    hostShell = new Host();
    hostShell->setExitHandler([this](const int code) { exitCodes.push_back(code); });
}

void HostHarness::endHost() {
    hostShell->closeApplication();
    // The program's own ending: the surfaces go, and the exit is only recorded.
    hostShell->shutdown();
    delete hostShell;
    hostShell = nullptr;
    SDL_Quit();
    hideInputPanelPending = 1;
    unattended = 0;
}

bool HostHarness::start(const DisplayableFactory displayable) {
    displayableFactory = displayable;
    return startMidlet(&makeHarnessMidlet);
}

bool HostHarness::startMidlet(const runtime::MidletFactory midlet) {
    if (started) {
        // Another run of the program: a fresh host in a fresh SDL. A host started again on the
        // SDL of the first would take the first run's window for the desktop, choose a smaller
        // window and scale every touch away from where the script puts it.
        hostShell->setExitHandler([](int) {});
        endHost();
        createHost();
    }
    started = true;
    runtime::Application::setMidletFactory(midlet);
    return hostShell->init();
}

HostHarness& HostHarness::keyDown(const std::uint64_t frame, const SDLKey key) {
    events.emplace(frame, keyEvent(SDL_KEYDOWN, key));
    return *this;
}

HostHarness& HostHarness::keyUp(const std::uint64_t frame, const SDLKey key) {
    events.emplace(frame, keyEvent(SDL_KEYUP, key));
    return *this;
}

HostHarness& HostHarness::key(const std::uint64_t frame, const SDLKey key) {
    return keyDown(frame, key).keyUp(frame + 1, key);
}

HostHarness& HostHarness::press(const std::uint64_t frame, const int x, const int y) {
    events.emplace(frame, buttonEvent(SDL_MOUSEBUTTONDOWN, x, y));
    return *this;
}

HostHarness& HostHarness::release(const std::uint64_t frame, const int x, const int y) {
    events.emplace(frame, buttonEvent(SDL_MOUSEBUTTONUP, x, y));
    return *this;
}

HostHarness& HostHarness::drag(const std::uint64_t frame, const int x, const int y) {
    SDL_Event event = {};
    event.type = SDL_MOUSEMOTION;
    event.motion.type = SDL_MOUSEMOTION;
    event.motion.state = SDL_BUTTON(SDL_BUTTON_LEFT);
    event.motion.x = static_cast<Uint16>(x);
    event.motion.y = static_cast<Uint16>(y);
    events.emplace(frame, event);
    return *this;
}

HostHarness& HostHarness::tap(const std::uint64_t frame, const int x, const int y) {
    return press(frame, x, y).release(frame, x, y);
}

HostHarness& HostHarness::focus(const std::uint64_t frame, const bool gained) {
    SDL_Event event = {};
    event.type = SDL_ACTIVEEVENT;
    event.active.type = SDL_ACTIVEEVENT;
    event.active.gain = gained ? 1 : 0;
    event.active.state = SDL_APPINPUTFOCUS | SDL_APPACTIVE;
    events.emplace(frame, event);
    return *this;
}

HostHarness& HostHarness::quitAt(const std::uint64_t frame) {
    SDL_Event event = {};
    event.type = SDL_QUIT;
    event.quit.type = SDL_QUIT;
    events.emplace(frame, event);
    return *this;
}

HostHarness& HostHarness::capture(const std::uint64_t frame, const std::string& pngPath) {
    captures.emplace(frame, pngPath);
    return *this;
}

void HostHarness::post(SDL_Event event) {
    SDL_PushEvent(&event);
}

void HostHarness::postFrameEvents(const std::uint64_t frame) {
    const auto [first, last] = events.equal_range(frame);
    for (auto entry = first; entry != last; ++entry) {
        post(entry->second);
    }
}

void HostHarness::runFrames(const std::uint64_t n) {
    for (std::uint64_t i = 0; i < n && hostShell->getApplication() != nullptr; ++i) {
        const std::uint64_t frame = nextFrame++;
        const std::uint32_t frameStart = clock.now;
        postFrameEvents(frame);
        hostShell->pumpEvents(2);
        hostShell->presentFrame();
        const auto [first, last] = captures.equal_range(frame);
        for (auto entry = first; entry != last; ++entry) {
            writePng(hostShell->getBackBuffer(), entry->second);
        }
        const std::uint32_t spent = clock.now - frameStart;
        if (spent < kFrameMilliseconds) {
            clock.advance(kFrameMilliseconds - spent);
        }
    }
}

bool HostHarness::writePng(SDL_Surface* surface, const std::string& path) {
    if (surface == nullptr || surface->format->BytesPerPixel != 2) {
        return false;
    }
    const int width = surface->w;
    const int height = surface->h;
    std::vector<std::uint8_t> rgb(static_cast<std::size_t>(width) * height * 3);
    SDL_LockSurface(surface);
    for (int y = 0; y < height; ++y) {
        const auto* row =
            reinterpret_cast<const std::uint16_t*>(static_cast<const std::uint8_t*>(surface->pixels) +
                                                   static_cast<std::ptrdiff_t>(y) * surface->pitch);
        for (int x = 0; x < width; ++x) {
            const unsigned pixel = row[x];
            std::uint8_t* out = &rgb[(static_cast<std::size_t>(y) * width + x) * 3];
            out[0] = widen5(pixel >> 11);
            out[1] = widen6((pixel >> 5) & 0x3F);
            out[2] = widen5(pixel & 0x1F);
        }
    }
    SDL_UnlockSurface(surface);

    png_image image;
    std::memset(&image, 0, sizeof image);
    image.version = PNG_IMAGE_VERSION;
    image.width = static_cast<png_uint_32>(width);
    image.height = static_cast<png_uint_32>(height);
    image.format = PNG_FORMAT_RGB;
    const int written = png_image_write_to_file(&image, path.c_str(), 0, rgb.data(), width * 3, nullptr);
    png_image_free(&image);
    return written != 0;
}

} // namespace profile::testing
