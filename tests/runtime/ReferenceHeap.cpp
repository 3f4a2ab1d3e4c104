// The list-walking heap the differential test compares against (see ReferenceHeap.h).
#include "tests/runtime/ReferenceHeap.h"

#include <algorithm>
#include <cstring>

#include "runtime/Application.h"
#include "runtime/Collector.h"
#include "runtime/Log.h"

namespace runtime::reference {

namespace {

constexpr jint kAlignment = 8;
constexpr jint kMinimum = 24;
constexpr jint kSlack = 32;
constexpr jint kPasses = 20;
constexpr jint kCollectFlags = 9;
// Header words: size at 0; a free fragment's previous and next at 8 and 16; a used fragment's
// owner at 8.
constexpr std::size_t kSizeField = 0;
constexpr std::size_t kPrevField = 8;
constexpr std::size_t kNextField = 16;
constexpr std::size_t kOwnerField = 8;

} // namespace

ReferenceHeap::ReferenceHeap(const jint size, const bool relocatable)
    : m_memory(new std::uint64_t[static_cast<std::size_t>(size) / sizeof(std::uint64_t)]),
      m_base(reinterpret_cast<char*>(m_memory.get())), m_size(size / kAlignment * kAlignment),
      m_relocatable(relocatable), m_header(relocatable ? 16 : 8) {
    setSizeAt(0, m_size);
    setPrev(0, kNull);
    setNext(0, kNull);
    m_head = 0;
    m_tail = 0;
}

jint ReferenceHeap::sizeAt(const jint fragment) const {
    jint size = 0;
    std::memcpy(&size, m_base + fragment + kSizeField, sizeof size);
    return size;
}
void ReferenceHeap::setSizeAt(const jint fragment, const jint size) {
    std::memcpy(m_base + fragment + kSizeField, &size, sizeof size);
}
jint ReferenceHeap::prevOf(const jint fragment) const {
    jint prev = 0;
    std::memcpy(&prev, m_base + fragment + kPrevField, sizeof prev);
    return prev;
}
jint ReferenceHeap::nextOf(const jint fragment) const {
    jint next = 0;
    std::memcpy(&next, m_base + fragment + kNextField, sizeof next);
    return next;
}
void ReferenceHeap::setPrev(const jint fragment, const jint prev) {
    std::memcpy(m_base + fragment + kPrevField, &prev, sizeof prev);
}
void ReferenceHeap::setNext(const jint fragment, const jint next) {
    std::memcpy(m_base + fragment + kNextField, &next, sizeof next);
}
void** ReferenceHeap::ownerOf(const jint fragment) const {
    void** owner = nullptr;
    std::memcpy(&owner, m_base + fragment + kOwnerField, sizeof owner);
    return owner;
}
void ReferenceHeap::setOwner(const jint fragment, void** owner) {
    std::memcpy(m_base + fragment + kOwnerField, &owner, sizeof owner);
}

void ReferenceHeap::logFailure(const jint need) const {
    log("totalFragmentSizeNeeded=%d m_heapUsed=%d m_heapSize=%d", need, m_used, m_size);
    log("Malloc failed");
    dumpStackTrace();
}

void* ReferenceHeap::allocate(const jint n) {
    jlong need = -1;
    if (n >= 0 && n <= m_size) {
        need = std::max<jlong>((static_cast<jlong>(n) + kAlignment - 1) / kAlignment * kAlignment + m_header,
                               kMinimum);
    }
    if (need < 0 || need > m_size) {
        logFailure(need < 0 ? n : static_cast<jint>(need));
        return nullptr;
    }
    const auto size = static_cast<jint>(need);
    jint fragment = kNull;
    if (gcStress()) {
        collect();
        if (m_relocatable) {
            slideEverything();
        }
        fragment = bestFit(size, kNull, kNull);
        if (fragment == kNull) {
            fragment = compact(size);
        }
    } else {
        fragment = bestFit(size, kNull, kNull);
        if (fragment == kNull) {
            collect();
            fragment = bestFit(size, kNull, kNull);
        }
        if (fragment == kNull) {
            fragment = compact(size);
        }
    }
    if (fragment == kNull) {
        logFailure(size);
        return nullptr;
    }
    take(fragment, size);
    return m_base + fragment + m_header;
}

void ReferenceHeap::collect() {
    if (!m_collectHook || m_collecting) {
        return;
    }
    m_collecting = true;
    m_collectHook(kCollectFlags);
    m_collecting = false;
}

jint ReferenceHeap::bestFit(const jint need, const jint skip1, const jint skip2) const {
    jint best = kNull;
    for (jint fragment = m_head; fragment != kNull; fragment = nextOf(fragment)) {
        if (fragment == skip1 || fragment == skip2) {
            continue;
        }
        const jint size = sizeAt(fragment);
        if (size < need || (best != kNull && size >= sizeAt(best))) {
            continue;
        }
        best = fragment;
        if (size == need) {
            break;
        }
    }
    return best;
}

void ReferenceHeap::unlink(const jint fragment) {
    const jint prev = prevOf(fragment);
    const jint next = nextOf(fragment);
    if (prev != kNull) {
        setNext(prev, next);
    } else {
        m_head = next;
    }
    if (next != kNull) {
        setPrev(next, prev);
    } else {
        m_tail = prev;
    }
}

jint ReferenceHeap::take(const jint fragment, const jint need) {
    const jint size = sizeAt(fragment);
    jint taken = need;
    if (size - need <= m_header + kSlack) {
        unlink(fragment);
        --m_freeCount;
        taken = size;
    } else {
        // The remainder takes the fragment's place in the list.
        const jint rest = fragment + need;
        const jint prev = prevOf(fragment);
        const jint next = nextOf(fragment);
        setSizeAt(rest, size - need);
        setPrev(rest, prev);
        setNext(rest, next);
        if (prev != kNull) {
            setNext(prev, rest);
        } else {
            m_head = rest;
        }
        if (next != kNull) {
            setPrev(next, rest);
        } else {
            m_tail = rest;
        }
        ++m_fragmentCount;
    }
    setSizeAt(fragment, -taken);
    if (m_relocatable) {
        setOwner(fragment, nullptr);
    }
    m_used += taken;
    m_peak = std::max(m_peak, m_used);
    return taken;
}

jint ReferenceHeap::usedFragmentOf(const void* pointer) const {
    for (jint fragment = 0; fragment < m_size; fragment += std::abs(sizeAt(fragment))) {
        if (m_base + fragment + m_header == pointer) {
            return sizeAt(fragment) < 0 ? fragment : kNull;
        }
    }
    return kNull;
}

jint ReferenceHeap::free(void* pointer) {
    const auto* p = static_cast<const char*>(pointer);
    if (p < m_base || p >= m_base + m_size) {
        return 0;
    }
    const jint fragment = usedFragmentOf(pointer);
    if (fragment == kNull) {
        log("VirtualMemoryManager free: not an allocated fragment");
        dumpStackTrace();
        return 1;
    }
    release(fragment);
    return 1;
}

void ReferenceHeap::setFragmentRelocPointer(void* pointer, void** ownerSlot) {
    const auto* p = static_cast<const char*>(pointer);
    const bool inside = p >= m_base && p < m_base + m_size;
    const jint fragment = m_relocatable && inside ? usedFragmentOf(pointer) : kNull;
    if (fragment == kNull) {
        log("setFragmentRelocPointer");
        dumpStackTrace();
        return;
    }
    setOwner(fragment, ownerSlot);
}

void ReferenceHeap::release(jint fragment) {
    const jint size = -sizeAt(fragment);
    setSizeAt(fragment, size);
    // Insert after the last free fragment whose successor lies above it.
    if (m_head == kNull) {
        setPrev(fragment, kNull);
        setNext(fragment, kNull);
        m_head = fragment;
        m_tail = fragment;
    } else if (fragment < m_head) {
        setPrev(fragment, kNull);
        setNext(fragment, m_head);
        setPrev(m_head, fragment);
        m_head = fragment;
    } else if (fragment > m_tail) {
        setPrev(fragment, m_tail);
        setNext(fragment, kNull);
        setNext(m_tail, fragment);
        m_tail = fragment;
    } else {
        jint before = m_head;
        while (nextOf(before) != kNull && nextOf(before) < fragment) {
            before = nextOf(before);
        }
        const jint after = nextOf(before);
        setPrev(fragment, before);
        setNext(fragment, after);
        setNext(before, fragment);
        setPrev(after, fragment);
    }
    ++m_freeCount;
    m_used -= size;
    // Merge with the previous free fragment, then with the next.
    const jint prev = prevOf(fragment);
    if (fragment != m_head && prev + sizeAt(prev) == fragment) {
        setSizeAt(prev, sizeAt(prev) + sizeAt(fragment));
        unlink(fragment);
        --m_fragmentCount;
        --m_freeCount;
        fragment = prev;
    }
    const jint next = nextOf(fragment);
    if (next != kNull && fragment + sizeAt(fragment) == next) {
        setSizeAt(fragment, sizeAt(fragment) + sizeAt(next));
        unlink(next);
        --m_fragmentCount;
        --m_freeCount;
    }
}

bool ReferenceHeap::isMovable(const jint fragment) const {
    if (!m_relocatable || sizeAt(fragment) >= 0) {
        return false;
    }
    void** owner = ownerOf(fragment);
    return owner != nullptr && *owner == m_base + fragment + m_header;
}

jint ReferenceHeap::compact(const jint need) {
    if (!m_relocatable || static_cast<jlong>(m_used) + need >= m_size) {
        return kNull;
    }
    ++m_compactions;
    const jint fragment = fillHole(need);
    return fragment != kNull ? fragment : slide(need);
}

jint ReferenceHeap::fillHole(const jint need) {
    for (jint pass = 0; pass < kPasses; ++pass) {
        jint bestScore = -m_size;
        jint hole = kNull;
        jint destination = kNull;
        for (jint fragment = m_head; fragment != kNull && nextOf(fragment) != kNull;
             fragment = nextOf(fragment)) {
            const jint next = nextOf(fragment);
            const jint runStart = fragment + sizeAt(fragment);
            const jint gap = next - runStart;
            const jint score = sizeAt(fragment) + sizeAt(next) - gap;
            if (score <= bestScore) {
                continue;
            }
            bool movable = true;
            for (jint used = runStart; used < next; used += std::abs(sizeAt(used))) {
                movable = movable && isMovable(used);
            }
            if (!movable) {
                continue;
            }
            const jint target = bestFit(gap, fragment, next);
            if (target != kNull) {
                bestScore = score;
                hole = fragment;
                destination = target;
            }
        }
        if (hole == kNull) {
            return kNull;
        }
        const jint runStart = hole + sizeAt(hole);
        if (!move(runStart, destination, nextOf(hole) - runStart)) {
            return kNull;
        }
        if (sizeAt(hole) >= need) {
            return hole;
        }
    }
    return kNull;
}

jint ReferenceHeap::slide(const jint need) {
    for (jint pass = 0; pass < kPasses; ++pass) {
        jint largest = m_head;
        for (jint fragment = largest != kNull ? nextOf(largest) : kNull;
             fragment != kNull && m_size - fragment > need; fragment = nextOf(fragment)) {
            if (sizeAt(fragment) > sizeAt(largest)) {
                largest = fragment;
            }
        }
        if (largest == kNull) {
            return kNull;
        }
        bool moved = false;
        for (jint follower = largest + sizeAt(largest); follower < m_size;
             follower = largest + sizeAt(largest)) {
            if (!isMovable(follower)) {
                break;
            }
            const jint size = -sizeAt(follower);
            const jint target = bestFit(size, largest, kNull);
            if (target == kNull || !move(follower, target, size)) {
                break;
            }
            moved = true;
            if (sizeAt(largest) >= need) {
                return largest;
            }
        }
        if (!moved) {
            return kNull;
        }
    }
    return kNull;
}

void ReferenceHeap::slideEverything() {
    ++m_compactions;
    const bool upwards = m_slideUpwards;
    m_slideUpwards = !m_slideUpwards;
    for (jint fragment = 0; fragment < m_size;) {
        const jint start = fragment;
        bool hasFree = false;
        std::vector<std::pair<jint, jint>> used;
        for (; fragment < m_size; fragment += std::abs(sizeAt(fragment))) {
            if (sizeAt(fragment) > 0) {
                hasFree = true;
            } else if (isMovable(fragment)) {
                used.emplace_back(fragment, -sizeAt(fragment));
            } else {
                break;
            }
        }
        if (hasFree) {
            slideStretch(start, fragment, used, upwards);
        }
        if (fragment < m_size) {
            fragment += std::abs(sizeAt(fragment));
        }
    }
}

void ReferenceHeap::slideStretch(const jint start, const jint stop,
                                 const std::vector<std::pair<jint, jint>>& used, const bool upwards) {
    for (jint fragment = m_head; fragment != kNull;) {
        const jint next = nextOf(fragment);
        if (fragment >= start && fragment < stop) {
            unlink(fragment);
            --m_freeCount;
            --m_fragmentCount;
        }
        fragment = next;
    }
    jint usedBytes = 0;
    for (const auto& run : used) {
        usedBytes += run.second;
    }
    const auto place = [this](const jint fragment, const jint destination, const jint size) {
        std::memmove(m_base + destination, m_base + fragment, static_cast<std::size_t>(size));
        *ownerOf(destination) = m_base + destination + m_header;
    };
    if (upwards) {
        jint cursor = stop;
        for (auto run = used.rbegin(); run != used.rend(); ++run) {
            cursor -= run->second;
            place(run->first, cursor, run->second);
        }
    } else {
        jint cursor = start;
        for (const auto& run : used) {
            place(run.first, cursor, run.second);
            cursor += run.second;
        }
    }
    // The free bytes become one fragment, put in the list the way a free would.
    const jint freeStart = upwards ? start : start + usedBytes;
    const jint freeBytes = stop - start - usedBytes;
    setSizeAt(freeStart, -freeBytes);
    m_used += freeBytes;
    ++m_fragmentCount;
    release(freeStart);
}

bool ReferenceHeap::move(const jint source, const jint destination, const jint size) {
    if (sizeAt(destination) < size) {
        log("move dst size");
        dumpStackTrace();
        return false;
    }
    const jint taken = take(destination, size);
    std::memcpy(m_base + destination, m_base + source, static_cast<std::size_t>(size));
    jint last = destination;
    for (jint fragment = destination; fragment < destination + size; fragment += std::abs(sizeAt(fragment))) {
        if (void** owner = ownerOf(fragment)) {
            *owner = m_base + fragment + m_header;
        }
        last = fragment;
    }
    setSizeAt(last, sizeAt(last) - (taken - size));
    setSizeAt(source, -size);
    setOwner(source, nullptr);
    release(source);
    return true;
}

std::vector<ReferenceHeap::FragmentInfo> ReferenceHeap::fragments() const {
    std::vector<FragmentInfo> list;
    for (jint fragment = 0; fragment < m_size; fragment += std::abs(sizeAt(fragment))) {
        const bool used = sizeAt(fragment) < 0;
        list.push_back({fragment, std::abs(sizeAt(fragment)), used,
                        used && m_relocatable ? ownerOf(fragment) : nullptr});
    }
    return list;
}

} // namespace runtime::reference
