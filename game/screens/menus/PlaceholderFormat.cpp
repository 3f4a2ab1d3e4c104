// Placeholder formatting (see PlaceholderFormat.h).
#include "game/screens/menus/PlaceholderFormat.h"

#include <vector>

#include "runtime/ConstantPool.h"
#include "runtime/Log.h"
#include "runtime/String.h"
#include "runtime/StringBuffer.h"

namespace game::menus {

namespace {

using runtime::jint;

// The no-marker constant.
constexpr jint kEmptyTextConstant = 1;
// What a null value inserts.
constexpr jint kNullLength = 4;

// The first place of marker in the buffer's text, or -1. Nothing here allocates, so the
// character pointers hold for the search.
jint indexOf(const runtime::StringBuffer* const buffer, const runtime::String* const marker) {
    const jint length = marker->length();
    for (jint at = 0; at + length <= buffer->length(); ++at) {
        jint k = 0;
        while (k < length && buffer->chars[at + k] == marker->chars[k]) {
            ++k;
        }
        if (k == length) {
            return at;
        }
    }
    return -1;
}

} // namespace

runtime::String* formatWithValue(runtime::String* const text, runtime::String* const marker,
                                 runtime::String* const value) {
    if (text == nullptr || marker == nullptr || marker->length() == 0) {
        if (text != nullptr) {
            runtime::log("formatWithValue: no marker to replace; the text is kept");
        }
        return text;
    }
    runtime::StringBuffer* const buffer = runtime::newStringBuffer(text->length() + 1);
    buffer->append(text);
    // Each occurrence is taken out before the next search, so the positions are those of the
    // text without the markers; the list grows with the text.
    std::vector<jint> positions;
    for (jint at = indexOf(buffer, marker); at >= 0; at = indexOf(buffer, marker)) {
        positions.push_back(at);
        buffer->deleteRange(at, at + marker->length());
    }
    if (positions.empty()) {
        return text;
    }
    const jint valueLength = value != nullptr ? value->length() : kNullLength;
    for (std::size_t k = 0; k < positions.size(); ++k) {
        buffer->insertString(positions[k] + static_cast<jint>(k) * valueLength, value);
    }
    return buffer->toString();
}

runtime::String* formatWithTwoValues(runtime::String* text, runtime::String* const marker1,
                                     runtime::String* const value1, runtime::String* const marker2,
                                     runtime::String* const value2) {
    runtime::String* const noMarker = runtime::getConstantString(kEmptyTextConstant);
    if (marker1 != noMarker) {
        text = formatWithValue(text, marker1, value1);
    }
    if (marker2 != noMarker) {
        text = formatWithValue(text, marker2, value2);
    }
    return text;
}

runtime::String* joinTexts(const std::initializer_list<runtime::String*> pieces) {
    runtime::StringBuffer* const buffer = runtime::newStringBuffer();
    for (runtime::String* const piece : pieces) {
        buffer->append(piece);
    }
    return buffer->toString();
}

} // namespace game::menus
