// Helpers for tests that watch the collector free or keep objects.
//
// The stack scan is conservative: a stale copy of an object's address anywhere between the
// collector's frame and the stack base keeps the object alive. Tests that expect an object to
// be freed therefore create it in a function that is not inlined, never hold its address in
// their own frame (only a hidden form of it), and wipe the dead stack below them
// (clearDeadStack) before collecting. Fixtures also wipe it at the end of SetUp, which runs at the depth of the test
// body: each test's heap lies where the previous one's did, so an earlier test's stale words
// could name this test's objects.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>

#include "runtime/Application.h"
#include "runtime/JavaTypes.h"
#include "runtime/Object.h"
#include "runtime/ObjectManager.h"
#include "runtime/StaticClass.h"
#include "tests/runtime/LogCapture.h"

namespace runtime::gctest {

// An object with two reference fields that counts its releases.
struct Node : Object {
    static constexpr jint kClassId = kActor;

    Object* left = nullptr;
    Object* right = nullptr;
    jint* releases = nullptr;

    explicit Node(jint* releaseCounter = nullptr, const jint id = kClassId);
    void release() override;
};

// The static-field block of the tests' "game": three reference statics besides the library's.
struct TestStatics : StaticClass {
    StaticRef<Object> first;
    StaticRef<Object> second;
    StaticRef<Object> third;
};
// Installs the set-up that makes and fills a TestStatics block; counts its runs.
void installTestSetUp();
inline jint testSetUpRuns = 0;

// An address in a form the stack scan does not recognise.
inline std::uintptr_t hide(const void* object) {
    return ~reinterpret_cast<std::uintptr_t>(object);
}
inline Object* reveal(const std::uintptr_t hidden) {
    return reinterpret_cast<Object*>(~hidden);
}

// Whether the object list still holds the object whose hidden address is given.
bool isListed(const ObjectManager* manager, std::uintptr_t hidden);
// Creates count unreferenced Nodes counting into releases.
void makeGarbage(jint* releases, jint count);
// A new unreferenced Node, as a hidden address.
std::uintptr_t makeHiddenNode(jint* releases);

// A started Application with the test set-up, made the current one; closed after the test.
class CollectedRuntimeTest : public ::testing::Test {
protected:
    // Runs before init, for fixtures that install more hooks.
    virtual void installHooks() {}
    void SetUp() override;
    void TearDown() override;

    TestStatics* statics() { return static_cast<TestStatics*>(application.getStaticClass()); }
    ObjectManager* manager() { return application.getObjectManager(); }

    // Release counters outlive the test body: objects still alive are released by close.
    jint releases = 0;
    jint moreReleases = 0;
    LogCapture log;
    Application application;

private:
    bool stressWasOn = false;
};

} // namespace runtime::gctest
