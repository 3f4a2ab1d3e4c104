// The midlet's platform request: hands a web address to the desktop's browser and, once the
// browser has started, ends the game.
#pragma once

#include <functional>

#include "runtime/JavaTypes.h"

namespace runtime {
struct Object;
struct String;
} // namespace runtime

namespace profile {

// At most this many characters of an address reach the browser.
inline constexpr runtime::jint kMaxUrlLength = 199;

// Ends the game after a successful request. The host installs its own shutdown; until then the
// Application is closed and the process exits with code 0.
using GameEndHook = std::function<void()>;
// Installs hook (null restores the default) and arms the ending again; returns the previous hook.
GameEndHook setGameEndHook(GameEndHook hook);

// Opens url in the browser; when it starts, the game ends (once). Returns 0; when the browser
// cannot start, or url is null, the game goes on. midlet is only the receiver.
runtime::jint platformRequest(runtime::Object* midlet, runtime::String* url);
// The same for length units of 16-bit text.
runtime::jint platformRequestUnits(const runtime::jchar* units, runtime::jint length);

} // namespace profile
