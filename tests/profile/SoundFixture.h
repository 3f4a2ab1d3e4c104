// The runtime's small test fixture with a scripted wave output installed in place of the SDL
// one; a test may switch to the mixer in capture mode instead.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "platform/SdlWaveOut.h"
#include "platform/WaveOutDouble.h"
#include "profile/SoundManager.h"
#include "runtime/Exceptions.h"
#include "runtime/ObjectManager.h"
#include "runtime/Throwable.h"
#include "tests/runtime/RuntimeFixture.h"

namespace profile::testing {

class SoundFixture : public runtime::RuntimeFixture {
protected:
    // A player of the sound in bytes, as the game creates one from its data (null when refused).
    static javax_microedition_media_Player* playerOf(const std::vector<std::uint8_t>& bytes) {
        return Manager::createPlayer(bytes.data(), static_cast<runtime::jint>(bytes.size()), nullptr);
    }

    void SetUp() override {
        RuntimeFixture::SetUp();
        previousWaveOut = platform::setWaveOut(&waveOut);
    }

    void TearDown() override {
        // Players own native buffers and wave outputs, which the heaps do not: close every
        // object still listed while its wave output is installed.
        if (runtime::ObjectManager* manager = application.objectManager) {
            for (runtime::jint i = 0; i < manager->count; ++i) {
                if (manager->objects[i] != nullptr) {
                    manager->objects[i]->release();
                }
            }
        }
        platform::setWaveOut(previousWaveOut);
        RuntimeFixture::TearDown();
    }

    // Plays through the mixer in capture mode (at rate) instead of the scripted double.
    void useCapture(const std::uint32_t rate) {
        capture = std::make_unique<platform::SdlWaveOut>(platform::SdlWaveOut::Mode::Capture, rate);
        platform::setWaveOut(capture.get());
    }

    bool loggedContaining(const std::string& part) const {
        for (const std::string& line : logLines()) {
            if (line.find(part) != std::string::npos) {
                return true;
            }
        }
        return false;
    }

    // The class id of the pending exception (-1 for none), which is then cleared.
    runtime::jint takePendingExceptionClass() {
        runtime::java_lang_Throwable* pending = runtime::getPendingException();
        application.pendingException = nullptr;
        return pending == nullptr ? -1 : pending->classId;
    }

    platform::WaveOutDouble waveOut;
    std::unique_ptr<platform::SdlWaveOut> capture;

private:
    platform::WaveOutService* previousWaveOut = nullptr;
};

} // namespace profile::testing
