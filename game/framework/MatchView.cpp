// The match view and actor routines (see MatchView.h).
#include "game/framework/MatchView.h"

#include "game/framework/GameStatics.h"
#include "game/framework/RecordBytes.h"
#include "game/match/CPlayer.h"
#include "runtime/Log.h"

namespace game::framework {

namespace {

// findBestPlayer's scan: player indexes 10 down to 2, down to 1 for kind 3.
constexpr jint kFirstScanned = 10;
constexpr jint kLastScanned = 2;
constexpr jint kLastScannedKind3 = 1;
// Record bytes the kinds read.
constexpr jint kRecordByte1 = 1;
constexpr jint kRecordByte2 = 2;
constexpr jint kRecordByte15 = 15;
constexpr jint kRecordByte17 = 17;

// The value of a player's record for findBestPlayer's kind.
jint bestPlayerValue(const runtime::ByteArray* const records, const jint offset, const jint kind) {
    const jint byte1 = (*records)[offset + kRecordByte1];
    const jint byte2 = (*records)[offset + kRecordByte2];
    switch (kind) {
    case kBestPlayerKind0:
        return byte1 / 3 + byte2 / 2;
    case kBestPlayerKind1:
        return byte1 * 6 / 7;
    case kBestPlayerKind2:
        return byte2 * 2 / 3 + (*records)[offset + kRecordByte15] / 4;
    case kBestPlayerKind3:
        return (*records)[offset + kRecordByte17];
    default:
        return 0;
    }
}

} // namespace

jint findBestPlayer(match::CTeam* const team, const jint kind) {
    if (team == nullptr || team->players == nullptr) {
        return -1;
    }
    runtime::ByteArray* const records = statics()->listRowRecords;
    const jint last = kind == kBestPlayerKind3 ? kLastScannedKind3 : kLastScanned;
    jint best = -1;
    jint bestValue = 0;
    for (jint i = kFirstScanned; i >= last; --i) {
        if (i >= team->players->length) {
            continue;
        }
        auto* const player = static_cast<match::CPlayer*>((*team->players)[i]);
        if (player == nullptr || player->outOfPlay != 0) {
            continue;
        }
        const jint offset = (team->teamIndex * kMatchRecordsPerTeam + player->slot) * kMatchRecordBytes;
        if (!holds(records, offset, kMatchRecordBytes)) {
            runtime::log("findBestPlayer: no match record for team %d, slot %d", team->teamIndex,
                         player->slot);
            continue;
        }
        const jint value = bestPlayerValue(records, offset, kind);
        if (value > bestValue) {
            best = i;
            bestValue = value;
        }
    }
    return best;
}

} // namespace game::framework
