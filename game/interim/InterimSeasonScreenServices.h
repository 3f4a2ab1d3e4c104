// Stand-in for the information screens' season logic until it is built. Every operation does the
// least its call asks: no effect, or a neutral answer named as such.
#pragma once

#include "game/core/services/SeasonScreenServices.h"

namespace game::interim {

class InterimSeasonScreenServices : public core::SeasonScreenServices {
public:
    // Neutral: a draw (2) that decides no tie, counted in resultCount with resultSkipFlag clear;
    // no goals and no results list are kept.
    runtime::jint simulateFixture(runtime::jint home, runtime::jint away, runtime::jboolean played,
                                  runtime::jboolean homeBonus, runtime::jboolean drawAllowed,
                                  runtime::jboolean recordStats, runtime::jint kind,
                                  runtime::jboolean mayNote) override;
    // No effect.
    void setupCompetitionDay(runtime::jint kind, runtime::jint arg) override;
    // No effect.
    void prepareLeague(runtime::jint league, runtime::jboolean fresh,
                       runtime::jboolean skipDaySetup) override;
    // No effect.
    void loadLeagueData(runtime::jint league, runtime::jboolean fresh,
                        runtime::jboolean skipDaySetup) override;
    // No effect.
    void buildLeagueDayFixtures(runtime::jint dayOffset, runtime::jboolean prepareOpponent) override;
    // No effect.
    void updateCompetitionStrengths() override;
    // No effect.
    void prepareTeamSide(runtime::jint side, runtime::jint team, runtime::jint mode) override;
    // No effect.
    void selectLeagueState(runtime::jboolean isCup, runtime::jint index, runtime::jboolean save) override;
    // No effect.
    void saveCompetitionState370(runtime::jint k) override;
    // No effect.
    void storeRoundFixtures(runtime::jint kind, runtime::jboolean save, runtime::jint round) override;
    // Neutral: 0 (the player will not talk).
    runtime::jint transferInterest(runtime::jint player, runtime::jint teamA, runtime::jint teamB,
                                   runtime::jint round) override;
    // The player's name from the name tables, without any decoration.
    runtime::String* getPlayerLabel(runtime::jint player) override;

private:
    bool fixtureLogged = false;
    bool dayLogged = false;
    bool prepareLogged = false;
    bool loadLogged = false;
    bool fixturesLogged = false;
    bool strengthsLogged = false;
    bool sideLogged = false;
    bool stateLogged = false;
    bool recordLogged = false;
    bool storeLogged = false;
    bool interestLogged = false;
    bool labelLogged = false;
};

} // namespace game::interim
