// The game's static set-up (see StaticSetUp.h).
#include "game/framework/StaticSetUp.h"

#include "game/framework/GameStatics.h"
#include "runtime/ClassTable.h"
#include "runtime/ConstantPool.h"
#include "runtime/NumberWrappers.h"
#include "runtime/StreamsPrint.h"

namespace game {

namespace {

// The midlet class's instance counter starts here; each Quorlin adds one.
constexpr runtime::jlong kMidletCounterStart = 0x1020304050607080LL;

} // namespace

void staticFieldsInit(runtime::StaticClass* const block) {
    runtime::initClassTable(block);
    runtime::loadConstantPool(block);
    block->midletCount = kMidletCounterStart;
    runtime::System::staticInit(block);
    runtime::Boolean::staticInit();
    runtime::Runtime::staticInit();
}

void installStaticSetUp() {
    runtime::StaticSetUp setUp;
    setUp.createBlock = []() -> runtime::StaticClass* { return runtime::createStaticBlock<GameStatics>(); };
    setUp.run = staticFieldsInit;
    runtime::Application::setStaticSetUp(setUp);
}

} // namespace game
