// The entry's checks before the host starts, and the message that says why the game cannot.
#include "profile/Entry.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <new>

#include "platform/Files.h"
#include "platform/MemoryStatus.h"
#include "platform/MessageBox.h"
#include "platform/UiLanguage.h"
#include "platform/Utf8.h"
#include "platform/Windows.h"
#include "profile/GamePaths.h"
#include "profile/Messages.h"

namespace profile {

namespace {

constexpr char kProgramName[] = "Tarnwick";
constexpr char kCannotStart[] = "The game cannot start: ";
constexpr char kHeadlessCommand[] =
    "SDL_VIDEODRIVER=dummy SDL_AUDIODRIVER=dummy TARNWICK_FRAME_LIMIT=100 scripts/run.sh";
constexpr char kSampleDataHint[] = "scripts/run.sh installs the sample data set and sets it";

[[noreturn]] void outOfStore() {
    std::fputs("ERROR: Operator new failed: out of store.\n", stdout);
    std::fflush(stdout);
    // The failure is raised once; a handler left in place would be asked again and again.
    std::set_new_handler(nullptr);
    throw std::bad_alloc();
}

bool isSet(const char* name) {
    const char* value = std::getenv(name);
    return value != nullptr && value[0] != '\0';
}

bool desktopPresent() {
    return isSet("DISPLAY") || isSet("WAYLAND_DISPLAY");
}

std::string errorText(const int error) {
    return std::strerror(error);
}

// The game's files below the programs folder, as a POSIX path: "Brenvale/Tarnwick/data.bar".
std::string archiveBelowProgramsFolder() {
    std::string path = std::string(kGameFolderPath + 1) + "/" + kArchiveFileName;
    for (char& c : path) {
        if (c == '\\') {
            c = '/';
        }
    }
    return path;
}

std::string posixProgramsFolder() {
    const std::string folder = platform::toPosixPath(platform::programsFolder());
    return folder.empty() ? "/" : folder;
}

std::string programsFolderChoice() {
    switch (platform::programsFolderSource()) {
    case platform::ProgramsFolderSource::RootVariable:
        return "the folder that TARNWICK_ROOT names";
    case platform::ProgramsFolderSource::XdgDataHome:
        return "the XDG data folder that XDG_DATA_HOME names (TARNWICK_ROOT is not set)";
    case platform::ProgramsFolderSource::HomeDataFolder:
        return "the XDG data folder ~/.local/share (TARNWICK_ROOT is not set, nor an absolute XDG_DATA_HOME)";
    case platform::ProgramsFolderSource::CurrentDirectory:
        return "the current folder (TARNWICK_ROOT and XDG_DATA_HOME are not set, and there is no home "
               "folder)";
    }
    return "an unknown folder";
}

// Where the game looked and why there, one line.
std::string lookedIn(const std::string& gameFolder) {
    return "It looked in " + gameFolder + ", the game's folder below " + programsFolderChoice() + ", " +
           posixProgramsFolder() + ".\n";
}

std::string displayProblem() {
    if (desktopPresent() || isSet("SDL_VIDEODRIVER")) {
        return {};
    }
    return std::string(kCannotStart) +
           "there is no display to show it on (neither DISPLAY nor WAYLAND_DISPLAY is set).\n"
           "Start it in a desktop session, or run it without a screen on SDL's dummy drivers:\n  " +
           kHeadlessCommand;
}

// A folder that TARNWICK_ROOT names must be there to be looked in; nothing is made in its place.
std::string programsFolderProblem() {
    if (platform::programsFolderSource() != platform::ProgramsFolderSource::RootVariable) {
        return {};
    }
    const std::string folder = posixProgramsFolder();
    std::string what;
    struct stat info;
    if (stat(folder.c_str(), &info) != 0) {
        what = errorText(errno);
    } else if (!S_ISDIR(info.st_mode)) {
        what = "it is not a folder";
    } else if (access(folder.c_str(), R_OK | X_OK) != 0) {
        what = errorText(errno);
    }
    if (what.empty()) {
        return {};
    }
    return std::string(kCannotStart) + "TARNWICK_ROOT names " + folder + ", which cannot be used (" + what +
           ").\nThe game looks for its files below the folder that TARNWICK_ROOT names, else below the XDG "
           "data folder.\nTo play, set TARNWICK_ROOT to the folder that holds " +
           archiveBelowProgramsFolder() + " (" + kSampleDataHint + "), or unset it.";
}

std::string lockProblem(const std::string& gameFolder, const std::string& reason) {
    return std::string(kCannotStart) + "it cannot make sure that it runs only once, as " + reason +
           ". Two copies could write the same saved games.\n" + lookedIn(gameFolder) +
           "To play, make that folder writable for you, or set TARNWICK_ROOT to a folder of your own that "
           "holds " +
           archiveBelowProgramsFolder() + ".";
}

// What is wrong with data.bar, or the empty text. The file is opened the way the game opens it.
std::string archiveFault(const ArchiveCheck archiveCheck) {
    const std::string handsetPath = platform::programsFolder() + kGameFolderPath + "\\" + kArchiveFileName;
    const std::string path = platform::toPosixPath(handsetPath);
    struct stat info;
    if (stat(path.c_str(), &info) != 0) {
        return errno == ENOENT || errno == ENOTDIR ? "the game's data file data.bar is missing"
                                                   : "data.bar cannot be reached (" + errorText(errno) + ")";
    }
    if (S_ISDIR(info.st_mode)) {
        return "data.bar is a folder, not the game's data file";
    }
    if (!S_ISREG(info.st_mode)) {
        return "data.bar is not a plain file but a pipe, a device or a socket";
    }
    if (info.st_size == 0) {
        return "data.bar is empty";
    }
    std::FILE* file = platform::openFile(handsetPath, "rb");
    if (file == nullptr) {
        return "data.bar cannot be read (" + errorText(errno) + ")";
    }
    const std::string damage = archiveCheck != nullptr
                                   ? archiveCheck(file, static_cast<std::uint64_t>(info.st_size))
                                   : std::string();
    std::fclose(file);
    return damage.empty() ? std::string() : "data.bar is damaged: " + damage;
}

std::string archiveProblem(const std::string& gameFolder, const ArchiveCheck archiveCheck) {
    const std::string fault = archiveFault(archiveCheck);
    if (fault.empty()) {
        return {};
    }
    return std::string(kCannotStart) + fault + ".\n" + lookedIn(gameFolder) +
           "To play, put the game's own data.bar, whole and as a plain file, in that folder, or set "
           "TARNWICK_ROOT "
           "to a folder that holds " +
           archiveBelowProgramsFolder() + " (" + kSampleDataHint + ").";
}

StartDecision failStart(const std::string& text) {
    reportStartProblem(text);
    return {false, kStartFailedExitCode};
}

} // namespace

void installOutOfStoreHandler() {
    std::set_new_handler(&outOfStore);
}

StartDecision passStartChecks(const ArchiveCheck archiveCheck) {
    if (const std::string problem = displayProblem(); !problem.empty()) {
        return failStart(problem);
    }
    if (const std::string problem = programsFolderProblem(); !problem.empty()) {
        return failStart(problem);
    }
    const std::string gameFolder = localGameFolder();
    platform::WindowSystem& windows = platform::windows();
    std::string reason;
    switch (windows.claimSingleInstance(gameFolder, reason)) {
    case platform::InstanceClaim::Claimed:
        break;
    case platform::InstanceClaim::OtherCopyRunning:
        windows.bringRunningCopyToFront();
        return {false, 0};
    case platform::InstanceClaim::Unavailable:
        return failStart(lockProblem(gameFolder, reason));
    }
    if (const std::string problem = archiveProblem(gameFolder, archiveCheck); !problem.empty()) {
        return failStart(problem);
    }
    selectMessageLanguage(platform::uiLanguage().userDefaultUiLanguage() & platform::kPrimaryLanguageMask);
    if (platform::memoryStatus().availablePhysical() < kMinimumAvailableMemory) {
        platform::messageBox().show(getLocalizedMessage(kMessageLowMemory), kMessageBoxCaption,
                                    platform::kMessageBoxIconExclamation);
        return {false, 0};
    }
    return {};
}

std::string localGameFolder() {
    return platform::toPosixPath(platform::programsFolder() + kGameFolderPath);
}

void reportStartProblem(const std::string& text) {
    if (desktopPresent()) {
        platform::messageBox().show(platform::utf8ToUtf16(text), kMessageBoxCaption,
                                    platform::kMessageBoxIconExclamation);
        return;
    }
    // Once, on standard error: the log goes to standard output, which a console shows as well.
    std::fprintf(stderr, "%s: %s\n", kProgramName, text.c_str());
}

} // namespace profile
