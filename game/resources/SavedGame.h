// The saved game: the main store with the 5,736-byte game record, and the pass that saves or
// loads every store of the game in one direction. Each store routine catches the record-store
// failures it meets, logs them and lets the game go on; the store is closed and the record
// buffer dropped on every path.
#pragma once

#include "runtime/JavaTypes.h"

namespace game::resources {

using runtime::jboolean;

// Saves (save set) or loads every store, in this order: the composite record, the state record,
// the game record, the team bytes, the tables of 4,608, 1,110 and 6,342 bytes, the manager
// profile, the team records, the club plan, the player records, the triplets, the inbox and the
// transfer table. A load first marks the season's fixtures as not generated, and afterwards
// gives the user's match team the saved tactics and formation and lays the team out again.
void saveOrLoadGame(jboolean save);
// The main store. Saving packs the statics into record 1 (adding it when the store has none).
// Loading reads record 1 into the statics; a record of another size, or one whose values would
// index outside their tables, is dropped (logged) and, like a missing one, replaced by a new
// game's record packed from the new-game set-up.
void saveOrLoadGameRecord(jboolean save);
// Saves after a game day as autoSaveMode asks: 0 always, 1 on odd match days, 2 on day 7 of the
// week, 3 never.
void autoSave();

} // namespace game::resources
