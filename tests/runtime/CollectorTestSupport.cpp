// Helpers for tests that watch the collector (see CollectorTestSupport.h).
#include "tests/runtime/CollectorTestSupport.h"

#include "runtime/Application.h"
#include "runtime/ClassTable.h"
#include "runtime/Collector.h"

namespace runtime::gctest {

Node::Node(jint* releaseCounter, const jint id) : Object(id), releases(releaseCounter) {
    registerRefFields(this, &left, &right);
}

void Node::release() {
    if (releases != nullptr) {
        ++*releases;
    }
}

void installTestSetUp() {
    StaticSetUp setUp;
    setUp.createBlock = []() -> StaticClass* { return createStaticBlock<TestStatics>(); };
    setUp.run = [](StaticClass* block) {
        ++testSetUpRuns;
        initClassTable(block);
    };
    Application::setStaticSetUp(setUp);
}

bool isListed(const ObjectManager* manager, const std::uintptr_t hidden) {
    const Object* object = reveal(hidden);
    for (jint i = 0; i < manager->count; ++i) {
        if (manager->objects[i] == object) {
            return true;
        }
    }
    return false;
}

[[gnu::noinline]] void makeGarbage(jint* releases, const jint count) {
    for (jint i = 0; i < count; ++i) {
        newObject<Node>(releases);
    }
}

[[gnu::noinline]] std::uintptr_t makeHiddenNode(jint* releases) {
    return hide(newObject<Node>(releases));
}

void CollectedRuntimeTest::SetUp() {
    // These tests decide where collections happen; stress mode would collect everywhere.
    stressWasOn = gcStress();
    setGcStress(false);
    testSetUpRuns = 0;
    installTestSetUp();
    installHooks();
    ASSERT_TRUE(application.init());
    clearDeadStack();
}

void CollectedRuntimeTest::TearDown() {
    application.close();
    setGcStress(stressWasOn);
    Application::setInstance(nullptr);
    Application::setStaticSetUp(StaticSetUp{});
    Application::setScreenHooks(ScreenHooks{});
    Application::setMidletFactory(nullptr);
}

} // namespace runtime::gctest
