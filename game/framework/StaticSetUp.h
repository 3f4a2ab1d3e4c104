// The game's static set-up: the block type the Application creates and the routine that fills it.
#pragma once

#include <span>

namespace runtime {
struct StaticClass;
}

namespace game {

struct GameStatics;

// One class initialiser: the class whose statics it fills, and the routine.
struct ClassInitialiser {
    const char* name;
    void (*run)(GameStatics* block);
};

// The class initialisers in the order they run: a later one (and every game routine) may rely on
// the statics of earlier ones.
std::span<const ClassInitialiser> classInitialisers();

// Fills a new block: class table, constant pool, the midlet counter, then every class
// initialiser once, in the game's fixed order.
void staticFieldsInit(runtime::StaticClass* block);

// Makes the Application create a GameStatics block and run staticFieldsInit on it.
void installStaticSetUp();

// Called before each class initialiser runs (tests record the order with it); null for none.
using ClassInitialiserObserver = void (*)(const ClassInitialiser& initialiser, GameStatics* block);
void setClassInitialiserObserver(ClassInitialiserObserver observer);

} // namespace game
