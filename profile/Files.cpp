// File objects, file streams and the game's folder paths.
#include "profile/Files.h"

#include <algorithm>
#include <climits>

#include "platform/Files.h"
#include "profile/GamePaths.h"
#include "runtime/CheckFailed.h"
#include "runtime/ClassTable.h"
#include "runtime/ObjectManager.h"
#include "runtime/String.h"

namespace profile {

namespace {

// The size of an open file, leaving its position where it was; files beyond 2 GiB count as 2 GiB.
jint sizeOf(std::FILE* file) {
    const long position = std::ftell(file);
    if (position < 0 || std::fseek(file, 0, SEEK_END) != 0) {
        return 0;
    }
    const long end = std::ftell(file);
    std::fseek(file, position, SEEK_SET);
    return static_cast<jint>(std::clamp<long>(end, 0, INT_MAX));
}

std::FILE* openPath(File* file, const char* mode) {
    if (file == nullptr || file->path == nullptr) {
        return nullptr;
    }
    return platform::openFile(narrowPath(file->path), mode);
}

// 1 when the file opens with mode (it is closed again at once), else 0.
jint opensWith(File* file, const char* mode) {
    std::FILE* opened = openPath(file, mode);
    if (opened == nullptr) {
        return 0;
    }
    std::fclose(opened);
    return 1;
}

String* stringOf(const std::string& text) {
    return runtime::newStringFromCString(text.c_str());
}

} // namespace

javax_microedition_io_File::javax_microedition_io_File(String* const filePath)
    : Object(kClassId), path(filePath) {
    runtime::registerRefFields(this, &path);
}

jint javax_microedition_io_File::exists(File* const file) { return opensWith(file, "rb"); }

jint javax_microedition_io_File::size(File* const file) {
    std::FILE* opened = openPath(file, "rb");
    if (opened == nullptr) {
        return 0;
    }
    const jint length = sizeOf(opened);
    std::fclose(opened);
    return length;
}

jint javax_microedition_io_File::create(File* const file) { return opensWith(file, "w"); }

FileInputStream* FileInputStream::open(File* const file) {
    std::FILE* opened = openPath(file, "rb");
    if (opened == nullptr) {
        return nullptr;
    }
    FileInputStream* stream = runtime::newObject<FileInputStream>();
    stream->file = opened;
    stream->fileSize = sizeOf(opened);
    return stream;
}

void FileInputStream::release() {
    close();
}

jint FileInputStream::read(ByteArray* const b, const jint off, const jint len) {
    if (len < 1 || file == nullptr) {
        return 0;
    }
    if (!runtime::arrayRangeValid(b, off, len)) {
        runtime::checkFailed("FileInputStream read: bad array range");
        return 0;
    }
    return static_cast<jint>(std::fread(b->data() + off, 1, static_cast<std::size_t>(len), file));
}

jint FileInputStream::read() {
    if (file == nullptr) {
        return -1;
    }
    const int c = std::fgetc(file);
    return c == EOF ? -1 : c;
}

jlong FileInputStream::skip(const jlong n) {
    if (n <= 0 || file == nullptr) {
        return 0;
    }
    // Seeking past the end would leave available() negative.
    const jlong skipped = std::min<jlong>(n, available());
    if (std::fseek(file, static_cast<long>(skipped), SEEK_CUR) != 0) {
        return 0;
    }
    return skipped;
}

jint FileInputStream::available() {
    if (file == nullptr) {
        return 0;
    }
    const long position = std::ftell(file);
    return position < 0 ? 0 : static_cast<jint>(std::max<long>(fileSize - position, 0));
}

void FileInputStream::close() {
    if (file != nullptr) {
        std::fclose(file);
        file = nullptr;
    }
}

void FileInputStream::mark(jint /*readlimit*/) {
    if (file != nullptr) {
        markPosition = static_cast<jint>(std::clamp<long>(std::ftell(file), 0, INT_MAX));
    }
}

void FileInputStream::reset() {
    if (file != nullptr) {
        std::fseek(file, markPosition, SEEK_SET);
    }
}

FileOutputStream* FileOutputStream::open(File* const file) {
    if (file == nullptr || file->path == nullptr) {
        return nullptr;
    }
    platform::FileReplacement* replacement = platform::FileReplacement::begin(narrowPath(file->path));
    if (replacement == nullptr) {
        return nullptr;
    }
    FileOutputStream* stream = runtime::newObject<FileOutputStream>();
    stream->replacement = replacement;
    return stream;
}

void FileOutputStream::finish(const bool raise) {
    if (replacement == nullptr) {
        return;
    }
    platform::FileReplacement* const ending = replacement;
    replacement = nullptr;
    if (failed != 0) {
        ending->abandon();
    } else if (ending->commit()) {
        return;
    }
    if (raise) {
        runtime::raiseIOException();
    }
}

void FileOutputStream::release() {
    finish(false);
}

void FileOutputStream::close() {
    finish(true);
}

void FileOutputStream::write(const jint b) {
    if (replacement == nullptr || failed != 0) {
        return;
    }
    if (std::fputc(b & 0xFF, replacement->file()) == EOF) {
        failed = 1;
        runtime::raiseIOException();
    }
}

void FileOutputStream::write(ByteArray* const b, const jint off, const jint len) {
    if (!runtime::arrayRangeValid(b, off, len)) {
        runtime::checkFailed("FileOutputStream write: bad array range");
        return;
    }
    if (replacement == nullptr || failed != 0 || len == 0) {
        return;
    }
    if (std::fwrite(b->data() + off, 1, static_cast<std::size_t>(len), replacement->file()) !=
        static_cast<std::size_t>(len)) {
        failed = 1;
        runtime::raiseIOException();
    }
}

String* getProgramsFolder() {
    return stringOf(platform::programsFolder());
}

String* getGameFolder() {
    return stringOf(platform::programsFolder() + kGameFolderPath);
}

String* getArchivePath() {
    return stringOf(platform::programsFolder() + kGameFolderPath + "\\" + kArchiveFileName);
}

std::string narrowPath(String* const path) {
    std::string narrow;
    if (path == nullptr) {
        return narrow;
    }
    narrow.reserve(static_cast<std::size_t>(path->length()));
    for (jint i = 0; i < path->length(); ++i) {
        narrow += static_cast<char>(path->chars[i] & 0xFF);
    }
    return narrow;
}

} // namespace profile
