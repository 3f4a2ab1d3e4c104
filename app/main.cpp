// The program: the entry's checks, then the host shell running the game's midlet. This is where
// the layers meet: main installs the game's static set-up, its midlet and the archive opener into
// the runtime and the profile before the host starts. TARNWICK_FRAME_LIMIT=n ends the run after n
// frames (for runs without a screen, with SDL_VIDEODRIVER=dummy).
#include <SDL.h>

#include <cerrno>
#include <cstdint>
#include <cstdlib>

#include "game/framework/Quorlin.h"
#include "game/framework/StaticSetUp.h"
#include "game/resources/ArchiveResource.h"
#include "profile/Entry.h"
#include "profile/Host.h"
#include "runtime/Application.h"
#include "runtime/Collector.h"
#include "runtime/Log.h"

namespace {

// TARNWICK_FRAME_LIMIT, or 0 (no limit) when it is unset or not a number.
std::uint64_t frameLimitFromEnvironment() {
    const char* text = std::getenv("TARNWICK_FRAME_LIMIT");
    if (text == nullptr || *text == '\0') {
        return 0;
    }
    char* end = nullptr;
    errno = 0;
    const unsigned long long frames = std::strtoull(text, &end, 10);
    if (*end != '\0' || errno != 0 || text[0] == '-') {
        runtime::log("TARNWICK_FRAME_LIMIT=%s is not a frame count; running without a limit", text);
        return 0;
    }
    return frames;
}

} // namespace

int main(int, char**) {
    profile::installOutOfStoreHandler();
    // The game's own reader judges data.bar before anything starts.
    const profile::StartDecision decision = profile::passStartChecks(&game::resources::findArchiveProblem);
    if (!decision.start) {
        return decision.exitCode;
    }

    profile::Host host;
    // Every frame of the game lies below this one: the collector scans the stack up to here.
    runtime::setStackBase(&host);
    game::installStaticSetUp();
    runtime::Application::setMidletFactory(&game::Quorlin::create);
    // Resources that are not loose files come out of the game's archive.
    game::resources::installArchiveOpener();
    host.setFrameLimit(frameLimitFromEnvironment());
    if (!host.init()) {
        SDL_Quit();
        return 1;
    }
    host.run();
    host.shutdown();
    return 0;
}
