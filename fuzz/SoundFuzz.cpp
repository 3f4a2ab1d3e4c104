// A player's life for the sound targets (see SoundFuzz.h).
#include "fuzz/SoundFuzz.h"

#include "fuzz/FuzzRuntime.h"
#include "platform/SdlWaveOut.h"
#include "profile/SoundManager.h"
#include "runtime/Application.h"
#include "runtime/String.h"

namespace fuzzing {

namespace {

constexpr std::uint32_t kRenderedFrames = platform::kDefaultDeviceRate / 10;
constexpr runtime::jint kLoops = 2;

platform::SdlWaveOut& captureOutput() {
    static platform::SdlWaveOut* output = [] {
        auto* made = new platform::SdlWaveOut(platform::SdlWaveOut::Mode::Capture);
        platform::setWaveOut(made);
        return made;
    }();
    return *output;
}

} // namespace

void playSound(const std::uint8_t* data, const std::size_t size, const char* contentType) {
    platform::SdlWaveOut& output = captureOutput();
    profile::javax_microedition_media_Player* player =
        profile::Manager::createPlayer(entryStreamOf(data, size), runtime::newStringFromCString(contentType));
    if (player == nullptr) {
        application().pendingException = nullptr;
        return;
    }
    player->realize();
    if (player->getState() == profile::kPlayerRealized) {
        player->getDuration();
        player->setLoopCount(kLoops);
        player->prefetch();
        player->start();
        output.render(kRenderedFrames);
        output.takeCapture();
        player->getMediaTime();
        player->stop();
        player->deallocate();
    }
    player->close();
    application().pendingException = nullptr;
}

} // namespace fuzzing
