// Stand-in for the match engine's services until the match engine is built; the actor state
// comes from the actor.
#pragma once

#include "game/core/services/MatchServices.h"

namespace game::interim {

class InterimMatchServices : public core::MatchServices {
public:
    // No effect: no match is prepared, so the match-load state stays where it is.
    void startMatch() override;
    // Loads nothing: the second loading stage is complete at once and enters the first-run
    // question (top-level state 9).
    void loadMatchScreen() override;
    // Forwarded to the engine: updateMatch (its later steps still stand in, StandIns.cpp).
    void updateMatch() override;
    // Forwarded to the team: CTeam::updateMentality.
    void updateMentality(match::CTeam* team) override;
    // Forwarded to the engine: advanceOrderEndTimes.
    void advanceOrderEndTimes() override;
    // Forwarded to the match view: playback of the frame's records, the frame painter and the
    // panel views.
    void updateMatchPlayback() override;
    void paintMatchOverlay() override;
    void updateMatchExit() override;
    // Each has no effect: the clock and the fields stay.
    void updateMatchClock() override;
    void clearEventListFlag() override;
    void copyShownScore() override;
    // The actor's placement (3 hidden); 0 for anything else.
    runtime::jint actorState(runtime::Object* actor) override;
    // Forwarded to the match view: the pre-match screen, the loader's progress, the tick's record
    // (with the frame's Graphics), the added-time board and the skipped period's end.
    void paintMatchIntro() override;
    void paintLoadingProgress() override;
    void paintMatchView() override;
    void updateAddedTimeBoard() override;
    void endSkippedPeriod() override;
    // The view's refresh flag is backgroundForceRedraw; the copy is the one the record keeps.
    void setViewRefresh() override;
    void copyViewRefresh() override;
    // Forwarded to the player: CPlayer::applyEvent, and CPlayer::loadMatchRatings as the start-up.
    void applyEvent(match::CPlayer* player, runtime::jint code) override;
    void startPlayer(match::CPlayer* player, runtime::jint mode) override;
};

} // namespace game::interim
