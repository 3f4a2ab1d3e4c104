// The promotion touch map in list and page mode.
#include <gtest/gtest.h>

#include "game/promotion/IGP.h"
#include "tests/game/promotion/PromotionTestSupport.h"

namespace game::testing {
using namespace game::promotion;

namespace {

class PromotionTouchTest : public PromotionFixture {
protected:
    void SetUp() override {
        PromotionFixture::SetUp();
        GameStatics* s = statics();
        s->promoTouchReady = 1;
        s->promoScreenWidth = 480;
        s->promoScreenHeight = 800;
        s->promoListX = 40;
        s->promoListWidth = 400;
        s->promoListTop = 200;
        s->promoListRowHeight = 50;
        s->promoListRowCount = 6;
        s->promoListVisibleRows = 4;
        s->promoListFirstVisible = 1;
        s->promoListSelected = 2;
        s->promoUpArrowX = 240;
        s->promoUpArrowY = 170;
        s->promoDownArrowX = 240;
        s->promoDownArrowY = 430;
        s->promoListArrowWidth = 20;
        s->promoListArrowHeight = 10;
        s->promoPageImageX = 100;
        s->promoPageImageY = 100;
        s->promoPageImageWidth = 280;
        s->promoPageImageHeight = 200;
        s->promoTextAreaX = 100;
        s->promoTextAreaY = 500;
        s->promoTextAreaWidth = 280;
        s->promoTextAreaHeight = 60;
        s->promoSideArrowWidth = 15;
        s->promoSideArrowHeight = 20;
        s->promoSideArrowOffset = 0;
        s->promoSoftKeyWidth = 40;
        s->promoSoftKeyHeight = 20;
        s->promoSoftKeyMargin = 2;
    }
};

TEST_F(PromotionTouchTest, ListMode) {
    const struct {
        int x, y, code, selectedAfter;
    } cases[] = {
        {240, 260, 25, 2}, // the selected row (entry 2, second visible row)
        {240, 210, 0, 1},  // another row selects it
        {240, 360, 0, 4},  // last visible row: entry 4
        {30, 260, 0, 2},   // left of the list band
        {240, 170, 21, 2}, // up arrow
        {240, 430, 32, 2}, // down arrow
        {10, 400, 23, 2},  // left side arrow
        {470, 400, 24, 2}, // right side arrow
        {20, 790, 25, 2},  // left soft key
        {460, 790, 26, 2}, // right soft key
        {0, 260, 0, 2},    // x below 1
        {240, 0, 0, 2},    // y below 1
        {240, 600, 0, 2},  // nothing there
    };
    for (const auto& c : cases) {
        statics()->promoListMode = 1;
        statics()->promoListSelected = 2;
        EXPECT_EQ(promotion::promotionActionAt(c.x, c.y), c.code) << c.x << "," << c.y;
        EXPECT_EQ(statics()->promoListSelected, c.selectedAfter) << c.x << "," << c.y;
    }
}

TEST_F(PromotionTouchTest, ArrowsOnlyAwayFromTheListEnds) {
    GameStatics* s = statics();
    s->promoListMode = 1;
    s->promoListSelected = 0;
    EXPECT_EQ(promotion::promotionActionAt(240, 170), 0);
    s->promoListSelected = 5;
    EXPECT_EQ(promotion::promotionActionAt(240, 430), 0);
    s->promoListRowCount = 4; // everything visible: no arrows
    s->promoListSelected = 2;
    EXPECT_EQ(promotion::promotionActionAt(240, 170), 0);
}

TEST_F(PromotionTouchTest, PageModeAndReadiness) {
    GameStatics* s = statics();
    s->promoListMode = 0;
    const struct {
        int x, y, code;
    } cases[] = {
        {200, 200, 27}, {100, 200, 0}, // bounds exclusive
        {200, 530, 27}, {200, 560, 0}, {10, 400, 23}, {20, 790, 25},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(promotion::promotionActionAt(c.x, c.y), c.code) << c.x << "," << c.y;
    }
    s->promoSoftKeysHidden = 1;
    EXPECT_EQ(promotion::promotionActionAt(20, 790), 0);
    s->promoTouchReady = 0;
    EXPECT_EQ(promotion::promotionActionAt(200, 200), 0);
}

} // namespace
} // namespace game::testing
