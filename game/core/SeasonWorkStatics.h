// The statics of the season's daily work: the deals of the inbox and the board's decision, the
// squad's training and condition, the computer clubs' transfers, the calendar's notices and the
// board's job offers, and the scouts' reports and searches.
#pragma once

#include "runtime/Arrays.h"
#include "runtime/JavaTypes.h"
#include "runtime/StaticRef.h"

namespace game {

struct SeasonWorkStatics {
    // Deals and the board.
    runtime::jint acceptedFeeTotal; // fees of the sales the user accepted
    runtime::jint boardDecision;    // 1 warning, 2 kept with offers, 3 dismissed
    runtime::jint gameOverReason;   // why the game ended: 1 the board, 2 dismissed with no club

    // Training and condition.
    runtime::StaticRef<runtime::IntArray> trainingBonus;   // bonus per trainingLevel 0..4 (int[5])
    runtime::StaticRef<runtime::IntArray> slotRatingMasks; // per squad slot, bit i: rating i rose (int[30])
    runtime::jint freePlayerCount;                         // players without a team

    // Computer transfers.
    runtime::StaticRef<runtime::ShortArray> userLinkedTeams; // five teams that never bid for the user

    // Calendar, board verdict and notices.
    runtime::jint seasonVerdict;                                  // the board's grade of the season, 1..11
    runtime::jint jobOfferMaxRating;                              // strongest club that offers a job; -1 none
    runtime::jint jobOfferMinRating;                              // weakest club that offers a job; -1 none
    runtime::StaticRef<runtime::ShortArray> jobOfferTeams;        // the offers found; 65535 empty (short[3])
    runtime::jint jobOfferCount;                                  // entries of jobOfferTeams taken
    runtime::StaticRef<runtime::ShortArray> divisionTeamsScratch; // leagueTeamOrder kept during the search
    runtime::jint retiredCount;                                   // players retired this season
    runtime::jbyte staffOffersNew;                                // the staff market changed: set each month
    runtime::jbyte monthChangeNotice;                             // the day advance shows the new month

    // Scouting.
    runtime::StaticRef<runtime::IntArray> scoutSearchChance; // success % per search skill 0..5 (int[6])
    runtime::StaticRef<runtime::IntArray> scoutEstimates;    // per player {value, price} (made on first use)
    runtime::StaticRef<runtime::ByteArray> scoutEstimateGrade; // per player, the estimate's scout grade
    runtime::jbyte forceScoutSuccess;                          // every search draw succeeds
    runtime::StaticRef<runtime::ObjectArray> staffTaskRows;    // per scout slot, its queue of report requests
    runtime::jbyte scoutFindsNew;                              // a search marked new players
    runtime::jbyte scoutFindsListed;                           // the free players' list has new finds
};

} // namespace game
