// Shared test support for the string classes: the runtime fixture with a small constant pool
// holding the texts these classes cite, conversions between Strings and UTF-16 literals, and a
// staged secondary heap that forces one chosen buffer to move.
#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <string>
#include <vector>

#include "runtime/Arrays.h"
#include "runtime/ObjectManager.h"
#include "runtime/StaticClass.h"
#include "runtime/String.h"
#include "runtime/VirtualMemoryManager.h"
#include "tests/runtime/RuntimeFixture.h"

namespace runtime {

// Lays out the secondary heap so that one chosen buffer must move: every free byte is taken by
// pinned blocks (buffers without an owner never move), except a hole F, the buffer S, a hole N,
// a pinned separator and a hole D exactly the size of S. A request larger than any hole but no
// larger than F + S + N can then only be met by moving S into D.
class CompactionStage {
public:
    static constexpr jint kHoleBytes = 496; // fragment of 512 with the 16-byte header

    explicit CompactionStage(VirtualMemoryManager* heap) : heap(heap) {}
    ~CompactionStage() {
        for (void* block : pins) {
            heap->free(block);
        }
    }
    CompactionStage(const CompactionStage&) = delete;
    CompactionStage& operator=(const CompactionStage&) = delete;

    // placeMovable allocates the owned buffer S and returns its data address.
    template <typename PlaceMovable> void arrange(PlaceMovable placeMovable) {
        fillFreeSpace(8192);
        unpin(pins.front()); // the one room everything below is cut from
        void* f = pin(kHoleBytes);
        const void* movable = placeMovable();
        movableSize = fragmentSizeOf(movable);
        void* n = pin(kHoleBytes);
        pin(kHoleBytes * 2);
        void* d = pin(movableSize - heap->headerSize());
        fillFreeSpace(1 << 20);
        unpin(f);
        unpin(n);
        unpin(d);
    }
    // Bytes of a request (data only) that only the move of S can satisfy.
    jint requestBytes() const { return kHoleBytes + movableSize / 2 + 8; }
    jint movableFragmentSize() const { return movableSize; }

private:
    void* pin(const jint bytes) {
        void* block = heap->allocate(bytes);
        EXPECT_NE(block, nullptr);
        pins.push_back(block);
        return block;
    }
    void unpin(void* block) {
        heap->free(block);
        pins.erase(std::find(pins.begin(), pins.end(), block));
    }
    void fillFreeSpace(const jint blockBytes) {
        for (;;) {
            jint largest = 0;
            for (const auto& fragment : heap->fragments()) {
                if (!fragment.used) {
                    largest = std::max(largest, fragment.size);
                }
            }
            if (largest == 0) {
                return;
            }
            pin(std::min(blockBytes, largest - heap->headerSize()));
        }
    }
    jint fragmentSizeOf(const void* data) const {
        const auto offset =
            static_cast<jint>(static_cast<const char*>(data) - static_cast<const char*>(heap->base())) -
            heap->headerSize();
        for (const auto& fragment : heap->fragments()) {
            if (fragment.offset == offset) {
                return fragment.size;
            }
        }
        ADD_FAILURE() << "no fragment at the buffer";
        return 0;
    }

    VirtualMemoryManager* heap;
    std::vector<void*> pins;
    jint movableSize = 0;
};

// Constant strings the string classes and the library exceptions cite.
inline constexpr jint kTestPoolSize = 331;
inline constexpr const char* kTestIndexMessage = "Array index out of range: ";

class StringsFixture : public RuntimeFixture {
protected:
    void SetUp() override {
        RuntimeFixture::SetUp();
        installConstantPool();
    }

    // Pool entries 1 (the empty text), 320, 329 and 330; the others are empty texts too.
    void installConstantPool() {
        StaticClass* block = Application::getInstance()->getStaticClass();
        block->constantPool = newObjectArray(kTestPoolSize);
        for (jint i = 0; i < kTestPoolSize; ++i) {
            const char* text = i == 320 ? kTestIndexMessage : i == 329 ? "true" : i == 330 ? "false" : "";
            String* s = newStringFromCString(text);
            s->collectable = 0;
            (*block->constantPool)[i] = s;
        }
    }

    static VirtualMemoryManager* secondaryHeap() { return Application::getInstance()->secondaryHeap; }

    static String* make(const std::u16string& text) {
        String* s = newObject<String>();
        s->initUnits(reinterpret_cast<const jchar*>(text.data()), static_cast<jint>(text.size()));
        return s;
    }
    // The characters of a String, all 16 bits of each.
    static std::u16string units(const String* s) {
        return std::u16string(reinterpret_cast<const char16_t*>(s->chars),
                              static_cast<std::size_t>(s->length()));
    }
    static ByteArray* bytes(const std::vector<int>& values) {
        ByteArray* array = newByteArray(static_cast<jint>(values.size()));
        for (std::size_t i = 0; i < values.size(); ++i) {
            (*array)[static_cast<jint>(i)] = static_cast<jbyte>(values[i]);
        }
        return array;
    }
};

} // namespace runtime
