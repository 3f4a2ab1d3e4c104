// The fixed heaps (see VirtualMemoryManager.h).
#include "runtime/VirtualMemoryManager.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <utility>

#include "runtime/Application.h"
#include "runtime/Collector.h"
#include "runtime/Log.h"
#include "runtime/ObjectManager.h"

namespace runtime {

namespace {

// A normal collection that also keeps the newest object alive: the caller may be in the middle
// of building it.
constexpr jint kCollectFlags = kGcKeepNewest | 1;

// Header layout. Free: size, prev, next. Used: size, then (relocatable heap) the owner slot,
// which shares its place with prev. The words are read and written through memcpy because one
// place holds different types over time.
constexpr std::size_t kSizeOffset = 0;
constexpr std::size_t kPrevOffset = 8;
constexpr std::size_t kOwnerOffset = 8;
constexpr std::size_t kNextOffset = 16;
constexpr jint kBitsPerWord = 64;

template <typename T> T load(const char* fragment, const std::size_t offset) {
    T value;
    std::memcpy(&value, fragment + offset, sizeof value);
    return value;
}

template <typename T> void store(char* fragment, const std::size_t offset, const T value) {
    std::memcpy(fragment + offset, &value, sizeof value);
}

jint sizeOf(const char* fragment) {
    return load<jint>(fragment, kSizeOffset);
}
void setSize(char* fragment, const jint size) {
    store(fragment, kSizeOffset, size);
}
char* prevOf(const char* fragment) {
    return load<char*>(fragment, kPrevOffset);
}
void setPrev(char* fragment, char* prev) {
    store(fragment, kPrevOffset, prev);
}
char* nextOf(const char* fragment) {
    return load<char*>(fragment, kNextOffset);
}
void setNext(char* fragment, char* next) {
    store(fragment, kNextOffset, next);
}
void** ownerOf(const char* fragment) {
    return load<void**>(fragment, kOwnerOffset);
}
void setOwner(char* fragment, void** owner) {
    store(fragment, kOwnerOffset, owner);
}

// Total bytes of a fragment, free or used.
jint extentOf(const char* fragment) {
    const jint size = sizeOf(fragment);
    return size < 0 ? -size : size;
}

} // namespace

bool VirtualMemoryManager::init(const jint size, const bool relocatable) {
    destroy();
    const jint rounded = size / kAlignment * kAlignment;
    if (rounded < kMinFragmentSize) {
        log("VirtualMemoryManager size %d", size);
        return false;
    }
    const std::size_t words =
        (static_cast<std::size_t>(rounded / kAlignment) + kBitsPerWord - 1) / kBitsPerWord;
    m_base = static_cast<char*>(std::malloc(static_cast<std::size_t>(rounded)));
    m_starts = static_cast<std::uint64_t*>(std::calloc(words, sizeof(std::uint64_t)));
    if (m_base == nullptr || m_starts == nullptr) {
        log("VirtualMemoryManager malloc failed");
        dumpStackTrace();
        destroy();
        return false;
    }
    m_heapSize = rounded;
    m_relocatable = relocatable;
    m_headerSize = relocatable ? kRelocatableHeaderSize : kPlainHeaderSize;
    m_fragmentCount = 1;
    m_freeCount = 1;
    m_heapUsed = 0;
    m_peakUsed = 0;
    m_compactions = 0;
    setSize(m_base, m_heapSize);
    setPrev(m_base, nullptr);
    setNext(m_base, nullptr);
    markFragmentStart(m_base, true);
    m_head = m_base;
    m_tail = m_base;
    return true;
}

void VirtualMemoryManager::destroy() {
    std::free(m_base);
    std::free(m_starts);
    m_base = nullptr;
    m_starts = nullptr;
    m_head = nullptr;
    m_tail = nullptr;
    m_heapSize = 0;
    m_fragmentCount = 0;
    m_freeCount = 0;
    m_heapUsed = 0;
}

void VirtualMemoryManager::setCollectHook(CollectHook hook) {
    m_collectHook = std::move(hook);
}

bool VirtualMemoryManager::contains(const void* pointer) const {
    const auto* p = static_cast<const char*>(pointer);
    return m_base != nullptr && p >= m_base && p < end();
}

jlong VirtualMemoryManager::fragmentSizeFor(const jint n) const {
    if (n < 0 || n > m_heapSize) {
        return -1;
    }
    const jlong rounded = (static_cast<jlong>(n) + kAlignment - 1) / kAlignment * kAlignment;
    return std::max<jlong>(rounded + m_headerSize, kMinFragmentSize);
}

void* VirtualMemoryManager::allocate(const jint n) {
    const jlong need = fragmentSizeFor(n);
    if (m_base == nullptr || need < 0 || need > m_heapSize) {
        logAllocationFailure(need < 0 ? n : need);
        return nullptr;
    }
    // Stress mode collects first and compacts whenever compaction could run, so tests meet
    // collections and moved buffers at every allocation.
    const bool stress = gcStress();
    if (stress) {
        collect();
    }
    char* fragment = stress ? compact(static_cast<jint>(need)) : nullptr;
    if (fragment == nullptr) {
        fragment = bestFit(need, nullptr, nullptr);
    }
    if (fragment == nullptr && !stress) {
        collect();
        fragment = bestFit(need, nullptr, nullptr);
        if (fragment == nullptr) {
            fragment = compact(static_cast<jint>(need));
        }
    }
    if (fragment == nullptr) {
        logAllocationFailure(need);
        return nullptr;
    }
    take(fragment, static_cast<jint>(need));
    return fragment + m_headerSize;
}

void VirtualMemoryManager::collect() {
    // The collector frees fragments of this heap; it must not start again when a release slot
    // allocates.
    if (!m_collectHook || m_collecting) {
        return;
    }
    m_collecting = true;
    m_collectHook(kCollectFlags);
    m_collecting = false;
}

char* VirtualMemoryManager::compact(const jint need) {
    // Compaction only moves buffers and cannot help when the free bytes do not add up to need.
    if (!m_relocatable || static_cast<jlong>(m_heapUsed) + need >= m_heapSize) {
        return nullptr;
    }
    ++m_compactions;
    char* fragment = compactByFillingHole(need);
    return fragment != nullptr ? fragment : compactBySliding(need);
}

jint VirtualMemoryManager::free(void* pointer) {
    if (!contains(pointer)) {
        return 0;
    }
    char* fragment = usedFragmentOf(pointer);
    if (fragment == nullptr) {
        // A double free or an interior pointer: changing the list would corrupt the heap.
        log("VirtualMemoryManager free: not an allocated fragment");
        dumpStackTrace();
        return 1;
    }
    release(fragment);
    return 1;
}

void VirtualMemoryManager::setFragmentRelocPointer(void* pointer, void** ownerSlot) {
    char* fragment = m_relocatable && contains(pointer) ? usedFragmentOf(pointer) : nullptr;
    if (fragment == nullptr) {
        log("setFragmentRelocPointer");
        dumpStackTrace();
        return;
    }
    setOwner(fragment, ownerSlot);
}

char* VirtualMemoryManager::bestFit(const jlong need, const char* skip1, const char* skip2) const {
    char* best = nullptr;
    for (char* fragment = m_head; fragment != nullptr; fragment = nextOf(fragment)) {
        if (fragment == skip1 || fragment == skip2) {
            continue;
        }
        const jint size = sizeOf(fragment);
        if (size < need || (best != nullptr && size >= sizeOf(best))) {
            continue;
        }
        best = fragment;
        if (size == need) {
            break;
        }
    }
    return best;
}

jint VirtualMemoryManager::take(char* fragment, const jint need) {
    const jint size = sizeOf(fragment);
    jint taken = need;
    if (size - need <= m_headerSize + kTakeWholeSlack) {
        unlink(fragment);
        --m_freeCount;
        taken = size;
    } else {
        // The remainder takes the fragment's place in the free list.
        char* rest = fragment + need;
        char* prev = prevOf(fragment);
        char* next = nextOf(fragment);
        setSize(rest, size - need);
        connect(prev, rest);
        connect(rest, next);
        markFragmentStart(rest, true);
        ++m_fragmentCount;
    }
    setSize(fragment, -taken);
    if (m_relocatable) {
        setOwner(fragment, nullptr);
    }
    m_heapUsed += taken;
    m_peakUsed = std::max(m_peakUsed, m_heapUsed);
    return taken;
}

void VirtualMemoryManager::connect(char* first, char* second) {
    if (first != nullptr) {
        setNext(first, second);
    } else {
        m_head = second;
    }
    if (second != nullptr) {
        setPrev(second, first);
    } else {
        m_tail = first;
    }
}

void VirtualMemoryManager::unlink(char* fragment) {
    connect(prevOf(fragment), nextOf(fragment));
}

void VirtualMemoryManager::release(char* fragment) {
    const jint size = -sizeOf(fragment);
    setSize(fragment, size);
    // The neighbours in the address-ordered list.
    char* before = nullptr;
    char* after = m_head;
    if (m_head == nullptr) {
        if (m_tail != nullptr) {
            log("m_tail error");
            dumpStackTrace();
        }
    } else if (fragment > m_tail) {
        before = m_tail;
        after = nullptr;
    } else if (fragment > m_head) {
        // Walk in from whichever end is nearer.
        if (fragment - m_head <= m_tail - fragment) {
            before = m_head;
            while (nextOf(before) != nullptr && nextOf(before) < fragment) {
                before = nextOf(before);
            }
        } else {
            before = m_tail;
            while (before != nullptr && before > fragment) {
                before = prevOf(before);
            }
        }
        if (before == nullptr || nextOf(before) == nullptr) {
            log("listFragment");
            dumpStackTrace();
            setSize(fragment, -size);
            return;
        }
        after = nextOf(before);
    }
    connect(before, fragment);
    connect(fragment, after);
    ++m_freeCount;
    m_heapUsed -= size;

    char* prev = prevOf(fragment);
    if (prev != nullptr && mergeWithNext(prev)) {
        fragment = prev;
    }
    mergeWithNext(fragment);
}

bool VirtualMemoryManager::mergeWithNext(char* fragment) {
    char* next = nextOf(fragment);
    if (next == nullptr || fragment + sizeOf(fragment) != next) {
        return false;
    }
    setSize(fragment, sizeOf(fragment) + sizeOf(next));
    unlink(next);
    markFragmentStart(next, false);
    --m_fragmentCount;
    --m_freeCount;
    return true;
}

bool VirtualMemoryManager::isMovable(const char* fragment) const {
    // Only a buffer whose registered owner still holds its address can be moved: anything
    // else may be referenced by a raw pointer that compaction could not rewrite.
    if (!m_relocatable || sizeOf(fragment) >= 0) {
        return false;
    }
    void** owner = ownerOf(fragment);
    return owner != nullptr && *owner == fragment + m_headerSize;
}

bool VirtualMemoryManager::runIsMovable(const char* start, const char* stop) const {
    for (const char* fragment = start; fragment < stop; fragment += extentOf(fragment)) {
        if (!isMovable(fragment)) {
            return false;
        }
    }
    return true;
}

char* VirtualMemoryManager::compactByFillingHole(const jint need) {
    for (jint pass = 0; pass < kMaxCompactionPasses; ++pass) {
        jint bestScore = -m_heapSize;
        char* hole = nullptr;
        char* destination = nullptr;
        for (char* fragment = m_head; fragment != nullptr && nextOf(fragment) != nullptr;
             fragment = nextOf(fragment)) {
            char* next = nextOf(fragment);
            const char* runStart = fragment + sizeOf(fragment);
            const auto gap = static_cast<jint>(next - runStart);
            const jint score = sizeOf(fragment) + sizeOf(next) - gap;
            if (score <= bestScore || !runIsMovable(runStart, next)) {
                continue;
            }
            char* target = bestFit(gap, fragment, next);
            if (target != nullptr) {
                bestScore = score;
                hole = fragment;
                destination = target;
            }
        }
        if (hole == nullptr) {
            return nullptr;
        }
        char* runStart = hole + sizeOf(hole);
        if (!move(runStart, destination, static_cast<jint>(nextOf(hole) - runStart))) {
            return nullptr;
        }
        // The freed run merged into hole, and so did the free fragment after it.
        if (sizeOf(hole) >= need) {
            return hole;
        }
    }
    return nullptr;
}

char* VirtualMemoryManager::compactBySliding(const jint need) {
    for (jint pass = 0; pass < kMaxCompactionPasses; ++pass) {
        char* largest = m_head;
        for (char* fragment = largest != nullptr ? nextOf(largest) : nullptr;
             fragment != nullptr && end() - fragment > need; fragment = nextOf(fragment)) {
            if (sizeOf(fragment) > sizeOf(largest)) {
                largest = fragment;
            }
        }
        if (largest == nullptr) {
            return nullptr;
        }
        bool moved = false;
        for (char* follower = largest + sizeOf(largest); follower < end();
             follower = largest + sizeOf(largest)) {
            if (!isMovable(follower)) {
                break;
            }
            const jint size = extentOf(follower);
            char* target = bestFit(size, largest, nullptr);
            if (target == nullptr || !move(follower, target, size)) {
                break;
            }
            moved = true;
            if (sizeOf(largest) >= need) {
                return largest;
            }
        }
        // Nothing moved: every later pass would make the same choice.
        if (!moved) {
            return nullptr;
        }
    }
    return nullptr;
}

bool VirtualMemoryManager::move(char* source, char* destination, const jint size) {
    if (sizeOf(destination) < size) {
        log("move dst size");
        dumpStackTrace();
        return false;
    }
    const jint taken = take(destination, size);
    std::memcpy(destination, source, static_cast<std::size_t>(size));
    // The fragment count stays: the copied fragments replace the one taken, and the source run
    // becomes one fragment.
    char* last = destination;
    for (char* fragment = destination; fragment < destination + size; fragment += extentOf(fragment)) {
        markFragmentStart(fragment, true);
        if (void** owner = ownerOf(fragment)) {
            *owner = fragment + m_headerSize;
        }
        last = fragment;
    }
    // The copy fills exactly what was taken.
    setSize(last, sizeOf(last) - (taken - size));
    // The source run becomes one used fragment, which is then freed.
    for (char* fragment = source + extentOf(source); fragment < source + size;
         fragment += extentOf(fragment)) {
        markFragmentStart(fragment, false);
    }
    setSize(source, -size);
    setOwner(source, nullptr);
    release(source);
    return true;
}

void VirtualMemoryManager::logAllocationFailure(const jlong need) const {
    log("totalFragmentSizeNeeded=%d m_heapUsed=%d m_heapSize=%d", static_cast<jint>(need), m_heapUsed,
        m_heapSize);
    log("Malloc failed");
    dumpStackTrace();
}

bool VirtualMemoryManager::isFragmentStart(const char* fragment) const {
    const auto unit = static_cast<std::size_t>(fragment - m_base) / kAlignment;
    return (m_starts[unit / kBitsPerWord] >> (unit % kBitsPerWord) & 1) != 0;
}

void VirtualMemoryManager::markFragmentStart(const char* fragment, const bool start) {
    const auto unit = static_cast<std::size_t>(fragment - m_base) / kAlignment;
    const std::uint64_t bit = std::uint64_t{1} << (unit % kBitsPerWord);
    m_starts[unit / kBitsPerWord] =
        start ? m_starts[unit / kBitsPerWord] | bit : m_starts[unit / kBitsPerWord] & ~bit;
}

char* VirtualMemoryManager::usedFragmentOf(const void* pointer) const {
    const auto* data = static_cast<const char*>(pointer);
    if (data < m_base + m_headerSize || data >= end() || (data - m_base) % kAlignment != 0) {
        return nullptr;
    }
    char* fragment = m_base + (data - m_base) - m_headerSize;
    return isFragmentStart(fragment) && sizeOf(fragment) < 0 ? fragment : nullptr;
}

std::vector<VirtualMemoryManager::FragmentInfo> VirtualMemoryManager::fragments() const {
    std::vector<FragmentInfo> list;
    for (const char* fragment = m_base; m_base != nullptr && fragment < end();
         fragment += extentOf(fragment)) {
        const bool used = sizeOf(fragment) < 0;
        list.push_back({static_cast<jint>(fragment - m_base), extentOf(fragment), used,
                        used && m_relocatable ? ownerOf(fragment) : nullptr});
        if (extentOf(fragment) == 0) {
            break;
        }
    }
    return list;
}

bool VirtualMemoryManager::checkInvariants() const {
    if (m_base == nullptr) {
        return true;
    }
    const auto broken = [](const char* what, const jint offset) {
        log("VirtualMemoryManager invariant broken: %s at %d", what, offset);
        return false;
    };
    // The fragments tile the region.
    jint fragments = 0;
    jint freeFragments = 0;
    jint usedBytes = 0;
    bool previousFree = false;
    const char* fragment = m_base;
    for (; fragment < end(); fragment += extentOf(fragment)) {
        const auto offset = static_cast<jint>(fragment - m_base);
        const jint size = extentOf(fragment);
        if (size < kMinFragmentSize || size % kAlignment != 0 || size > end() - fragment) {
            return broken("fragment size", offset);
        }
        if (!isFragmentStart(fragment)) {
            return broken("fragment start not marked", offset);
        }
        const bool isFree = sizeOf(fragment) > 0;
        if (isFree && previousFree) {
            return broken("adjacent free fragments", offset);
        }
        previousFree = isFree;
        ++fragments;
        freeFragments += isFree ? 1 : 0;
        usedBytes += isFree ? 0 : size;
    }
    jint marked = 0;
    const jint words = (m_heapSize / kAlignment + kBitsPerWord - 1) / kBitsPerWord;
    for (jint i = 0; i < words; ++i) {
        marked += __builtin_popcountll(m_starts[i]);
    }
    if (marked != fragments) {
        return broken("stray fragment start marks", 0);
    }
    // The free list holds the free fragments in ascending order with consistent links.
    jint listed = 0;
    const char* previous = nullptr;
    for (const char* entry = m_head; entry != nullptr; entry = nextOf(entry)) {
        const auto offset = static_cast<jint>(entry - m_base);
        if (!contains(entry) || (entry - m_base) % kAlignment != 0 || !isFragmentStart(entry)) {
            return broken("free list entry outside the tiling", offset);
        }
        if (sizeOf(entry) <= 0) {
            return broken("used fragment in the free list", offset);
        }
        if (prevOf(entry) != previous || (previous != nullptr && entry <= previous)) {
            return broken("free list order or links", offset);
        }
        if (++listed > freeFragments) {
            return broken("free list longer than the free fragments", offset);
        }
        previous = entry;
    }
    if (m_tail != previous) {
        return broken("free list tail", 0);
    }
    if (listed != freeFragments || m_freeCount != freeFragments) {
        return broken("free fragment count", listed);
    }
    if (m_fragmentCount != fragments) {
        return broken("fragment count", fragments);
    }
    if (m_heapUsed != usedBytes || m_peakUsed < m_heapUsed) {
        return broken("used bytes", usedBytes);
    }
    return true;
}

} // namespace runtime
