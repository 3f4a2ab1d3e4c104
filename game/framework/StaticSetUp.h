// The game's static set-up: the block type the Application creates and the routine that fills it.
#pragma once

namespace runtime {
struct StaticClass;
}

namespace game {

// Fills a new block: class table, constant pool, the midlet counter, then every class
// initialiser once, in the game's fixed order.
void staticFieldsInit(runtime::StaticClass* block);

// Makes the Application create a GameStatics block and run staticFieldsInit on it.
void installStaticSetUp();

} // namespace game
