// The game's static-field block: the class library's statics (StaticClass), then one group per
// declaring class. Game code reaches it through statics(); every field is named as the game names
// it, so `statics()->topState` reads like the static it stands for.
#pragma once

#include "game/core/ASpriteStatics.h"
#include "game/core/ArchiveStatics.h"
#include "game/core/CStateStatics.h"
#include "game/core/ClubStatics.h"
#include "game/core/DayAdvanceStatics.h"
#include "game/core/DeviceStatics.h"
#include "game/core/IGPStatics.h"
#include "game/core/MatchConstantStatics.h"
#include "game/core/MatchStatics.h"
#include "game/core/MatchViewStatics.h"
#include "game/core/SeasonWorkStatics.h"
#include "runtime/Application.h"
#include "runtime/StaticClass.h"

namespace game {

struct GameStatics : runtime::StaticClass,
                     DeviceStatics,
                     MatchStatics,
                     MatchConstantStatics,
                     MatchViewStatics,
                     CStateStatics,
                     ASpriteStatics,
                     IGPStatics,
                     ClubStatics,
                     SeasonWorkStatics,
                     DayAdvanceStatics,
                     ArchiveStatics {};

// The block of the running Application (installed by the game's static set-up).
inline GameStatics* statics() {
    return static_cast<GameStatics*>(runtime::Application::getInstance()->getStaticClass());
}

} // namespace game
