// The squad settings section of the club plan (selectionTable): two flags, three settings for
// each squad slot and a value for each squad player, taken into the tables that the squad and
// tactics screens use.
#pragma once

namespace game::menus {

// Fills settingsFlagA/B, slotSettings (with slotSettingsCounter) and squadPlayerValues from
// selectionTable bytes 16..107 and the squad entries at 108..587. A table never filled (bytes
// 18..107 and 803 all 0) first gets the defaults: flag A off, flag B on, every setting 11. A
// setting outside 0..13 is logged and repaired to 11 in the table as well.
void loadSquadSettings();

} // namespace game::menus
