// Competition records and flags: unpacking a saved competition (370-byte records in
// competitionRecords) into the current-competition statics, the user's competition flags of
// the saved state, the knockout pairings of a round, the user's cup progress, and two small
// list and flag tests.
#pragma once

#include "runtime/JavaTypes.h"

namespace game::season {

using runtime::jboolean;
using runtime::jint;

// Bytes of one competition record; record n (from 1) starts at (n - 1) x 370.
inline constexpr jint kCompetitionRecordBytes = 370;

// Unpacks record n: round, user slot, size, second-leg flag, the 32 standings rows, cupBracket,
// competitionTeams (BE16), competitionValueA..C, competitionShorts5 (BE16) and competitionTail;
// single bytes signed. A record outside competitionRecords is logged and changes nothing.
void loadCompetitionRecord(jint n);
// inCountryPair: userTeam is one of its country's pair in countryPairTeams; cupEntryFlag: the
// user's league is below 10 or userCompetitionSlot below 16; userInCup: userTeam is among the
// continental entrants (layoutRows 128-159), else cupStatus[2] := -2.
void updateCompetitionFlags();
// cupBracket := a new byte[32] with the pairs of a knockout round of n teams, (2k, n - 2k - 1),
// those of the second half exchanged, the first eight pairs laid out by drawOrder; -1 elsewhere.
void buildCupDraw(jint n);
// The user's progress in the national cup (competitionType 2, cupStatus[1]) or the continental
// cup (3, cupStatus[2]) after a match; event 1: the user's club is out.
void recordCupProgress(jint event);
// The event at hand (scheduleType) is one the user's club takes part in.
jboolean isUserInCompetition();
// squadList := the setUpChoices that are neither hired (selectionTable bytes 588-591) nor
// dismissed (bytes 789-792), in order.
void collectFreeIds();
// A pending menu switch is set and its mode is 1.
jboolean isPendingModeOne();

} // namespace game::season
