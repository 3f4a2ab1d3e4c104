// The host shell: start-up, the event pump, frame presentation and shutdown.
#include "profile/Host.h"

#include <SDL.h>
#include <SDL_syswm.h>

#include <cstdlib>
#include <utility>
#include <vector>

#include "platform/Clock.h"
#include "platform/DisplayOrientation.h"
#include "platform/KeyMessages.h"
#include "platform/PowerState.h"
#include "platform/ShellWindows.h"
#include "profile/AppProperties.h"
#include "profile/Image.h"
#include "profile/PlatformRequest.h"
#include "profile/Resources.h"
#include "profile/ScreenHooks.h"
#include "profile/SystemFontText.h"
#include "runtime/Application.h"
#include "runtime/Displayable.h"
#include "runtime/Log.h"
#include "runtime/MIDlet.h"
#include "runtime/ObjectManager.h"
#include "runtime/Runnable.h"
#include "runtime/System.h"

namespace profile {

std::uint8_t hideInputPanelPending = 1;
std::uint8_t unattended = 0;

namespace {

Host* currentHost = nullptr;

// The back buffer's format: red, green and blue bit counts as three decimal digits.
constexpr jint kBackBufferFormat = 565;
constexpr jint kBackBufferDepth = 16;

// Room left on the desktop for the window's frame and the desktop's own bars.
constexpr jint kDesktopMargin = 64;

// Key-ups that send the game window to the background.
constexpr std::uint32_t kIconifyKeys[] = {platform::kVkLeftWindows, platform::kVkHome, platform::kVkF4,
                                          platform::kVkEscape};

// Every event but the keys, which the key-message queue hands out.
constexpr Uint32 kNonKeyEvents = SDL_ALLEVENTS & ~static_cast<Uint32>(SDL_KEYDOWNMASK | SDL_KEYUPMASK);

// A game window handle for video drivers without window-manager information (the dummy
// driver of tests): the foreground test then still has a window to compare with.
constexpr platform::WindowHandle kHeadlessGameWindow = 1;

// Profile key codes of the handset's keys.
constexpr jint kUpKeyCode = -1;
constexpr jint kDownKeyCode = -2;
constexpr jint kLeftKeyCode = -3;
constexpr jint kRightKeyCode = -4;
constexpr jint kFireKeyCode = -5;
constexpr jint kLeftSoftKeyCode = -6;
constexpr jint kRightSoftKeyCode = -7;

struct KeyMapping {
    std::uint32_t virtualKey;
    jint keyCode;
};

// The keys whose profile code differs from their virtual-key code.
constexpr KeyMapping kKeyMap[] = {
    {platform::kVkReturn, kFireKeyCode},
    {platform::kVkLeft, kLeftKeyCode},
    {platform::kVkUp, kUpKeyCode},
    {platform::kVkRight, kRightKeyCode},
    {platform::kVkDown, kDownKeyCode},
    {platform::kVkNumpad0 + 0, '0'},
    {platform::kVkNumpad0 + 1, '1'},
    {platform::kVkNumpad0 + 2, '2'},
    {platform::kVkNumpad0 + 3, '3'},
    {platform::kVkNumpad0 + 4, '4'},
    {platform::kVkNumpad0 + 5, '5'},
    {platform::kVkNumpad0 + 6, '6'},
    {platform::kVkNumpad0 + 7, '7'},
    {platform::kVkNumpad0 + 8, '8'},
    {platform::kVkNumpad0 + 9, '9'},
    {platform::kVkF1, kLeftSoftKeyCode},
    {platform::kVkF2, kRightSoftKeyCode},
    {platform::kVkF8, '*'},
    {platform::kVkF9, '#'},
};

constexpr char kHudBegin[] = "\n---------------------------------------------------------showNativeHUD:Begin";
constexpr char kHudEnd[] = "\n---------------------------------------------------------showNativeHUD:End";

// A surface of the given "RGB bits" format, with width and height made even.
SDL_Surface* createSurface(const jint format, jint width, jint height, const jint depth) {
    width += width & 1;
    height += height & 1;
    const jint redBits = format / 100;
    const jint greenBits = format / 10 % 10;
    const jint blueBits = format % 10;
    const Uint32 blueMask = (1u << blueBits) - 1;
    const Uint32 greenMask = ((1u << greenBits) - 1) << blueBits;
    const Uint32 redMask = ((1u << redBits) - 1) << (greenBits + blueBits);
    return SDL_CreateRGBSurface(SDL_SWSURFACE, width, height, depth, redMask, greenMask, blueMask, 0);
}

void showShellWindow(const char* className, const int command) {
    platform::ShellWindows& shell = platform::shellWindows();
    if (const platform::WindowHandle window = shell.find(className); window != 0) {
        shell.show(window, command);
    }
}

void iconifyWindow() {
    SDL_WM_IconifyWindow();
}

// The task bar comes back when the game leaves.
void restoreTaskBar() {
    showShellWindow(platform::kTaskBarClass, platform::kShowWindowHide);
    showShellWindow(platform::kTaskBarClass, platform::kShowWindowShow);
}

} // namespace

Host::Host() {
    currentHost = this;
    runtime::System::setClock([] { return static_cast<runtime::jlong>(platform::clock().ticks()); });
    previousGameEnd = setGameEndHook([this] { handleQuit(); });
}

Host::~Host() {
    if (currentHost == this) {
        currentHost = nullptr;
        runtime::System::setClock(nullptr);
    }
    setGameEndHook(std::move(previousGameEnd));
}

Host* Host::getInstance() {
    return currentHost;
}

bool Host::init() {
    // The window manager groups the game's windows under the handset's window class.
    setenv("SDL_VIDEO_X11_WMCLASS", kWindowClass, 0);
    if (SDL_Init(SDL_INIT_VIDEO | SDL_INIT_NOPARACHUTE) != 0) {
        runtime::log("SDL_Init failed: %s", SDL_GetError());
        return false;
    }

    // What the runtime reaches of the profile: the screen's Graphics and Image, resources (the
    // static set-up reads the constant pool through them), the midlet's properties, system fonts.
    installScreenHooks();
    installResourceOpener();
    installAppProperties();
    installSystemFontText();
    application = new runtime::Application();
    runtime::Application::setInstance(application);
    if (!application->init()) {
        runtime::log("Application::init failed");
        return false;
    }

    backBuffer = createSurface(kBackBufferFormat, kScreenWidth, kScreenHeight, kBackBufferDepth);
    if (backBuffer == nullptr) {
        runtime::log("back buffer creation failed: %s", SDL_GetError());
        return false;
    }
    // The screen image draws straight into the back buffer's memory, which stays SDL's.
    ScreenImage* screenImage = runtime::newObject<ScreenImage>();
    screenImage->initExternal(kScreenWidth, kScreenHeight, backBuffer->pixels);

    const SDL_VideoInfo* desktop = SDL_GetVideoInfo();
    jint windowWidth = kScreenWidth;
    jint windowHeight = kScreenHeight;
    chooseWindowSize(desktop != nullptr ? desktop->current_w : 0, desktop != nullptr ? desktop->current_h : 0,
                     windowWidth, windowHeight);
    if (requestedWidth > 0 && requestedHeight > 0) {
        windowWidth = requestedWidth;
        windowHeight = requestedHeight;
    }
    screenSurface = SDL_SetVideoMode(windowWidth, windowHeight, kBackBufferDepth, videoFlags);
    if (screenSurface == nullptr) {
        runtime::log("SDL_SetVideoMode failed: %s", SDL_GetError());
        return false;
    }
    SDL_WM_SetCaption(kWindowTitle, "");

    SDL_SysWMinfo info;
    SDL_VERSION(&info.version);
    gameWindow = kHeadlessGameWindow;
#if defined(SDL_VIDEO_DRIVER_X11)
    if (SDL_GetWMInfo(&info) == 1 && info.subsystem == SDL_SYSWM_X11 && info.info.x11.window != 0) {
        gameWindow = static_cast<platform::WindowHandle>(info.info.x11.window);
    }
#endif
    platform::windows().setGameWindow(gameWindow);

    application->createScreenGraphics(screenImage);
    application->startApp();
    return true;
}

void Host::run() {
    while (hostRunning) {
        pumpEvents(5);
        if (!hostRunning || application == nullptr) {
            break;
        }
        // The canvas's run returns only when the game ends. Without anything runnable the host
        // keeps pumping.
        runtime::Object* runnable = application->currentDisplayable;
        if (!runtime::instanceOf(runnable, runtime::kRunnable)) {
            runnable = application->m_midlet;
        }
        if (runtime::instanceOf(runnable, runtime::kRunnable)) {
            auto* view =
                static_cast<runtime::java_lang_Runnable*>(runnable->getInterface(runtime::kRunnable));
            if (view != nullptr) {
                view->run();
            }
        }
    }
    hostRunning = 0;
    closeApplication();
    iconifyWindow();
    restoreTaskBar();
}

void Host::shutdown() {
    if (screenSurface != nullptr) {
        SDL_FreeSurface(screenSurface);
        screenSurface = nullptr;
    }
    if (backBuffer != nullptr) {
        SDL_FreeSurface(backBuffer);
        backBuffer = nullptr;
    }
    exitProcess(0);
}

void Host::quit() {
    if (currentHost != nullptr) {
        currentHost->hostRunning = 0;
    }
}

runtime::javax_microedition_lcdui_Displayable* Host::displayable() const {
    return application != nullptr ? application->currentDisplayable : nullptr;
}

void Host::hideInputPanel() {
    showShellWindow(platform::kInputPanelClass, platform::kShowWindowHide);
    showShellWindow(platform::kInputPanelButtonClass, platform::kShowWindowHide);
}

void Host::pumpEvents(const jint delay) {
    const std::uint32_t milliseconds = delay > 0 ? static_cast<std::uint32_t>(delay) : 0;
    checkPowerState();
    if (displayable() != nullptr && hideInputPanelPending) {
        hideInputPanel();
        hideInputPanelPending = 0;
    }

    KeyRecord key;
    peekKeyMessage(key);
    if (key.kind != kKeyNothing) {
        if (key.kind == kKeyUp) {
            for (const std::uint32_t iconifyKey : kIconifyKeys) {
                if (static_cast<std::uint32_t>(key.raw) == iconifyKey) {
                    iconifyWindow();
                }
            }
        }
        platform::clock().delay(milliseconds);
        return;
    }

    SDL_PumpEvents();
    SDL_Event event;
    while (SDL_PeepEvents(&event, 1, SDL_GETEVENT, kNonKeyEvents) == 1) {
        switch (event.type) {
        case SDL_ACTIVEEVENT: {
            // Only the window's own focus counts: the mouse leaving the window is no interruption
            // (the handset had no pointer to leave it).
            if ((event.active.state & (SDL_APPINPUTFOCUS | SDL_APPACTIVE)) == 0) {
                break;
            }
            bool endPass = false;
            handleFocus(event.active.gain != 0, endPass);
            if (endPass) {
                return;
            }
            break;
        }
        case SDL_MOUSEMOTION:
            handlePointer(SDL_MOUSEMOTION, event.motion.x, event.motion.y, false);
            break;
        case SDL_MOUSEBUTTONDOWN:
        case SDL_MOUSEBUTTONUP:
            // The wheel's clicks are no touches.
            if (event.button.button == SDL_BUTTON_WHEELUP || event.button.button == SDL_BUTTON_WHEELDOWN) {
                break;
            }
            if (event.button.state == SDL_PRESSED || event.button.state == SDL_RELEASED) {
                handlePointer(event.type, event.button.x, event.button.y, event.button.state == SDL_PRESSED);
            }
            break;
        case SDL_QUIT:
            handleQuit();
            return;
        case SDL_VIDEOEXPOSE:
        case platform::kDisplayChangeEvent:
            displayOrientation = platform::displayOrientation().query();
            if (event.type == platform::kDisplayChangeEvent) {
                runtime::log("display orientation %d\n", displayOrientation);
            }
            break;
        default:
            break;
        }
    }
    platform::clock().delay(milliseconds);
}

void Host::handleFocus(const bool gained, bool& endPass) {
    runtime::javax_microedition_lcdui_Displayable* shown = displayable();
    if (gained) {
        windowActive = 1;
        if (shown != nullptr) {
            shown->showNotify();
            hideInputPanel();
        }
        return;
    }
    // The first focus loss after start is the system settling, not the user leaving.
    if (ignoreNextFocusLoss) {
        ignoreNextFocusLoss = 0;
        windowActive = 1;
        endPass = true;
        return;
    }
    windowActive = 0;
    if (shown != nullptr) {
        showShellWindow(platform::kInputPanelButtonClass, platform::kShowWindowShow);
        shown->hideNotify();
        showNativeHUD(1);
    }
}

void Host::handlePointer(const int type, jint x, jint y, const bool pressed) {
    // A window scaled down for a small desktop still reports the game's coordinates.
    if (screenSurface != nullptr && backBuffer != nullptr && screenSurface->w != 0 && screenSurface->h != 0 &&
        (screenSurface->w != kScreenWidth || screenSurface->h != kScreenHeight)) {
        x = x * kScreenWidth / screenSurface->w;
        y = y * kScreenHeight / screenSurface->h;
    }
    rotatePoint(displayOrientation, x, y);
    runtime::javax_microedition_lcdui_Displayable* target = displayable();
    if (target == nullptr) {
        return;
    }
    if (type == SDL_MOUSEMOTION) {
        target->pointerDragged(x, y);
    } else if (pressed) {
        target->pointerPressed(x, y);
    } else {
        target->pointerReleased(x, y);
    }
}

void Host::handleQuit() {
    hostRunning = 0;
    closeApplication();
    iconifyWindow();
    restoreTaskBar();
    exitProcess(0);
}

void Host::closeApplication() {
    if (application == nullptr) {
        return;
    }
    application->close();
    if (runtime::Application::getInstance() == application) {
        runtime::Application::setInstance(nullptr);
    }
    delete application;
    application = nullptr;
}

void Host::setExitHandler(ExitHandler handler) {
    exitHandler = std::move(handler);
}

void Host::exitProcess(const int code) {
    if (exitHandler) {
        exitHandler(code);
        return;
    }
    SDL_Quit();
    std::exit(code);
}

jint Host::peekKeyMessage(KeyRecord& record) {
    record = KeyRecord{};
    platform::KeyMessageQueue& queue = platform::keyMessages();
    platform::KeyMessage message;
    if (!queue.peek(message)) {
        return kNoKey;
    }
    switch (message.message) {
    case platform::kKeyDownMessage:
    case platform::kKeyUpMessage: {
        const bool down = message.message == platform::kKeyDownMessage;
        record.raw = static_cast<jint>(message.virtualKey);
        record.mapped = mapKey(record.raw);
        record.kind = down ? kKeyDown : kKeyUp;
        // Removed before the dispatch, so a pump inside the game's key handling sees the next one.
        queue.remove();
        if (application != nullptr) {
            if (down) {
                application->keyPressed(record.mapped);
            } else {
                application->keyReleased(record.mapped);
            }
        }
        return record.mapped;
    }
    case platform::kCharMessage:
        queue.remove();
        return kNoKey;
    default:
        return kNoKey;
    }
}

jint Host::mapKey(const jint virtualKey) {
    for (const KeyMapping& mapping : kKeyMap) {
        if (static_cast<jint>(mapping.virtualKey) == virtualKey) {
            return mapping.keyCode;
        }
    }
    // Letters, and every key the table does not name, keep their code.
    return virtualKey;
}

void Host::rotatePoint(const jint orientation, jint& x, jint& y) {
    const jint originalX = x;
    const jint originalY = y;
    if (orientation == platform::kOrientation270) {
        x = kScreenWidth - originalY;
        y = originalX;
    } else if (orientation == platform::kOrientation90) {
        x = originalY;
        y = kScreenHeight - originalX;
    }
}

void Host::chooseWindowSize(const jint desktopWidth, const jint desktopHeight, jint& width, jint& height) {
    width = kScreenWidth;
    height = kScreenHeight;
    const jint roomWidth = desktopWidth;
    const jint roomHeight = desktopHeight - kDesktopMargin;
    if (desktopWidth <= 0 || desktopHeight <= 0 || (roomWidth >= width && roomHeight >= height)) {
        return;
    }
    // Keep the game's shape: the smaller of the two scales decides.
    if (static_cast<std::int64_t>(roomHeight) * kScreenWidth <=
        static_cast<std::int64_t>(roomWidth) * kScreenHeight) {
        height = roomHeight;
        width = roomHeight * kScreenWidth / kScreenHeight;
    } else {
        width = roomWidth;
        height = roomWidth * kScreenHeight / kScreenWidth;
    }
    width = width < 2 ? 2 : width & ~1;
    height = height < 2 ? 2 : height & ~1;
}

void Host::scalePixels(const std::uint16_t* source, const jint sourceWidth, const jint sourceHeight,
                       const jint sourcePitch, std::uint16_t* destination, const jint destinationWidth,
                       const jint destinationHeight, const jint destinationPitch) {
    if (sourceWidth <= 0 || sourceHeight <= 0 || destinationWidth <= 0 || destinationHeight <= 0) {
        return;
    }
    // Per axis, one entry per destination pixel (and one more): the 16.16 position's fraction
    // in the low half and, in the high half, how many source pixels the next one lies further on.
    const auto buildSteps = [](const jint sourceSize, const jint destinationSize) {
        std::vector<std::uint32_t> steps(static_cast<std::size_t>(destinationSize) + 1);
        const std::uint32_t step = static_cast<std::uint32_t>(sourceSize) * 65536u / destinationSize;
        std::uint32_t position = 0;
        for (std::uint32_t& entry : steps) {
            const std::uint32_t next = position + step;
            entry = (position & 0xFFFF) | (((next >> 16) - (position >> 16)) << 16);
            position = next;
        }
        return steps;
    };
    const std::vector<std::uint32_t> columnSteps = buildSteps(sourceWidth, destinationWidth);
    const std::vector<std::uint32_t> rowSteps = buildSteps(sourceHeight, destinationHeight);

    const auto* sourceRow = reinterpret_cast<const std::uint8_t*>(source);
    auto* destinationRow = reinterpret_cast<std::uint8_t*>(destination);
    for (jint y = 0; y < destinationHeight; ++y) {
        const auto* from = reinterpret_cast<const std::uint16_t*>(sourceRow);
        auto* to = reinterpret_cast<std::uint16_t*>(destinationRow);
        for (jint x = 0; x < destinationWidth; ++x) {
            to[x] = *from;
            from += columnSteps[x] >> 16;
        }
        sourceRow += static_cast<std::ptrdiff_t>(rowSteps[y] >> 16) * sourcePitch;
        destinationRow += destinationPitch;
    }
}

void Host::scaleBlit(SDL_Surface* source, SDL_Surface* destination) {
    if (source == nullptr || destination == nullptr || source->format->BytesPerPixel != 2 ||
        destination->format->BytesPerPixel != 2) {
        return;
    }
    if (SDL_LockSurface(source) != 0) {
        return;
    }
    if (SDL_LockSurface(destination) != 0) {
        SDL_UnlockSurface(source);
        return;
    }
    scalePixels(static_cast<const std::uint16_t*>(source->pixels), source->w, source->h, source->pitch,
                static_cast<std::uint16_t*>(destination->pixels), destination->w, destination->h,
                destination->pitch);
    SDL_SetAlpha(destination, SDL_SRCALPHA, 255);
    SDL_UnlockSurface(destination);
    SDL_UnlockSurface(source);
}

void Host::presentFrame() {
    if (application == nullptr || backBuffer == nullptr || screenSurface == nullptr) {
        return;
    }
    application->paintFrame();
    SDL_Rect sourceRect = {0, 0, static_cast<Uint16>(backBuffer->w), static_cast<Uint16>(backBuffer->h)};
    SDL_Rect destinationRect = {0, 0, static_cast<Uint16>(screenSurface->w),
                                static_cast<Uint16>(screenSurface->h)};
    if (sourceRect.w == destinationRect.w && sourceRect.h == destinationRect.h) {
        SDL_UpperBlit(backBuffer, &sourceRect, screenSurface, &destinationRect);
    } else {
        scaleBlit(backBuffer, screenSurface);
    }
    if (windowActive) {
        platform::WindowSystem& windows = platform::windows();
        if (windows.foregroundWindow() != gameWindow && gameWindow != 0) {
            // Another window covers the game: paint, but keep it paused and the task bar up.
            windows.invalidateAll();
            if (runtime::javax_microedition_lcdui_Displayable* shown = displayable()) {
                shown->hideNotify();
            }
            showNativeHUD(1);
        } else {
            SDL_Flip(screenSurface);
        }
    }
    ++framesPresented;
    if (frameLimit != 0 && framesPresented == frameLimit) {
        SDL_Event quitEvent = {};
        quitEvent.type = SDL_QUIT;
        SDL_PushEvent(&quitEvent);
    }
}

void Host::checkPowerState() {
    std::uint32_t flags = 0;
    if (!platform::powerState().systemPowerState(flags)) {
        return;
    }
    runtime::javax_microedition_lcdui_Displayable* shown = displayable();
    const bool unattendedNow = (flags & platform::kPowerStateUnattended) != 0;
    if (unattendedNow && !unattended) {
        if (shown != nullptr && windowActive) {
            shown->hideNotify();
            showNativeHUD(1);
        }
        unattended = 1;
    } else if (!unattendedNow && unattended) {
        if (shown != nullptr && windowActive) {
            showNativeHUD(0);
            shown->showNotify();
        }
        unattended = 0;
    }
}

void Host::showNativeHUD(const jint show) {
    runtime::log("%s", kHudBegin);
    showShellWindow(platform::kTaskBarClass,
                    show != 0 ? platform::kShowWindowShow : platform::kShowWindowHide);
    runtime::log("%s", kHudEnd);
}

} // namespace profile
