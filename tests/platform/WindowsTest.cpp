// One running copy: a lock file in the game folder.
#include "platform/Windows.h"

#include <gtest/gtest.h>
#include <stdlib.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "platform/DisplayOrientation.h"
#include "platform/PowerState.h"
#include "platform/Service.h"
#include "platform/ShellWindows.h"

namespace platform {
namespace {

class InstanceLockTest : public ::testing::Test {
protected:
    void SetUp() override {
        char pattern[] = "/tmp/tarnwick-lock-XXXXXX";
        ASSERT_NE(mkdtemp(pattern), nullptr);
        folder = pattern;
    }
    void TearDown() override { std::filesystem::remove_all(folder); }
    std::string folder;
};

TEST_F(InstanceLockTest, ASecondCopyFindsTheLockHeldUntilTheFirstLetsGo) {
    SystemWindows first;
    SystemWindows second;
    std::string problem;
    EXPECT_EQ(first.claimSingleInstance(folder, problem), InstanceClaim::Claimed);
    EXPECT_TRUE(std::filesystem::exists(folder + "/" + kInstanceLockName));
    EXPECT_EQ(second.claimSingleInstance(folder, problem), InstanceClaim::OtherCopyRunning);
    first.releaseSingleInstance();
    EXPECT_EQ(second.claimSingleInstance(folder, problem), InstanceClaim::Claimed);
    EXPECT_TRUE(problem.empty());
}

TEST_F(InstanceLockTest, AMissingGameFolderIsMadeForTheLock) {
    SystemWindows windows;
    std::string problem;
    EXPECT_EQ(windows.claimSingleInstance(folder + "/Brenvale/Tarnwick", problem), InstanceClaim::Claimed)
        << problem;
    EXPECT_TRUE(std::filesystem::exists(folder + "/Brenvale/Tarnwick/" + kInstanceLockName));
    SystemWindows second;
    EXPECT_EQ(second.claimSingleInstance(folder + "/Brenvale/Tarnwick", problem),
              InstanceClaim::OtherCopyRunning);
}

// Without the lock no copy can know it runs alone: the claim is unavailable, never granted.
TEST_F(InstanceLockTest, ALockThatCannotBeHadIsUnavailableAndSaysWhy) {
    struct Case {
        const char* name;
        const char* blocker;  // a file made at this place below the folder
        const char* lockedIn; // the folder the claim is for, below the folder
        bool blockerIsFolder;
    };
    const Case cases[] = {
        {"a folder in the lock file's place", "Tarnwick.lock", "", true},
        {"a file in the game folder's place", "Brenvale", "Brenvale/Tarnwick", false},
    };
    for (const Case& c : cases) {
        std::filesystem::remove_all(folder);
        std::filesystem::create_directories(folder);
        const std::filesystem::path blocker = std::filesystem::path(folder) / c.blocker;
        if (c.blockerIsFolder) {
            std::filesystem::create_directories(blocker);
        } else {
            std::ofstream(blocker) << "x";
        }
        SystemWindows windows;
        std::string problem;
        const std::string lockFolder = std::string(c.lockedIn).empty() ? folder : folder + "/" + c.lockedIn;
        EXPECT_EQ(windows.claimSingleInstance(lockFolder, problem), InstanceClaim::Unavailable) << c.name;
        EXPECT_NE(problem.find(lockFolder + "/Tarnwick.lock"), std::string::npos) << problem;
    }
}

TEST(ScriptedWindowsTest, TheScriptDecidesTheClaim) {
    ScriptedWindows windows;
    std::string problem;
    EXPECT_EQ(windows.claimSingleInstance("/games", problem), InstanceClaim::Claimed);
    EXPECT_TRUE(windows.claimed);
    windows.otherCopyRunning = true;
    EXPECT_EQ(windows.claimSingleInstance("/games", problem), InstanceClaim::OtherCopyRunning);
    windows.lockUnavailable = true;
    EXPECT_EQ(windows.claimSingleInstance("/games", problem), InstanceClaim::Unavailable);
    EXPECT_FALSE(problem.empty());
}

TEST(SystemServicesTest, ADesktopIsOnUnrotatedWithoutShellWindowsAndTheGameInFront) {
    std::uint32_t flags = 0;
    EXPECT_TRUE(SystemPowerState().systemPowerState(flags));
    EXPECT_EQ(flags & kPowerStateUnattended, 0u);
    EXPECT_EQ(SystemDisplayOrientation().query(), kOrientationNone);
    SystemShellWindows shell;
    for (const char* className : {kInputPanelClass, kInputPanelButtonClass, kTaskBarClass}) {
        EXPECT_EQ(shell.find(className), 0u);
    }
    SystemWindows windows;
    windows.setGameWindow(77);
    EXPECT_EQ(windows.foregroundWindow(), 77u);
}

TEST(ScriptedServicesTest, ScopedDoublesReplaceTheSystemsServices) {
    ScriptedPowerState power;
    power.flags = kPowerStateUnattended;
    ScriptedShellWindows shell;
    {
        ScopedService<PowerState> powerScope(&installPowerState, power);
        ScopedService<ShellWindows> shellScope(&installShellWindows, shell);
        std::uint32_t flags = 0;
        EXPECT_TRUE(powerState().systemPowerState(flags));
        EXPECT_EQ(flags, kPowerStateUnattended);
        shellWindows().show(shellWindows().find(kTaskBarClass), kShowWindowHide);
        shellWindows().show(shellWindows().find("NoSuchClass"), kShowWindowShow);
    }
    ASSERT_EQ(shell.shows.size(), 1u);
    EXPECT_EQ(shell.shows[0].first, kTaskBarClass);
    EXPECT_EQ(shell.shows[0].second, kShowWindowHide);
    std::uint32_t flags = 0;
    powerState().systemPowerState(flags);
    EXPECT_EQ(flags, kPowerStateOn);
}

} // namespace
} // namespace platform
