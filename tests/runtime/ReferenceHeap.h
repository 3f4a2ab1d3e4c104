// The fixed heap as its plainest form: one free list in address order, walked from its head for
// every request and every free. The differential test runs the runtime's heap and this one side
// by side; whatever structures the runtime's heap uses to find its answers, the answers must be
// these.
//
// Fragments live in a region of their own with the runtime heap's sizes (8-byte rounding, headers
// of 8 or 16 bytes, 24-byte minimum, take-whole slack header + 32). A free fragment's header holds
// its size and the offsets of the previous and next free fragments; a used one its negated size
// and (relocatable heap) the owner slot. It logs what the runtime heap logs. Stress mode slides
// buffers as the runtime heap's does; it poisons nothing (no answer depends on the poison).
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <utility>
#include <vector>

#include "runtime/JavaTypes.h"
#include "runtime/VirtualMemoryManager.h"

namespace runtime::reference {

class ReferenceHeap {
public:
    using FragmentInfo = VirtualMemoryManager::FragmentInfo;

    ReferenceHeap(jint size, bool relocatable);

    void* allocate(jint n);
    jint free(void* pointer);
    void setFragmentRelocPointer(void* pointer, void** ownerSlot);
    void setCollectHook(std::function<void(jint)> hook) { m_collectHook = std::move(hook); }

    jint used() const { return m_used; }
    jint peak() const { return m_peak; }
    jint fragmentCount() const { return m_fragmentCount; }
    jint freeFragmentCount() const { return m_freeCount; }
    jint compactionCount() const { return m_compactions; }
    const void* base() const { return m_base; }
    // Offset of the first free fragment, or -1.
    jint headOffset() const { return m_head; }
    std::vector<FragmentInfo> fragments() const;

private:
    static constexpr jint kNull = -1;

    // Header fields by offset.
    jint sizeAt(jint fragment) const;
    void setSizeAt(jint fragment, jint size);
    jint prevOf(jint fragment) const;
    jint nextOf(jint fragment) const;
    void setPrev(jint fragment, jint prev);
    void setNext(jint fragment, jint next);
    void** ownerOf(jint fragment) const;
    void setOwner(jint fragment, void** owner);

    // The used fragment whose data is at pointer (found by walking the tiling), or kNull.
    jint usedFragmentOf(const void* pointer) const;
    jint bestFit(jint need, jint skip1, jint skip2) const;
    jint take(jint fragment, jint need);
    void unlink(jint fragment);
    void release(jint fragment);
    void collect();
    jint compact(jint need);
    jint fillHole(jint need);
    jint slide(jint need);
    // Stress mode: every movable buffer to one end of its stretch between pinned fragments.
    void slideEverything();
    void slideStretch(jint start, jint stop, const std::vector<std::pair<jint, jint>>& used, bool upwards);
    bool move(jint source, jint destination, jint size);
    bool isMovable(jint fragment) const;
    void logFailure(jint need) const;

    std::unique_ptr<std::uint64_t[]> m_memory;
    char* m_base = nullptr;
    jint m_size = 0;
    bool m_relocatable = false;
    jint m_header = 0;
    jint m_head = kNull;
    jint m_tail = kNull;
    jint m_used = 0;
    jint m_peak = 0;
    jint m_fragmentCount = 1;
    jint m_freeCount = 1;
    jint m_compactions = 0;
    bool m_collecting = false;
    bool m_slideUpwards = false;
    std::function<void(jint)> m_collectHook;
};

} // namespace runtime::reference
