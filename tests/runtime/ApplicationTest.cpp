// The Application: start-up, the screen graphics, the midlet, painting with its periodic
// collection, key forwarding and close.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "runtime/Application.h"
#include "runtime/ClassTable.h"
#include "runtime/Collector.h"
#include "runtime/Displayable.h"
#include "runtime/Exceptions.h"
#include "runtime/MIDlet.h"
#include "runtime/ObjectManager.h"
#include "tests/support/RuntimeValues.h"
#include "runtime/StaticClass.h"
#include "runtime/Throwable.h"
#include "runtime/VirtualMemoryManager.h"
#include "tests/runtime/CollectorTestSupport.h"
#include "tests/runtime/LogCapture.h"

namespace runtime {
namespace {

using gctest::makeGarbage;
using gctest::Node;
using gctest::TestStatics;

constexpr jint kScreenWidth = 480;
constexpr jint kScreenHeight = 800;

// What the test doubles saw, in order.
std::vector<std::string> events;

void record(const std::string& event) {
    events.push_back(event);
}

struct FakeImage : Object {
    static constexpr jint kClassId = kImage;
    jint width = 0;
    jint height = 0;

    FakeImage(const jint w, const jint h) : Object(kClassId), width(w), height(h) {}
};

struct FakeGraphics : Object {
    static constexpr jint kClassId = kGraphics;
    Object* image = nullptr;

    explicit FakeGraphics(Object* target) : Object(kClassId), image(target) {
        registerRefFields(this, &image);
    }
};

ScreenHooks fakeScreenHooks() {
    ScreenHooks hooks;
    hooks.createGraphics = [](Object* image) -> Object* {
        record("createGraphics");
        return newObject<FakeGraphics>(image);
    };
    hooks.imageWidth = [](Object* image) { return static_cast<FakeImage*>(image)->width; };
    hooks.imageHeight = [](Object* image) { return static_cast<FakeImage*>(image)->height; };
    hooks.resetTranslation = [](Object*) { record("translate 0 0"); };
    hooks.setClip = [](Object*, jint x, jint y, jint w, jint h) {
        record("clip " + std::to_string(x) + " " + std::to_string(y) + " " + std::to_string(w) + " " +
               std::to_string(h));
    };
    hooks.setColor = [](Object*, jint rgb) { record("color " + std::to_string(rgb)); };
    return hooks;
}

struct FakeDisplayable : javax_microedition_lcdui_Displayable {
    void keyPressed(const jint keyCode) override { record("keyPressed " + std::to_string(keyCode)); }
    void keyReleased(const jint keyCode) override { record("keyReleased " + std::to_string(keyCode)); }
    void paint(Object* graphics) override {
        record(graphics == Application::getInstance()->m_screenGraphics ? "paint screen" : "paint other");
    }
};

jint midletReleases = 0;

struct FakeMidlet : javax_microedition_midlet_MIDlet {
    static constexpr jint kClassId = kQuorlin;
    FakeMidlet() : javax_microedition_midlet_MIDlet(kClassId) { record("midlet constructed"); }
    void startApp() override { record("startApp"); }
    void destroyApp(const jboolean unconditional) override {
        record("destroyApp " + std::to_string(unconditional));
    }
    void release() override { ++midletReleases; }
};

class ApplicationTest : public gctest::CollectedRuntimeTest {
protected:
    void installHooks() override {
        events.clear();
        midletReleases = 0;
        Application::setScreenHooks(fakeScreenHooks());
        Application::setMidletFactory(
            []() -> javax_microedition_midlet_MIDlet* { return newObject<FakeMidlet>(); });
    }
    void attachScreen() {
        application.createScreenGraphics(newObject<FakeImage>(kScreenWidth, kScreenHeight));
    }
};

TEST_F(ApplicationTest, InitCreatesHeapsManagerAndBlockAndRunsTheSetUpOnce) {
    const std::vector<std::string> expected = {"new MemoryManagers", "new ObjectManager", "new StaticClass",
                                               "Application::init"};
    EXPECT_EQ(log.lines, expected);
    EXPECT_EQ(Application::getInstance(), &application);
    ASSERT_NE(application.objectHeap, nullptr);
    ASSERT_NE(application.secondaryHeap, nullptr);
    EXPECT_EQ(application.objectHeap->size(), kObjectHeapSize);
    EXPECT_FALSE(application.objectHeap->isRelocatable());
    EXPECT_EQ(application.secondaryHeap->size(), kSecondaryHeapSize);
    EXPECT_TRUE(application.secondaryHeap->isRelocatable());
    ASSERT_NE(application.getObjectManager(), nullptr);
    EXPECT_EQ(application.getObjectManager()->application, &application);
    EXPECT_EQ(application.getObjectManager()->count, 0);
    EXPECT_EQ(gctest::testSetUpRuns, 1);
    EXPECT_EQ(statics()->rootCount, testing_support::kLibraryRootCount + 3);
    EXPECT_EQ(application.nameDepth, 0);
    EXPECT_EQ(application.pendingException, nullptr);
    EXPECT_EQ(application.paintCounter, 0);
}

TEST(ApplicationDefaultSetUp, WithoutAGameSetUpTheClassTableIsStillFilled) {
    LogCapture log;
    Application application;
    ASSERT_TRUE(application.init());
    const ClassRecord* record = getClassRecord(kQuorlin);
    ASSERT_NE(record, nullptr);
    EXPECT_STREQ(record->name, "Quorlin");
    EXPECT_EQ(record->superClassId, kMIDlet);
    application.close();
    Application::setInstance(nullptr);
}

TEST_F(ApplicationTest, ScreenGraphicsDrawIntoTheScreenImageWhoseSizeDisplayablesReport) {
    auto* displayable = newObject<FakeDisplayable>();
    application.currentDisplayable = displayable;
    EXPECT_EQ(displayable->getWidth(), 0);
    log.lines.clear();

    attachScreen();
    EXPECT_EQ(log.lines, std::vector<std::string>{"m_screenGraphics"});
    ASSERT_NE(application.m_screenGraphics, nullptr);
    EXPECT_EQ(static_cast<FakeGraphics*>(application.m_screenGraphics)->image, application.screenImage);
    EXPECT_EQ(displayable->getWidth(), kScreenWidth);
    EXPECT_EQ(displayable->getHeight(), kScreenHeight);
}

TEST_F(ApplicationTest, StartAppCreatesTheMidletThenLogsAndStartsIt) {
    log.lines.clear();
    application.startApp();
    ASSERT_NE(application.m_midlet, nullptr);
    EXPECT_EQ(application.m_midlet->classId, FakeMidlet::kClassId);
    EXPECT_EQ(events, (std::vector<std::string>{"midlet constructed", "startApp"}));
    EXPECT_EQ(log.lines, std::vector<std::string>{"Application::startApp"});

    clearDeadStack();
    application.getObjectManager()->gc(0);
    EXPECT_EQ(midletReleases, 0);
}

TEST_F(ApplicationTest, StartAppWithoutAMidletClassIsLoggedAndHarmless) {
    Application::setMidletFactory(nullptr);
    application.startApp();
    EXPECT_EQ(application.m_midlet, nullptr);
    EXPECT_TRUE(log.contains("Application::startApp: no midlet class"));
}

TEST_F(ApplicationTest, PaintResetsTheScreenGraphicsPaintsAndResetsTheClip) {
    attachScreen();
    application.currentDisplayable = newObject<FakeDisplayable>();
    events.clear();
    application.paintFrame();
    const std::vector<std::string> expected = {"translate 0 0", "clip 0 0 480 800", "color 16777215",
                                               "paint screen", "clip 0 0 480 800"};
    EXPECT_EQ(events, expected);
}

TEST_F(ApplicationTest, EverySecondPaintCollectsExactlyOnce) {
    attachScreen();
    application.currentDisplayable = newObject<FakeDisplayable>();
    for (jint paint = 1; paint <= 4; ++paint) {
        SCOPED_TRACE(paint);
        makeGarbage(&releases, 3);
        clearDeadStack();
        application.paintFrame();
        // Paint 2 frees the garbage of paints 1 and 2; paint 4 that of paints 3 and 4.
        EXPECT_EQ(releases, paint % 2 == 0 ? 3 * paint : 3 * (paint - 1));
    }
}

TEST_F(ApplicationTest, PaintWithoutACurrentDisplayableOnlyResetsTheClip) {
    attachScreen();
    makeGarbage(&releases, 3);
    events.clear();
    for (jint paint = 0; paint < 3; ++paint) {
        clearDeadStack();
        application.paintFrame();
    }
    EXPECT_EQ(events, std::vector<std::string>(3, "clip 0 0 480 800"));
    EXPECT_EQ(releases, 0);
    EXPECT_EQ(application.paintCounter, 0);

    // Counting starts with the first real paint.
    application.currentDisplayable = newObject<FakeDisplayable>();
    clearDeadStack();
    application.paintFrame();
    EXPECT_EQ(releases, 0);
    clearDeadStack();
    application.paintFrame();
    EXPECT_EQ(releases, 3);
}

TEST_F(ApplicationTest, KeysReachTheCurrentDisplayableOnly) {
    application.keyPressed(5);
    application.keyReleased(5);
    EXPECT_TRUE(events.empty());

    application.currentDisplayable = newObject<FakeDisplayable>();
    application.keyPressed(-6);
    application.keyReleased(53);
    EXPECT_EQ(events, (std::vector<std::string>{"keyPressed -6", "keyReleased 53"}));
}

// A displayable whose handlers raise and nobody catches.
struct RaisingDisplayable : javax_microedition_lcdui_Displayable {
    void raise() { throwException(newObject<java_lang_Throwable>()); }
    void keyPressed(jint) override { raise(); }
    void keyReleased(jint) override { raise(); }
    void paint(Object*) override { raise(); }
};

TEST_F(ApplicationTest, AnExceptionNoMethodCaughtIsClearedWhereControlReturnsToTheHost) {
    attachScreen();
    application.currentDisplayable = newObject<RaisingDisplayable>();
    const std::vector<void (*)(Application&)> entries = {
        [](Application& a) { a.paintFrame(); },
        [](Application& a) { a.keyPressed(-5); },
        [](Application& a) { a.keyReleased(-5); },
    };
    for (const auto& entry : entries) {
        log.lines.clear();
        entry(application);
        EXPECT_EQ(application.pendingException, nullptr);
        EXPECT_FALSE(log.lines.empty());
    }
}

[[gnu::noinline]] void fillRootsAndGarbage(Application& application, TestStatics* statics, jint* releases) {
    statics->first = newObject<Node>(releases);
    statics->third = newObject<Node>(releases);
    static_cast<Node*>(statics->third)->left = newObject<Node>(releases);
    Node* permanent = newObject<Node>(releases);
    permanent->collectable = 0; // like a constant-pool string
    makeGarbage(releases, 2);
    application.pendingException = newObject<Node>(releases);
}

TEST_F(ApplicationTest, CloseDestroysTheMidletAndReleasesEveryObjectOnce) {
    attachScreen();
    application.startApp();
    application.currentDisplayable = newObject<FakeDisplayable>();
    fillRootsAndGarbage(application, statics(), &releases);
    events.clear();
    log.lines.clear();

    application.close();
    EXPECT_EQ(events, std::vector<std::string>{"destroyApp 1"});
    EXPECT_EQ(log.lines, (std::vector<std::string>{"Application::close", "Application::destoryMIDlet"}));
    EXPECT_EQ(releases, 7);
    EXPECT_EQ(midletReleases, 1);
    EXPECT_EQ(application.m_midlet, nullptr);
    EXPECT_EQ(application.currentDisplayable, nullptr);
    EXPECT_EQ(application.screenImage, nullptr);
    EXPECT_EQ(application.m_screenGraphics, nullptr);
    EXPECT_EQ(application.pendingException, nullptr);
    EXPECT_EQ(application.getObjectManager(), nullptr);
    EXPECT_EQ(application.getStaticClass(), nullptr);
    EXPECT_EQ(application.objectHeap, nullptr);
    EXPECT_EQ(application.secondaryHeap, nullptr);
}

TEST_F(ApplicationTest, CloseWithoutAMidletSaysSoAndStillFreesEverything) {
    fillRootsAndGarbage(application, statics(), &releases);
    log.lines.clear();
    application.close();
    EXPECT_EQ(log.lines, (std::vector<std::string>{"Application::close", "Application::destoryMIDlet",
                                                   "m_midlet is already NULL."}));
    EXPECT_EQ(releases, 7);
    EXPECT_TRUE(events.empty());
}

} // namespace
} // namespace runtime
