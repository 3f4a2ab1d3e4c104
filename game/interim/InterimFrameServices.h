// Stand-in for the framework's shared routines that later parts build: the menu screen
// preparation, the match camera, the squad lists' long press and the match frame's shared steps.
#pragma once

#include "game/framework/FrameServices.h"

namespace game::interim {

class InterimFrameServices final : public framework::FrameServices {
public:
    // Each has no effect: a menu entry prepares nothing beyond its common steps, the camera
    // stays, nothing is painted and no step runs.
    void prepareMenuScreen(framework::jint state) override;
    void squadListLongPress() override;
    void matchTickStep() override;
    void matchDayStep() override;
    void matchPanelStep() override;
    void replayMarkerStep() override;
};

} // namespace game::interim
