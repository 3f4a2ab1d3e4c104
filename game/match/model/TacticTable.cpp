// The tactic table (see TacticTable.h).
#include "game/match/model/TacticTable.h"

#include "game/core/GameStatics.h"
#include "game/match/model/TacticTableFormat.h"
#include "runtime/Log.h"

namespace game::match {

namespace {
// Position codes of the formation grid, grouped as the team model reads the defaults: the
// keeper, centre backs, full backs, holding, central and wide midfield, wingers, attacking
// midfield and forwards.
constexpr jint kKeeperCode = -1;
constexpr jint kLastPositionCode = 24;
constexpr jint kGroupOfCode[kLastPositionCode + 1] = {2, 1, 1, 1, 2, 1, 3, 3, 3, 1, 5, 4, 4,
                                                      4, 5, 6, 7, 7, 7, 6, 8, 8, 8, 8, 8};
constexpr jint kKeeperGroup = 0;
} // namespace

bool setTacticTable(runtime::ByteArray* const bytes) {
    if (bytes == nullptr || bytes->length < kTacticTableMinimum) {
        runtime::log("setTacticTable: a table of %d bytes holds fewer than %d; the old table stays",
                     bytes == nullptr ? 0 : bytes->length, kTacticTableMinimum);
        return false;
    }
    statics()->tacticTable = bytes;
    return true;
}

jint tacticGroupOf(const jint positionCode) {
    if (positionCode == kKeeperCode) {
        return kKeeperGroup;
    }
    if (positionCode < 0 || positionCode > kLastPositionCode) {
        return -1;
    }
    return kGroupOfCode[positionCode];
}

jint tacticRowOffset(const jint row) {
    const runtime::ByteArray* const table = statics()->tacticTable;
    const jint offset = row * kTacticRowBytes;
    if (table == nullptr || row < 0 || row >= kTacticRows || offset + kTacticRowBytes > table->length) {
        return -1;
    }
    return offset;
}

jint positionGroupOffset(const jint group) {
    const runtime::ByteArray* const table = statics()->tacticTable;
    const jint offset = kPositionDefaultsStart + group * kPositionGroupBytes;
    if (table == nullptr || group < 0 || group >= kPositionGroupsRead ||
        offset + kPositionGroupBytes > table->length) {
        return -1;
    }
    return offset;
}

} // namespace game::match
