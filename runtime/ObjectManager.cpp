// Allocation of the runtime: objects from the object heap (listed for the collector), buffers
// from the secondary heap with the system allocator behind it, and the object list itself.
#include "runtime/ObjectManager.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <limits>

#include "runtime/Application.h"
#include "runtime/Log.h"
#include "runtime/NoAllocationScope.h"
#include "runtime/VirtualMemoryManager.h"

namespace runtime {

namespace {

constexpr jint kInitialObjectListSize = 512;
// The smallest block zeroed by stores of its own.
constexpr std::size_t kSmallBlock = 8;

[[noreturn]] void fatalError(const char* message) {
    log("%s", message);
    dumpStackTrace();
    std::fflush(nullptr);
    std::_Exit(EXIT_FAILURE);
}

VirtualMemoryManager* secondaryHeap() {
    Application* application = Application::getInstance();
    return application != nullptr ? application->secondaryHeap : nullptr;
}

VirtualMemoryManager* objectHeap() {
    Application* application = Application::getInstance();
    return application != nullptr ? application->objectHeap : nullptr;
}

// Zeroes memory: blocks of 8 to 64 bytes (most objects) with two overlapping stores of a fixed
// width each instead of a library call.
void zero(void* memory, const std::size_t bytes) {
    auto* block = static_cast<char*>(memory);
    if (bytes < kSmallBlock || bytes > 8 * kSmallBlock) {
        std::memset(block, 0, bytes);
    } else if (bytes <= 2 * kSmallBlock) {
        std::memset(block, 0, kSmallBlock);
        std::memset(block + bytes - kSmallBlock, 0, kSmallBlock);
    } else if (bytes <= 4 * kSmallBlock) {
        std::memset(block, 0, 2 * kSmallBlock);
        std::memset(block + bytes - 2 * kSmallBlock, 0, 2 * kSmallBlock);
    } else {
        std::memset(block, 0, 4 * kSmallBlock);
        std::memset(block + bytes - 4 * kSmallBlock, 0, 4 * kSmallBlock);
    }
}

} // namespace

void* allocateZeroedBuffer(const std::size_t bytes) {
    NoAllocationScope::check("an allocation");
    VirtualMemoryManager* heap = secondaryHeap();
    if (heap != nullptr && bytes <= static_cast<std::size_t>(std::numeric_limits<jint>::max())) {
        if (void* buffer = heap->allocate(static_cast<jint>(bytes))) {
            zero(buffer, bytes);
            return buffer;
        }
    }
    // The secondary heap is full (even after collecting and compacting): take system memory,
    // which stays where it is and so needs no owner.
    void* buffer = std::calloc(1, bytes == 0 ? 1 : bytes);
    if (buffer == nullptr) {
        fatalOutOfMemory("zrl_malloc returned null");
    }
    return buffer;
}

void* allocObject(const jint size, const jint kind) {
    NoAllocationScope::check("an allocation");
    const std::size_t bytes = size > 0 ? static_cast<std::size_t>(size) : 0;
    if (kind != 0) {
        // Never registered, so never collected.
        return allocateZeroedBuffer(bytes);
    }
    Application* application = Application::getInstance();
    VirtualMemoryManager* heap = application != nullptr ? application->objectHeap : nullptr;
    void* memory = heap != nullptr ? heap->allocate(static_cast<jint>(bytes)) : nullptr;
    ObjectManager* manager = application != nullptr ? application->objectManager : nullptr;
    if (memory == nullptr || manager == nullptr) {
        // Objects cannot live anywhere else: the collector and the stack scan only know the heap.
        fatalOutOfMemory("Malloc returned null");
    }
    zero(memory, bytes);
    // Listed before the constructor runs, so a collection started by an allocation inside the
    // constructor keeps it as the newest object.
    if (manager->count < manager->capacity) {
        manager->objects[manager->count++] = static_cast<Object*>(memory);
    } else {
        manager->addObject(static_cast<Object*>(memory));
    }
    return memory;
}

void ObjectManager::addObject(Object* object) {
    if (count + 1 > capacity) {
        const jint grownCapacity = capacity == 0 ? kInitialObjectListSize : capacity * 2;
        auto** grown = static_cast<Object**>(std::malloc(sizeof(Object*) * grownCapacity));
        if (grown == nullptr) {
            fatalOutOfMemory("Malloc returned null");
        }
        if (count > 0) {
            std::memcpy(grown, objects, sizeof(Object*) * count);
        }
        std::memset(grown + count, 0, sizeof(Object*) * (grownCapacity - count));
        std::free(objects);
        objects = grown;
        capacity = grownCapacity;
    }
    objects[count++] = object;
}

void* zrl_malloc(jint size) {
    if (size < 0) {
        log("zrl_malloc size < 0");
        dumpStackTrace();
        size = 0;
    }
    return allocateZeroedBuffer(static_cast<std::size_t>(size));
}

void zrl_free(void* buffer) {
    if (buffer == nullptr) {
        log("zrl_free null");
        dumpStackTrace();
        return;
    }
    if (VirtualMemoryManager* heap = secondaryHeap(); heap != nullptr && heap->free(buffer) != 0) {
        return;
    }
    if (VirtualMemoryManager* heap = objectHeap(); heap != nullptr && heap->free(buffer) != 0) {
        return;
    }
    std::free(buffer);
}

void registerBufferOwner(void** ownerSlot) {
    if (ownerSlot == nullptr || *ownerSlot == nullptr) {
        return;
    }
    VirtualMemoryManager* heap = secondaryHeap();
    if (heap == nullptr || !heap->contains(*ownerSlot)) {
        // System memory never moves, so it needs no owner; the line tells that the secondary
        // heap ran out.
        log("setFragmentRelocPointer");
        dumpStackTrace();
        return;
    }
    heap->setFragmentRelocPointer(*ownerSlot, ownerSlot);
}

void objectHeaderNotFirst() {
    fatalError("newObject: a class must derive from Object before any interface");
}

void fatalOutOfMemory(const char* message) {
    fatalError(message);
}

} // namespace runtime
