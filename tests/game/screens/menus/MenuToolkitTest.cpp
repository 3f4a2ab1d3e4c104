// The menu toolkit on the menu bench: the arrow controls (wrap, clamp, the square edges, held
// against step, locked input), the arrow points and squares, the plain key test at its zone
// edges and under a pending touch, rounding and currency conversion, the separator line, the
// squad list, the team ratings and the ranking, the inbox scan per message kind, the entry queue
// and mask, the background animation, the family index and joining texts.
#include "game/screens/menus/MenuToolkit.h"

#include <gtest/gtest.h>

#include <limits>
#include <vector>

#include "game/club/ClubRecords.h"
#include "game/interim/InterimManagementServices.h"
#include "game/interim/InterimMenuServices.h"
#include "game/interim/InterimPromotionScreenServices.h"
#include "game/sprites/ASpriteInstance.h"
#include "runtime/String.h"
#include "tests/game/support/MenuBench.h"
#include "tests/support/RuntimeValues.h"

namespace game::menus {
namespace {

using testing::MenuBench;

class MenuToolkitTest : public MenuBench {};

// One touch on the arrow squares at left (100, 300) and right (300, 300), 80 pixels each.
struct ArrowTouchCase {
    const char* name;
    jint pressX, pressY, releaseX, releaseY;
    bool released;
    jint value, count;
    bool clamped;
    jint expected;
    bool leftHeld, rightHeld;
};

TEST_F(MenuToolkitTest, ArrowSquaresStepWrapAndClampByTouch) {
    const ArrowTouchCase cases[] = {
        {"left from 0 wraps", 120, 320, 120, 320, true, 0, 5, false, 4, true, false},
        {"right from the last wraps", 320, 320, 320, 320, true, 4, 5, false, 0, false, true},
        {"left steps down", 150, 350, 150, 350, true, 3, 5, false, 2, true, false},
        {"clamped left at 0 stays, not held", 120, 320, 120, 320, true, 0, 5, true, 0, false, false},
        {"clamped right at the last stays", 320, 320, 320, 320, true, 4, 5, true, 4, false, false},
        {"clamped right inside steps", 320, 320, 320, 320, true, 2, 5, true, 3, false, true},
        {"release on the left edge x = leftX", 120, 320, 100, 320, true, 2, 5, false, 2, true, false},
        {"release on the right edge x = leftX + 80", 120, 320, 180, 320, true, 2, 5, false, 2, true, false},
        {"release one inside the edge", 120, 320, 179, 379, true, 2, 5, false, 1, true, false},
        {"held without a release does not step", 120, 320, 0, 0, false, 2, 5, false, 2, true, false},
        {"press left, release right steps right", 120, 320, 320, 320, true, 2, 5, false, 3, true, false},
        {"outside both squares", 250, 320, 250, 320, true, 2, 5, false, 2, false, false},
    };
    for (const ArrowTouchCase& c : cases) {
        if (c.released) {
            releaseAt(c.pressX, c.pressY, c.releaseX, c.releaseY);
        } else {
            pressAt(c.pressX, c.pressY);
        }
        block()->redrawAll = 0;
        EXPECT_EQ(testArrowButtonsTouch(100, 300, 300, c.value, c.count, 1, c.clamped), c.expected) << c.name;
        EXPECT_EQ(block()->touchGestureFlags[0] != 0, c.leftHeld) << c.name;
        EXPECT_EQ(block()->touchGestureFlags[1] != 0, c.rightHeld) << c.name;
        EXPECT_EQ(block()->redrawAll, 1) << c.name << ": every unlocked call marks the redraw";
    }
    // Overlapping squares: the left one wins.
    releaseAt(150, 320);
    EXPECT_EQ(testArrowButtonsTouch(100, 120, 300, 2, 5, 0, 0), 1);
    // Locked: the value and the flags stay.
    releaseAt(120, 320);
    lockTouch();
    block()->touchGestureFlags[1] = 1;
    block()->redrawAll = 0;
    EXPECT_EQ(testArrowButtonsTouch(100, 300, 300, 2, 5, 1, 0), 2);
    EXPECT_EQ(block()->touchGestureFlags[1], 1);
    EXPECT_EQ(block()->redrawAll, 0);
    EXPECT_EQ(testArrowButtonsTouchClamped(100, 300, 300, 2, 5, 1), 2);
}

TEST_F(MenuToolkitTest, ArrowPointsAndNarrowSquaresStepOnARelease) {
    struct Case {
        jint x, y;
        jint expected;
    };
    // Arrow centres (100, 400) and (380, 400).
    const Case points[] = {{100, 400, 1}, {127, 400, 1}, {128, 400, 2}, {73, 400, 1},  {72, 400, 2},
                           {100, 435, 1}, {100, 436, 2}, {380, 364, 2}, {380, 365, 3}, {407, 400, 3}};
    for (const Case& c : points) {
        releaseAt(c.x, c.y);
        EXPECT_EQ(testArrowPointsTouch(100, 380, 400, 2, 4, 0), c.expected) << c.x << "," << c.y;
    }
    releaseAt(100, 400);
    EXPECT_EQ(testArrowPointsTouch(100, 380, 400, 0, 4, 0), 3) << "wraps";
    pressAt(100, 400);
    EXPECT_EQ(testArrowPointsTouch(100, 380, 400, 2, 4, 0), 2) << "a held touch is no release";
    releaseAt(100, 400);
    lockTouch();
    EXPECT_EQ(testArrowPointsTouch(100, 380, 400, 2, 4, 0), 2);

    // Squares 48 wide at x 100 and 380, from y - 8 to y + 28 around y 400.
    const Case squares[] = {{101, 393, 1}, {100, 400, 2}, {148, 400, 2}, {147, 427, 1},
                            {120, 392, 2}, {120, 428, 2}, {381, 400, 3}, {428, 400, 2}};
    for (const Case& c : squares) {
        releaseAt(c.x, c.y);
        block()->redrawAll = 0;
        EXPECT_EQ(testArrowSquaresTouch(100, 380, 400, 2, 4, 1), c.expected) << c.x << "," << c.y;
        EXPECT_EQ(block()->redrawAll, c.expected != 2 ? 1 : 0) << c.x << "," << c.y;
    }
}

TEST_F(MenuToolkitTest, PressedInRectTakesTheLastPressEvenAfterTheRelease) {
    releaseAt(50, 50, 300, 300);
    EXPECT_EQ(pointerPressedInRect(40, 40, 20, 20), 1);
    EXPECT_EQ(pointerPressedInRect(50, 40, 20, 20), 0) << "the edge is outside";
    lockTouch();
    EXPECT_EQ(pointerPressedInRect(40, 40, 20, 20), 0);
}

TEST_F(MenuToolkitTest, PlainKeyTestTakesSoftKeyZonesAndLetsATouchMaskTheKeys) {
    releaseAt(109, 785);
    EXPECT_EQ(isKeyPressedSimple(0x2000), 1);
    EXPECT_EQ(isKeyPressedSimple(0x2100), 1);
    releaseAt(110, 785);
    EXPECT_EQ(isKeyPressedSimple(0x2000), 0);
    releaseAt(1, 786);
    EXPECT_EQ(isKeyPressedSimple(0x2000), 0);
    pressAt(50, 760);
    EXPECT_EQ(isKeyPressedSimple(0x2000), 0) << "a held touch is not a release";
    releaseAt(400, 760);
    block()->rightSoftKeyTaken = 0;
    EXPECT_EQ(isKeyPressedSimple(0x1000), 1);
    EXPECT_EQ(block()->rightSoftKeyTaken, 1);
    keys(0x100);
    EXPECT_EQ(isKeyPressedSimple(0x100), 1);
    EXPECT_EQ(isKeyPressedSimple(0x40), 0);
    // A pending press outside the zones masks every key of the frame.
    pressAt(240, 400);
    block()->pressedKeys = 0x100;
    EXPECT_EQ(isKeyPressedSimple(0x100), 0);
    EXPECT_EQ(isKeyPressedSimple(0x2000), 0);
    EXPECT_EQ(block()->selectedRow, 0) << "nothing moves";
}

TEST_F(MenuToolkitTest, RoundingAndCurrencyConversion) {
    const std::pair<jint, jint> rounding[] = {{4, 0},   {5, 1},  {14, 1},   {15, 2}, {25, 3},
                                              {95, 10}, {-5, 0}, {-15, -1}, {0, 0}};
    for (const auto& [n, expected] : rounding) {
        EXPECT_EQ(divideBy10Rounded(n), expected) << n;
    }
    GameStatics* const s = block();
    ASSERT_NE(s->ratioTable.get(), nullptr);
    s->ratioNumeratorIndex = 1;
    s->ratioDenominatorIndex = 0;
    EXPECT_EQ(computeRoundedRatio(100), 108);
    s->ratioNumeratorIndex = 0;
    s->ratioDenominatorIndex = 2;
    EXPECT_EQ(computeRoundedRatio(100), 71) << "100 / 1.4 rounded";
    s->ratioNumeratorIndex = 2;
    s->ratioDenominatorIndex = 0;
    EXPECT_EQ(computeRoundedRatio(5000000), 7000000) << "a fee of millions does not wrap";
    EXPECT_EQ(computeRoundedRatio(std::numeric_limits<jint>::max()),
              std::numeric_limits<jint>::max() / 10 + 1);
    (*s->ratioTable)[0] = 0;
    EXPECT_EQ(computeRoundedRatio(1234), 1234) << "a zero reference converts nothing";
}

TEST_F(MenuToolkitTest, SeparatorLineDrawsThreeColouredRows) {
    drawSeparatorLine(graphics, 10, 20, 100);
    EXPECT_EQ(pixel(10, 100), rgb565(0xCACCCB));
    EXPECT_EQ(pixel(20, 101), rgb565(0x292929));
    EXPECT_EQ(pixel(15, 102), rgb565(0xA3A7A7));
    EXPECT_EQ(pixel(21, 100), 0);
    EXPECT_EQ(pixel(15, 99), 0);
    EXPECT_EQ(pixel(15, 103), 0);
}

TEST_F(MenuToolkitTest, SquadListTakesTheFilledSlotsInOrder) {
    setSquadSlot(kUserTeam, 3, 0xFFFF);
    setSquadSlot(kUserTeam, 25, 90);
    block()->rowScroll = 13;
    listTeamSquad(kUserTeam);
    std::vector<jint> expected;
    for (jint slot = 0; slot < kSquadPlayers; ++slot) {
        if (slot != 3) {
            expected.push_back(kFirstSquadPlayer + slot);
        }
    }
    expected.push_back(90);
    EXPECT_EQ(squadList(), expected);
    EXPECT_EQ(block()->rowScroll, 0);
    listTeamSquad(kOtherTeam);
    EXPECT_TRUE(squadList().empty());
}

TEST_F(MenuToolkitTest, RankingKeepsThePreviousRanksAndTiesInPlace) {
    GameStatics* const s = block();
    for (jint t = 0; t < 260; ++t) {
        (*s->teamRatings)[t] = static_cast<runtime::jshort>(t % 7);
    }
    s->userTeam = 5;
    s->userRating = 100;
    rankTeamsByRating();
    EXPECT_EQ((*s->teamRanking)[0], 5) << "the user's rating was stored first";
    for (jint k = 1; k < 259; ++k) {
        EXPECT_GE((*s->teamRatings)[(*s->teamRanking)[2 * k]],
                  (*s->teamRatings)[(*s->teamRanking)[2 * k + 2]])
            << k;
    }
    std::vector<runtime::jshort> first;
    for (jint k = 0; k < 260; ++k) {
        first.push_back((*s->teamRanking)[2 * k]);
    }
    rankTeamsByRating();
    for (jint k = 0; k < 260; ++k) {
        EXPECT_EQ((*s->teamRanking)[2 * k], first[k]) << k;
        EXPECT_EQ((*s->teamRanking)[2 * k + 1], first[k]) << k << ": the previous rank";
    }
    // Equal ratings: the exchange sort leaves them in team order.
    for (jint t = 0; t < 260; ++t) {
        (*s->teamRatings)[t] = 1;
    }
    s->userRating = 1;
    rankTeamsByRating();
    for (jint k = 0; k < 260; ++k) {
        EXPECT_EQ((*s->teamRanking)[2 * k], k);
    }
}

TEST_F(MenuToolkitTest, TeamRatingsWeighBudgetAndStrength) {
    GameStatics* const s = block();
    s->teamRecords = runtime::newByteArray(64 * 260);
    s->teamCount = 260;
    for (jint t = 0; t < 260; ++t) {
        for (jint slot = 0; slot < 30; ++slot) {
            setSquadSlot(t, slot, 0xFFFF);
        }
    }
    auto putBudget = [](const jint team, const jint budget) { club::setTeamField60(team, budget); };
    putBudget(7, 60000); // unsigned: read as 60000, not negative
    (*s->teamRecords)[64 * kUserTeam + 62] = 0;
    (*s->teamRecords)[64 * kUserTeam + 63] = 50;
    putBudget(kUserTeam, 1000);
    s->userWageTotal = 300;
    s->projectionCosts = 2000;
    s->projectionIncome = 500;
    initTeamAttributeTable();
    EXPECT_EQ((*s->teamRatings)[7], 12000);
    EXPECT_EQ((*s->teamRatings)[kUserTeam], 200);
    const jint funds = club::getTeamFunds(kUserTeam);
    EXPECT_EQ((*s->userBalance)[0], 700);
    EXPECT_EQ((*s->userFundsSummary)[0], funds / 10);
    EXPECT_EQ((*s->userProjection)[0], (700 * 12 - 2000 + 500 + funds) / 10);
}

TEST_F(MenuToolkitTest, InboxScanFindsTheNewestMessageAwaitingAnAnswer) {
    struct Case {
        const char* name;
        jint kind;
        std::vector<std::pair<jint, jint>> bytes; // byte, value
        bool qualifies;
    };
    const std::vector<Case> cases = {
        {"kind 2 open", 2, {{9, 0}}, true},
        {"kind 2 negative outcome", 2, {{9, -1}}, false},
        {"kind 2 outcome 1 in role 2", 2, {{9, 1}, {10, 2}}, false},
        {"kind 2 outcome 99 in role 2", 2, {{9, 99}, {10, 2}}, false},
        {"kind 2 outcome 1 in role 1", 2, {{9, 1}, {10, 1}}, true},
        {"kind 3 stage 2", 3, {{15, 2}}, true},
        {"kind 3 stage 1", 3, {{15, 1}}, false},
        {"kind 4 to the user", 4, {{16, 0}, {23, 0}, {24, kUserTeam}}, true},
        {"kind 4 to another team", 4, {{16, 0}, {23, 0}, {24, kOtherTeam}}, false},
        {"kind 4 replied", 4, {{16, 1}, {23, 0}, {24, kUserTeam}}, false},
        {"kind 5", 5, {{9, 3}}, true},
        {"kind 5 negative", 5, {{9, -3}}, false},
        {"kind 8", 8, {}, true},
        {"kind 10", 10, {}, true},
        {"kind 116", 116, {{9, 0}}, true},
        {"kind 116 negative", 116, {{9, -1}}, false},
        {"kind 7", 7, {}, false},
    };
    GameStatics* const s = block();
    s->inboxListOffsets = runtime::newByteArray(100);
    for (const Case& c : cases) {
        for (const bool open : {true, false}) {
            s->inboxStart = 98;
            s->inboxCount = 3;
            s->inboxListCount = 4;
            for (jint i = 0; i < 3; ++i) {
                runtime::ByteArray* message = runtime::newByteArray(27);
                (*message)[0] = 7;
                (*message)[20] = static_cast<jbyte>(0xFF);
                (*s->inboxRing)[(98 + i) % 100] = message;
            }
            // Display list: 0 -> message 0, 1 -> message 2 (the case), 2 -> empty, 3 -> message 1.
            (*s->inboxListOffsets)[0] = 0;
            (*s->inboxListOffsets)[1] = 2;
            (*s->inboxListOffsets)[2] = -1;
            (*s->inboxListOffsets)[3] = 1;
            auto* tested = static_cast<runtime::ByteArray*>((*s->inboxRing)[0]);
            (*tested)[0] = static_cast<jbyte>(c.kind);
            (*tested)[20] = static_cast<jbyte>(open ? 0xFF : 0);
            for (const auto& [at, value] : c.bytes) {
                (*tested)[at] = static_cast<jbyte>(value);
            }
            s->pendingMessageIndex = 77;
            findPendingInboxMessage();
            const bool found = c.qualifies && open;
            EXPECT_EQ(s->pendingMessageFound, found ? 1 : 0) << c.name << (open ? " open" : " answered");
            EXPECT_EQ(s->pendingMessageIndex, found ? 1 : 77) << c.name;
            if (found) {
                EXPECT_EQ(s->pendingMessageTop, 0) << c.name;
                EXPECT_EQ(s->pendingMessageListCount, 4) << c.name;
            }
        }
    }
    s->inboxCount = 0;
    s->pendingMessageFound = 1;
    findPendingInboxMessage();
    EXPECT_EQ(s->pendingMessageFound, 0);
    EXPECT_EQ(s->pendingMessageIndex, 77);
}

TEST_F(MenuToolkitTest, EntryQueueMaskAndFamilyIndex) {
    GameStatics* const s = block();
    initEntryQueue();
    EXPECT_EQ(s->entryQueueLength, 22);
    EXPECT_EQ(s->entryQueueCapacity, 11);
    EXPECT_EQ(s->entryQueueWidth, 2);
    EXPECT_EQ(s->entryQueueCount, 0);
    EXPECT_EQ(s->entryQueueEnabled, 1);
    for (jint i = 0; i < 22; ++i) {
        EXPECT_EQ((*s->entryQueue)[i], -1);
    }
    runtime::IntArray* flags = runtime::newIntArray(6);
    (*flags)[0] = 1;
    (*flags)[3] = 1;
    (*flags)[5] = 2;
    s->entry2Forced = 1;
    s->entry4Forced = 1;
    s->menuState = 8193;
    EXPECT_EQ(buildEntryMask(flags), 0x9);
    s->menuState = 8192;
    EXPECT_EQ(buildEntryMask(flags), 0xD);
    s->menuState = 0x100000;
    EXPECT_EQ(buildEntryMask(flags), 0x19);
    const std::pair<jint, jint> families[] = {
        {0x400, 0},     {0x40000, 1}, {0x80000 | 0x400, 0},     {0x4000000, 9},
        {0x2000000, 8}, {0x200, -2},  {0x800000 | 0x200000, 4}, {0, -2}};
    for (const auto& [bits, index] : families) {
        EXPECT_EQ(familyListIndex(bits), index) << bits;
    }
}

TEST_F(MenuToolkitTest, BackgroundAnimationAndPointerByKindAndItem) {
    GameStatics* const s = block();
    auto* background = runtime::newObject<sprites::ASpriteInstance>(nullptr, 0, 0);
    s->menuSpriteInstance = background;
    auto* pointer = runtime::newObject<sprites::ASpriteInstance>(nullptr, 7, 8);
    s->menuPointerSprite = pointer;
    s->menuPointerPositions = runtime::newShortArray(18);
    for (jint i = 0; i < 18; ++i) {
        (*s->menuPointerPositions)[i] = static_cast<runtime::jshort>(100 + i);
    }
    const std::pair<jint, jint> kinds[] = {{1, 5},  {2, 0}, {3, 1}, {4, 2}, {5, 3},
                                           {6, 11}, {7, 4}, {8, 6}, {9, 7}};
    const jint loops[] = {-1, -1, -1, 0, 0, -1, -1, 0, 0};
    s->menuSelection = 3;
    for (const auto& [kind, animation] : kinds) {
        setMenuAnimation(kind, 0);
        EXPECT_EQ(s->menuAnimationKind, kind);
        EXPECT_EQ(background->anim, animation) << kind;
        EXPECT_EQ(background->loops, loops[kind - 1]) << kind;
    }
    EXPECT_EQ(pointer->anim, 15);
    EXPECT_EQ(pointer->x, 104);
    EXPECT_EQ(pointer->y, 105 + 50);
    // The current kind again: nothing, not even the pointer.
    s->menuSelection = 1;
    setMenuAnimation(9, 0);
    EXPECT_EQ(pointer->x, 104);
    setMenuAnimation(9, 1);
    EXPECT_EQ(pointer->x, 100);
    EXPECT_EQ(pointer->y, 151);
    s->menuSelection = 10;
    setMenuAnimation(12, 0);
    EXPECT_EQ(s->menuAnimationKind, -1);
    EXPECT_EQ(pointer->x, 384);
    EXPECT_EQ(pointer->y, 534);
    for (const jint item : {0, -3, 11}) {
        s->menuSelection = item;
        setMenuAnimation(2, 1);
        EXPECT_EQ(pointer->x, 384) << "item " << item << " leaves the pointer";
        EXPECT_EQ(pointer->y, 534) << "item " << item;
    }
}

TEST_F(MenuToolkitTest, QuittingStopsTheSoundsAndTheLoop) {
    block()->gameRunning = 1;
    quitGame();
    EXPECT_EQ(block()->gameRunning, 0);
}

TEST_F(MenuToolkitTest, TextsJoinInOrderPastTheBufferDefaultCapacity) {
    runtime::String* const first = runtime::newStringFromCString("Player ");
    runtime::String* const empty = runtime::newStringFromCString("");
    runtime::String* const last = runtime::newStringFromCString("has been released from the club");
    EXPECT_EQ(testing_support::textOf(joinTexts({first, empty, last})), "Player has been released from the club");
    EXPECT_EQ(testing_support::textOf(joinTexts({last})), "has been released from the club");
    EXPECT_EQ(testing_support::textOf(joinTexts({})), "");
}

TEST_F(MenuToolkitTest, TheMenuServicesAnimateAndStopTheSoundsThroughTheToolkit) {
    interim::InterimMenuServices menus;
    block()->menuAnimationKind = -1;
    menus.setMenuAnimation(4, 0);
    EXPECT_EQ(block()->menuAnimationKind, 4);
    block()->soundPlayers = runtime::newObjectArray(1);
    block()->lastSound = 3;
    menus.updateEventList(nullptr);
    EXPECT_EQ(block()->lastSound, -1) << "the event list's update stops the sounds";
}

TEST_F(MenuToolkitTest, TheStandInScreensEndAtOnceAndTheBenchRecordsTheDoubles) {
    interim::InterimManagementServices management;
    EXPECT_EQ(management.updateSquadPicker(0), 1);
    EXPECT_EQ(management.updateSquadList(0), 1);
    EXPECT_EQ(management.updateSquadGrid(0), 1);
    EXPECT_EQ(management.squadSlotsUnchanged(), 1);
    interim::InterimPromotionScreenServices promotionStandIn;
    EXPECT_EQ(promotionStandIn.update(-5), 1);
    core::managementServices().paintTabList(700, 5, 0, 0x12);
    core::promotionScreenServices().enter();
    promotion.finished = 1;
    EXPECT_EQ(core::promotionScreenServices().update(-6), 1);
    EXPECT_EQ(neighbours.log.take({"paintTabList", "IGP::enter", "IGP::update"}),
              (testing::Calls{"paintTabList 700,5,0,18", "IGP::enter", "IGP::update -6"}));
}

} // namespace
} // namespace game::menus
