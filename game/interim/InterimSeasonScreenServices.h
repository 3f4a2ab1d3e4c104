// Stand-in for the information screens' season logic until it is built. Every operation does the
// least its call asks: no effect, or a neutral answer named as such.
#pragma once

#include "game/framework/SeasonScreenServices.h"

namespace game::interim {

class InterimSeasonScreenServices final : public framework::SeasonScreenServices {
public:
    // Neutral: a draw (2) that decides no tie, counted in resultCount with resultSkipFlag clear;
    // no goals and no results list are kept.
    framework::jint simulateFixture(framework::jint home, framework::jint away, framework::jboolean played,
                                    framework::jboolean homeBonus, framework::jboolean drawAllowed,
                                    framework::jboolean recordStats, framework::jint kind,
                                    framework::jboolean mayNote) override;
    // No effect.
    void setupCompetitionDay(framework::jint kind, framework::jint arg) override;
    // No effect.
    void prepareLeague(framework::jint league, framework::jboolean fresh,
                       framework::jboolean skipDaySetup) override;
    // No effect.
    void loadLeagueData(framework::jint league, framework::jboolean fresh,
                        framework::jboolean skipDaySetup) override;
    // No effect.
    void buildLeagueDayFixtures(framework::jint dayOffset, framework::jboolean prepareOpponent) override;
    // No effect.
    void updateCompetitionStrengths() override;
    // No effect.
    void prepareTeamSide(framework::jint side, framework::jint team, framework::jint mode) override;
    // No effect.
    void selectLeagueState(framework::jboolean isCup, framework::jint index,
                           framework::jboolean save) override;
    // No effect.
    void saveCompetitionState370(framework::jint k) override;
    // No effect.
    void storeRoundFixtures(framework::jint kind, framework::jboolean save, framework::jint round) override;
    // Neutral: 0 (the player will not talk).
    framework::jint transferInterest(framework::jint player, framework::jint teamA, framework::jint teamB,
                                     framework::jint round) override;
    // The player's name from the name tables, without any decoration.
    runtime::String* getPlayerLabel(framework::jint player) override;

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
