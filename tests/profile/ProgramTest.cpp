// The program itself, started headless as a child process.
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <array>
#include <cstdio>
#include <filesystem>
#include <string>

#include "platform/Windows.h"
#include "tests/support/TemporaryRoot.h"
#include "tools/SampleData.h"

namespace {

namespace fs = std::filesystem;

// The program next to this test runner in the build tree.
fs::path programPath() {
    return fs::read_symlink("/proc/self/exe").parent_path().parent_path() / "app" / "Tarnwick";
}

struct Outcome {
    int exitCode = -1;
    std::string output;
};

// Runs the program in the programs folder that TARNWICK_ROOT names.
Outcome runProgram(const std::string& frameLimit) {
    const std::string command =
        "env SDL_VIDEODRIVER=dummy SDL_AUDIODRIVER=dummy TARNWICK_FRAME_LIMIT=" + frameLimit + " '" +
        programPath().string() + "' 2>&1";
    Outcome outcome;
    FILE* pipe = popen(command.c_str(), "r");
    if (pipe == nullptr) {
        return outcome;
    }
    std::array<char, 4096> buffer;
    while (const std::size_t n = std::fread(buffer.data(), 1, buffer.size(), pipe)) {
        outcome.output.append(buffer.data(), n);
    }
    const int status = pclose(pipe);
    outcome.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    return outcome;
}

class ProgramTest : public ::testing::Test {
protected:
    void SetUp() override {
        if (!fs::exists(programPath())) {
            GTEST_SKIP() << "the program is not built at " << programPath();
        }
        gameFolder = root.path() / "Brenvale" / "Tarnwick";
        fs::create_directories(gameFolder);
        // The game's start-up reads its constant pool out of the archive.
        root.write("Brenvale/Tarnwick/data.bar", tools::buildArchive(tools::sampleEntries()));
    }
    testing_support::TemporaryRoot root;
    fs::path gameFolder;
};

TEST_F(ProgramTest, RunsFramesWithoutAScreenAndEndsCleanly) {
    const tools::Bytes archive = tools::buildArchive(tools::sampleEntries());
    root.write("Brenvale/Tarnwick/data.bar", std::vector<unsigned char>(archive.begin(), archive.end()));
    const Outcome outcome = runProgram("3");
    EXPECT_EQ(outcome.exitCode, 0) << outcome.output;
    EXPECT_NE(outcome.output.find("Application::startApp"), std::string::npos) << outcome.output;
    // The game's midlet started its canvas (whose thread only says it cannot start).
    EXPECT_NE(outcome.output.find("WARNING: multithread not supported"), std::string::npos) << outcome.output;
    EXPECT_NE(outcome.output.find("Application::close"), std::string::npos) << outcome.output;
}

TEST_F(ProgramTest, ASecondCopyEndsAtOnce) {
    platform::SystemWindows firstCopy;
    ASSERT_TRUE(firstCopy.claimSingleInstance(gameFolder.string()));
    const Outcome outcome = runProgram("3");
    EXPECT_EQ(outcome.exitCode, 0) << outcome.output;
    EXPECT_NE(outcome.output.find("Tarnwick is already running"), std::string::npos) << outcome.output;
    EXPECT_EQ(outcome.output.find("Application::startApp"), std::string::npos) << outcome.output;
}

} // namespace
