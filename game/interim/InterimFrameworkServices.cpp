// The interim framework routines of the sprite and resource code (see
// InterimFrameworkServices.h).
#include "game/interim/InterimFrameworkServices.h"

#include "runtime/Log.h"

namespace game::interim {

void InterimFrameworkServices::logFirstCall(const Operation operation, const char* const name) {
    if (logged[operation]) {
        return;
    }
    logged[operation] = true;
    runtime::log("interim: %s has no effect until its owner is built", name);
}

void InterimFrameworkServices::composePalette(jint, jint, jint, jint, jint, jint, jint, jboolean, jboolean,
                                              jint, jint) {
    logFirstCall(kComposePalette, "composePalette");
}

jint InterimFrameworkServices::getGlyphIndex(jchar) {
    logFirstCall(kGetGlyphIndex, "getGlyphIndex");
    return -1;
}

jint InterimFrameworkServices::getStringWidth(runtime::String*, jint) {
    logFirstCall(kGetStringWidth, "getStringWidth");
    return 0;
}

void InterimFrameworkServices::loadGameDatabase() {
    logFirstCall(kLoadGameDatabase, "loadGameDatabase");
}

jboolean InterimFrameworkServices::positionViewOn() {
    logFirstCall(kPositionViewOn, "positionViewOn");
    return 0;
}

void InterimFrameworkServices::resetSetupRecord(jboolean) {
    logFirstCall(kResetSetupRecord, "resetSetupRecord");
}

jint InterimFrameworkServices::getPlayerValue(jint, jboolean) {
    logFirstCall(kGetPlayerValue, "getPlayerValue");
    return 0;
}

} // namespace game::interim
