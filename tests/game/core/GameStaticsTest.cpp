// The game's static block: every root entry names a reference static inside the block, once.
#include <gtest/gtest.h>

#include <algorithm>
#include <memory>

#include "game/core/GameStatics.h"
#include "tests/support/RuntimeValues.h"

namespace game {
namespace {

TEST(GameStaticsTest, RootEntriesAreTheBlocksOwnReferenceFieldsInAscendingOrder) {
    std::unique_ptr<GameStatics> block{runtime::createStaticBlock<GameStatics>()};
    const auto* begin = reinterpret_cast<const char*>(block.get());
    const auto* end = begin + sizeof(GameStatics);
    ASSERT_GT(block->rootCount, testing_support::kLibraryRootCount);
    for (runtime::jint i = 0; i < block->rootCount; ++i) {
        const auto* slot = reinterpret_cast<const char*>(block->rootTable[i]);
        EXPECT_TRUE(slot >= begin && slot + sizeof(void*) <= end) << "entry " << i;
        EXPECT_EQ(*block->rootTable[i], nullptr) << "entry " << i;
    }
    EXPECT_TRUE(std::adjacent_find(block->rootTable, block->rootTable + block->rootCount, [](auto a, auto b) {
                    return a >= b;
                }) == block->rootTable + block->rootCount);
    const void* gameFields[] = {&block->midlet, &block->keyQueue, &block->packName, &block->textCache};
    for (const void* field : gameFields) {
        EXPECT_NE(std::find(block->rootTable, block->rootTable + block->rootCount, field),
                  block->rootTable + block->rootCount);
    }
}

} // namespace
} // namespace game
