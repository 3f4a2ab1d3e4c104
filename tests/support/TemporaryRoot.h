// A temporary directory that serves as the programs folder for one test: TARNWICK_ROOT points at
// it while the object lives, and it is removed with everything in it afterwards.
#pragma once

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

namespace testing_support {

class TemporaryRoot {
public:
    TemporaryRoot() {
        std::string pattern = (std::filesystem::temp_directory_path() / "tarnwick-XXXXXX").string();
        if (mkdtemp(pattern.data()) == nullptr) {
            throw std::runtime_error("cannot create a temporary folder");
        }
        path_ = pattern;
        if (const char* old = std::getenv("TARNWICK_ROOT")) {
            previous_ = old;
        }
        setenv("TARNWICK_ROOT", path_.c_str(), 1);
    }
    ~TemporaryRoot() {
        if (previous_) {
            setenv("TARNWICK_ROOT", previous_->c_str(), 1);
        } else {
            unsetenv("TARNWICK_ROOT");
        }
        std::error_code ignored;
        std::filesystem::remove_all(path_, ignored);
    }
    TemporaryRoot(const TemporaryRoot&) = delete;
    TemporaryRoot& operator=(const TemporaryRoot&) = delete;

    const std::filesystem::path& path() const { return path_; }

    // Writes bytes to a file below the root, creating its folders.
    void write(const std::string& relative, const std::vector<unsigned char>& bytes) const {
        const std::filesystem::path file = path_ / relative;
        std::filesystem::create_directories(file.parent_path());
        std::ofstream out(file, std::ios::binary | std::ios::trunc);
        out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    }
    void write(const std::string& relative, const std::string& text) const {
        write(relative, std::vector<unsigned char>(text.begin(), text.end()));
    }
    std::string read(const std::string& relative) const {
        std::ifstream in(path_ / relative, std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    }

private:
    std::filesystem::path path_;
    std::optional<std::string> previous_;
};

} // namespace testing_support
