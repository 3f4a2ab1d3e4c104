// A console for tests that reports every sound request: playSound writes "playSound <id>" (its
// trace line, constant string 137) to systemOut before anything else, so a console that reads
// those lines sees every request in call order, whether or not a player exists for it.
#pragma once

#include <string>
#include <string_view>

#include "game/core/GameStatics.h"
#include "runtime/Arrays.h"
#include "runtime/ObjectManager.h"
#include "runtime/Streams.h"
#include "runtime/StreamsPrint.h"

namespace testing_support {

// A console that hands every finished line to onLine. The line is kept in a fixed buffer: the
// collector frees objects without running their destructors.
struct ConsoleLineReader : runtime::java_io_OutputStream {
    static constexpr int kLineCapacity = 256;

    void write(const runtime::jint b) override {
        if (b != '\n') {
            if (length < kLineCapacity) {
                line[length++] = static_cast<char>(b);
            }
            return;
        }
        const std::string text(line, static_cast<std::size_t>(length));
        length = 0;
        onLine(text);
    }
    void write(runtime::ByteArray* b, const runtime::jint off, const runtime::jint len) override {
        for (runtime::jint i = 0; i < len; ++i) {
            write((*b)[off + i]);
        }
    }
    virtual void onLine(const std::string& text) = 0;

    char line[kLineCapacity] = {};
    int length = 0;
};

// Calls report(context, id) for every finished "playSound <id>" line.
struct SoundRequestConsole : ConsoleLineReader {
    using Report = void (*)(void* context, runtime::jint id);
    static constexpr std::string_view kRequest = "playSound ";

    SoundRequestConsole(const Report report, void* const context) : report(report), context(context) {}

    void onLine(const std::string& text) override {
        if (text.rfind(kRequest, 0) == 0) {
            report(context, std::stoi(text.substr(kRequest.size())));
        }
    }

    Report report;
    void* context;
};

// Makes the game's systemOut a console that reports sound requests.
inline void reportSoundRequests(const SoundRequestConsole::Report report, void* const context) {
    auto* console = runtime::newObject<SoundRequestConsole>(report, context);
    game::statics()->systemOut = runtime::newObject<runtime::java_io_PrintStream>(console);
}

} // namespace testing_support
