// The file layer: where the handset's paths live on this machine, and opening files by them.
//
// The game builds its paths the handset's way ("\...\Brenvale\Tarnwick\data.bar", '\' separators)
// and hands them here; this is the one place that turns them into POSIX paths. The handset's file
// system ignored letter case, and the record stores lower-case whole paths, so each component that
// does not exist as written is looked up without regard to ASCII case.
//
// The programs folder (the handset's special folder 38) is $TARNWICK_ROOT when set, else
// $XDG_DATA_HOME, else ~/.local/share. Tests point TARNWICK_ROOT at a temporary directory.
#pragma once

#include <cstdio>
#include <string>
#include <string_view>

namespace platform {

// The programs folder in the handset's form: the POSIX directory with '/' written as '\', no
// trailing separator (the empty text when it is the file-system root).
std::string programsFolder();

// The POSIX path of a handset path: '\' becomes '/', and every component that does not exist as
// written is replaced by an existing entry of its directory that differs only in ASCII case (the
// smallest such name when there are several). Components that match nothing stay as written, so a
// file that is about to be created keeps its given name.
std::string toPosixPath(std::string_view handsetPath);

// fopen on the POSIX form of the path. For reading ("r" modes) a directory does not open, as on
// the handset. Null when the file cannot be opened.
std::FILE* openFile(std::string_view handsetPath, const char* mode);

// A new version of a file, written aside and put in the old one's place only when complete: a crash
// or a failed write part-way leaves the old file whole. The temporary file lives in the same
// folder, so the final rename is atomic.
class FileReplacement {
public:
    // Creates the temporary file for the handset path; null (logged) when it cannot be created.
    static FileReplacement* begin(std::string_view handsetPath);

    // The temporary file, open for writing ("wb+").
    std::FILE* file() const { return stream; }
    // Flushes the data to the disk and renames it over the old file; deletes this object. False
    // (logged) when any step failed: the old file is then untouched and the temporary removed.
    bool commit();
    // Drops the new version (the old file stays); deletes this object.
    void abandon();

private:
    FileReplacement() = default;
    ~FileReplacement() = default;

    std::FILE* stream = nullptr;
    std::string temporaryPath;
    std::string finalPath;
};

} // namespace platform
