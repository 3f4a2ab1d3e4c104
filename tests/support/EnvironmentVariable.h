// One environment variable that a test changes: its value is put back when the object goes.
#pragma once

#include <cstdlib>
#include <string>

namespace testing_support {

class EnvironmentVariable {
public:
    explicit EnvironmentVariable(const char* name) : name_(name) {
        if (const char* value = std::getenv(name)) {
            saved_ = value;
            had_ = true;
        }
    }
    ~EnvironmentVariable() {
        if (had_) {
            setenv(name_, saved_.c_str(), 1);
        } else {
            unsetenv(name_);
        }
    }
    EnvironmentVariable(const EnvironmentVariable&) = delete;
    EnvironmentVariable& operator=(const EnvironmentVariable&) = delete;

    // Sets the value; null unsets the variable.
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

} // namespace testing_support
