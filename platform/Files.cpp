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

// A directory that XDG_DATA_HOME may name must be absolute; a relative one is ignored.
std::string dataHome() {
    if (const char* root = std::getenv("TARNWICK_ROOT"); root != nullptr && root[0] != '\0') {
        return root;
    }
    if (const char* xdg = std::getenv("XDG_DATA_HOME"); xdg != nullptr && xdg[0] == '/') {
        return xdg;
    }
    const char* home = std::getenv("HOME");
    if (home == nullptr || home[0] == '\0') {
        const passwd* user = getpwuid(getuid());
        home = user != nullptr ? user->pw_dir : nullptr;
    }
    if (home == nullptr) {
        runtime::log("programs folder: no home directory, using the current directory");
        return ".";
    }
    return std::string(home) + "/.local/share";
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

bool isReadMode(const char* mode) {
    return mode[0] == 'r' && std::strchr(mode, '+') == nullptr;
}

mode_t creationMode() {
    const mode_t mask = umask(0);
    umask(mask);
    return 0666 & ~mask;
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

std::string programsFolder() {
    std::string root = absolutePath(dataHome());
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
    const std::string path = toPosixPath(handsetPath);
    std::FILE* file = std::fopen(path.c_str(), mode);
    if (file == nullptr || !isReadMode(mode)) {
        return file;
    }
    struct stat info;
    if (fstat(fileno(file), &info) != 0 || S_ISDIR(info.st_mode)) {
        std::fclose(file);
        return nullptr;
    }
    return file;
}

FileReplacement* FileReplacement::begin(std::string_view handsetPath) {
    std::string finalPath = toPosixPath(handsetPath);
    std::string pattern = finalPath + ".XXXXXX";
    const int fd = mkstemp(pattern.data());
    if (fd < 0) {
        runtime::log("cannot write %s: %s", finalPath.c_str(), std::strerror(errno));
        return nullptr;
    }
    // mkstemp creates the file private to the user; give it the mode a plain fopen would.
    fchmod(fd, creationMode());
    std::FILE* stream = fdopen(fd, "wb+");
    if (stream == nullptr) {
        runtime::log("cannot write %s: %s", finalPath.c_str(), std::strerror(errno));
        close(fd);
        unlink(pattern.c_str());
        return nullptr;
    }
    auto* replacement = new FileReplacement;
    replacement->stream = stream;
    replacement->temporaryPath = std::move(pattern);
    replacement->finalPath = std::move(finalPath);
    return replacement;
}

bool FileReplacement::commit() {
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
    delete this;
    return written;
}

void FileReplacement::abandon() {
    std::fclose(stream);
    unlink(temporaryPath.c_str());
    delete this;
}

} // namespace platform
