// The file layer: the programs folder, handset paths on POSIX, and file replacement.
#include "platform/Files.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "runtime/Log.h"
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

class Environment {
public:
    explicit Environment(const char* name) : name_(name) {
        if (const char* value = std::getenv(name)) {
            saved_ = value;
            had_ = true;
        }
    }
    ~Environment() {
        if (had_) {
            setenv(name_, saved_.c_str(), 1);
        } else {
            unsetenv(name_);
        }
    }
    void set(const char* value) const {
        if (value == nullptr) {
            unsetenv(name_);
        } else {
            setenv(name_, value, 1);
        }
    }

private:
    const char* name_;
    std::string saved_;
    bool had_ = false;
};

TEST(ProgramsFolder, ComesFromTheRootThenXdgThenHome) {
    Environment root("TARNWICK_ROOT"), xdg("XDG_DATA_HOME"), home("HOME");
    struct Case {
        const char* root;
        const char* xdg;
        const char* home;
        const char* expected;
    };
    const Case cases[] = {
        {"/srv/games/", "/xdg", "/home/u", "\\srv\\games"},
        {"/", "/xdg", "/home/u", ""},
        {nullptr, "/xdg/data", "/home/u", "\\xdg\\data"},
        {"", "/xdg/data", "/home/u", "\\xdg\\data"},
        {nullptr, "relative/xdg", "/home/u", "\\home\\u\\.local\\share"},
        {nullptr, nullptr, "/home/u", "\\home\\u\\.local\\share"},
    };
    for (const Case& c : cases) {
        root.set(c.root);
        xdg.set(c.xdg);
        home.set(c.home);
        EXPECT_EQ(programsFolder(), c.expected) << (c.root ? c.root : "(unset)");
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

TEST(FileReplacement, CommitPutsTheNewVersionInPlace) {
    TemporaryRoot root;
    root.write("Game/record.rms", "old contents");
    const std::string path = handsetForm(root.path().string()) + "\\game\\record.rms";
    FileReplacement* replacement = FileReplacement::begin(path);
    ASSERT_NE(replacement, nullptr);
    std::fputs("new", replacement->file());
    // Until the commit the old version is what a reader sees.
    EXPECT_EQ(root.read("Game/record.rms"), "old contents");
    EXPECT_TRUE(replacement->commit());
    EXPECT_EQ(root.read("Game/record.rms"), "new");
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(root.path() / "Game"),
                            std::filesystem::directory_iterator()),
              1);
}

TEST(FileReplacement, AbandonKeepsTheOldVersion) {
    TemporaryRoot root;
    root.write("Game/record.rms", "old");
    FileReplacement* replacement =
        FileReplacement::begin(handsetForm(root.path().string()) + "\\Game\\record.rms");
    ASSERT_NE(replacement, nullptr);
    std::fputs("half", replacement->file());
    replacement->abandon();
    EXPECT_EQ(root.read("Game/record.rms"), "old");
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(root.path() / "Game"),
                            std::filesystem::directory_iterator()),
              1);
}

TEST(FileReplacement, FailuresAreLoggedAndLeaveNoTrace) {
    TemporaryRoot root;
    std::vector<std::string> lines;
    runtime::LogSink previous = runtime::setLogSink([&](const std::string& line) { lines.push_back(line); });
    const std::string folder = handsetForm(root.path().string());
    EXPECT_EQ(FileReplacement::begin(folder + "\\missing\\record.rms"), nullptr);
    // A folder in the way makes the final rename fail: the folder stays and the temporary goes.
    root.write("Game/record.rms/inside", "keep");
    FileReplacement* replacement = FileReplacement::begin(folder + "\\Game\\record.rms");
    ASSERT_NE(replacement, nullptr);
    std::fputs("new", replacement->file());
    EXPECT_FALSE(replacement->commit());
    runtime::setLogSink(previous);
    EXPECT_EQ(root.read("Game/record.rms/inside"), "keep");
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(root.path() / "Game"),
                            std::filesystem::directory_iterator()),
              1);
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_NE(lines[0].find("cannot write"), std::string::npos);
}

} // namespace
} // namespace platform
