// The game on the sample data, headless under the host harness with its virtual clock (the
// loading state waits on frames, not on time): wall time from the start to the first title frame,
// the cost of one menu frame (update and paint), and the peak resident memory of the process
// after a run to the title, reported beside them (counter peak_rss_MB).
#include <SDL.h>
#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstring>
#include <filesystem>
#include <memory>
#include <string>

#include "game/core/GameStatics.h"
#include "game/core/TopStates.h"
#include "game/framework/Quorlin.h"
#include "game/framework/StaticSetUp.h"
#include "game/resources/ArchiveResource.h"
#include "runtime/Application.h"
#include "runtime/Log.h"
#include "tests/support/HostHarness.h"
#include "tests/support/TemporaryRoot.h"

namespace {

using game::statics;
using runtime::jint;

constexpr int kQuestionWaitFrames = 4;
constexpr std::uint64_t kFrameLimit = 200;

// A game midlet started on the sample archive in a programs folder of its own.
class SampleGame {
public:
    SampleGame() {
        const std::filesystem::path folder = root.path() / "Brenvale" / "Tarnwick";
        std::filesystem::create_directories(folder);
        std::filesystem::create_symlink(std::filesystem::path(TARNWICK_SAMPLE_ROOT) / "Brenvale" /
                                            "Tarnwick" / "data.bar",
                                        folder / "data.bar");
        game::resources::resetArchiveDirectory();
        game::resources::installArchiveOpener();
        game::installStaticSetUp();
        started = harness.startMidlet(&game::Quorlin::create);
    }
    ~SampleGame() {
        harness.host().closeApplication();
        runtime::Application::setStaticSetUp({});
        game::resources::resetArchiveDirectory();
    }

    // Runs frames to the first title frame painted, answering the first-run question; false
    // when the title does not come.
    bool runToTitle() {
        while (started && topState() != game::core::kTopStateQuestion && harness.framesRun() < kFrameLimit) {
            harness.runFrames(1);
        }
        harness.runFrames(kQuestionWaitFrames);
        harness.key(harness.framesRun(), SDLK_RETURN);
        while (topState() != game::core::kTopStateTitle && harness.framesRun() < kFrameLimit) {
            harness.runFrames(1);
        }
        harness.runFrames(1);
        return topState() == game::core::kTopStateTitle;
    }
    // From the title into the main menu.
    bool enterMenus() {
        harness.runFrames(kQuestionWaitFrames);
        harness.key(harness.framesRun(), SDLK_RETURN);
        harness.runFrames(2);
        return topState() == game::core::kTopStateMenus;
    }
    static jint topState() { return statics()->topState; }

    testing_support::TemporaryRoot root;
    profile::testing::HostHarness harness;
    bool started = false;
};

// VmHWM of /proc/self/status in MiB; 0 when it cannot be read.
double peakResidentMegabytes() {
    std::FILE* status = std::fopen("/proc/self/status", "r");
    if (status == nullptr) {
        return 0;
    }
    char line[256];
    long kilobytes = 0;
    while (std::fgets(line, sizeof line, status) != nullptr) {
        if (std::strncmp(line, "VmHWM:", 6) == 0) {
            std::sscanf(line + 6, "%ld", &kilobytes);
        }
    }
    std::fclose(status);
    return static_cast<double>(kilobytes) / 1024.0;
}

void BM_StartUpToFirstTitleFrame(benchmark::State& state) {
    runtime::setLogSink([](const std::string&) {});
    for (auto _ : state) {
        SampleGame game;
        if (!game.started || !game.runToTitle()) {
            state.SkipWithError("the game did not reach the title");
            break;
        }
        state.counters["frames"] = static_cast<double>(game.harness.framesRun());
    }
    state.counters["peak_rss_MB"] = peakResidentMegabytes();
}
BENCHMARK(BM_StartUpToFirstTitleFrame)->Unit(benchmark::kMillisecond)->Iterations(10);

void BM_MenuFrame(benchmark::State& state) {
    runtime::setLogSink([](const std::string&) {});
    SampleGame game;
    if (!game.started || !game.runToTitle() || !game.enterMenus()) {
        state.SkipWithError("the game did not reach the menus");
        return;
    }
    for (auto _ : state) {
        game.harness.runFrames(1);
    }
    state.counters["peak_rss_MB"] = peakResidentMegabytes();
}
BENCHMARK(BM_MenuFrame)->Unit(benchmark::kMicrosecond);

} // namespace
