// Starting programs from argument lists, and the browser request built on it.
#include "platform/ProcessLauncher.h"

#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <string>
#include <vector>

namespace platform {
namespace {

// Waits for the one child a test started and returns its exit status (-1 when it failed).
int waitForChild() {
    int status = 0;
    if (waitpid(-1, &status, 0) < 0 || !WIFEXITED(status)) {
        return -1;
    }
    return WEXITSTATUS(status);
}

TEST(ProcessLauncher, TheBrowserGetsTheAddressAsOneArgument) {
    ScriptedProcessLauncher launcher;
    ProcessLauncher* previous = installProcessLauncher(&launcher);
    const std::string url = "http://example.test/a b;$(reboot)&x='1'";
    EXPECT_TRUE(openInBrowser(url));
    launcher.result = false;
    EXPECT_FALSE(openInBrowser(""));
    EXPECT_EQ(installProcessLauncher(previous), &launcher);
    const std::vector<std::vector<std::string>> expected = {{"xdg-open", url}, {"xdg-open", ""}};
    EXPECT_EQ(launcher.started, expected);
}

TEST(ProcessLauncher, NullRestoresTheSpawningLauncher) {
    ScriptedProcessLauncher launcher;
    ProcessLauncher* previous = installProcessLauncher(&launcher);
    EXPECT_EQ(&processLauncher(), &launcher);
    installProcessLauncher(nullptr);
    EXPECT_NE(dynamic_cast<SpawnProcessLauncher*>(&processLauncher()), nullptr);
    installProcessLauncher(previous);
}

TEST(SpawnProcessLauncher, ReportsWhetherTheProgramStarted) {
    SpawnProcessLauncher launcher;
    EXPECT_FALSE(launcher.start({}));
    EXPECT_FALSE(launcher.start({""}));
    EXPECT_FALSE(launcher.start({"/nonexistent/tarnwick-no-such-program"}));
    ASSERT_TRUE(launcher.start({"true"}));
    EXPECT_EQ(waitForChild(), 0);
}

TEST(SpawnProcessLauncher, ArgumentsReachTheProgramWithoutAShell) {
    std::string directory = testing::TempDir() + "launcherXXXXXX";
    ASSERT_NE(mkdtemp(directory.data()), nullptr);
    const std::string name = directory + "/a;b $(echo c) *";
    SpawnProcessLauncher launcher;
    ASSERT_TRUE(launcher.start({"touch", name}));
    EXPECT_EQ(waitForChild(), 0);
    struct stat info {};
    EXPECT_EQ(stat(name.c_str(), &info), 0);
    unlink(name.c_str());
    rmdir(directory.c_str());
}

TEST(SpawnProcessLauncher, TheProgramInheritsNoOpenFiles) {
    const int file = open("/dev/null", O_RDONLY); // inheritable: no O_CLOEXEC
    ASSERT_GE(file, 3);
    const std::string check = "[ ! -e /proc/self/fd/" + std::to_string(file) + " ]";
    SpawnProcessLauncher launcher;
    ASSERT_TRUE(launcher.start({"sh", "-c", check}));
    EXPECT_EQ(waitForChild(), 0);
    close(file);
}

} // namespace
} // namespace platform
