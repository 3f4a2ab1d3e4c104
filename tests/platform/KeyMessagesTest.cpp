// Key messages: SDL keys to the handset's virtual keys, and key events peeked ahead of all others.
#include "platform/KeyMessages.h"

#include <SDL.h>
#include <gtest/gtest.h>

#include <cstdlib>

namespace platform {
namespace {

struct KeyCase {
    int sdlKey;
    std::uint32_t virtualKey;
};

TEST(VirtualKeyTest, HandsetKeysHaveTheirCodes) {
    const KeyCase cases[] = {
        {SDLK_RETURN, 13}, {SDLK_KP_ENTER, 13}, {SDLK_ESCAPE, 0x1B}, {SDLK_HOME, 0x24},   {SDLK_LEFT, 37},
        {SDLK_UP, 38},     {SDLK_RIGHT, 39},    {SDLK_DOWN, 40},     {SDLK_a, 65},        {SDLK_m, 77},
        {SDLK_z, 90},      {SDLK_0, 48},        {SDLK_9, 57},        {SDLK_LSUPER, 0x5B}, {SDLK_KP0, 96},
        {SDLK_KP5, 101},   {SDLK_KP9, 105},     {SDLK_F1, 112},      {SDLK_F2, 113},      {SDLK_F4, 0x73},
        {SDLK_F8, 119},    {SDLK_F9, 120},
    };
    for (const KeyCase& c : cases) {
        EXPECT_EQ(virtualKeyOf(c.sdlKey), c.virtualKey) << "SDL key " << c.sdlKey;
    }
}

TEST(VirtualKeyTest, KeysTheHandsetLacksHaveNoCode) {
    for (const int sdlKey : {SDLK_F3, SDLK_LSHIFT, SDLK_SPACE, SDLK_RSUPER, SDLK_F10, SDLK_UNKNOWN}) {
        EXPECT_EQ(virtualKeyOf(sdlKey), kNoVirtualKey) << "SDL key " << sdlKey;
    }
}

// SDL's event queue under the dummy video driver.
class SdlKeyMessageQueueTest : public ::testing::Test {
protected:
    void SetUp() override {
        setenv("SDL_VIDEODRIVER", "dummy", 0);
        ASSERT_EQ(SDL_Init(SDL_INIT_VIDEO | SDL_INIT_NOPARACHUTE), 0) << SDL_GetError();
    }
    void TearDown() override { SDL_Quit(); }

    static void pushKey(const Uint8 type, const SDLKey key) {
        SDL_Event event = {};
        event.type = type;
        event.key.type = type;
        event.key.state = type == SDL_KEYDOWN ? SDL_PRESSED : SDL_RELEASED;
        event.key.keysym.sym = key;
        ASSERT_EQ(SDL_PushEvent(&event), 0);
    }
    static void pushMouseDown() {
        SDL_Event event = {};
        event.type = SDL_MOUSEBUTTONDOWN;
        event.button.type = SDL_MOUSEBUTTONDOWN;
        event.button.state = SDL_PRESSED;
        ASSERT_EQ(SDL_PushEvent(&event), 0);
    }

    SdlKeyMessageQueue queue;
};

TEST_F(SdlKeyMessageQueueTest, AKeyIsSeenBeforeEarlierEventsOfOtherKinds) {
    pushMouseDown();
    pushKey(SDL_KEYDOWN, SDLK_UP);
    KeyMessage message;
    ASSERT_TRUE(queue.peek(message));
    EXPECT_EQ(message.message, kKeyDownMessage);
    EXPECT_EQ(message.virtualKey, kVkUp);
    queue.remove();
    EXPECT_FALSE(queue.peek(message));
    // The mouse event is still waiting for the pump.
    SDL_Event event;
    ASSERT_EQ(SDL_PeepEvents(&event, 1, SDL_GETEVENT, SDL_ALLEVENTS), 1);
    EXPECT_EQ(event.type, SDL_MOUSEBUTTONDOWN);
}

TEST_F(SdlKeyMessageQueueTest, PeekLeavesTheMessageUntilRemoved) {
    pushKey(SDL_KEYUP, SDLK_F2);
    KeyMessage first;
    KeyMessage second;
    ASSERT_TRUE(queue.peek(first));
    ASSERT_TRUE(queue.peek(second));
    EXPECT_EQ(second.message, kKeyUpMessage);
    EXPECT_EQ(second.virtualKey, kVkF2);
    queue.remove();
    EXPECT_FALSE(queue.peek(first));
}

TEST_F(SdlKeyMessageQueueTest, KeysWithoutAHandsetCodeAreDropped) {
    pushKey(SDL_KEYDOWN, SDLK_LSHIFT);
    pushKey(SDL_KEYDOWN, SDLK_KP7);
    KeyMessage message;
    ASSERT_TRUE(queue.peek(message));
    EXPECT_EQ(message.virtualKey, kVkNumpad0 + 7);
    queue.remove();
    EXPECT_FALSE(queue.peek(message));
}

TEST(ScriptedKeyMessageQueueTest, GivesMessagesInOrder) {
    ScriptedKeyMessageQueue queue;
    queue.push(kCharMessage, 'a');
    queue.push(kKeyUpMessage, kVkReturn);
    KeyMessage message;
    ASSERT_TRUE(queue.peek(message));
    EXPECT_EQ(message.message, kCharMessage);
    queue.remove();
    ASSERT_TRUE(queue.peek(message));
    EXPECT_EQ(message.virtualKey, kVkReturn);
    queue.remove();
    queue.remove();
    EXPECT_FALSE(queue.peek(message));
    EXPECT_EQ(queue.peekCount, 3);
}

} // namespace
} // namespace platform
