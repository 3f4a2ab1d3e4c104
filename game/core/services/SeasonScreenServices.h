// What the framework's season code uses of the information screens' season logic, built later;
// an interim implementation stands in until then (game/interim/InterimSeasonScreenServices.h).
//
// These operations set up and play the competitions on the one set of current-competition
// statics (competitionTeams, competitionTable, competitionSize, competitionRound, cupBracket,
// roundFixtures, ...) and move them to and from the saved competition slots and records.
#pragma once

#include "runtime/JavaTypes.h"

namespace runtime {
struct String;
}

namespace game::core {

using runtime::jboolean;
using runtime::jint;

class SeasonScreenServices {
public:
    virtual ~SeasonScreenServices() = default;
    // Plays or computes one match between two slots of the current competition. Result: low four
    // bits 3 home win, 2 draw, 1 away win; high four bits 3 when the home side wins the tie. It
    // keeps bytes 5-7 (goal difference and goals) of both slots' competitionTable rows, records
    // the result and counts resultCount; it clears resultSkipFlag first and sets it when no
    // tallies are to be booked (ownResultCode then decides a tie). The values the matchdays pass:
    // group stage (false, false, true, true, 2), knockout (false, true, not the continental final
    // step, true, 1 national cup / 2 continental cup), league (false, true, true, true, 0).
    virtual jint simulateFixture(jint home, jint away, jboolean played, jboolean homeBonus,
                                 jboolean drawAllowed, jboolean recordStats, jint kind, jboolean mayNote) = 0;
    // Sets up the competition of an event of the user's day: kind 1 league (arg the league),
    // 2 national cup and 3 continental cup (arg the step), 4 one-off match (arg the user's
    // country), 5 friendly (arg the step). Plays no match.
    virtual void setupCompetitionDay(jint kind, jint arg) = 0;
    // The league's team count, competitionSize and rounds; unless skipDaySetup, the day set-up of
    // kind 1.
    virtual void prepareLeague(jint league, jboolean fresh, jboolean skipDaySetup) = 0;
    // prepareLeague, then the league's round-robin schedule and its pairing buffer.
    virtual void loadLeagueData(jint league, jboolean fresh, jboolean skipDaySetup) = 0;
    // competitionRound := dayOffset; the round's matches into roundFixtures; the user's opponent
    // and venue; the opponent's side when prepareOpponent is set.
    virtual void buildLeagueDayFixtures(jint dayOffset, jboolean prepareOpponent) = 0;
    // Writes each competition team's strength into byte 0 of its competitionTable row.
    virtual void updateCompetitionStrengths() = 0;
    // Prepares the team for its next match (called with side 1 and mode 0).
    virtual void prepareTeamSide(jint side, jint team, jint mode) = 0;
    // Saves (save set) the competition statics into slot index (+ 13 for a cup), or restores
    // them, starting a slot used for the first time with cleared standings, backgroundPosition -1
    // and 16 slots.
    virtual void selectLeagueState(jboolean isCup, jint index, jboolean save) = 0;
    // Packs the competition statics into 370-byte record k of competitionRecords.
    virtual void saveCompetitionState370(jint k) = 0;
    // Copies roundFixtures to (save set) or from the fixture store's slot of the event.
    virtual void storeRoundFixtures(jint kind, jboolean save, jint round) = 0;
    // The player's interest in a move between teamA and teamB at negotiation round round; 0
    // when the player will not talk.
    virtual jint transferInterest(jint player, jint teamA, jint teamB, jint round) = 0;
    // The player's display name.
    virtual runtime::String* getPlayerLabel(jint player) = 0;
};

SeasonScreenServices& seasonScreenServices();
// Installs service (null restores the interim one); returns the previous one.
SeasonScreenServices* installSeasonScreenServices(SeasonScreenServices* service);

} // namespace game::core
