// The file layer: the programs folder, handset paths as POSIX paths, and file replacement.
#include "platform/Files.h"

#include <dirent.h>
#include <fcntl.h>
#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "runtime/Log.h"

namespace platform {

namespace {

struct DataHome {
    std::string folder;
    ProgramsFolderSource source;
};

// A directory that XDG_DATA_HOME may name must be absolute; a relative one is ignored.
DataHome dataHome() {
    if (const char* root = std::getenv("TARNWICK_ROOT"); root != nullptr && root[0] != '\0') {
        return {root, ProgramsFolderSource::RootVariable};
    }
    if (const char* xdg = std::getenv("XDG_DATA_HOME"); xdg != nullptr && xdg[0] == '/') {
        return {xdg, ProgramsFolderSource::XdgDataHome};
    }
    const char* home = std::getenv("HOME");
    if (home == nullptr || home[0] == '\0') {
        const passwd* user = getpwuid(getuid());
        home = user != nullptr ? user->pw_dir : nullptr;
    }
    if (home == nullptr) {
        runtime::log("programs folder: no home directory, using the current directory");
        return {".", ProgramsFolderSource::CurrentDirectory};
    }
    return {std::string(home) + "/.local/share", ProgramsFolderSource::HomeDataFolder};
}

std::string absolutePath(std::string path) {
    if (!path.empty() && path[0] == '/') {
        return path;
    }
    std::vector<char> buffer(4096);
    if (getcwd(buffer.data(), buffer.size()) == nullptr) {
        return path;
    }
    return std::string(buffer.data()) + "/" + path;
}

char foldCase(const char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

bool equalIgnoringCase(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) {
        return false;
    }
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (foldCase(a[i]) != foldCase(b[i])) {
            return false;
        }
    }
    return true;
}

bool exists(const std::string& path) {
    struct stat info;
    return lstat(path.c_str(), &info) == 0;
}

// The entry of directory whose name equals component ignoring ASCII case; the smallest name
// when there are several, so the choice does not depend on the directory's order.
std::string findIgnoringCase(const std::string& directory, std::string_view component) {
    DIR* listing = opendir(directory.empty() ? "." : directory.c_str());
    if (listing == nullptr) {
        return {};
    }
    std::string found;
    while (const dirent* entry = readdir(listing)) {
        std::string_view name = entry->d_name;
        if (equalIgnoringCase(name, component) && (found.empty() || name < found)) {
            found = name;
        }
    }
    closedir(listing);
    return found;
}

// The mode of files this program creates: what a plain fopen would give, read once at start-up.
// Reading the mask means setting it, which would race with other threads later on.
const mode_t creationMode = [] {
    const mode_t mask = umask(0);
    umask(mask);
    return static_cast<mode_t>(0666 & ~mask);
}();

// open() flags of an fopen mode ("r", "rb", "w+", "ab"...); -1 for a mode fopen would refuse.
int openFlags(const char* mode) {
    const bool update = std::strchr(mode, '+') != nullptr;
    switch (mode[0]) {
    case 'r':
        return update ? O_RDWR : O_RDONLY;
    case 'w':
        return (update ? O_RDWR : O_WRONLY) | O_CREAT | O_TRUNC;
    case 'a':
        return (update ? O_RDWR : O_WRONLY) | O_CREAT | O_APPEND;
    default:
        return -1;
    }
}

// Temporary files of replacements: the final name, '.' and mkstemp's six letters and digits.
constexpr char kTemporarySuffix[] = ".XXXXXX";
constexpr std::size_t kTemporarySuffixLength = sizeof kTemporarySuffix - 1;

bool isLetterOrDigit(const char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9');
}

// Makes a completed rename durable; failure here does not undo the rename, so it is not an error.
void syncDirectoryOf(const std::string& path) {
    const std::size_t slash = path.rfind('/');
    const std::string directory = slash == std::string::npos ? "." : slash == 0 ? "/" : path.substr(0, slash);
    const int fd = open(directory.c_str(), O_RDONLY | O_DIRECTORY);
    if (fd >= 0) {
        fsync(fd);
        close(fd);
    }
}

} // namespace

ProgramsFolderSource programsFolderSource() {
    return dataHome().source;
}

std::string programsFolder() {
    std::string root = absolutePath(dataHome().folder);
    while (root.size() > 1 && root.back() == '/') {
        root.pop_back();
    }
    if (root == "/") {
        root.clear();
    }
    for (char& c : root) {
        if (c == '/') {
            c = '\\';
        }
    }
    return root;
}

std::string toPosixPath(std::string_view handsetPath) {
    std::string resolved;
    std::size_t position = 0;
    const bool absolute = !handsetPath.empty() && (handsetPath[0] == '\\' || handsetPath[0] == '/');
    if (absolute) {
        resolved = "/";
    }
    bool resolving = true;
    while (position < handsetPath.size()) {
        std::size_t end = handsetPath.find_first_of("\\/", position);
        if (end == std::string_view::npos) {
            end = handsetPath.size();
        }
        const std::string_view component = handsetPath.substr(position, end - position);
        position = end + 1;
        if (component.empty()) {
            continue;
        }
        const std::string directory = resolved;
        if (!resolved.empty() && resolved.back() != '/') {
            resolved += '/';
        }
        std::string candidate = resolved + std::string(component);
        if (resolving && !exists(candidate)) {
            const std::string match = component == "." || component == ".."
                                          ? std::string()
                                          : findIgnoringCase(directory, component);
            if (match.empty()) {
                // Nothing below a missing component can exist either.
                resolving = false;
            } else {
                candidate = resolved + match;
            }
        }
        resolved = std::move(candidate);
    }
    return resolved;
}

std::FILE* openFile(std::string_view handsetPath, const char* mode) {
    const int flags = openFlags(mode);
    if (flags < 0) {
        return nullptr;
    }
    const std::string path = toPosixPath(handsetPath);
    // Without O_NONBLOCK, opening a pipe waits until something writes to it: for ever.
    const int fd = ::open(path.c_str(), flags | O_NONBLOCK | O_CLOEXEC, 0666);
    if (fd < 0) {
        return nullptr;
    }
    struct stat info;
    if (fstat(fd, &info) != 0 || !S_ISREG(info.st_mode) || fcntl(fd, F_SETFL, flags & O_APPEND) != 0) {
        close(fd);
        return nullptr;
    }
    std::FILE* file = fdopen(fd, mode);
    if (file == nullptr) {
        close(fd);
    }
    return file;
}

std::vector<std::string> regularFilesIn(std::string_view handsetFolder) {
    std::vector<std::string> names;
    const std::string folder = toPosixPath(handsetFolder);
    DIR* listing = opendir(folder.empty() ? "." : folder.c_str());
    if (listing == nullptr) {
        return names;
    }
    while (const dirent* entry = readdir(listing)) {
        struct stat info;
        const std::string path = folder + "/" + entry->d_name;
        if (lstat(path.c_str(), &info) == 0 && S_ISREG(info.st_mode)) {
            names.emplace_back(entry->d_name);
        }
    }
    closedir(listing);
    return names;
}

bool removeFile(std::string_view handsetPath) {
    const std::string path = toPosixPath(handsetPath);
    struct stat info;
    if (lstat(path.c_str(), &info) != 0 || !S_ISREG(info.st_mode) || unlink(path.c_str()) != 0) {
        runtime::log("cannot delete %s: %s", path.c_str(), std::strerror(errno));
        return false;
    }
    return true;
}

std::unique_ptr<FileReplacement> FileReplacement::begin(std::string_view handsetPath) {
    std::string finalPath = toPosixPath(handsetPath);
    std::string pattern = finalPath + kTemporarySuffix;
    const int fd = mkostemp(pattern.data(), O_CLOEXEC);
    if (fd < 0) {
        runtime::log("cannot write %s: %s", finalPath.c_str(), std::strerror(errno));
        return nullptr;
    }
    // mkstemp creates the file private to the user; give it the mode a plain fopen would.
    fchmod(fd, creationMode);
    std::FILE* stream = fdopen(fd, "wb+");
    if (stream == nullptr) {
        runtime::log("cannot write %s: %s", finalPath.c_str(), std::strerror(errno));
        close(fd);
        unlink(pattern.c_str());
        return nullptr;
    }
    std::unique_ptr<FileReplacement> replacement(new FileReplacement);
    replacement->stream = stream;
    replacement->temporaryPath = std::move(pattern);
    replacement->finalPath = std::move(finalPath);
    return replacement;
}

FileReplacement::~FileReplacement() {
    abandon();
}

bool FileReplacement::commit() {
    if (stream == nullptr) {
        return false;
    }
    bool written = std::fflush(stream) == 0 && std::ferror(stream) == 0 && fsync(fileno(stream)) == 0;
    int error = written ? 0 : errno;
    if (std::fclose(stream) != 0 && written) {
        written = false;
        error = errno;
    }
    stream = nullptr;
    if (written && std::rename(temporaryPath.c_str(), finalPath.c_str()) != 0) {
        written = false;
        error = errno;
    }
    if (written) {
        syncDirectoryOf(finalPath);
    } else {
        runtime::log("cannot write %s: %s", finalPath.c_str(), std::strerror(error));
        unlink(temporaryPath.c_str());
    }
    return written;
}

void FileReplacement::abandon() {
    if (stream == nullptr) {
        return;
    }
    std::fclose(stream);
    stream = nullptr;
    unlink(temporaryPath.c_str());
}

std::string_view FileReplacement::replacedName(const std::string_view name) {
    if (name.size() <= kTemporarySuffixLength) {
        return {};
    }
    const std::size_t dot = name.size() - kTemporarySuffixLength;
    if (name[dot] != '.') {
        return {};
    }
    for (std::size_t i = dot + 1; i < name.size(); ++i) {
        if (!isLetterOrDigit(name[i])) {
            return {};
        }
    }
    return name.substr(0, dot);
}

} // namespace platform
