// Message boxes on the console and their UTF-8 text.
#include "platform/MessageBox.h"

#include <gtest/gtest.h>

#include "runtime/Log.h"

namespace platform {
namespace {

TEST(Utf16ToUtf8Test, ConvertsEveryPlane) {
    struct Case {
        std::u16string text;
        std::string utf8;
    };
    const Case cases[] = {
        {u"Notice", "Notice"},
        {u"Möchtest", "M\xC3\xB6"
                      "chtest"},
        {u"Poznámka\n", "Pozn\xC3\xA1mka\n"},
        {u"\u20AC", "\xE2\x82\xAC"},
        {u"\U0001F600", "\xF0\x9F\x98\x80"},
        {std::u16string(1, char16_t(0xD800)) + u"x", "\xEF\xBF\xBDx"}, // lone high surrogate
        {std::u16string(1, char16_t(0xDC00)), "\xEF\xBF\xBD"},         // lone low surrogate
        {u"", ""},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(utf16ToUtf8(c.text), c.utf8);
    }
}

TEST(Utf8ToUtf16Test, ConvertsEveryPlaneAndReplacesWhatIsNoUtf8) {
    struct Case {
        std::string utf8;
        std::u16string text;
    };
    const Case cases[] = {
        {"/home/u/Saves", u"/home/u/Saves"},
        {"M\xC3\xB6", u"M\u00F6"},
        {"\xE2\x82\xAC", u"\u20AC"},
        {"\xF0\x9F\x98\x80", u"\U0001F600"},
        {"a\x80z", u"a\uFFFDz"},                           // a continuation byte alone
        {"\xC3", u"\uFFFD"},                               // cut short
        {"\xE2\x82z", u"\uFFFD\uFFFDz"},                   // cut short by another character
        {"\xC0\xAF", u"\uFFFD\uFFFD"},                     // overlong '/'
        {"\xED\xA0\x80", u"\uFFFD\uFFFD\uFFFD"},           // a surrogate
        {"\xF4\x90\x80\x80", u"\uFFFD\uFFFD\uFFFD\uFFFD"}, // beyond U+10FFFF
        {"\xFF", u"\uFFFD"},
        {"", u""},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(utf8ToUtf16(c.utf8), c.text) << c.utf8;
        if (c.text.find(u'\uFFFD') == std::u16string::npos) {
            EXPECT_EQ(utf16ToUtf8(utf8ToUtf16(c.utf8)), c.utf8);
        }
    }
}

TEST(ConsoleMessageBoxTest, LogsCaptionAndTextAndAnswersTheFirstButton) {
    std::vector<std::string> lines;
    const runtime::LogSink previous =
        runtime::setLogSink([&](const std::string& line) { lines.push_back(line); });
    ConsoleMessageBox box;
    EXPECT_EQ(box.show(u"Zkus zavrít", u"Tarnwick", kMessageBoxIconExclamation), kAnswerOk);
    EXPECT_EQ(box.show(u"Keep?", u"Notice", kMessageBoxYesNo), kAnswerYes);
    runtime::setLogSink(previous);
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_EQ(lines[0], "Tarnwick: Zkus zavr\xC3\xADt");
}

TEST(ScriptedMessageBoxTest, RecordsAndAnswers) {
    ScriptedMessageBox box;
    box.answer = kAnswerNo;
    EXPECT_EQ(box.show(u"text", u"caption", 0x30), kAnswerNo);
    ASSERT_EQ(box.shown.size(), 1u);
    EXPECT_EQ(box.shown[0].text, u"text");
    EXPECT_EQ(box.shown[0].caption, u"caption");
    EXPECT_EQ(box.shown[0].style, 0x30u);
}

} // namespace
} // namespace platform
