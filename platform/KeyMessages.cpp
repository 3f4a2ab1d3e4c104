// Key messages from SDL's key events, and the scripted queue of tests.
#include "platform/KeyMessages.h"

#include <SDL.h>

#include "platform/Service.h"

namespace platform {

namespace {

ServiceSlot<KeyMessageQueue, SdlKeyMessageQueue>& slot() {
    static ServiceSlot<KeyMessageQueue, SdlKeyMessageQueue> instance;
    return instance;
}

constexpr Uint32 kKeyEventMask = SDL_KEYDOWNMASK | SDL_KEYUPMASK;

} // namespace

std::uint32_t virtualKeyOf(const int sdlKey) {
    if (sdlKey >= SDLK_a && sdlKey <= SDLK_z) {
        return kVkLetterA + static_cast<std::uint32_t>(sdlKey - SDLK_a);
    }
    if (sdlKey >= SDLK_0 && sdlKey <= SDLK_9) {
        return kVkDigit0 + static_cast<std::uint32_t>(sdlKey - SDLK_0);
    }
    if (sdlKey >= SDLK_KP0 && sdlKey <= SDLK_KP9) {
        return kVkNumpad0 + static_cast<std::uint32_t>(sdlKey - SDLK_KP0);
    }
    switch (sdlKey) {
    case SDLK_RETURN:
    case SDLK_KP_ENTER:
        return kVkReturn;
    case SDLK_ESCAPE:
        return kVkEscape;
    case SDLK_HOME:
        return kVkHome;
    case SDLK_LEFT:
        return kVkLeft;
    case SDLK_UP:
        return kVkUp;
    case SDLK_RIGHT:
        return kVkRight;
    case SDLK_DOWN:
        return kVkDown;
    case SDLK_LSUPER:
        return kVkLeftWindows;
    case SDLK_F1:
        return kVkF1;
    case SDLK_F2:
        return kVkF2;
    case SDLK_F4:
        return kVkF4;
    case SDLK_F8:
        return kVkF8;
    case SDLK_F9:
        return kVkF9;
    default:
        return kNoVirtualKey;
    }
}

bool SdlKeyMessageQueue::peek(KeyMessage& message) {
    SDL_PumpEvents();
    SDL_Event event;
    while (SDL_PeepEvents(&event, 1, SDL_PEEKEVENT, kKeyEventMask) == 1) {
        const std::uint32_t virtualKey = virtualKeyOf(event.key.keysym.sym);
        if (virtualKey != kNoVirtualKey) {
            message.message = event.type == SDL_KEYDOWN ? kKeyDownMessage : kKeyUpMessage;
            message.virtualKey = virtualKey;
            return true;
        }
        // Not a key of the handset: the window would never have seen it.
        SDL_PeepEvents(&event, 1, SDL_GETEVENT, kKeyEventMask);
    }
    return false;
}

void SdlKeyMessageQueue::remove() {
    SDL_Event event;
    SDL_PeepEvents(&event, 1, SDL_GETEVENT, kKeyEventMask);
}

bool ScriptedKeyMessageQueue::peek(KeyMessage& message) {
    ++peekCount;
    if (messages.empty()) {
        return false;
    }
    message = messages.front();
    return true;
}

void ScriptedKeyMessageQueue::remove() {
    if (!messages.empty()) {
        messages.pop_front();
    }
}

KeyMessageQueue& keyMessages() {
    return slot().get();
}

KeyMessageQueue* installKeyMessages(KeyMessageQueue* const replacement) {
    return slot().install(replacement);
}

} // namespace platform
