// Resource routing, "app.jad" and application properties.
#include "profile/Resources.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "profile/Files.h"
#include "runtime/ObjectManager.h"
#include "runtime/StreamsByteArray.h"
#include "runtime/String.h"
#include "runtime/VirtualMemoryManager.h"
#include "tests/runtime/RuntimeFixture.h"
#include "tests/support/RuntimeValues.h"
#include "tests/support/TemporaryRoot.h"

namespace profile {
namespace {

using runtime::newStringFromCString;

// A stand-in for the archive: it records the names asked for and serves one text as "app.jad".
std::vector<std::string> asked;
std::string descriptor;
bool hasDescriptor = false;

runtime::java_io_InputStream* fakeArchive(String* name) {
    asked.push_back(testing_support::textOf(name));
    if (!hasDescriptor || asked.back() != "app.jad") {
        return nullptr;
    }
    runtime::ByteArray* bytes =
        testing_support::byteArrayOf(std::vector<std::uint8_t>(descriptor.begin(), descriptor.end()));
    return runtime::newObject<runtime::java_io_ByteArrayInputStream>(bytes, 0, bytes->length);
}

class ResourcesTest : public runtime::RuntimeFixture {
protected:
    using RuntimeFixture::RuntimeFixture;

    void SetUp() override {
        RuntimeFixture::SetUp();
        asked.clear();
        hasDescriptor = false;
        setArchiveOpener(&fakeArchive);
    }
    void TearDown() override {
        setArchiveOpener(nullptr);
        RuntimeFixture::TearDown();
    }
    String* posixName(const std::string& relative) const {
        return newStringFromCString((root.path().string() + "/" + relative).c_str());
    }

    testing_support::TemporaryRoot root;
};

TEST_F(ResourcesTest, ABarFileThatExistsOpensAsAFile) {
    root.write("extra.bar", "xyz");
    runtime::java_io_InputStream* stream = getResourceAsStream(posixName("extra.bar"));
    ASSERT_NE(stream, nullptr);
    EXPECT_EQ(stream->available(), 3);
    EXPECT_EQ(stream->read(), 'x');
    EXPECT_TRUE(asked.empty());
}

TEST_F(ResourcesTest, EveryOtherNameGoesToTheArchive) {
    // The file exists, but only ".bar" names are looked for on the disk.
    root.write("plain.bin", "xyz");
    const std::string missingBar = root.path().string() + "/missing.bar";
    const std::string plain = root.path().string() + "/plain.bin";
    EXPECT_EQ(getResourceAsStream(newStringFromCString(missingBar.c_str())), nullptr);
    EXPECT_EQ(getResourceAsStream(newStringFromCString(plain.c_str())), nullptr);
    EXPECT_EQ(getResourceAsStream(newStringFromCString("/constants.bin")), nullptr);
    EXPECT_EQ(asked, (std::vector<std::string>{missingBar, plain, "/constants.bin"}));
    EXPECT_EQ(getResourceAsStream(nullptr), nullptr);
    setArchiveOpener(nullptr);
    EXPECT_EQ(getResourceAsStream(newStringFromCString("text")), nullptr);
}

TEST_F(ResourcesTest, TheDescriptorIsReadWholeFromTheArchive) {
    hasDescriptor = true;
    descriptor = std::string(1300, 'k') + ": v\n";
    String* loaded = loadAppDescriptor();
    ASSERT_NE(loaded, nullptr);
    EXPECT_EQ(text(loaded), descriptor);
    EXPECT_EQ(asked, std::vector<std::string>{"app.jad"});
    hasDescriptor = false;
    EXPECT_EQ(loadAppDescriptor(), nullptr);
}

// Descriptors beyond any sane size are refused with a message that names the file, before their
// text can fill the heaps; the heaps here are the game's own.
class LargeDescriptorTest : public ResourcesTest {
protected:
    LargeDescriptorTest() : ResourcesTest(runtime::kObjectHeapSize, runtime::kSecondaryHeapSize) {}
};

TEST_F(LargeDescriptorTest, ADescriptorBeyond64KiBIsRefusedByName) {
    struct Case {
        const char* name;
        std::string text;
        bool read;
    };
    const std::string line = "MIDlet-Name: Tarnwick\n";
    std::string lines;
    for (int i = 0; i < 400000; ++i) {
        lines += line;
    }
    const Case cases[] = {
        {"400,000 lines", std::move(lines), false},
        {"64 KiB", std::string(64 * 1024 - 1, 'k') + ":", true},
        {"one byte more", std::string(64 * 1024, 'k') + ":", false},
    };
    for (const Case& c : cases) {
        hasDescriptor = true;
        descriptor = c.text;
        clearLog();
        String* loaded = loadAppDescriptor();
        EXPECT_EQ(loaded != nullptr, c.read) << c.name;
        if (c.read) {
            EXPECT_EQ(text(loaded).size(), c.text.size()) << c.name;
            continue;
        }
        ASSERT_EQ(logLines().size(), 1u) << c.name;
        EXPECT_EQ(logLines()[0].rfind("app.jad is ", 0), 0u) << logLines()[0];
    }
}

// A stream that says it holds one byte and gives 512 at every read.
struct EndlessStream : runtime::java_io_InputStream {
    EndlessStream() : java_io_InputStream(kClassId) {}
    static constexpr jint kClassId = runtime::kInputStream;
    using java_io_InputStream::read;
    jint read(runtime::ByteArray*, jint, const jint len) override { return len; }
    jint read() override { return 0; }
    jlong skip(const jlong n) override { return n; }
    jint available() override { return 1; }
};

runtime::java_io_InputStream* endlessArchive(String*) {
    return runtime::newObject<EndlessStream>();
}

TEST_F(LargeDescriptorTest, AStreamThatGivesMoreThanItSaidIsCutOff) {
    setArchiveOpener(&endlessArchive);
    EXPECT_EQ(loadAppDescriptor(), nullptr);
    ASSERT_EQ(logLines().size(), 1u);
    EXPECT_EQ(logLines()[0].rfind("app.jad holds more than", 0), 0u) << logLines()[0];
}

TEST_F(ResourcesTest, PropertyLines) {
    struct Case {
        const char* name;
        std::string text;
        std::vector<std::pair<std::string, std::string>> properties;
    };
    const Case cases[] = {
        {"CRLF and spaces",
         "MIDlet-Version: 1.0.0\r\n  Key :value  \r\n",
         {{"MIDlet-Version", "1.0.0"}, {"Key", "value"}}},
        {"no final line feed keeps the last character", "a: 1\nb: 22", {{"a", "1"}, {"b", "22"}}},
        {"only the first ':' splits", "Link: http://x:80/y\n", {{"Link", "http://x:80/y"}}},
        {"a blank line is skipped", "a: 1\n\nb: 2\n", {{"a", "1"}, {"b", "2"}}},
        {"a line without ':' is skipped", "a: 1\nnot a property\nb: 2\n", {{"a", "1"}, {"b", "2"}}},
        {"empty key and value", ":\nk:\r\n", {{"", ""}, {"k", ""}}},
        {"empty text", "", {}},
    };
    for (const Case& c : cases) {
        std::vector<std::pair<std::string, std::string>> found;
        parseAppDescriptor(newStringFromCString(c.text.c_str()), [&](String* key, String* value) {
            found.emplace_back(testing_support::textOf(key), testing_support::textOf(value));
        });
        EXPECT_EQ(found, c.properties) << c.name;
    }
    parseAppDescriptor(nullptr, [](String*, String*) { FAIL(); });
}

TEST_F(ResourcesTest, AMissingPropertyReadsPropertyValueEmpty) {
    EXPECT_EQ(text(appPropertyText(nullptr)), "PROPERTY VALUE EMPTY");
    String* value = newStringFromCString("1.0.0");
    EXPECT_EQ(appPropertyText(value), value);
}

} // namespace
} // namespace profile
