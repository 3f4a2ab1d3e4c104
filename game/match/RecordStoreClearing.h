// Emptying a named record store before the saved game is written into it again.
#pragma once

namespace runtime {
struct String;
}

namespace game::match {

// Opens the store called name (without creating it), deletes its records from the last listed id
// to the first and truncates its index file, so the store opens empty afterwards. A store that
// does not open (or a deletion that fails) returns at once and leaves the exception pending for
// the caller.
void clearRecordStore(runtime::String* name);

} // namespace game::match
