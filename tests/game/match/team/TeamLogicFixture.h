// Both match teams off the pitch in open play with the dribble run idle, for the team logic's
// cases, and readers of the plan and candidate tables.
#pragma once

#include "game/match/PlanTables.h"
#include "tests/game/support/FormationFixture.h"

namespace game::testing {

class TeamLogicFixture : public FormationFixture {
protected:
    void SetUp() override {
        FormationFixture::SetUp();
        allOffThePitch();
        GameStatics* s = statics();
        s->matchPhase = 0;
        s->dribbleRunReady = 0;
        s->dribbleRunActive = 0;
        s->dribbleRunForced = 0;
        s->dribbleMoveDirection = -1;
    }
    // Int j of row k of a plan or candidate table.
    static jint entry(runtime::ObjectArray* table, const jint k, const jint j) {
        return (*static_cast<runtime::IntArray*>((*table)[k]))[j];
    }
    // Int j of ball plan k.
    static jint plan(const jint k, const jint j) { return entry(statics()->ballPlans, k, j); }
};

} // namespace game::testing
