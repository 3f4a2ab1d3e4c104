// Starting other programs (see ProcessLauncher.h).
#include "platform/ProcessLauncher.h"

#include <spawn.h>
#include <sys/types.h>

#include "platform/Service.h"

extern char** environ;

namespace platform {

namespace {
ServiceSlot<ProcessLauncher, SpawnProcessLauncher>& slot() {
    static ServiceSlot<ProcessLauncher, SpawnProcessLauncher> instance;
    return instance;
}
} // namespace

bool SpawnProcessLauncher::start(const std::vector<std::string>& arguments) {
    if (arguments.empty() || arguments.front().empty()) {
        return false;
    }
    std::vector<char*> argv;
    argv.reserve(arguments.size() + 1);
    for (const std::string& argument : arguments) {
        argv.push_back(const_cast<char*>(argument.c_str()));
    }
    argv.push_back(nullptr);

    posix_spawn_file_actions_t actions;
    if (posix_spawn_file_actions_init(&actions) != 0) {
        return false;
    }
#if defined(__GLIBC__) && (__GLIBC__ > 2 || (__GLIBC__ == 2 && __GLIBC_MINOR__ >= 34))
    // Nothing of the game's open files (record stores, the archive) reaches the browser.
    posix_spawn_file_actions_addclosefrom_np(&actions, 3);
#endif
    pid_t child = 0;
    const int result = posix_spawnp(&child, argv[0], &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    return result == 0;
}

bool ScriptedProcessLauncher::start(const std::vector<std::string>& arguments) {
    started.push_back(arguments);
    return result;
}

ProcessLauncher& processLauncher() {
    return slot().get();
}

ProcessLauncher* installProcessLauncher(ProcessLauncher* replacement) {
    return slot().install(replacement);
}

bool openInBrowser(const std::string& url) {
    return processLauncher().start({"xdg-open", url});
}

} // namespace platform
