// The plan and candidate tables of the ball plan choice (ballPlans and the dribble, pass and
// long-ball candidates), cleared by the per-tick reset of each team. Declared here, below the team
// model that calls it and the team logic that defines it; until that lands, StandIns.cpp.
#pragma once

namespace game::match {

// Sets every element of the plan and candidate tables to 0.
void clearPlanTables();

} // namespace game::match
