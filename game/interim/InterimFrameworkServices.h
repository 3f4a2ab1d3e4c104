// Stand-in for the framework routines the sprite and resource code calls, until the framework
// builds them.
#pragma once

#include "game/core/services/FrameworkServices.h"

namespace game::interim {

using runtime::jboolean;
using runtime::jchar;
using runtime::jint;

class InterimFrameworkServices final : public core::FrameworkServices {
public:
    // The sprites' own (game/sprites/Palettes.h): built, so not interim.
    void composePalette(jint row, jint base, jint a, jint b, jint c, jint d, jint e, jboolean flagE,
                        jboolean flagF, jint g, jint h) override;
    // The text layout's own (game/sprites/TextLayout.h): built, so not interim.
    jint getGlyphIndex(jchar c) override;
    jint getStringWidth(runtime::String* text, jint font) override;
    // Built: packs the statics into the saved-game record (game/season/SaveRecord.h).
    void loadGameDatabase() override;
    // False.
    jboolean positionViewOn() override;
    // Built: the selection table's first-run contents (game/club/SelectionTable.h).
    void resetSetupRecord(jboolean flag) override;
    // The framework's own (game/club/PlayerValue.h): built, so not interim.
    jint getPlayerValue(jint player, jboolean baseOnly) override;

private:
    enum Operation { kPositionViewOn, kOperationCount };
    // Logs the operation's interim line the first time it is called.
    void logFirstCall(Operation operation, const char* name);

    bool logged[kOperationCount] = {};
};

} // namespace game::interim
