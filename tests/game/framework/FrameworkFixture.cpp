// The framework tests' runtime and scripted neighbours (see FrameworkFixture.h).
#include "tests/game/framework/FrameworkFixture.h"

#include "runtime/Arrays.h"
#include "runtime/ClassTable.h"
#include "runtime/System.h"

namespace game::testing {

namespace {
// The key ring and its time stamps (one per key bit) as the canvas's class initialiser creates them.
constexpr jint kKeyQueueLength = 6;
constexpr jint kKeyBits = 28;
} // namespace

jlong FrameworkFixture::now = 0;

void CallLog::add(const std::string& name, const std::vector<jint>& arguments) {
    std::string call = name;
    for (std::size_t i = 0; i < arguments.size(); ++i) {
        call += (i == 0 ? " " : ",") + std::to_string(arguments[i]);
    }
    calls.push_back(call);
}

std::vector<std::string> CallLog::take() {
    std::vector<std::string> taken;
    taken.swap(calls);
    return taken;
}

void ScriptedFrame::paint(profile::Graphics* /*screen*/) {
    log.add("paint");
    if (frameBody != nullptr) {
        frameBody();
    }
}

void ScriptedFrame::setTopState(const jint state) {
    log.add("setTopState", {state});
    statics()->previousTopState = statics()->topState;
    statics()->topState = state;
    statics()->framesInState = 0;
}

void ScriptedFrame::setMenuState(const jint state) {
    log.add("setMenuState", {state});
    statics()->previousMenuState = statics()->menuState;
    statics()->menuState = state;
}

void ScriptedFrame::squadListLongPress() {
    log.add("squadListLongPress");
}

void ScriptedMenus::updateEventList(runtime::Object* /*eventList*/) {
    log.add("updateEventList");
}

void ScriptedPromotion::promotionPointerPressed(const jint x, const jint y) {
    log.add("promotionPointerPressed", {x, y});
}

void ScriptedPromotion::promotionPointerReleased(const jint x, const jint y) {
    log.add("promotionPointerReleased", {x, y});
}

void ScriptedPromotion::promotionPointerDragged(const jint x, const jint y) {
    log.add("promotionPointerDragged", {x, y});
}

void FrameworkFixture::SetUp() {
    SamplePoolFixture::SetUp();
    // The game's block in place of the plain one, keeping the pool.
    runtime::ObjectArray* pool = application.staticClass->constantPool;
    runtime::freeRefFieldLists();
    delete application.staticClass;
    application.staticClass = runtime::createStaticBlock<GameStatics>();
    runtime::initClassTable(application.staticClass);
    GameStatics* statics = block();
    statics->constantPool = pool;
    statics->keyQueue = runtime::newIntArray(kKeyQueueLength);
    statics->keyPressTicks = runtime::newLongArray(kKeyBits);
    statics->gameRunning = 1;
    statics->topState = 1;
    statics->matchCommand = -1;
    statics->menuChoice = 1;
    now = 0;
    runtime::System::setClock([] { return now; });
}

void FrameworkFixture::TearDown() {
    runtime::System::setClock(nullptr);
    SamplePoolFixture::TearDown();
}

void touchReleasedAt(const jint x, const jint y) {
    GameStatics* block = statics();
    block->touchDown = 0;
    block->touchReleased = 1;
    block->pointerReleaseX = x;
    block->pointerReleaseY = y;
}

void touchHeldAt(const jint x, const jint y) {
    GameStatics* block = statics();
    block->touchDown = 1;
    block->touchPressedNow = 1;
    block->pointerPressX = x;
    block->pointerPressY = y;
}

} // namespace game::testing
