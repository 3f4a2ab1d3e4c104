// The squad list: each column sorted, reversed by a second sort and restored by a third, the sort
// flags kept or not, equal names and equal ages; the transfer target at the price-window bounds,
// with 20 and 21 candidates and listed players only, on a pinned seed.
#include "game/club/SquadLists.h"

#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

#include "game/club/DatabaseLookups.h"
#include "game/core/services/SeasonScreenServices.h"
#include "game/interim/InterimSeasonScreenServices.h"
#include "runtime/Service.h"
#include "runtime/String.h"
#include "tests/game/club/ClubFixture.h"

namespace game::club {
namespace {

// Player labels from a table the test sets.
class NamedPlayers final : public interim::InterimSeasonScreenServices {
public:
    runtime::String* getPlayerLabel(const jint player) override {
        return runtime::newStringFromCString(names[player].c_str());
    }
    std::map<jint, std::string> names;

private:
    runtime::ScopedService<core::SeasonScreenServices> scope{&core::installSeasonScreenServices, *this};
};

class SquadListsTest : public testing::ClubFixture {
protected:
    void SetUp() override {
        ClubFixture::SetUp();
        prepare();
    }
    virtual void prepare() {
        makeDatabase(4, 80, 80);
        statics()->seasonYear = 2010;
    }
    void setList(const std::vector<jint>& ids) {
        GameStatics* const s = statics();
        for (std::size_t i = 0; i < ids.size(); ++i) {
            (*s->squadList)[static_cast<jint>(i)] = ids[i];
        }
        s->squadListCount = static_cast<jint>(ids.size());
    }
    std::vector<jint> list() const {
        std::vector<jint> out;
        for (jint i = 0; i < statics()->squadListCount; ++i) {
            out.push_back((*statics()->squadList)[i]);
        }
        return out;
    }
    std::vector<jint> flags() const {
        std::vector<jint> out;
        for (jint i = 0; i < 6; ++i) {
            out.push_back((*statics()->squadSortFlags)[i]);
        }
        return out;
    }
    // Born on 1 January of 1960 + yearCode (base players, code -1).
    void setAge(const jint player, const jint age) {
        setPlayerByte(player, 16, -1);
        setBirthWord(player, ((2010 - 1960 - age) << 9) | (1 << 5) | 1);
    }

    NamedPlayers named;
};

TEST_F(SquadListsTest, EachColumnSortsThenReversesThenRestores) {
    // Players 0-4; each column's keys make a different order.
    named.names = {{0, "Dale"}, {1, "Bram"}, {2, "Eske"}, {3, "Alun"}, {4, "Cyd"}};
    const jint ages[] = {25, 31, 19, 28, 22};
    const jint masks[] = {1 << 13, 1 << 6, 1 << 1, 1, 1 << 8};
    const jint skills[] = {60, 80, 40, 70, 50};
    const jint values[] = {300, 100, 500, 200, 400};
    for (jint p = 0; p < 5; ++p) {
        setAge(p, ages[p]);
        setMask(p, masks[p]);
        setPlayerByte(p, 4, skills[p]);
        setPlayerByte(p, 5, skills[p]);
        setValue(p, values[p]);
    }
    const struct {
        jint column;
        std::vector<jint> order;
    } cases[] = {
        {0, {3, 1, 4, 0, 2}}, // by name, A first
        {1, {1, 3, 0, 4, 2}}, // oldest first
        {2, {0, 4, 1, 2, 3}}, // larger main position (13, 8, 6, 1, 0) first
        {3, {1, 3, 0, 4, 2}}, // highest rating first
        {4, {2, 4, 0, 3, 1}}, // highest value first
    };
    GameStatics* const s = statics();
    for (const auto& c : cases) {
        SCOPED_TRACE(c.column);
        setList({0, 1, 2, 3, 4});
        s->rowScroll = 13;
        s->listPage = 5;
        sortSquadList(c.column, 0);
        EXPECT_EQ(list(), c.order);
        EXPECT_EQ(s->rowScroll, 0);
        EXPECT_EQ(s->listPage, 0);
        std::vector<jint> flagsWanted(6, 0);
        flagsWanted[static_cast<std::size_t>(c.column)] = 1;
        EXPECT_EQ(flags(), flagsWanted);
        sortSquadList(c.column, 0);
        EXPECT_EQ(list(), std::vector<jint>(c.order.rbegin(), c.order.rend()));
        sortSquadList(c.column, 0);
        EXPECT_EQ(list(), c.order);
    }
    // Column 5 compares nothing: the list reverses; a column outside 0..5 changes nothing.
    setList({0, 1, 2});
    const jint counted = s->compareCount;
    sortSquadList(5, 0);
    EXPECT_EQ(list(), (std::vector<jint>{2, 1, 0}));
    EXPECT_EQ(s->compareCount, counted + 2);
    sortSquadList(6, 0);
    EXPECT_EQ(list(), (std::vector<jint>{2, 1, 0}));
}

TEST_F(SquadListsTest, EqualNamesStayInOrderEqualAgesTurnAndKeptFlagsStayPut) {
    named.names = {{0, "Ann"}, {1, "Ann"}, {2, "Bo"}};
    for (jint p = 0; p < 3; ++p) {
        setAge(p, 30);
    }
    setList({0, 1, 2});
    sortSquadList(0, 0);
    EXPECT_EQ(list(), (std::vector<jint>{0, 1, 2})) << "an equal name goes after";
    setList({0, 1, 2});
    sortSquadList(1, 0);
    EXPECT_EQ(list(), (std::vector<jint>{2, 1, 0})) << "an equal age goes before";
    // A sort with keepFlags leaves column 1 marked, so the next sort by column 1 reverses (an
    // insertion sort by these ages would give 2, 0, 1).
    setAge(0, 30);
    setAge(1, 25);
    setAge(2, 35);
    setValue(0, 100);
    setValue(1, 300);
    setValue(2, 200);
    setList({0, 1, 2});
    sortSquadList(4, 1);
    EXPECT_EQ(list(), (std::vector<jint>{1, 2, 0}));
    EXPECT_EQ(flags(), (std::vector<jint>{0, 1, 0, 0, 0, 0}));
    sortSquadList(1, 0);
    EXPECT_EQ(list(), (std::vector<jint>{0, 2, 1}));
}

class TransferTargetTest : public SquadListsTest {
protected:
    static constexpr jint kBuyer = 0;
    static constexpr jint kSeller = 1;

    // Team 0 needs line 2 (bit 4) without a draw: line bits 1, 2 and 8 in its squad.
    void prepare() override {
        SquadListsTest::prepare();
        GameStatics* const s = statics();
        s->userTeam = kBuyer;
        const jint lines[] = {1, 2, 8};
        for (jint p = 0; p < 3; ++p) {
            addToSquad(kBuyer, p);
            (*s->playerInfoRecords)[28 * p + 14] = runtime::i2b(lines[p]);
            setMask(p, lines[p]);
        }
    }
    // The buyer's money (the user's running money).
    void setMoney(const jint money) {
        GameStatics* const s = statics();
        s->userFundsBase = money;
        s->userFundsIn = 0;
        s->userFundsOut = 0;
    }
    // Candidates from player 10 on, of the seller (mask bit 4), whose asking prices come out as
    // prices for the draws they will take; where a draw cannot give a price, a filler of team 3
    // priced far outside every window takes that draw first. The candidates' ids, in order.
    std::vector<jint> addCandidates(const std::vector<jint>& prices) {
        testing::TwinRandom draws = twin;
        std::vector<jint> ids;
        jint player = 10;
        for (const jint price : prices) {
            for (;;) {
                const jint rise = draws.range(0, 30);
                jint value = -1;
                for (jint v = 0; v <= price && value < 0; ++v) {
                    if (v + v * rise / 100 == price) {
                        value = v;
                    }
                }
                setMask(player, 4 | 0x100);
                if (value < 0) {
                    addToSquad(3, player);
                    setValue(player++, 1000000);
                    continue;
                }
                addToSquad(kSeller, player);
                setValue(player, value);
                ids.push_back(player++);
                break;
            }
        }
        drawsTaken = player - 10;
        return ids;
    }
    jint drawsTaken = 0;
};

TEST_F(TransferTargetTest, ThePriceWindowAtItsBounds) {
    const struct {
        jint money;
        std::vector<jint> prices;
        std::vector<std::size_t> kept; // indices into prices
    } cases[] = {
        {500, {500, 501, 0}, {0, 2}},
        {0, {0, 1}, {0}},
        {501, {99, 100, 334, 335}, {1, 2}},
        {600, {119, 120, 400, 401}, {1, 2}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.money);
        prepare();
        setMoney(c.money);
        const std::vector<jint> ids = addCandidates(c.prices);
        std::vector<jint> kept;
        for (const std::size_t i : c.kept) {
            kept.push_back(ids[i]);
        }
        // A player of another line and one without a team never count.
        addToSquad(2, 70);
        setMask(70, 2);
        setMask(71, 4);
        const jint chosen = chooseTransferTarget(kBuyer, 0);
        EXPECT_EQ(list(), kept);
        for (jint i = 0; i < drawsTaken; ++i) {
            twin.range(0, 30);
        }
        EXPECT_EQ(chosen, kept[static_cast<std::size_t>(twin.range(0, static_cast<jint>(kept.size()) - 1))]);
    }
}

TEST_F(TransferTargetTest, TwentyCandidatesDrawOneTwentyOneDrawAmongTheCheapest) {
    for (const jint candidates : {20, 21, 25}) {
        SCOPED_TRACE(candidates);
        prepare();
        setMoney(600);
        std::vector<jint> prices;
        for (jint i = 0; i < candidates; ++i) {
            prices.push_back(150 + 10 * ((i * 7) % candidates)); // all inside 120..400
        }
        addCandidates(prices);
        const jint chosen = chooseTransferTarget(kBuyer, 0);
        ASSERT_EQ(statics()->squadListCount, candidates);
        for (jint i = 0; i < drawsTaken; ++i) {
            twin.range(0, 30);
        }
        if (candidates < 21) {
            EXPECT_EQ(list()[static_cast<std::size_t>(twin.range(0, candidates - 1))], chosen);
        } else {
            // Sorted by value, highest first, flags kept; the pick is one of the last 21.
            const std::vector<jint> sorted = list();
            for (std::size_t i = 1; i < sorted.size(); ++i) {
                EXPECT_GE(getPlayerField33(sorted[i - 1]), getPlayerField33(sorted[i]));
            }
            EXPECT_EQ(sorted[static_cast<std::size_t>(twin.range(candidates - 21, candidates - 1))], chosen);
            EXPECT_EQ(flags(), std::vector<jint>(6, 0));
        }
    }
}

TEST_F(TransferTargetTest, ListedOnlyTakesListedPlayersAtAnyPrice) {
    setMoney(0);
    addCandidates({5000, 6000, 7000});
    setPlayerByte(11, 31, 2);
    setPlayerByte(12, 31, 1 | 4);
    EXPECT_EQ(chooseTransferTarget(kBuyer, 1), 11);
    EXPECT_EQ(list(), (std::vector<jint>{11}));
    setPlayerByte(11, 31, 0);
    EXPECT_EQ(chooseTransferTarget(kBuyer, 1), -1);
}

} // namespace
} // namespace game::club
