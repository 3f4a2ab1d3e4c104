// The file layer: the programs folder, handset paths on POSIX, and file replacement.
#include "platform/Files.h"

#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "runtime/Log.h"
#include "tests/support/EnvironmentVariable.h"
#include "tests/support/TemporaryRoot.h"

namespace platform {
namespace {

using testing_support::TemporaryRoot;

// The handset form of a POSIX path, as the game would write it.
std::string handsetForm(std::string path) {
    for (char& c : path) {
        if (c == '/') {
            c = '\\';
        }
    }
    return path;
}

using Environment = testing_support::EnvironmentVariable;

TEST(ProgramsFolder, ComesFromTheRootThenXdgThenHome) {
    Environment root("TARNWICK_ROOT"), xdg("XDG_DATA_HOME"), home("HOME");
    using enum ProgramsFolderSource;
    struct Case {
        const char* root;
        const char* xdg;
        const char* home;
        const char* expected;
        ProgramsFolderSource source;
    };
    const Case cases[] = {
        {"/srv/games/", "/xdg", "/home/u", "\\srv\\games", RootVariable},
        {"/", "/xdg", "/home/u", "", RootVariable},
        {nullptr, "/xdg/data", "/home/u", "\\xdg\\data", XdgDataHome},
        {"", "/xdg/data", "/home/u", "\\xdg\\data", XdgDataHome},
        {nullptr, "relative/xdg", "/home/u", "\\home\\u\\.local\\share", HomeDataFolder},
        {nullptr, nullptr, "/home/u", "\\home\\u\\.local\\share", HomeDataFolder},
    };
    for (const Case& c : cases) {
        root.set(c.root);
        xdg.set(c.xdg);
        home.set(c.home);
        EXPECT_EQ(programsFolder(), c.expected) << (c.root ? c.root : "(unset)");
        EXPECT_EQ(programsFolderSource(), c.source) << (c.root ? c.root : "(unset)");
    }
}

TEST(ProgramsFolder, RelativeRootIsTakenFromTheCurrentDirectory) {
    Environment root("TARNWICK_ROOT");
    root.set("sample");
    EXPECT_EQ(programsFolder(), handsetForm(std::filesystem::current_path().string() + "/sample"));
}

TEST(ToPosixPath, FindsComponentsWhateverTheirCase) {
    TemporaryRoot root;
    root.write("Brenvale/Tarnwick/data.bar", "x");
    const std::string base = root.path().string();
    const std::string folder = handsetForm(base);
    struct Case {
        std::string handset;
        std::string expected;
    };
    const Case cases[] = {
        {folder + "\\Brenvale\\Tarnwick\\data.bar", base + "/Brenvale/Tarnwick/data.bar"},
        {folder + "\\brenvale\\tarnwick\\DATA.BAR", base + "/Brenvale/Tarnwick/data.bar"},
        {folder + "\\\\brenvale/TARNWICK\\data.bar", base + "/Brenvale/Tarnwick/data.bar"},
        // A file about to be created keeps its name; its folder is still found.
        {folder + "\\brenvale\\tarnwick\\rms_teams.rms", base + "/Brenvale/Tarnwick/rms_teams.rms"},
        // Below a missing component nothing is looked up.
        {folder + "\\Missing\\Tarnwick\\x", base + "/Missing/Tarnwick/x"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(toPosixPath(c.handset), c.expected) << c.handset;
    }
}

TEST(ToPosixPath, PrefersTheExactNameAndElseTheSmallestMatch) {
    TemporaryRoot root;
    root.write("Data/a", "1");
    root.write("data/b", "2");
    root.write("DATA/c", "3");
    const std::string base = root.path().string();
    EXPECT_EQ(toPosixPath(handsetForm(base) + "\\data\\b"), base + "/data/b");
    EXPECT_EQ(toPosixPath(handsetForm(base) + "\\dAtA"), base + "/DATA");
}

TEST(ToPosixPath, RelativePathsStayRelative) {
    EXPECT_EQ(toPosixPath("no-such-folder\\file.bar"), "no-such-folder/file.bar");
}

TEST(OpenFile, ReadsFilesButNotFoldersOrMissingFiles) {
    TemporaryRoot root;
    root.write("Game/file.bin", "abc");
    const std::string folder = handsetForm(root.path().string());
    std::FILE* file = openFile(folder + "\\game\\FILE.bin", "rb");
    ASSERT_NE(file, nullptr);
    char buffer[4] = {};
    EXPECT_EQ(std::fread(buffer, 1, sizeof buffer, file), 3u);
    EXPECT_STREQ(buffer, "abc");
    std::fclose(file);
    EXPECT_EQ(openFile(folder + "\\game", "rb"), nullptr);
    EXPECT_EQ(openFile(folder + "\\game\\none.bin", "rb"), nullptr);
}

// Pipes and devices are no game files: opening one refuses at once, whether something writes to
// it or not (a pipe nobody writes to would otherwise block the open for ever).
TEST(OpenFile, RefusesPipesAndDevicesWithoutWaiting) {
    TemporaryRoot root;
    const std::string fifo = (root.path() / "data.bar").string();
    ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);
    const int writer = ::open(fifo.c_str(), O_RDWR | O_NONBLOCK);
    ASSERT_GE(writer, 0);
    EXPECT_EQ(openFile(handsetForm(fifo), "rb"), nullptr) << "a pipe with a writer";
    EXPECT_EQ(openFile("\\dev\\null", "rb"), nullptr) << "a device";
    EXPECT_EQ(openFile("\\dev\\null", "wb"), nullptr) << "a device for writing";
    ::close(writer);
    EXPECT_EQ(openFile(handsetForm(fifo), "rb"), nullptr) << "a pipe nobody writes to";
    EXPECT_EQ(openFile(handsetForm(fifo), "w"), nullptr) << "a pipe nobody reads";
}

TEST(OpenFile, WritesCreateAndEmptyRegularFiles) {
    TemporaryRoot root;
    root.write("Game/file.bin", "old");
    const std::string folder = handsetForm(root.path().string());
    std::FILE* file = openFile(folder + "\\game\\file.bin", "w");
    ASSERT_NE(file, nullptr);
    std::fputs("new", file);
    std::fclose(file);
    EXPECT_EQ(root.read("Game/file.bin"), "new");
    file = openFile(folder + "\\game\\file.bin", "ab");
    ASSERT_NE(file, nullptr);
    std::fputs("er", file);
    std::fclose(file);
    EXPECT_EQ(root.read("Game/file.bin"), "newer");
    EXPECT_EQ(openFile(folder + "\\game\\file.bin", "x"), nullptr) << "no such mode";
}

std::size_t entriesIn(const std::filesystem::path& folder) {
    return static_cast<std::size_t>(
        std::distance(std::filesystem::directory_iterator(folder), std::filesystem::directory_iterator()));
}

TEST(FileReplacement, CommitPutsTheNewVersionInPlace) {
    TemporaryRoot root;
    root.write("Game/record.rms", "old contents");
    const std::string path = handsetForm(root.path().string()) + "\\game\\record.rms";
    std::unique_ptr<FileReplacement> replacement = FileReplacement::begin(path);
    ASSERT_NE(replacement, nullptr);
    std::fputs("new", replacement->file());
    // Until the commit the old version is what a reader sees.
    EXPECT_EQ(root.read("Game/record.rms"), "old contents");
    EXPECT_TRUE(replacement->commit());
    EXPECT_EQ(root.read("Game/record.rms"), "new");
    EXPECT_EQ(entriesIn(root.path() / "Game"), 1u);
    // Committed once: a second commit or the end of the object changes nothing.
    EXPECT_FALSE(replacement->commit());
    replacement.reset();
    EXPECT_EQ(root.read("Game/record.rms"), "new");
}

TEST(FileReplacement, WhatIsNotCommittedIsDroppedAndTheOldVersionKept) {
    TemporaryRoot root;
    root.write("Game/record.rms", "old");
    const std::string path = handsetForm(root.path().string()) + "\\Game\\record.rms";
    std::unique_ptr<FileReplacement> abandoned = FileReplacement::begin(path);
    ASSERT_NE(abandoned, nullptr);
    std::fputs("half", abandoned->file());
    abandoned->abandon();
    EXPECT_EQ(abandoned->file(), nullptr);
    EXPECT_EQ(root.read("Game/record.rms"), "old");
    EXPECT_EQ(entriesIn(root.path() / "Game"), 1u);

    std::unique_ptr<FileReplacement> forgotten = FileReplacement::begin(path);
    ASSERT_NE(forgotten, nullptr);
    std::fputs("half", forgotten->file());
    EXPECT_EQ(entriesIn(root.path() / "Game"), 2u);
    forgotten.reset();
    EXPECT_EQ(root.read("Game/record.rms"), "old");
    EXPECT_EQ(entriesIn(root.path() / "Game"), 1u);
}

TEST(FileReplacement, NewFilesGetTheModeOfAPlainFopen) {
    TemporaryRoot root;
    const mode_t mask = umask(0);
    umask(mask);
    std::unique_ptr<FileReplacement> replacement =
        FileReplacement::begin(handsetForm(root.path().string()) + "\\new.rms");
    ASSERT_NE(replacement, nullptr);
    ASSERT_TRUE(replacement->commit());
    struct stat info;
    ASSERT_EQ(stat((root.path() / "new.rms").c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 0777, 0666 & ~mask);
}

TEST(FileReplacement, FailuresAreLoggedAndLeaveNoTrace) {
    TemporaryRoot root;
    std::vector<std::string> lines;
    runtime::LogSink previous = runtime::setLogSink([&](const std::string& line) { lines.push_back(line); });
    const std::string folder = handsetForm(root.path().string());
    EXPECT_EQ(FileReplacement::begin(folder + "\\missing\\record.rms"), nullptr);
    // A folder in the way makes the final rename fail: the folder stays and the temporary goes.
    root.write("Game/record.rms/inside", "keep");
    std::unique_ptr<FileReplacement> replacement = FileReplacement::begin(folder + "\\Game\\record.rms");
    ASSERT_NE(replacement, nullptr);
    std::fputs("new", replacement->file());
    EXPECT_FALSE(replacement->commit());
    runtime::setLogSink(previous);
    EXPECT_EQ(root.read("Game/record.rms/inside"), "keep");
    EXPECT_EQ(entriesIn(root.path() / "Game"), 1u);
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_NE(lines[0].find("cannot write"), std::string::npos);
}

TEST(FileReplacement, LeftoverTemporariesNameTheFileTheyWereToReplace) {
    struct Case {
        const char* name;
        const char* replaced;
    };
    const Case cases[] = {
        {"rms_club.rms.a1B2c3", "rms_club.rms"},
        {"rms_club.rms_r12.rms.ZZZZZZ", "rms_club.rms_r12.rms"},
        {"x.000000", "x"},
        {"rms_club.rms", ""},
        {"rms_club.rms.a1B2c", ""},
        {"rms_club.rms.a1B2c34", ""},
        {"rms_club.rms.a1-2c3", ""},
        {"rms_club.rmsXa1B2c3", ""},
        {".a1B2c3", ""},
        {"", ""},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(FileReplacement::replacedName(c.name), c.replaced) << c.name;
    }
    // What begin creates is recognised.
    TemporaryRoot root;
    std::unique_ptr<FileReplacement> replacement =
        FileReplacement::begin(handsetForm(root.path().string()) + "\\rms_a.rms");
    ASSERT_NE(replacement, nullptr);
    const std::vector<std::string> names = regularFilesIn(handsetForm(root.path().string()));
    ASSERT_EQ(names.size(), 1u);
    EXPECT_EQ(FileReplacement::replacedName(names[0]), "rms_a.rms");
}

TEST(FolderFiles, ListsAndDeletesOnlyRegularFiles) {
    TemporaryRoot root;
    root.write("Game/b.rms", "b");
    root.write("Game/a.rms", "a");
    root.write("Game/inner/c.rms", "c");
    const std::string folder = handsetForm((root.path() / "Game").string());
    std::vector<std::string> names = regularFilesIn(folder);
    std::sort(names.begin(), names.end());
    EXPECT_EQ(names, (std::vector<std::string>{"a.rms", "b.rms"}));
    EXPECT_TRUE(regularFilesIn(folder + "\\missing").empty());

    std::vector<std::string> lines;
    runtime::LogSink previous = runtime::setLogSink([&](const std::string& line) { lines.push_back(line); });
    EXPECT_TRUE(removeFile(folder + "\\A.RMS"));
    EXPECT_FALSE(removeFile(folder + "\\a.rms"));
    EXPECT_FALSE(removeFile(folder + "\\inner"));
    runtime::setLogSink(previous);
    EXPECT_EQ(lines.size(), 2u);
    EXPECT_EQ(regularFilesIn(folder), std::vector<std::string>{"b.rms"});
    EXPECT_TRUE(std::filesystem::exists(root.path() / "Game/inner/c.rms"));
}

} // namespace
} // namespace platform
