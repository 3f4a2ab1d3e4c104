// The interim match engine services (see InterimMatchServices.h).
#include "game/interim/InterimMatchServices.h"

#include "game/core/GameStatics.h"
#include "game/core/TopStates.h"
#include "game/interim/InterimLog.h"
#include "game/match/CPlayer.h"
#include "game/match/flow/MatchTick.h"
#include "game/match/view/FrameRecorder.h"
#include "game/match/view/MatchFramePainter.h"
#include "game/match/view/MatchPanelViews.h"
#include "game/match/view/MatchPlayback.h"
#include "game/match/view/MatchScreens.h"
#include "game/match/view/MatchSetUp.h"
#include "game/match/view/MatchViewRecording.h"
#include "runtime/Object.h"

namespace game::interim {

using namespace game::core;

namespace {
void noMatchEngine() {
    logFirstCall("the match engine's steps, painters and fields (no effect)");
}
} // namespace

void InterimMatchServices::startMatch() {
    noMatchEngine();
}

void InterimMatchServices::loadMatchScreen() {
    logFirstCall("loadMatchScreen (loads nothing; enters the first-run question at once)");
    core::setTopState(core::kTopStateQuestion);
}

void InterimMatchServices::paintMatchIntro() {
    match::paintMatchIntro();
}

void InterimMatchServices::paintLoadingProgress() {
    match::paintLoadingProgress();
}

void InterimMatchServices::updateMatchClock() {
    noMatchEngine();
}

void InterimMatchServices::updateMatch() {
    match::updateMatch();
}

void InterimMatchServices::paintMatchView() {
    match::paintMatchView(statics()->currentGraphics);
}

void InterimMatchServices::updateMatchPlayback() {
    match::updateMatchPlayback();
}

void InterimMatchServices::paintMatchOverlay() {
    match::paintMatchFrame(true);
}

void InterimMatchServices::updateMatchExit() {
    match::updateMatchExit();
}

void InterimMatchServices::updateAddedTimeBoard() {
    match::updateAddedTimeBoard();
}

void InterimMatchServices::endSkippedPeriod() {
    match::endSkippedPeriod();
}

void InterimMatchServices::updateMentality(match::CTeam* const team) {
    if (team != nullptr) {
        team->updateMentality();
    }
}

void InterimMatchServices::advanceOrderEndTimes() {
    match::advanceOrderEndTimes();
}

void InterimMatchServices::setViewRefresh() {
    match::setViewRefresh();
}

void InterimMatchServices::copyViewRefresh() {
    match::copyViewRefresh();
}

void InterimMatchServices::clearEventListFlag() {
    noMatchEngine();
}

void InterimMatchServices::copyShownScore() {
    noMatchEngine();
}

runtime::jint InterimMatchServices::actorState(runtime::Object* const actor) {
    // The ball is a plain actor: its placement is the state the frame tests.
    if (actor == nullptr || !runtime::instanceOf(actor, runtime::kActor)) {
        return 0;
    }
    return static_cast<match::Actor*>(actor)->placement;
}

void InterimMatchServices::applyEvent(match::CPlayer* const player, const runtime::jint code) {
    if (player != nullptr) {
        player->applyEvent(code);
    }
}

void InterimMatchServices::startPlayer(match::CPlayer* const player, const runtime::jint /*mode*/) {
    // The mode tells the first players of a side from later ones; the start-up is the same.
    if (player != nullptr) {
        player->loadMatchRatings();
    }
}

} // namespace game::interim
