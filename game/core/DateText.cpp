// Date text (see DateText.h).
#include "game/core/DateText.h"

#include "runtime/ConstantPool.h"
#include "runtime/JavaTypes.h"
#include "runtime/ObjectManager.h"
#include "runtime/String.h"
#include "runtime/StringBuffer.h"

namespace game::core {

namespace {

using runtime::jint;

constexpr jint kEmptyTextConstant = 1;
constexpr jint kFillConstant = 13;
constexpr jint kSeparatorConstant = 97;
constexpr jint kFieldWidth = 2;
constexpr jint kBufferCapacity = 16;

jint lengthOf(const runtime::String* const field) {
    return field != nullptr ? field->length() : 0;
}

} // namespace

runtime::String* formatDateText(runtime::String* const first, runtime::String* const second,
                                runtime::String* const third) {
    runtime::String* const fill = runtime::getConstantString(kFillConstant);
    runtime::String* const separator = runtime::getConstantString(kSeparatorConstant);
    runtime::StringBuffer* const text = runtime::newStringBuffer(kBufferCapacity);
    // Two fills at most: an empty first field becomes two fills.
    if (lengthOf(first) < kFieldWidth) {
        text->append(fill);
        if (lengthOf(first) + fill->length() < kFieldWidth) {
            text->append(fill);
        }
    }
    if (first != nullptr) {
        text->append(first);
    }
    text->append(separator);
    if (lengthOf(second) < kFieldWidth) {
        text->append(fill);
    }
    if (second != nullptr) {
        text->append(second);
    }
    if (third != runtime::getConstantString(kEmptyTextConstant)) {
        text->append(separator);
        if (third != nullptr) {
            text->append(third);
        }
    }
    return text->toString();
}

} // namespace game::core
