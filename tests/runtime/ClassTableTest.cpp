// The class table: names, ids and superclasses, the subclass test, reference-field registration.
#include "runtime/ClassTable.h"

#include <gtest/gtest.h>

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <set>
#include <string>
#include <vector>

#include "runtime/StaticClass.h"
#include "tests/runtime/BareApplication.h"
#include "tests/runtime/LogCapture.h"

namespace runtime {
namespace {

class ClassTableTest : public ::testing::Test {
protected:
    BareApplication bare;
    StaticClass& block = *bare.block;
};

TEST_F(ClassTableTest, EveryRecordCarriesItsIndexAndADistinctName) {
    std::set<std::string> names;
    for (jint id = 0; id < kClassCount; ++id) {
        const ClassRecord& record = block.classes[id];
        ASSERT_NE(record.name, nullptr) << id;
        EXPECT_EQ(record.classId, id);
        EXPECT_GT(std::strlen(record.name), 0u) << id;
        names.insert(record.name);
        EXPECT_EQ(record.refOffsets, nullptr);
        EXPECT_EQ(record.refCount, 0);
    }
    EXPECT_EQ(names.size(), static_cast<std::size_t>(kClassCount));
}

TEST_F(ClassTableTest, NamesFollowTheIdOrder) {
    const struct {
        jint id;
        const char* name;
    } cases[] = {
        {kObject, "Object"},
        {kString, "String"},
        {kObjectArray, "ObjectArray"},
        {kDoubleArray, "DoubleArray"},
        {kAudioClip, "com_samsung_util_AudioClip"},
        {kEOFException, "java_io_EOFException"},
        {kRunnable, "java_lang_Runnable"},
        {kThrowable, "java_lang_Throwable"},
        {kHashtableEntryInner, "java_util_Hashtable_Entry"},
        {kHashtableEnumerator, "java_util_Hashtable_HashtableEnumerator"},
        {kVector, "java_util_Vector"},
        {kCanvas, "javax_microedition_lcdui_Canvas"},
        {kMIDlet, "javax_microedition_midlet_MIDlet"},
        {kRecordStoreNotOpenException, "javax_microedition_rms_RecordStoreNotOpenException"},
        {kActor, "Actor"},
        {kASprite, "ASprite"},
        {kASpriteInstance, "ASpriteInstance"},
        {kCPlayer, "CPlayer"},
        {kCState, "CState"},
        {kCTeam, "CTeam"},
        {kDBG_CLASS, "DBG_CLASS"},
        {kDevice, "Device"},
        {kQuorlin, "Quorlin"},
        {kIGP, "IGP"},
    };
    for (const auto& c : cases) {
        EXPECT_STREQ(block.classes[c.id].name, c.name) << c.id;
    }
}

TEST_F(ClassTableTest, SuperclassesFormTheLibraryHierarchy) {
    const struct {
        jint superClass;
        std::vector<jint> classes;
    } families[] = {
        {kThrowable, {kError, kException}},
        {kException,
         {kIOException, kClassNotFoundException, kInterruptedException, kRuntimeException, kMediaException,
          kRecordStoreException}},
        {kRuntimeException,
         {kArithmeticException, kArrayStoreException, kIllegalArgumentException, kIllegalStateException,
          kIndexOutOfBoundsException, kNullPointerException, kEmptyStackException, kNoSuchElementException}},
        {kIndexOutOfBoundsException, {kArrayIndexOutOfBoundsException}},
        {kIOException, {kEOFException, kUTFDataFormatException, kConnectionNotFoundException}},
        {kRecordStoreException,
         {kInvalidRecordIDException, kRecordStoreFullException, kRecordStoreNotFoundException,
          kRecordStoreNotOpenException}},
        {kInputStream, {kByteArrayInputStream, kDataInputStream, kResourceInputStream}},
        {kOutputStream, {kByteArrayOutputStream, kConsoleOutputStream, kDataOutputStream, kPrintStream}},
        {kCalendar, {kCalendarImpl}},
        {kTimeZone, {kTimeZoneImpl}},
        {kVector, {kStack}},
        {kDisplayable, {kCanvas}},
        {kCanvas, {kGameCanvas, kDevice}},
        {kDevice, {kCState}},
        {kActor, {kCPlayer}},
        {kMIDlet, {kQuorlin}},
    };
    std::vector<jint> expected(kClassCount, kObject);
    expected[kObject] = kNoClass;
    for (const auto& family : families) {
        for (const jint id : family.classes) {
            expected[id] = family.superClass;
        }
    }
    for (jint id = 0; id < kClassCount; ++id) {
        EXPECT_EQ(block.classes[id].superClassId, expected[id]) << block.classes[id].name;
    }
}

TEST_F(ClassTableTest, RecordsAreFoundByIdOnly) {
    EXPECT_EQ(getClassRecord(kIGP), &block.classes[kIGP]);
    for (const jint id : {-1, kClassCount, kNoClass, static_cast<jint>(static_cast<jshort>(kNoClass))}) {
        EXPECT_EQ(getClassRecord(id), nullptr) << id;
    }
    EXPECT_EQ(getClassRecordOf(nullptr), nullptr);
}

TEST(ClassTableWithoutApplication, HasNoRecords) {
    Application* previous = Application::getInstance();
    Application::setInstance(nullptr);
    EXPECT_EQ(getClassRecord(kObject), nullptr);
    Application::setInstance(previous);
}

TEST_F(ClassTableTest, SubclassTestFollowsTheChain) {
    const struct {
        jint classId, target, expected;
    } cases[] = {
        {kEOFException, kEOFException, 1},
        {kEOFException, kIOException, 1},
        {kEOFException, kException, 1},
        {kEOFException, kThrowable, 1},
        {kEOFException, kObject, 1},
        {kEOFException, kRuntimeException, 0},
        {kIOException, kEOFException, 0},
        {kArrayIndexOutOfBoundsException, kRuntimeException, 1},
        {kCState, kDisplayable, 1},
        {kCState, kGameCanvas, 0},
        {kDevice, kRunnable, 0},
        {kObject, kThrowable, 0},
        {kStack, kVector, 1},
        {kCPlayer, kActor, 1},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(isSubclassOf(getClassRecord(c.classId), getClassRecord(c.target)), c.expected)
            << c.classId << " -> " << c.target;
    }
    EXPECT_EQ(isSubclassOf(nullptr, getClassRecord(kObject)), 0);
    EXPECT_EQ(isSubclassOf(getClassRecord(kObject), nullptr), 0);
}

TEST_F(ClassTableTest, AMissingSuperclassAnswersNoAndStops) {
    LogCapture capture;
    block.classes[kIOException].superClassId = 200;
    EXPECT_EQ(isSubclassOf(getClassRecord(kEOFException), getClassRecord(kObject)), 0);
    EXPECT_EQ(capture.count("superClass not found"), 1);
    EXPECT_TRUE(capture.contains("stacktrace:\n"));
    // The part of the chain below the damage still answers.
    EXPECT_EQ(isSubclassOf(getClassRecord(kEOFException), getClassRecord(kIOException)), 1);
}

TEST_F(ClassTableTest, ACyclicChainIsCutOff) {
    LogCapture capture;
    block.classes[kException].superClassId = kIOException;
    EXPECT_EQ(isSubclassOf(getClassRecord(kEOFException), getClassRecord(kObject)), 0);
    EXPECT_EQ(capture.count("superClass not found"), 1);
}

// A base class with one reference field and a subclass adding seven, each constructor
// registering its own fields, as the game's actors do.
struct TestActor : Object {
    static constexpr jint kClassId = kActor;
    Object* sprite = nullptr;
    jint x = 0;

    explicit TestActor(const jint id = kClassId) : Object(id) { registerRefFields(this, &sprite); }
};

struct TestPlayer : TestActor {
    static constexpr jint kClassId = kCPlayer;
    Object* team = nullptr;
    Object* name = nullptr;
    jint number = 0;
    Object* marked = nullptr;
    Object* animation = nullptr;
    Object* target = nullptr;
    Object* path = nullptr;
    Object* stats = nullptr;
    Object* spare = nullptr; // a reference field the constructor leaves out

    TestPlayer() : TestActor(kClassId) {
        registerRefFields(this, &team, &name, &marked, &animation, &target, &path, &stats);
    }
};

jint offsetIn(const Object& object, const void* field) {
    return static_cast<jint>(static_cast<const char*>(field) - reinterpret_cast<const char*>(&object));
}

std::vector<jint> offsetsOf(const ClassRecord& record) {
    return {record.refOffsets, record.refOffsets + record.refCount};
}

TEST_F(ClassTableTest, ConstructorChainsRegisterTheFieldsOfEveryLevel) {
    TestPlayer player;
    const std::vector<jint> expected = {
        offsetIn(player, &player.sprite),    offsetIn(player, &player.team),
        offsetIn(player, &player.name),      offsetIn(player, &player.marked),
        offsetIn(player, &player.animation), offsetIn(player, &player.target),
        offsetIn(player, &player.path),      offsetIn(player, &player.stats),
    };
    EXPECT_EQ(offsetsOf(block.classes[kCPlayer]), expected);

    // Further objects of the class register nothing new.
    const jint* list = block.classes[kCPlayer].refOffsets;
    TestPlayer another;
    EXPECT_EQ(block.classes[kCPlayer].refOffsets, list);
    EXPECT_EQ(offsetsOf(block.classes[kCPlayer]), expected);

    // The base class keeps its own list.
    TestActor actor;
    EXPECT_EQ(offsetsOf(block.classes[kActor]), std::vector<jint>{offsetIn(actor, &actor.sprite)});
}

TEST_F(ClassTableTest, LaterCallsOnlyAddMissingOffsets) {
    TestPlayer player;
    const jint registered = block.classes[kCPlayer].refCount;
    // A shorter list, an old field named twice and a new one named twice.
    registerRefFields(&player, &player.team, &player.spare, &player.team, &player.spare);
    EXPECT_EQ(block.classes[kCPlayer].refCount, registered + 1);
    EXPECT_EQ(block.classes[kCPlayer].refOffsets[registered], offsetIn(player, &player.spare));
}

TEST_F(ClassTableTest, AddressesOutsideTheObjectAreRejected) {
    LogCapture capture;
    TestActor actor;
    static Object* elsewhere = nullptr; // far from any stack object
    auto** const before = reinterpret_cast<Object**>(reinterpret_cast<std::uintptr_t>(&actor) - 8);
    registerRefFields(&actor, before, &elsewhere);
    EXPECT_EQ(block.classes[kActor].refCount, 1);
    EXPECT_GE(capture.count("registerRefFields offset"), 1);
}

TEST_F(ClassTableTest, FreeingTheListsEmptiesEveryRecord) {
    TestPlayer player;
    const std::vector<jint> expected = offsetsOf(block.classes[kCPlayer]);
    freeRefFieldLists();
    for (const ClassRecord& record : block.classes) {
        EXPECT_EQ(record.refOffsets, nullptr);
        EXPECT_EQ(record.refCount, 0);
    }
    // The next object of the class lists its fields again: nothing remembers the freed lists.
    TestPlayer again;
    EXPECT_EQ(offsetsOf(block.classes[kCPlayer]), expected);
}

// A class whose last reference field lies beyond the first 512 bytes.
struct WideRecord : Object {
    static constexpr jint kClassId = kCState;
    Object* near = nullptr;
    jint filler[200] = {};
    Object* far = nullptr;

    WideRecord() : Object(kClassId) { registerRefFields(this, &near, &far); }
};

TEST_F(ClassTableTest, FieldsFarIntoAnObjectAreListedOnce) {
    WideRecord first;
    WideRecord second;
    EXPECT_EQ(offsetsOf(block.classes[kCState]),
              (std::vector<jint>{offsetIn(first, &first.near), offsetIn(first, &first.far)}));
}

} // namespace
} // namespace runtime
