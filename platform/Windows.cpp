// The single running copy as a lock file, and the scripted windows of tests.
#include "platform/Windows.h"

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <filesystem>

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

InstanceClaim SystemWindows::claimSingleInstance(const std::string& folder, std::string& problem) {
    releaseSingleInstance();
    // A first start, before anything was saved: the game folder is made here.
    std::error_code ignored;
    std::filesystem::create_directories(folder, ignored);
    const std::string path = folder + "/" + kInstanceLockName;
    const int descriptor = ::open(path.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0666);
    if (descriptor < 0) {
        problem = "the lock file " + path + " cannot be created: " + std::strerror(errno);
        return InstanceClaim::Unavailable;
    }
    if (::flock(descriptor, LOCK_EX | LOCK_NB) != 0) {
        const int error = errno;
        ::close(descriptor);
        if (error == EWOULDBLOCK) {
            return InstanceClaim::OtherCopyRunning;
        }
        problem = "the lock file " + path + " cannot be locked: " + std::strerror(error);
        return InstanceClaim::Unavailable;
    }
    lockDescriptor = descriptor;
    return InstanceClaim::Claimed;
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

InstanceClaim ScriptedWindows::claimSingleInstance(const std::string& folder, std::string& problem) {
    claimedFolder = folder;
    if (lockUnavailable) {
        problem = "the scripted lock cannot be had";
        return InstanceClaim::Unavailable;
    }
    if (otherCopyRunning) {
        return InstanceClaim::OtherCopyRunning;
    }
    claimed = true;
    return InstanceClaim::Claimed;
}

WindowSystem& windows() {
    return slot().get();
}

WindowSystem* installWindows(WindowSystem* const replacement) {
    return slot().install(replacement);
}

} // namespace platform
