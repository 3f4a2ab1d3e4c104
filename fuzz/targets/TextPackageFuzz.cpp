// Fuzz target "text_package": a text container as a pack entry holds it. It is loaded as the
// start-up loading loads it, limited to the entry's bytes, and then every text (and a few numbers
// outside the package) is looked up and decoded. A failed load must leave an empty package.
#include <algorithm>
#include <cstdint>

#include "fuzz/FuzzRuntime.h"
#include "game/core/GameStatics.h"
#include "game/core/TextPackage.h"
#include "game/sprites/TextPackageLoader.h"
#include "runtime/Exceptions.h"
#include "runtime/String.h"

namespace {

using runtime::jint;

// Decoding each text costs its length; the first ones show all there is to see.
constexpr jint kMaxTexts = 400;

void fuzzTextPackage(const std::uint8_t* data, const std::size_t size) {
    runtime::java_io_InputStream* stream = fuzzing::entryStreamOf(data, size);
    const jint taken = game::sprites::loadTextPackage(stream, static_cast<jint>(size));
    game::GameStatics* s = game::statics();
    if (taken < 0 || static_cast<std::size_t>(taken) > size) {
        fuzzing::fail("the loader took %d bytes of %zu", taken, size);
    }
    if (taken == 0 && s->textCount != 0) {
        fuzzing::fail("a failed load keeps %d texts", s->textCount);
    }
    const jint count = std::min(s->textCount, kMaxTexts);
    for (jint id = -2; id < count + 2; ++id) {
        fuzzing::checkString(game::core::getText(id), "a text");
        runtime::catchException(runtime::kException);
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, const std::size_t size) {
    return fuzzing::runGameInput(data, size, &fuzzTextPackage);
}
