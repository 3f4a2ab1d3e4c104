// The game's own class initialisers: the canvas's (life cycle, frame and input state, the club
// database and competition tables, the match-screen state), the state class's (menu screens,
// squad lists, message rings, text-entry tables) and the constant-table initialiser (the match
// engine's tables). The static set-up runs each once, after the block is cleared and the
// constant pool is loaded; every static they do not store keeps the block's 0, false or null.
#pragma once

namespace game {
struct GameStatics;
}

namespace game::framework {

// Device::staticInit: the canvas's scalars, its generator, three string buffers, one match
// player, then its arrays and tables in creation order.
void deviceStaticInit(GameStatics* block);
// CState::staticInit: the state class's scalars, its hashtable, then its arrays and tables.
void cStateStaticInit(GameStatics* block);
// The match engine's work arrays and constant tables.
void initConstantTables(GameStatics* block);

} // namespace game::framework
