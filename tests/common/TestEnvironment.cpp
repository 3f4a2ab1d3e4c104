// What every test program sets up before its first case: SDL runs headless (its dummy video and
// audio drivers unless the caller chose others), a crash names the case it happened in, and a case
// that leaves the collector's stress mode switched fails.
//
// One process runs all cases of a program, and CI prints only failures, so after a fatal signal
// or a sanitizer report the log would name just the program; the case that was running is written
// out before the signal goes on to whoever handled it before (the sanitizer or the default).
#include <gtest/gtest.h>

#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <unistd.h>

#if defined(__SANITIZE_ADDRESS__)
#include <sanitizer/common_interface_defs.h>
#endif

// Weak, so that the test programs that do not link the runtime (null here) need no stub.
namespace runtime {
[[gnu::weak]] bool gcStress();
[[gnu::weak]] void setGcStress(bool on);
} // namespace runtime

namespace {

// Filled before each case starts; the signal handler reads it, so it is plain memory.
char runningCase[1024];

void writeRunningCase() {
    const std::size_t length = std::strlen(runningCase);
    if (length == 0) {
        return;
    }
    static const char kPrefix[] = "\n*** the test program died while running ";
    ssize_t written = write(STDERR_FILENO, kPrefix, sizeof kPrefix - 1);
    written = write(STDERR_FILENO, runningCase, length);
    written = write(STDERR_FILENO, "\n", 1);
    static_cast<void>(written);
}

constexpr int kFatalSignals[] = {SIGSEGV, SIGBUS, SIGFPE, SIGILL, SIGABRT};
struct sigaction earlierHandlers[NSIG];

// Puts the earlier handler back and returns: a faulting instruction faults again into it, and
// abort() raises SIGABRT again once its handler has returned.
void onFatalSignal(const int signal) {
    writeRunningCase();
    sigaction(signal, &earlierHandlers[signal], nullptr);
}

class RunningCaseRecorder : public testing::EmptyTestEventListener {
    void OnTestStart(const testing::TestInfo& info) override {
        std::snprintf(runningCase, sizeof runningCase, "%s.%s", info.test_suite_name(), info.name());
        if (runtime::gcStress != nullptr) {
            stressAtStart = runtime::gcStress();
        }
    }
    // The run's stress mode holds for every case of the process, not only for the first ones.
    void OnTestEnd(const testing::TestInfo&) override {
        if (runtime::gcStress != nullptr && runtime::gcStress() != stressAtStart) {
            runtime::setGcStress(stressAtStart);
            ADD_FAILURE() << runningCase << " left the collector's stress mode "
                          << (stressAtStart ? "off" : "on") << "; a case puts back the mode it found";
        }
        runningCase[0] = '\0';
    }

    bool stressAtStart = false;
};

const bool prepared = [] {
    setenv("SDL_VIDEODRIVER", "dummy", 0);
    setenv("SDL_AUDIODRIVER", "dummy", 0);
    for (const int signal : kFatalSignals) {
        struct sigaction handler {};
        handler.sa_handler = onFatalSignal;
        handler.sa_flags = SA_ONSTACK; // the sanitizers' stack for overflows, when there is one
        sigemptyset(&handler.sa_mask);
        sigaction(signal, &handler, &earlierHandlers[signal]);
    }
#if defined(__SANITIZE_ADDRESS__)
    // A sanitizer report ends the process without a signal.
    __sanitizer_set_death_callback(writeRunningCase);
#endif
    testing::UnitTest::GetInstance()->listeners().Append(new RunningCaseRecorder);
    return true;
}();

} // namespace
