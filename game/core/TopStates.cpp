// The top-level state change (see TopStates.h).
#include "game/core/TopStates.h"

#include "game/core/GameStatics.h"
#include "game/core/services/MatchServices.h"
#include "runtime/Arrays.h"

namespace game::core {

namespace {

// setTopState: the highlight's place and choice after every change.
constexpr jint kCursorX = 334;
constexpr jint kCursorY = 372;
constexpr jint kFirstChoice = 1;
// The first actor's state in which entering the match keeps matchEntryFlag.
constexpr jint kActorKeepsEntryFlag = 3;

} // namespace

void resetHighlight() {
    GameStatics* block = statics();
    block->menuCursorX = kCursorX;
    block->menuCursorY = kCursorY;
    block->menuChoice = kFirstChoice;
    block->menuChoiceShown = kFirstChoice;
    block->menuChoiceMoving = 0;
}

void setTopState(const jint state) {
    GameStatics* block = statics();
    block->previousTopState = block->topState;
    resetHighlight();
    block->topState = state;
    block->framesInState = 0;
    if (state != kTopStateMatch || !block->matchEntryFlag) {
        return;
    }
    // Without a first actor there is none in state 3.
    runtime::ObjectArray* actors = block->matchActors;
    runtime::Object* first = actors != nullptr && actors->length > 0 ? (*actors)[0] : nullptr;
    if (first == nullptr || matchServices().actorState(first) != kActorKeepsEntryFlag) {
        block->matchEntryFlag = 0;
    }
}

} // namespace game::core
