// The fixed heaps: fragment sizes, splitting, freeing and merging, the collector hook,
// compaction of the relocatable heap and its pinned buffers, and a randomized run under the
// invariant checker.
#include "runtime/VirtualMemoryManager.h"

#include <gtest/gtest.h>

#include <array>
#include <cstdint>
#include <cstring>
#include <random>
#include <vector>

#include "runtime/Collector.h"
#include "tests/runtime/LogCapture.h"
#include "tests/support/CaseSize.h"

namespace runtime {
namespace {

// These tests check the heap's exact choices; stress mode would add a collection and a
// compaction to every allocation, so it is off while a test heap exists.
struct Heap : VirtualMemoryManager {
    Heap() { setGcStress(false); }
    ~Heap() { setGcStress(stressWasOn); }
    bool stressWasOn = gcStress();
};

// These tests decide where collections and compactions happen; stress mode would add its own.
class VirtualMemoryManagerTest : public ::testing::Test {
protected:
    VirtualMemoryManagerTest() : stressWasOn(gcStress()) { setGcStress(false); }
    ~VirtualMemoryManagerTest() override { setGcStress(stressWasOn); }

private:
    bool stressWasOn;
};

jint offsetOf(const Heap& heap, const void* pointer) {
    return static_cast<jint>(static_cast<const char*>(pointer) - static_cast<const char*>(heap.base()));
}

// A buffer of the relocatable heap together with the field that owns it.
struct Buffer {
    void* data = nullptr;
};

// Allocates n bytes, fills them with fill and registers the owner (unless pinned).
void* allocateFilled(Heap& heap, Buffer& buffer, const jint n, const unsigned char fill,
                     const bool owned = true) {
    buffer.data = heap.allocate(n);
    if (buffer.data == nullptr) {
        return nullptr;
    }
    std::memset(buffer.data, fill, static_cast<std::size_t>(n));
    if (owned) {
        heap.setFragmentRelocPointer(buffer.data, &buffer.data);
    }
    return buffer.data;
}

bool holds(const void* data, const jint n, const unsigned char fill) {
    const auto* bytes = static_cast<const unsigned char*>(data);
    for (jint i = 0; i < n; ++i) {
        if (bytes[i] != fill) {
            return false;
        }
    }
    return true;
}

TEST_F(VirtualMemoryManagerTest, StartsAsOneFreeFragment) {
    Heap heap;
    ASSERT_TRUE(heap.init(4096, true));
    EXPECT_EQ(heap.size(), 4096);
    EXPECT_EQ(heap.fragmentCount(), 1);
    EXPECT_EQ(heap.freeFragmentCount(), 1);
    EXPECT_EQ(heap.used(), 0);
    EXPECT_EQ(heap.peak(), 0);
    EXPECT_EQ(heap.head(), heap.base());
    EXPECT_EQ(heap.headerSize(), 16);
    EXPECT_TRUE(heap.checkInvariants());

    Heap objects;
    ASSERT_TRUE(objects.init(4096, false));
    EXPECT_EQ(objects.headerSize(), 8);
    EXPECT_FALSE(objects.init(16, false));
}

TEST_F(VirtualMemoryManagerTest, RequestsBecomeAlignedFragments) {
    // 8-byte rounding plus the header (8 in the object heap, 16 with the owner slot), at least
    // the 24 bytes of a free fragment's header. (The handset's 4-byte words made these 12 and 12.)
    const struct {
        bool relocatable;
        jint n;
        jint fragment;
    } cases[] = {
        {false, 0, 24}, {false, 1, 24}, {false, 16, 24}, {false, 17, 32}, {false, 100, 112},
        {true, 0, 24},  {true, 1, 24},  {true, 8, 24},   {true, 9, 32},   {true, 100, 120},
    };
    for (const auto& c : cases) {
        Heap heap;
        ASSERT_TRUE(heap.init(4096, c.relocatable));
        void* data = heap.allocate(c.n);
        ASSERT_NE(data, nullptr);
        EXPECT_EQ(reinterpret_cast<std::uintptr_t>(data) % 8, 0u);
        EXPECT_EQ(offsetOf(heap, data), heap.headerSize());
        EXPECT_EQ(heap.used(), c.fragment) << c.n << (c.relocatable ? " relocatable" : "");
        EXPECT_EQ(heap.fragments().front().size, c.fragment);
        EXPECT_TRUE(heap.checkInvariants());
    }
}

TEST_F(VirtualMemoryManagerTest, SmallRemaindersAreHandedOutWithTheFragment) {
    // A fragment is split only when more than the header + 32 bytes would be left: 40 in the
    // object heap, 48 in the relocatable one (the handset's 36 and 40).
    const struct {
        bool relocatable;
        jint remainder;
        bool whole;
    } cases[] = {
        {false, 0, true}, {false, 24, true}, {false, 40, true}, {false, 48, false},
        {true, 0, true},  {true, 24, true},  {true, 48, true},  {true, 56, false},
    };
    for (const auto& c : cases) {
        const jint need = 64 + (c.relocatable ? 16 : 8);
        Heap heap;
        ASSERT_TRUE(heap.init(need + c.remainder, c.relocatable));
        ASSERT_NE(heap.allocate(64), nullptr);
        const char* label = c.relocatable ? "relocatable" : "objects";
        if (c.whole) {
            EXPECT_EQ(heap.fragmentCount(), 1) << label << " +" << c.remainder;
            EXPECT_EQ(heap.freeFragmentCount(), 0) << label << " +" << c.remainder;
            EXPECT_EQ(heap.used(), need + c.remainder) << label << " +" << c.remainder;
            EXPECT_EQ(heap.head(), nullptr);
        } else {
            EXPECT_EQ(heap.fragmentCount(), 2) << label << " +" << c.remainder;
            EXPECT_EQ(heap.freeFragmentCount(), 1) << label << " +" << c.remainder;
            EXPECT_EQ(heap.used(), need) << label << " +" << c.remainder;
            EXPECT_EQ(offsetOf(heap, heap.head()), need);
        }
        EXPECT_TRUE(heap.checkInvariants());
    }
}

TEST_F(VirtualMemoryManagerTest, FreeMergesWithBothFreeNeighbours) {
    Heap heap;
    ASSERT_TRUE(heap.init(4096, false));
    void* a = heap.allocate(40);
    void* b = heap.allocate(40);
    void* c = heap.allocate(40);
    ASSERT_NE(heap.allocate(40), nullptr);
    EXPECT_EQ(heap.free(a), 1);
    EXPECT_EQ(heap.free(c), 1);
    const jint fragments = heap.fragmentCount();
    const jint freeFragments = heap.freeFragmentCount();
    const jint used = heap.used();

    EXPECT_EQ(heap.free(b), 1);
    EXPECT_EQ(heap.fragmentCount(), fragments - 2);
    EXPECT_EQ(heap.freeFragmentCount(), freeFragments - 1);
    EXPECT_EQ(heap.used(), used - 48);
    EXPECT_EQ(heap.head(), heap.base());
    EXPECT_EQ(heap.fragments().front().size, 3 * 48);
    EXPECT_FALSE(heap.fragments().front().used);
    EXPECT_TRUE(heap.checkInvariants());
}

TEST_F(VirtualMemoryManagerTest, FreeingEverythingRestoresOneFragment) {
    Heap heap;
    ASSERT_TRUE(heap.init(4096, true));
    std::vector<void*> blocks;
    for (jint n = 1; n < 400; n += 37) {
        blocks.push_back(heap.allocate(n));
        ASSERT_NE(blocks.back(), nullptr);
    }
    const jint peak = heap.used();
    for (std::size_t i = 0; i < blocks.size(); i += 2) {
        heap.free(blocks[i]);
    }
    for (std::size_t i = 1; i < blocks.size(); i += 2) {
        heap.free(blocks[i]);
    }
    EXPECT_EQ(heap.fragmentCount(), 1);
    EXPECT_EQ(heap.freeFragmentCount(), 1);
    EXPECT_EQ(heap.used(), 0);
    EXPECT_EQ(heap.peak(), peak);
    EXPECT_TRUE(heap.checkInvariants());
}

TEST_F(VirtualMemoryManagerTest, BestFitTakesTheSmallestFirstFragment) {
    Heap heap;
    ASSERT_TRUE(heap.init(4096, false));
    // Free fragments of 64, 32, 48 and 32 bytes, each between used ones.
    std::vector<void*> holes;
    for (const jint n : {56, 24, 40, 24}) {
        holes.push_back(heap.allocate(n));
        ASSERT_NE(heap.allocate(8), nullptr);
    }
    for (void* hole : holes) {
        heap.free(hole);
    }
    EXPECT_EQ(heap.allocate(20), holes[1]); // the first of the two 32-byte fragments
    EXPECT_EQ(heap.allocate(20), holes[3]);
    EXPECT_EQ(heap.allocate(40), holes[2]);
    EXPECT_TRUE(heap.checkInvariants());
}

TEST_F(VirtualMemoryManagerTest, PointersOutsideTheHeapAreNotItsBusiness) {
    Heap heap;
    ASSERT_TRUE(heap.init(4096, true));
    jint local = 0;
    EXPECT_EQ(heap.free(&local), 0);
    EXPECT_EQ(heap.free(nullptr), 0);
    EXPECT_EQ(heap.free(static_cast<char*>(const_cast<void*>(heap.base())) + 4096), 0);

    LogCapture capture;
    void* slot = nullptr;
    heap.setFragmentRelocPointer(&local, &slot);
    EXPECT_TRUE(capture.contains("setFragmentRelocPointer"));
}

TEST_F(VirtualMemoryManagerTest, FreeingWhatIsNotAnAllocationChangesNothing) {
    Heap heap;
    ASSERT_TRUE(heap.init(4096, true));
    char* a = static_cast<char*>(heap.allocate(64));
    char* b = static_cast<char*>(heap.allocate(64));
    ASSERT_NE(b, nullptr);
    heap.free(a);
    const auto before = heap.fragments();
    const jint used = heap.used();

    LogCapture capture;
    // A double free, an interior pointer, a misaligned one, and the free remainder's header.
    for (void* pointer : {static_cast<void*>(a), static_cast<void*>(b + 8), static_cast<void*>(b + 3),
                          static_cast<void*>(b + 64 + 16)}) {
        EXPECT_EQ(heap.free(pointer), 1);
    }
    EXPECT_EQ(capture.count("VirtualMemoryManager free: not an allocated fragment"), 4);
    EXPECT_EQ(heap.used(), used);
    EXPECT_EQ(heap.fragments().size(), before.size());
    EXPECT_TRUE(heap.checkInvariants());
    EXPECT_EQ(heap.free(b), 1);
    EXPECT_EQ(heap.used(), 0);
}

TEST_F(VirtualMemoryManagerTest, AFullHeapCollectsOnceAndRetries) {
    Heap heap;
    ASSERT_TRUE(heap.init(1024, false));
    std::vector<void*> blocks;
    while (void* block = heap.allocate(100)) {
        blocks.push_back(block);
    }
    ASSERT_FALSE(blocks.empty());
    std::vector<jint> flags;
    LogCapture capture;
    heap.setCollectHook([&](const jint f) {
        flags.push_back(f);
        heap.allocate(200); // a release slot that allocates must not start another collection
        heap.free(blocks.back());
    });
    void* block = heap.allocate(100);
    EXPECT_EQ(block, blocks.back());
    EXPECT_EQ(flags, std::vector<jint>{9});
    EXPECT_TRUE(heap.checkInvariants());
}

TEST_F(VirtualMemoryManagerTest, AFailedAllocationIsLoggedAndGivesNull) {
    Heap heap;
    ASSERT_TRUE(heap.init(1024, false));
    jint collections = 0;
    heap.setCollectHook([&](jint) { ++collections; });
    LogCapture capture;
    EXPECT_EQ(heap.allocate(2000), nullptr);
    EXPECT_EQ(heap.allocate(-1), nullptr);
    EXPECT_EQ(heap.allocate(0x7fffffff), nullptr);
    EXPECT_EQ(collections, 0);              // no collection can make such a request fit
    ASSERT_NE(heap.allocate(900), nullptr); // 912 bytes, leaving 112
    EXPECT_EQ(heap.allocate(105), nullptr);
    EXPECT_EQ(collections, 1);
    EXPECT_TRUE(capture.contains("totalFragmentSizeNeeded=120 m_heapUsed=912 m_heapSize=1024"));
    EXPECT_EQ(capture.count("Malloc failed"), 4);
}

TEST_F(VirtualMemoryManagerTest, TheObjectHeapNeverCompacts) {
    Heap heap;
    ASSERT_TRUE(heap.init(1024, false));
    std::vector<void*> blocks;
    while (void* block = heap.allocate(56)) {
        blocks.push_back(block);
    }
    for (std::size_t i = 0; i < blocks.size(); i += 2) {
        heap.free(blocks[i]);
    }
    LogCapture capture;
    EXPECT_EQ(heap.allocate(200), nullptr);
    EXPECT_EQ(heap.compactionCount(), 0);
}

// Seven 64-byte fragments of the relocatable heap (48 bytes of data each); the ones listed as
// free are freed again. Returns the buffers by index.
struct Layout {
    Heap heap;
    std::array<Buffer, 7> buffers;

    Layout(std::initializer_list<jint> freeIndexes, std::initializer_list<jint> pinned = {}) {
        EXPECT_TRUE(heap.init(7 * 64, true));
        for (jint i = 0; i < 7; ++i) {
            bool owned = true;
            for (const jint p : pinned) {
                owned = owned && p != i;
            }
            EXPECT_NE(allocateFilled(heap, buffers[i], 48, static_cast<unsigned char>('A' + i), owned),
                      nullptr);
        }
        for (const jint i : freeIndexes) {
            heap.free(buffers[i].data);
            buffers[i].data = nullptr;
        }
    }
    void* at(const jint offset) { return static_cast<char*>(const_cast<void*>(heap.base())) + offset; }
};

TEST_F(VirtualMemoryManagerTest, FillingAHoleMovesARunAndRewritesItsOwner) {
    // [A][free][C][free][E][free][G]: C moves into the last hole, and the first hole grows to 192.
    Layout layout({1, 3, 5});
    void* c = layout.buffers[2].data;
    void* data = layout.heap.allocate(130);
    ASSERT_NE(data, nullptr);
    EXPECT_EQ(data, layout.at(64 + 16));
    EXPECT_EQ(layout.heap.compactionCount(), 1);
    EXPECT_NE(layout.buffers[2].data, c);
    EXPECT_EQ(layout.buffers[2].data, layout.at(5 * 64 + 16));
    for (const jint i : {0, 2, 4, 6}) {
        EXPECT_TRUE(holds(layout.buffers[i].data, 48, static_cast<unsigned char>('A' + i))) << i;
    }
    EXPECT_TRUE(layout.heap.checkInvariants());
}

// [free 96][U 64][V 64][free 64]: no third hole can take the run U+V between the two holes.
struct SlideLayout {
    Heap heap;
    Buffer first, u, v, last;

    explicit SlideLayout(const bool pinU) {
        EXPECT_TRUE(heap.init(288, true));
        allocateFilled(heap, first, 80, 'H');
        allocateFilled(heap, u, 48, 'U', !pinU);
        allocateFilled(heap, v, 48, 'V');
        allocateFilled(heap, last, 48, 'Z');
        heap.free(first.data);
        heap.free(last.data);
    }
};

TEST_F(VirtualMemoryManagerTest, SlidingMovesTheFragmentsAfterTheLargestHole) {
    // U slides into the last hole, and the first hole grows to 160.
    SlideLayout layout(false);
    void* const vBefore = layout.v.data;
    void* data = layout.heap.allocate(120);
    ASSERT_NE(data, nullptr);
    EXPECT_EQ(offsetOf(layout.heap, data), 16);
    EXPECT_EQ(offsetOf(layout.heap, layout.u.data), 224 + 16);
    EXPECT_EQ(layout.v.data, vBefore);
    EXPECT_TRUE(holds(layout.u.data, 48, 'U'));
    EXPECT_TRUE(holds(layout.v.data, 48, 'V'));
    EXPECT_EQ(layout.heap.freeFragmentCount(), 0);
    EXPECT_TRUE(layout.heap.checkInvariants());
}

TEST_F(VirtualMemoryManagerTest, BuffersWithoutALiveOwnerNeverMove) {
    // As in the hole test, but C has no owner (or one that no longer holds it): E moves
    // into the first hole instead, and C stays where it is.
    for (const bool stale : {false, true}) {
        Layout layout({1, 3, 5}, stale ? std::initializer_list<jint>{} : std::initializer_list<jint>{2});
        void* const c = layout.buffers[2].data;
        Buffer elsewhere;
        if (stale) {
            layout.buffers[2].data = &elsewhere; // the owner now holds something else
        }
        void* data = layout.heap.allocate(130);
        ASSERT_NE(data, nullptr) << stale;
        EXPECT_EQ(data, layout.at(3 * 64 + 16)) << stale;
        EXPECT_EQ(layout.buffers[4].data, layout.at(64 + 16)) << stale;
        EXPECT_TRUE(holds(c, 48, 'C')) << stale;
        EXPECT_TRUE(holds(layout.buffers[4].data, 48, 'E')) << stale;
        EXPECT_EQ(layout.buffers[2].data, stale ? static_cast<void*>(&elsewhere) : c);
        EXPECT_TRUE(layout.heap.checkInvariants());
    }
}

TEST_F(VirtualMemoryManagerTest, APinnedBufferStopsSliding) {
    SlideLayout layout(true);
    void* const uBefore = layout.u.data;
    LogCapture capture;
    EXPECT_EQ(layout.heap.allocate(120), nullptr);
    EXPECT_EQ(layout.heap.compactionCount(), 1);
    EXPECT_EQ(layout.u.data, uBefore);
    EXPECT_TRUE(holds(uBefore, 48, 'U'));
    EXPECT_EQ(layout.heap.fragments().size(), 4u);
    EXPECT_TRUE(layout.heap.checkInvariants());
}

TEST_F(VirtualMemoryManagerTest, NoCompactionWhenUsedAndNeedReachTheSize) {
    Layout layout({1, 3, 5});
    std::array<void*, 7> before{};
    for (jint i = 0; i < 7; ++i) {
        before[i] = layout.buffers[i].data;
    }
    // Used 256 + need 192 = 448, the heap's size: compaction could not help.
    LogCapture capture;
    EXPECT_EQ(layout.heap.allocate(176), nullptr);
    EXPECT_EQ(layout.heap.compactionCount(), 0);
    for (jint i = 0; i < 7; ++i) {
        EXPECT_EQ(layout.buffers[i].data, before[i]);
    }
    EXPECT_TRUE(capture.contains("totalFragmentSizeNeeded=192 m_heapUsed=256 m_heapSize=448"));
}

TEST_F(VirtualMemoryManagerTest, CheckerReportsABrokenTiling) {
    Heap heap;
    ASSERT_TRUE(heap.init(4096, false));
    auto* a = static_cast<jint*>(heap.allocate(64));
    ASSERT_NE(heap.allocate(64), nullptr);
    LogCapture capture;
    a[-2] = -80; // the fragment's size word now overlaps its neighbour
    EXPECT_FALSE(heap.checkInvariants());
    EXPECT_FALSE(capture.lines.empty());
    a[-2] = -72;
    EXPECT_TRUE(heap.checkInvariants());
}

TEST_F(VirtualMemoryManagerTest, StressModeCollectsAndCompactsAtEveryAllocation) {
    Layout layout({1, 3, 5});
    jint collections = 0;
    layout.heap.setCollectHook([&](jint) { ++collections; });
    void* const c = layout.buffers[2].data;
    setGcStress(true);
    // 40 bytes would fit the first hole as it is; stress mode compacts first all the same.
    void* data = layout.heap.allocate(40);
    setGcStress(false);
    ASSERT_NE(data, nullptr);
    EXPECT_EQ(collections, 1);
    EXPECT_EQ(layout.heap.compactionCount(), 1);
    EXPECT_NE(layout.buffers[2].data, c);
    EXPECT_TRUE(holds(layout.buffers[2].data, 48, 'C'));
    EXPECT_TRUE(layout.heap.checkInvariants());
}

// The vacated or freed bytes [from, to) of the heap hold the poison.
bool poisoned(Layout& layout, const jint from, const jint to) {
    return holds(layout.at(from), to - from, VirtualMemoryManager::kPoison);
}

TEST_F(VirtualMemoryManagerTest, StressModeSlidesEveryMovableBufferAndPoisonsWhatIsLeft) {
    // [A][free][C][free][E][F pinned][G]: the stretch before F slides down, then up, then down;
    // G has no free neighbour, F never moves.
    Layout layout({1, 3}, {5});
    void* const pinned = layout.buffers[5].data;
    void* const last = layout.buffers[6].data;
    setGcStress(true);
    Buffer first;
    ASSERT_NE(allocateFilled(layout.heap, first, 8, 'x'), nullptr);
    EXPECT_EQ(layout.heap.compactionCount(), 1);
    EXPECT_EQ(layout.buffers[0].data, layout.at(16));
    EXPECT_EQ(layout.buffers[2].data, layout.at(64 + 16));
    EXPECT_EQ(layout.buffers[4].data, layout.at(128 + 16));
    // The new buffer takes the start of the one free fragment; E's old bytes after it hold the
    // poison.
    EXPECT_EQ(first.data, layout.at(192 + 16));
    EXPECT_TRUE(poisoned(layout, 256 + 16, 320));
    // Freed bytes are poisoned too.
    layout.heap.free(first.data);
    EXPECT_TRUE(poisoned(layout, 192 + 16, 192 + 24));

    Buffer second;
    ASSERT_NE(allocateFilled(layout.heap, second, 8, 'y'), nullptr);
    EXPECT_EQ(layout.heap.compactionCount(), 2);
    EXPECT_EQ(layout.buffers[0].data, layout.at(128 + 16));
    EXPECT_EQ(layout.buffers[2].data, layout.at(192 + 16));
    EXPECT_EQ(layout.buffers[4].data, layout.at(256 + 16));
    EXPECT_EQ(second.data, layout.at(16));
    EXPECT_TRUE(poisoned(layout, 24 + 8, 128));
    setGcStress(false);

    EXPECT_EQ(layout.buffers[5].data, pinned);
    EXPECT_EQ(layout.buffers[6].data, last);
    for (const jint i : {0, 2, 4, 5, 6}) {
        EXPECT_TRUE(holds(layout.buffers[i].data, 48, static_cast<unsigned char>('A' + i))) << i;
    }
    EXPECT_TRUE(holds(second.data, 8, 'y'));
    EXPECT_TRUE(layout.heap.checkInvariants());
}

TEST_F(VirtualMemoryManagerTest, StressModePoisonsWhatTheObjectHeapFrees) {
    Heap heap;
    ASSERT_TRUE(heap.init(1024, false));
    void* kept = heap.allocate(40);
    std::memset(kept, 'k', 40);
    void* normal = heap.allocate(40);
    std::memset(normal, 'n', 40);
    void* stressed = heap.allocate(40);
    std::memset(stressed, 's', 40);
    heap.free(normal);
    EXPECT_TRUE(holds(normal, 40, 'n')) << "normal mode leaves freed bytes alone";
    setGcStress(true);
    heap.free(stressed);
    // Bulk frees poison at once, before their merge.
    void* bulk = heap.allocate(40);
    std::memset(bulk, 'b', 40);
    heap.beginBulkFree();
    heap.free(bulk);
    EXPECT_TRUE(holds(bulk, 40, VirtualMemoryManager::kPoison));
    heap.endBulkFree();
    setGcStress(false);
    EXPECT_TRUE(holds(stressed, 40, VirtualMemoryManager::kPoison));
    EXPECT_TRUE(holds(kept, 40, 'k'));
    EXPECT_EQ(heap.compactionCount(), 0);
    EXPECT_TRUE(heap.checkInvariants());
}

// Random allocations and frees with owners (some pinned); after every step the invariants hold,
// every owner holds its buffer, pinned buffers stay put, and every buffer keeps its bytes.
void runRandomly(const bool relocatable, const unsigned seed) {
    constexpr jint kSlots = 96;
    Heap heap;
    ASSERT_TRUE(heap.init(16 * 1024, relocatable));
    std::array<Buffer, kSlots> buffers{};
    std::array<jint, kSlots> sizes{};
    std::array<void*, kSlots> pinnedAt{};
    std::mt19937 random(seed);
    LogCapture capture; // failed allocations log
    jint failures = 0;
    jint moves = 0;
    for (jint step = 0; step < 4000; ++step) {
        std::array<void*, kSlots> before{};
        for (jint i = 0; i < kSlots; ++i) {
            before[i] = buffers[i].data;
        }
        const jint slot = static_cast<jint>(random() % kSlots);
        Buffer& buffer = buffers[slot];
        if (buffer.data != nullptr) {
            ASSERT_TRUE(holds(buffer.data, sizes[slot], static_cast<unsigned char>(slot)));
            ASSERT_EQ(heap.free(buffer.data), 1);
            buffer.data = nullptr;
            pinnedAt[slot] = nullptr;
        } else {
            const jint n =
                random() % 8 == 0 ? static_cast<jint>(random() % 6000) : static_cast<jint>(random() % 400);
            const bool owned = random() % 10 != 0;
            if (allocateFilled(heap, buffer, n, static_cast<unsigned char>(slot), owned) == nullptr) {
                ++failures;
                continue;
            }
            sizes[slot] = n;
            pinnedAt[slot] = owned ? nullptr : buffer.data;
        }
        ASSERT_TRUE(heap.checkInvariants()) << "step " << step;
        for (jint i = 0; i < kSlots; ++i) {
            if (pinnedAt[i] != nullptr) {
                ASSERT_EQ(buffers[i].data, pinnedAt[i]);
            }
            if (i != slot && buffers[i].data != before[i]) {
                ++moves;
                ASSERT_TRUE(holds(buffers[i].data, sizes[i], static_cast<unsigned char>(i)));
            }
        }
    }
    for (jint i = 0; i < kSlots; ++i) {
        if (buffers[i].data != nullptr) {
            EXPECT_TRUE(holds(buffers[i].data, sizes[i], static_cast<unsigned char>(i)));
        }
    }
    EXPECT_LT(failures, 400);
    EXPECT_EQ(moves > 0, relocatable) << "only the relocatable heap moves buffers, and this run needs it";
}

// Seeds per heap kind: three in the optimised run, one where each step costs far more.
constexpr testing_support::CaseSize kRandomUseSeeds{.optimised = 3, .checked = 1, .stressed = 1};

TEST_F(VirtualMemoryManagerTest, RandomUseKeepsTheInvariants) {
    const int seeds = testing_support::sizeForThisBuild("seeds", kRandomUseSeeds);
    for (unsigned seed = 1; seed <= static_cast<unsigned>(seeds); ++seed) {
        runRandomly(false, seed);
        runRandomly(true, seed);
    }
}

} // namespace
} // namespace runtime
