// Stand-in for the information-screen routines the sprite and resource code calls, until the
// information screens are built.
#pragma once

#include "game/core/services/InfoScreenServices.h"

namespace game::interim {

class InterimInfoScreenServices final : public core::InfoScreenServices {
public:
    // No effect: no sound players are made.
    void loadSoundPlayers() override;
    // 0: nothing parsed.
    runtime::jint parseDataSet(runtime::ByteArray* bytes, runtime::jint arg) override;
    // Constant string 1, the empty text.
    runtime::String* getTeamLabel(runtime::jint team) override;
    // No effect: the season state stays as it is.
    void resetCareer() override;
    // Writes the five empty marker triples (-1) of frame-record words 55..69 and sets frameLength
    // to 110; word 109 and the figures are left alone.
    void paintPitchsideFigures(profile::Graphics* g) override;
    // Loads nothing: the pre-match screen then draws no header image.
    void loadHeaderImage() override;

private:
    bool soundsLogged = false;
    bool parseLogged = false;
    bool labelLogged = false;
    bool resetLogged = false;
    bool figuresLogged = false;
    bool headerLogged = false;
};

} // namespace game::interim
