// The interim sprite instance operations (see InterimSpriteServices.h).
#include "game/interim/InterimSpriteServices.h"

#include "game/interim/InterimLog.h"

namespace game::interim {

void InterimSpriteServices::setAnim(runtime::Object* /*instance*/, framework::jint /*animation*/,
                                    framework::jint /*loops*/) {
    logFirstCall(setAnimLogged, "ASpriteInstance::setAnim");
}

void InterimSpriteServices::setAnimEnded(runtime::Object* /*instance*/, framework::jint /*animation*/) {
    logFirstCall(setAnimEndedLogged, "ASpriteInstance::setAnimEnded");
}

} // namespace game::interim
