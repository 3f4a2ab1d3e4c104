// Commands: the label and type setters and the exceptions they raise.
#include "runtime/Command.h"

#include <gtest/gtest.h>

#include "runtime/ClassTable.h"
#include "runtime/Exceptions.h"
#include "runtime/ObjectManager.h"
#include "runtime/String.h"
#include "runtime/Throwable.h"
#include "tests/runtime/RuntimeFixture.h"

namespace runtime {
namespace {

class CommandTest : public RuntimeFixture {
protected:
    // The class id of the pending exception (0 for none), which is then cleared.
    jint takePendingException() {
        java_lang_Throwable* pending = getPendingException();
        application.pendingException = nullptr;
        return pending != nullptr ? pending->classId : 0;
    }
};

TEST_F(CommandTest, SetTypeTakesTypesOneToEight) {
    struct Case {
        jint type;
        jint raised; // class id of the exception, 0 for none
    };
    const Case cases[] = {{0, kIllegalArgumentException},
                          {1, 0},
                          {8, 0},
                          {9, kIllegalArgumentException},
                          {-1, kIllegalArgumentException}};
    for (const Case& c : cases) {
        Command* command = newObject<Command>();
        command->setType(4, 1);
        ASSERT_EQ(takePendingException(), 0);
        command->setType(c.type, 7);
        EXPECT_EQ(takePendingException(), c.raised) << c.type;
        // A refused type changes neither field.
        EXPECT_EQ(command->commandType, c.raised == 0 ? c.type : 4) << c.type;
        EXPECT_EQ(command->priority, c.raised == 0 ? 7 : 1) << c.type;
    }
}

TEST_F(CommandTest, ANullLabelRaisesAndChangesNothing) {
    Command* command = newObject<Command>();
    String* back = newStringFromCString("Back");
    String* backLong = newStringFromCString("Back to the menu");
    command->setLabels(back, backLong);
    EXPECT_EQ(takePendingException(), 0);
    EXPECT_EQ(command->label, back);
    EXPECT_EQ(command->longLabel, backLong);

    command->setLabels(nullptr, newStringFromCString("Other"));
    EXPECT_EQ(takePendingException(), kNullPointerException);
    EXPECT_EQ(command->label, back);
    EXPECT_EQ(command->longLabel, backLong);

    // Only the short label is required.
    String* ok = newStringFromCString("OK");
    command->setLabels(ok, nullptr);
    EXPECT_EQ(takePendingException(), 0);
    EXPECT_EQ(command->label, ok);
    EXPECT_EQ(command->longLabel, nullptr);
}

TEST_F(CommandTest, BothLabelsAreFollowedByTheCollector) {
    newObject<Command>();
    EXPECT_EQ(getClassRecord(kCommand)->refCount, 2);
}

} // namespace
} // namespace runtime
