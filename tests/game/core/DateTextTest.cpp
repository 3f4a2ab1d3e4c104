// Date text: field filling, the separator, and leaving out the third field only for the
// empty-text constant itself.
#include "game/core/DateText.h"

#include <gtest/gtest.h>

#include "runtime/ConstantPool.h"
#include "tests/game/support/GameResourceFixture.h"

namespace game::core {

namespace {

class DateTextTest : public GameResourceFixture {
protected:
    static std::string text(const runtime::String* s) { return testing_support::textOf(s); }
};

TEST_F(DateTextTest, FieldsAreFilledAndJoined) {
    // The sample data's fill text is "0" and its separator "/".
    runtime::String* const emptyConstant = runtime::getConstantString(1);
    const struct {
        const char* first;
        const char* second;
        const char* third; // null: the empty-text constant
        const char* date;
    } cases[] = {
        {"7", "3", "2010", "07/03/2010"}, {"12", "11", nullptr, "12/11"},
        {"12", "11", "", "12/11/"}, // an empty String that is not the constant keeps its separator
        {"", "", "9", "00/0/9"},    // an empty first field takes two fills, the second one
        {"123", "45", "6", "123/45/6"},
    };
    for (const auto& c : cases) {
        runtime::String* const third = c.third != nullptr ? string(c.third) : emptyConstant;
        EXPECT_EQ(text(formatDateText(string(c.first), string(c.second), third)), c.date) << c.first;
    }
    EXPECT_EQ(text(formatDateText(nullptr, nullptr, emptyConstant)), "00/0");
}

} // namespace
} // namespace game::core
