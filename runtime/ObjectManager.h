// The ObjectManager: the list of every live object in the object heap (what the collector
// sweeps), its collector, and the allocation routines of the runtime.
//
// Allocation (allocObject, newObject, zrl_malloc) is in ObjectManager.cpp; the collector
// (gc, mark, scanStack) in Collector.cpp.
#pragma once

#include <cstddef>
#include <new>
#include <utility>

#include "runtime/JavaTypes.h"
#include "runtime/Object.h"

namespace runtime {

class Application;

inline constexpr jint kMarkStackSize = 500;

// Collection flags.
inline constexpr jint kGcFreeAll = 2;    // free every registered object, permanent ones too
inline constexpr jint kGcKeepNewest = 8; // the newest registered object is a root

// The collector of one ObjectManager (Collector.cpp): its mark stack, the stack scan's index and
// the little one collection leaves to the next, kept where nothing else can write it.
class Collector;

class ObjectManager {
public:
    ObjectManager();
    ~ObjectManager();
    ObjectManager(const ObjectManager&) = delete;
    ObjectManager& operator=(const ObjectManager&) = delete;

    // Appends to the object list, growing it to 512 entries, then by doubling. object is a
    // constructed object, or zeroed memory about to be constructed (as allocObject lists it).
    void addObject(Object* object);

    // One full collection (see Collector.cpp).
    void gc(jint flags);
    // Marks object and everything reachable from it.
    void mark(Object* object);
    // Conservative scan of the native stack words between from and to, both ends included.
    void scanStack(const void* from, const void* to);

    // Object list.
    Object** objects = nullptr;
    jint capacity = 0;
    jint count = 0;
    Application* application = nullptr;

private:
    // Made by the first collection, mark or scan.
    Collector& collector();
    Collector* m_collector = nullptr;
};

// kind 0: zeroed memory from the object heap, registered with the ObjectManager.
// kind 1: zeroed memory from the secondary heap (or the system allocator), never collected.
void* allocObject(jint size, jint kind);

// Ends the program: a class was made whose Object header is not at its start (it lists another
// polymorphic base before Object).
[[noreturn]] void objectHeaderNotFirst();

// Allocates a T (kind 0) and constructs it with the given arguments.
template <typename T, typename... Args>
T* newObject(Args&&... args) {
    void* memory = allocObject(static_cast<jint>(sizeof(T)), 0);
    T* object = ::new (memory) T(std::forward<Args>(args)...);
    // The object list, the collector and every reference field take an object's address to be
    // its header's. The compiler knows the offset, so this costs nothing when it holds.
    if (static_cast<void*>(static_cast<Object*>(object)) != memory) {
        objectHeaderNotFirst();
    }
    return object;
}

// Zeroed buffer from the secondary heap, else the system allocator.
void* zrl_malloc(jint size);
// zrl_malloc for sizes beyond the int range (they go to the system allocator).
void* allocateZeroedBuffer(std::size_t bytes);
// Returns a buffer to the secondary heap, the object heap or the system allocator.
void zrl_free(void* buffer);
// Records ownerSlot as the owner of the buffer it holds (no-op for null).
void registerBufferOwner(void** ownerSlot);

// Logs message and the stack trace, then ends the program with a non-zero exit code: the
// callers of the allocators cannot go on without the memory.
[[noreturn]] void fatalOutOfMemory(const char* message);

} // namespace runtime
