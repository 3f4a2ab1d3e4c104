// The single running copy as a lock file, and the scripted windows of tests.
#include "platform/Windows.h"

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

#include "platform/Service.h"
#include "runtime/Log.h"

namespace platform {

namespace {
ServiceSlot<WindowSystem, SystemWindows>& slot() {
    static ServiceSlot<WindowSystem, SystemWindows> instance;
    return instance;
}
} // namespace

SystemWindows::~SystemWindows() {
    releaseSingleInstance();
}

bool SystemWindows::claimSingleInstance(const std::string& folder) {
    releaseSingleInstance();
    const std::string path = folder + "/" + kInstanceLockName;
    const int descriptor = ::open(path.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0644);
    if (descriptor < 0) {
        // Without the lock file the game still runs; only the guard against a second copy is lost.
        runtime::log("single-instance lock %s: %s", path.c_str(), std::strerror(errno));
        return true;
    }
    if (::flock(descriptor, LOCK_EX | LOCK_NB) != 0) {
        ::close(descriptor);
        return false;
    }
    lockDescriptor = descriptor;
    return true;
}

void SystemWindows::releaseSingleInstance() {
    if (lockDescriptor >= 0) {
        ::close(lockDescriptor);
        lockDescriptor = -1;
    }
}

void SystemWindows::bringRunningCopyToFront() {
    runtime::log("Tarnwick is already running");
}

bool ScriptedWindows::claimSingleInstance(const std::string& folder) {
    claimedFolder = folder;
    if (otherCopyRunning) {
        return false;
    }
    claimed = true;
    return true;
}

WindowSystem& windows() {
    return slot().get();
}

WindowSystem* installWindows(WindowSystem* const replacement) {
    return slot().install(replacement);
}

} // namespace platform
