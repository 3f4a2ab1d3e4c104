// The interim framework routines of the sprite and resource code (see
// InterimFrameworkServices.h).
#include "game/interim/InterimFrameworkServices.h"

#include "game/interim/InterimLog.h"
#include "game/framework/TextLayout.h"
#include "runtime/ConstantPool.h"

namespace game::interim {

namespace {
// Constant string 1: the empty text, the failure result of a name look-up.
constexpr jint kEmptyTextConstant = 1;
} // namespace

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

runtime::String* InterimFrameworkServices::nameOf(jint, jint) {
    logFirstCall(kNameOf, "nameOf");
    return runtime::getConstantString(kEmptyTextConstant);
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

void InterimFrameworkServices::writeShortBE(jint) {
    logFirstCall(kWriteShortBE, "writeShortBE");
}

void InterimFrameworkServices::queueByte(jint) {
    logFirstCall(kQueueByte, "queueByte");
}

} // namespace game::interim
