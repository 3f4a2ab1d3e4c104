// The handset shell's own windows that the game hides and shows: the input panel
// ("SipWndClass"), its button ("MS_SIPBUTTON") and the task bar ("HHTaskBar").
#pragma once

#include <string>
#include <utility>
#include <vector>

#include "platform/Windows.h"

namespace platform {

inline constexpr char kInputPanelClass[] = "SipWndClass";
inline constexpr char kInputPanelButtonClass[] = "MS_SIPBUTTON";
inline constexpr char kTaskBarClass[] = "HHTaskBar";

// Commands of show().
inline constexpr int kShowWindowHide = 0;
inline constexpr int kShowWindowShow = 5;

class ShellWindows {
public:
    virtual ~ShellWindows() = default;
    // The shell window of that class, or 0 when there is none.
    virtual WindowHandle find(const std::string& className) = 0;
    virtual void show(WindowHandle window, int command) = 0;
};

// A desktop has none of these windows: nothing is found and nothing changes.
class SystemShellWindows final : public ShellWindows {
public:
    WindowHandle find(const std::string&) override { return 0; }
    void show(WindowHandle, int) override {}
};

// All three windows exist (unless a test says otherwise); every show is recorded by class name.
class ScriptedShellWindows final : public ShellWindows {
public:
    WindowHandle find(const std::string& className) override;
    void show(WindowHandle window, int command) override;

    bool present = true;
    std::vector<std::pair<std::string, int>> shows;
};

ShellWindows& shellWindows();
ShellWindows* installShellWindows(ShellWindows* replacement);

} // namespace platform
