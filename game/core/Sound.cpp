// Sound by id.
#include "game/core/Sound.h"

#include "game/core/GameStatics.h"
#include "profile/SoundPlayer.h"
#include "runtime/ConstantPool.h"
#include "runtime/Exceptions.h"
#include "runtime/StreamsPrint.h"
#include "runtime/StringBuffer.h"

namespace game::core {

namespace {

// Constant strings of the console trace: the request, the start, and the closing line.
constexpr jint kTraceRequest = 137;
constexpr jint kTraceStarted = 138;
constexpr jint kTraceDone = 139;

// Ids up to this one are effects; the ones above are music.
constexpr jint kLastEffectId = 13;
// The ids that the sound setting mutes: effects 1..13 and music 14..24.
constexpr jint kFirstMutedEffect = 1;
constexpr jint kLastMusicId = 24;

// soundVolumeStep: which kinds play.
constexpr jint kMusicOnly = 1;
constexpr jint kEffectsOnly = 2;
constexpr jint kSoundOff = 3;

// Effects that may start while another effect is playing.
constexpr jint kOverlayEffectA = 3;
constexpr jint kOverlayEffectB = 13;
// Music during which no started player is restarted.
constexpr jint kHoldingMusicA = 16;
constexpr jint kHoldingMusicB = 22;
constexpr jint kHoldingMusicC = 24;
// The top-level state of a match; under matchSoundLock only this music lets sounds through.
constexpr jint kMatchTopState = 4;
constexpr jint kMatchMusicA = 16;
constexpr jint kMatchMusicB = 24;

constexpr jint kNone = -1;
constexpr jint kPlayOnce = 1;

// Music tracks are the sound ids from here on.
constexpr jint kFirstMusicId = kLastEffectId + 1;
// The trace line "<constant 142><id>" of a stopped track.
constexpr jint kStopTraceConstant = 142;
// stopAllSounds: its opening line, and the line of each slot it stops.
constexpr jint kStopAllConstant = 140;
constexpr jint kStopSlotConstant = 141;
// stopAllSounds catches whatever a player or the console raises and goes on with the next slot.
constexpr runtime::HandlerEntry kAnyHandlers[] = {{runtime::kException, 0, 1}, {}};
constexpr jint kStopTraceCapacity = 16;

// stopMusic catches an IOException of a player and goes on with the next.
constexpr runtime::HandlerEntry kPlayerHandlers[] = {{runtime::kIOException, 0, 1}, {}};

bool isMusic(const jint id) {
    return id > kLastEffectId;
}

// One console line: constant string text, followed by id when withId is set. The console
// swallows its own write errors.
void trace(const jint text, const jint id, const bool withId) {
    printConstantLine(text, id, withId);
}

// The loaded player of a sound slot, or null.
profile::javax_microedition_media_PlayerInterface* playerInSlot(const jint slot) {
    runtime::ObjectArray* const players = statics()->soundPlayers;
    runtime::Object* const element =
        players != nullptr && slot >= 0 && slot < players->length ? (*players)[slot] : nullptr;
    return element != nullptr ? static_cast<profile::javax_microedition_media_PlayerInterface*>(
                                    element->getInterface(runtime::kPlayer))
                              : nullptr;
}

// The player of id, or null when id has no sound or its player is not loaded.
profile::javax_microedition_media_PlayerInterface* playerOf(const jint id) {
    GameStatics* const s = statics();
    runtime::IntArray* const resources = s->soundResourceIndex;
    runtime::ObjectArray* const players = s->soundPlayers;
    if (resources == nullptr || players == nullptr || id < 0 || id >= resources->length ||
        (*resources)[id] < 0 || id >= players->length) {
        return nullptr;
    }
    return playerInSlot(id);
}

// What stopIfStarted did.
enum class StopOutcome {
    none,     // no player, or one that has not started
    stopped,  // the started player was stopped
    caught,   // the player raised, and handlers caught it
    uncaught, // the player raised, and the exception stays pending
};

// Stops the player of slot when it has started; an exception of the player goes to handlers.
StopOutcome stopIfStarted(const jint slot, const runtime::HandlerEntry* const handlers) {
    profile::javax_microedition_media_PlayerInterface* const player = playerInSlot(slot);
    if (player == nullptr) {
        return StopOutcome::none;
    }
    const jint state = player->getState();
    if (runtime::checkException(0) == 0) {
        if (state != profile::kPlayerStarted) {
            return StopOutcome::none;
        }
        player->stop();
        if (runtime::checkException(0) == 0) {
            return StopOutcome::stopped;
        }
    }
    return runtime::findHandler(handlers) < 0 ? StopOutcome::uncaught : StopOutcome::caught;
}

// The sound setting mutes id.
bool muted(const jint id) {
    const GameStatics* const s = statics();
    if (s->soundEnabled == 0) {
        return true;
    }
    switch (s->soundVolumeStep) {
    case kSoundOff:
        return true;
    case kMusicOnly:
        return id >= kFirstMutedEffect && id <= kLastEffectId;
    case kEffectsOnly:
        return id > kLastEffectId && id <= kLastMusicId;
    default:
        return false;
    }
}

// A started player is not started again while it, another effect or holding music plays.
bool keepsPlaying(const jint id) {
    const GameStatics* const s = statics();
    const bool music = isMusic(id);
    if (id == (music ? s->currentMusic : s->lastEffect)) {
        return true;
    }
    if (!music && id != kOverlayEffectA && id != kOverlayEffectB && s->lastEffect != kNone) {
        return true;
    }
    if (s->currentMusic == kHoldingMusicA || s->currentMusic == kHoldingMusicB ||
        s->currentMusic == kHoldingMusicC) {
        return true;
    }
    return !music && s->lastSound >= 0;
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

void playSound(const jint id) {
    trace(kTraceRequest, id, true);
    profile::javax_microedition_media_PlayerInterface* const player = playerOf(id);
    if (player == nullptr) {
        return;
    }
    GameStatics* const s = statics();
    s->pendingSound = kNone;
    if (muted(id)) {
        return;
    }
    if (player->getState() == profile::kPlayerStarted && keepsPlaying(id)) {
        return;
    }
    if (s->matchSoundLock != 0 && s->topState == kMatchTopState && s->currentMusic != kMatchMusicA &&
        s->currentMusic != kMatchMusicB) {
        return;
    }
    if (isMusic(id)) {
        stopMusic();
        if (runtime::getPendingException() != nullptr) {
            return;
        }
        s->currentMusic = id;
    } else {
        s->lastEffect = id;
    }
    s->lastSound = id;
    player->setLoopCount(kPlayOnce);
    player->start();
    if (runtime::getPendingException() != nullptr) {
        return;
    }
    trace(kTraceStarted, id, true);
    trace(kTraceDone, id, false);
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
        const StopOutcome outcome = stopIfStarted(id, kPlayerHandlers);
        if (outcome == StopOutcome::uncaught) {
            return;
        }
        if (outcome == StopOutcome::stopped) {
            printStopTrace(id);
        }
    }
}

void printConstantLine(const jint text, const jint value, const bool withValue) {
    runtime::java_io_PrintStream* const out = statics()->systemOut;
    if (out == nullptr) {
        return;
    }
    runtime::StringBuffer* const line = runtime::newStringBuffer();
    line->append(runtime::getConstantString(text));
    if (withValue) {
        line->appendInt(value);
    }
    out->println(line->toString());
}

jboolean isAnySoundPlaying() {
    GameStatics* const s = statics();
    runtime::ObjectArray* const players = s->soundPlayers;
    runtime::IntArray* const slots = s->soundResourceIndex;
    if (players == nullptr || slots == nullptr) {
        return 0;
    }
    for (jint slot = 0; slot < slots->length && slot < players->length; ++slot) {
        profile::javax_microedition_media_PlayerInterface* const player = playerInSlot(slot);
        if (player != nullptr && player->getState() == profile::kPlayerStarted) {
            return 1;
        }
    }
    return 0;
}

void stopAllSounds() {
    GameStatics* const s = statics();
    if (s->soundPlayers == nullptr) {
        return;
    }
    printConstantLine(kStopAllConstant, 0, false);
    if (runtime::checkException(0) != 0 && runtime::findHandler(kAnyHandlers) < 0) {
        return;
    }
    s->lastEffect = kNone;
    s->currentMusic = kNone;
    s->lastSound = kNone;
    runtime::IntArray* const slots = s->soundResourceIndex;
    const jint slotCount = slots != nullptr ? slots->length : 0;
    for (jint slot = 0; slot < slotCount; ++slot) {
        const StopOutcome outcome = stopIfStarted(slot, kAnyHandlers);
        if (outcome == StopOutcome::uncaught) {
            return;
        }
        if (outcome != StopOutcome::stopped) {
            continue;
        }
        printConstantLine(kStopSlotConstant, slot, true);
        if (runtime::checkException(0) != 0 && runtime::findHandler(kAnyHandlers) < 0) {
            return;
        }
    }
}

} // namespace game::core
