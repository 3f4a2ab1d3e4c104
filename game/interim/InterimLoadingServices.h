// Stand-in for the neighbours the start-up loading calls until their owners build them: no
// particles, no sound players, no side set-up, and a promotion screen that is neither ready nor
// enabled.
#pragma once

#include "game/sprites/LoadingServices.h"

namespace game::interim {

class InterimLoadingServices final : public sprites::LoadingServices {
public:
    // Each has no effect.
    void generateParticles() override;
    void loadSoundPlayers() override;
    void setUpTeamSide(match::CTeam* team, sprites::jint side) override;
    void igpInitialize(sprites::jint width, sprites::jint height) override;
    // false; false; null: the promotion screen offers nothing.
    sprites::jboolean igpIsReady() override;
    sprites::jboolean igpEnabled() override;
    runtime::ByteArray* igpEntryFlags() override;
};

} // namespace game::interim
