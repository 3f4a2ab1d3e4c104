// The scouts: a report's estimate and its mark by the scout's grade, the request queue, a search's
// countdown, its draws by effort, a player found twice counted once, and the saved region and
// position read safely.
#include "game/club/Scouting.h"

#include <gtest/gtest.h>

#include <vector>

#include "game/club/ClubRecords.h"
#include "game/core/GameStatics.h"
#include "tests/game/club/SeasonWorkFixture.h"

namespace game::club {
namespace {

class ScoutingTest : public testing::SeasonWorkFixture {
protected:
    static constexpr jint kPlayers = 100; // 60 base players, 40 generated
    void SetUp() override {
        SeasonWorkFixture::SetUp();
        makeSeasonDatabase(kPlayers);
        GameStatics* const s = statics();
        s->extraNameTable = runtime::newByteArray(200);
        s->forceScoutSuccess = 0;
        plan = s->selectionTable;
        for (jint i = 592; i < 604; ++i) {
            (*plan)[i] = -1;
        }
        runtime::ObjectArray* queues = runtime::newObjectArray(2);
        s->staffTaskRows = queues;
        for (jint k = 0; k < 2; ++k) {
            runtime::ObjectArray* rows = runtime::newObjectArray(3);
            (*s->staffTaskRows)[k] = rows;
            for (jint r = 0; r < 3; ++r) {
                runtime::ByteArray* row = runtime::newByteArray(6);
                (*rows)[r] = row;
                for (jint b = 0; b < 6; ++b) {
                    (*row)[b] = -1;
                }
            }
        }
    }
    void scout(const jint id, const jint skill, const jint grade) {
        (*statics()->extraNameTable)[10 * id + 4] = runtime::i2b(skill);
        (*statics()->extraNameTable)[10 * id + 5] = runtime::i2b(grade);
    }
    void request(const jint slot, const jint row, const jint player) {
        auto* rows = static_cast<runtime::ObjectArray*>((*statics()->staffTaskRows)[slot]);
        auto* r = static_cast<runtime::ByteArray*>((*rows)[row]);
        (*r)[1] = 0;
        setShort(r, 3, player);
    }
    jint queued(const jint slot, const jint row) {
        auto* rows = static_cast<runtime::ObjectArray*>((*statics()->staffTaskRows)[slot]);
        auto* r = static_cast<runtime::ByteArray*>((*rows)[row]);
        return (*r)[1] == -1 ? -1 : core16(r, 3);
    }
    void assign(const jint slot, const std::vector<jint>& bytes) {
        for (jint b = 0; b < 6; ++b) {
            (*plan)[592 + 6 * slot + b] = runtime::i2b(bytes[static_cast<std::size_t>(b)]);
        }
    }
    jint found(const jint p) { return playerByte(p, 5) >> 7; }
    runtime::ByteArray* plan = nullptr;
};

TEST_F(ScoutingTest, AReportEstimatesAndMarksByTheScoutsGrade) {
    for (const jint grade : {0, 2, 5}) {
        for (jint seed = 0; seed < 5; ++seed) {
            SCOPED_TRACE(::testing::Message() << "grade " << grade << " seed " << seed);
            restart();
            for (jint k = 0; k < seed; ++k) {
                statics()->gameRandom->nextInt();
                twin.nextInt();
            }
            scout(3, 2, grade);
            setValue(10, 1000);
            assign(1, {3, 1, -1, -1, -1, -1});
            request(1, 0, 10);
            request(1, 1, 11);
            const bool marks = twin.range(1, 100) <= (5 - grade) * 20;
            processScouting();
            EXPECT_EQ(found(10), marks ? 1 : 0);
            if (grade == 0) {
                EXPECT_TRUE(marks);
            }
            if (grade == 5) {
                EXPECT_FALSE(marks);
            }
            EXPECT_EQ((*statics()->scoutEstimates)[20], 1300);
            EXPECT_EQ((*statics()->scoutEstimates)[21], 1300 + 130 * grade);
            EXPECT_EQ((*statics()->scoutEstimateGrade)[10], grade);
            EXPECT_EQ(ringTypes(), (std::vector<jint>{14}));
            EXPECT_EQ(queued(1, 0), 11);
            EXPECT_EQ(queued(1, 1), -1);
            EXPECT_EQ((*plan)[598 + 1], -1);
            EXPECT_EQ((*plan)[598], 3); // the scout stays
        }
    }
}

TEST_F(ScoutingTest, ASearchCountsDownThenDrawsByItsEffort) {
    scout(2, 5, 0);
    for (jint p = 60; p < kPlayers; ++p) {
        setMask(p, 0x10);
    }
    assign(0, {2, 0, 2, 0, 0, 7});
    processScouting();
    EXPECT_EQ((*plan)[594], 1);
    EXPECT_TRUE(ringTypes().empty());
    processScouting(); // effort 7: no draw at all
    expectDraws(0);
    EXPECT_EQ(ringTypes(), (std::vector<jint>{13}));
    EXPECT_EQ((*season::messageAt(0))[2], 0);
    EXPECT_EQ((*plan)[593], -1);
    EXPECT_EQ((*plan)[597], -1);
}

TEST_F(ScoutingTest, APlayerFoundTwiceCountsOnceAndTheSavedPlanIsReadSafely) {
    scout(2, 5, 0);
    statics()->forceScoutSuccess = 1;
    // One generated player without a club plays position 5 (mask bit 4).
    setMask(70, 0x10);
    for (jint p = 60; p < kPlayers; ++p) {
        if (p != 70) {
            setTeam(p, 4);
        }
    }
    assign(0, {2, 0, 1, 0, 5, 16});
    processScouting();
    EXPECT_EQ(found(70), 1);
    EXPECT_EQ(playerByte(70, 16), 1); // seasonYear 2010 - 2009
    EXPECT_EQ(ringTypes(), (std::vector<jint>{13}));
    EXPECT_EQ((*season::messageAt(0))[2], 1);
    EXPECT_EQ(statics()->scoutFindsNew, 1);

    // Region 12 and position 200 of a damaged plan read as any region and any position.
    struct Case {
        jint region, position;
        jint expected;
    };
    const Case cases[] = {{12, 200, 1}, {0, 0, 1}, {-3, 16, 1}, {0, 4, 0}};
    for (const Case& c : cases) {
        SCOPED_TRACE(::testing::Message() << c.region << " " << c.position);
        restart();
        scout(2, 9, 0); // a skill outside the table reads as 0
        statics()->forceScoutSuccess = 1;
        setMask(70, 0x10);
        for (jint p = 60; p < kPlayers; ++p) {
            if (p != 70) {
                setTeam(p, 4);
            }
        }
        assign(0, {2, 0, 1, c.region, c.position, 8});
        processScouting();
        EXPECT_EQ(found(70), c.expected);
    }
}

TEST_F(ScoutingTest, RegionEightIsEveryNationalityTheSevenRegionsMiss) {
    for (jint p = 0; p < 5; ++p) {
        bool inSeven = false;
        for (jint r = 1; r <= 7; ++r) {
            inSeven = inSeven || isFromRegion(r, p) != 0;
        }
        EXPECT_EQ(isFromRegion(8, p) != 0, !inSeven) << p;
        EXPECT_EQ(isFromRegion(0, p), 1);
        EXPECT_EQ(isFromRegion(12, p), 1);
    }
}

} // namespace
} // namespace game::club
