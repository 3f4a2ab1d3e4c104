// The framework fixture with a canvas (and its back buffer) and a separate screen image for the
// frame entry to present to, the sample packs (texts, logo) served as the archive, the game's generator
// seeded, the sample texts loaded and the sound requests logged with the neighbours' calls.
#pragma once

#include <cstdint>
#include <map>
#include <string>

#include "game/framework/Device.h"
#include "game/sprites/TextPackageLoader.h"
#include "profile/Graphics.h"
#include "profile/Image.h"
#include "profile/Pixels.h"
#include "profile/Resources.h"
#include "runtime/ConstantPool.h"
#include "runtime/ObjectManager.h"
#include "runtime/StreamsByteArray.h"
#include "tests/game/support/SeededFixture.h"
#include "tests/support/RuntimeValues.h"
#include "tools/SamplePacks.h"
#include "tools/SampleSprites.h"
#include "tools/SampleTexts.h"

namespace game::testing {

using namespace game::sprites;

class FrameFixture : public SeededFixture {
protected:
    static constexpr jint kWidth = 480;
    static constexpr jint kHeight = 800;

    void SetUp() override {
        SeededFixture::SetUp();
        archive() = samplePacks();
        profile::setArchiveOpener(&openEntry);
        sprites::loadTextPackageEntry(runtime::getConstantString(tools::kTextPackConstant),
                                      tools::kTextPackageEntry);
        canvas = runtime::newObject<Device>();
        block()->canvas = canvas;
        block()->currentGraphics = block()->backBufferGraphics;
        screen = runtime::newObject<profile::Image>();
        screen->initBuffer(kWidth, kHeight, profile::kPixelRgb565 | profile::kImageMutableFlag, 0);
        screenGraphics = screen->getGraphics();
        // The screen is the test's: a root of its own keeps it (and its image) across collections.
        block()->rootTable[block()->rootCount++] = reinterpret_cast<runtime::Object**>(&screenGraphics);
        captureSounds(neighbours.log);
    }
    void TearDown() override {
        profile::setArchiveOpener(nullptr);
        archive().clear();
        SeededFixture::TearDown();
    }

    // One frame, presented to the screen image.
    void frame() { canvas->paint(screenGraphics); }
    void frames(const int n) {
        for (int i = 0; i < n; ++i) {
            frame();
        }
    }
    std::uint16_t screenPixel(const jint x, const jint y) const { return screen->row16(y)[x]; }
    std::uint16_t backPixel(const jint x, const jint y) const {
        return statics()->backBufferImage->row16(y)[x];
    }
    static constexpr std::uint16_t rgb(const std::uint32_t colour) {
        return profile::toRgb565(0xFF000000u | colour);
    }
    // Replaces (or with no bytes, removes) an archive entry.
    static void putEntry(const std::string& name, const tools::Bytes& bytes) { archive()[name] = bytes; }
    static void removeEntry(const std::string& name) { archive().erase(name); }

    Device* canvas = nullptr;
    profile::Image* screen = nullptr;
    profile::Graphics* screenGraphics = nullptr;

private:
    // The sample sprite and text packs, generated once per program: the generator is deterministic.
    static const std::map<std::string, tools::Bytes>& samplePacks() {
        static const std::map<std::string, tools::Bytes> packs = [] {
            std::map<std::string, tools::Bytes> entries;
            for (const tools::ArchiveEntry& entry : tools::sampleSpritePackEntries()) {
                entries[entry.name] = entry.bytes;
            }
            for (const tools::ArchiveEntry& entry : tools::samplePackEntries()) {
                entries[entry.name] = entry.bytes;
            }
            return entries;
        }();
        return packs;
    }
    static std::map<std::string, tools::Bytes>& archive() {
        static std::map<std::string, tools::Bytes> entries;
        return entries;
    }
    static runtime::java_io_InputStream* openEntry(runtime::String* const name) {
        std::string key = testing_support::textOf(name);
        if (!key.empty() && key[0] == '/') {
            key.erase(0, 1);
        }
        const auto found = archive().find(key);
        if (found == archive().end()) {
            return nullptr;
        }
        runtime::ByteArray* bytes = testing_support::byteArrayOf(found->second);
        return runtime::newObject<runtime::java_io_ByteArrayInputStream>(bytes, 0, bytes->length);
    }
};

} // namespace game::testing
