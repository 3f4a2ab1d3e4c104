// A fixed-size heap cut into fragments: best-fit allocation from an address-ordered free list,
// merging on free, and (in a relocatable heap) compaction that moves buffers and rewrites the
// one owner slot each buffer has.
//
// Two of these exist per run, created by Application::init: the object heap (objects, never
// moved) and the secondary heap (array storage and character buffers, relocatable).
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>

#include "runtime/JavaTypes.h"

namespace runtime {

// 64-bit sizes: the handset had 5 MiB and 8 MiB with 32-bit pointers and 8-byte object headers.
inline constexpr jint kObjectHeapSize = 10 * 1024 * 1024;
inline constexpr jint kSecondaryHeapSize = 16 * 1024 * 1024;

class VirtualMemoryManager {
public:
    // Runs a collection with the given flags when no fragment fits (set by the Application).
    using CollectHook = std::function<void(jint flags)>;

    // Obtains the region and makes it one free fragment; false when the region cannot be had.
    bool init(jint size, bool relocatable);
    // Data address of a new used fragment of at least n bytes, 8-aligned, or null.
    void* allocate(jint n);
    // Frees the fragment whose data is at pointer: 0 when pointer is outside this heap.
    jint free(void* pointer);
    // Records ownerSlot as the one field that holds the data address of the buffer at pointer.
    void setFragmentRelocPointer(void* pointer, void** ownerSlot);
    // Returns the region to the system allocator.
    void destroy();

    void setCollectHook(CollectHook hook);
    bool contains(const void* pointer) const;
    // (further inspection helpers for tests and the collector are declared by the implementation)

    // ... fields and private helpers are defined by the implementation
};

} // namespace runtime
