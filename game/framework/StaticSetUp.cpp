// The game's static set-up (see StaticSetUp.h).
#include "game/framework/StaticSetUp.h"

#include <iterator>

#include "game/club/ClubRecords.h"
#include "game/core/GameStatics.h"
#include "game/framework/ClassInitialisers.h"
#include "game/match/MatchStaticInit.h"
#include "game/promotion/IGPStaticInit.h"
#include "game/sprites/SpriteStaticInit.h"
#include "runtime/ClassTable.h"
#include "runtime/ConstantPool.h"
#include "runtime/NumberWrappers.h"
#include "runtime/StreamsPrint.h"

namespace game {

using namespace game::framework;
using namespace game::promotion;
using namespace game::sprites;
using namespace game::match;

namespace {

// The midlet class's instance counter starts here; each Quorlin adds one.
constexpr runtime::jlong kMidletCounterStart = 0x1020304050607080LL;

ClassInitialiserObserver observer = nullptr;

const ClassInitialiser kInitialisers[] = {
    {"System", [](GameStatics* block) { runtime::System::staticInit(block); }},
    {"CPlayer", match::initPlayerStatics},
    {"Device", framework::deviceStaticInit},
    {"Actor", match::initActorStatics},
    {"Boolean", [](GameStatics*) { runtime::Boolean::staticInit(); }},
    {"CState", framework::cStateStaticInit},
    {"ASprite", sprites::initSpriteStatics},
    {"IGP", promotion::igpStaticInit},
    {"ConstantTables", framework::initConstantTables},
    {"Club", club::clubStaticInit},
    {"Runtime", [](GameStatics*) { runtime::Runtime::staticInit(); }},
};

} // namespace

std::span<const ClassInitialiser> classInitialisers() {
    return kInitialisers;
}

void staticFieldsInit(runtime::StaticClass* const block) {
    runtime::initClassTable(block);
    runtime::loadConstantPool(block);
    block->midletCount = kMidletCounterStart;
    auto* statics = static_cast<GameStatics*>(block);
    for (const ClassInitialiser& initialiser : kInitialisers) {
        if (observer != nullptr) {
            observer(initialiser, statics);
        }
        initialiser.run(statics);
    }
}

void installStaticSetUp() {
    runtime::StaticSetUp setUp;
    setUp.createBlock = []() -> runtime::StaticClass* { return runtime::createStaticBlock<GameStatics>(); };
    setUp.run = staticFieldsInit;
    runtime::Application::setStaticSetUp(setUp);
}

void setClassInitialiserObserver(const ClassInitialiserObserver newObserver) {
    observer = newObserver;
}

} // namespace game
