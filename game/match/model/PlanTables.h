// The plan and candidate tables of the ball plan choice (ballPlans and the dribble, pass and
// long-ball candidates), cleared by the per-tick reset of each team.
#pragma once

namespace game::match {

// Sets every element of the plan and candidate tables to 0.
void clearPlanTables();

} // namespace game::match
