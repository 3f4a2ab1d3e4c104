// The Display: a new object per request, all acting on the Application's current displayable.
#include "runtime/Display.h"

#include <gtest/gtest.h>

#include "runtime/Displayable.h"
#include "runtime/ObjectManager.h"
#include "tests/runtime/RuntimeFixture.h"

namespace runtime {
namespace {

struct TestCanvas : javax_microedition_lcdui_Displayable {
    TestCanvas() : javax_microedition_lcdui_Displayable(kDevice) {}
};

using DisplayTest = RuntimeFixture;

TEST_F(DisplayTest, EveryRequestGivesANewDisplayForTheSameScreen) {
    Display* first = Display::getDisplay(nullptr);
    Display* second = Display::getDisplay(nullptr);
    ASSERT_NE(first, nullptr);
    ASSERT_NE(second, nullptr);
    EXPECT_NE(first, second);
    EXPECT_EQ(first->classId, kDisplay);

    TestCanvas* canvas = newObject<TestCanvas>();
    first->setCurrent(canvas);
    EXPECT_EQ(application.currentDisplayable, canvas);
    second->setCurrent(nullptr);
    EXPECT_EQ(application.currentDisplayable, nullptr);
}

} // namespace
} // namespace runtime
