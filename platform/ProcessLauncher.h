// Starting other programs, for the platform requests that open an address in the browser.
//
// Programs start from an argument list, never through a shell, so an address taken from game
// data cannot run commands. Tests install a scripted launcher in place of the system's one.
#pragma once

#include <string>
#include <vector>

namespace platform {

class ProcessLauncher {
public:
    virtual ~ProcessLauncher() = default;
    // Starts arguments[0] (looked up on PATH) with the whole list as its arguments; true when
    // the process started. It runs on its own: nobody waits for it.
    virtual bool start(const std::vector<std::string>& arguments) = 0;
};

// posix_spawn; the new process gets the standard streams but none of the caller's other files.
class SpawnProcessLauncher final : public ProcessLauncher {
public:
    bool start(const std::vector<std::string>& arguments) override;
};

// Records every argument list and answers with a scripted result.
class ScriptedProcessLauncher final : public ProcessLauncher {
public:
    bool start(const std::vector<std::string>& arguments) override;

    bool result = true;
    std::vector<std::vector<std::string>> started;
};

// The launcher in use (the spawning one unless a test installed another).
ProcessLauncher& processLauncher();
// Installs replacement (null restores the spawning launcher); returns the one installed before.
ProcessLauncher* installProcessLauncher(ProcessLauncher* replacement);

// Opens the address in the desktop's browser (xdg-open); true when the opener started.
bool openInBrowser(const std::string& url);

} // namespace platform
