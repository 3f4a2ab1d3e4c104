// The program itself, started headless as a child process.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>

#include <array>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

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

// A headless run: SDL's dummy drivers, no desktop.
constexpr char kHeadless[] = "-u DISPLAY -u WAYLAND_DISPLAY SDL_VIDEODRIVER=dummy SDL_AUDIODRIVER=dummy";
// A program that waits for ever ends the test instead (exit code 124), it does not hang it.
constexpr char kGuard[] = "timeout -k 10 300";

// Runs the program in the programs folder that TARNWICK_ROOT names, with the environment changes
// given (env's syntax). The output is standard output and standard error, or standard error only.
Outcome runProgram(const std::string& environment, const std::string& frameLimit,
                   const bool errorOnly = false) {
    const std::string command = std::string(kGuard) + " env " + environment +
                                " TARNWICK_FRAME_LIMIT=" + frameLimit + " '" + programPath().string() + "'" +
                                (errorOnly ? " 2>&1 >/dev/null" : " 2>&1");
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

std::size_t occurrences(const std::string& text, const std::string& part) {
    std::size_t count = 0;
    for (std::size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + 1)) {
        ++count;
    }
    return count;
}

class ProgramTest : public ::testing::Test {
public:
    void SetUp() override {
        if (!fs::exists(programPath())) {
            GTEST_SKIP() << "the program is not built at " << programPath();
        }
        gameFolder = root.path() / "Brenvale" / "Tarnwick";
        fs::create_directories(gameFolder);
    }
    void writeArchive(const tools::Bytes& bytes) const {
        root.write("Brenvale/Tarnwick/data.bar", std::vector<unsigned char>(bytes.begin(), bytes.end()));
    }
    static tools::Bytes sampleArchive() { return tools::buildArchive(tools::sampleEntries()); }
    // The sample archive with the entry called name damaged.
    template <typename Damage> static tools::Bytes sampleWith(const std::string& name, Damage&& damage) {
        std::vector<tools::ArchiveEntry> entries = tools::sampleEntries();
        for (tools::ArchiveEntry& entry : entries) {
            if (entry.name == name) {
                damage(entry.bytes);
            }
        }
        return tools::buildArchive(entries);
    }

    testing_support::TemporaryRoot root;
    fs::path gameFolder;
};

TEST_F(ProgramTest, RunsFramesWithoutAScreenAndEndsCleanly) {
    writeArchive(sampleArchive());
    const Outcome outcome = runProgram(kHeadless, "3");
    EXPECT_EQ(outcome.exitCode, 0) << outcome.output;
    EXPECT_NE(outcome.output.find("Application::startApp"), std::string::npos) << outcome.output;
    // The game's midlet started its canvas (whose thread only says it cannot start).
    EXPECT_NE(outcome.output.find("WARNING: multithread not supported"), std::string::npos) << outcome.output;
    EXPECT_NE(outcome.output.find("Application::close"), std::string::npos) << outcome.output;
}

TEST_F(ProgramTest, ASecondCopyEndsAtOnce) {
    writeArchive(sampleArchive());
    platform::SystemWindows firstCopy;
    std::string problem;
    ASSERT_EQ(firstCopy.claimSingleInstance(gameFolder.string(), problem), platform::InstanceClaim::Claimed);
    const Outcome outcome = runProgram(kHeadless, "3");
    EXPECT_EQ(outcome.exitCode, 0) << outcome.output;
    EXPECT_NE(outcome.output.find("Tarnwick is already running"), std::string::npos) << outcome.output;
    EXPECT_EQ(outcome.output.find("Application::startApp"), std::string::npos) << outcome.output;
}

// A game that cannot start says so once on standard error, with what is wrong and where it
// looked, and ends with a non-zero code before anything else starts: no blank window, no wait.
TEST_F(ProgramTest, EveryStartFailureEndsNonZeroWithOneMessage) {
    struct Case {
        const char* name;
        void (*prepare)(ProgramTest& test);
        std::string environment;
        const char* said;
    };
    const Case cases[] = {
        {"no data.bar", [](ProgramTest&) {}, kHeadless, "data.bar is missing"},
        {"an empty data.bar", [](ProgramTest& t) { t.writeArchive({}); }, kHeadless, "data.bar is empty"},
        {"a data.bar cut in its directory",
         [](ProgramTest& t) {
             tools::Bytes archive = sampleArchive();
             archive.resize(9);
             t.writeArchive(archive);
         },
         kHeadless, "its directory is cut short at entry 0"},
        {"a data.bar cut after its directory",
         [](ProgramTest& t) {
             tools::Bytes archive = sampleArchive();
             archive.resize(archive.size() - 1);
             t.writeArchive(archive);
         },
         kHeadless, "lies outside the file"},
        {"a garbled data.bar", [](ProgramTest& t) { t.writeArchive(tools::Bytes(4096, 0xA5)); }, kHeadless,
         "data.bar is damaged"},
        {"a data.bar without the constant strings",
         [](ProgramTest& t) {
             t.writeArchive(tools::buildArchive({{"app.jad", {'a', ':', 'b'}, ""}}));
         },
         kHeadless, "it holds no constants.bin"},
        {"constant strings whose count does not fit them",
         [](ProgramTest& t) {
             t.writeArchive(sampleWith("constants.bin", [](tools::Bytes& b) { b[0] = 0x40; }));
         },
         kHeadless, "its constants.bin: its count"},
        {"a folder named data.bar", [](ProgramTest& t) { fs::create_directories(t.gameFolder / "data.bar"); },
         kHeadless, "data.bar is a folder"},
        {"a pipe named data.bar",
         [](ProgramTest& t) { ASSERT_EQ(mkfifo((t.gameFolder / "data.bar").c_str(), 0600), 0); }, kHeadless,
         "data.bar is not a plain file"},
        {"a TARNWICK_ROOT that is not there", [](ProgramTest&) {},
         std::string(kHeadless) + " TARNWICK_ROOT=/nonexistent/games",
         "TARNWICK_ROOT names /nonexistent/games, which cannot be used"},
        {"a folder in the lock file's place",
         [](ProgramTest& t) {
             t.writeArchive(sampleArchive());
             fs::create_directories(t.gameFolder / platform::kInstanceLockName);
         },
         kHeadless, "cannot make sure that it runs only once"},
        {"no display", [](ProgramTest& t) { t.writeArchive(sampleArchive()); },
         "-u DISPLAY -u WAYLAND_DISPLAY -u SDL_VIDEODRIVER SDL_AUDIODRIVER=dummy",
         "there is no display to show it on"},
    };
    for (const Case& c : cases) {
        fs::remove_all(gameFolder);
        fs::create_directories(gameFolder);
        ProgramTest& test = *this;
        c.prepare(test);
        // Both streams: the message is told once, not once more in the log.
        const Outcome outcome = runProgram(c.environment, "3");
        EXPECT_EQ(outcome.exitCode, 1) << c.name << "\n" << outcome.output;
        EXPECT_EQ(occurrences(outcome.output, "The game cannot start: "), 1u) << c.name << "\n"
                                                                              << outcome.output;
        EXPECT_NE(outcome.output.find(c.said), std::string::npos) << c.name << "\n" << outcome.output;
        EXPECT_EQ(outcome.output.find("Application::startApp"), std::string::npos) << c.name;
    }
}

// Every kind of damage to a pack ends in one clear outcome: the start check refuses a text or
// sprite pack the loading could not get past, and the game goes on without any other damaged
// pack's resource, logged, up to the first-run question. Never a loading that stalls.
TEST_F(ProgramTest, APackDamagedAnyWayEndsInTheStartMessageOrTheFirstRunQuestion) {
    const auto patchLE = [](tools::Bytes& b, const std::size_t at, const std::uint32_t value) {
        for (std::size_t i = 0; i < 4; ++i) {
            b[at + i] = static_cast<std::uint8_t>(value >> (8 * i));
        }
    };
    struct Case {
        const char* name;
        const char* entry; // the pack's part file
        std::function<void(tools::Bytes&)> damage;
        bool starts;
        const char* said; // the start message's reason, or the log line of the missing resource
    };
    const Case cases[] = {
        {"text pack header", "text", [](tools::Bytes& b) { b[2] = b[3] = 0; }, false, "its pack entry text"},
        {"text pack cut", "text", [](tools::Bytes& b) { b.resize(9); }, false, "its pack entry text"},
        {"sprite pack offsets out of order", "2", [&](tools::Bytes& b) { patchLE(b, 6, 1); }, false,
         "its pack entry 2"},
        {"sprite pack entry of 2 GiB", "2", [&](tools::Bytes& b) { patchLE(b, 10, 0x7FFFFFF0); }, false,
         "past the end"},
        {"menu pack header", "menu", [](tools::Bytes& b) { b[2] = b[3] = 0; }, true,
         "pack menu: part count 0"},
        {"menu pack missing", "menu", [](tools::Bytes& b) { b.clear(); }, true,
         "pack menu: the header is cut short"},
        // Entry 14 (the logo sprite) runs past its file; the table stays in order.
        {"menu pack entry of 2 GiB", "menu",
         [&](tools::Bytes& b) {
             const std::size_t entries = b[0] | b[1] << 8;
             const std::size_t table = 4 + 2 * static_cast<std::size_t>(b[2] | b[3] << 8);
             for (std::size_t i = 15; i <= entries; ++i) {
                 patchLE(b, table + 4 * i, 0x7FFFFFF0);
             }
         },
         true, "pack menu: entry 14 runs to byte 2147483632"},
    };
    for (const Case& c : cases) {
        fs::remove_all(gameFolder);
        fs::create_directories(gameFolder);
        writeArchive(sampleWith(c.entry, c.damage));
        const Outcome outcome = runProgram(kHeadless, "40");
        const std::string shown = std::string(c.name) + "\n" + outcome.output;
        EXPECT_NE(outcome.output.find(c.said), std::string::npos) << shown;
        if (c.starts) {
            EXPECT_EQ(outcome.exitCode, 0) << shown;
            EXPECT_NE(outcome.output.find("enters the first-run question"), std::string::npos) << shown;
        } else {
            EXPECT_EQ(outcome.exitCode, 1) << shown;
            EXPECT_EQ(occurrences(outcome.output, "The game cannot start: data.bar is damaged: "), 1u)
                << shown;
        }
    }
}

} // namespace
