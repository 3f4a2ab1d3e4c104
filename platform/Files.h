// The file layer: where the handset's paths live on this machine, and opening files by them.
//
// The game builds its paths the handset's way ("\...\Brenvale\Tarnwick\data.bar", '\' separators)
// and hands them here; this is the one place that turns them into POSIX paths. The handset's file
// system ignored letter case, and the record stores lower-case their file names, so each component that
// does not exist as written is looked up without regard to ASCII case.
//
// The programs folder (the handset's special folder 38) is $TARNWICK_ROOT when set, else
// $XDG_DATA_HOME, else ~/.local/share. Tests point TARNWICK_ROOT at a temporary directory.
#pragma once

#include <cstdio>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace platform {

// How the programs folder was chosen, for messages that tell a person where the game looked.
enum class ProgramsFolderSource {
    RootVariable,    // $TARNWICK_ROOT
    XdgDataHome,     // $XDG_DATA_HOME
    HomeDataFolder,  // ~/.local/share, as XDG_DATA_HOME is unset or not absolute
    CurrentDirectory // no home directory either
};
ProgramsFolderSource programsFolderSource();

// The programs folder in the handset's form: the POSIX directory with '/' written as '\', no
// trailing separator (the empty text when it is the file-system root).
std::string programsFolder();

// The POSIX path of a handset path: '\' becomes '/', and every component that does not exist as
// written is replaced by an existing entry of its directory that differs only in ASCII case (the
// smallest such name when there are several). Components that match nothing stay as written, so a
// file that is about to be created keeps its given name.
std::string toPosixPath(std::string_view handsetPath);

// fopen on the POSIX form of the path, for regular files only: a folder, a pipe or a device does
// not open (and opening one never waits for a writer), as the handset had none of them. Null
// when the file cannot be opened.
std::FILE* openFile(std::string_view handsetPath, const char* mode);

// The names of the regular files in a folder (handset path), in no particular order.
std::vector<std::string> regularFilesIn(std::string_view handsetFolder);
// Deletes a regular file; false (logged) when it cannot.
bool removeFile(std::string_view handsetPath);

// A new version of a file, written aside and put in the old one's place only when complete: a crash
// or a failed write part-way leaves the old file whole. The temporary file lives in the same
// folder, so the final rename is atomic. Whatever is not committed is abandoned when the object
// goes, so the old file is never half replaced.
class FileReplacement {
public:
    // Creates the temporary file for the handset path; null (logged) when it cannot be created.
    static std::unique_ptr<FileReplacement> begin(std::string_view handsetPath);
    // Abandons the new version unless it was committed.
    ~FileReplacement();
    FileReplacement(const FileReplacement&) = delete;
    FileReplacement& operator=(const FileReplacement&) = delete;

    // The temporary file, open for writing ("wb+"); null once committed or abandoned.
    std::FILE* file() const { return stream; }
    // Flushes the data to the disk and renames it over the old file. False (logged) when any step
    // failed: the old file is then untouched and the temporary removed. Once only.
    bool commit();
    // Drops the new version (the old file stays).
    void abandon();

    // The name of the file that a temporary file named name was to replace, or the empty view
    // when name is no replacement's temporary. A write cut short by a crash leaves one behind.
    static std::string_view replacedName(std::string_view name);

private:
    FileReplacement() = default;

    std::FILE* stream = nullptr;
    std::string temporaryPath;
    std::string finalPath;
};

} // namespace platform
