// The interim framework routines of the sprite and resource code (see
// InterimFrameworkServices.h).
#include "game/interim/InterimFrameworkServices.h"

#include "game/framework/TextLayout.h"
#include "game/interim/InterimLog.h"

namespace game::interim {

void InterimFrameworkServices::logFirstCall(const Operation operation, const char* const name) {
    interim::logFirstCall(logged[operation], name);
}

void InterimFrameworkServices::composePalette(jint, jint, jint, jint, jint, jint, jint, jboolean, jboolean,
                                              jint, jint) {
    logFirstCall(kComposePalette, "composePalette");
}

jint InterimFrameworkServices::getGlyphIndex(const jchar c) {
    return framework::getGlyphIndex(c);
}

jint InterimFrameworkServices::getStringWidth(runtime::String* const text, const jint font) {
    return framework::getStringWidth(text, font);
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
