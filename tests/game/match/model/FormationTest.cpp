// A formation applied to a team: line counts, roles, line codes, home, forward and deep cells,
// zone boxes, line values and the display name; a second formation replaces every value; a record
// that is no valid formation changes nothing.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "runtime/String.h"
#include "tests/game/support/FormationFixture.h"
#include "tests/runtime/LogCapture.h"

namespace game::testing {
namespace {

class FormationSetUpTest : public FormationFixture {
protected:
    // Everything setFormation writes, for one team, as one list of numbers.
    static std::vector<jint> formationState(const jint side) {
        const CTeam* t = team(side);
        std::vector<jint> v = {t->formationIndex, t->defenders,     t->midfielders,
                               t->attackers,      t->defensiveLine, t->attackingLine};
        for (jint i = 0; i < 11; ++i) {
            const CPlayer* p = player(side, i);
            for (const jint f : {p->homeCellX, p->homeCellY, p->role, p->formationSlot, p->linePosition,
                                 p->forwardCellX, p->deepCellX}) {
                v.push_back(f);
            }
        }
        for (jint k = 0; k < 44; ++k) {
            v.push_back((*t->zoneBoxes)[k]);
        }
        return v;
    }
    static std::string formationName(const jint side) {
        runtime::String* name = static_cast<runtime::String*>((*statics()->formationNames)[side]);
        std::string out;
        for (jint k = 0; k < name->length(); ++k) {
            out += static_cast<char>(name->charAt(k));
        }
        return out;
    }
};

TEST_F(FormationSetUpTest, AFourFourTwoGivesRolesLineCodesAndCells) {
    setFormations({fourFourTwo()});
    CTeam* t = team(0);
    (*t->zoneBoxes)[0] = 9; // the keeper's box stays as it was
    (*t->zoneBoxes)[3] = -2;
    t->setFormation(0);
    EXPECT_EQ(t->formationIndex, 0);
    EXPECT_EQ(t->defenders, 4);
    EXPECT_EQ(t->midfielders, 4);
    EXPECT_EQ(t->attackers, 2);
    EXPECT_EQ(t->defensiveLine, -12);
    EXPECT_EQ(t->attackingLine, 8);
    EXPECT_EQ(formationName(0), "4-4-2-A");
    struct Expected {
        jint hx, hy, role, slot, line, forward, deep;
    };
    // Rows 0 and 2 hold no centre player: -8, -3, 3, 8. Row 4 neither: 21 and 23 at -3 and 3.
    // Deep cells: defenders (-10 + 16) / 2 - 16 = -13, midfielders (2 + 16) x 2 / 3 - 16 = -4,
    // attackers (14 + 16) x 3 / 4 - 16 = 6.
    const Expected expected[] = {
        {-16, 0, 0, -1, 0, 0, 0},   {-10, -8, 1, 0, 1, -4, -13}, {-10, -3, 1, 1, 2, -4, -13},
        {-10, 3, 1, 3, 5, -4, -13}, {-10, 8, 1, 4, 4, -4, -13},  {2, -8, 2, 10, 1, 8, -4},
        {2, -3, 2, 11, 2, 8, -4},   {2, 3, 2, 13, 5, 8, -4},     {2, 8, 2, 14, 4, 8, -4},
        {14, -3, 3, 21, 1, 14, 6},  {14, 3, 3, 23, 4, 14, 6},
    };
    for (jint i = 0; i < 11; ++i) {
        const CPlayer* p = player(0, i);
        const Expected& e = expected[i];
        EXPECT_EQ(std::vector<jint>({p->homeCellX, p->homeCellY, p->role, p->formationSlot, p->linePosition}),
                  std::vector<jint>({e.hx, e.hy, e.role, e.slot, e.line}))
            << "player " << i;
        if (i > 0) {
            EXPECT_EQ(p->forwardCellX, e.forward) << i;
            EXPECT_EQ(p->deepCellX, e.deep) << i;
            for (jint k = 0; k < 4; ++k) {
                EXPECT_EQ((*t->zoneBoxes)[i * 4 + k], fourFourTwo().boxes[i - 1][k]) << i << " " << k;
            }
        }
    }
    EXPECT_EQ((*t->zoneBoxes)[0], 9);
    EXPECT_EQ((*t->zoneBoxes)[3], -2);
    // The other team is untouched.
    EXPECT_EQ(player(1, 1)->role, 0);
}

TEST_F(FormationSetUpTest, CentreRowsSpreadByFourAndASecondFormationReplacesEverything) {
    setFormations({fourFourTwo(), threeFiveTwo()});
    CTeam* t = team(1);
    t->setFormation(0);
    const std::vector<jint> first = formationState(1);
    t->setFormation(1);
    EXPECT_EQ(t->defenders, 3);
    EXPECT_EQ(t->midfielders, 5);
    EXPECT_EQ(t->attackers, 2);
    EXPECT_EQ(t->defensiveLine, -3);
    EXPECT_EQ(t->attackingLine, 5);
    EXPECT_EQ(formationName(1), "3-5-2-B");
    // Rows 0 and 2 hold a centre player: 4 apart; row 3 (slots 16, 18) spreads at -3 and 3.
    const jint homeY[11] = {0, -4, 0, 4, -8, -4, 0, 4, 8, -3, 3};
    const jint homeX[11] = {-16, -10, -10, -10, 2, 2, 2, 2, 2, 8, 8};
    const jint codes[11] = {0, 2, 3, 5, 1, 2, 3, 5, 4, 1, 4};
    const jint roles[11] = {0, 1, 1, 1, 2, 2, 2, 2, 2, 3, 3};
    for (jint i = 0; i < 11; ++i) {
        const CPlayer* p = player(1, i);
        EXPECT_EQ(std::vector<jint>({p->homeCellX, p->homeCellY, p->linePosition, p->role}),
                  std::vector<jint>({homeX[i], homeY[i], codes[i], roles[i]}))
            << i;
    }
    // The forward cell starts again from the home cell: 8 + 4 - 4 for the attackers.
    EXPECT_EQ(player(1, 9)->forwardCellX, 8);
    EXPECT_EQ(player(1, 9)->deepCellX, 2);
    t->setFormation(0);
    EXPECT_EQ(formationState(1), first);
    EXPECT_EQ(formationName(1), "4-4-2-A");
}

TEST_F(FormationSetUpTest, ARecordThatIsNoFormationChangesNothing) {
    struct Case {
        const char* what;
        FormationRecord record;
    };
    std::vector<Case> cases;
    auto add = [&](const char* what, auto change) {
        FormationRecord r = threeFiveTwo();
        change(r);
        cases.push_back({what, r});
    };
    add("defenders not a digit", [](FormationRecord& r) { r.defenders = 'x'; });
    add("midfielders not a digit", [](FormationRecord& r) { r.midfielders = '/'; });
    add("a line of seven", [](FormationRecord& r) {
        r.defenders = '7';
        r.midfielders = '2';
    });
    add("eleven outfield players", [](FormationRecord& r) {
        r.defenders = '5';
        r.midfielders = '6';
    });
    add("seven attackers", [](FormationRecord& r) {
        r.defenders = '2';
        r.midfielders = '1';
    });
    add("a slot past the grid", [](FormationRecord& r) { r.slots[4] = 25; });
    add("a negative slot", [](FormationRecord& r) { r.slots[9] = -1; });
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        setFormations({fourFourTwo(), c.record});
        team(0)->setFormation(0);
        const std::vector<jint> before = formationState(0);
        runtime::LogCapture log;
        team(0)->setFormation(1);
        EXPECT_EQ(formationState(0), before);
        EXPECT_EQ(formationName(0), "4-4-2-A");
        ASSERT_EQ(log.lines.size(), 1u);
        EXPECT_NE(log.lines[0].find("formation 1 "), std::string::npos) << log.lines[0];
    }
    // An index past the table, or below it, is refused the same way.
    for (const jint index : {2, -1, 1000000}) {
        runtime::LogCapture log;
        team(0)->setFormation(index);
        EXPECT_EQ(team(0)->formationIndex, 0) << index;
        EXPECT_EQ(log.lines.size(), 1u) << index;
    }
}

} // namespace
} // namespace game::testing
