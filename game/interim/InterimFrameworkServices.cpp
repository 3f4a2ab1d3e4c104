// The interim framework routines of the sprite and resource code (see
// InterimFrameworkServices.h).
#include "game/interim/InterimFrameworkServices.h"

#include "game/club/PlayerValue.h"
#include "game/club/SelectionTable.h"
#include "game/interim/InterimLog.h"
#include "game/season/SaveRecord.h"
#include "game/sprites/Palettes.h"
#include "game/sprites/TextLayout.h"

namespace game::interim {

using namespace game::sprites;
using namespace game::club;

void InterimFrameworkServices::logFirstCall(const Operation operation, const char* const name) {
    interim::logFirstCall(logged[operation], name);
}

void InterimFrameworkServices::composePalette(const jint row, const jint base, const jint a, const jint b,
                                              const jint c, const jint d, const jint e, const jboolean flagE,
                                              const jboolean flagF, const jint g, const jint h) {
    sprites::composePalette(row, base, a, b, c, d, e, flagE, flagF, g, h);
}

jint InterimFrameworkServices::getGlyphIndex(const jchar c) {
    return sprites::getGlyphIndex(c);
}

jint InterimFrameworkServices::getStringWidth(runtime::String* const text, const jint font) {
    return sprites::getStringWidth(text, font);
}

void InterimFrameworkServices::loadGameDatabase() {
    season::packSaveRecord();
}

jboolean InterimFrameworkServices::positionViewOn() {
    logFirstCall(kPositionViewOn, "positionViewOn");
    return 0;
}

void InterimFrameworkServices::resetSetupRecord(jboolean) {
    club::resetSelectionTable();
}

jint InterimFrameworkServices::getPlayerValue(const jint player, const jboolean baseOnly) {
    return club::getPlayerValue(player, baseOnly);
}

} // namespace game::interim
