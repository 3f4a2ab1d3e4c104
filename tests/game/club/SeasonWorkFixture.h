// A club database for the season's daily work: 260 teams in 13 divisions of 20 (team-number order),
// empty squads, a cleared inbox and negotiation table, the user's team and a pinned generator,
// with the scripted deal services of the information screens.
#pragma once

#include <gtest/gtest.h>

#include <vector>

#include "game/club/InboxMessages.h"
#include "game/core/GameStatics.h"
#include "game/season/SeasonLookups.h"
#include "tests/game/club/ClubFixture.h"
#include "tests/game/support/ScriptedInformationScreens.h"

namespace game::testing {

class SeasonWorkFixture : public ClubFixture {
protected:
    static constexpr jint kWorkTeams = 260;
    static constexpr jint kWorkDivisionSize = 20;
    static constexpr jint kWorkUser = 1;

    // A fresh runtime and database for the next case of a table.
    void restart() {
        TearDown();
        SetUp();
    }
    void makeSeasonDatabase(const jint players = 400) {
        makeDatabase(kWorkTeams, players, players - 40);
        GameStatics* const s = statics();
        s->leagueTeamOrder = runtime::newShortArray(kWorkTeams);
        s->leagueSizes = runtime::newIntArray(13);
        s->leagueStarts = runtime::newIntArray(13);
        for (jint t = 0; t < kWorkTeams; ++t) {
            (*s->leagueTeamOrder)[t] = runtime::i2s(t);
            setBudget(t, 10000);
        }
        for (jint d = 0; d < 13; ++d) {
            (*s->leagueSizes)[d] = kWorkDivisionSize;
            (*s->leagueStarts)[d] = d * kWorkDivisionSize;
        }
        s->userTeam = kWorkUser;
        screens.calls.clear();
        s->userLeague = 0;
        s->monthIndex = 3;
        s->matchDayIndex = 5;
        s->seasonYear = 2010;
        s->userFundsBase = 10000;
        s->tripletTable = runtime::newByteArray(300);
        for (jint i = 0; i < 300; ++i) {
            (*s->tripletTable)[i] = -1;
        }
        runtime::ObjectArray* const pool = s->inboxPool;
        for (jint i = 0; i < pool->length; ++i) {
            auto* record = static_cast<runtime::ByteArray*>((*pool)[i]);
            for (jint k = 0; k < record->length; ++k) {
                (*record)[k] = -1;
            }
        }
    }
    // count players from firstPlayer, every skill `skill` and fitness 99, into team's squad; the
    // team's strength becomes `skill` once eight are there.
    void fillSquad(const jint team, const jint firstPlayer, const jint count, const jint skill) {
        for (jint i = 0; i < count; ++i) {
            addToSquad(team, firstPlayer + i);
            for (jint k = 0; k < 8; ++k) {
                setPlayerByte(firstPlayer + i, 4 + k, skill);
            }
            setPlayerByte(firstPlayer + i, 15, 99);
        }
    }
    // player is `age` on 1 July of seasonYear (born on 1 January).
    void setAge(const jint player, const jint age) {
        setPlayerByte(player, 16, -1);
        setBirthWord(player, ((statics()->seasonYear - 1960 - age) << 9) | (1 << 5) | 1);
    }
    static std::vector<jint> ringTypes() {
        std::vector<jint> out;
        for (jint i = 0; i < season::ringMessageCount(); ++i) {
            out.push_back((*season::messageAt(i))[0]);
        }
        return out;
    }

    ScriptedInformationScreens screens;
};

} // namespace game::testing
