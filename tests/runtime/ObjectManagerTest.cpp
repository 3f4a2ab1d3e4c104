// Object allocation, the object list, buffers of the runtime and the fatal end of an
// allocation that cannot be served.
#include "runtime/ObjectManager.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <sys/resource.h>
#include <unistd.h>

#include "runtime/VirtualMemoryManager.h"
#include "tests/runtime/RuntimeFixture.h"

namespace runtime {
namespace {

bool allZero(const void* memory, const std::size_t bytes) {
    const auto* p = static_cast<const unsigned char*>(memory);
    for (std::size_t i = 0; i < bytes; ++i) {
        if (p[i] != 0) {
            return false;
        }
    }
    return true;
}

struct ListedObject : Object {
    ListedObject() : Object(kObject) {}
};

// Listed memory becomes a plain object, so the fixture's tear-down can release it like any other.
void* makeObject(void* memory) {
    ::new (memory) ListedObject();
    return memory;
}

using ObjectManagerTest = RuntimeFixture;

TEST_F(ObjectManagerTest, ObjectsComeZeroedFromTheObjectHeapAndAreListed) {
    ObjectManager* manager = application.objectManager;
    void* memory = allocObject(40, 0);
    ASSERT_NE(memory, nullptr);
    EXPECT_TRUE(application.objectHeap->contains(memory));
    EXPECT_TRUE(allZero(memory, 40));
    ASSERT_EQ(manager->count, 1);
    EXPECT_EQ(manager->objects[0], memory);
    makeObject(memory);
}

TEST_F(ObjectManagerTest, KindOneMemoryIsZeroedAndNeverListed) {
    void* memory = allocObject(40, 1);
    ASSERT_NE(memory, nullptr);
    EXPECT_TRUE(application.secondaryHeap->contains(memory));
    EXPECT_TRUE(allZero(memory, 40));
    EXPECT_EQ(application.objectManager->count, 0);
}

TEST_F(ObjectManagerTest, TheListGrowsFrom512ByDoublingAndKeepsItsOrder) {
    ObjectManager* manager = application.objectManager;
    void* first = makeObject(allocObject(sizeof(ListedObject), 0));
    EXPECT_EQ(manager->capacity, 512);
    std::vector<void*> made = {first};
    for (int i = 1; i < 512; ++i) {
        made.push_back(makeObject(allocObject(sizeof(ListedObject), 0)));
    }
    EXPECT_EQ(manager->capacity, 512);
    made.push_back(makeObject(allocObject(sizeof(ListedObject), 0))); // the 513th
    ASSERT_EQ(manager->count, 513);
    EXPECT_EQ(manager->capacity, 1024);
    for (int i = 0; i < 513; ++i) {
        ASSERT_EQ(manager->objects[i], made[i]) << "entry " << i;
    }
    for (int i = 513; i < 1024; ++i) {
        ASSERT_EQ(manager->objects[i], nullptr) << "entry " << i;
    }
}

TEST_F(ObjectManagerTest, BuffersComeFromTheSecondaryHeapAndGoBackThere) {
    auto* buffer = static_cast<unsigned char*>(zrl_malloc(100));
    ASSERT_NE(buffer, nullptr);
    EXPECT_TRUE(application.secondaryHeap->contains(buffer));
    EXPECT_TRUE(allZero(buffer, 100));
    std::memset(buffer, 0xAB, 100);
    zrl_free(buffer);
    // The freed place is the best fit for the same request again, and comes back zeroed.
    auto* again = static_cast<unsigned char*>(zrl_malloc(100));
    EXPECT_EQ(again, buffer);
    EXPECT_TRUE(allZero(again, 100));
}

TEST_F(ObjectManagerTest, AFullSecondaryHeapFallsBackToTheSystemAllocator) {
    void* big = zrl_malloc(2 * kDefaultHeapSize);
    ASSERT_NE(big, nullptr);
    EXPECT_FALSE(application.secondaryHeap->contains(big));
    EXPECT_TRUE(allZero(big, 2 * kDefaultHeapSize));
    // System memory cannot be registered for compaction (it never moves): said in the log.
    clearLog();
    registerBufferOwner(&big);
    EXPECT_TRUE(logged("setFragmentRelocPointer"));
    zrl_free(big); // back to the system allocator: the sanitizer build would report a wrong free
}

TEST_F(ObjectManagerTest, FreeingNullIsLoggedAndHarmless) {
    zrl_free(nullptr);
    EXPECT_TRUE(logged("zrl_free null"));
}

TEST_F(ObjectManagerTest, ObjectHeapMemoryGivenToZrlFreeGoesBackToTheObjectHeap) {
    void* memory = allocObject(64, 0);
    application.objectManager->count = 0; // no longer an object
    zrl_free(memory);
    EXPECT_EQ(allocObject(64, 0), memory);
    makeObject(memory);
}

TEST_F(ObjectManagerTest, RegisteringAnEmptySlotDoesNothing) {
    void* slot = nullptr;
    registerBufferOwner(&slot);
    EXPECT_TRUE(logLines().empty());
}

TEST_F(ObjectManagerTest, AnObjectTheHeapCannotHoldEndsTheProgram) {
    EXPECT_EXIT(
        {
            logToStderr();
            allocObject(2 * kDefaultHeapSize, 0);
        },
        ::testing::ExitedWithCode(EXIT_FAILURE), "Malloc returned null");
}

// A class that lists an interface before Object: its Object header is not at its start.
struct FirstInterface {
    virtual void run() = 0;

protected:
    ~FirstInterface() = default;
};
struct InterfaceFirst : FirstInterface, Object {
    InterfaceFirst() : Object(kThread) {}
    void run() override {}
};

TEST_F(ObjectManagerTest, AClassWhoseObjectHeaderIsNotFirstEndsTheProgram) {
    EXPECT_EXIT(
        {
            logToStderr();
            newObject<InterfaceFirst>();
        },
        ::testing::ExitedWithCode(EXIT_FAILURE), "a class must derive from Object before any interface");
}

#if !defined(__SANITIZE_ADDRESS__)
// Leaves the process 64 MiB of address space beyond what it uses, so a large request fails.
void limitAddressSpace() {
    long pages = 0;
    if (FILE* statm = std::fopen("/proc/self/statm", "r")) {
        if (std::fscanf(statm, "%ld", &pages) != 1) {
            pages = 0;
        }
        std::fclose(statm);
    }
    rlimit addressSpace{};
    addressSpace.rlim_cur = static_cast<rlim_t>(pages) * sysconf(_SC_PAGESIZE) + (64 << 20);
    addressSpace.rlim_max = addressSpace.rlim_cur;
    setrlimit(RLIMIT_AS, &addressSpace);
}

// The address-space limit makes the system allocator fail; the sanitizer's allocator would stop
// the process itself instead of returning null, so this runs in the optimised build only.
TEST_F(ObjectManagerTest, ABufferNoAllocatorCanSupplyEndsTheProgram) {
    EXPECT_EXIT(
        {
            logToStderr();
            limitAddressSpace();
            zrl_malloc(1 << 30);
        },
        ::testing::ExitedWithCode(EXIT_FAILURE), "zrl_malloc returned null");
}
#endif

} // namespace
} // namespace runtime
