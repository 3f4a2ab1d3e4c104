// Fuzz target "promotion_data": the promotion data file. Its index is read, then every entry
// (up to a limit) is read and its text list parsed. An entry handed out holds exactly the bytes
// its offsets say.
#include <algorithm>
#include <cstdint>

#include "fuzz/FuzzRuntime.h"
#include "game/core/GameStatics.h"
#include "game/promotion/IGP.h"
#include "runtime/ConstantPool.h"
#include "runtime/Exceptions.h"
#include "tests/support/RuntimeValues.h"

namespace {

using runtime::jint;

constexpr jint kDataFileConstant = 0;
// Each entry read reopens the file; the first ones show all there is to see.
constexpr jint kMaxEntries = 16;

void fuzzPromotionData(const std::uint8_t* data, const std::size_t size) {
    std::string name = testing_support::textOf(runtime::getConstantString(kDataFileConstant));
    if (!name.empty() && name[0] == '/') {
        name.erase(0, 1);
    }
    fuzzing::serveResource(name, data, size);
    if (game::promotion::readDataIndex() == 0) {
        runtime::catchException(runtime::kException);
        return;
    }
    game::GameStatics* s = game::statics();
    const jint count = std::min(s->promoEntryCount, kMaxEntries);
    for (jint n = -1; n <= count; ++n) {
        runtime::ByteArray* entry = game::promotion::readDataEntry(n);
        runtime::catchException(runtime::kException);
        if (entry == nullptr) {
            continue;
        }
        const jint expected = (*s->promoEntryOffsets)[n + 1] - (*s->promoEntryOffsets)[n];
        if (entry->length != expected) {
            fuzzing::fail("entry %d holds %d bytes, its offsets say %d", n, entry->length, expected);
        }
        s->promoReadPosition = 0;
        runtime::ObjectArray* texts = game::promotion::readTextList(entry);
        for (jint i = 0; texts != nullptr && i < texts->length; ++i) {
            fuzzing::checkString(static_cast<runtime::String*>((*texts)[i]), "a promotion text");
        }
        runtime::catchException(runtime::kException);
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, const std::size_t size) {
    return fuzzing::runGameInput(data, size, &fuzzPromotionData);
}
