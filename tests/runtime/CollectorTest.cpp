// The collector: roots, the conservative stack scan, deep marking, flags and the sweep.
#include <gtest/gtest.h>

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <new>
#include <string>
#include <vector>

#include "runtime/Application.h"
#include "runtime/Arrays.h"
#include "runtime/ClassTable.h"
#include "runtime/Collector.h"
#include "runtime/ConstantPool.h"
#include "runtime/Displayable.h"
#include "runtime/MIDlet.h"
#include "runtime/ObjectManager.h"
#include "runtime/StaticClass.h"
#include "runtime/StreamsByteArray.h"
#include "runtime/String.h"
#include "runtime/StringBuffer.h"
#include "runtime/VirtualMemoryManager.h"
#include "tests/runtime/CollectorTestSupport.h"
#include "tests/runtime/LogCapture.h"
#include "tests/support/RuntimeValues.h"
#include "tools/SampleData.h"

namespace runtime {
namespace {

using gctest::hide;
using gctest::isListed;
using gctest::makeGarbage;
using gctest::makeHiddenNode;
using gctest::Node;
using gctest::reveal;
using gctest::TestStatics;

struct TestMidlet : javax_microedition_midlet_MIDlet {};
struct TestDisplayable : javax_microedition_lcdui_Displayable {};

// A stand-in interface with its own view inside the object, like an enumerator held only as
// its Enumeration.
struct TestEnumeration {
    virtual jint hasMoreElements() = 0;

protected:
    ~TestEnumeration() = default;
};

struct TestEnumerator : Object, TestEnumeration {
    static constexpr jint kClassId = kHashtableEnumerator;
    jint* releases = nullptr;

    explicit TestEnumerator(jint* releaseCounter) : Object(kClassId), releases(releaseCounter) {}
    jint hasMoreElements() override { return 0; }
    void* getInterface(const jint id) override {
        return id == kEnumeration ? static_cast<TestEnumeration*>(this) : Object::getInterface(id);
    }
    void release() override { ++*releases; }
};

// An object big enough that a few dozen fill the object heap.
struct Blob : Object {
    static constexpr jint kSize = 256 * 1024;
    jint* releases = nullptr;
    char bytes[kSize] = {};

    explicit Blob(jint* releaseCounter) : Object(kObject), releases(releaseCounter) {}
    void release() override {
        if (releases != nullptr) {
            ++*releases;
        }
    }
};

// Allocates a Blob inside its constructor: when the heap is full, that allocation collects while
// this object is the newest one and not yet stored anywhere.
struct Builder : Object {
    static constexpr jint kClassId = kCPlayer;
    Object* child = nullptr;

    explicit Builder() : Object(kClassId) {
        registerRefFields(this, &child);
        child = newObject<Blob>(nullptr);
    }
};

class CollectorTest : public gctest::CollectedRuntimeTest {
protected:
    jint emptyLines() const { return static_cast<jint>(log.count("")); }
};

// ---- the sweep

TEST_F(CollectorTest, UnreachableObjectsAreReleasedExactlyOnceAndUnlisted) {
    const jint before = manager()->count;
    makeGarbage(&releases, 20);
    ASSERT_EQ(manager()->count, before + 20);

    clearDeadStack();
    manager()->gc(0);
    EXPECT_EQ(releases, 20);
    EXPECT_EQ(manager()->count, before);

    clearDeadStack();
    manager()->gc(0);
    EXPECT_EQ(releases, 20);
}

[[gnu::noinline]] std::uintptr_t makeNodeInSecondaryHeap(Application* application, jint* releases) {
    // The secondary heap's free-fragment header does not reach the class id, so the mark the
    // collector leaves there can be read back after the memory went back to the heap.
    void* memory = application->secondaryHeap->allocate(static_cast<jint>(sizeof(Node)));
    std::memset(memory, 0, sizeof(Node));
    application->objectManager->addObject(static_cast<Object*>(memory));
    return hide(::new (memory) Node(releases));
}

TEST_F(CollectorTest, FreedObjectIsMarkedWithTheFreedClassIdAfterItsRelease) {
    const std::uintptr_t hidden = makeNodeInSecondaryHeap(&application, &releases);
    const jint usedBefore = application.secondaryHeap->used();

    clearDeadStack();
    manager()->gc(0);
    EXPECT_EQ(releases, 1);
    EXPECT_FALSE(isListed(manager(), hidden));
    // Read as raw memory: the object is gone, only its bytes are left.
    std::uint16_t classId = 0;
    std::memcpy(&classId, reinterpret_cast<const char*>(~hidden) + offsetof(Object, classId), sizeof classId);
    EXPECT_EQ(classId, kNoClass);
    EXPECT_LT(application.secondaryHeap->used(), usedBefore);
}

std::string stackTraceSeenByRelease;

struct Witness : Object {
    Witness() : Object(kObject) {}
    void release() override { stackTraceSeenByRelease = Application::getInstance()->stackTraceText(); }
};

[[gnu::noinline]] void makeWitness() {
    newObject<Witness>();
}

TEST_F(CollectorTest, CollectorNameIsOnTheNameStackWhileReleasesRun) {
    makeWitness();
    clearDeadStack();
    manager()->gc(0);
    EXPECT_EQ(stackTraceSeenByRelease, "stacktrace:\nObjectManager::gc()\n");
    EXPECT_EQ(application.nameDepth, 0);
}

// ---- roots

struct RootCase {
    const char* name;
    // Stores a new object in the root and returns its hidden address.
    std::uintptr_t (*store)(Application& application, TestStatics& statics);
    void (*clear)(Application& application, TestStatics& statics);
};

const RootCase kRootCases[] = {
    {"first static",
     [](Application&, TestStatics& s) {
         s.first = newObject<Node>();
         return hide(s.first);
     },
     [](Application&, TestStatics& s) { s.first = nullptr; }},
    {"static after a null root entry",
     [](Application&, TestStatics& s) {
         s.third = newObject<Node>();
         return hide(s.third);
     },
     [](Application&, TestStatics& s) { s.third = nullptr; }},
    {"constant pool",
     [](Application&, TestStatics& s) {
         s.constantPool = newObjectArray(3);
         return hide(s.constantPool);
     },
     [](Application&, TestStatics& s) { s.constantPool = nullptr; }},
    {"midlet",
     [](Application& a, TestStatics&) {
         a.m_midlet = newObject<TestMidlet>();
         return hide(a.m_midlet);
     },
     [](Application& a, TestStatics&) {
         // The midlet class's static holds the running midlet too.
         a.m_midlet = nullptr;
         a.getStaticClass()->runningMidlet = nullptr;
     }},
    {"current displayable",
     [](Application& a, TestStatics&) {
         a.currentDisplayable = newObject<TestDisplayable>();
         return hide(a.currentDisplayable);
     },
     [](Application& a, TestStatics&) { a.currentDisplayable = nullptr; }},
    {"screen image",
     [](Application& a, TestStatics&) {
         a.screenImage = newObject<Node>();
         return hide(a.screenImage);
     },
     [](Application& a, TestStatics&) { a.screenImage = nullptr; }},
    {"screen graphics",
     [](Application& a, TestStatics&) {
         a.m_screenGraphics = newObject<Node>();
         return hide(a.m_screenGraphics);
     },
     [](Application& a, TestStatics&) { a.m_screenGraphics = nullptr; }},
    {"decoding buffer",
     [](Application& a, TestStatics&) {
         a.decodingBuffer = newObject<StringBuffer>();
         return hide(a.decodingBuffer);
     },
     [](Application& a, TestStatics&) { a.decodingBuffer = nullptr; }},
    {"pending exception",
     [](Application& a, TestStatics&) {
         a.pendingException = newObject<Node>();
         return hide(a.pendingException);
     },
     [](Application& a, TestStatics&) { a.pendingException = nullptr; }},
};

[[gnu::noinline]] std::uintptr_t storeRoot(const RootCase& root, Application& application,
                                           TestStatics& statics) {
    return root.store(application, statics);
}

TEST_F(CollectorTest, EachRootKeepsItsObjectUntilCleared) {
    for (const RootCase& root : kRootCases) {
        SCOPED_TRACE(root.name);
        const std::uintptr_t hidden = storeRoot(root, application, *statics());
        clearDeadStack();
        manager()->gc(0);
        EXPECT_TRUE(isListed(manager(), hidden));

        root.clear(application, *statics());
        clearDeadStack();
        manager()->gc(0);
        EXPECT_FALSE(isListed(manager(), hidden));
    }
}

[[gnu::noinline]] void buildTree(TestStatics* statics, jint* releases) {
    auto* root = newObject<Node>(releases);
    statics->second = root;
    root->left = newObject<Node>(releases);
    ObjectArray* array = newObjectArray(3);
    root->right = array;
    for (jint i = 0; i < 3; ++i) {
        Object* element = newObject<Node>(releases);
        array->data()[i] = element;
    }
    static_cast<Node*>(root->left)->left = root; // a cycle
}

TEST_F(CollectorTest, MarkingFollowsReferenceFieldsAndArrayElements) {
    const jint before = manager()->count;
    buildTree(statics(), &releases);
    clearDeadStack();
    manager()->gc(0);
    EXPECT_EQ(releases, 0);
    EXPECT_EQ(manager()->count, before + 6);

    statics()->second = nullptr;
    clearDeadStack();
    manager()->gc(0);
    EXPECT_EQ(releases, 5);
    EXPECT_EQ(manager()->count, before);
}

// ---- the native stack

TEST_F(CollectorTest, ObjectHeldOnlyByALocalSurvivesWithWhatItReaches) {
    Node* volatile local = newObject<Node>(&releases);
    local->left = newObject<Node>(&releases);
    clearDeadStack();
    manager()->gc(0);
    EXPECT_EQ(releases, 0);
    EXPECT_EQ(local->classId, Node::kClassId);
    EXPECT_EQ(local->left->classId, Node::kClassId);
}

[[gnu::noinline]] std::uintptr_t makeHiddenPointerInto(jint* releases, const std::uintptr_t offset) {
    return reinterpret_cast<std::uintptr_t>(newObject<Node>(releases)) + offset;
}

TEST_F(CollectorTest, WordPointingIntoAnObjectDoesNotKeepIt) {
    for (const std::uintptr_t offset : {std::uintptr_t{1}, std::uintptr_t{4}, std::uintptr_t{8},
                                        std::uintptr_t{16}, std::uintptr_t{sizeof(Node) - 8}}) {
        SCOPED_TRACE(offset);
        releases = 0;
        volatile std::uintptr_t inside = makeHiddenPointerInto(&releases, offset);
        clearDeadStack();
        manager()->gc(0);
        EXPECT_EQ(releases, 1);
        EXPECT_NE(inside, 0u);
    }
}

[[gnu::noinline]] TestEnumeration* makeEnumerator(jint* releases) {
    return newObject<TestEnumerator>(releases);
}

TEST_F(CollectorTest, ObjectHeldOnlyThroughItsInterfaceViewSurvives) {
    // The test never calls through the view: that would put the object's own address in this
    // frame.
    TestEnumeration* volatile view = makeEnumerator(&releases);
    ASSERT_NE(view, nullptr);
    clearDeadStack();
    manager()->gc(0);
    EXPECT_EQ(releases, 0);

    view = nullptr;
    clearDeadStack();
    manager()->gc(0);
    EXPECT_EQ(releases, 1);
}

#if defined(__x86_64__)
// Calls function(argument) with the revealed address held only in r15, a callee-saved register,
// and returns r15 afterwards in hidden form. The plain address exists nowhere else.
extern "C" std::uintptr_t collectorTestCallWithR15(void (*function)(void*), void* argument,
                                                   std::uintptr_t hidden);
asm(R"(
    .text
    .p2align 4
    .type collectorTestCallWithR15, @function
collectorTestCallWithR15:
    push %r15
    mov %rdx, %r15
    not %r15
    xor %edx, %edx
    mov %rdi, %rax
    mov %rsi, %rdi
    call *%rax
    mov %r15, %rax
    not %rax
    pop %r15
    ret
    .size collectorTestCallWithR15, .-collectorTestCallWithR15
)");

void collectFrom(void* manager) {
    clearDeadStack();
    static_cast<ObjectManager*>(manager)->gc(0);
}

TEST_F(CollectorTest, ObjectHeldOnlyInACalleeSavedRegisterSurvives) {
    const std::uintptr_t hidden = makeHiddenNode(&releases);
    clearDeadStack();
    const std::uintptr_t after = collectorTestCallWithR15(collectFrom, manager(), hidden);
    EXPECT_EQ(after, hidden);
    EXPECT_EQ(releases, 0);
    EXPECT_TRUE(isListed(manager(), hidden));

    // The same object without the register is freed: nothing else was keeping it.
    clearDeadStack();
    collectorTestCallWithR15(collectFrom, manager(), hide(nullptr));
    EXPECT_EQ(releases, 1);
}
#endif

TEST_F(CollectorTest, ScanStackTakesExactAlignedAddressesBetweenBothEndsInEitherDirection) {
    Node* node = newObject<Node>(&releases);
    const auto address = reinterpret_cast<std::uintptr_t>(node);
    struct Case {
        jint position;
        std::uintptr_t word;
        bool reversed;
        bool marked;
    };
    const Case cases[] = {
        {0, address, false, true},      {2, address, false, true},      {1, address, true, true},
        {0, address, true, true},       {2, address, true, true},       {1, address + 1, false, false},
        {1, address + 8, false, false}, {1, address - 8, false, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.position);
        volatile std::uintptr_t words[3] = {0, 0, 0};
        words[c.position] = c.word;
        node->mark = 0;
        const void* low = const_cast<const std::uintptr_t*>(&words[0]);
        const void* high = const_cast<const std::uintptr_t*>(&words[2]);
        if (c.reversed) {
            manager()->scanStack(high, low);
        } else {
            manager()->scanStack(low, high);
        }
        EXPECT_EQ(node->mark != 0, c.marked);
    }
}

// ---- flags

TEST_F(CollectorTest, NewestObjectSurvivesOnlyWithFlag8) {
    struct Case {
        jint flags;
        jint releases;
    };
    for (const Case& c : {Case{kGcKeepNewest, 0}, Case{9, 0}, Case{0, 1}, Case{1, 1}, Case{4, 1}}) {
        SCOPED_TRACE(c.flags);
        releases = 0;
        makeHiddenNode(&releases);
        clearDeadStack();
        manager()->gc(c.flags);
        EXPECT_EQ(releases, c.releases);
        clearDeadStack();
        manager()->gc(0);
    }
}

[[gnu::noinline]] void makePermanent(jint* releases) {
    newObject<Node>(releases)->collectable = 0;
}

TEST_F(CollectorTest, PermanentObjectSurvivesNormalCollectionsAndFreeAllFreesEverything) {
    makePermanent(&releases);
    statics()->first = newObject<Node>(&moreReleases);
    for (const jint flags : {0, 1, 9}) {
        clearDeadStack();
        manager()->gc(flags);
    }
    EXPECT_EQ(releases, 0);

    manager()->gc(kGcFreeAll);
    EXPECT_EQ(releases, 1);
    EXPECT_EQ(moreReleases, 1);
    EXPECT_EQ(manager()->count, 0);
    statics()->first = nullptr;
}

// The constant pool served as "/constants.bin".
std::vector<std::uint8_t> poolBytes;

java_io_InputStream* servePoolBytes(String* /*name*/) {
    ByteArray* bytes = testing_support::byteArrayOf(poolBytes);
    return newObject<java_io_ByteArrayInputStream>(bytes, 0, bytes->length);
}

// Loads a pool of three strings as the static set-up does; returns their hidden addresses.
[[gnu::noinline]] std::vector<std::uintptr_t> loadThreeConstants(StaticClass* block) {
    poolBytes = tools::constantPoolBytes({u"alpha", u"", u"a constant longer than the inline characters"});
    setResourceOpener(&servePoolBytes);
    loadConstantPool(block);
    setResourceOpener(nullptr);
    return {hide(getConstantString(0)), hide(getConstantString(1)), hide(getConstantString(2))};
}

TEST_F(CollectorTest, ConstantStringsOutliveTheirPoolUntilEverythingIsFreed) {
    const std::vector<std::uintptr_t> constants = loadThreeConstants(statics());
    // Only the strings are permanent: without the pool array, the pool's own array and the
    // stream that read it go, the strings stay.
    statics()->constantPool = nullptr;
    clearDeadStack();
    manager()->gc(1);
    EXPECT_EQ(manager()->count, 3);
    for (const std::uintptr_t hidden : constants) {
        EXPECT_TRUE(isListed(manager(), hidden));
    }

    manager()->gc(kGcFreeAll);
    EXPECT_EQ(manager()->count, 0);
    EXPECT_EQ(application.objectHeap->used(), 0);
    EXPECT_EQ(application.secondaryHeap->used(), 0);
}

// Fills the object heap with garbage until less than one Node's room is left beyond a Builder's,
// so that no Blob fits any more; returns how many objects it made.
[[gnu::noinline]] jint fillObjectHeap(Application* application, jint* releases) {
    VirtualMemoryManager* heap = application->objectHeap;
    const jint blobRoom = static_cast<jint>(sizeof(Blob)) + 64;
    const jint nodeRoom = static_cast<jint>(sizeof(Node)) + VirtualMemoryManager::kPlainHeaderSize;
    jint made = 0;
    while (heap->size() - heap->used() >= blobRoom + 256) {
        newObject<Blob>(releases);
        ++made;
    }
    while (heap->size() - heap->used() >= 2 * nodeRoom) {
        newObject<Node>(releases);
        ++made;
    }
    return made;
}

TEST_F(CollectorTest, AllocationFailingInsideAConstructorCollectsAndKeepsTheObjectUnderConstruction) {
    const jint garbage = fillObjectHeap(&application, &releases);
    ASSERT_GT(garbage, 10);
    clearDeadStack();
    Builder* volatile builder = newObject<Builder>();
    EXPECT_EQ(releases, garbage);
    ASSERT_NE(builder->child, nullptr);
    EXPECT_EQ(builder->classId, Builder::kClassId);
}

// ---- objects in use that collections once freed

// Holds the object its constructor is given, in a registered field.
struct Holder : Object {
    Object* held = nullptr;

    Holder(const jint id, Object* object) : Object(id), held(object) { registerRefFields(this, &held); }
};

// Its base-class argument allocates, so a collection can run while this object is listed but
// before any of its constructors has begun.
struct LateHolder : Holder {
    static constexpr jint kClassId = kCTeam;

    LateHolder() : Holder(kClassId, newObject<Blob>(nullptr)) {}
};

Object* heldByFirst(TestStatics& statics) {
    return static_cast<Holder*>(statics.first)->held;
}

// The game's block has this many reference statics; the library's come after them.
constexpr jint kGameReferenceStatics = 683;

struct GameSizedStatics : TestStatics {
    StaticRef<Object> more[kGameReferenceStatics - 3];
};

struct LostObjectCase {
    const char* name;
    // Sets the scene; returns the hidden address of an object the program still uses.
    std::uintptr_t (*build)(Application& application, TestStatics& statics, jint* garbageReleases);
    // Whether the program's own way to the object still leads to it.
    bool (*reached)(TestStatics& statics, std::uintptr_t hidden);
    void (*clear)(TestStatics& statics);
};

const LostObjectCase kLostObjectCases[] = {
    {"held by an object whose base-class argument collected, in stress mode",
     [](Application&, TestStatics& s, jint*) {
         setGcStress(true);
         s.first = newObject<LateHolder>();
         setGcStress(false);
         return hide(heldByFirst(s));
     },
     [](TestStatics& s, const std::uintptr_t hidden) { return heldByFirst(s) == reveal(hidden); },
     [](TestStatics& s) { s.first = nullptr; }},
    {"held by an object whose base-class argument found the heap full",
     [](Application& a, TestStatics& s, jint* garbageReleases) {
         fillObjectHeap(&a, garbageReleases);
         s.first = newObject<LateHolder>();
         return hide(heldByFirst(s));
     },
     [](TestStatics& s, const std::uintptr_t hidden) { return heldByFirst(s) == reveal(hidden); },
     [](TestStatics& s) { s.first = nullptr; }},
    {"held by a library static after the game's 683",
     [](Application&, TestStatics& s, jint*) {
         s.systemProperties = newObject<Node>();
         return hide(s.systemProperties);
     },
     [](TestStatics& s, const std::uintptr_t hidden) { return s.systemProperties == reveal(hidden); },
     [](TestStatics& s) { s.systemProperties = nullptr; }},
};

[[gnu::noinline]] std::uintptr_t buildLostObjectCase(const LostObjectCase& c, Application& application,
                                                     TestStatics& statics, jint* garbageReleases) {
    return c.build(application, statics, garbageReleases);
}

// Runs with a static block as large as the game's.
class LostObjectTest : public gctest::CollectedRuntimeTest {
protected:
    void installHooks() override {
        StaticSetUp setUp;
        setUp.createBlock = []() -> StaticClass* { return createStaticBlock<GameSizedStatics>(); };
        setUp.run = [](StaticClass* block) { initClassTable(block); };
        Application::setStaticSetUp(setUp);
    }
};

TEST_F(LostObjectTest, ObjectsInUseSurviveTheCollectionsThatOnceFreedThem) {
    ASSERT_EQ(statics()->rootCount, kGameReferenceStatics + testing_support::kLibraryRootCount);
    for (const LostObjectCase& c : kLostObjectCases) {
        SCOPED_TRACE(c.name);
        const std::uintptr_t hidden = buildLostObjectCase(c, application, *statics(), &releases);
        clearDeadStack();
        manager()->gc(0);
        EXPECT_TRUE(isListed(manager(), hidden));
        EXPECT_TRUE(c.reached(*statics(), hidden));

        // Kept for its path, not by accident: without it, the object goes.
        c.clear(*statics());
        clearDeadStack();
        manager()->gc(0);
        EXPECT_FALSE(isListed(manager(), hidden));
    }
}

// Whether a field of type Slot can be registered as a reference field.
template <typename Slot>
concept RegistrableField = requires(Object* object, Slot* field) {
    registerRefFields(object, field);
};

TEST(RegisteredFieldTypes, AFieldThatCouldHoldAnInterfaceViewDoesNotCompile) {
    // The collector reads a registered field as an object's address; a view's address lies
    // inside its object. Checked as this file compiles.
    static_assert(RegistrableField<Object*>);
    static_assert(RegistrableField<TestEnumerator*>);
    static_assert(RegistrableField<ObjectArray*>);
    static_assert(!RegistrableField<TestEnumeration*>);
    static_assert(!RegistrableField<void*>);
    static_assert(!RegistrableField<jint>);
}

// ---- deep graphs

[[gnu::noinline]] void buildArrayChain(TestStatics* statics, const jint length) {
    ObjectArray* outer = newObjectArray(1);
    statics->first = outer;
    ObjectArray* current = outer;
    for (jint i = 1; i < length; ++i) {
        ObjectArray* inner = newObjectArray(1);
        current->data()[0] = inner;
        current = inner;
    }
}

TEST_F(CollectorTest, NestedArraysNeedTheMessageOnlyFromTheFiveHundredthStackEntry) {
    struct Case {
        jint length;
        jint messages;
    };
    for (const Case& c : {Case{498, 0}, Case{499, 0}, Case{500, 1}, Case{20000, 1}}) {
        SCOPED_TRACE(c.length);
        const jint before = manager()->count;
        buildArrayChain(statics(), c.length);
        log.lines.clear();
        clearDeadStack();
        manager()->gc(0);
        EXPECT_EQ(emptyLines(), c.messages);
        EXPECT_EQ(log.count("stacktrace:\nObjectManager::gc()\n"), c.messages);
        EXPECT_EQ(manager()->count, before + c.length);

        statics()->first = nullptr;
        clearDeadStack();
        manager()->gc(0);
        EXPECT_EQ(manager()->count, before);
    }
}

[[gnu::noinline]] void buildNodeChain(TestStatics* statics, jint* releases, const jint length) {
    Node* current = newObject<Node>(releases);
    statics->first = current;
    for (jint i = 1; i < length; ++i) {
        Node* next = newObject<Node>(releases);
        current->right = next;
        // A side branch at every level makes marking resume in the middle of each object.
        current->left = newObjectArray(0);
        current = next;
    }
}

TEST_F(CollectorTest, VeryDeepChainIsMarkedCompletely) {
    constexpr jint kLength = 100000;
    const jint before = manager()->count;
    buildNodeChain(statics(), &releases, kLength);
    clearDeadStack();
    manager()->gc(0);
    EXPECT_EQ(releases, 0);
    EXPECT_EQ(manager()->count, before + 2 * kLength - 1);

    statics()->first = nullptr;
    clearDeadStack();
    manager()->gc(0);
    EXPECT_EQ(releases, kLength);
    EXPECT_EQ(manager()->count, before);
}

TEST_F(CollectorTest, DeepMessageCountsEveryDescentAlsoThroughObjectsWithNothingLeftToScan) {
    // Each node's only reference is its last field, so no node needs to be kept for later.
    struct Case {
        jint length;
        jint messages;
    };
    for (const Case& c : {Case{499, 0}, Case{500, 1}}) {
        SCOPED_TRACE(c.length);
        Node* current = newObject<Node>(&releases);
        statics()->first = current;
        for (jint i = 1; i < c.length; ++i) {
            Node* next = newObject<Node>(&releases);
            current->right = next;
            current = next;
        }
        current = nullptr;
        log.lines.clear();
        clearDeadStack();
        manager()->gc(0);
        EXPECT_EQ(emptyLines(), c.messages);
        statics()->first = nullptr;
        clearDeadStack();
        manager()->gc(0);
    }
}

[[gnu::noinline]] void buildFan(TestStatics* statics, jint* releases) {
    // The first field leads to a chain that reaches the third field's node too; the second and
    // fourth hold objects without references, the fifth a node only reachable from here.
    auto* root = newObject<Node>(releases);
    statics->second = root;
    ObjectArray* fields = newObjectArray(5);
    root->left = fields;
    auto* shared = newObject<Node>(releases);
    auto* chain = newObject<Node>(releases);
    chain->right = shared;
    fields->data()[0] = chain;
    fields->data()[1] = newIntArray(2);
    fields->data()[2] = shared;
    fields->data()[3] = newIntArray(3);
    auto* last = newObject<Node>(releases);
    last->left = newIntArray(4);
    fields->data()[4] = last;
    root->right = newIntArray(5);
}

TEST_F(CollectorTest, EveryReferenceAfterADescentIsStillMarked) {
    const jint before = manager()->count;
    buildFan(statics(), &releases);
    const jint built = manager()->count - before;
    for (jint round = 0; round < 2; ++round) {
        clearDeadStack();
        manager()->gc(0);
        EXPECT_EQ(releases, 0);
        EXPECT_EQ(manager()->count, before + built);
    }
    statics()->second = nullptr;
    clearDeadStack();
    manager()->gc(0);
    EXPECT_EQ(releases, 4);
    EXPECT_EQ(manager()->count, before);
}

// ---- what one collection leaves to the next

[[gnu::noinline]] void markHidden(ObjectManager* manager, const std::uintptr_t hidden) {
    manager->mark(reveal(hidden));
}

[[gnu::noinline]] void storeFirst(TestStatics* statics, const std::uintptr_t hidden) {
    statics->first = reveal(hidden);
}

TEST_F(CollectorTest, MarkSetOutsideACollectionDoesNotKeepAnObjectThroughTheNext) {
    // The node survives one collection first, so its mark is one the collector cleared before.
    const std::uintptr_t hidden = makeHiddenNode(&releases);
    storeFirst(statics(), hidden);
    clearDeadStack();
    manager()->gc(0);
    ASSERT_TRUE(isListed(manager(), hidden));

    statics()->first = nullptr;
    markHidden(manager(), hidden);
    clearDeadStack();
    manager()->gc(0);
    EXPECT_EQ(releases, 1);
    EXPECT_FALSE(isListed(manager(), hidden));
}

// A permanent Node holding an ordinary one, as a hidden address.
[[gnu::noinline]] std::uintptr_t makePermanentHolder(jint* releases) {
    Node* holder = newObject<Node>();
    holder->collectable = 0;
    holder->left = newObject<Node>(releases);
    return hide(holder);
}

// Only the holder's static leads to the held node (reached), or only the second static (not).
[[gnu::noinline]] void reachThroughHolder(TestStatics* statics, const std::uintptr_t hidden,
                                          const bool reached) {
    auto* holder = static_cast<Node*>(reveal(hidden));
    statics->first = reached ? holder : nullptr;
    statics->second = reached ? nullptr : holder->left;
}

TEST_F(CollectorTest, AMarkOfAnEarlierCollectionIsNeverTakenForThisOnes) {
    // A permanent object stays listed while nothing reaches it, with the mark it last got. When
    // a collection reaches it again, what it holds must be traced anew, however many
    // collections lay between (the gaps around the point where mark numbers start over).
    const std::uintptr_t hidden = makePermanentHolder(&releases);
    for (const jint gap : {1, 252, 253, 254, 255, 508}) {
        SCOPED_TRACE(gap);
        reachThroughHolder(statics(), hidden, true);
        clearDeadStack();
        manager()->gc(0);
        reachThroughHolder(statics(), hidden, false);
        for (jint i = 0; i < gap; ++i) {
            clearDeadStack();
            manager()->gc(0);
        }
        reachThroughHolder(statics(), hidden, true);
        clearDeadStack();
        manager()->gc(0);
        ASSERT_EQ(releases, 0);
    }
    statics()->first = nullptr;
}

// Makes a new unreferenced Node from its release slot.
struct Spawner : Object {
    jint* spawnedReleases = nullptr;

    explicit Spawner(jint* counter) : Object(kObject), spawnedReleases(counter) {}
    void release() override { newObject<Node>(spawnedReleases); }
};

[[gnu::noinline]] void makeSpawners(jint* spawnedReleases, const jint count) {
    for (jint i = 0; i < count; ++i) {
        newObject<Spawner>(spawnedReleases);
    }
}

TEST_F(CollectorTest, ObjectsMadeByReleaseSlotsAreFreedByTheNextCollection) {
    const jint before = manager()->count;
    // Kept objects around the spawners, so the sweep moves the new objects into gaps.
    statics()->first = newObject<Node>();
    makeSpawners(&releases, 3);
    statics()->second = newObject<Node>();
    clearDeadStack();
    manager()->gc(0);
    EXPECT_EQ(manager()->count, before + 2 + 3);
    EXPECT_EQ(releases, 0);

    clearDeadStack();
    manager()->gc(0);
    EXPECT_EQ(releases, 3);
    EXPECT_EQ(manager()->count, before + 2);
    statics()->first = nullptr;
    statics()->second = nullptr;
}

TEST_F(CollectorTest, IndexFollowsObjectsFreedAndMadeBetweenCollections) {
    // Every round frees the last round's garbage and makes new objects where it lay; only the
    // one a local holds survives each time.
    for (jint round = 0; round < 4; ++round) {
        SCOPED_TRACE(round);
        releases = 0;
        makeGarbage(&releases, 10);
        Node* volatile held = newObject<Node>(&moreReleases);
        makeGarbage(&releases, 10);
        clearDeadStack();
        manager()->gc(0);
        EXPECT_EQ(releases, 20);
        EXPECT_EQ(held->classId, Node::kClassId);
        held = nullptr;
    }
    clearDeadStack();
    manager()->gc(0);
    EXPECT_EQ(moreReleases, 4);
}

// ---- stress mode

[[gnu::noinline]] void churn(TestStatics* statics, jint* releases) {
    // Each allocation collects; what hangs off the static must survive every one of them.
    for (jint i = 0; i < 50; ++i) {
        auto* node = newObject<Node>(releases);
        node->right = statics->first;
        statics->first = node;
        node->left = newIntArray(7);
        newObject<Node>(releases); // garbage
    }
}

TEST_F(CollectorTest, StressModeCollectsAtEveryAllocationAndKeepsWhatIsReachable) {
    setGcStress(true);
    churn(statics(), &releases);
    setGcStress(false);
    EXPECT_GE(releases, 49);
    jint length = 0;
    for (Object* node = statics()->first; node != nullptr; node = static_cast<Node*>(node)->right) {
        ASSERT_EQ(node->classId, Node::kClassId);
        ASSERT_EQ(static_cast<IntArray*>(static_cast<Node*>(node)->left)->length, 7);
        ++length;
    }
    EXPECT_EQ(length, 50);
    statics()->first = nullptr;
}

TEST(CollectorStackBase, RecordedBaseIsAboveTheCurrentFrame) {
    recordStackBase();
    volatile int local = 0;
    EXPECT_GT(reinterpret_cast<std::uintptr_t>(stackBase()), reinterpret_cast<std::uintptr_t>(&local));
    const void* mainLocal = const_cast<const int*>(&local);
    setStackBase(mainLocal);
    EXPECT_EQ(stackBase(), mainLocal);
    recordStackBase();
}

} // namespace
} // namespace runtime
