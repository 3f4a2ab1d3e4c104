// Choosing the system font, and the scripted font of tests.
#include "platform/SystemFont.h"

#include <algorithm>
#include <cstdlib>
#include <memory>
#include <utility>

#include "runtime/Log.h"

namespace platform {

namespace {

SystemFont* installedFont = nullptr;

constexpr std::uint16_t kSpace = ' ';

// Decided once, at the first use.
SystemFont& defaultFont() {
    static const std::unique_ptr<SystemFont> font = loadSystemFont(systemFontFile());
    return *font;
}

} // namespace

void fillPixels(std::uint32_t* const pixels, const int width, const int height, const int stride,
                const std::uint32_t value) {
    for (int y = 0; y < height; ++y) {
        std::uint32_t* row = pixels + static_cast<std::ptrdiff_t>(y) * stride;
        for (int x = 0; x < width; ++x) {
            row[x] = value;
        }
    }
}

int ScriptedSystemFont::measure(const std::uint16_t* const text, const int count) {
    measured.emplace_back(text, text + count);
    return count * advance;
}

void ScriptedSystemFont::draw(const std::uint16_t* const text, const int count, std::uint32_t* const pixels,
                              const int width, const int height, const int stride,
                              const std::uint32_t foreground, const std::uint32_t background) {
    drawn.emplace_back(text, text + count);
    fillPixels(pixels, width, height, stride, background);
    for (int i = 0; i < count; ++i) {
        if (text[i] == kSpace) {
            continue;
        }
        for (int y = 0; y < std::min(height, fontMetrics.height); ++y) {
            for (int x = i * advance; x < std::min(width, (i + 1) * advance - 1); ++x) {
                pixels[static_cast<std::ptrdiff_t>(y) * stride + x] = foreground;
            }
        }
    }
}

SystemFont& systemFont() {
    return installedFont != nullptr ? *installedFont : defaultFont();
}

SystemFont* installSystemFont(SystemFont* const replacement) {
    return std::exchange(installedFont, replacement);
}

std::unique_ptr<SystemFont> loadSystemFont(const std::string& path) {
    auto freeType = std::make_unique<FreeTypeFont>();
    if (freeType->open(path, kSystemFontPixelSize)) {
        return freeType;
    }
    runtime::log("System font %s cannot be loaded: text uses the built-in bitmap font", path.c_str());
    return std::make_unique<BitmapFont>();
}

std::string systemFontFile() {
    const char* chosen = std::getenv(kSystemFontVariable);
    return chosen != nullptr && chosen[0] != '\0' ? std::string(chosen) : std::string(kSystemFontPath);
}

} // namespace platform
