// Stand-in for the sprite painting and the sprite instance operations until the sprites and
// resources code builds them; the start-up loading step is the built one.
#pragma once

#include "game/framework/SpriteServices.h"

namespace game::interim {

class InterimSpriteServices final : public framework::SpriteServices {
public:
    // Each has no effect: the instance keeps its animation.
    void setAnim(runtime::Object* instance, framework::jint animation, framework::jint loops) override;
    void setAnimEnded(runtime::Object* instance, framework::jint animation) override;
    // Each paints nothing.
    void paintOn(runtime::Object* instance, profile::Graphics* g, framework::jint x, framework::jint y,
                 framework::jint flagA, framework::jint flagB, framework::jint valueA,
                 framework::jint valueB) override;
    void paintFrame(sprites::ASprite* sprite, profile::Graphics* g, framework::jint frame, framework::jint x,
                    framework::jint y, framework::jint flags) override;
    void drawString(profile::Graphics* g, runtime::String* text, framework::jint x, framework::jint y,
                    framework::jint font, framework::jint anchor, framework::jint palette) override;
    // The built start-up loading step (sprites::loadResources).
    void loadResources() override;

private:
    bool setAnimLogged = false;
    bool setAnimEndedLogged = false;
};

} // namespace game::interim
