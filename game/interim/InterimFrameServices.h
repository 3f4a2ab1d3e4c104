// Stand-in for the framework's shared routines that later parts build: the squad lists' long
// press.
#pragma once

#include "game/core/services/FrameServices.h"

namespace game::interim {

class InterimFrameServices final : public core::FrameServices {
public:
    // No effect: no player is picked.
    void squadListLongPress() override;
};

} // namespace game::interim
