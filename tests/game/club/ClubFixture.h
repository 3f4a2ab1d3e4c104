// A small club database built in code for the club tests: teams with empty squads, players with
// zeroed records and information records, the user's team, a pinned generator, and a second
// generator on the same seed that tells what the next draws are.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "game/core/GameStatics.h"
#include "runtime/Random.h"
#include "tests/support/GameRuntime.h"

namespace game::testing {

using runtime::jint;

// The game generator's sequence, kept outside the heap: what the next draws of a generator on
// the same seed are.
struct TwinRandom {
    explicit TwinRandom(const runtime::jlong start) : seed((start ^ 0x5DEECE66DLL) & kMask) {}
    jint nextInt() {
        seed =
            static_cast<runtime::jlong>(static_cast<std::uint64_t>(seed) * 0x5DEECE66DULL + 0xBULL) & kMask;
        return static_cast<jint>(seed >> 16);
    }
    // The draw randomRange(lo, hi) makes (lo < hi).
    jint range(const jint lo, const jint hi) {
        const runtime::jlong draw = nextInt();
        const runtime::jlong magnitude = draw < 0 ? -draw : draw;
        return static_cast<jint>(lo + magnitude % (static_cast<runtime::jlong>(hi) - lo + 1));
    }
    bool coin() { return (nextInt() & 1) != 0; }
    static constexpr runtime::jlong kMask = (1LL << 48) - 1;
    runtime::jlong seed;
};

class ClubFixture : public testing_support::GameRuntimeTest {
protected:
    static constexpr runtime::jlong kSeed = 20090701;

    // teams teams of empty squads, players players with all-zero records; the first
    // basePlayers are the base players.
    void makeDatabase(const jint teams, const jint players, const jint basePlayers) {
        GameStatics* const s = statics();
        s->teamCount = teams;
        s->playerCount = players;
        s->basePlayerCount = basePlayers;
        s->teamRecords = runtime::newByteArray(64 * teams);
        for (jint i = 0; i < 64 * teams; ++i) {
            (*s->teamRecords)[i] = (i % 64) < 60 ? -1 : 0;
        }
        s->playerRecords = runtime::newByteArray(37 * players);
        s->playerInfoRecords = runtime::newByteArray(28 * players);
        for (jint p = 0; p < players; ++p) {
            setTeam(p, 0xFFFF);
        }
        s->userTeam = -1;
        s->pendingTeam = -1;
        s->menuState = 0;
        pinGenerator();
    }
    void pinGenerator() {
        statics()->gameRandom = runtime::newObject<runtime::java_util_Random>(kSeed);
        twin = TwinRandom(kSeed);
    }

    // Squad slot slot of team := id (16-bit, so 0x8000 flags it).
    void setSlot(const jint team, const jint slot, const jint id) {
        setShort(statics()->teamRecords, 64 * team + 2 * slot, id);
    }
    // Puts player into the first free slot of team and sets his team field.
    void addToSquad(const jint team, const jint player) {
        for (jint slot = 0; slot < 30; ++slot) {
            if (core16(statics()->teamRecords, 64 * team + 2 * slot) == 0xFFFF) {
                setSlot(team, slot, player);
                setTeam(player, team);
                return;
            }
        }
        FAIL() << "team " << team << " is full";
    }
    void setPlayerByte(const jint player, const jint index, const jint value) {
        (*statics()->playerRecords)[37 * player + index] = runtime::i2b(value);
    }
    jint playerByte(const jint player, const jint index) const {
        return (*statics()->playerRecords)[37 * player + index] & 0xFF;
    }
    void setTeam(const jint player, const jint team) {
        setShort(statics()->playerRecords, 37 * player + 17, team);
    }
    void setWage(const jint player, const jint wage) {
        setShort(statics()->playerRecords, 37 * player + 2, wage);
    }
    void setValue(const jint player, const jint value) {
        for (jint i = 0; i < 4; ++i) {
            setPlayerByte(player, 33 + i, value >> (24 - 8 * i));
        }
    }
    void setMask(const jint player, const jint mask) {
        for (jint i = 0; i < 4; ++i) {
            (*statics()->playerInfoRecords)[28 * player + 11 + i] = runtime::i2b(mask >> (24 - 8 * i));
        }
    }
    void setBirthWord(const jint player, const jint word) {
        setShort(statics()->playerInfoRecords, 28 * player + 6, word);
    }
    void setBudget(const jint team, const jint budget) {
        setShort(statics()->teamRecords, 64 * team + 60, budget);
    }
    void setFunds(const jint team, const jint fundsByTen) {
        setShort(statics()->teamRecords, 64 * team + 62, fundsByTen);
    }

    static void setShort(runtime::ByteArray* const bytes, const jint at, const jint value) {
        (*bytes)[at] = runtime::i2b(value >> 8);
        (*bytes)[at + 1] = runtime::i2b(value);
    }
    static jint core16(const runtime::ByteArray* const bytes, const jint at) {
        return (((*bytes)[at] & 0xFF) << 8) | ((*bytes)[at + 1] & 0xFF);
    }
    static std::vector<std::uint8_t> bytesOf(const runtime::ByteArray* const bytes) {
        std::vector<std::uint8_t> out;
        for (jint i = 0; bytes != nullptr && i < bytes->length; ++i) {
            out.push_back(static_cast<std::uint8_t>((*bytes)[i]));
        }
        return out;
    }
    // The game's generator has advanced exactly draws times since it was pinned.
    void expectDraws(const jint draws) {
        TwinRandom copy(kSeed);
        for (jint i = 0; i < draws; ++i) {
            copy.nextInt();
        }
        EXPECT_EQ(statics()->gameRandom->seed, copy.seed) << "after " << draws << " draws";
    }

    TwinRandom twin{kSeed};
};

} // namespace game::testing
