// The profile's file access: the file object javax_microedition_io_File (69), input and output
// streams over files, the few file operations the record stores and resource packs need, and the
// game's folder paths below the programs folder.
//
// Paths are the handset's ("\...\Brenvale\Tarnwick\data.bar"); each character's low 8 bits make
// the 8-bit path the platform layer opens (platform/Files.h turns it into a POSIX path).
#pragma once

#include <cstdio>
#include <string>

#include "runtime/Streams.h"

namespace platform {
class FileReplacement;
}

namespace profile {

using runtime::ByteArray;
using runtime::jint;
using runtime::jlong;
using runtime::String;

struct javax_microedition_io_File : runtime::Object {
    static constexpr jint kClassId = runtime::kFile;

    explicit javax_microedition_io_File(String* path);

    // 1 when the file opens for reading (it is closed again), else 0.
    static jint exists(javax_microedition_io_File* file);
    // The file's length in bytes; 0 when it cannot be opened.
    static jint size(javax_microedition_io_File* file);
    // Creates the file or empties it (fopen "w"); 1 on success, else 0.
    static jint create(javax_microedition_io_File* file);

    String* path = nullptr;
};
using File = javax_microedition_io_File;

// An input stream (class 21) over a file opened with "rb"; the size is taken at open.
struct FileInputStream : runtime::java_io_InputStream {
    static constexpr jint kClassId = runtime::kInputStream;

    FileInputStream() : java_io_InputStream(kClassId) {}
    // The stream, or null when the file cannot be opened.
    static FileInputStream* open(File* file);

    // Closes the file.
    void release() override;
    using java_io_InputStream::read;
    // len below 1 gives 0; otherwise up to len bytes, 0 (not -1) at the end. A range outside b
    // is logged and reads nothing.
    jint read(ByteArray* b, jint off, jint len) override;
    // The next byte 0..255, -1 at the end or on an error.
    jint read() override;
    // Moves forward by n, cut to the bytes left; n <= 0 does nothing. The bytes skipped.
    jlong skip(jlong n) override;
    // size - current position.
    jint available() override;
    // Closes the file once; later reads find the end.
    void close() override;
    // Records the current position; reset goes back to it.
    void mark(jint readlimit) override;
    void reset() override;
    jint markSupported() override { return 1; }

    std::FILE* file = nullptr;
    jint markPosition = 0;
    jint fileSize = 0;
};

// An output stream (class 23) that replaces a file (fopen "wb+"). What is written goes to a new
// version of the file that takes the old one's place at close, so a failed or interrupted write
// never leaves a half-written file: a write that fails, or a close that cannot put the new
// version in place, raises java_io_IOException and keeps the old file.
struct FileOutputStream : runtime::java_io_OutputStream {
    static constexpr jint kClassId = runtime::kOutputStream;

    FileOutputStream() : java_io_OutputStream(kClassId) {}
    // The stream, or null when the file cannot be written.
    static FileOutputStream* open(File* file);

    // Closes the file, putting what was written in place unless a write failed.
    void release() override;
    // Puts the new version in place (once); raises java_io_IOException when it cannot.
    void close() override;
    // Does nothing: the data reaches the disk at close.
    void flush() override {}
    using java_io_OutputStream::write;
    void write(jint b) override;
    // A range outside b is logged and writes nothing.
    void write(ByteArray* b, jint off, jint len) override;

    // Owned; a heap object's destructor never runs, so finish hands it back.
    platform::FileReplacement* replacement = nullptr;
    runtime::jboolean failed = 0;

private:
    // Commits or drops the new version; with raise, a failure becomes java_io_IOException.
    void finish(bool raise);
};

// The programs folder, the game folder below it, and the archive's path in the game folder.
String* getProgramsFolder();
String* getGameFolder();
String* getArchivePath();

// The 8-bit form of a path: the low 8 bits of each character.
std::string narrowPath(String* path);

} // namespace profile
