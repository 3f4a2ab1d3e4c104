// The one accessor from a match player to his squad entry (CPlayer.h): every reader of a player's
// 22-byte entry goes through it, so after a substitution all of them read the player who now
// stands in the slot.
#include "game/core/GameStatics.h"
#include "game/core/RecordBytes.h"
#include "game/match/CPlayer.h"

namespace game::match {

jint squadEntryIndex(const jint teamIndex, const jint slot) {
    runtime::ObjectArray* const table = statics()->lineup;
    if (table == nullptr || !table->inBounds(teamIndex)) {
        return -1;
    }
    const auto* const row = static_cast<const runtime::ByteArray*>((*table)[teamIndex]);
    if (row == nullptr || !row->inBounds(slot)) {
        return -1;
    }
    const jint entry = (*row)[slot];
    if (entry < 0 || entry >= core::kMatchRecordsPerTeam) {
        return -1;
    }
    return entry + teamIndex * core::kMatchRecordsPerTeam;
}

} // namespace game::match
