// Stand-in for the framework's shared routines that later parts build: the squad lists' long
// press and the match frame's replay-marker step.
#pragma once

#include "game/core/services/FrameServices.h"

namespace game::interim {

class InterimFrameServices final : public core::FrameServices {
public:
    // Each has no effect: nothing is painted and no step runs.
    void squadListLongPress() override;
    void replayMarkerStep() override;
};

} // namespace game::interim
