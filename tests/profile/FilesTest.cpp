// File objects, file streams and the game's folder paths.
#include "profile/Files.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "runtime/Exceptions.h"
#include "runtime/ObjectManager.h"
#include "runtime/String.h"
#include "runtime/Throwable.h"
#include "tests/runtime/RuntimeFixture.h"
#include "tests/support/RuntimeValues.h"
#include "tests/support/TemporaryRoot.h"

namespace profile {
namespace {

using Bytes = std::vector<std::uint8_t>;
using runtime::newObject;
using runtime::newStringFromCString;
using testing_support::bytesOf;
using testing_support::TemporaryRoot;

class FilesTest : public runtime::RuntimeFixture {
protected:
    // The handset path of a file below the root, as the game would write it.
    std::string handsetPath(const std::string& relative) const {
        std::string path = root.path().string() + "/" + relative;
        for (char& c : path) {
            if (c == '/') {
                c = '\\';
            }
        }
        return path;
    }
    File* file(const std::string& relative) const {
        return newObject<File>(newStringFromCString(handsetPath(relative).c_str()));
    }
    runtime::jint takePending() {
        runtime::java_lang_Throwable* pending = runtime::getPendingException();
        application.pendingException = nullptr;
        return pending != nullptr ? pending->classId : 0;
    }

    TemporaryRoot root;
};

TEST_F(FilesTest, GamePathsLieBelowTheProgramsFolder) {
    const std::string programs = handsetPath("").substr(0, handsetPath("").size() - 1);
    EXPECT_EQ(text(getProgramsFolder()), programs);
    EXPECT_EQ(text(getGameFolder()), programs + "\\Brenvale\\Tarnwick");
    EXPECT_EQ(text(getArchivePath()), programs + "\\Brenvale\\Tarnwick\\data.bar");
}

TEST_F(FilesTest, ReadsEndWithMinusOneOrZero) {
    root.write("Game/four.bin", Bytes{1, 2, 0xFE, 4});
    FileInputStream* in = FileInputStream::open(file("game/FOUR.BIN"));
    ASSERT_NE(in, nullptr);
    EXPECT_EQ(in->classId, runtime::kInputStream);
    EXPECT_EQ(in->available(), 4);
    EXPECT_EQ(in->read(), 1);
    in->mark(0);
    runtime::ByteArray* target = runtime::newByteArray(8);
    EXPECT_EQ(in->read(target, 0, 0), 0);
    EXPECT_EQ(in->read(target, 2, 6), 3);
    EXPECT_EQ(bytesOf(target, 5), (Bytes{0, 0, 2, 0xFE, 4}));
    EXPECT_EQ(in->available(), 0);
    EXPECT_EQ(in->read(), -1);            // a single read reports the end
    EXPECT_EQ(in->read(target, 0, 8), 0); // a block read gives 0 there
    in->reset();
    EXPECT_EQ(in->available(), 3);
    EXPECT_EQ(in->read(), 2);
    EXPECT_EQ(in->markSupported(), 1);
    in->close();
    in->close();
    EXPECT_EQ(in->read(), -1);
}

TEST_F(FilesTest, SkipStaysInsideTheFile) {
    root.write("f.bin", Bytes(10, 7));
    FileInputStream* in = FileInputStream::open(file("f.bin"));
    ASSERT_NE(in, nullptr);
    EXPECT_EQ(in->skip(-4), 0);
    EXPECT_EQ(in->skip(6), 6);
    EXPECT_EQ(in->skip(100), 4);
    EXPECT_EQ(in->available(), 0);
}

TEST_F(FilesTest, ABadRangeReadsNothing) {
    root.write("f.bin", Bytes(10, 7));
    FileInputStream* in = FileInputStream::open(file("f.bin"));
    ASSERT_NE(in, nullptr);
    runtime::ByteArray* target = runtime::newByteArray(4);
    EXPECT_EQ(in->read(target, 2, 3), 0);
    EXPECT_EQ(in->read(nullptr, 0, 3), 0);
    EXPECT_EQ(in->read(target, -1, 2), 0);
    EXPECT_TRUE(logged("FileInputStream read: bad array range"));
    EXPECT_EQ(in->available(), 10);
}

TEST_F(FilesTest, ExistsSizeAndCreate) {
    root.write("Game/data.bin", Bytes(300, 1));
    EXPECT_EQ(File::exists(file("game/DATA.bin")), 1);
    EXPECT_EQ(File::size(file("Game/data.bin")), 300);
    EXPECT_EQ(File::exists(file("Game/none.bin")), 0);
    EXPECT_EQ(File::exists(file("Game")), 0); // a folder is not a file
    EXPECT_EQ(File::size(file("Game/none.bin")), 0);
    EXPECT_EQ(FileInputStream::open(file("Game/none.bin")), nullptr);

    EXPECT_EQ(File::create(file("game/data.bin")), 1);
    EXPECT_EQ(File::size(file("Game/data.bin")), 0);
    EXPECT_EQ(File::create(file("game/new.bin")), 1);
    EXPECT_TRUE(std::filesystem::exists(root.path() / "Game/new.bin"));
    EXPECT_EQ(File::create(file("missing/new.bin")), 0);
}

TEST_F(FilesTest, OutputReplacesTheFileAtClose) {
    root.write("Game/rms_teams.rms", Bytes{9, 9, 9, 9, 9});
    FileOutputStream* out = FileOutputStream::open(file("game/rms_teams.rms"));
    ASSERT_NE(out, nullptr);
    out->write(0x141);
    out->write(testing_support::byteArrayOf(Bytes{2, 3, 4}), 1, 2);
    EXPECT_EQ(root.read("Game/rms_teams.rms"), std::string(5, '\x09'));
    out->close();
    EXPECT_EQ(takePending(), 0);
    EXPECT_EQ(root.read("Game/rms_teams.rms"), std::string("\x41\x03\x04", 3));
    out->close();
    out->write(1);
    EXPECT_EQ(root.read("Game/rms_teams.rms").size(), 3u);
}

TEST_F(FilesTest, AnOutputStreamLeftOpenIsWrittenWhenReleased) {
    FileOutputStream* out = FileOutputStream::open(file("kept.bin"));
    ASSERT_NE(out, nullptr);
    out->write('k');
    out->release();
    EXPECT_EQ(root.read("kept.bin"), "k");
}

TEST_F(FilesTest, AFailedReplacementKeepsTheOldFileAndRaises) {
    EXPECT_EQ(FileOutputStream::open(file("missing/x.bin")), nullptr);
    // A folder where the file should go makes the final step fail.
    root.write("busy.bin/inside", "keep");
    FileOutputStream* out = FileOutputStream::open(file("busy.bin"));
    ASSERT_NE(out, nullptr);
    out->write('x');
    out->close();
    EXPECT_EQ(takePending(), runtime::kIOException);
    EXPECT_EQ(root.read("busy.bin/inside"), "keep");
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(root.path()),
                            std::filesystem::directory_iterator()),
              1);
}

TEST_F(FilesTest, PathsAreEightBitCharacters) {
    runtime::String* path = newStringFromCString("\\a\\b");
    path->chars[1] = 0x161; // only the low 8 bits count
    EXPECT_EQ(narrowPath(path), "\\a\\b");
    EXPECT_EQ(narrowPath(nullptr), "");
}

} // namespace
} // namespace profile
