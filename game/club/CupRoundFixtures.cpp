// The ties of a knockout round (see CupRoundFixtures.h).
#include "game/club/CupRoundFixtures.h"

#include "game/core/GameStatics.h"
#include "game/core/RecordBytes.h"
#include "runtime/Log.h"

namespace game::club {

using namespace game::core;
using runtime::jint;

namespace {

constexpr jint kRowEntries = 16;
constexpr jint kContinentalRow = 8;
constexpr jint kContinentalEntries = 32;
constexpr jint kFirstRound = 3; // the round of 16
constexpr jint kFinal = 6;
constexpr jint kUndrawn = 0xFF;

} // namespace

void fillCupRoundFixtures(const jint round, runtime::ShortArray* const teamList, const jint group,
                          const runtime::jboolean swapSides) {
    GameStatics* const s = statics();
    const runtime::ShortArray* const rows = s->layoutRows;
    const jint count = group == kContinentalRow ? kContinentalEntries : kRowEntries;
    if (teamList == nullptr || rows == nullptr || group < 0 || teamList->length < count ||
        !holds(rows, group * kRowEntries, count)) {
        runtime::log("fillCupRoundFixtures: row %d cannot be listed", group);
        return;
    }
    for (jint i = 0; i < count; ++i) {
        (*teamList)[i] = (*rows)[group * kRowEntries + i];
    }
    // The bracket's offset table has the four rounds up to the final: a later round reads as the
    // final rather than past the table.
    const jint r = round < kFirstRound ? kFirstRound : (round > kFinal ? kFinal : round);
    const jint ties = r < kFinal ? 1 << (kFinal - r) : 1;
    const runtime::ByteArray* const bracket = s->cupBracket;
    const runtime::ByteArray* const starts = s->cupRoundStart;
    runtime::ShortArray* const view = s->viewTeams;
    if (bracket == nullptr || starts == nullptr || view == nullptr || !starts->inBounds(r - kFirstRound)) {
        runtime::log("fillCupRoundFixtures: the bracket tables are missing");
        return;
    }
    const jint offset = (*starts)[r - kFirstRound];
    for (jint i = 0; i < ties; ++i) {
        if (!holds(bracket, offset + 2 * i, 2) || !holds(view, 2 * i, 2)) {
            return;
        }
        const jint first = (*bracket)[offset + 2 * i] & 0xFF;
        const jint second = (*bracket)[offset + 2 * i + 1] & 0xFF;
        if (first == kUndrawn || second == kUndrawn) {
            return;
        }
        if (first >= count || second >= count) {
            runtime::log("fillCupRoundFixtures: tie %d names places %d and %d", i, first, second);
            return;
        }
        (*view)[2 * i + (swapSides ? 1 : 0)] = (*teamList)[first];
        (*view)[2 * i + (swapSides ? 0 : 1)] = (*teamList)[second];
    }
}

} // namespace game::club
