// The game window's key messages: key-down and key-up with the handset's virtual-key codes.
//
// On the handset the host peeked the window's message queue before it polled SDL. Here SDL's
// key events are that queue: peek() looks only at key events, ahead of every other event in
// SDL's queue, and remove() takes the one it showed. Keys without a virtual-key code of the
// handset are dropped on the way. The pump polls SDL's other events separately, so a key that
// arrives while it does so waits for the next pass instead of being lost.
#pragma once

#include <cstdint>
#include <deque>

namespace platform {

// Message kinds of the window queue.
inline constexpr std::uint32_t kKeyDownMessage = 0x100;
inline constexpr std::uint32_t kKeyUpMessage = 0x101;
inline constexpr std::uint32_t kCharMessage = 0x102;

// The handset's virtual-key codes that the host knows.
inline constexpr std::uint32_t kVkReturn = 13;
inline constexpr std::uint32_t kVkEscape = 0x1B;
inline constexpr std::uint32_t kVkHome = 0x24;
inline constexpr std::uint32_t kVkLeft = 37;
inline constexpr std::uint32_t kVkUp = 38;
inline constexpr std::uint32_t kVkRight = 39;
inline constexpr std::uint32_t kVkDown = 40;
inline constexpr std::uint32_t kVkDigit0 = 0x30;
inline constexpr std::uint32_t kVkLetterA = 65;
inline constexpr std::uint32_t kVkLeftWindows = 0x5B;
inline constexpr std::uint32_t kVkNumpad0 = 96;
inline constexpr std::uint32_t kVkF1 = 112;
inline constexpr std::uint32_t kVkF2 = 113;
inline constexpr std::uint32_t kVkF4 = 0x73;
inline constexpr std::uint32_t kVkF8 = 119;
inline constexpr std::uint32_t kVkF9 = 120;

// No virtual-key code: the key is not one of the handset's.
inline constexpr std::uint32_t kNoVirtualKey = 0;

struct KeyMessage {
    std::uint32_t message = 0;    // kKeyDownMessage, kKeyUpMessage, kCharMessage or another kind
    std::uint32_t virtualKey = 0; // the message's key code
};

class KeyMessageQueue {
public:
    virtual ~KeyMessageQueue() = default;
    // Shows the first waiting message without taking it; false when none waits.
    virtual bool peek(KeyMessage& message) = 0;
    // Takes the message that peek showed.
    virtual void remove() = 0;
};

// SDL's key events. SDL must be initialised.
class SdlKeyMessageQueue final : public KeyMessageQueue {
public:
    bool peek(KeyMessage& message) override;
    void remove() override;
};

// Virtual-key code of an SDL key symbol, or kNoVirtualKey.
std::uint32_t virtualKeyOf(int sdlKey);

// Messages a test queued, in order.
class ScriptedKeyMessageQueue final : public KeyMessageQueue {
public:
    bool peek(KeyMessage& message) override;
    void remove() override;
    void push(const std::uint32_t message, const std::uint32_t virtualKey) {
        messages.push_back({message, virtualKey});
    }

    std::deque<KeyMessage> messages;
    int peekCount = 0;
};

// The installed queue (SDL's unless a test installed another).
KeyMessageQueue& keyMessages();
KeyMessageQueue* installKeyMessages(KeyMessageQueue* replacement);

} // namespace platform
