// The game's static set-up: the initialisers run once each in their fixed order, every static
// they do not store is 0 or null, every reference static is a collector root, and the generator
// is seeded from the installed clock.
#include "game/framework/StaticSetUp.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "game/core/GameStatics.h"
#include "runtime/Collector.h"
#include "runtime/ObjectManager.h"
#include "runtime/Random.h"
#include "tests/game/support/StaticTableCases.h"
#include "tests/runtime/CollectorTestSupport.h"
#include "tests/support/GameRuntime.h"

namespace game {

namespace {

using runtime::jint;
using runtime::jlong;
using runtime::Object;

constexpr jlong kMidletCounterStart = 0x1020304050607080LL;
constexpr jlong kSeedMultiplier = 0x5DEECE66DLL;
constexpr jlong kSeedMask = (1LL << 48) - 1;

// These cases are about the bring-up, so it runs in the run's stress mode.
class StaticSetUpTest : public testing_support::GameRuntimeTest {
protected:
    StaticSetUpTest() { bringUpUnderStress = true; }

    // The objects the set-up is known to create: every table, the objects the initialisers make,
    // and the class library's statics.
    std::set<const Object*> createdObjects() const {
        GameStatics* s = statics();
        std::set<const Object*> created;
        for (const cases::TableCase& c : cases::kTables) {
            created.insert(c.get(s));
        }
        // Read through the field's slot: a StaticRef holds the one pointer its root entry names.
        const void* objectFields[] = {
            &s->gameRandom, &s->textBufferA, &s->textBufferB, &s->textBufferC, &s->spareMatchPlayer,
            &s->menuHistory, &s->booleanTrue, &s->booleanFalse, &s->runtimeInstance, &s->constantPool,
            &s->systemOut, &s->systemProperties, &s->promoCodeVersion, &s->promoVersionText,
            &s->promoDataVersion, &s->promoLinksOff, &s->promoFlagNumbers, &s->promoTexts,
            &s->promoSharedLink,
            // The club database's tables and working arrays of the season's daily work.
            &s->trainingBonus, &s->slotRatingMasks, &s->userLinkedTeams, &s->jobOfferTeams,
            &s->divisionTeamsScratch, &s->scoutSearchChance};
        for (const void* field : objectFields) {
            created.insert(*static_cast<Object* const*>(field));
        }
        return created;
    }
};

// What each initialiser found in the block when its turn came.
struct Turn {
    std::string name;
    bool libraryOut;     // System's print stream
    bool canvasTables;   // the canvas's tables
    bool booleans;       // TRUE and FALSE
    bool stateTables;    // the state class's tables
    bool matchTables;    // the match engine's tables
    bool runtimeObject;  // the Runtime instance
    bool matchBoxes;     // the match player classes' rectangles
    bool matchConstants; // the match actor classes' tangent table
    bool palettes;       // the sprite class's palette statics
};
std::vector<Turn> turns;

void recordTurn(const ClassInitialiser& initialiser, GameStatics* s) {
    turns.push_back({initialiser.name, s->systemOut != nullptr, s->keyQueue != nullptr,
                     s->booleanTrue != nullptr, s->squadList != nullptr, s->directionSteps != nullptr,
                     s->runtimeInstance != nullptr, s->matchBox1 != nullptr, s->tanTable != nullptr,
                     s->paletteSlotMask != nullptr});
}

class StaticSetUpOrderTest : public testing_support::GameRuntimeTest {
protected:
    StaticSetUpOrderTest() { bringUpUnderStress = true; }
    void SetUp() override {
        turns.clear();
        setClassInitialiserObserver(&recordTurn);
        GameRuntimeTest::SetUp();
    }
    void TearDown() override {
        GameRuntimeTest::TearDown();
        setClassInitialiserObserver(nullptr);
    }
};

TEST_F(StaticSetUpOrderTest, EachInitialiserRunsOnceAndSeesWhatEarlierOnesStored) {
    // name, System's stream, canvas tables, booleans, state tables, match tables, Runtime, match
    // rectangles, tangent table, palettes.
    const std::vector<Turn> expected = {
        {"System", false, false, false, false, false, false, false, false, false},
        {"CPlayer", true, false, false, false, false, false, false, false, false},
        {"Device", true, false, false, false, false, false, true, false, false},
        {"Actor", true, true, false, false, false, false, true, false, false},
        {"Boolean", true, true, false, false, false, false, true, true, false},
        {"CState", true, true, true, false, false, false, true, true, false},
        {"ASprite", true, true, true, true, false, false, true, true, false},
        {"IGP", true, true, true, true, false, false, true, true, true},
        {"ConstantTables", true, true, true, true, false, false, true, true, true},
        {"Club", true, true, true, true, true, false, true, true, true},
        {"Runtime", true, true, true, true, true, false, true, true, true},
    };
    ASSERT_EQ(turns.size(), expected.size());
    for (std::size_t i = 0; i < expected.size(); ++i) {
        SCOPED_TRACE(expected[i].name);
        EXPECT_EQ(turns[i].name, expected[i].name);
        EXPECT_EQ(turns[i].libraryOut, expected[i].libraryOut);
        EXPECT_EQ(turns[i].canvasTables, expected[i].canvasTables);
        EXPECT_EQ(turns[i].booleans, expected[i].booleans);
        EXPECT_EQ(turns[i].stateTables, expected[i].stateTables);
        EXPECT_EQ(turns[i].matchTables, expected[i].matchTables);
        EXPECT_EQ(turns[i].runtimeObject, expected[i].runtimeObject);
        EXPECT_EQ(turns[i].matchBoxes, expected[i].matchBoxes);
        EXPECT_EQ(turns[i].matchConstants, expected[i].matchConstants);
        EXPECT_EQ(turns[i].palettes, expected[i].palettes);
    }
    EXPECT_NE(statics()->runtimeInstance, nullptr);
}

TEST_F(StaticSetUpTest, ScalarsHoldTheirStartValues) {
    const GameStatics* s = statics();
    EXPECT_EQ(s->gameRunning, 1);
    EXPECT_EQ(s->topState, 1);
    EXPECT_EQ(s->framesInState, 0);
    EXPECT_EQ(s->frameCount, 0);
    EXPECT_EQ(s->matchTicks, 0);
    EXPECT_EQ(s->matchCommand, -1);
    EXPECT_EQ(s->seasonYear, 2009);
    EXPECT_EQ(s->upperCaseGlyphBase, 0); // the character map starts with the letters, then the digits
    EXPECT_EQ(s->digitGlyphBase, 26);
    EXPECT_EQ(s->menuChoice, 1);
    EXPECT_EQ(s->menuState, 0);
    EXPECT_EQ(s->messageRecordLimit, 10) << "as many as the rows of messageRecords";
    EXPECT_EQ(s->cupTieSlot, -1) << "no national-cup tie before the cup's record is loaded";
    for (const jint sound : {s->lastEffect, s->currentMusic, s->lastSound, s->pendingSound}) {
        EXPECT_EQ(sound, -1);
    }
    EXPECT_EQ(s->midletCount, kMidletCounterStart);
    const jint offsets[] = {s->stateRecordField1,  s->stateRecordField2,  s->stateRecordField3,
                            s->stateRecordField4,  s->stateRecordField5,  s->stateRecordField6,
                            s->stateRecordField7,  s->stateRecordField8,  s->stateRecordField9,
                            s->stateRecordField10, s->stateRecordField11, s->stateRecordField12,
                            s->stateRecordField13, s->stateRecordField14, s->stateRecordField15,
                            s->stateRecordField16, s->stateRecordField17, s->stateRecordLength};
    const jint expected[] = {8, 30, 35, 41, 45, 52, 56, 64, 68, 72, 88, 120, 124, 128, 132, 136, 140, 141};
    EXPECT_TRUE(std::equal(std::begin(offsets), std::end(offsets), std::begin(expected)));
    EXPECT_EQ(s->stateRecord->length, 141);
}

// Every byte of the game's statics that no initialiser stores is still 0 after set-up; the
// references are the roots, checked in the next test.
TEST_F(StaticSetUpTest, StaticsNoInitialiserStoresAreZero) {
    GameStatics* s = statics();
    std::vector<std::pair<const char*, std::size_t>> stored;
    auto allow = [&](const void* field, const std::size_t size) {
        stored.emplace_back(static_cast<const char*>(field), size);
    };
    allow(&s->gameRunning, sizeof s->gameRunning);
    allow(&s->topState, sizeof s->topState);
    allow(&s->matchCommand, sizeof s->matchCommand);
    allow(&s->seasonYear, sizeof s->seasonYear);
    allow(&s->menuChoice, sizeof s->menuChoice);
    allow(&s->messageRecordLimit, sizeof s->messageRecordLimit);
    allow(&s->cupTieSlot, sizeof s->cupTieSlot);
    allow(&s->digitGlyphBase, sizeof s->digitGlyphBase);
    allow(&s->tripletCount, sizeof s->tripletCount);
    for (const jint* sound : {&s->lastEffect, &s->currentMusic, &s->lastSound, &s->pendingSound}) {
        allow(sound, sizeof *sound);
    }
    allow(&s->stateRecordField1, sizeof(jint) * 18);
    for (jint i = 0; i < s->rootCount; ++i) {
        allow(s->rootTable[i], sizeof(Object*));
    }
    auto isStored = [&](const char* byte) {
        for (const auto& [start, size] : stored) {
            if (byte >= start && byte < start + size) {
                return true;
            }
        }
        return false;
    };
    const std::pair<const char*, std::size_t> groups[] = {
        {reinterpret_cast<const char*>(static_cast<DeviceStatics*>(s)), sizeof(DeviceStatics)},
        {reinterpret_cast<const char*>(static_cast<MatchStatics*>(s)), sizeof(MatchStatics)},
        {reinterpret_cast<const char*>(static_cast<CStateStatics*>(s)), sizeof(CStateStatics)},
    };
    for (const auto& [start, size] : groups) {
        for (std::size_t offset = 0; offset < size; ++offset) {
            if (!isStored(start + offset)) {
                ASSERT_EQ(start[offset], 0) << "byte " << offset << " of a group";
            }
        }
    }
}

// Any word of the block that holds a live object's address is a root entry, and the roots hold
// exactly the objects the set-up made: a reference static cannot be missed by the collector.
TEST_F(StaticSetUpTest, EveryReferenceInTheBlockIsARootAndOnlyCreatedObjectsAreHeld) {
    GameStatics* s = statics();
    runtime::ObjectManager* manager = application.getObjectManager();
    std::set<std::uintptr_t> live;
    for (jint i = 0; i < manager->count; ++i) {
        live.insert(reinterpret_cast<std::uintptr_t>(manager->objects[i]));
    }
    std::set<const void*> roots(s->rootTable, s->rootTable + s->rootCount);
    const auto* begin = reinterpret_cast<const char*>(s);
    for (std::size_t offset = 0; offset + sizeof(std::uintptr_t) <= sizeof(GameStatics);
         offset += sizeof(std::uintptr_t)) {
        std::uintptr_t word = 0;
        std::memcpy(&word, begin + offset, sizeof word);
        if (live.contains(word)) {
            EXPECT_TRUE(roots.contains(begin + offset))
                << "a live object at byte " << offset << " is no root";
        }
    }
    const std::set<const Object*> created = createdObjects();
    std::set<const Object*> held;
    for (jint i = 0; i < s->rootCount; ++i) {
        if (Object* object = *s->rootTable[i]) {
            held.insert(object);
            EXPECT_TRUE(created.contains(object))
                << "root " << i << " holds an object the set-up did not make";
        }
    }
    EXPECT_EQ(held, created);
    // System's output and error are one stream.
    EXPECT_EQ(s->systemErr, s->systemOut);
}

// An object only a static holds: made in a frame of its own, its address kept hidden.
[[gnu::noinline]] std::uintptr_t storeOnlyInStatic(GameStatics* s) {
    s->eventList = runtime::newObjectArray(3);
    return runtime::gctest::hide(s->eventList.get());
}

[[gnu::noinline]] void clearStatic(GameStatics* s) {
    s->eventList = nullptr;
}

TEST_F(StaticSetUpTest, AnObjectHeldOnlyByAStaticLivesExactlyAsLongAsTheStatic) {
    const bool stress = runtime::gcStress();
    runtime::setGcStress(false);
    runtime::ObjectManager* manager = application.getObjectManager();
    const std::uintptr_t hidden = storeOnlyInStatic(statics());
    runtime::clearDeadStack();
    manager->gc(0);
    manager->gc(0);
    EXPECT_TRUE(runtime::gctest::isListed(manager, hidden));
    clearStatic(statics());
    runtime::clearDeadStack();
    manager->gc(0);
    EXPECT_FALSE(runtime::gctest::isListed(manager, hidden));
    runtime::setGcStress(stress);
}

// The next count values of the game's generator.
std::vector<jint> drawFrom(GameStatics* s, const jint count) {
    std::vector<jint> values;
    for (jint i = 0; i < count; ++i) {
        values.push_back(s->gameRandom->nextInt());
    }
    return values;
}

TEST_F(StaticSetUpTest, TheGeneratorIsSeededFromTheInstalledClock) {
    constexpr jint kDraws = 8;
    const jlong state = statics()->gameRandom->seed;
    EXPECT_EQ(state, (testing_support::kFixedClock ^ kSeedMultiplier) & kSeedMask);
    const std::vector<jint> first = drawFrom(statics(), kDraws);

    takeDown();
    ASSERT_TRUE(bringUp(testing_support::kFixedClock));
    EXPECT_EQ(statics()->gameRandom->seed, state);
    EXPECT_EQ(drawFrom(statics(), kDraws), first);

    takeDown();
    ASSERT_TRUE(bringUp(testing_support::kFixedClock + 1));
    EXPECT_NE(statics()->gameRandom->seed, state);
    EXPECT_NE(drawFrom(statics(), kDraws), first);
}

} // namespace
} // namespace game
