// The midlet's platform request (see PlatformRequest.h).
#include "profile/PlatformRequest.h"

#include <cstdlib>
#include <string>
#include <utility>

#include "platform/ProcessLauncher.h"
#include "runtime/Application.h"
#include "runtime/Log.h"
#include "runtime/String.h"

namespace profile {

namespace {

void closeAndExit() {
    if (runtime::Application* application = runtime::Application::getInstance()) {
        application->close();
    }
    std::exit(0);
}

struct Ending {
    GameEndHook hook;
    bool done = false;
};

Ending& ending() {
    static Ending state;
    return state;
}

// UTF-8 of 16-bit units; a lone surrogate becomes U+FFFD.
std::string toUtf8(const runtime::jchar* units, const runtime::jint length) {
    std::string text;
    for (runtime::jint i = 0; i < length; ++i) {
        char32_t code = units[i];
        if (code >= 0xD800 && code <= 0xDBFF && i + 1 < length && units[i + 1] >= 0xDC00 &&
            units[i + 1] <= 0xDFFF) {
            code = 0x10000 + ((code - 0xD800) << 10) + (units[++i] - 0xDC00);
        } else if (code >= 0xD800 && code <= 0xDFFF) {
            code = 0xFFFD;
        }
        if (code < 0x80) {
            text += static_cast<char>(code);
        } else if (code < 0x800) {
            text += static_cast<char>(0xC0 | code >> 6);
            text += static_cast<char>(0x80 | (code & 0x3F));
        } else if (code < 0x10000) {
            text += static_cast<char>(0xE0 | code >> 12);
            text += static_cast<char>(0x80 | (code >> 6 & 0x3F));
            text += static_cast<char>(0x80 | (code & 0x3F));
        } else {
            text += static_cast<char>(0xF0 | code >> 18);
            text += static_cast<char>(0x80 | (code >> 12 & 0x3F));
            text += static_cast<char>(0x80 | (code >> 6 & 0x3F));
            text += static_cast<char>(0x80 | (code & 0x3F));
        }
    }
    return text;
}

} // namespace

GameEndHook setGameEndHook(GameEndHook hook) {
    Ending& state = ending();
    state.done = false;
    return std::exchange(state.hook, std::move(hook));
}

runtime::jint platformRequestUnits(const runtime::jchar* units, runtime::jint length) {
    Ending& state = ending();
    // The game is already shutting down: a second browser or a second close would be wrong.
    if (state.done) {
        return 0;
    }
    if (units == nullptr || length < 0) {
        length = 0;
    }
    if (length > kMaxUrlLength) {
        length = kMaxUrlLength;
    }
    if (!platform::openInBrowser(toUtf8(units, length))) {
        return 0;
    }
    state.done = true;
    if (state.hook) {
        state.hook();
    } else {
        closeAndExit();
    }
    return 0;
}

runtime::jint platformRequest(runtime::Object* /*midlet*/, runtime::String* url) {
    if (url == nullptr) {
        runtime::log("platformRequest url=null");
        runtime::dumpStackTrace();
        return 0;
    }
    return platformRequestUnits(url->chars, url->length());
}

} // namespace profile
