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

// Stale index entries are tolerated up to twice the free fragments plus this many.
constexpr std::size_t kStaleEntrySlack = 64;

// Header layout: the size word, then (used fragments of the relocatable heap) the owner slot.
// The words are read and written through memcpy because one place holds different types over
// time.
constexpr std::size_t kSizeOffset = 0;
constexpr std::size_t kOwnerOffset = 8;
constexpr std::uint32_t kNone = FragmentBitmap::kNone;
constexpr std::size_t kCacheLineWords = 8;

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

std::uint32_t unitsOf(const jint bytes) {
    return static_cast<std::uint32_t>(bytes / VirtualMemoryManager::kAlignment);
}

} // namespace

bool VirtualMemoryManager::init(const jint size, const bool relocatable) {
    destroy();
    const jint rounded = size / kAlignment * kAlignment;
    if (rounded < kMinFragmentSize) {
        log("VirtualMemoryManager size %d", size);
        return false;
    }
    m_base = static_cast<char*>(std::malloc(static_cast<std::size_t>(rounded)));
    if (m_base == nullptr) {
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
    m_pendingCount = 0;
    m_bulkDepth = 0;
    clearSplit();
    m_splitBound = 0;
    m_lastCut = nullptr;
    const std::uint32_t units = unitsOf(rounded);
    // The three bitmaps interleaved, each group of words on one cache line.
    const std::size_t words = std::size_t{FragmentBitmap::wordsFor(units)} * FragmentBitmap::kStride;
    m_bitmapWords.assign(words + kCacheLineWords, 0);
    std::uint64_t* shared = m_bitmapWords.data();
    while (reinterpret_cast<std::uintptr_t>(shared) % (kCacheLineWords * sizeof(std::uint64_t)) != 0) {
        ++shared;
    }
    m_starts.reset(units, shared);
    m_freeStarts.reset(units, shared + 1);
    m_pending.reset(units, shared + 2);
    m_index.reset();
    setSize(m_base, m_heapSize);
    m_starts.set(0);
    m_freeStarts.set(0);
    addFree(m_base, m_heapSize);
    return true;
}

void VirtualMemoryManager::destroy() {
    std::free(m_base);
    m_base = nullptr;
    m_heapSize = 0;
    m_fragmentCount = 0;
    m_freeCount = 0;
    m_heapUsed = 0;
    m_pendingCount = 0;
    m_bulkDepth = 0;
    clearSplit();
    m_lastCut = nullptr;
    m_starts.clear();
    m_freeStarts.clear();
    m_pending.clear();
    m_bitmapWords = {};
    m_index.clear();
}

void VirtualMemoryManager::setCollectHook(CollectHook hook) {
    m_collectHook = std::move(hook);
}

const void* VirtualMemoryManager::head() const {
    if (m_base == nullptr) {
        return nullptr;
    }
    materializeCuts();
    // A fragment of a pending bulk free already counts as free.
    const std::uint32_t unit = std::min(m_freeStarts.next(0), m_pending.next(0));
    return unit == kNone ? nullptr : fragmentAt(unit);
}

jlong VirtualMemoryManager::fragmentSizeFor(const jint n) const {
    if (n < 0 || n > m_heapSize) {
        return -1;
    }
    const jlong rounded = (static_cast<jlong>(n) + kAlignment - 1) / kAlignment * kAlignment;
    return std::max<jlong>(rounded + m_headerSize, kMinFragmentSize);
}

void* VirtualMemoryManager::allocateSlowly(const jint n) {
    const jlong need = fragmentSizeFor(n);
    if (m_base == nullptr || need < 0 || need > m_heapSize) {
        logAllocationFailure(need < 0 ? n : need);
        return nullptr;
    }
    // Stress mode collects first and compacts whenever compaction could run, so tests meet
    // collections and moved buffers at every allocation.
    const bool stress = gcStress();
    materializeCuts();
    // A release slot that allocates in the middle of a sweep sees every free made so far.
    applyPendingFrees();
    char* fragment = nullptr;
    if (stress) {
        collect();
        if (m_relocatable) {
            slideEverything();
        }
        fragment = bestFit(need, nullptr, nullptr);
        if (fragment == nullptr) {
            // A slide cannot carry buffers past a pinned one; the compaction strategies can.
            fragment = compact(static_cast<jint>(need));
        }
    } else {
        fragment = bestFit(need, nullptr, nullptr);
        if (fragment == nullptr) {
            collect();
            fragment = bestFit(need, nullptr, nullptr);
        }
        if (fragment == nullptr) {
            fragment = compact(static_cast<jint>(need));
        }
    }
    if (fragment == nullptr) {
        logAllocationFailure(need);
        return nullptr;
    }
    if (fragment == m_split) {
        // Found the long way: the bound it is tried against may have been too cautious.
        m_splitBound = splitBound();
    }
    take(fragment, static_cast<jint>(need));
    m_lastCut = fragment;
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
    applyPendingFrees();
    // Compaction only moves buffers and cannot help when the free bytes do not add up to need.
    if (!m_relocatable || static_cast<jlong>(m_heapUsed) + need >= m_heapSize) {
        return nullptr;
    }
    ++m_compactions;
    char* fragment = compactByFillingHole(need);
    return fragment != nullptr ? fragment : compactBySliding(need);
}

jint VirtualMemoryManager::freeInside(void* pointer) {
    materializeCuts();
    m_lastCut = nullptr;
    char* fragment = usedFragmentOf(pointer);
    if (fragment == nullptr) {
        // A double free or an interior pointer: changing the heap would corrupt it.
        log("VirtualMemoryManager free: not an allocated fragment");
        dumpStackTrace();
        return 1;
    }
    if (m_bulkDepth > 0) {
        deferRelease(fragment);
    } else {
        release(fragment);
    }
    return 1;
}

void VirtualMemoryManager::beginBulkFree() {
    ++m_bulkDepth;
}

void VirtualMemoryManager::endBulkFree() {
    if (m_bulkDepth > 0 && --m_bulkDepth == 0) {
        applyPendingFrees();
    }
}

void VirtualMemoryManager::setOwnerChecked(void* pointer, void** ownerSlot) {
    materializeCuts();
    char* fragment = m_relocatable && contains(pointer) ? usedFragmentOf(pointer) : nullptr;
    if (fragment == nullptr) {
        log("setFragmentRelocPointer");
        dumpStackTrace();
        return;
    }
    setOwner(fragment, ownerSlot);
}

char* VirtualMemoryManager::bestFit(const jlong need, const char* skip1, const char* skip2) {
    applyPendingFrees();
    const auto isCurrent = [this](const FreeFragmentIndex::Entry& entry) { return isIndexed(entry); };
    char* best = nullptr;
    FreeFragmentIndex::Entry found;
    // Skipped fragments are taken out of the index while the search goes on, then put back.
    std::vector<FreeFragmentIndex::Entry> skipped;
    while (m_index.smallest(static_cast<std::uint32_t>(need / kAlignment), isCurrent, found)) {
        char* fragment = fragmentAt(found.offset);
        if (fragment != skip1 && fragment != skip2) {
            best = fragment;
            break;
        }
        m_index.remove(found);
        skipped.push_back(found);
    }
    for (const FreeFragmentIndex::Entry& entry : skipped) {
        m_index.add(entry);
    }
    if (m_split != nullptr && m_split != skip1 && m_split != skip2 && m_splitSize >= need &&
        fitsBetter(m_split, best)) {
        best = m_split;
    }
    return best;
}

bool VirtualMemoryManager::fitsBetter(const char* fragment, const char* than) const {
    return than == nullptr || sizeAt(fragment) < sizeAt(than) ||
           (sizeAt(fragment) == sizeAt(than) && fragment < than);
}

bool VirtualMemoryManager::isIndexed(const FreeFragmentIndex::Entry& entry) const {
    const char* fragment = fragmentAt(entry.offset);
    return fragment != m_split && m_freeStarts.test(entry.offset) &&
           sizeOf(fragment) == static_cast<jint>(entry.size) * kAlignment;
}

char* VirtualMemoryManager::splitOff(char* fragment, const jint need) {
    char* rest = fragment + need;
    m_starts.set(unitOf(rest));
    m_freeStarts.move(unitOf(fragment), unitOf(rest));
    ++m_fragmentCount;
    markUsed(fragment, need);
    return rest;
}

void VirtualMemoryManager::markUsed(char* fragment, const jint size) {
    setSize(fragment, -size);
    if (m_relocatable) {
        setOwner(fragment, nullptr);
    }
    m_heapUsed += size;
    m_peakUsed = std::max(m_peakUsed, m_heapUsed);
}

jint VirtualMemoryManager::take(char* fragment, const jint need) {
    const bool split = fragment == m_split;
    const jint size = split ? m_splitSize : sizeOf(fragment);
    if (!split) {
        m_index.remove({unitsOf(size), unitOf(fragment)});
    }
    if (size - need <= m_headerSize + kTakeWholeSlack) {
        m_freeStarts.unset(unitOf(fragment));
        --m_freeCount;
        if (split) {
            clearSplit();
        }
        markUsed(fragment, size);
        return size;
    }
    // The remainder is the split fragment, whose size the heap holds: its header is written only
    // when it stops being the split one, so cutting a run of requests from it touches no memory
    // but theirs.
    char* rest = splitOff(fragment, need);
    if (split) {
        // Nothing entered the index ahead of it: its bound still holds.
        setSplit(rest, size - need);
    } else {
        keepSplit(rest, size - need);
    }
    return need;
}

void VirtualMemoryManager::keepSplit(char* fragment, const jint size) {
    if (m_split != nullptr) {
        char* previous = m_split;
        const jint previousSize = m_splitSize;
        clearSplit();
        setSize(previous, previousSize);
        addFree(previous, previousSize);
    }
    setSplit(fragment, size);
    m_splitBound = splitBound();
}

jint VirtualMemoryManager::splitBound() const {
    const auto units = m_index.largestSizeBefore({unitsOf(m_splitSize), unitOf(m_split)});
    return static_cast<jint>(units) * kAlignment;
}

void VirtualMemoryManager::addFree(const char* fragment, const jint size) {
    if (m_split != nullptr && size <= m_splitSize) {
        m_splitBound = std::max(m_splitBound, size);
    }
    m_index.add({unitsOf(size), unitOf(fragment)});
}

bool VirtualMemoryManager::forgetFree(const char* fragment, const jint size) {
    if (fragment == m_split) {
        clearSplit();
        return true;
    }
    m_index.remove({unitsOf(size), unitOf(fragment)});
    return false;
}

void VirtualMemoryManager::settleFree(char* fragment, const jint size, const bool wasSplit) {
    if (wasSplit) {
        // Merged with the split fragment: requests go on being cut from the merged one.
        setSplit(fragment, size);
        m_splitBound = splitBound();
        return;
    }
    setSize(fragment, size);
    addFree(fragment, size);
}

void VirtualMemoryManager::release(char* fragment) {
    m_lastCut = nullptr;
    const std::uint32_t unit = unitOf(fragment);
    const jint size = extentFromStarts(unit);
    if (gcStress()) {
        poison(fragment + m_headerSize, fragment + size);
    }
    m_heapUsed -= size;
    ++m_freeCount;
    char* start = fragment;
    char* stop = fragment + size;
    bool mergedSplit = false;
    // The neighbours come from the bitmaps: no header is read.
    if (unit > 0) {
        const std::uint32_t before = m_starts.previous(unit - 1);
        if (m_freeStarts.test(before)) {
            start = fragmentAt(before);
            mergedSplit = forgetFree(start, static_cast<jint>(fragment - start));
            m_starts.unset(unit);
            --m_fragmentCount;
            --m_freeCount;
        }
    }
    if (stop < end() && m_freeStarts.test(unitOf(stop))) {
        char* afterStop = stop + extentFromStarts(unitOf(stop));
        mergedSplit = forgetFree(stop, static_cast<jint>(afterStop - stop)) || mergedSplit;
        m_freeStarts.unset(unitOf(stop));
        m_starts.unset(unitOf(stop));
        stop = afterStop;
        --m_fragmentCount;
        --m_freeCount;
    }
    m_freeStarts.set(unitOf(start));
    settleFree(start, static_cast<jint>(stop - start), mergedSplit);
    pruneIndex();
}

void VirtualMemoryManager::deferRelease(char* fragment) {
    // Only a bit changes: the fragment's memory is not touched until its run is merged (but for
    // stress mode's poison over its data).
    const std::uint32_t unit = unitOf(fragment);
    if (gcStress()) {
        poison(fragment + m_headerSize, fragment + extentFromStarts(unit));
    }
    m_pending.set(unit);
    ++m_pendingCount;
}

std::uint32_t VirtualMemoryManager::nextUsedStart(const std::uint32_t unit) const {
    const std::uint32_t units = m_starts.units();
    if (unit >= units) {
        return units;
    }
    constexpr std::uint32_t kBits = FragmentBitmap::kWordBits;
    std::uint32_t index = unit / kBits;
    std::uint64_t word = (m_starts.word(index) & ~m_freeStarts.word(index) & ~m_pending.word(index)) &
                         (~std::uint64_t{0} << (unit % kBits));
    const std::uint32_t words = (units + kBits - 1) / kBits;
    while (word == 0) {
        // Words without a fragment start (inside a large free fragment) are skipped.
        index = m_starts.nextWord(index + 1);
        if (index == kNone || index >= words) {
            return units;
        }
        word = m_starts.word(index) & ~m_freeStarts.word(index) & ~m_pending.word(index);
    }
    return index * kBits + static_cast<std::uint32_t>(__builtin_ctzll(word));
}

void VirtualMemoryManager::applyPendingFrees() {
    if (m_pendingCount == 0) {
        return;
    }
    materializeCuts();
    // Each run of pending and free fragments becomes one free fragment: every fragment of a run
    // but one goes, and its free fragments are one.
    // The bytes a run frees are its size less those of the free fragments it takes in.
    jint runs = 0;
    jint freeInRuns = 0;
    for (std::uint32_t unit = m_pending.next(0); unit != kNone; unit = m_pending.next(unit)) {
        char* first = fragmentAt(unit);
        char* start = first;
        bool mergedSplit = false;
        jint freeBytes = 0;
        ++runs;
        if (unit > 0) {
            const std::uint32_t before = m_starts.previous(unit - 1);
            if (m_freeStarts.test(before)) {
                start = fragmentAt(before);
                freeBytes += static_cast<jint>(first - start);
                mergedSplit = forgetFree(start, static_cast<jint>(first - start));
                ++freeInRuns;
            }
        }
        const std::uint32_t stopUnit = nextUsedStart(unit + 1);
        // Free fragments inside the run leave the index.
        for (std::uint32_t inner = m_freeStarts.next(unit + 1); inner < stopUnit;
             inner = m_freeStarts.next(inner + 1)) {
            const jint size = extentFromStarts(inner);
            freeBytes += size;
            mergedSplit = forgetFree(fragmentAt(inner), size) || mergedSplit;
            ++freeInRuns;
        }
        m_freeStarts.unsetRange(unit + 1, stopUnit);
        m_pending.unsetRange(unit, stopUnit);
        m_starts.unsetRange(unit + 1, stopUnit);
        if (start != first) {
            m_starts.unset(unit);
        } else {
            m_freeStarts.set(unit);
        }
        const auto size = static_cast<jint>(fragmentAt(stopUnit) - start);
        m_heapUsed -= size - freeBytes;
        settleFree(start, size, mergedSplit);
        unit = stopUnit;
    }
    m_fragmentCount -= m_pendingCount + freeInRuns - runs;
    m_freeCount += runs - freeInRuns;
    m_pendingCount = 0;
    pruneIndex();
}

void VirtualMemoryManager::pruneIndex() {
    if (m_index.smallEntryCount() <= 2 * static_cast<std::size_t>(m_freeCount) + kStaleEntrySlack) {
        return;
    }
    m_index.dropSmallEntries();
    for (std::uint32_t unit = m_freeStarts.next(0); unit != kNone; unit = m_freeStarts.next(unit + 1)) {
        const char* fragment = fragmentAt(unit);
        if (fragment == m_split) {
            continue;
        }
        const std::uint32_t size = unitsOf(sizeOf(fragment));
        if (size < FreeFragmentIndex::kSmallSizes) {
            m_index.add({size, unit});
        }
    }
    if (m_split != nullptr) {
        m_splitBound = splitBound();
    }
}

void VirtualMemoryManager::setSplit(char* fragment, const jint size) {
    m_split = fragment;
    m_splitSize = size;
    m_cutFrom = fragment;
}

void VirtualMemoryManager::clearSplit() {
    m_split = nullptr;
    m_splitSize = 0;
    m_cutFrom = nullptr;
}

void VirtualMemoryManager::materializeCuts() const {
    if (m_cutFrom == m_split) {
        return;
    }
    // The fragments cut since are used ones, one after another from m_cutFrom, whose start
    // bit is set already. Their bits are set a word at a time.
    std::uint32_t word = unitOf(m_cutFrom) / FragmentBitmap::kWordBits;
    std::uint64_t mask = 0;
    for (const char* fragment = m_cutFrom - sizeOf(m_cutFrom); fragment < m_split;
         fragment -= sizeOf(fragment)) {
        const std::uint32_t unit = unitOf(fragment);
        if (unit / FragmentBitmap::kWordBits != word) {
            m_starts.setBits(word, mask);
            word = unit / FragmentBitmap::kWordBits;
            mask = 0;
        }
        mask |= std::uint64_t{1} << (unit % FragmentBitmap::kWordBits);
    }
    m_starts.setBits(word, mask);
    m_freeStarts.move(unitOf(m_cutFrom), unitOf(m_split));
    m_starts.set(unitOf(m_split));
    m_cutFrom = m_split;
}

jint VirtualMemoryManager::sizeAt(const char* fragment) const {
    return fragment == m_split ? m_splitSize : sizeOf(fragment);
}

jint VirtualMemoryManager::extentAt(const char* fragment) const {
    const jint size = sizeAt(fragment);
    return size < 0 ? -size : size;
}

jint VirtualMemoryManager::extentFromStarts(const std::uint32_t unit) const {
    const std::uint32_t next = m_starts.next(unit + 1);
    return static_cast<jint>((next == kNone ? m_starts.units() : next) - unit) * kAlignment;
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

char* VirtualMemoryManager::freeFragmentFrom(const char* fragment) const {
    const std::uint32_t unit = m_freeStarts.next(fragment == nullptr ? 0 : unitOf(fragment));
    return unit == kNone ? nullptr : fragmentAt(unit);
}

char* VirtualMemoryManager::compactByFillingHole(const jint need) {
    for (jint pass = 0; pass < kMaxCompactionPasses; ++pass) {
        jint bestScore = -m_heapSize;
        char* hole = nullptr;
        char* destination = nullptr;
        char* holeEnd = nullptr;
        for (char* fragment = freeFragmentFrom(nullptr); fragment != nullptr;) {
            char* next = freeFragmentFrom(fragment + kAlignment);
            if (next == nullptr) {
                break;
            }
            const char* runStart = fragment + sizeAt(fragment);
            const auto gap = static_cast<jint>(next - runStart);
            const jint score = sizeAt(fragment) + sizeAt(next) - gap;
            if (score > bestScore && runIsMovable(runStart, next)) {
                if (char* target = bestFit(gap, fragment, next)) {
                    bestScore = score;
                    hole = fragment;
                    holeEnd = next;
                    destination = target;
                }
            }
            fragment = next;
        }
        if (hole == nullptr) {
            return nullptr;
        }
        char* runStart = hole + sizeAt(hole);
        if (!move(runStart, destination, static_cast<jint>(holeEnd - runStart))) {
            return nullptr;
        }
        // The freed run merged into hole, and so did the free fragment after it.
        if (sizeAt(hole) >= need) {
            return hole;
        }
    }
    return nullptr;
}

char* VirtualMemoryManager::compactBySliding(const jint need) {
    for (jint pass = 0; pass < kMaxCompactionPasses; ++pass) {
        char* largest = freeFragmentFrom(nullptr);
        for (char* fragment = largest != nullptr ? freeFragmentFrom(largest + kAlignment) : nullptr;
             fragment != nullptr && end() - fragment > need;
             fragment = freeFragmentFrom(fragment + kAlignment)) {
            if (sizeAt(fragment) > sizeAt(largest)) {
                largest = fragment;
            }
        }
        if (largest == nullptr) {
            return nullptr;
        }
        bool moved = false;
        for (char* follower = largest + sizeAt(largest); follower < end();
             follower = largest + sizeAt(largest)) {
            if (!isMovable(follower)) {
                break;
            }
            const jint size = extentOf(follower);
            char* target = bestFit(size, largest, nullptr);
            if (target == nullptr || !move(follower, target, size)) {
                break;
            }
            moved = true;
            if (sizeAt(largest) >= need) {
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

// Stress mode runs this at every allocation, Debug and sanitizer builds included, so the walk
// reads each header once and calls as little as it can.
void VirtualMemoryManager::slideEverything() {
    applyPendingFrees();
    materializeCuts();
    m_lastCut = nullptr;
    ++m_compactions;
    const bool upwards = m_slideUpwards;
    m_slideUpwards = !m_slideUpwards;
    char* const stop = m_base + m_heapSize;
    char* start = m_base;
    bool hasFree = false;
    // Room for every fragment, so the walk stores without growing the list.
    if (m_slideRuns.size() < static_cast<std::size_t>(m_fragmentCount)) {
        m_slideRuns.resize(static_cast<std::size_t>(m_fragmentCount));
    }
    char** const runs = m_slideRuns.data();
    m_slideCount = 0;
    m_slideBytes = 0;
    // Stretches of free and movable fragments, each ended by a pinned one (or the heap's end).
    // Free fragments leave the index (and the split one stops being split) as they are passed.
    for (char* fragment = m_base; fragment < stop;) {
        jint size = m_splitSize;
        if (fragment != m_split) {
            std::memcpy(&size, fragment + kSizeOffset, sizeof size);
        }
        if (size > 0) {
            forgetFree(fragment, size);
            --m_freeCount;
            --m_fragmentCount;
            hasFree = true;
            fragment += size;
            continue;
        }
        size = -size;
        void** owner = nullptr;
        std::memcpy(&owner, fragment + kOwnerOffset, sizeof owner);
        if (owner != nullptr && *owner == fragment + m_headerSize) {
            runs[m_slideCount++] = fragment;
            m_slideBytes += size;
            fragment += size;
            continue;
        }
        if (hasFree) {
            slideStretch(start, fragment, upwards);
        }
        m_slideCount = 0;
        m_slideBytes = 0;
        hasFree = false;
        fragment += size;
        start = fragment;
    }
    if (hasFree) {
        slideStretch(start, stop, upwards);
    }
    pruneIndex();
}

void VirtualMemoryManager::slideStretch(char* start, char* stop, const bool upwards) {
    m_starts.unsetRange(unitOf(start), unitOf(stop));
    m_freeStarts.unsetRange(unitOf(start), unitOf(stop));
    // Where the free bytes end up, known before anything moves, so each buffer's vacated bytes
    // there are poisoned as it goes. They never touch a buffer not yet moved (its bytes are its
    // own) nor a new place (those lie outside the free bytes).
    const jint freeBytes = static_cast<jint>(stop - start) - m_slideBytes;
    char* const freeStart = upwards ? start : stop - freeBytes;
    char* const freeStop = freeStart + freeBytes;
    char* const poisonFrom = freeStart + kAlignment;
    char* const* const runs = m_slideRuns.data();
    const std::size_t count = m_slideCount;
    // Downwards each buffer lands at or below where it was, upwards at or above, so walking in
    // that order never writes over a buffer not yet moved. The new starts are marked a bitmap
    // word at a time.
    char* cursor = upwards ? stop : start;
    std::uint32_t word = 0;
    std::uint64_t mask = 0;
    for (std::size_t n = 0; n < count; ++n) {
        char* const fragment = runs[upwards ? count - 1 - n : n];
        jint size = 0;
        std::memcpy(&size, fragment + kSizeOffset, sizeof size);
        size = -size;
        char* const destination = upwards ? cursor - size : cursor;
        cursor = upwards ? destination : cursor + size;
        if (destination != fragment) {
            std::memmove(destination, fragment, static_cast<std::size_t>(size));
            void** owner = nullptr;
            std::memcpy(&owner, destination + kOwnerOffset, sizeof owner);
            *owner = destination + m_headerSize;
            char* const from = fragment > poisonFrom ? fragment : poisonFrom;
            char* const to = fragment + size < freeStop ? fragment + size : freeStop;
            if (from < to) {
                std::memset(from, kPoison, static_cast<std::size_t>(to - from));
            }
        }
        const auto unit =
            static_cast<std::uint32_t>(static_cast<std::size_t>(destination - m_base) / kAlignment);
        if (unit / FragmentBitmap::kWordBits != word) {
            if (mask != 0) {
                m_starts.setBits(word, mask);
            }
            word = unit / FragmentBitmap::kWordBits;
            mask = 0;
        }
        mask |= std::uint64_t{1} << (unit % FragmentBitmap::kWordBits);
    }
    if (mask != 0) {
        m_starts.setBits(word, mask);
    }
    setSize(freeStart, freeBytes);
    m_starts.set(unitOf(freeStart));
    m_freeStarts.set(unitOf(freeStart));
    ++m_fragmentCount;
    ++m_freeCount;
    addFree(freeStart, freeBytes);
}

void VirtualMemoryManager::poison(char* from, const char* to) {
    if (from < to) {
        std::memset(from, kPoison, static_cast<std::size_t>(to - from));
    }
}

bool VirtualMemoryManager::move(char* source, char* destination, const jint size) {
    if (sizeAt(destination) < size) {
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
        m_starts.set(unitOf(fragment));
        if (void** owner = ownerOf(fragment)) {
            *owner = fragment + m_headerSize;
        }
        last = fragment;
    }
    // The copy fills exactly what was taken.
    setSize(last, sizeOf(last) - (taken - size));
    // The source run becomes one used fragment, which is then freed.
    m_starts.unsetRange(unitOf(source) + 1, unitOf(source + size));
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

char* VirtualMemoryManager::usedFragmentOf(const void* pointer) const {
    const auto* data = static_cast<const char*>(pointer);
    if (data < m_base + m_headerSize || data >= end() || (data - m_base) % kAlignment != 0) {
        return nullptr;
    }
    char* fragment = m_base + (data - m_base) - m_headerSize;
    const std::uint32_t unit = unitOf(fragment);
    return m_starts.test(unit) && !m_freeStarts.test(unit) && !m_pending.test(unit) ? fragment : nullptr;
}

std::vector<VirtualMemoryManager::FragmentInfo> VirtualMemoryManager::fragments() const {
    std::vector<FragmentInfo> list;
    for (const char* fragment = m_base; m_base != nullptr && fragment < end();
         fragment += extentAt(fragment)) {
        const bool used = sizeAt(fragment) < 0;
        list.push_back({static_cast<jint>(fragment - m_base), extentAt(fragment), used,
                        used && m_relocatable ? ownerOf(fragment) : nullptr});
        if (extentAt(fragment) == 0) {
            break;
        }
    }
    return list;
}

bool VirtualMemoryManager::checkInvariants() const {
    if (m_base == nullptr) {
        return true;
    }
    materializeCuts();
    const auto broken = [](const char* what, const jint offset) {
        log("VirtualMemoryManager invariant broken: %s at %d", what, offset);
        return false;
    };
    if (m_pendingCount != 0 || m_pending.next(0) != kNone) {
        return broken("bulk frees not applied", 0);
    }
    // The fragments tile the region, and the bitmaps mark their starts.
    jint fragments = 0;
    jint freeFragments = 0;
    jint usedBytes = 0;
    bool previousFree = false;
    std::vector<FreeFragmentIndex::Entry> freeList;
    for (const char* fragment = m_base; fragment < end(); fragment += extentAt(fragment)) {
        const auto offset = static_cast<jint>(fragment - m_base);
        const jint size = extentAt(fragment);
        if (size < kMinFragmentSize || size % kAlignment != 0 || size > end() - fragment) {
            return broken("fragment size", offset);
        }
        if (!m_starts.test(unitOf(fragment))) {
            return broken("fragment start not marked", offset);
        }
        const bool isFree = sizeAt(fragment) > 0;
        if (isFree != m_freeStarts.test(unitOf(fragment))) {
            return broken("free fragment start marked wrongly", offset);
        }
        if (isFree && previousFree) {
            return broken("adjacent free fragments", offset);
        }
        previousFree = isFree;
        ++fragments;
        if (isFree) {
            ++freeFragments;
            freeList.push_back({unitsOf(size), unitOf(fragment)});
        } else {
            usedBytes += size;
        }
    }
    const std::uint32_t units = m_starts.units();
    if (m_starts.count(0, units) != static_cast<std::uint32_t>(fragments) ||
        m_freeStarts.count(0, units) != static_cast<std::uint32_t>(freeFragments)) {
        return broken("stray fragment start marks", 0);
    }
    if (!m_starts.summariesHold() || !m_freeStarts.summariesHold() || !m_pending.summariesHold()) {
        return broken("bitmap summaries", 0);
    }
    if (m_freeCount != freeFragments) {
        return broken("free fragment count", freeFragments);
    }
    if (m_fragmentCount != fragments) {
        return broken("fragment count", fragments);
    }
    if (m_heapUsed != usedBytes || m_peakUsed < m_heapUsed) {
        return broken("used bytes", usedBytes);
    }
    // The index finds every free fragment but the split one, which no indexed fragment that
    // fits better can be larger than its bound.
    if (!m_index.isConsistent()) {
        return broken("index structure", 0);
    }
    if (m_split != nullptr && (!contains(m_split) || !m_freeStarts.test(unitOf(m_split)))) {
        return broken("split fragment is not free", static_cast<jint>(m_split - m_base));
    }
    std::vector<std::uint64_t> current;
    for (const FreeFragmentIndex::Entry& entry : m_index.entries()) {
        const bool large = entry.size >= FreeFragmentIndex::kSmallSizes;
        if (entry.offset >= units || !isIndexed(entry)) {
            if (large) {
                return broken("stale large index entry", static_cast<jint>(entry.offset) * kAlignment);
            }
            continue;
        }
        current.push_back(FreeFragmentIndex::keyOf(entry));
    }
    std::sort(current.begin(), current.end());
    for (const FreeFragmentIndex::Entry& entry : freeList) {
        const char* fragment = fragmentAt(entry.offset);
        const bool indexed =
            std::binary_search(current.begin(), current.end(), FreeFragmentIndex::keyOf(entry));
        if (indexed == (fragment == m_split)) {
            return broken(indexed ? "split fragment indexed" : "free fragment not indexed",
                          static_cast<jint>(entry.offset) * kAlignment);
        }
        if (m_split != nullptr && indexed && fitsBetter(fragment, m_split) &&
            sizeAt(fragment) > m_splitBound) {
            return broken("split bound", static_cast<jint>(entry.offset) * kAlignment);
        }
    }
    return true;
}

} // namespace runtime
