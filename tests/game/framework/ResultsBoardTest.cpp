// The match results board: when an event shows it, how many icons it paints and where.
#include "game/framework/ResultsBoard.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "game/core/GameStatics.h"
#include "game/sprites/ASpriteInstance.h"
#include "runtime/ObjectManager.h"
#include "tests/game/support/FrameFixture.h"

namespace game::framework {
using namespace game::sprites;

namespace {

using runtime::jint;
using runtime::jshort;
using Calls = std::vector<std::string>;

class ResultsBoardTest : public testing::FrameFixture {
protected:
    void SetUp() override {
        FrameFixture::SetUp();
        block()->frameRecord = runtime::newShortArray(8);
        block()->attemptResults = runtime::newByteArray(10);
        block()->boardIcon = runtime::newObject<sprites::ASpriteInstance>(nullptr, 0, 0);
        neighbours.log.take();
    }
    static void event(const jint count, const jint kind) {
        (*statics()->frameRecord)[1] = static_cast<jshort>(count);
        (*statics()->frameRecord)[2] = static_cast<jshort>(kind);
    }
    // The attempt count n in its place in element 1.
    static jint attempts(const jint n) { return n << 8; }
    // The icons painted: "animation x,y" each.
    Calls icons() {
        Calls painted;
        std::string animation;
        for (const std::string& call : neighbours.log.take({"setAnim", "paintOn"})) {
            if (call.rfind("setAnim ", 0) == 0) {
                animation = call.substr(8, call.find(',') - 8);
            } else {
                const std::string args = call.substr(8);
                const std::size_t second = args.find(',', args.find(',') + 1);
                painted.push_back(animation + " " + args.substr(0, second));
            }
        }
        return painted;
    }
};

TEST_F(ResultsBoardTest, OnlyAnEventOfKindFiveWithAttemptsAndALowNibbleOfZeroShowsTheBoard) {
    struct Case {
        const char* name;
        jint count;
        jint kind;
        bool shown;
    };
    const Case cases[] = {
        {"kind 101", attempts(1), 0xA000, true},
        {"low bits of the kind word", attempts(3), 0xA123, true},
        {"all 127 attempts", attempts(127), 0xBFFF, true},
        {"high bit of element 1", attempts(1) | 0x8000, 0xA000, true},
        {"no attempts", 0, 0xA000, false},
        {"low nibble set", attempts(1) | 0x1, 0xA000, false},
        {"low nibble 8", attempts(2) | 0x8, 0xA000, false},
        {"kind 100", attempts(1), 0x8000, false},
        {"kind 111", attempts(1), 0xE000, false},
        {"kind 001", attempts(1), 0x2000, false},
    };
    for (const Case& c : cases) {
        event(c.count, c.kind);
        paintResultsBoard();
        const Calls calls = neighbours.log.take({"paintCutCornerPanel"});
        EXPECT_EQ(calls.size(), c.shown ? 1u : 0u) << c.name;
    }
    block()->frameRecord = runtime::newShortArray(2);
    paintResultsBoard();
    EXPECT_TRUE(neighbours.log.take().empty()) << "an event too short to say";
    block()->frameRecord = nullptr;
    paintResultsBoard();
    EXPECT_TRUE(neighbours.log.take().empty()) << "no event";
}

TEST_F(ResultsBoardTest, TheBoxGridAndTeamRowsAreDrawnInOrder) {
    event(attempts(1), 0xA000);
    block()->currentGraphics->setClip(0, 0, 10, 10);
    paintResultsBoard();
    EXPECT_EQ(
        neighbours.log.take({"paintCutCornerPanel", "paintFixtureBadge", "paintCellOutline"}),
        (Calls{"paintCutCornerPanel 124,509,232,72,0,6710886,1", "paintFixtureBadge 0,132,515",
               "paintCellOutline 0,132,515", "paintFixtureBadge 1,132,549", "paintCellOutline 1,132,549"}));
    // The grid, whatever the clip was: one row line and five column lines.
    const std::uint16_t grid = rgb(0x333333);
    EXPECT_EQ(backPixel(176, 545), grid);
    EXPECT_EQ(backPixel(355, 545), grid);
    EXPECT_NE(backPixel(356, 545), grid);
    for (const jint x : {176, 212, 248, 284, 320}) {
        EXPECT_EQ(backPixel(x, 510), grid) << x;
        EXPECT_EQ(backPixel(x, 580), grid) << x;
        EXPECT_NE(backPixel(x, 581), grid) << x;
    }
    EXPECT_NE(backPixel(230, 530), grid);
}

TEST_F(ResultsBoardTest, TheIconCountIsTakenModuloTen) {
    struct Case {
        jint n;
        std::size_t icons;
    };
    const Case cases[] = {{1, 1}, {2, 2}, {9, 9}, {10, 10}, {11, 1}, {15, 5}, {20, 10}, {21, 1}, {127, 7}};
    for (const Case& c : cases) {
        event(attempts(c.n), 0xA000);
        paintResultsBoard();
        EXPECT_EQ(icons().size(), c.icons) << c.n;
    }
}

TEST_F(ResultsBoardTest, AttemptsAlternateBetweenTheRowsTwoToAColumn) {
    const jint results[] = {1, 0, 0, 7, 1, 1, 0, 0, 1, 0};
    for (jint i = 0; i < 10; ++i) {
        (*block()->attemptResults)[i] = static_cast<runtime::jbyte>(results[i]);
    }
    event(attempts(10), 0xA000);
    paintResultsBoard();
    EXPECT_EQ(icons(), (Calls{"5 194,527", "4 194,563", "4 230,527", "5 230,563", "5 266,527", "5 266,563",
                              "4 302,527", "4 302,563", "5 338,527", "4 338,563"}));
    // Icons are set without looping.
    event(attempts(1), 0xA000);
    paintResultsBoard();
    EXPECT_EQ(neighbours.log.take({"setAnim"}), Calls{"setAnim 5,0"});
}

TEST_F(ResultsBoardTest, IconsWithoutAResultOrAnIconInstanceAreLeftOut) {
    block()->attemptResults = runtime::newByteArray(3);
    event(attempts(6), 0xA000);
    paintResultsBoard();
    EXPECT_EQ(icons().size(), 3u);

    block()->boardIcon = nullptr;
    paintResultsBoard();
    const Calls calls = neighbours.log.take({"paintCutCornerPanel", "setAnim", "paintOn"});
    EXPECT_EQ(calls, Calls{"paintCutCornerPanel 124,509,232,72,0,6710886,1"}) << "the board without icons";
}

} // namespace
} // namespace game::framework
