// Two match teams of 18 players bound to their sides, with the static set-up's direction steps,
// defending zone boxes and line codes, the game's generator seeded, a ball, and a formation data
// set written from hand-made records or taken from the generated sample data.
#pragma once

#include <array>
#include <vector>

#include "game/framework/ClassInitialisers.h"
#include "game/match/MatchConstants.h"
#include "game/match/model/TacticTable.h"
#include "runtime/Random.h"
#include "tests/game/support/MatchSideFixture.h"
#include "tools/SampleDatabase.h"
#include "tools/SampleMatchData.h"

namespace game::testing {

// One formation record: the line digits, the name's fourth character, the ten slots, the zone
// box of each outfield player and the two line values.
struct FormationRecord {
    char defenders = '4';
    char midfielders = '4';
    char attackers = '2';
    char variant = 'A';
    std::array<jint, 10> slots{};
    std::array<std::array<jint, 4>, 10> boxes{};
    jint defensiveLine = -12;
    jint attackingLine = 8;
};

class FormationFixture : public MatchSideFixture {
protected:
    static constexpr jlong kSeed = 48;

    void SetUp() override {
        MatchSideFixture::SetUp();
        GameStatics* s = statics();
        framework::initConstantTables(s);
        match::initMatchTables(s);
        s->gameRandom = runtime::newObject<runtime::java_util_Random>(kSeed);
        s->ball = runtime::newObject<match::Actor>();
        s->designatedPlayer = -1;
        team(0)->sideFlag = 1;
        team(0)->assignPlayers(0);
        team(1)->assignPlayers(1);
    }

    // The 4-4-2 the cases start from: defenders 0, 1, 3, 4 in row 0, midfielders 10, 11, 13,
    // 14 in row 2, attackers 21 and 23; boxes of two or three cells each way.
    static FormationRecord fourFourTwo() {
        FormationRecord r;
        r.slots = {0, 1, 3, 4, 10, 11, 13, 14, 21, 23};
        for (jint i = 0; i < 10; ++i) {
            r.boxes[static_cast<std::size_t>(i)] = {2 + i % 2, 3, 2 + i % 3, 3};
        }
        return r;
    }
    // A 3-5-2 with centre players in rows 0 and 2 and the attackers in row 3.
    static FormationRecord threeFiveTwo() {
        FormationRecord r;
        r.defenders = '3';
        r.midfielders = '5';
        r.variant = 'B';
        r.slots = {1, 2, 3, 10, 11, 12, 13, 14, 16, 18};
        for (auto& box : r.boxes) {
            box = {2, 2, 3, 3};
        }
        r.defensiveLine = -3;
        r.attackingLine = 5;
        return r;
    }

    // formationTable and formationSlots := the records, in index order.
    static void setFormations(const std::vector<FormationRecord>& records) {
        GameStatics* s = statics();
        const jint n = static_cast<jint>(records.size());
        runtime::ByteArray* table = runtime::newByteArray(n * 67);
        s->formationTable = table;
        s->formationTableLength = n * 67;
        runtime::ByteArray* slots = runtime::newByteArray(n * 10);
        s->formationSlots = slots;
        s->formationSlotsLength = n * 10;
        for (jint f = 0; f < n; ++f) {
            const FormationRecord& r = records[static_cast<std::size_t>(f)];
            const jint base = f * 67;
            (*table)[base + 1] = static_cast<jbyte>(r.defenders);
            (*table)[base + 2] = static_cast<jbyte>(r.midfielders);
            (*table)[base + 3] = static_cast<jbyte>(r.attackers);
            (*table)[base + 4] = static_cast<jbyte>(r.variant);
            for (jint i = 0; i < 10; ++i) {
                for (jint k = 0; k < 4; ++k) {
                    (*table)[base + 7 + 6 * i + k] =
                        static_cast<jbyte>(r.boxes[static_cast<std::size_t>(i)][static_cast<std::size_t>(k)]);
                }
                (*slots)[f * 10 + i] = static_cast<jbyte>(r.slots[static_cast<std::size_t>(i)]);
            }
            (*table)[base + 65] = static_cast<jbyte>(r.defensiveLine);
            (*table)[base + 66] = static_cast<jbyte>(r.attackingLine);
        }
    }

    // formationTable, formationSlots and the tactic table := those of the generated sample data.
    static void useSampleFormations() {
        const tools::SampleDatabase& database = tools::sampleDatabase();
        auto bytesOf = [](const tools::Bytes& bytes) {
            runtime::ByteArray* array = runtime::newByteArray(static_cast<jint>(bytes.size()));
            for (jint k = 0; k < array->length; ++k) {
                (*array)[k] = static_cast<jbyte>(bytes[static_cast<std::size_t>(k)]);
            }
            return array;
        };
        GameStatics* s = statics();
        s->formationTable = bytesOf(database.entries[8].content);
        s->formationTableLength = s->formationTable->length;
        s->formationSlots = bytesOf(database.entries[9].content);
        s->formationSlotsLength = s->formationSlots->length;
        ASSERT_TRUE(match::setTacticTable(bytesOf(tools::sampleTacticTable())));
    }

    // Puts a player at cell (cx, cy) of his team's view (pitch units at the cell's centre) and
    // keeps his cell fields.
    static void placeAtCell(const jint side, const jint i, const jint cx, const jint cy) {
        CPlayer* p = player(side, i);
        p->x = team(side)->fromCell(cx);
        p->y = team(side)->fromCell(cy);
        p->cellX = cx;
        p->cellY = cy;
    }
    // Every player of both teams off the pitch.
    static void allOffThePitch() {
        for (jint side = 0; side < 2; ++side) {
            for (jint i = 0; i < CTeam::kPlayers; ++i) {
                player(side, i)->outOfPlay = 1;
            }
        }
    }
    static jbyte gridAt(const CTeam* t, const jint cx, const jint cy) {
        return (*t->zoneGrid)[cx * 21 + cy + 346];
    }
    static void claim(CTeam* t, const jint cx, const jint cy) { (*t->zoneGrid)[cx * 21 + cy + 346] = 2; }
    static void clearGrid(CTeam* t) {
        for (jint k = 0; k < t->zoneGrid->length; ++k) {
            (*t->zoneGrid)[k] = 0;
        }
    }
};

} // namespace game::testing
