// Shared pieces of the promotion tests: the game's static block over the sample constant pool
// with the promotion statics' start values, a midlet whose application properties the test
// sets, and little-endian promotion data built in memory.
#pragma once

#include <cstdint>
#include <map>
#include <string>
#include <vector>

#include "game/promotion/IGPStaticInit.h"
#include "runtime/MIDlet.h"
#include "runtime/ObjectManager.h"
#include "tests/game/support/GameResourceFixture.h"

namespace game::testing {

using namespace game::promotion;

// Properties by name; a missing one reads as the profile answers it.
struct PropertyMidlet : runtime::javax_microedition_midlet_MIDlet {
    static std::map<std::string, std::string>& values() {
        static std::map<std::string, std::string> stored;
        return stored;
    }
    runtime::String* getAppProperty(runtime::String* const name) override {
        const auto found = values().find(testing_support::textOf(name));
        return runtime::newStringFromCString(found != values().end() ? found->second.c_str()
                                                                     : "PROPERTY VALUE EMPTY");
    }
};

class PromotionFixture : public GameResourceFixture {
protected:
    void SetUp() override {
        GameResourceFixture::SetUp();
        PropertyMidlet::values().clear();
        promotion::igpStaticInit(statics());
    }
    void TearDown() override {
        PropertyMidlet::values().clear();
        GameResourceFixture::TearDown();
    }
};

// Appends value as little-endian bytes of width bytes.
inline void putLE(tools::Bytes& out, const std::uint32_t value, const int width) {
    for (int i = 0; i < width; ++i) {
        out.push_back(static_cast<std::uint8_t>(value >> (8 * i)));
    }
}

// A promotion data file: the offsets, then the data area.
inline tools::Bytes promotionFile(const std::vector<std::uint32_t>& offsets, const std::string& data) {
    tools::Bytes out;
    putLE(out, static_cast<std::uint32_t>(offsets.size()), 2);
    for (const std::uint32_t offset : offsets) {
        putLE(out, offset, 4);
    }
    out.insert(out.end(), data.begin(), data.end());
    return out;
}

// A text list: count, then length + bytes per text.
inline tools::Bytes textList(const std::vector<std::string>& texts) {
    tools::Bytes out;
    putLE(out, static_cast<std::uint32_t>(texts.size()), 2);
    for (const std::string& t : texts) {
        putLE(out, static_cast<std::uint32_t>(t.size()), 2);
        out.insert(out.end(), t.begin(), t.end());
    }
    return out;
}

} // namespace game::testing
