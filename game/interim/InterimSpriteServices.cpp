// The interim sprite operations and start-up loading (see InterimSpriteServices.h).
#include "game/interim/InterimSpriteServices.h"

#include "game/sprites/StartupLoading.h"
#include "game/interim/InterimLog.h"

namespace game::interim {

void InterimSpriteServices::setAnim(runtime::Object* /*instance*/, framework::jint /*animation*/,
                                    framework::jint /*loops*/) {
    logFirstCall(setAnimLogged, "ASpriteInstance::setAnim");
}

void InterimSpriteServices::setAnimEnded(runtime::Object* /*instance*/, framework::jint /*animation*/) {
    logFirstCall(setAnimEndedLogged, "ASpriteInstance::setAnimEnded");
}

void InterimSpriteServices::paintOn(runtime::Object* /*instance*/, profile::Graphics* /*g*/,
                                    framework::jint /*x*/, framework::jint /*y*/, framework::jint /*flagA*/,
                                    framework::jint /*flagB*/, framework::jint /*valueA*/,
                                    framework::jint /*valueB*/) {
    logFirstCall("ASpriteInstance::paintOn (paints nothing)");
}

void InterimSpriteServices::paintFrame(sprites::ASprite* /*sprite*/, profile::Graphics* /*g*/,
                                       framework::jint /*frame*/, framework::jint /*x*/,
                                       framework::jint /*y*/, framework::jint /*flags*/) {
    logFirstCall("ASprite::paintFrame (paints nothing)");
}

void InterimSpriteServices::drawString(profile::Graphics* /*g*/, runtime::String* /*text*/,
                                       framework::jint /*x*/, framework::jint /*y*/, framework::jint /*font*/,
                                       framework::jint /*anchor*/, framework::jint /*palette*/) {
    logFirstCall("ASprite::drawString (draws nothing)");
}

void InterimSpriteServices::loadResources() {
    sprites::loadResources();
}

} // namespace game::interim
