// The promotion data file: index and entries, failures that must not pass as data, the entry
// cache, and text lists that run past their data.
#include <gtest/gtest.h>

#include "game/promotion/IGP.h"
#include "tests/game/promotion/PromotionTestSupport.h"

namespace game::testing {
using namespace game::promotion;

namespace {

using promotion::readDataEntry;
using promotion::readDataIndex;
using runtime::ByteArray;

constexpr const char* kFile = "promo.dat";

std::string entryText(ByteArray* bytes) {
    return bytes == nullptr ? "<null>"
                            : std::string(reinterpret_cast<const char*>(bytes->data()), bytes->length);
}

class PromotionDataTest : public PromotionFixture {};

TEST_F(PromotionDataTest, ThreeEntriesOneEmpty) {
    putResource(kFile, promotionFile({0, 3, 3, 5}, "abcde"));
    ASSERT_TRUE(readDataIndex());
    EXPECT_EQ(statics()->promoEntryCount, 4);
    EXPECT_EQ(entryText(readDataEntry(0)), "abc");
    EXPECT_EQ(entryText(readDataEntry(1)), "<null>"); // equal offsets: empty, not an empty array
    EXPECT_EQ(entryText(readDataEntry(2)), "de");
    EXPECT_EQ(entryText(readDataEntry(3)), "<null>");
    EXPECT_EQ(entryText(readDataEntry(-1)), "<null>");
    EXPECT_EQ(takePending().first, 0);
}

TEST_F(PromotionDataTest, CountsZeroAndOneHoldNoEntry) {
    for (const std::vector<std::uint32_t>& offsets :
         {std::vector<std::uint32_t>{}, std::vector<std::uint32_t>{0}}) {
        putResource(kFile, promotionFile(offsets, "xyz"));
        ASSERT_TRUE(readDataIndex());
        EXPECT_EQ(statics()->promoEntryCount, static_cast<int>(offsets.size()));
        for (int n = -1; n <= 2; ++n) {
            EXPECT_EQ(readDataEntry(n), nullptr) << offsets.size() << " " << n;
        }
    }
}

TEST_F(PromotionDataTest, BadFilesFailCleanly) {
    tools::Bytes truncatedIndex = promotionFile({0, 2, 4}, "");
    truncatedIndex.resize(7); // count + one offset + one byte of the next
    const struct {
        const char* name;
        tools::Bytes file;
    } cases[] = {
        {"truncated index", truncatedIndex},
        {"decreasing offsets", promotionFile({0, 4, 2}, "abcd")},
        {"offset past 2^31", promotionFile({0, 0x80000000u}, "ab")},
        {"one byte only", tools::Bytes{3}},
    };
    for (const auto& c : cases) {
        putResource(kFile, c.file);
        EXPECT_FALSE(readDataIndex()) << c.name;
        EXPECT_EQ(statics()->promoEntryCount, 0) << c.name;
        EXPECT_EQ(statics()->promoEntryOffsets.get(), nullptr) << c.name;
        EXPECT_EQ(readDataEntry(0), nullptr) << c.name;
        EXPECT_EQ(takePending().first, 0) << c.name;
    }
    removeResource(kFile);
    EXPECT_FALSE(readDataIndex());
}

TEST_F(PromotionDataTest, TruncatedEntryIsNull) {
    putResource(kFile, promotionFile({0, 2, 10}, "abcd")); // entry 1 wants 8 bytes, 2 are there
    ASSERT_TRUE(readDataIndex());
    EXPECT_EQ(entryText(readDataEntry(0)), "ab");
    EXPECT_EQ(readDataEntry(1), nullptr);
    EXPECT_EQ(takePending().first, 0);
}

TEST_F(PromotionDataTest, CacheAnswersWithoutTheFile) {
    putResource(kFile, promotionFile({0, 1, 2}, "ab"));
    ASSERT_TRUE(readDataIndex());
    removeResource(kFile);
    EXPECT_EQ(readDataEntry(0), nullptr); // the file is gone
    ByteArray* cached = testing_support::byteArrayOf({'Q'});
    runtime::ObjectArray* cache = runtime::newObjectArray(2);
    (*cache)[0] = cached;
    statics()->promoEntryCache = cache;
    const int opensBefore = openCount(kFile);
    EXPECT_EQ(readDataEntry(0), cached);
    EXPECT_EQ(readDataEntry(1), nullptr);
    EXPECT_EQ(openCount(kFile), opensBefore);
}

TEST_F(PromotionDataTest, ReadingTheIndexDropsTheCache) {
    putResource(kFile, promotionFile({0, 1}, "a"));
    statics()->promoEntryCache = runtime::newObjectArray(1);
    ASSERT_TRUE(readDataIndex());
    EXPECT_EQ(statics()->promoEntryCache.get(), nullptr);
}

TEST_F(PromotionDataTest, TextListsStopAtTheEndOfTheData) {
    tools::Bytes whole = textList({"EN", "FR", "DE"});
    const struct {
        const char* name;
        std::size_t keep;
        std::vector<std::string> texts; // "<null>" for an element left null
    } cases[] = {
        {"whole", whole.size(), {"EN", "FR", "DE"}},
        {"last text cut", whole.size() - 1, {"EN", "FR", "<null>"}},
        {"length cut", 9, {"EN", "<null>", "<null>"}},
        {"count only", 2, {"<null>", "<null>", "<null>"}},
    };
    for (const auto& c : cases) {
        tools::Bytes data(whole.begin(), whole.begin() + static_cast<long>(c.keep));
        ByteArray* bytes = testing_support::byteArrayOf(data);
        statics()->promoReadPosition = 0;
        runtime::ObjectArray* list = promotion::readTextList(bytes);
        ASSERT_EQ(list->length, 3) << c.name;
        for (int i = 0; i < 3; ++i) {
            auto* s = static_cast<runtime::String*>((*list)[i]);
            EXPECT_EQ(s == nullptr ? "<null>" : text(s), c.texts[static_cast<std::size_t>(i)]) << c.name << i;
        }
        EXPECT_EQ(statics()->promoReadPosition, static_cast<int>(c.keep)) << c.name;
    }
}

TEST_F(PromotionDataTest, SixteenBitReadsPastTheEndGiveZero) {
    ByteArray* bytes = testing_support::byteArrayOf({0x34, 0x12, 0x07});
    statics()->promoReadPosition = 0;
    EXPECT_EQ(promotion::readU16(bytes), 0x1234);
    EXPECT_EQ(promotion::readU16(bytes), 0);
    EXPECT_EQ(statics()->promoReadPosition, 3);
}

} // namespace
} // namespace game::testing
