// The interim information-screen routines (see InterimInfoScreenServices.h).
#include "game/interim/InterimInfoScreenServices.h"

#include "game/interim/InterimLog.h"
#include "runtime/ConstantPool.h"

namespace game::interim {

namespace {
// Constant string 1: the empty text.
constexpr runtime::jint kEmptyTextConstant = 1;
} // namespace

void InterimInfoScreenServices::loadSoundPlayers() {
    logFirstCall(soundsLogged, "loadSoundPlayers");
}

runtime::jint InterimInfoScreenServices::parseDataSet(runtime::ByteArray* /*bytes*/, runtime::jint /*arg*/) {
    logFirstCall(parseLogged, "parseDataSet");
    return 0;
}

runtime::String* InterimInfoScreenServices::getTeamLabel(runtime::jint /*team*/) {
    logFirstCall(labelLogged, "getTeamLabel (getCustomTeamName)");
    return runtime::getConstantString(kEmptyTextConstant);
}

void InterimInfoScreenServices::resetCareer() {
    logFirstCall(resetLogged, "resetCareer (initNewGameState)");
}

} // namespace game::interim
