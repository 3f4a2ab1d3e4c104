// The sample promotion data file and the catalogue over the sample properties: entry 0 reads
// whole, and the catalogue set-up over "app.jad" offers nothing while over the fixture
// "app-promo.jad" it offers product P1 alone.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "game/promotion/IGP.h"
#include "profile/AppProperties.h"
#include "runtime/ConstantPool.h"
#include "runtime/MIDlet.h"
#include "tests/game/promotion/PromotionTestSupport.h"
#include "tools/SamplePromotion.h"

namespace game::testing {
using namespace game::promotion;

namespace {

using runtime::ObjectArray;
using runtime::String;

// Constant strings: the data file's name, the products, template, shared-link and list properties,
// and the language marker of numbered links.
constexpr int kDataFile = 0;
constexpr int kProductsProperty = 31;
constexpr int kTemplateProperty = 27;
constexpr int kSharedProperty = 28;
constexpr int kListProperty = 21;
constexpr int kNumberedMarker = 30;

struct GameMidlet : runtime::MIDlet {
    GameMidlet() : runtime::MIDlet(runtime::kQuorlin) {}
};

std::vector<std::string> texts(ObjectArray* list) {
    std::vector<std::string> out;
    for (int i = 0; i < list->length; ++i) {
        auto* s = static_cast<String*>((*list)[i]);
        out.push_back(s == nullptr ? "<null>" : testing_support::textOf(s));
    }
    return out;
}

class PromotionSampleTest : public PromotionFixture {
protected:
    void SetUp() override {
        PromotionFixture::SetUp();
        putResource(sampleText(kDataFile), tools::samplePromotionData());
        profile::installAppProperties();
    }
    void TearDown() override {
        runtime::setAppPropertyHooks({});
        PromotionFixture::TearDown();
    }

    // The configuration entry's text lists, read as the promotion set-up reads them.
    struct Configuration {
        std::string version;
        ObjectArray* languages = nullptr;
        ObjectArray* products = nullptr;
        ObjectArray* lists[3] = {};
    };
    static Configuration readConfiguration() {
        Configuration c;
        runtime::ByteArray* entry = promotion::readDataEntry(0);
        EXPECT_NE(entry, nullptr);
        statics()->promoReadPosition = 0;
        promotion::readU16(entry); // unused
        const int length = promotion::readU16(entry);
        c.version = std::string(reinterpret_cast<const char*>(entry->data()) + statics()->promoReadPosition,
                                static_cast<std::size_t>(length));
        statics()->promoReadPosition += length;
        c.languages = promotion::readTextList(entry);
        c.products = promotion::readTextList(entry);
        for (ObjectArray*& list : c.lists) {
            list = promotion::readTextList(entry);
        }
        return c;
    }
};

TEST_F(PromotionSampleTest, TheSampleFilesConfigurationReadsWhole) {
    ASSERT_TRUE(promotion::readDataIndex());
    EXPECT_EQ(statics()->promoEntryCount, tools::kPromotionEntryCount + 1);
    const Configuration c = readConfiguration();
    EXPECT_EQ(c.version, text(statics()->promoCodeVersion));
    EXPECT_EQ(texts(c.languages), std::vector<std::string>{"EN"});
    EXPECT_EQ(texts(c.products), std::vector<std::string>{"P1"});
    EXPECT_EQ(texts(c.lists[0]), std::vector<std::string>{"L1"});
    EXPECT_EQ(texts(c.lists[2]), std::vector<std::string>{"L3"});
    // The switches and the font version follow: none of the reads ran out.
    runtime::ByteArray* entry = promotion::readDataEntry(0);
    for (int i = 0; i < tools::kPromotionSwitches; ++i) {
        EXPECT_EQ(promotion::readU16(entry), 0);
    }
    const int fontVersionLength = promotion::readU16(entry);
    EXPECT_EQ(statics()->promoReadPosition + fontVersionLength, entry->length);
    EXPECT_NE(sampleText(26), tools::samplePromotionConfiguration().fontVersion);
    // The further entries are there and empty.
    for (int n = 1; n < tools::kPromotionEntryCount; ++n) {
        EXPECT_EQ(promotion::readDataEntry(n), nullptr) << n;
    }
}

// The catalogue part of the promotion set-up, run over each descriptor.
TEST_F(PromotionSampleTest, OnlyThePromotionFixtureOffersAProduct) {
    const struct {
        const char* name;
        std::string descriptor;
        int offered;
        const char* productLink; // "" when not offered
    } cases[] = {
        {"app.jad", tools::sampleAppDescriptor(), 0, ""},
        {"app-promo.jad", tools::promotionAppDescriptor(), 1,
         "http://example.invalid/?g=http://example.invalid/p1"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        promotion::igpStaticInit(statics());
        putResource("app.jad", tools::Bytes(c.descriptor.begin(), c.descriptor.end()));
        GameStatics* s = statics();
        s->promoMidlet = runtime::newObject<GameMidlet>();
        ASSERT_TRUE(promotion::readDataIndex());
        const Configuration config = readConfiguration();
        const int games = config.products->length;
        s->promoLinks = runtime::newObjectArray(games + 3);
        s->promoEntryAvailable = runtime::newByteArray(games + 3);
        s->promoEntryKinds = runtime::newIntArray(games + 3);
        s->promoListLinks = runtime::newObjectArray(3);
        s->promoListMembers = runtime::newObjectArray(3);
        s->promoListTextSlots = runtime::newObjectArray(3);
        s->promoListCounts = runtime::newIntArray(3);
        s->promoExtraEntry = games;
        s->promoListBase = games + 1;
        s->promoLinkTemplate =
            s->promoMidlet->getAppProperty(runtime::getConstantString(kTemplateProperty))->trim();
        s->promoTemplateNumbered =
            s->promoLinkTemplate->indexOf(runtime::getConstantString(kNumberedMarker)) >= 0;
        for (int i = 0; i < games; ++i) {
            promotion::resolveEntryLink(i, static_cast<String*>((*config.products)[i]),
                                        promotion::kTextAllChecks,
                                        runtime::getConstantString(kProductsProperty), s->promoLinkTemplate);
        }
        String* shared = s->promoMidlet->getAppProperty(runtime::getConstantString(kSharedProperty));
        EXPECT_FALSE(promotion::testTrimmedText(shared, promotion::kTextAllChecks)); // "0" in both
        promotion::layoutPromotionTexts(config.languages, config.lists[0]->length, config.lists[1]->length);
        promotion::resolveListLinks(0, config.lists[0], s->promoLastTextSlot0,
                                    runtime::getConstantString(kListProperty));
        promotion::resolveListLinks(1, config.lists[1], s->promoLastTextSlot1,
                                    runtime::getConstantString(kListProperty));
        s->promoAvailableCount = promotion::countPromotionEntries();

        EXPECT_EQ(s->promoAvailableCount, c.offered);
        auto* link = static_cast<String*>((*s->promoLinks)[0]);
        EXPECT_EQ(link == nullptr ? "" : text(link), c.productLink);
        EXPECT_EQ(s->promoNumberedCount, c.offered);
        EXPECT_EQ((*s->promoListCounts)[0] + (*s->promoListCounts)[1], 0);
    }
}

} // namespace
} // namespace game::testing
