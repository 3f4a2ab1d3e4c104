// The class initialiser of the promotion screen IGP, run by the game's static set-up in its
// fixed order.
#pragma once

namespace game {
struct GameStatics;
}

namespace game::promotion {

// The start values of the promotion statics (IGP::staticInit).
void igpStaticInit(GameStatics* block);

} // namespace game::promotion
