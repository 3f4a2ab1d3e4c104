// The menu family index, the menu hint step and stopMusic (see FrameRoutines.h).
#include "game/framework/FrameRoutines.h"

#include "game/framework/GameStatics.h"
#include "game/framework/KeyMasks.h"
#include "game/framework/SpriteServices.h"
#include "profile/SoundPlayer.h"
#include "runtime/ConstantPool.h"
#include "runtime/Exceptions.h"
#include "runtime/StreamsPrint.h"
#include "runtime/StringBuffer.h"
#include "runtime/System.h"

namespace game::framework {

namespace {

using runtime::jlong;

// familyIndex counts from the family bit 32 (bit 5).
constexpr jint kFirstFamilyShift = 5;

// Hint modes.
constexpr jint kHintWaitingToShow = 1;
constexpr jint kHintShowing = -2;
constexpr jint kHintWaitingToHide = 0;
constexpr jint kHintIdle = -1;
constexpr jint kHintShowAnimation = 11;
constexpr jint kHintHideAnimation = 13;
// Input-free time before the hint shows; in a match it shows at once.
constexpr jlong kHintWaitMilliseconds = 4000;
constexpr jint kMatchTopState = 4;

// Music tracks are the sound ids from here on.
constexpr jint kFirstMusicId = 14;
// The trace line "<constant 142><id>" of a stopped track.
constexpr jint kStopTraceConstant = 142;
constexpr jint kStopTraceCapacity = 16;

// stopMusic catches an IOException of a player and goes on with the next.
constexpr runtime::HandlerEntry kPlayerHandlers[] = {{runtime::kIOException, 0, 1}, {}};

void startHintAnimation(const jint animation) {
    if (runtime::Object* hint = statics()->hintSprite) {
        spriteServices().setAnim(hint, animation, 0);
    }
}

void printStopTrace(const jint id) {
    runtime::StringBuffer* line = runtime::newStringBuffer(kStopTraceCapacity);
    line->append(runtime::getConstantString(kStopTraceConstant));
    line->appendInt(id);
    if (runtime::java_io_PrintStream* out = statics()->systemOut) {
        out->println(line->toString());
    }
}

} // namespace

jint familyIndex(const jint value, const jint shift) {
    jint rest = runtime::ishr(runtime::ishr(value, shift), 1);
    jint n = shift - kFirstFamilyShift;
    while (rest > 0) {
        rest >>= 1;
        ++n;
    }
    return n;
}

void stepIdleAnimation() {
    GameStatics* block = statics();
    if (block->hintBlock > 0 || !block->hintStepRequested) {
        return;
    }
    const jlong now = runtime::System::currentTimeMillis();
    if (block->hintMode == kHintWaitingToShow) {
        const jlong wait = block->topState == kMatchTopState ? 0 : kHintWaitMilliseconds;
        if (now - block->hintTime > wait) {
            startHintAnimation(kHintShowAnimation);
            block->hintMode = kHintShowing;
            block->hintHidePending = 0;
            block->hintTime = now;
            ++block->hintChanges;
        }
    } else if (block->hintMode == kHintWaitingToHide && block->hintHidePending) {
        block->hintOffsetX = 0;
        block->hintOffsetY = 0;
        startHintAnimation(kHintHideAnimation);
        block->hintMode = kHintIdle;
        block->hintTime = now;
        ++block->hintChanges;
    }
    if (anyKeyPressed() || block->touchReleased) {
        block->hintTime = now;
        if (block->hintMode == kHintWaitingToHide || block->hintMode == kHintShowing) {
            if (runtime::Object* hint = block->hintSprite) {
                spriteServices().setAnimEnded(hint, kHintHideAnimation);
            }
            block->hintMode = kHintIdle;
        }
    }
    block->hintStepRequested = 0;
}

void stopMusic() {
    GameStatics* block = statics();
    runtime::ObjectArray* players = block->soundPlayers;
    if (players == nullptr) {
        return;
    }
    block->currentMusic = -1;
    runtime::IntArray* ids = block->soundResourceIndex;
    const jint idCount = ids != nullptr ? ids->length : 0;
    for (jint id = kFirstMusicId; id < idCount && id < players->length; ++id) {
        runtime::Object* element = (*players)[id];
        auto* player = element != nullptr ? static_cast<profile::javax_microedition_media_PlayerInterface*>(
                                                element->getInterface(runtime::kPlayer))
                                          : nullptr;
        if (player == nullptr) {
            continue;
        }
        const jint state = player->getState();
        if (runtime::checkException(0) != 0) {
            if (runtime::findHandler(kPlayerHandlers) < 0) {
                return;
            }
            continue;
        }
        if (state != profile::kPlayerStarted) {
            continue;
        }
        player->stop();
        if (runtime::checkException(0) != 0) {
            if (runtime::findHandler(kPlayerHandlers) < 0) {
                return;
            }
            continue;
        }
        printStopTrace(id);
    }
}

} // namespace game::framework
