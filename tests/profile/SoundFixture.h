// A small runtime for the sound tests: an Application with two small heaps, the ObjectManager
// and the class table, made current for the test; log lines are captured, and a scripted wave
// output is installed in place of the SDL one.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

#include "platform/SdlWaveOut.h"
#include "platform/WaveOutDouble.h"
#include "runtime/Application.h"
#include "runtime/ClassTable.h"
#include "runtime/Exceptions.h"
#include "runtime/Log.h"
#include "runtime/ObjectManager.h"
#include "runtime/StaticClass.h"
#include "runtime/String.h"
#include "runtime/Throwable.h"
#include "runtime/VirtualMemoryManager.h"

namespace profile::testing {

class SoundFixture : public ::testing::Test {
protected:
    static constexpr runtime::jint kHeapSize = 1 << 20;

    void SetUp() override {
        previousSink = runtime::setLogSink([this](const std::string& line) { lines.push_back(line); });
        runtime::Application::setInstance(&application);
        application.objectHeap = new runtime::VirtualMemoryManager();
        ASSERT_TRUE(application.objectHeap->init(kHeapSize, false));
        application.secondaryHeap = new runtime::VirtualMemoryManager();
        ASSERT_TRUE(application.secondaryHeap->init(kHeapSize, true));
        // No collection during a test: objects live until the fixture ends.
        application.objectHeap->setCollectHook([](runtime::jint) {});
        application.secondaryHeap->setCollectHook([](runtime::jint) {});
        application.objectManager = new runtime::ObjectManager();
        application.objectManager->application = &application;
        application.staticClass = new runtime::StaticClass();
        runtime::initClassTable(application.staticClass);
        previousWaveOut = platform::setWaveOut(&waveOut);
    }

    void TearDown() override {
        // Players own native buffers and wave outputs: close every object still listed.
        if (runtime::ObjectManager* manager = application.objectManager) {
            for (runtime::jint i = 0; i < manager->count; ++i) {
                if (manager->objects[i] != nullptr) {
                    manager->objects[i]->release();
                }
            }
        }
        platform::setWaveOut(previousWaveOut);
        runtime::freeRefFieldLists();
        delete application.staticClass;
        application.staticClass = nullptr;
        if (runtime::ObjectManager* manager = application.objectManager) {
            std::free(manager->objects);
            delete manager;
            application.objectManager = nullptr;
        }
        for (runtime::VirtualMemoryManager** heap : {&application.objectHeap, &application.secondaryHeap}) {
            if (*heap != nullptr) {
                (*heap)->destroy();
                delete *heap;
                *heap = nullptr;
            }
        }
        runtime::Application::setInstance(nullptr);
        runtime::setLogSink(previousSink);
    }

    // Plays through the mixer in capture mode (at rate) instead of the scripted double.
    void useCapture(const std::uint32_t rate) {
        capture = std::make_unique<platform::SdlWaveOut>(platform::SdlWaveOut::Mode::Capture, rate);
        platform::setWaveOut(capture.get());
    }

    bool loggedContaining(const std::string& part) const {
        for (const std::string& line : lines) {
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

    static std::string text(const runtime::String* string) {
        std::string result;
        for (runtime::jint i = 0; string != nullptr && i < string->length(); ++i) {
            result += static_cast<char>(string->chars[i]);
        }
        return result;
    }

    runtime::Application application;
    platform::WaveOutDouble waveOut;
    std::unique_ptr<platform::SdlWaveOut> capture;
    std::vector<std::string> lines;

private:
    runtime::LogSink previousSink;
    platform::WaveOutService* previousWaveOut = nullptr;
};

} // namespace profile::testing
