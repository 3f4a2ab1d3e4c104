// Platform requests: the address is cut to 199 characters, the browser gets it, and a started
// browser ends the game exactly once; a browser that cannot start leaves the game running.
#include "profile/PlatformRequest.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/ProcessLauncher.h"
#include "runtime/Log.h"
#include "runtime/String.h"

namespace profile {
namespace {

using runtime::jchar;
using runtime::jint;

class PlatformRequestTest : public ::testing::Test {
protected:
    PlatformRequestTest() : previousLauncher(platform::installProcessLauncher(&launcher)) {
        setGameEndHook([this] { ++endings; });
    }
    ~PlatformRequestTest() override {
        setGameEndHook(nullptr);
        platform::installProcessLauncher(previousLauncher);
    }

    jint request(const std::u16string& url) {
        return platformRequestUnits(reinterpret_cast<const jchar*>(url.data()),
                                    static_cast<jint>(url.size()));
    }
    std::string launchedUrl(const std::size_t i = 0) const {
        return launcher.started.at(i).size() == 2 ? launcher.started[i][1] : "<bad argument list>";
    }

    platform::ScriptedProcessLauncher launcher;
    platform::ProcessLauncher* previousLauncher;
    int endings = 0;
};

TEST_F(PlatformRequestTest, AddressesAreCutTo199Characters) {
    for (const std::size_t length : {0u, 1u, 198u, 199u, 200u, 2000u}) {
        launcher.started.clear();
        setGameEndHook([this] { ++endings; });
        endings = 0;
        std::u16string url(length, u'x');
        for (std::size_t i = 0; i < length; ++i) {
            url[i] = static_cast<char16_t>(u'a' + i % 26);
        }
        EXPECT_EQ(request(url), 0);
        ASSERT_EQ(launcher.started.size(), 1u) << length;
        EXPECT_EQ(launcher.started[0][0], "xdg-open");
        const std::u16string kept = url.substr(0, 199);
        EXPECT_EQ(launchedUrl(), std::string(kept.begin(), kept.end())) << length;
        EXPECT_EQ(endings, 1) << length; // the empty address too starts the browser and ends
    }
}

TEST_F(PlatformRequestTest, CharactersBeyondAsciiReachTheBrowserAsUtf8) {
    request(u"http://t.test/\u00e9\u4e2d\U0001F600");
    EXPECT_EQ(launchedUrl(), "http://t.test/\xc3\xa9\xe4\xb8\xad\xf0\x9f\x98\x80");
}

TEST_F(PlatformRequestTest, ABrowserThatCannotStartLeavesTheGameRunning) {
    launcher.result = false;
    EXPECT_EQ(request(u"http://a.test"), 0);
    EXPECT_EQ(endings, 0);
    launcher.result = true;
    EXPECT_EQ(request(u"http://b.test"), 0);
    EXPECT_EQ(endings, 1);
    EXPECT_EQ(launcher.started.size(), 2u);
}

TEST_F(PlatformRequestTest, TheGameEndsOnlyOnce) {
    request(u"http://a.test");
    request(u"http://b.test");
    EXPECT_EQ(endings, 1);
    EXPECT_EQ(launcher.started.size(), 1u);
}

TEST_F(PlatformRequestTest, TakesTheUnitsOfAString) {
    runtime::String url;
    const jchar units[] = {'h', 't', 't', 'p', ':', '/', '/', 's', 0};
    url.chars = const_cast<jchar*>(units);
    url.count = 9;
    EXPECT_EQ(platformRequest(nullptr, &url), 0);
    EXPECT_EQ(launchedUrl(), "http://s");
    EXPECT_EQ(endings, 1);
}

TEST_F(PlatformRequestTest, ANullAddressIsLoggedAndIgnored) {
    std::vector<std::string> lines;
    const runtime::LogSink previous =
        runtime::setLogSink([&](const std::string& line) { lines.push_back(line); });
    EXPECT_EQ(platformRequest(nullptr, nullptr), 0);
    runtime::setLogSink(previous);
    EXPECT_TRUE(launcher.started.empty());
    EXPECT_EQ(endings, 0);
    ASSERT_FALSE(lines.empty());
    EXPECT_EQ(lines[0], "platformRequest url=null");
}

} // namespace
} // namespace profile
