// Stand-in for the framework's shared routines that later parts build: the squad lists' long
// press and the match frame's shared steps.
#pragma once

#include "game/core/services/FrameServices.h"

namespace game::interim {

class InterimFrameServices final : public core::FrameServices {
public:
    // Each has no effect: nothing is painted and no step runs.
    void squadListLongPress() override;
    void matchTickStep() override;
    void matchDayStep() override;
    void matchPanelStep() override;
    void replayMarkerStep() override;
};

} // namespace game::interim
