// The entry's checks before the host starts, with scripted stand-ins.
#include "profile/Entry.h"

#include <gtest/gtest.h>

#include <sys/stat.h>

#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <new>
#include <string>
#include <utility>
#include <vector>

#include "platform/MemoryStatus.h"
#include "platform/MessageBox.h"
#include "platform/Service.h"
#include "platform/UiLanguage.h"
#include "platform/Utf8.h"
#include "platform/Windows.h"
#include "profile/Messages.h"
#include "tests/support/EnvironmentVariable.h"
#include "tests/support/TemporaryRoot.h"

namespace profile {
namespace {

// The archive checks the program could hand in: one that accepts every archive, one that finds
// it damaged.
std::string acceptArchive(std::FILE*, std::uint64_t) {
    return {};
}
std::string findDamage(std::FILE*, std::uint64_t) {
    return "its directory is cut short at entry 1 of 2";
}

// Public, so the table of start failures below can prepare each case through the fixture.
class EntryTest : public ::testing::Test {
public:
    EntryTest() {
        // No desktop unless a test asks for one; the dummy video driver counts as a display.
        display.set(nullptr);
        wayland.set(nullptr);
        videoDriver.set("dummy");
        xdgDataHome.set(nullptr);
        root.write("Brenvale/Tarnwick/data.bar", "x");
    }

    std::string gameFolder() const { return (root.path() / "Brenvale" / "Tarnwick").string(); }
    // The one message shown in a box (a desktop is present), as UTF-8.
    std::string boxText() const {
        EXPECT_EQ(box.shown.size(), 1u);
        return box.shown.empty() ? std::string() : platform::utf16ToUtf8(box.shown[0].text);
    }

    testing_support::EnvironmentVariable display{"DISPLAY"};
    testing_support::EnvironmentVariable wayland{"WAYLAND_DISPLAY"};
    testing_support::EnvironmentVariable videoDriver{"SDL_VIDEODRIVER"};
    testing_support::EnvironmentVariable xdgDataHome{"XDG_DATA_HOME"};
    testing_support::TemporaryRoot root;
    platform::ScriptedWindows windows;
    platform::FixedMemoryStatus memory{64ull << 20};
    platform::FixedUiLanguage language{0x0407};
    platform::ScriptedMessageBox box;
    platform::ScopedService<platform::WindowSystem> windowsScope{&platform::installWindows, windows};
    platform::ScopedService<platform::MemoryStatus> memoryScope{&platform::installMemoryStatus, memory};
    platform::ScopedService<platform::UiLanguage> languageScope{&platform::installUiLanguage, language};
    platform::ScopedService<platform::MessageBoxService> boxScope{&platform::installMessageBox, box};
};

TEST_F(EntryTest, TheOnlyCopyWithEnoughMemoryStartsInTheUsersLanguage) {
    memory.available = kMinimumAvailableMemory;
    const StartDecision decision = passStartChecks(&acceptArchive);
    EXPECT_TRUE(decision.start);
    EXPECT_EQ(windows.claimedFolder, gameFolder());
    EXPECT_TRUE(box.shown.empty());
    EXPECT_EQ(std::u16string(getLocalizedMessage(kMessageNoticeCaption)), u"Hinweis");
}

TEST_F(EntryTest, ASecondCopyAsksTheFirstToComeForwardAndEndsWithZero) {
    windows.otherCopyRunning = true;
    const StartDecision decision = passStartChecks(&acceptArchive);
    EXPECT_FALSE(decision.start);
    EXPECT_EQ(decision.exitCode, 0);
    EXPECT_EQ(windows.frontRequests, 1);
    EXPECT_TRUE(box.shown.empty());
}

TEST_F(EntryTest, TooLittleMemoryShowsTheLocalizedWarningAndEndsWithZero) {
    memory.available = kMinimumAvailableMemory - 1;
    const StartDecision decision = passStartChecks(&acceptArchive);
    EXPECT_FALSE(decision.start);
    EXPECT_EQ(decision.exitCode, 0);
    ASSERT_EQ(box.shown.size(), 1u);
    EXPECT_EQ(box.shown[0].text, u"Es gibt nicht gen\u00FCgend freien Speicherplatz f\u00FCr das Spiel.\n"
                                 u"Beende bitte alle Anwendungen und starte das Spiel erneut.");
    EXPECT_EQ(box.shown[0].caption, u"Tarnwick");
    EXPECT_EQ(box.shown[0].style, 0x30u);
}

// Whatever keeps the game from starting ends it with a non-zero code and one message that names
// what is wrong, the folder looked in and how it was chosen, and what to do.
TEST_F(EntryTest, EachStartFailureSaysWhatWhereAndWhatToDo) {
    struct Case {
        const char* name;
        void (*prepare)(EntryTest& test);
        ArchiveCheck check;
        std::vector<std::string> said;
    };
    const Case cases[] = {
        {"no data.bar",
         [](EntryTest& t) { std::filesystem::remove(t.gameFolder() + "/data.bar"); },
         &acceptArchive,
         {"data.bar is missing", "It looked in {game},", "TARNWICK_ROOT names",
          "To play, put the game's own data.bar"}},
        {"an empty data.bar",
         [](EntryTest& t) { t.root.write("Brenvale/Tarnwick/data.bar", ""); },
         &acceptArchive,
         {"data.bar is empty", "It looked in {game},"}},
        {"a damaged data.bar",
         [](EntryTest&) {},
         &findDamage,
         {"data.bar is damaged: its directory is cut short at entry 1 of 2", "It looked in {game},"}},
        {"a folder named data.bar",
         [](EntryTest& t) {
             std::filesystem::remove(t.gameFolder() + "/data.bar");
             std::filesystem::create_directories(t.gameFolder() + "/data.bar");
         },
         &acceptArchive,
         {"data.bar is a folder", "It looked in {game},"}},
        {"a pipe named data.bar",
         [](EntryTest& t) {
             std::filesystem::remove(t.gameFolder() + "/data.bar");
             ASSERT_EQ(mkfifo((t.gameFolder() + "/data.bar").c_str(), 0600), 0);
         },
         &acceptArchive,
         {"data.bar is not a plain file", "It looked in {game},"}},
        {"a missing TARNWICK_ROOT",
         [](EntryTest& t) { setenv("TARNWICK_ROOT", (t.root.path() / "gone").c_str(), 1); },
         &acceptArchive,
         {"TARNWICK_ROOT names {root}/gone, which cannot be used", "unset it"}},
        {"a TARNWICK_ROOT that is a file",
         [](EntryTest& t) {
             t.root.write("file", "x");
             setenv("TARNWICK_ROOT", (t.root.path() / "file").c_str(), 1);
         },
         &acceptArchive,
         {"TARNWICK_ROOT names {root}/file, which cannot be used (it is not a folder)"}},
        {"a lock that cannot be had",
         [](EntryTest& t) { t.windows.lockUnavailable = true; },
         &acceptArchive,
         {"cannot make sure that it runs only once, as the scripted lock cannot be had",
          "It looked in {game},"}},
    };
    display.set(":0");
    for (const Case& c : cases) {
        EntryTest& test = *this;
        root.write("Brenvale/Tarnwick/data.bar", "x");
        setenv("TARNWICK_ROOT", root.path().c_str(), 1); // the root object puts the old value back
        windows.lockUnavailable = false;
        box.shown.clear();
        c.prepare(test);
        const StartDecision decision = passStartChecks(c.check);
        EXPECT_FALSE(decision.start) << c.name;
        EXPECT_EQ(decision.exitCode, kStartFailedExitCode) << c.name;
        const std::string text = boxText();
        EXPECT_EQ(text.rfind("The game cannot start: ", 0), 0u) << text;
        for (std::string said : c.said) {
            for (const auto& [from, to] :
                 {std::pair<std::string, std::string>{"{game}", gameFolder()},
                  std::pair<std::string, std::string>{"{root}", root.path().string()}}) {
                if (const std::size_t at = said.find(from); at != std::string::npos) {
                    said.replace(at, from.size(), to);
                }
            }
            EXPECT_NE(text.find(said), std::string::npos) << c.name << ": " << said << "\n" << text;
        }
        if (text.find("It looked in") != std::string::npos) {
            EXPECT_NE(text.find("below the folder that TARNWICK_ROOT names, " + root.path().string() + "."),
                      std::string::npos)
                << text;
        }
        std::filesystem::remove_all(gameFolder());
        std::filesystem::create_directories(gameFolder());
    }
}

// The XDG data folder is named as such when it is where the game looked.
TEST_F(EntryTest, AMessageNamesTheXdgDataFolderWhenNoRootIsSet) {
    testing_support::EnvironmentVariable programsRoot("TARNWICK_ROOT");
    programsRoot.set(nullptr);
    xdgDataHome.set(root.path().c_str());
    std::filesystem::remove(gameFolder() + "/data.bar");
    display.set(":0");
    EXPECT_EQ(passStartChecks(&acceptArchive).exitCode, kStartFailedExitCode);
    const std::string text = boxText();
    EXPECT_NE(text.find("It looked in " + gameFolder() +
                        ", the game's folder below the XDG data folder that "
                        "XDG_DATA_HOME names (TARNWICK_ROOT is not set), " +
                        root.path().string() + "."),
              std::string::npos)
        << text;
}

// Without a desktop the message goes to standard error; no box is shown.
TEST_F(EntryTest, WithoutADesktopTheMessageGoesToStandardError) {
    std::filesystem::remove(gameFolder() + "/data.bar");
    ::testing::internal::CaptureStderr();
    const StartDecision decision = passStartChecks(&acceptArchive);
    const std::string printed = ::testing::internal::GetCapturedStderr();
    EXPECT_EQ(decision.exitCode, kStartFailedExitCode);
    EXPECT_TRUE(box.shown.empty());
    EXPECT_EQ(
        printed.rfind("Tarnwick: The game cannot start: the game's data file data.bar is missing.\n", 0), 0u)
        << printed;
    EXPECT_EQ(printed.back(), '\n');
}

// No display and no video driver chosen: SDL would fall back to drawing in the terminal.
TEST_F(EntryTest, WithoutADisplayItSaysHowToRunWithoutAScreen) {
    videoDriver.set(nullptr);
    ::testing::internal::CaptureStderr();
    const StartDecision decision = passStartChecks(&acceptArchive);
    const std::string printed = ::testing::internal::GetCapturedStderr();
    EXPECT_FALSE(decision.start);
    EXPECT_EQ(decision.exitCode, kStartFailedExitCode);
    EXPECT_NE(printed.find("there is no display"), std::string::npos) << printed;
    EXPECT_NE(printed.find("SDL_VIDEODRIVER=dummy SDL_AUDIODRIVER=dummy"), std::string::npos) << printed;
    EXPECT_TRUE(windows.claimedFolder.empty()) << "nothing else was tried";
    for (const char* variable : {"DISPLAY", "WAYLAND_DISPLAY"}) {
        testing_support::EnvironmentVariable desktop(variable);
        desktop.set(":1");
        EXPECT_TRUE(passStartChecks(&acceptArchive).start) << variable;
    }
}

TEST(OutOfStoreTest, TheHandlerReportsOnceAndRaisesTheFailure) {
    const std::new_handler previous = std::get_new_handler();
    installOutOfStoreHandler();
    const std::new_handler handler = std::get_new_handler();
    ASSERT_NE(handler, nullptr);
    ::testing::internal::CaptureStdout();
    EXPECT_THROW(handler(), std::bad_alloc);
    EXPECT_EQ(::testing::internal::GetCapturedStdout(), "ERROR: Operator new failed: out of store.\n");
    EXPECT_EQ(std::get_new_handler(), nullptr);
    std::set_new_handler(previous);
}

} // namespace
} // namespace profile
