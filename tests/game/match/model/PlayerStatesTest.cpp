// CPlayer::setState on a fake pair of sprites (the player sheet and the goalkeeper's): one frozen
// table of every state -1..151 by facing, ball and role, and the rules around it: no restart for
// the same pose, a restart for a mirror change, no pose the sprite lacks, the pitch-side figures'
// sprite kept.
//
// After a deliberate change of the poses, rewrite the table with
//   TARNWICK_UPDATE_GOLDENS=1 build/rel/tests/game_match_tests --gtest_filter='PlayerStatesTest.*'
// and check the changed rows against the pose tables by eye before committing it.
#include <gtest/gtest.h>

#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "game/sprites/ASprite.h"
#include "runtime/Random.h"
#include "tests/game/support/AnimationSprites.h"
#include "tests/game/support/MatchSideFixture.h"
#include "tests/runtime/LogCapture.h"

namespace game::testing {
namespace {

constexpr jint kStatePlayerAnims = 259;
constexpr jint kStateKeeperAnims = 131;
// A sprite numbered apart from every other sprite of the program, so its log lines are its own.
constexpr jint kStateShortSpriteKind = 40;
constexpr jint kStateShortAnims = 60;

// A sprite of `count` one-frame animations.
sprites::ASprite* stateSprite(const jint count, const jint kind) {
    return spriteWithAnimations(std::vector<int>(count, 1), kind);
}

class PlayerStatesTest : public MatchSideFixture {
protected:
    void SetUp() override {
        MatchSideFixture::SetUp();
        GameStatics* s = statics();
        s->gameRandom = runtime::newObject<runtime::java_util_Random>(7);
        s->ball = runtime::newObject<match::Actor>();
        s->sprites = runtime::newObjectArray(12);
        (*s->sprites)[0] = stateSprite(kStatePlayerAnims, 0);
        (*s->sprites)[1] = stateSprite(kStateKeeperAnims, 1);
        s->sidelineActors = runtime::newObjectArray(2, runtime::kActor);
        for (jint side = 0; side < 2; ++side) {
            CPlayer* figure = runtime::newObject<CPlayer>();
            (*s->sidelineActors)[side] = figure;
            figure->sprite = sheet(0);
        }
        team(0)->sideFlag = 1;
        team(0)->assignPlayers(0);
        team(1)->assignPlayers(1);
        for (jint side = 0; side < 2; ++side) {
            for (jint i = 0; i < CTeam::kPlayers; ++i) {
                player(side, i)->sprite = sheet(i == 0 ? 1 : 0);
            }
        }
    }
    static sprites::ASprite* sheet(const jint i) {
        return static_cast<sprites::ASprite*>((*statics()->sprites)[i]);
    }
    static CPlayer* figure(const jint side) {
        return static_cast<CPlayer*>((*statics()->sidelineActors)[side]);
    }

    // One row of the table: the player shows animation 1 unmirrored, 3 ticks into its frame, on his
    // usual sheet; then setState(state).
    static std::string row(CPlayer* p, const bool keeper, const bool ball, const jint dir, const jint state) {
        GameStatics* s = statics();
        s->gameRandom = runtime::newObject<runtime::java_util_Random>(state * 64 + dir * 2 + (ball ? 1 : 0));
        p->sprite = sheet(keeper ? 1 : 0);
        p->hasBall = ball ? 1 : 0;
        p->direction = dir;
        p->x = dir % 2 == 0 ? -5000 : 5000; // both sides of the pitch for the diving saves
        p->y = dir < 4 ? -3000 : 3000;
        p->setAnimation(1, 1);
        p->flipX = 0;
        p->frameTimer = 3;
        p->animForced = 0;
        p->setState(state);
        std::ostringstream out;
        out << (keeper ? "keeper" : "player") << (ball ? " ball" : " -") << " dir " << dir << " state "
            << state << ": sheet " << (p->sprite != nullptr ? p->sprite->kind : -1) << " anim " << p->anim
            << " flip " << static_cast<int>(p->flipX) << " loop " << static_cast<int>(p->animLoops)
            << " restart " << (p->frameTimer == 0 ? 1 : 0);
        return out.str();
    }
};

TEST_F(PlayerStatesTest, EveryStateFacingAndRoleMatchesTheFrozenTable) {
    GameStatics* s = statics();
    s->matchPhase = 0;
    team(0)->possession = 1; // the loop rule is a case of its own
    std::vector<std::string> rows;
    for (const bool keeper : {false, true}) {
        CPlayer* p = player(0, keeper ? 0 : 5);
        for (const bool ball : {false, true}) {
            for (jint dir = 0; dir < 8; ++dir) {
                for (jint state = -1; state <= 151; ++state) {
                    rows.push_back(row(p, keeper, ball, dir, state));
                }
            }
        }
    }
    const std::string path = std::string(TARNWICK_FIXTURES_DIR) + "/match/player-states.txt";
    const char* update = std::getenv("TARNWICK_UPDATE_GOLDENS");
    if (update != nullptr && std::string(update) == "1") {
        std::ofstream out(path);
        for (const std::string& line : rows) {
            out << line << '\n';
        }
        return;
    }
    std::ifstream in(path);
    ASSERT_TRUE(in.good()) << "missing table " << path;
    std::vector<std::string> frozen;
    for (std::string line; std::getline(in, line);) {
        frozen.push_back(line);
    }
    ASSERT_EQ(frozen.size(), rows.size());
    int mismatches = 0;
    for (size_t i = 0; i < rows.size() && mismatches < 10; ++i) {
        if (rows[i] != frozen[i]) {
            ADD_FAILURE() << "got      " << rows[i] << "\nexpected " << frozen[i];
            ++mismatches;
        }
    }
}

// Rows of the table read against the pose tables by hand.
TEST_F(PlayerStatesTest, SampleRowsFollowThePoseTables) {
    struct Case {
        bool keeper;
        bool ball;
        jint dir;
        jint state;
        jint sheet;
        jint anim;
        jint flip;
    };
    const Case cases[] = {
        {false, false, 3, 1, 0, 81, 0},    // running, view d = 2
        {false, false, 7, 1, 0, 81, 1},    // view 6 mirrors view 2
        {false, false, 1, 1, 0, 79, 0},    // view 0
        {false, false, 5, 1, 0, 83, 0},    // view 4 is drawn once
        {false, true, 3, 4, 0, 57, 0},     // kick turn with the ball (kickRating 0): 56 + d / 2
        {false, true, 7, 5, 0, 57, 1},     // 56 + (-(6 / 2) & 3)
        {false, false, 7, 6, 0, 121, 1},   // 120 + (8 - 6) / 2, mirrored
        {false, false, 0, 33, 0, 176, 1},  // facing 0: mirrored, offset 0
        {false, false, 4, 33, 0, 177, 0},  // facing 4: offset 1
        {false, false, 2, 57, 0, 231, 0},  // facing 2
        {false, false, 6, 57, 0, 232, 0},  // facing 6
        {false, false, 0, 57, 0, 231, 1},  // facing 0: mirrored
        {true, false, 0, 0, 1, 23 + 1, 1}, // the keeper stands on his own sheet: view 7 gives 8 - 7
        {true, false, 2, 1, 0, 80, 0},     // and runs on the player sheet
        {true, false, 6, 108, 1, 14, 1},   // a catch, mirrored: 13 + 1
        {true, true, 5, 102, 1, 1, 1},     // gathers the ball: 0 + 1, mirrored from 5 on
        {true, true, 2, 107, 1, 2, 0},     // holds the ball: 2, facing 2
        {true, false, 2, 107, 0, 149, 0},  // 107 without the ball: 148 by five views (d = 1)
    };
    for (const Case& c : cases) {
        CPlayer* p = player(0, c.keeper ? 0 : 5);
        row(p, c.keeper, c.ball, c.dir, c.state);
        EXPECT_EQ(p->sprite->kind, c.sheet) << c.state << " " << c.dir;
        EXPECT_EQ(p->anim, c.anim) << c.state << " " << c.dir;
        EXPECT_EQ(p->flipX, c.flip) << c.state << " " << c.dir;
    }
}

TEST_F(PlayerStatesTest, RestartsOnlyForANewPoseOrMirror) {
    CPlayer* p = player(0, 5);
    p->direction = 3;
    p->setState(1);
    EXPECT_EQ(p->anim, 81);
    p->frameTimer = 2;
    p->setState(1);
    EXPECT_EQ(p->frameTimer, 2); // same pose: runs on
    p->direction = 7;            // the same view mirrored
    p->setState(1);
    EXPECT_EQ(p->anim, 81);
    EXPECT_EQ(p->flipX, 1);
    EXPECT_EQ(p->frameTimer, 0);
    // No pose: the state is kept, the animation runs on.
    p->frameTimer = 2;
    for (const jint state : {2, 3, 64, 151, -1}) {
        p->setState(state);
        EXPECT_EQ(p->state, state);
        EXPECT_EQ(p->anim, 81);
        EXPECT_EQ(p->frameTimer, 2);
        EXPECT_EQ(p->animForced, 0);
    }
}

TEST_F(PlayerStatesTest, TheKeeperChangesSheetsAndLetsTheBallGo) {
    GameStatics* s = statics();
    CPlayer* keeper = player(1, 0);
    keeper->setState(1);
    EXPECT_EQ(keeper->sprite, sheet(0));
    keeper->setState(0);
    EXPECT_EQ(keeper->sprite, sheet(1));
    keeper->setState(151); // no pose, but the sheet is his own
    keeper->setState(-4);
    EXPECT_EQ(keeper->sprite, sheet(1));
    keeper->setState(1);
    // A keeper with the ball who stands or runs no longer holds it.
    keeper->hasBall = 1;
    s->keeperHoldsBall = 1;
    keeper->setState(110);
    EXPECT_EQ(s->keeperHoldsBall, 1);
    keeper->setState(0);
    EXPECT_EQ(s->keeperHoldsBall, 0);
    // The pitch-side figures keep their sprite whatever the state.
    for (const jint state : {0, 100, 151}) {
        figure(0)->setState(state);
        EXPECT_EQ(figure(0)->sprite, sheet(0));
    }
}

TEST_F(PlayerStatesTest, APoseTheSpriteLacksIsNotStarted) {
    runtime::LogCapture log;
    CPlayer* p = player(0, 6);
    p->sprite = stateSprite(kStateShortAnims, kStateShortSpriteKind);
    p->direction = 3;
    p->setState(1); // 81 and 80 lie beyond the short sprite's 60 animations
    p->setAnimation(7, 1);
    p->setState(1);
    EXPECT_EQ(p->state, 1);
    EXPECT_EQ(p->anim, 7);
    p->setState(0);
    EXPECT_EQ(p->anim, 2);
    jint lines = 0;
    for (const std::string& line : log.lines) {
        lines += line.find("sprite 40 has no animation 81") != std::string::npos ? 1 : 0;
    }
    EXPECT_EQ(lines, 1); // once per sprite and animation
}

TEST_F(PlayerStatesTest, SidePoseRulesOfStateZeroAndTheLoopRule) {
    GameStatics* s = statics();
    CPlayer* p = player(1, 7);
    // The phase's player in a set piece: 167, or in phase 3 172 and 173 by his side of the pitch.
    s->matchPhase = 3;
    s->phaseTeam = 1;
    s->phasePlayerSlot = 7;
    s->phaseStep = 5;
    p->direction = 1; // view 0
    p->y = 2000;
    p->setState(0);
    EXPECT_EQ(p->anim, 172);
    EXPECT_EQ(p->flipX, 1);
    p->y = 0;
    p->setState(0);
    EXPECT_EQ(p->anim, 173);
    EXPECT_EQ(p->flipX, 0);
    s->matchPhase = 7;
    p->setState(0);
    EXPECT_EQ(p->anim, 167);
    s->phaseStep = 12;
    p->setState(0);
    EXPECT_EQ(p->anim, 0);
    // Without the ball the team's unmarked players loop their turns.
    team(1)->possession = -1;
    p->assignment = 3;
    p->setState(4);
    EXPECT_EQ(p->animLoops, 1);
    p->assignment = 0;
    p->setState(4);
    EXPECT_EQ(p->animLoops, 0);
    // Slides start a slide mark; states 71 and 72 loop.
    p->setState(15);
    EXPECT_EQ(p->startSlide, 1);
    p->setState(72);
    EXPECT_EQ(p->animLoops, 1);
}

} // namespace
} // namespace game::testing
