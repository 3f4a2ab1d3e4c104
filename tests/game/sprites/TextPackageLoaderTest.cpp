// Loading the text container: a sound one fills the text statics; anything else leaves an empty
// package that getText can read.
#include "game/sprites/TextPackageLoader.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "game/core/TextPackage.h"
#include "game/sprites/ResourcePack.h"
#include "runtime/StreamsByteArray.h"
#include "tests/game/support/GameResourceFixture.h"
#include "tools/SamplePacks.h"

namespace game::sprites {
using namespace game::core;

namespace {

using runtime::jint;
using tools::Bytes;

Bytes bytesOf(const std::string& text) {
    return Bytes(text.begin(), text.end());
}

void appendLE(Bytes& bytes, const std::int64_t value) {
    for (int i = 0; i < 4; ++i) {
        bytes.push_back(static_cast<std::uint8_t>(value >> (8 * i)));
    }
}

// A container written field by field: the count, the end offsets and the bytes as given.
Bytes containerOf(const std::int64_t count, const std::vector<std::int64_t>& ends, const std::string& bytes) {
    Bytes container;
    appendLE(container, count);
    for (const std::int64_t end : ends) {
        appendLE(container, end);
    }
    const Bytes data = bytesOf(bytes);
    container.insert(container.end(), data.begin(), data.end());
    return container;
}

class TextPackageLoaderTest : public GameResourceFixture {
protected:
    jint load(const Bytes& container, const jint limit) {
        runtime::ByteArray* bytes = testing_support::byteArrayOf(container);
        auto* stream = runtime::newObject<runtime::java_io_ByteArrayInputStream>(bytes, 0, bytes->length);
        return loadTextPackage(stream, limit);
    }
    // Every text of the loaded package, "(null)" for an empty one.
    std::vector<std::string> texts() {
        std::vector<std::string> all;
        for (jint id = 0; id < statics()->textCount; ++id) {
            runtime::String* text = core::getText(id);
            all.push_back(text != nullptr ? testing_support::textOf(text) : "(null)");
        }
        return all;
    }
    bool loggedPart(const std::string& part) const {
        for (const std::string& line : logLines()) {
            if (line.find(part) != std::string::npos) {
                return true;
            }
        }
        return false;
    }
    void expectEmptyPackage(const char* what) {
        GameStatics* s = statics();
        EXPECT_EQ(s->textCount, 0) << what;
        ASSERT_NE(s->textOffsets, nullptr) << what;
        EXPECT_EQ(s->textOffsets->length, 1) << what;
        ASSERT_NE(s->textBytes, nullptr) << what;
        EXPECT_EQ(s->textBytes->length, 0) << what;
        EXPECT_EQ(core::getText(0), nullptr) << what;
        EXPECT_TRUE(loggedPart("text package:")) << what;
    }
};

TEST_F(TextPackageLoaderTest, ASoundContainerFillsTheTextStatics) {
    const Bytes container = tools::textContainer(
        {tools::encodeText(u"Play"), {}, tools::encodeText(u"x^y"), tools::encodeText(u"End")});
    EXPECT_EQ(load(container, static_cast<jint>(container.size())), 10 + 4 * 5);
    GameStatics* s = statics();
    EXPECT_EQ(s->textCount, 4);
    ASSERT_EQ(s->textOffsets->length, 5);
    const jint expectedOffsets[] = {0, 4, 4, 7, 10};
    for (jint i = 0; i < 5; ++i) {
        EXPECT_EQ((*s->textOffsets)[i], expectedOffsets[i]) << i;
    }
    EXPECT_EQ(s->textBytes->length, 10);
    EXPECT_EQ(texts(), (std::vector<std::string>{"Play", "(null)", "x^y", "End"}));
    // A package of no texts is sound too.
    EXPECT_EQ(load(tools::textContainer({}), 4), 4);
    EXPECT_EQ(s->textCount, 0);
    EXPECT_EQ(s->textOffsets->length, 1);
}

TEST_F(TextPackageLoaderTest, EveryNumberIsReadLowByteFirst) {
    // Count 2, end offsets 3 and 0x102, written byte by byte; then the 258 text bytes.
    Bytes container = {2, 0, 0, 0, 3, 0, 0, 0, 0x02, 0x01, 0, 0};
    const Bytes textBytes = bytesOf("One" + std::string(255, 'x'));
    container.insert(container.end(), textBytes.begin(), textBytes.end());
    EXPECT_EQ(load(container, static_cast<jint>(container.size())), 258 + 4 * 3);
    GameStatics* s = statics();
    EXPECT_EQ(s->textCount, 2);
    ASSERT_EQ(s->textOffsets->length, 3);
    EXPECT_EQ((*s->textOffsets)[0], 0);
    EXPECT_EQ((*s->textOffsets)[1], 3);
    EXPECT_EQ((*s->textOffsets)[2], 0x102);
    EXPECT_EQ(s->textBytes->length, 258);
    EXPECT_EQ(texts()[0], "One");
}

TEST_F(TextPackageLoaderTest, AContainerThatCannotBeReadWholeLeavesAnEmptyPackage) {
    const struct {
        const char* what;
        Bytes container;
        jint limit;
    } cases[] = {
        {"negative count", containerOf(-1, {}, ""), 100},
        {"count beyond the entry", containerOf(1000, {1}, "a"), 64},
        {"count beyond every size", containerOf(0x7FFFFFFF, {1}, "a"), 0x7FFFFFFF},
        {"decreasing offsets", containerOf(3, {2, 1, 3}, "abc"), 100},
        {"negative first offset", containerOf(2, {-1, 2}, "ab"), 100},
        {"texts beyond the entry", containerOf(2, {2, 50}, std::string(50, 'a')), 20},
        {"stream ends in the offsets", containerOf(3, {1}, ""), 100},
        {"stream ends in the texts", containerOf(2, {3, 6}, "abcd"), 100},
        {"empty stream", {}, 100},
    };
    for (const auto& c : cases) {
        clearLog();
        statics()->textCount = 5;
        EXPECT_EQ(load(c.container, c.limit), 0) << c.what;
        expectEmptyPackage(c.what);
        EXPECT_EQ(takePending().first, 0) << c.what;
    }
}

TEST_F(TextPackageLoaderTest, TheLimitComesFromTheStreamWhenNoneIsGiven) {
    const Bytes container = tools::textContainer({tools::encodeText(u"One")});
    runtime::ByteArray* bytes = testing_support::byteArrayOf(container);
    auto* stream = runtime::newObject<runtime::java_io_ByteArrayInputStream>(bytes, 0, bytes->length - 1);
    EXPECT_EQ(loadTextPackage(stream), 0);
    expectEmptyPackage("one byte short");
    stream = runtime::newObject<runtime::java_io_ByteArrayInputStream>(bytes, 0, bytes->length);
    EXPECT_EQ(loadTextPackage(stream), static_cast<jint>(container.size()));
    EXPECT_EQ(texts(), (std::vector<std::string>{"One"}));
    EXPECT_EQ(loadTextPackage(nullptr), 0);
    expectEmptyPackage("no stream");
}

TEST_F(TextPackageLoaderTest, LoadingFromAPackEntryDropsTheOldTextsAndClosesThePack) {
    const Bytes container = tools::textContainer({tools::encodeText(u"Alpha"), tools::encodeText(u"Beta")});
    putResources(tools::packArchiveEntries(
        "text", tools::buildPackParts({{true, bytesOf("before"), 0}, {true, container, 0}}), ""));
    GameStatics* s = statics();
    runtime::ObjectArray* cache = runtime::newObjectArray(3);
    (*cache)[1] = string("old");
    s->textCache = cache;
    loadTextPackageEntry(string("text"), 1);
    EXPECT_EQ((*cache)[1], nullptr);
    EXPECT_EQ(s->textCache, nullptr);
    EXPECT_EQ(texts(), (std::vector<std::string>{"Alpha", "Beta"}));
    EXPECT_EQ(s->packStream, nullptr);
    EXPECT_EQ(s->packPosition, 0);
    EXPECT_EQ(takePending().first, 0);
    // The container is read from the entry, not from wherever the stream happens to be.
    loadTextPackageEntry(string("text"), 1);
    EXPECT_EQ(texts(), (std::vector<std::string>{"Alpha", "Beta"}));
}

TEST_F(TextPackageLoaderTest, AMissingPackOrEntryLeavesAnEmptyPackageAndRaises) {
    loadTextPackageEntry(string("absent"), 0);
    expectEmptyPackage("missing pack");
    EXPECT_EQ(takePending().second, sampleText(kPackPartMissingMessage));

    putResources(tools::packArchiveEntries("text", tools::buildPackParts({tools::emptyPackEntry()}), ""));
    loadTextPackageEntry(string("text"), 4);
    expectEmptyPackage("entry outside the pack");
    EXPECT_EQ(takePending().second, sampleText(kPackEntryMissingMessage));
    // An empty range holds no container.
    loadTextPackageEntry(string("text"), 0);
    expectEmptyPackage("empty entry");
}

} // namespace
} // namespace game::sprites
