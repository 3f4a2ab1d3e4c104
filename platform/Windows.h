// The game window among the system's windows: one running copy, the foreground window and
// repainting.
//
// The handset found a running copy by its window title. Here a running copy holds a lock on a
// file in the game folder; a second copy finds the lock held and leaves. A copy that cannot take
// the lock at all does not run either: two copies could write the same saved games.
#pragma once

#include <cstdint>
#include <string>

namespace platform {

using WindowHandle = std::uintptr_t;

// What claiming the one running copy found.
enum class InstanceClaim {
    Claimed,          // this is the one running copy
    OtherCopyRunning, // another copy holds the claim
    Unavailable       // the claim cannot be had, so no copy may know it runs alone
};

class WindowSystem {
public:
    virtual ~WindowSystem() = default;
    // Claims the one running copy, keyed by folder. When it is Unavailable, problem says why, in
    // words for a person.
    virtual InstanceClaim claimSingleInstance(const std::string& folder, std::string& problem) = 0;
    // Gives the claim up (at exit it goes by itself).
    virtual void releaseSingleInstance() = 0;
    // Asks the running copy's window to come to the front.
    virtual void bringRunningCopyToFront() = 0;
    // The window that has the user's attention.
    virtual WindowHandle foregroundWindow() = 0;
    // Asks every window to repaint.
    virtual void invalidateAll() = 0;

    // The game's own window, once the video mode is open.
    void setGameWindow(const WindowHandle handle) { gameWindow = handle; }
    WindowHandle getGameWindow() const { return gameWindow; }

protected:
    WindowHandle gameWindow = 0;
};

// The lock file that marks a running copy.
inline constexpr char kInstanceLockName[] = "Tarnwick.lock";

// flock on the lock file, in the folder (created with the folders above it when missing); the
// foreground is always the game window (focus changes reach the game as SDL events); repainting is
// SDL's business.
class SystemWindows final : public WindowSystem {
public:
    ~SystemWindows() override;
    InstanceClaim claimSingleInstance(const std::string& folder, std::string& problem) override;
    void releaseSingleInstance() override;
    void bringRunningCopyToFront() override;
    WindowHandle foregroundWindow() override { return gameWindow; }
    void invalidateAll() override {}

private:
    int lockDescriptor = -1;
};

class ScriptedWindows final : public WindowSystem {
public:
    InstanceClaim claimSingleInstance(const std::string& folder, std::string& problem) override;
    void releaseSingleInstance() override { claimed = false; }
    void bringRunningCopyToFront() override { ++frontRequests; }
    WindowHandle foregroundWindow() override { return otherWindowInFront ? otherWindow : gameWindow; }
    void invalidateAll() override { ++invalidations; }

    bool otherCopyRunning = false;
    bool lockUnavailable = false;
    bool otherWindowInFront = false;
    WindowHandle otherWindow = 0x5EED;
    bool claimed = false;
    std::string claimedFolder;
    int frontRequests = 0;
    int invalidations = 0;
};

WindowSystem& windows();
WindowSystem* installWindows(WindowSystem* replacement);

} // namespace platform
