// Reference statics exist only inside a static block, where they are roots.
#include <gtest/gtest.h>

#include "runtime/StaticClass.h"

namespace runtime {
namespace {

TEST(StaticRefDeathTest, OneMadeOutsideABlockStopsTheProgram) {
    EXPECT_EXIT({ StaticRef<Object> stray; }, ::testing::ExitedWithCode(1), "");
}

TEST(StaticRefTest, BlocksMadeOneInsideAnotherKeepTheirOwnRoots) {
    struct Inner : StaticClass {
        StaticRef<Object> only;
    };
    struct Outer : StaticClass {
        Outer() : inner(createStaticBlock<Inner>()) {}
        ~Outer() override { delete inner; }
        Inner* inner;
        StaticRef<Object> after;
    };
    Outer* outer = createStaticBlock<Outer>();
    EXPECT_EQ(outer->inner->rootCount, outer->rootCount);
    EXPECT_EQ(outer->inner->rootTable[outer->inner->rootCount - 1],
              reinterpret_cast<Object**>(&outer->inner->only));
    EXPECT_EQ(outer->rootTable[outer->rootCount - 1], reinterpret_cast<Object**>(&outer->after));
    delete outer;
}

} // namespace
} // namespace runtime
