// Stand-in for the sprite instance operations until the sprite code builds them.
#pragma once

#include "game/framework/SpriteServices.h"

namespace game::interim {

class InterimSpriteServices final : public framework::SpriteServices {
public:
    // Each has no effect: the instance keeps its animation.
    void setAnim(runtime::Object* instance, framework::jint animation, framework::jint loops) override;
    void setAnimEnded(runtime::Object* instance, framework::jint animation) override;

private:
    bool setAnimLogged = false;
    bool setAnimEndedLogged = false;
};

} // namespace game::interim
