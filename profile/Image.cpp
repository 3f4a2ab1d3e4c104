// javax_microedition_lcdui_Image (see Image.h).
#include "profile/Image.h"

#include <algorithm>
#include <cstdlib>

#include "profile/Graphics.h"
#include "profile/Png.h"
#include "runtime/Application.h"
#include "runtime/Arrays.h"
#include "runtime/Log.h"
#include "runtime/ObjectManager.h"

namespace profile {

void Image::release() {
    std::free(pixels);
    pixels = nullptr;
}

Graphics* Image::getGraphics() {
    if (isMutable == 0) {
        logFault("!mutable");
    }
    return runtime::newObject<Graphics>(this);
}

void Image::initBuffer(const jint w, const jint h, const jint typeAndFlags, const jint extra) {
    const jint pixelType = typeAndFlags & ~kImageMutableFlag;
    if ((typeAndFlags & kImageMutableFlag) != 0) {
        if (pixelType != kPixelRgb565) {
            logFault("imagetype");
        }
        isMutable = 1;
    }
    std::free(pixels);
    pixels = nullptr;
    type = pixelType;
    width = 0;
    height = 0;
    stride = 0;

    std::int64_t rowBytes;
    std::int64_t bytes;
    if (pixelType >= kPixelRgb565 && pixelType <= kPixelArgb4444) {
        rowBytes = (static_cast<std::int64_t>(w) + (w & 1)) * 2;
        bytes = rowBytes * h;
    } else if (pixelType == kPixel8Bit) {
        rowBytes = w;
        bytes = extra + rowBytes * h + 1;
    } else {
        rowBytes = (static_cast<std::int64_t>(w) + 1) / 2;
        bytes = extra + rowBytes * h + 1;
    }
    if (w < 0 || h < 0 || extra < 0 || bytes > kMaxPixelBytes) {
        logFault("initBuffer size");
        return;
    }
    pixels = std::calloc(static_cast<std::size_t>(std::max<std::int64_t>(bytes, 1)), 1);
    if (pixels == nullptr) {
        logFault("initBuffer malloc");
        return;
    }
    width = w;
    height = h;
    stride = static_cast<jint>(rowBytes);
}

void* Image::getPixels() {
    if (type < kPixelRgb565 || type > kPixelArgb4444) {
        logFault("");
    }
    return pixels;
}

void Image::scanKeyColour() {
    if (type < kPixelRgb565 || type > kPixelArgb4444) {
        return;
    }
    const std::int64_t count = static_cast<std::int64_t>(stride / 2) * height;
    type = containsKeyColour(static_cast<const std::uint16_t*>(pixels), count) ? kPixelKeyed : kPixelRgb565;
}

Image* Image::createImage(runtime::ByteArray* bytes, const jint offset, const jint length) {
    if (bytes == nullptr) {
        logFault("createImage data");
        return nullptr;
    }
    if (offset < 0 || length < 0 || offset > bytes->length) {
        logFault("createImage offset");
        return nullptr;
    }
    const jint end = static_cast<jint>(std::min<std::int64_t>(static_cast<std::int64_t>(offset) + length, bytes->length));
    // Decoding allocates nothing from the heaps, so the element pointer holds throughout.
    const auto* data = reinterpret_cast<const std::uint8_t*>(bytes->data());
    DecodedPng decoded;
    if (!decodePng(data != nullptr ? data + offset : nullptr, static_cast<std::size_t>(end - offset), decoded)) {
        runtime::dumpStackTrace();
        return nullptr;
    }
    Image* image = runtime::newObject<Image>();
    image->pixels = decoded.pixels;
    image->width = decoded.width;
    image->height = decoded.height;
    image->stride = decoded.stride;
    image->type = decoded.type;
    return image;
}

Image* Image::createRGBImage(runtime::IntArray* rgbData, const jint w, const jint h, const jboolean processAlpha) {
    if (rgbData == nullptr) {
        logFault("createRGBImage rgbData");
        return nullptr;
    }
    const std::int64_t count = static_cast<std::int64_t>(w) * h;
    if (w < 1 || h < 1 || (static_cast<std::int64_t>(w) + (w & 1)) * 2 * h > kMaxPixelBytes) {
        logFault("createRGBImage width, height");
        return nullptr;
    }
    if (rgbData->length < count) {
        logFault("createRGBImage length");
        return nullptr;
    }
    bool needsAlpha = false;
    if (processAlpha != 0) {
        const jint* values = rgbData->data();
        needsAlpha = std::any_of(values, values + count, [](const jint value) {
            const std::uint32_t alpha = static_cast<std::uint32_t>(value) >> 24;
            return alpha != 0 && alpha != 0xFF && (value & 0xFFFFFF) != kKeyColourArgb;
        });
    }
    Image* image = runtime::newObject<Image>();
    image->initBuffer(w, h, needsAlpha ? kPixelArgb4444 : kPixelRgb565, 0);
    if (image->pixels == nullptr) {
        return nullptr;
    }
    Painter painter;
    painter.attach(image);
    // Allocating the image may have moved the array's elements: read them only now.
    if (needsAlpha || processAlpha == 0) {
        painter.drawRGB(rgbData->data(), rgbData->length, 0, w, 0, 0, w, h, needsAlpha);
        return image;
    }
    // Clear pixels keep the key colour that is filled in first.
    painter.setColor(kKeyColourArgb);
    painter.fillRect(0, 0, w, h);
    painter.drawRGB(rgbData->data(), rgbData->length, 0, w, 0, 0, w, h, true);
    image->scanKeyColour();
    return image;
}

void ScreenImage::release() { pixels = nullptr; }

void ScreenImage::initExternal(const jint w, const jint h, void* memory) {
    width = std::max(w, 0);
    height = std::max(h, 0);
    stride = stride16(width);
    type = kPixelRgb565;
    isMutable = 1;
    pixels = memory;
}

} // namespace profile
