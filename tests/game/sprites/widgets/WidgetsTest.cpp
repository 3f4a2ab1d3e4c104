// The sprite-drawn widgets over probe sprites: the badge sheet of every league and the badges it
// refuses, the arrow pairs and their flips, the share bars' split, the key-icon row's places,
// the scene list's entries and the twin animation's steps.
#include <gtest/gtest.h>

#include <vector>

#include "game/core/services/WidgetServices.h"
#include "game/match/CPlayer.h"
#include "game/sprites/widgets/Widgets.h"
#include "runtime/Service.h"
#include "tests/game/sprites/DrawRecorder.h"

namespace game::sprites::testing {
using namespace game::match;
using namespace game::core;

namespace {

using Marks = std::vector<Mark>;

// Badge tests: 13 leagues of three teams, team ids in league order; frame f of sheet s shows
// number 200 s + f.
constexpr jint kTeamsPerLeague = 3;
constexpr jint kLeagues = 13;
constexpr int kSheetCodeStep = 200;
constexpr jint kSheets = 8;
// badgeFirstIds: sheets 0-4 at indices 0-4, sheets 5-7 at 10-12.
constexpr jint kFirstIds[kLeagues] = {0, 6, 12, 18, 24, 0, 0, 0, 0, 0, 30, 33, 36};

class WidgetsTest : public DrawRecorderTest {
protected:
    void installLeagues() {
        GameStatics* const s = statics();
        s->leagueSizes = runtime::newIntArray(kLeagues);
        s->leagueTeamOrder = runtime::newShortArray(kLeagues * kTeamsPerLeague);
        s->badgeFirstIds = runtime::newIntArray(kLeagues);
        for (jint l = 0; l < kLeagues; ++l) {
            (*s->leagueSizes)[l] = kTeamsPerLeague;
            (*s->badgeFirstIds)[l] = kFirstIds[l];
        }
        for (jint t = 0; t < kLeagues * kTeamsPerLeague; ++t) {
            (*s->leagueTeamOrder)[t] = static_cast<runtime::jshort>(t);
        }
        s->badgeSprites = runtime::newObjectArray(kSheets, runtime::kObjectArray);
        for (jint sheet = 0; sheet < kSheets; ++sheet) {
            (*s->badgeSprites)[sheet] = probe(120, kSheetCodeStep * sheet);
        }
    }
};

TEST_F(WidgetsTest, EachLeagueDrawsFromItsSheetAndLeavesTheBadgeClip) {
    installLeagues();
    struct Case {
        jint league;
        jint sheet;
        jint frame; // of the league's second team
    };
    const Case cases[] = {{0, 0, 1}, {1, 0, 4}, {2, 1, 1}, {3, 1, 4},  {4, 2, 1},  {5, 2, 4}, {6, 3, 1},
                          {7, 3, 4}, {8, 4, 1}, {9, 4, 4}, {10, 5, 1}, {11, 6, 1}, {12, 7, 1}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.league);
        clearScreen();
        paintTeamBadge(g, c.league * kTeamsPerLeague + 1, 100, 200);
        EXPECT_EQ(marks(), (Marks{{100, 200, c.sheet * kSheetCodeStep + c.frame}}));
        EXPECT_EQ(g->clipX1, 100);
        EXPECT_EQ(g->clipY1, 200);
        EXPECT_EQ(g->clipX2, 142);
        EXPECT_EQ(g->clipY2, 228);
    }
}

TEST_F(WidgetsTest, NoTeamOnlySetsTheClip) {
    installLeagues();
    paintTeamBadge(g, kNoTeam, 30, 40);
    EXPECT_TRUE(marks().empty());
    EXPECT_EQ(g->clipX1, 30);
    EXPECT_EQ(g->clipX2, 72);
    EXPECT_EQ(g->clipY2, 68);
}

TEST_F(WidgetsTest, BadgesOutsideTheirSheetOrWithoutOneAreSkipped) {
    installLeagues();
    // Team 60 is in no league: it falls to league 0, whose sheet has frame 60 but no team 60.
    paintTeamBadge(g, 60, 10, 10);
    paintTeamBadge(g, -5, 10, 10);
    (*statics()->badgeSprites)[1] = nullptr;
    paintTeamBadge(g, 7, 10, 10); // league 2: sheet 1, missing
    statics()->badgeSprites = runtime::newObjectArray(2, runtime::kObjectArray);
    paintTeamBadge(g, 38, 10, 10); // league 12: sheet 7, past the array
    statics()->badgeFirstIds = nullptr;
    paintTeamBadge(g, 1, 10, 10);
    EXPECT_TRUE(marks().empty());
    EXPECT_TRUE(logMentions("team 60 has no badge in sheet 0"));
    EXPECT_TRUE(logMentions("badge sheet is missing"));
}

class ArrowPairTest : public WidgetsTest {
protected:
    void SetUp() override {
        WidgetsTest::SetUp();
        statics()->topState = 4;
        ProbeSpec spec;
        spec.count = 8;
        // Animation 2 (vertical) stays on frame 6; animation 3 (horizontal) alternates 4 and 5.
        spec.animations = {{{0, 1}}, {{0, 1}}, {{6, 1}}, {{4, 1}, {5, 1}}};
        ASprite* const sprite = probe(spec);
        for (const bool horizontal : {true, false}) {
            match::Actor* const actor = runtime::newObject<match::Actor>();
            actor->sprite = sprite;
            actor->animLoops = 1;
            actor->anim = -1;
            (horizontal ? statics()->arrowActorH : statics()->arrowActorV) = actor;
        }
    }
};

TEST_F(ArrowPairTest, ArrowsSitEitherSideWithTheOuterOneFlipped) {
    struct Case {
        jint orientation;
        jint which;
        Marks expected; // a flipped 1-pixel module lands one pixel before its point
    };
    const Case cases[] = {
        {1, 3, {{139, 300, 5}, {260, 300, 5}}}, {1, 2, {{139, 300, 5}}}, {1, 1, {{260, 300, 5}}},
        {0, 3, {{200, 240, 6}, {200, 359, 6}}}, {0, 2, {{200, 240, 6}}}, {0, 0, {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(::testing::Message() << c.orientation << "/" << c.which);
        clearScreen();
        statics()->arrowActorH->anim = -1;
        paintArrowPair(200, 300, 60, c.orientation, c.which);
        EXPECT_EQ(marks(), c.expected);
    }
}

TEST_F(ArrowPairTest, EachPaintStepsTheArrowAnimation) {
    std::vector<int> shown;
    for (int call = 0; call < 4; ++call) {
        clearScreen();
        paintArrowPairBoth(240, 400, 50, 1);
        const Marks found = marks();
        ASSERT_EQ(found.size(), 2u);
        shown.push_back(found[0].code);
    }
    EXPECT_EQ(shown, (std::vector<int>{5, 4, 5, 4}));
}

TEST_F(ArrowPairTest, MissingArrowActorDrawsNothing) {
    statics()->arrowActorV = nullptr;
    paintArrowPairBoth(240, 400, 50, 0);
    EXPECT_TRUE(marks().empty());
    EXPECT_TRUE(logMentions("no arrow actor"));
}

class ShareBarTest : public WidgetsTest {
protected:
    void SetUp() override {
        WidgetsTest::SetUp();
        statics()->interfaceSprite = probe(130, 1000);
        statics()->teamColourIds = runtime::newByteArray(2);
        (*statics()->teamColourIds)[0] = 2;
        (*statics()->teamColourIds)[1] = 0;
        statics()->teamColours = runtime::newIntArray(3);
        (*statics()->teamColours)[0] = kColourOne;
        (*statics()->teamColours)[2] = kColourZero;
    }
    void setMinutes(const std::vector<jint>& team0, const std::vector<jint>& team1) {
        runtime::ObjectArray* const rows = runtime::newObjectArray(2, runtime::kObjectArray);
        statics()->minuteStats = rows;
        for (jint t = 0; t < 2; ++t) {
            const std::vector<jint>& values = t == 0 ? team0 : team1;
            runtime::IntArray* const row = runtime::newIntArray(static_cast<jint>(values.size()));
            (*rows)[t] = row;
            for (std::size_t i = 0; i < values.size(); ++i) {
                (*row)[static_cast<jint>(i)] = values[i];
            }
        }
    }
    // Team t's colour as the screen holds it.
    std::uint16_t teamPixel(const jint t) const {
        return rgb(0xFF000000u | (t == 0 ? kColourZero : kColourOne));
    }

    static constexpr std::uint32_t kColourZero = 0xC02010; // colour id 2
    static constexpr std::uint32_t kColourOne = 0x10C020;  // colour id 0
};

TEST_F(ShareBarTest, HorizontalBarFillsTeamBsShareFromTheLeft) {
    struct Case {
        std::vector<jint> team0;
        std::vector<jint> team1;
        jboolean order;
        jint width; // of team b's part
    };
    const Case cases[] = {
        {{0, 0}, {0, 0}, 0, 210},
        {{20, 10}, {5, 5}, 0, 105},
        {{20, 10}, {5, 5}, 1, 315},
        {{0, 0, 0}, {7, 0, 0}, 0, 420},
        {{9}, {0}, 0, 0},
        // Team 1's row is read only as far as team 0's.
        {{10, 10}, {10, 10, 1000}, 0, 210},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.width);
        clearScreen();
        setMinutes(c.team0, c.team1);
        statics()->teamOrderFlag = c.order;
        paintShareBarHorizontal();
        const jint a = c.order != 0 ? 1 : 0;
        EXPECT_EQ(codeAt(239, 490), 1126);
        EXPECT_EQ(pixel(29, 498), teamPixel(c.width > 0 ? 1 - a : a));
        if (c.width > 0) {
            EXPECT_EQ(pixel(29 + c.width - 1, 527), teamPixel(1 - a));
        }
        if (c.width < 420) {
            EXPECT_EQ(pixel(29 + c.width, 498), teamPixel(a));
        }
        EXPECT_EQ(pixel(448, 527), teamPixel(c.width == 420 ? 1 - a : a));
        EXPECT_TRUE(isBackground(449, 498));
        EXPECT_TRUE(isBackground(29, 528));
    }
}

TEST_F(ShareBarTest, VerticalBarShowsTeamBsShareAtTheBottom) {
    struct Case {
        std::vector<jint> team0;
        std::vector<jint> team1;
        jint height;
    };
    const Case cases[] = {{{0}, {0}, 240}, {{30}, {10}, 120}, {{0}, {4}, 480}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.height);
        clearScreen();
        setMinutes(c.team0, c.team1);
        statics()->teamOrderFlag = 0;
        paintShareBarVertical();
        EXPECT_EQ(codeAt(420, 60), 1127);
        const jint boundary = 68 + 480 - c.height;
        EXPECT_EQ(pixel(428, boundary), teamPixel(1));
        EXPECT_EQ(pixel(457, 547), teamPixel(1));
        if (c.height < 480) {
            EXPECT_EQ(pixel(428, boundary - 1), teamPixel(0));
        }
        EXPECT_TRUE(isBackground(428, 548));
    }
}

TEST_F(ShareBarTest, MissingStatisticsOrColoursAreLoggedNotRead) {
    statics()->minuteStats = nullptr;
    paintShareBarHorizontal();
    EXPECT_TRUE(marks().empty());
    EXPECT_TRUE(logMentions("no minuteStats"));
    setMinutes({1}, {1});
    (*statics()->teamColourIds)[0] = 9;
    paintShareBarVertical();
    EXPECT_TRUE(logMentions("team colour is missing"));
}

class KeyIconRowTest : public WidgetsTest {
protected:
    void SetUp() override {
        WidgetsTest::SetUp();
        statics()->keyIconSprite = probe(9, 0);
    }
};

TEST_F(KeyIconRowTest, IconsFollowTheMaskBitsFromTheRowStartOfTheirCount) {
    struct Case {
        jint mask;
        Marks expected;
    };
    const Case cases[] = {
        {0b0001, {{210, 595, 1}}},
        {0b1010, {{173, 595, 2}, {247, 595, 4}}},
        {0b0111, {{136, 595, 1}, {210, 595, 2}, {284, 595, 3}}},
        {0b1111, {{99, 595, 1}, {173, 595, 2}, {247, 595, 3}, {321, 595, 4}}},
        // Bits above the four icons are kept in the mask but draw nothing.
        {0b10100, {{210, 595, 3}}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.mask);
        clearScreen();
        paintKeyIconRow(c.mask);
        EXPECT_EQ(marks(), c.expected);
        ASSERT_EQ(statics()->keyIconCount, static_cast<jint>(c.expected.size()));
        for (std::size_t k = 0; k < c.expected.size(); ++k) {
            EXPECT_EQ((*statics()->keyIconList)[static_cast<jint>(k)], c.expected[k].code);
        }
        EXPECT_EQ(statics()->actionButtonSet, c.mask);
    }
}

TEST_F(KeyIconRowTest, AnEmptyMaskDrawsNothing) {
    paintKeyIconRow(0b0011);
    clearScreen();
    paintKeyIconRow(0);
    EXPECT_TRUE(marks().empty());
    EXPECT_EQ(statics()->keyIconCount, 0);
    EXPECT_EQ(statics()->actionButtonSet, 0);
}

// The framework's pitch background, recorded.
class RecordingBackground final : public WidgetServices {
public:
    void drawPitchBackground(const jint cameraX, const jint cameraY) override {
        calls.push_back({cameraX, cameraY});
        redrawSeen.push_back(statics()->backgroundForceRedraw != 0);
    }
    jint formationPlayerCount(jint) override { return 0; }
    jint formationSlot(jint, jint) override { return -1; }
    void formationPoint(jint, jint, jint& fx, jint& fy) override { fx = fy = 0; }
    void slotToFormationPoint(jint, jint, jint& fx, jint& fy) override { fx = fy = 0; }
    jint squadEntryIndex(jint, jint) override { return -1; }
    jint matchCondition(jint, jint) override { return -1; }
    jint matchStatus(jint, jint) override { return 0; }

    std::vector<std::pair<jint, jint>> calls;
    std::vector<bool> redrawSeen;
};

class SceneListTest : public WidgetsTest {
protected:
    void SetUp() override {
        WidgetsTest::SetUp();
        statics()->sprites = runtime::newObjectArray(12, runtime::kObjectArray);
        (*statics()->sprites)[3] = probe(10, 300);
        (*statics()->sprites)[7] = probe(10, 700);
    }
    void setRecord(const std::vector<jint>& words, const jint length) {
        runtime::ShortArray* const record = runtime::newShortArray(static_cast<jint>(words.size()));
        for (std::size_t i = 0; i < words.size(); ++i) {
            (*record)[static_cast<jint>(i)] = static_cast<runtime::jshort>(words[i]);
        }
        statics()->frameRecord = record;
        statics()->frameLength = length;
    }
    RecordingBackground background;
    runtime::ScopedService<WidgetServices> scope{&installWidgetServices, background};
};

TEST_F(SceneListTest, EntriesDecodeSpriteFlipsAndHalvedPositions) {
    const jint entries[] = {
        (3 << 8) | 0, 201, 60,  4, // sprite 3: x2 odd, flipped in x at 100
        (7 << 8) | 0, 100, 81,  2, // sprite 7: y2 odd, flipped in y at 40
        (7 << 8) | 0, -20, 600, 9, // halved to (-10, 300): off the screen's left
    };
    std::vector<jint> words = {0, 0x8000 | 0x12, 0, 0, 0, 640, -48};
    words.insert(words.end(), std::begin(entries), std::end(entries));
    setRecord(words, static_cast<jint>(words.size()));
    statics()->backgroundForceRedraw = 0;
    paintSceneList();
    EXPECT_EQ(marks(), (Marks{{99, 30, 304}, {50, 39, 702}}));
    EXPECT_EQ(background.calls, (std::vector<std::pair<jint, jint>>{{640, -48}}));
    EXPECT_EQ(background.redrawSeen, std::vector<bool>{true});
}

TEST_F(SceneListTest, ReadsOnlyWholeEntriesBelowTheRecordLength) {
    // frameLength 12 takes the entry at 7 only (the next would start at 11 = frameLength - 1).
    std::vector<jint> words = {0, 0, 0, 0, 0, 0, 0, (3 << 8), 20, 20, 1, (3 << 8), 40, 40, 2};
    setRecord(words, 12);
    paintSceneList();
    EXPECT_EQ(marks(), (Marks{{10, 10, 301}}));
    // A length beyond the array stops at the array's last whole entry.
    clearScreen();
    setRecord({0, 0, 0, 0, 0, 0, 0, (3 << 8), 20, 20, 1, (3 << 8), 40}, 200);
    paintSceneList();
    EXPECT_EQ(marks(), (Marks{{10, 10, 301}}));
    EXPECT_FALSE(statics()->backgroundForceRedraw);
}

TEST_F(SceneListTest, EntriesNamingAbsentSpritesAreLeftOut) {
    setRecord({0, 0, 0, 0, 0, 0, 0, (5 << 8), 20, 20, 1, (40 << 8), 20, 20, 1, (7 << 8), 60, 60, 3}, 19);
    paintSceneList();
    EXPECT_EQ(marks(), (Marks{{30, 30, 703}}));
    EXPECT_TRUE(logMentions("names sprite 5, which is not loaded"));
}

class TwinTest : public WidgetsTest {
protected:
    void SetUp() override {
        WidgetsTest::SetUp();
        GameStatics* const s = statics();
        s->twinSprite = probe(30, 0);
        s->twinStep = ints({0, 0});
        s->twinStart = ints({0, 100});
        s->twinActive = runtime::newByteArray(2);
        s->twinThresholds = ints({4, 9, 15});
        s->twinFramesA = ints({10, 11, 12});
        s->twinFramesB = ints({20, 21, 22});
        s->twinPosA = ints({100, 200, 50, 60});
        s->twinPosB = ints({300, 200, 70, 60});
    }
    static runtime::IntArray* ints(const std::vector<jint>& values) {
        runtime::IntArray* const array = runtime::newIntArray(static_cast<jint>(values.size()));
        for (std::size_t i = 0; i < values.size(); ++i) {
            (*array)[static_cast<jint>(i)] = values[i];
        }
        return array;
    }
};

TEST_F(TwinTest, StepsFollowThePhaseAndStopAtTheCycleEnd) {
    GameStatics* const s = statics();
    (*s->twinActive)[1] = 1;
    std::vector<int> framesA;
    for (jint frame = 100; frame <= 115; ++frame) {
        s->framesInState = frame;
        clearScreen();
        stepTwinFrames(1);
        const Marks found = marks();
        ASSERT_EQ(found.size(), 2u) << frame;
        EXPECT_EQ(found[0], (Mark{50, 60, found[0].code}));
        EXPECT_EQ(found[1].code, found[0].code + 10);
        framesA.push_back(found[0].code);
    }
    EXPECT_EQ(framesA, (std::vector<int>{10, 10, 10, 10, 10, 11, 11, 11, 11, 11, 12, 12, 12, 12, 12, 12}));
    EXPECT_EQ((*s->twinStep)[1], 0);
    EXPECT_EQ((*s->twinActive)[1], 0);
}

TEST_F(TwinTest, AStepPastTheTablesStopsTheAnimation) {
    GameStatics* const s = statics();
    (*s->twinActive)[0] = 1;
    (*s->twinStep)[0] = 2;
    s->twinThresholds = ints({4, 9, 1});
    s->framesInState = 5;
    stepTwinFrames(0);
    EXPECT_TRUE(marks().empty());
    EXPECT_EQ((*s->twinStep)[0], 0);
    EXPECT_EQ((*s->twinActive)[0], 0);
    EXPECT_TRUE(logMentions("past its tables"));
    stepTwinFrames(7); // no such animation
    EXPECT_TRUE(logMentions("do not hold this animation"));
}

TEST_F(TwinTest, AnimatedBadgePaintsItsFrameAndStepsOnlyARunningAnimation) {
    GameStatics* const s = statics();
    s->framesInState = 3;
    paintAnimatedBadge(7, 0);
    EXPECT_EQ(marks(), (Marks{{240, 384, 7}}));
    (*s->twinActive)[0] = 1;
    clearScreen();
    paintAnimatedBadge(7, 0);
    EXPECT_EQ(marks(), (Marks{{100, 200, 10}, {300, 200, 20}, {240, 384, 7}}));
}

} // namespace
} // namespace game::sprites::testing
