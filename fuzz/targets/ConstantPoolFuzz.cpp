// Fuzz target "constants": the bytes are "/constants.bin", read as the game's start-up reads it
// from the archive. A pool that loads must give a well-formed permanent String for every index
// and the empty text for an index outside it.
#include <cstdint>

#include "fuzz/FuzzRuntime.h"
#include "runtime/Application.h"
#include "runtime/Arrays.h"
#include "runtime/ConstantPool.h"
#include "runtime/StaticClass.h"
#include "runtime/String.h"

namespace {

using runtime::jint;

void fuzzConstantPool(const std::uint8_t* data, const std::size_t size) {
    runtime::StaticClass* block = fuzzing::application().staticClass;
    if (runtime::readConstantPool(block, fuzzing::entryStreamOf(data, size)) != nullptr) {
        return;
    }
    const jint count = block->constantPool->length;
    for (jint i = 0; i < count; ++i) {
        runtime::String* text = runtime::getConstantString(i);
        if (text == nullptr || text->collectable != 0) {
            fuzzing::fail("constant string %d is missing or not permanent", i);
        }
        fuzzing::checkString(text, "a constant string");
    }
    for (const jint outside : {-1, count, 0x7FFFFFFF}) {
        runtime::String* text = runtime::getConstantString(outside);
        if (text == nullptr || text->length() != 0) {
            fuzzing::fail("constant string %d outside the pool is not the empty text", outside);
        }
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, const std::size_t size) {
    return fuzzing::runInput(data, size, &fuzzConstantPool);
}
