// The ball plan choice: the plan and candidate tables cleared, the long ball and the wing ball
// prepared, and one plan drawn by the weights of the holder's zone.
#include "game/core/GameStatics.h"
#include "game/match/CPlayer.h"
#include "game/match/PlanTables.h"

namespace game::match {

using runtime::IntArray;
using runtime::ObjectArray;

void clearPlanTables() {
    GameStatics* const s = statics();
    for (ObjectArray* const table :
         {s->ballPlans.get(), s->dribbleCandidates.get(), s->shortPassCandidates.get(),
          s->mediumPassCandidates.get(), s->throughPassCandidates.get(), s->longBallCandidates.get()}) {
        for (jint k = 0; table != nullptr && k < table->length; ++k) {
            auto* const row = static_cast<IntArray*>((*table)[k]);
            for (jint j = 0; row != nullptr && j < row->length; ++j) {
                (*row)[j] = 0;
            }
        }
    }
}

} // namespace game::match
