// The interim information-screen routines (see InterimInfoScreenServices.h).
#include "game/interim/InterimInfoScreenServices.h"

#include "game/core/GameStatics.h"
#include "game/interim/InterimLog.h"
#include "game/match/FrameRecordFormat.h"
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

void InterimInfoScreenServices::paintPitchsideFigures(profile::Graphics* /*g*/) {
    using namespace game::match::frame;
    logFirstCall(figuresLogged, "paintPitchsideFigures (recordMatchMarkers)");
    GameStatics* const s = statics();
    runtime::ShortArray* const record = s->frameRecord;
    if (record == nullptr || record->length < kFirstCommandWord) {
        return;
    }
    for (runtime::jint i = 0; i < kMarkerEntries * kMarkerEntryLength; ++i) {
        (*record)[kFirstMarkerWord + i] = static_cast<runtime::jshort>(kAbsent);
    }
    s->frameLength = kFirstCommandWord;
}

void InterimInfoScreenServices::loadHeaderImage() {
    logFirstCall(headerLogged, "loadHeaderImage (no header image)");
}

} // namespace game::interim
