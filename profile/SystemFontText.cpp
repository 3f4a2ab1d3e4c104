// System-font text (see SystemFontText.h).
#include "profile/SystemFontText.h"

#include <algorithm>
#include <cstdlib>

#include "platform/SystemFont.h"
#include "profile/Graphics.h"
#include "profile/Image.h"
#include "runtime/Font.h"
#include "runtime/String.h"

namespace profile {

namespace {

constexpr jint kAnchorTopLeft = kAnchorTop | kAnchorLeft;

void systemFontMetrics(jint* const ascent, jint* const height) {
    const platform::FontMetrics metrics = platform::systemFont().metrics();
    *ascent = metrics.ascent;
    *height = metrics.height;
}

jint systemFontWidth(const runtime::jchar* const units, const jint count) {
    return platform::systemFont().measure(units, count);
}

} // namespace

void installSystemFontText() {
    runtime::setSystemFontHooks({&systemFontMetrics, &systemFontWidth});
}

TextPosition anchorText(const jint w, const jint h, const jint ascent, jint anchor, const jint x,
                        const jint y) {
    if (anchor == 0) {
        anchor = kAnchorTopLeft;
    }
    TextPosition position;
    if ((anchor & kAnchorLeft) != 0) {
        position.left = x;
    }
    if ((anchor & kAnchorTop) != 0) {
        position.top = y;
    }
    if ((anchor & kAnchorRight) != 0) {
        position.left = x - w;
    }
    if ((anchor & kAnchorBottom) != 0) {
        position.top = y - h;
    }
    if ((anchor & kAnchorHCenter) != 0) {
        position.left = x - (w >> 1);
    }
    if ((anchor & kAnchorBaseline) != 0) {
        position.top = y - ascent;
    }
    return position;
}

void Graphics::drawString(runtime::String* const string, const jint x, const jint y, const jint anchor) {
    if (string == nullptr) {
        return;
    }
    drawSubstring(string, 0, string->length(), x, y, anchor);
}

void Graphics::drawSubstring(runtime::String* const string, const jint offset, const jint length,
                             const jint x, const jint y, const jint anchor) {
    if (string == nullptr || string->length() == 0 || font == nullptr || offset < 0 || length < 0 ||
        static_cast<jlong>(offset) + length > string->length()) {
        return;
    }
    runtime::String* text = string->substring(offset, offset + length);
    const jint width = font->stringWidth(text, 0, text->length());
    const jint height = font->getHeight();
    if (width <= 0 || height <= 0) {
        return;
    }
    auto* buffer = static_cast<std::uint32_t*>(std::malloc(
        static_cast<std::size_t>(width) * static_cast<std::size_t>(height) * sizeof(std::uint32_t)));
    if (buffer == nullptr) {
        return;
    }
    // The text's value is the colour without alpha. Should it be the background's value, the
    // background takes another one, so text in that colour still shows.
    const std::uint32_t foreground = static_cast<std::uint32_t>(colour) & 0xFFFFFF;
    const std::uint32_t background = foreground == kTextBackground ? kTextBackground ^ 1 : kTextBackground;
    // Rendering does not allocate, so the characters stay where they are.
    platform::systemFont().draw(text->chars, text->length(), buffer, width, height, width, foreground,
                                background);

    const TextPosition position = anchorText(width, height, font->getAscent(), anchor, x, y);
    const Box box = drawableBox();
    const jlong firstX = std::max<jlong>(box.x1, position.left);
    const jlong lastX = std::min<jlong>(box.x2, static_cast<jlong>(position.left) + width);
    const jlong firstY = std::max<jlong>(box.y1, position.top);
    const jlong lastY = std::min<jlong>(box.y2, static_cast<jlong>(position.top) + height);
    for (jlong ty = firstY; ty < lastY; ++ty) {
        const std::uint32_t* source = buffer + (ty - position.top) * width;
        std::uint16_t* row = surface->row16(static_cast<jint>(ty));
        for (jlong tx = firstX; tx < lastX; ++tx) {
            const std::uint32_t value = source[tx - position.left];
            if (value != background) {
                row[tx] = toRgb565(value);
            }
        }
    }
    std::free(buffer);
}

} // namespace profile
