// The midlet's platform request (see PlatformRequest.h).
#include "profile/PlatformRequest.h"

#include <cstdlib>
#include <string>
#include <utility>

#include "platform/ProcessLauncher.h"
#include "platform/Utf8.h"
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
    const std::string url =
        platform::utf16ToUtf8(reinterpret_cast<const char16_t*>(units), static_cast<std::size_t>(length));
    if (!platform::openInBrowser(url)) {
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
