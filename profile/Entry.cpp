// The entry's checks before the host starts.
#include "profile/Entry.h"

#include <cstdio>
#include <new>

#include "platform/Files.h"
#include "platform/MemoryStatus.h"
#include "platform/MessageBox.h"
#include "platform/UiLanguage.h"
#include "platform/Windows.h"
#include "profile/GamePaths.h"
#include "profile/Messages.h"

namespace profile {

namespace {

[[noreturn]] void outOfStore() {
    std::fputs("ERROR: Operator new failed: out of store.\n", stdout);
    std::fflush(stdout);
    // The failure is raised once; a handler left in place would be asked again and again.
    std::set_new_handler(nullptr);
    throw std::bad_alloc();
}

} // namespace

void installOutOfStoreHandler() {
    std::set_new_handler(&outOfStore);
}

bool passStartChecks(const std::string& gameFolder) {
    platform::WindowSystem& windows = platform::windows();
    if (!windows.claimSingleInstance(gameFolder)) {
        windows.bringRunningCopyToFront();
        return false;
    }
    selectMessageLanguage(platform::uiLanguage().userDefaultUiLanguage() & platform::kPrimaryLanguageMask);
    if (platform::memoryStatus().availablePhysical() < kMinimumAvailableMemory) {
        platform::messageBox().show(getLocalizedMessage(kMessageLowMemory), kMessageBoxCaption,
                                    platform::kMessageBoxIconExclamation);
        return false;
    }
    return true;
}

std::string localGameFolder() {
    return platform::toPosixPath(platform::programsFolder() + kGameFolderPath);
}

} // namespace profile
