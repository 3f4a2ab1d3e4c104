// A small runtime for tests (see RuntimeFixture.h).
#include "tests/runtime/RuntimeFixture.h"

#include <cstdio>

#include "runtime/String.h"

namespace runtime {

RuntimeFixture::RuntimeFixture(const jint objectHeapSize, const jint secondaryHeapSize)
    : objectHeapSize(objectHeapSize), secondaryHeapSize(secondaryHeapSize) {}

void RuntimeFixture::SetUp() {
    previousSink = setLogSink([this](const std::string& line) { lines.push_back(line); });
    RuntimeOptions options;
    options.objectHeapSize = objectHeapSize;
    options.secondaryHeapSize = secondaryHeapSize;
    options.collectWhenFull = false;
    ASSERT_TRUE(application.init(options));
    // The set-up's own log lines are not the test's.
    lines.clear();
}

void RuntimeFixture::TearDown() {
    application.close();
    Application::setInstance(nullptr);
    setLogSink(previousSink);
}

bool RuntimeFixture::logged(const std::string& line) const {
    for (const std::string& candidate : lines) {
        if (candidate == line) {
            return true;
        }
    }
    return false;
}

void RuntimeFixture::logToStderr() {
    setLogSink([](const std::string& line) { std::fprintf(stderr, "%s\n", line.c_str()); });
}

std::string RuntimeFixture::text(const String* string) {
    std::string result;
    if (string == nullptr) {
        return result;
    }
    for (jint i = 0; i < string->length(); ++i) {
        result += static_cast<char>(string->chars[i]);
    }
    return result;
}

} // namespace runtime
