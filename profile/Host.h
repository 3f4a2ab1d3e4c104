// The host shell: the native layer between the system (SDL and the handset's services) and the
// translated program. It opens the 480x800 16-bit screen, creates the Application, pumps key,
// touch, focus, power and orientation events into the current displayable, presents each
// painted frame and shuts everything down in a fixed order.
//
// The game and the runtime share one thread with it: the host pumps events whenever the game
// sleeps (Thread::sleep, Thread::yield), and the game's canvas calls repaint once per frame.
#pragma once

#include <cstdint>
#include <functional>

#include "platform/Windows.h"
#include "runtime/JavaTypes.h"

struct SDL_Surface;

namespace runtime {
class Application;
struct javax_microedition_lcdui_Displayable;
} // namespace runtime

namespace profile {

using runtime::jint;

inline constexpr jint kScreenWidth = 480;
inline constexpr jint kScreenHeight = 800;
inline constexpr char kWindowTitle[] = "Brenvale - Tarnwick";
inline constexpr char kWindowClass[] = "BrenvaleGame";

// Kinds of the key record.
inline constexpr jint kKeyDown = 0;
inline constexpr jint kKeyUp = 1;
inline constexpr jint kKeyNothing = 4;
// Mapped code meaning "no key message was consumed".
inline constexpr jint kNoKey = 0xFFFFFF;

// What Host::peekKeyMessage found.
struct KeyRecord {
    jint raw = 0;         // virtual-key code
    jint mapped = kNoKey; // profile key code
    jint kind = kKeyNothing;
};

// Process-wide flags: the next pump hides the input panel; the system is unattended.
extern std::uint8_t hideInputPanelPending;
extern std::uint8_t unattended;

class Host {
public:
    // Registers the new host as the one getInstance returns, and makes its ending the one a
    // platform request that started the browser runs.
    Host();
    ~Host();
    Host(const Host&) = delete;
    Host& operator=(const Host&) = delete;

    static Host* getInstance();

    // SDL video, the Application, the back buffer and screen image, the video mode, the screen
    // Graphics and the started midlet. False (after logging which step failed) when SDL or
    // the heaps cannot be had; the program then exits with an error.
    bool init();
    // Pumps and runs the current displayable until hostRunning clears, then closes the
    // Application.
    void run();
    // Frees the surfaces and ends the process with code 0.
    void shutdown();
    // One pass of the event pump, waiting delay milliseconds at its end.
    void pumpEvents(jint delay);
    // Paints the current displayable and presents the frame.
    void repaint() { presentFrame(); }
    void presentFrame();
    // Ends the main loop (the midlet's destroy step calls it).
    static void quit();

    // Profile key code of a virtual-key code.
    static jint mapKey(jint virtualKey);
    // Turns a touch point on the display into the game's coordinates for an orientation.
    static void rotatePoint(jint orientation, jint& x, jint& y);
    // The window size for a desktop: 480x800, scaled down (keeping the shape) to fit a smaller
    // one. A desktop size of 0 means unknown.
    static void chooseWindowSize(jint desktopWidth, jint desktopHeight, jint& width, jint& height);
    // Nearest-neighbour copy of a 16-bit surface onto another of a different size.
    static void scaleBlit(SDL_Surface* source, SDL_Surface* destination);
    // The same over raw 16-bit pixels (pitches in bytes).
    static void scalePixels(const std::uint16_t* source, jint sourceWidth, jint sourceHeight,
                            jint sourcePitch, std::uint16_t* destination, jint destinationWidth,
                            jint destinationHeight, jint destinationPitch);

    // Logs around showing (non-zero) or hiding the task bar.
    static void showNativeHUD(jint show);

    // Key message of the window queue: dispatched and removed when it is a key message.
    jint peekKeyMessage(KeyRecord& record);
    void checkPowerState();
    // Closes and frees the Application (once; later calls do nothing).
    void closeApplication();

    // How the process ends (exit by default); tests record the code instead and go on.
    using ExitHandler = std::function<void(int code)>;
    void setExitHandler(ExitHandler handler);
    // Opens the window at this size instead of the one chosen for the desktop (before init).
    void setWindowSize(const jint width, const jint height) {
        requestedWidth = width;
        requestedHeight = height;
    }
    // After this many presented frames the host posts a quit event (0: no limit).
    void setFrameLimit(std::uint64_t frames) { frameLimit = frames; }

    runtime::Application* getApplication() const { return application; }
    SDL_Surface* getBackBuffer() const { return backBuffer; }
    SDL_Surface* getScreenSurface() const { return screenSurface; }
    std::uint64_t getFramesPresented() const { return framesPresented; }
    bool isRunning() const { return hostRunning != 0; }
    bool isWindowActive() const { return windowActive != 0; }
    bool ignoresNextFocusLoss() const { return ignoreNextFocusLoss != 0; }
    jint getDisplayOrientation() const { return displayOrientation; }
    platform::WindowHandle getGameWindow() const { return gameWindow; }

private:
    runtime::javax_microedition_lcdui_Displayable* displayable() const;
    void hideInputPanel();
    void handleFocus(bool gained, bool& endPass);
    void handlePointer(int type, jint windowX, jint windowY, bool pressed);
    // The game's end from inside a pump or a platform request: closes the Application, leaves
    // the desktop as it was and ends the process with code 0.
    void handleQuit();
    void exitProcess(int code);

    // SDL_HWSURFACE | SDL_ASYNCBLIT, windowed (a 480x800 full-screen mode is unlikely on a desktop).
    std::uint32_t videoFlags = 0x00000005;
    std::uint8_t windowActive = 1;
    std::uint8_t ignoreNextFocusLoss = 1;
    std::uint8_t hostRunning = 1;
    jint displayOrientation = 0;
    platform::WindowHandle gameWindow = 0;

    runtime::Application* application = nullptr;
    SDL_Surface* screenSurface = nullptr;
    SDL_Surface* backBuffer = nullptr;
    ExitHandler exitHandler;
    std::uint64_t framesPresented = 0;
    std::uint64_t frameLimit = 0;
    jint requestedWidth = 0;
    jint requestedHeight = 0;
    std::function<void()> previousGameEnd;
};

} // namespace profile
