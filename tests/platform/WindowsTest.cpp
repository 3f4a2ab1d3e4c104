// One running copy: a lock file in the game folder.
#include "platform/Windows.h"

#include <gtest/gtest.h>
#include <stdlib.h>
#include <unistd.h>

#include <filesystem>
#include <string>

#include "platform/DisplayOrientation.h"
#include "platform/PowerState.h"
#include "platform/Service.h"
#include "platform/ShellWindows.h"
#include "runtime/Log.h"

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
    EXPECT_TRUE(first.claimSingleInstance(folder));
    EXPECT_TRUE(std::filesystem::exists(folder + "/" + kInstanceLockName));
    EXPECT_FALSE(second.claimSingleInstance(folder));
    first.releaseSingleInstance();
    EXPECT_TRUE(second.claimSingleInstance(folder));
}

TEST_F(InstanceLockTest, AFolderWithoutRoomForTheLockDoesNotStopTheGame) {
    std::vector<std::string> lines;
    const runtime::LogSink previous =
        runtime::setLogSink([&](const std::string& line) { lines.push_back(line); });
    SystemWindows windows;
    EXPECT_TRUE(windows.claimSingleInstance(folder + "/missing"));
    runtime::setLogSink(previous);
    ASSERT_EQ(lines.size(), 1u);
    EXPECT_NE(lines[0].find("missing/Tarnwick.lock"), std::string::npos);
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
