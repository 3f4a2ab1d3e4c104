// The runtime's heap against the list-walking reference (ReferenceHeap): long random traces of
// allocations (single ones, some in stress mode, some too large or negative, and bursts), frees,
// bad frees and owners, owners dropped,
// collections that free a random set the collector's way (one bulk free on the runtime's heap,
// one free at a time on the reference, sometimes with an allocation in the middle) and the
// collections a full heap starts itself, with the compactions that follow. After every step both
// heaps must have answered alike: the same offsets, counts, used and peak bytes, log lines and
// fragment tiling with the same owners, and every buffer keeps its bytes.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cstring>
#include <optional>
#include <random>
#include <string>
#include <vector>

#include "runtime/Collector.h"
#include "runtime/VirtualMemoryManager.h"
#include "tests/runtime/LogCapture.h"
#include "tests/runtime/ReferenceHeap.h"
#include "tests/support/CaseSize.h"

namespace runtime {
namespace {

using reference::ReferenceHeap;

constexpr jint kSlots = 160;
constexpr jint kSteps = 20000;
// Seeds per heap, and steps of the large-fragment runs: the full count in the optimised run, fewer
// where each step costs far more.
constexpr testing_support::CaseSize kSeeds{.optimised = 3, .checked = 1, .stressed = 1};
constexpr testing_support::CaseSize kLargeFragmentSteps{
    .optimised = kSteps, .checked = 5000, .stressed = 5000};
constexpr jint kContentCheckInterval = 50;
// The whole tiling and the invariants are compared this often (counts, offsets and log lines
// after every step); less often in the slow checked builds.
#if TARNWICK_CHECKED
constexpr jint kTilingCheckInterval = 16;
#else
constexpr jint kTilingCheckInterval = 4;
#endif

// A buffer in a slot: its field (the owner slot) and what it holds.
struct Slot {
    void* data = nullptr;
    jint bytes = 0;
    bool pinned = false;
};

// One side of the comparison: a heap and the buffers it handed out. The collect hook frees the
// way the side's collector would.
template <typename Heap> struct Side {
    Heap& heap;
    std::array<Slot, kSlots> slots{};
    std::mt19937 hookRandom;
    std::vector<std::string> log;

    Side(Heap& h, const unsigned seed) : heap(h), hookRandom(seed) {}

    jint offsetOf(const void* pointer) const {
        return pointer == nullptr ? -1
                                  : static_cast<jint>(static_cast<const char*>(pointer) -
                                                      static_cast<const char*>(heap.base()));
    }

    // The slot index a fragment's owner slot belongs to, -1 for none.
    jint ownerIndex(void** owner) const {
        for (jint i = 0; i < kSlots; ++i) {
            if (owner == &slots[static_cast<std::size_t>(i)].data) {
                return i;
            }
        }
        return owner == nullptr ? -1 : -2;
    }

    void* allocate(const jint slot, const jint n, const bool owned) {
        Slot& s = slots[static_cast<std::size_t>(slot)];
        s.data = heap.allocate(n);
        if (s.data == nullptr) {
            return nullptr;
        }
        s.bytes = n;
        s.pinned = !owned;
        std::memset(s.data, static_cast<int>(slot), static_cast<std::size_t>(n));
        if (owned) {
            heap.setFragmentRelocPointer(s.data, &s.data);
        }
        return s.data;
    }

    jint free(const jint slot) {
        Slot& s = slots[static_cast<std::size_t>(slot)];
        const jint result = heap.free(s.data);
        s = Slot{};
        return result;
    }

    bool holdsItsBytes() const {
        for (jint i = 0; i < kSlots; ++i) {
            const Slot& s = slots[static_cast<std::size_t>(i)];
            const auto* bytes = static_cast<const unsigned char*>(s.data);
            for (jint b = 0; b < s.bytes; ++b) {
                if (bytes[b] != static_cast<unsigned char>(i)) {
                    return false;
                }
            }
        }
        return true;
    }
};

// The collector's way of freeing on each side.
struct BulkScope {
    explicit BulkScope(VirtualMemoryManager& heap) : bulk(&heap) {}
    explicit BulkScope(ReferenceHeap&) {}
    std::optional<VirtualMemoryManager::BulkFree> bulk;
};

// A collection: frees every live slot chosen by random (the same choice on both sides, as both
// draw from equally seeded generators), optionally allocating into a free slot halfway.
template <typename Heap> void collect(Side<Heap>& side, std::mt19937& random) {
    std::vector<jint> chosen;
    for (jint i = 0; i < kSlots; ++i) {
        if (side.slots[static_cast<std::size_t>(i)].data != nullptr && random() % 2 == 0) {
            chosen.push_back(i);
        }
    }
    std::shuffle(chosen.begin(), chosen.end(), random);
    const bool allocates = random() % 4 == 0;
    const jint allocateSize = static_cast<jint>(random() % 300);
    BulkScope scope(side.heap);
    for (std::size_t i = 0; i < chosen.size(); ++i) {
        side.free(chosen[i]);
        if (allocates && i == chosen.size() / 2) {
            // A release slot that allocates: it sees every free made so far.
            for (jint slot = 0; slot < kSlots; ++slot) {
                if (side.slots[static_cast<std::size_t>(slot)].data == nullptr) {
                    side.allocate(slot, allocateSize, true);
                    break;
                }
            }
        }
    }
}

class HeapDifferentialTest : public ::testing::Test {
protected:
    HeapDifferentialTest() : stressWasOn(gcStress()) { setGcStress(false); }
    ~HeapDifferentialTest() override { setGcStress(stressWasOn); }

    void run(jint heapSize, bool relocatable, unsigned seed, jint steps = kSteps);

private:
    bool stressWasOn;
};

// Runs one operation on both sides, each with its own log capture.
template <typename FastOp, typename ReferenceOp>
void onBoth(Side<VirtualMemoryManager>& fast, Side<ReferenceHeap>& slow, FastOp fastOp, ReferenceOp slowOp) {
    fast.log.clear();
    slow.log.clear();
    {
        LogCapture capture;
        fastOp();
        fast.log = capture.lines;
    }
    {
        LogCapture capture;
        slowOp();
        slow.log = capture.lines;
    }
}

void expectAlike(const Side<VirtualMemoryManager>& fast, const Side<ReferenceHeap>& slow, const jint step,
                 const bool wholeTiling) {
    ASSERT_EQ(fast.log, slow.log) << "step " << step;
    ASSERT_EQ(fast.heap.used(), slow.heap.used()) << "step " << step;
    ASSERT_EQ(fast.heap.peak(), slow.heap.peak()) << "step " << step;
    ASSERT_EQ(fast.heap.fragmentCount(), slow.heap.fragmentCount()) << "step " << step;
    ASSERT_EQ(fast.heap.freeFragmentCount(), slow.heap.freeFragmentCount()) << "step " << step;
    ASSERT_EQ(fast.heap.compactionCount(), slow.heap.compactionCount()) << "step " << step;
    ASSERT_EQ(fast.offsetOf(fast.heap.head()), slow.heap.headOffset()) << "step " << step;
    for (jint i = 0; i < kSlots; ++i) {
        ASSERT_EQ(fast.offsetOf(fast.slots[static_cast<std::size_t>(i)].data),
                  slow.offsetOf(slow.slots[static_cast<std::size_t>(i)].data))
            << "step " << step << " slot " << i;
    }
    if (!wholeTiling) {
        return;
    }
    const auto fastFragments = fast.heap.fragments();
    const auto slowFragments = slow.heap.fragments();
    ASSERT_EQ(fastFragments.size(), slowFragments.size()) << "step " << step;
    for (std::size_t i = 0; i < fastFragments.size(); ++i) {
        const auto& a = fastFragments[i];
        const auto& b = slowFragments[i];
        ASSERT_TRUE(a.offset == b.offset && a.size == b.size && a.used == b.used &&
                    fast.ownerIndex(a.ownerSlot) == slow.ownerIndex(b.ownerSlot))
            << "step " << step << " fragment " << i << ": " << a.offset << "/" << a.size << " against "
            << b.offset << "/" << b.size;
    }
    ASSERT_TRUE(fast.heap.checkInvariants()) << "step " << step;
}

// A request size: mostly small objects and buffers, some large ones, a few the heap cannot hold.
jint requestSize(std::mt19937& random, const jint heapSize) {
    const auto pick = random() % 100;
    if (pick < 70) {
        return static_cast<jint>(random() % 120);
    }
    if (pick < 90) {
        return static_cast<jint>(120 + random() % 900);
    }
    if (pick < 98) {
        return static_cast<jint>(1000 + random() % 6000);
    }
    if (pick < 99) {
        return static_cast<jint>(random() % static_cast<unsigned>(heapSize / 2));
    }
    return random() % 2 == 0 ? -static_cast<jint>(random() % 100) - 1 : heapSize + 1;
}

void HeapDifferentialTest::run(const jint heapSize, const bool relocatable, const unsigned seed,
                               const jint steps) {
    VirtualMemoryManager fastHeap;
    ASSERT_TRUE(fastHeap.init(heapSize, relocatable));
    ReferenceHeap slowHeap(heapSize, relocatable);
    Side<VirtualMemoryManager> fast(fastHeap, seed * 7 + 1);
    Side<ReferenceHeap> slow(slowHeap, seed * 7 + 1);
    fastHeap.setCollectHook([&](jint) { collect(fast, fast.hookRandom); });
    slowHeap.setCollectHook([&](jint) { collect(slow, slow.hookRandom); });

    std::mt19937 random(seed);
    jint moves = 0;
    for (jint step = 0; step < steps; ++step) {
        const auto kind = random() % 100;
        const auto slot = static_cast<jint>(random() % kSlots);
        const bool live = fast.slots[static_cast<std::size_t>(slot)].data != nullptr;
        if (kind < 45 && !live) {
            const jint n = requestSize(random, heapSize);
            const bool owned = random() % 10 != 0;
            const bool stress = random() % 50 == 0;
            void* a = nullptr;
            void* b = nullptr;
            onBoth(
                fast, slow,
                [&] {
                    setGcStress(stress);
                    a = fast.allocate(slot, n, owned);
                    setGcStress(false);
                },
                [&] {
                    setGcStress(stress);
                    b = slow.allocate(slot, n, owned);
                    setGcStress(false);
                });
            ASSERT_EQ(fast.offsetOf(a), slow.offsetOf(b)) << "step " << step << " allocate " << n;
        } else if (kind < 85 && live) {
            jint a = 0;
            jint b = 0;
            onBoth(
                fast, slow, [&] { a = fast.free(slot); }, [&] { b = slow.free(slot); });
            ASSERT_EQ(a, b) << "step " << step;
        } else if (kind < 87 && live) {
            // A pointer that is no buffer's start: inside the buffer, or inside its header.
            const jint inside = 8 * static_cast<jint>(1 + random() % 3);
            const jint delta = inside < fast.slots[static_cast<std::size_t>(slot)].bytes ? inside : -8;
            const bool asOwner = random() % 2 == 0;
            jint a = 0;
            jint b = 0;
            void* dummy = nullptr;
            onBoth(
                fast, slow,
                [&] {
                    char* bad = static_cast<char*>(fast.slots[static_cast<std::size_t>(slot)].data) + delta;
                    asOwner ? fastHeap.setFragmentRelocPointer(bad, &dummy) : void(a = fastHeap.free(bad));
                },
                [&] {
                    char* bad = static_cast<char*>(slow.slots[static_cast<std::size_t>(slot)].data) + delta;
                    asOwner ? slowHeap.setFragmentRelocPointer(bad, &dummy) : void(b = slowHeap.free(bad));
                });
            ASSERT_EQ(a, b) << "step " << step;
        } else if (kind < 89 && live) {
            // The owner lets go of its buffer: it is pinned from now on.
            onBoth(
                fast, slow,
                [&] {
                    fastHeap.setFragmentRelocPointer(fast.slots[static_cast<std::size_t>(slot)].data,
                                                     nullptr);
                    fast.slots[static_cast<std::size_t>(slot)].pinned = true;
                },
                [&] {
                    slowHeap.setFragmentRelocPointer(slow.slots[static_cast<std::size_t>(slot)].data,
                                                     nullptr);
                    slow.slots[static_cast<std::size_t>(slot)].pinned = true;
                });
        } else if (kind < 91) {
            // A burst of small allocations with nothing in between, as when objects are built.
            const jint count = static_cast<jint>(2 + random() % 8);
            const jint n = static_cast<jint>(random() % 64);
            onBoth(
                fast, slow,
                [&] {
                    for (jint i = 0, s = slot; i < count && s < kSlots; ++i, ++s) {
                        if (fast.slots[static_cast<std::size_t>(s)].data == nullptr) {
                            fast.allocate(s, n, true);
                        }
                    }
                },
                [&] {
                    for (jint i = 0, s = slot; i < count && s < kSlots; ++i, ++s) {
                        if (slow.slots[static_cast<std::size_t>(s)].data == nullptr) {
                            slow.allocate(s, n, true);
                        }
                    }
                });
        } else if (kind < 96) {
            const unsigned collectionSeed = static_cast<unsigned>(random());
            std::mt19937 fastRandom(collectionSeed);
            std::mt19937 slowRandom(collectionSeed);
            onBoth(
                fast, slow, [&] { collect(fast, fastRandom); }, [&] { collect(slow, slowRandom); });
        } else {
            continue;
        }
        expectAlike(fast, slow, step, step % kTilingCheckInterval == 0);
        if (HasFatalFailure()) {
            return;
        }
        if (step % kContentCheckInterval == 0) {
            ASSERT_TRUE(fast.holdsItsBytes()) << "step " << step;
            ASSERT_TRUE(slow.holdsItsBytes()) << "step " << step;
        }
        moves = fastHeap.compactionCount();
    }
    ASSERT_TRUE(fast.holdsItsBytes());
    // The traces must reach the paths they are meant to compare.
    EXPECT_GT(fastHeap.freeFragmentCount(), 0);
    if (relocatable) {
        EXPECT_GT(moves, 0) << "no compaction happened";
    }
}

TEST_F(HeapDifferentialTest, ObjectHeapAnswersAsTheListWalk) {
    const int seeds = testing_support::sizeForThisBuild("seeds", kSeeds);
    for (unsigned seed = 1; seed <= static_cast<unsigned>(seeds); ++seed) {
        run(64 * 1024, false, seed);
        if (HasFatalFailure()) {
            return;
        }
    }
}

TEST_F(HeapDifferentialTest, RelocatableHeapAnswersAsTheListWalk) {
    const int seeds = testing_support::sizeForThisBuild("seeds", kSeeds);
    for (unsigned seed = 4; seed < 4 + static_cast<unsigned>(seeds); ++seed) {
        run(64 * 1024, true, seed);
        if (HasFatalFailure()) {
            return;
        }
    }
}

TEST_F(HeapDifferentialTest, LargeFragmentsAnswerAsTheListWalk) {
    // A heap where fragments beyond the index's per-size range come and go all the time.
    const int steps = testing_support::sizeForThisBuild("steps", kLargeFragmentSteps);
    for (const bool relocatable : {false, true}) {
        run(1024 * 1024, relocatable, 7, steps);
        if (HasFatalFailure()) {
            return;
        }
    }
}

} // namespace
} // namespace runtime
