// What the framework's match frame uses of the match engine, built later; an interim
// implementation stands in until then (game/interim/InterimMatchServices.h).
//
// Besides the engine's steps and painters, the frame touches a few match fields that the
// engine owns (the view's refresh flag and its shown copy, the event list's flag, the shown
// score, the players' order timers and the actors' states); it reaches
// them through the operations below so that the engine keeps them where it wants.
#pragma once

#include "runtime/JavaTypes.h"

namespace runtime {
struct Object;
}

namespace game::match {
class Actor;
class CPlayer;
class CTeam;
} // namespace game::match

namespace game::core {

using runtime::jint;

class MatchServices {
public:
    virtual ~MatchServices() = default;
    // startMatch: one match-load step of top-level state 6; it switches the top-level state
    // itself when the match is ready.
    virtual void startMatch() = 0;
    // paintMatchIntro: paints the whole screen of top-level state 6.
    virtual void paintMatchIntro() = 0;
    // loadMatchScreen: one step of the second loading stage (top-level state 5); it ends by
    // entering top-level state 2 or 9.
    virtual void loadMatchScreen() = 0;
    // paintLoadingProgress: the painter of the second loading stage.
    virtual void paintLoadingProgress() = 0;
    // updateMatchClock: advances the match clock by one tick.
    virtual void updateMatchClock() = 0;
    // updateMatch: one engine tick.
    virtual void updateMatch() = 0;
    // paintMatchView: records the tick's view (inMatchTick is set meanwhile).
    virtual void paintMatchView() = 0;
    // updateMatchPlayback: reads the frame's records from the replay ring after its ticks, with
    // their sounds and the interval screen; may set matchDayMarker.
    virtual void updateMatchPlayback() = 0;
    // paintMatchOverlay: the frame painter, the record that playback left, after the ticks of a
    // frame; it paints only.
    virtual void paintMatchOverlay() = 0;
    // updateMatchExit: the panel view of match view modes 1 and 2.
    virtual void updateMatchExit() = 0;
    // updateAddedTimeBoard: the added-time board, the last drawing step of a match frame.
    virtual void updateAddedTimeBoard() = 0;
    // endSkippedPeriod: while a match is skipped, ends period 1 or 2 at its minute (once a
    // frame, after playback).
    virtual void endSkippedPeriod() = 0;
    // CTeam::updateMentality: the first team's per-frame step (keys and buttons of its mentality).
    virtual void updateMentality(match::CTeam* team) = 0;
    // Adds 1 to orderEndTime of players 0..10 of both match teams (while the match is
    // interrupted, their timed orders wait).
    virtual void advanceOrderEndTimes() = 0;
    // The state field of a match actor.
    virtual jint actorState(runtime::Object* actor) = 0;
    // Sets the match view's refresh flag (match view mode 2 was reached).
    virtual void setViewRefresh() = 0;
    // Copies the view's refresh flag into its shown copy (once per tick).
    virtual void copyViewRefresh() = 0;
    // Clears the match's event-list flag (the pause menu rebuilt the event list).
    virtual void clearEventListFlag() = 0;
    // Copies the current score into the shown score before the score line is painted.
    virtual void copyShownScore() = 0;
    // CPlayer::applyEvent, the player's first own virtual operation: applies a match event code
    // to the player's ratings and recomputes his speeds.
    virtual void applyEvent(match::CPlayer* player, jint code) = 0;
    // The player's start-up operation: prepares one player of a match team for the match (his
    // match ratings, fitness and line-up flags); mode is the caller's argument.
    virtual void startPlayer(match::CPlayer* player, jint mode) = 0;
};

MatchServices& matchServices();
// Installs service (null restores the interim one); returns the previous one.
MatchServices* installMatchServices(MatchServices* service);

} // namespace game::core
