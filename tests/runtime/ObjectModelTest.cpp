// The object header, Object's default slots and the instance test.
#include "runtime/Object.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "runtime/ObjectManager.h"
#include "runtime/String.h"
#include "runtime/VirtualMemoryManager.h"
#include "tests/runtime/BareApplication.h"
#include "tests/runtime/LogCapture.h"

namespace runtime {
namespace {

struct PlainObject : Object {
    static constexpr jint kClassId = kObject;
    explicit PlainObject(const jint id = kClassId) : Object(id) {}
};

// An interface with its own table, embedded as the first field after the header.
struct TestRunnable {
    virtual void run() = 0;

protected:
    ~TestRunnable() = default;
};

// The game canvas: a Canvas subclass that implements Runnable.
struct TestDevice : Object, TestRunnable {
    static constexpr jint kClassId = kDevice;
    jint runs = 0;

    explicit TestDevice(const jint id = kClassId) : Object(id) {}
    void run() override { ++runs; }
    void* getInterface(const jint interfaceClassId) override {
        return interfaceClassId == kRunnable ? static_cast<TestRunnable*>(this) : nullptr;
    }
};

// The base constructor sees the final class id (ids are passed up the chain).
struct SeenByBase : Object {
    jint idSeenByBase = 0;
    explicit SeenByBase(const jint id) : Object(id) { idSeenByBase = classId; }
};
struct SubclassOfSeenByBase : SeenByBase {
    SubclassOfSeenByBase() : SeenByBase(kCState) {}
};

class ObjectModelTest : public ::testing::Test {
protected:
    BareApplication bare;
};

TEST_F(ObjectModelTest, NewObjectsAreCollectableAndMarked) {
    const SubclassOfSeenByBase object;
    EXPECT_EQ(object.classId, kCState);
    EXPECT_EQ(object.idSeenByBase, kCState);
    EXPECT_EQ(object.collectable, 1);
    EXPECT_EQ(object.mark, 1);
}

TEST_F(ObjectModelTest, EqualsIsIdentity) {
    PlainObject a;
    PlainObject b;
    EXPECT_EQ(a.equals(&a), 1);
    EXPECT_EQ(a.equals(&b), 0);
    EXPECT_EQ(a.equals(nullptr), 0);
}

TEST_F(ObjectModelTest, HashCodeIsTheLowHalfOfTheAddress) {
    PlainObject object;
    const auto address = reinterpret_cast<std::uintptr_t>(&object);
    EXPECT_EQ(static_cast<std::uint32_t>(object.hashCode()), static_cast<std::uint32_t>(address));
    EXPECT_EQ(object.hashCode(), object.hashCode());
}

TEST_F(ObjectModelTest, CloneIsNotSupported) {
    LogCapture capture;
    PlainObject object;
    EXPECT_EQ(object.clone(), nullptr);
    ASSERT_EQ(capture.lines.size(), 2u);
    EXPECT_EQ(capture.lines[0], "clone");
    EXPECT_EQ(capture.lines[1], "stacktrace:\n");
}

TEST_F(ObjectModelTest, ObjectImplementsNoInterface) {
    PlainObject object;
    for (const jint id : {kRunnable, kCommandListener, kEnumeration, kObject}) {
        EXPECT_EQ(object.getInterface(id), nullptr) << id;
    }
}

TEST_F(ObjectModelTest, ToStringNamesTheClassAndTheAddress) {
    // Small heaps and an object list, enough to create the String.
    VirtualMemoryManager objects;
    VirtualMemoryManager buffers;
    ASSERT_TRUE(objects.init(64 * 1024, false));
    ASSERT_TRUE(buffers.init(64 * 1024, true));
    ObjectManager manager;
    Application& application = *bare.application;
    application.objectHeap = &objects;
    application.secondaryHeap = &buffers;
    application.objectManager = &manager;

    PlainObject object(kEOFException);
    char expected[64];
    std::snprintf(expected, sizeof expected, "Object_id=20 @0x%x",
                  static_cast<unsigned>(reinterpret_cast<std::uintptr_t>(&object) & 0xffffffffu));
    String* text = object.toString();
    ASSERT_NE(text, nullptr);
    EXPECT_EQ(std::string(text->chars, text->chars + text->length()), expected);

    application.objectHeap = nullptr;
    application.secondaryHeap = nullptr;
    application.objectManager = nullptr;
    std::free(manager.objects);
}

TEST_F(ObjectModelTest, InstanceOfAsksTheInterfaceCastThenTheChain) {
    TestDevice device;
    PlainObject eof(kEOFException);
    PlainObject canvas(kCanvas);
    const struct {
        Object* object;
        jint classId;
        jint expected;
    } cases[] = {
        {nullptr, kObject, 0},        {&eof, kEOFException, 1},       {&eof, kIOException, 1},
        {&eof, kException, 1},        {&eof, kThrowable, 1},          {&eof, kObject, 1},
        {&eof, kRuntimeException, 0}, {&device, kRunnable, 1},        {&device, kCanvas, 1},
        {&device, kDisplayable, 1},   {&device, kCState, 0},          {&canvas, kRunnable, 0},
        {&device, kClassCount, 0},    {&device, kCommandListener, 0},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(instanceOf(c.object, c.classId), c.expected) << c.classId;
    }
    // Device reports Runnable only through its interface cast, never through its superclasses.
    EXPECT_EQ(isSubclassOf(getClassRecordOf(&device), getClassRecord(kRunnable)), 0);
    static_cast<TestRunnable*>(device.getInterface(kRunnable))->run();
    EXPECT_EQ(device.runs, 1);
}

TEST_F(ObjectModelTest, AFreedObjectIsAnInstanceOfNothing) {
    PlainObject object(kEOFException);
    object.classId = static_cast<jshort>(kNoClass);
    EXPECT_EQ(getClassRecordOf(&object), nullptr);
    EXPECT_EQ(instanceOf(&object, kObject), 0);
}

} // namespace
} // namespace runtime
