// The promotion catalogue: links from key=value properties, numbering, entry lists, and the start
// values of the promotion statics.
#include <gtest/gtest.h>

#include "game/promotion/IGP.h"
#include "tests/game/promotion/PromotionTestSupport.h"

namespace game::testing {
using namespace game::promotion;

namespace {

using promotion::linkFromProperty;
using runtime::String;

class PromotionCatalogueTest : public PromotionFixture {
protected:
    void SetUp() override {
        PromotionFixture::SetUp();
        GameStatics* s = statics();
        s->promoMidlet = runtime::newObject<PropertyMidlet>();
        s->promoLinks = runtime::newObjectArray(kEntries);
        s->promoEntryAvailable = runtime::newByteArray(kEntries);
        s->promoEntryKinds = runtime::newIntArray(kEntries);
        s->promoListLinks = runtime::newObjectArray(3);
        s->promoListMembers = runtime::newObjectArray(3);
        s->promoListTextSlots = runtime::newObjectArray(3);
        s->promoListCounts = runtime::newIntArray(3);
        s->promoExtraEntry = kExtra;
        s->promoListBase = kExtra + 1;
        s->promoLinkTemplate = string("http://x/%ID%");
    }
    static String* link(const int entry) { return static_cast<String*>((*statics()->promoLinks)[entry]); }
    static runtime::ObjectArray* keys(const std::vector<const char*>& names) {
        runtime::ObjectArray* list = runtime::newObjectArray(static_cast<int>(names.size()));
        for (std::size_t i = 0; i < names.size(); ++i) {
            (*list)[static_cast<int>(i)] = string(names[i]);
        }
        return list;
    }

    static constexpr int kExtra = 12;
    static constexpr int kEntries = 15;
};

TEST_F(PromotionCatalogueTest, LinkFromPropertyDecisions) {
    const struct {
        const char* list;
        const char* key;
        const char* linkTemplate;
        const char* expected;
    } cases[] = {
        {"GAME=abc;X=1", "GAME", "http://x/%ID%", "http://x/abc"}, // value to the separator
        {"X=1;GAME=abc", "GAME", "http://x/%ID%/%ID%",
         "http://x/abc/%ID%"},                             // value to the end; first placeholder
        {"GAME= ;X=1", "GAME", "t%ID%", ""},               // empty value
        {"GAME=0", "GAME", "t%ID%", ""},                   // exactly "0"
        {"GAME=off", "GAME", "t%ID%", ""},                 // off-word in any case
        {"GAME=none", "GAME", "t%ID%", "none"},            // the no-link word, bare
        {"LINK=abc", "LINK", "t%ID%", "abc"},              // the bare-value key
        {"BIGGAME=abc;GAME=def", "GAME", "t%ID%", "tabc"}, // first match inside a longer key
        {"GAME=abc", "GAME", "  plain  ", "plain"},        // no placeholder: the trimmed template
        {"GAME=abc", "GAME", "   ", ""},                   // empty template
        {"OTHER=abc", "GAME", "t%ID%", ""},                // key missing
        {"PROPERTY VALUE EMPTY", "GAME", "t%ID%", ""},     // property missing
    };
    for (const auto& c : cases) {
        EXPECT_EQ(text(linkFromProperty(string(c.list), string(c.key), string(c.linkTemplate))), c.expected)
            << c.list << " / " << c.key;
    }
    EXPECT_EQ(text(linkFromProperty(nullptr, string("GAME"), string("t"))), "");
    EXPECT_EQ(text(linkFromProperty(string("GAME=a"), nullptr, string("t"))), "");
}

TEST_F(PromotionCatalogueTest, TrimmedTextChecks) {
    const struct {
        const char* value; // null for no text
        int flags;
        bool passes;
    } cases[] = {
        {nullptr, 1, false}, {nullptr, 6, true}, {"  ", 1, false}, {"  ", 6, true}, {" none ", 2, false},
        {"none", 5, true},   {"Off", 4, false},  {"0", 4, false},  {"0", 3, true},  {"http://a", 7, true},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(promotion::testTrimmedText(c.value != nullptr ? string(c.value) : nullptr, c.flags) != 0,
                  c.passes)
            << (c.value != nullptr ? c.value : "null") << " " << c.flags;
    }
}

TEST_F(PromotionCatalogueTest, NumberedLinksCountOnlyOfferedEntries) {
    std::string pairs;
    for (int i = 0; i < 11; ++i) {
        pairs += "G" + std::to_string(i) + "=v" + std::to_string(i) + ";";
    }
    PropertyMidlet::values()["Games"] = pairs;
    statics()->promoTemplateNumbered = 1;
    String* property = string("Games");
    promotion::resolveEntryLink(0, string("G0"), 7, property, statics()->promoLinkTemplate);
    promotion::resolveEntryLink(1, string("MISSING"), 7, property, statics()->promoLinkTemplate);
    for (int i = 1; i < 11; ++i) {
        promotion::resolveEntryLink(i + 1, string(("G" + std::to_string(i)).c_str()), 7, property,
                                    statics()->promoLinkTemplate);
    }
    EXPECT_EQ(text(link(0)), "http://x/v0&n=01");
    EXPECT_EQ(link(1), nullptr);
    EXPECT_EQ((*statics()->promoEntryAvailable)[1], 0);
    EXPECT_EQ(text(link(2)), "http://x/v1&n=02");
    EXPECT_EQ(text(link(10)), "http://x/v9&n=10"); // the tenth offered
    EXPECT_EQ(text(link(11)), "http://x/v10&n=11");
    EXPECT_EQ(statics()->promoNumberedCount, 11);
    EXPECT_EQ((*statics()->promoEntryKinds)[11], 4);

    // The extra entry is offered but neither numbered nor marked.
    PropertyMidlet::values()["Extra"] = "X=abc";
    promotion::resolveEntryLink(kExtra, string("X"), 7, string("Extra"), string("shared/%ID%"));
    EXPECT_EQ(text(link(kExtra)), "shared/abc");
    EXPECT_EQ((*statics()->promoEntryAvailable)[kExtra], 1);
    EXPECT_EQ((*statics()->promoEntryKinds)[kExtra], 0);
    EXPECT_EQ(statics()->promoNumberedCount, 11);
}

TEST_F(PromotionCatalogueTest, ListMembersTakeLinksByKind) {
    PropertyMidlet::values()["List0"] = "A=a1;C=off";
    PropertyMidlet::values()["Promo-List"] = "LAST=z";
    statics()->promoSharedLink = string("shared");
    promotion::resolveListLinks(0, keys({"A", "SHARED", "C", "LAST"}), 40, string("List0"));
    GameStatics* s = statics();
    auto* links = static_cast<runtime::ObjectArray*>((*s->promoListLinks)[0]);
    auto* members = static_cast<runtime::IntArray*>((*s->promoListMembers)[0]);
    auto* slots = static_cast<runtime::IntArray*>((*s->promoListTextSlots)[0]);
    ASSERT_EQ(links->length, 4);
    EXPECT_EQ(text(static_cast<String*>((*links)[0])), "http://x/a1");
    EXPECT_EQ(text(static_cast<String*>((*links)[1])), "shared");
    EXPECT_EQ(text(static_cast<String*>((*links)[2])), "shared"); // no placeholder in the shared base
    EXPECT_EQ((*links)[3], nullptr);
    EXPECT_EQ((*members)[0], 0);
    EXPECT_EQ((*members)[1], 1);
    EXPECT_EQ((*members)[2], 3);
    EXPECT_EQ((*slots)[0], 37);
    EXPECT_EQ((*slots)[2], 0);
    EXPECT_EQ((*slots)[3], 40);
    EXPECT_EQ((*s->promoListCounts)[0], 3);
    EXPECT_EQ((*s->promoEntryAvailable)[kExtra + 1], 1);
    EXPECT_EQ(s->promoNumberedCount, 0);
}

TEST_F(PromotionCatalogueTest, ListWhoseMembersAllFailStaysUnavailable) {
    // promoSharedLink is the empty start value: the last member has no link either.
    promotion::resolveListLinks(1, keys({"A", "B"}), 20, string("Nothing"));
    GameStatics* s = statics();
    auto* links = static_cast<runtime::ObjectArray*>((*s->promoListLinks)[1]);
    ASSERT_NE(links, nullptr);
    EXPECT_EQ((*links)[0], nullptr);
    EXPECT_EQ((*links)[1], nullptr);
    EXPECT_EQ((*s->promoListCounts)[1], 0);
    EXPECT_EQ((*s->promoEntryAvailable)[kExtra + 2], 0);
}

// Keys cut off by the end of the promotion data are null: such a member or entry is never offered.
TEST_F(PromotionCatalogueTest, NullKeysAreNeverOffered) {
    PropertyMidlet::values()["List0"] = "A=a1";
    PropertyMidlet::values()["Promo-List"] = "A=z";
    statics()->promoSharedLink = string("shared/%ID%");
    runtime::ObjectArray* cut = keys({"A", "A", "A"});
    (*cut)[1] = nullptr;
    (*cut)[2] = nullptr;
    promotion::resolveListLinks(0, cut, 30, string("List0"));
    GameStatics* s = statics();
    auto* members = static_cast<runtime::IntArray*>((*s->promoListMembers)[0]);
    EXPECT_EQ((*s->promoListCounts)[0], 1);
    EXPECT_EQ((*members)[0], 0);
    EXPECT_EQ((*static_cast<runtime::ObjectArray*>((*s->promoListLinks)[0]))[1], nullptr);

    promotion::resolveEntryLink(0, nullptr, 7, string("List0"), s->promoLinkTemplate);
    EXPECT_EQ((*s->promoEntryAvailable)[0], 0);
    EXPECT_EQ(link(0), nullptr);
}

TEST_F(PromotionCatalogueTest, LinksOffStillCreatesTheArrays) {
    PropertyMidlet::values()["List0"] = "A=a1";
    (*statics()->promoLinksOff)[0] = 1;
    promotion::resolveListLinks(0, keys({"A", "B"}), 20, string("List0"));
    GameStatics* s = statics();
    auto* links = static_cast<runtime::ObjectArray*>((*s->promoListLinks)[0]);
    ASSERT_NE(links, nullptr);
    EXPECT_EQ(links->length, 2);
    EXPECT_EQ((*links)[0], nullptr);
    EXPECT_NE((*s->promoListMembers)[0], nullptr);
    EXPECT_NE((*s->promoListTextSlots)[0], nullptr);
    EXPECT_EQ((*s->promoEntryAvailable)[kExtra + 1], 0);
}

TEST_F(PromotionCatalogueTest, StartValues) {
    GameStatics* s = statics();
    EXPECT_EQ(text(s->promoCodeVersion), sampleText(66));
    EXPECT_EQ(text(s->promoVersionText), sampleText(67) + sampleText(66));
    EXPECT_EQ(text(s->promoDataVersion), "");
    EXPECT_EQ(s->promoFrameColour, 0xCF0900);
    EXPECT_EQ(s->promoSoftKeyLeftX, 2);
    EXPECT_EQ(s->promoSoftKeyRightInset, 2);
    EXPECT_EQ(s->promoLinksOff->length, 1);
    EXPECT_EQ(s->promoFlagNumbers->length, 1);
    EXPECT_EQ(s->promoLowNumber, -1);
    EXPECT_EQ(s->promoHighNumber, 8);
    EXPECT_EQ(s->promoPictureSlotCount, 14);
    EXPECT_EQ(s->promoGlyphField3, 3);
    EXPECT_EQ(s->promoGlyphFormat, 0);
    EXPECT_EQ(s->promoTexts->length, 0);
    EXPECT_EQ(s->promoBlinkOn, 1);
    EXPECT_EQ(s->promoAvailableCount, -1);
    EXPECT_EQ(text(s->promoSharedLink), "");
    EXPECT_EQ(s->promoTextAreaHeight, -1);
}

TEST_F(PromotionCatalogueTest, TextSlotsAndEntryCount) {
    promotion::layoutPromotionTexts(keys({"EN", "FR", "DE"}), 4, 1);
    GameStatics* s = statics();
    EXPECT_EQ((*s->promoTextSlots)[0], 7);
    EXPECT_EQ((*s->promoTextSlots)[12], 19);
    EXPECT_EQ(s->promoListTextStart0, 20);
    EXPECT_EQ(s->promoLastTextSlot0, 23);
    EXPECT_EQ(s->promoListTextStart1, 0); // one entry: no start recorded
    EXPECT_EQ(s->promoLastTextSlot1, 24);
    EXPECT_EQ(s->promoExtraTextSlot, 25);
    promotion::layoutPromotionTexts(keys({"EN"}), 0, 0);
    EXPECT_EQ((*s->promoTextSlots)[0], 5);

    EXPECT_EQ(promotion::countPromotionEntries(), 0);
    (*s->promoEntryAvailable)[2] = 1;
    (*s->promoEntryAvailable)[14] = 1;
    EXPECT_EQ(promotion::countPromotionEntries(), 2);
}

} // namespace
} // namespace game::testing
