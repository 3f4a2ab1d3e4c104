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

private:
    bool soundsLogged = false;
    bool parseLogged = false;
    bool labelLogged = false;
    bool resetLogged = false;
};

} // namespace game::interim
