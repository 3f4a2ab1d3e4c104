// The plan and candidate tables of the ball plan choice (ballPlans and the dribble, pass and
// long-ball candidates), cleared by the per-tick reset of each team and at the start of every
// plan choice. Declared here, below the team model that calls it; the ball plan choice defines it.
#pragma once

namespace game::match {

// Sets every element of the plan and candidate tables to 0.
void clearPlanTables();

} // namespace game::match
