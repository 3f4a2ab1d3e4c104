// Reference statics exist only inside a static block, where they are roots.
#include <gtest/gtest.h>

#include <cstdio>
#include <memory>
#include <string>

#include "runtime/Log.h"
#include "runtime/StaticClass.h"
#include "tests/support/RuntimeValues.h"

namespace runtime {
namespace {

TEST(StaticRefDeathTest, OneMadeOutsideABlockStopsTheProgram) {
    EXPECT_EXIT({ StaticRef<Object> stray; }, ::testing::ExitedWithCode(1), "");
}

// The table holds the game's reference statics and the library's; one more is never dropped
// without a word.
TEST(StaticRefDeathTest, MoreStaticsThanTheTableHoldsStopTheProgram) {
    struct Full : StaticClass {
        StaticRef<Object> game[kStaticRootCapacity - testing_support::kLibraryRootCount];
    };
    struct Overfull : Full {
        StaticRef<Object> oneMore;
    };
    std::unique_ptr<Full> full{createStaticBlock<Full>()};
    EXPECT_EQ(full->rootCount, kStaticRootCapacity);
    EXPECT_EXIT(
        {
            setLogSink([](const std::string& line) { std::fprintf(stderr, "%s\n", line.c_str()); });
            createStaticBlock<Overfull>();
        },
        ::testing::ExitedWithCode(1), "static root table full");
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
