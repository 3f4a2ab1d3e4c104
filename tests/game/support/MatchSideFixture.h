// Two match teams of 18 players each and the line-up statics the line-up routines read, with
// helpers that write match records and line-up tables.
#pragma once

#include <initializer_list>

#include "game/core/GameStatics.h"
#include "game/core/services/MatchServices.h"
#include "game/match/CPlayer.h"
#include "game/match/MatchConstants.h"
#include "runtime/ObjectManager.h"
#include "runtime/Random.h"
#include "runtime/Service.h"
#include "tests/game/support/GameResourceFixture.h"

namespace game::testing {

using namespace game::match;
using namespace game::core;

using match::CPlayer;
using match::CTeam;
using runtime::jbyte;
using runtime::jint;

// Records the players applyEvent and the start-up reach; the other operations do nothing.
class EventRecorder final : public core::MatchServices {
public:
    void startMatch() override {}
    void paintMatchIntro() override {}
    void loadMatchScreen() override {}
    void paintLoadingProgress() override {}
    void updateMatchClock() override {}
    void updateMatch() override {}
    void paintMatchView() override {}
    void updateMatchPlayback() override {}
    void paintMatchOverlay() override {}
    void updateMatchExit() override {}
    void updateAddedTimeBoard() override {}
    void endSkippedPeriod() override {}
    void updateMentality(CTeam* /*team*/) override {}
    void advanceOrderEndTimes() override {}
    jint actorState(runtime::Object* /*actor*/) override { return 0; }
    void setViewRefresh() override {}
    void copyViewRefresh() override {}
    void clearEventListFlag() override {}
    void copyShownScore() override {}
    void applyEvent(CPlayer* player, const jint code) override { calls.emplace_back(player, code); }
    void startPlayer(CPlayer* player, const jint mode) override { started.emplace_back(player, mode); }

    std::vector<std::pair<CPlayer*, jint>> calls;
    std::vector<std::pair<CPlayer*, jint>> started;
};

class MatchSideFixture : public GameResourceFixture {
protected:
    EventRecorder recorder;
    runtime::ScopedService<core::MatchServices> scope{&core::installMatchServices, recorder};

    void SetUp() override {
        GameResourceFixture::SetUp();
        GameStatics* s = statics();
        s->listRowRecords = runtime::newByteArray(2 * 30 * 22);
        s->matchSquadCount = runtime::newIntArray(2);
        s->matchSlotList = runtime::newIntArray(30);
        s->lineup = table(30);
        s->lineupAtKickOff = table(30);
        s->squadSlotOfPlayer = table(30);
        s->substitutionSlots = table(14);
        s->substitutionLimit = runtime::newByteArray(2);
        s->substitutionsMade = runtime::newByteArray(2);
        s->selectionTable = runtime::newByteArray(818);
        s->matchTeams = runtime::newObjectArray(2, runtime::kCTeam);
        s->userCompetitionSlot = -1;
        for (jint side = 0; side < 2; ++side) {
            CTeam* team = runtime::newObject<CTeam>();
            (*s->matchTeams)[side] = team;
            team->teamIndex = side;
            team->players = runtime::newObjectArray(CTeam::kPlayers, runtime::kCPlayer);
            for (jint i = 0; i < CTeam::kPlayers; ++i) {
                CPlayer* player = runtime::newObject<CPlayer>();
                (*team->players)[i] = player;
                player->slot = i;
                player->matchSlot = i;
                player->homeIndex = i;
            }
        }
        for (jint i = 0; i < 30; ++i) {
            (*s->matchSlotList)[i] = -1;
        }
    }

    // A byte[2][n] table holding the identity in both rows.
    static runtime::ObjectArray* table(const jint n) {
        runtime::ObjectArray* rows = runtime::newObjectArray(2);
        for (jint side = 0; side < 2; ++side) {
            runtime::ByteArray* row = runtime::newByteArray(n);
            (*rows)[side] = row;
            for (jint i = 0; i < n; ++i) {
                (*row)[i] = static_cast<jbyte>(i);
            }
        }
        return rows;
    }
    static runtime::ByteArray* row(runtime::ObjectArray* rows, const jint side) {
        return static_cast<runtime::ByteArray*>((*rows)[side]);
    }
    static std::vector<jint> rowValues(runtime::ObjectArray* rows, const jint side, const jint n) {
        std::vector<jint> values;
        for (jint i = 0; i < n; ++i) {
            values.push_back((*row(rows, side))[i]);
        }
        return values;
    }
    // The two sides ready for ball play: the match boxes and tables, a ball actor, the generator
    // seeded with seed, team 0 playing from the other side, phase 0.
    static void setUpBallPlay(const jint seed) {
        GameStatics* s = statics();
        match::initMatchBoxes(s);
        match::initMatchTables(s);
        s->ball = runtime::newObject<match::Actor>();
        s->gameRandom = runtime::newObject<runtime::java_util_Random>(seed);
        team(0)->sideFlag = 1;
        team(0)->assignPlayers(0);
        team(1)->assignPlayers(1);
        s->matchPhase = 0;
    }
    static CTeam* team(const jint side) { return static_cast<CTeam*>((*statics()->matchTeams)[side]); }
    static CPlayer* player(const jint side, const jint index) {
        return static_cast<CPlayer*>((*team(side)->players)[index]);
    }
    // Byte b of match record t of side.
    static jbyte& recordByte(const jint side, const jint t, const jint b) {
        return (*statics()->listRowRecords)[(side * 30 + t) * 22 + b];
    }
    // Fills match record t of side: every skill, status (byte 4), position mask (bytes 8-11),
    // bytes 18 and 19 and the field at bytes 6-7.
    static void setRecord(const jint side, const jint t, const jint mask, const jint skill,
                          const jint status = 2, const jint byte18 = 0, const jint byte19 = 0,
                          const jint bits = 0) {
        for (const jint at : {0, 1, 2, 3, 14, 15, 16, 17}) {
            recordByte(side, t, at) = static_cast<jbyte>(skill);
        }
        recordByte(side, t, 4) = static_cast<jbyte>(status);
        recordByte(side, t, 6) = static_cast<jbyte>(bits);
        recordByte(side, t, 7) = static_cast<jbyte>(bits >> 8);
        for (jint i = 0; i < 4; ++i) {
            recordByte(side, t, 8 + i) = static_cast<jbyte>(mask >> (24 - 8 * i));
        }
        recordByte(side, t, 18) = static_cast<jbyte>(byte18);
        recordByte(side, t, 19) = static_cast<jbyte>(byte19);
    }
    static std::vector<jint> slotList(const jint n) {
        std::vector<jint> values;
        for (jint i = 0; i < n; ++i) {
            values.push_back((*statics()->matchSlotList)[i]);
        }
        return values;
    }
};

} // namespace game::testing
