// The season turnover as the new-game handler runs it, one step a frame, and the start of the
// new season it ends with.
#pragma once

namespace game::menus {

// The new season: the players' season bytes and the season's state back to their starting
// values, the user's three competitions set up, his formation, squad settings and wage figures,
// then a save. With teamChanged set the user's tactics are written anew and his wage budget
// gets its floor.
void startNewSeason();
// Paints the turnover's progress, runs step screenCounter (0..11) of the turnover and advances
// the counter by one. From 2010 on the steps settle the season that ended; in every year they
// switch teams, rate the countries and age the players.
void processSeasonStep();

} // namespace game::menus
