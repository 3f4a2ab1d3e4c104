// Every record layout of the club database and the season as named byte offsets: the player and
// team records, the player information records and the team information table, the inbox message
// and its store record, the club plan table, the competition block, the triplet, scout, coach and
// transfer records. Multi-byte fields are big-endian unless a name says otherwise; they are read
// and written byte by byte (game/core/RecordBytes.h, game/core/WriteBuffer.h, writeInt32BE). The
// pack's own layout and the record sizes come from DatabaseFormat.h, shared with the generator.
#pragma once

#include <cstdint>

#include "game/club/DatabaseFormat.h"

namespace game::club {

// Identifier fields: 0xFFFF (-1 read signed) means none; a squad slot with 0x8000 is flagged.
inline constexpr std::int32_t kNoId = 0xFFFF;
inline constexpr std::int32_t kFlaggedSlotBit = 0x8000;

// Player record (kPlayerRecordBytes = 37).
namespace player {
inline constexpr std::int32_t kContractEnd = 0;  // signed 16-bit, packed like a date from 2000; -1 none
inline constexpr std::int32_t kWage = 2;         // signed 16-bit
inline constexpr std::int32_t kSkills = 4;       // eight skills, low 7 bits each
inline constexpr std::int32_t kSkillMask = 0x7F; // bit 7 of byte 4 marks a bid
inline constexpr std::int32_t kBidMark = 0x80;
inline constexpr std::int32_t kSkillFlags = 12;    // 16-bit: nine skill flags and the foot bit
inline constexpr std::int32_t kStatus = 14;        // high nibble status code, low nibble grade
inline constexpr std::int32_t kFitness = 15;       // 1..99
inline constexpr std::int32_t kBirthYearCode = 16; // signed; -1 takes the information word as it is
inline constexpr std::int32_t kTeam = 17;          // unsigned 16-bit; 0xFFFF none
inline constexpr std::int32_t kSeasonStats = 19;   // twelve bytes
inline constexpr std::int32_t kListing = 31;       // low nibble listing flags, high nibble transfer status
inline constexpr std::int32_t kMarkedFlag = 1;     // listing flag: marked
inline constexpr std::int32_t kListedFlag = 2;     // listing flag: transfer-listed
inline constexpr std::int32_t kMorale = 32;
inline constexpr std::int32_t kMarketValue = 33; // 32-bit
} // namespace player

// Team record (kTeamRecordBytes = 64): kSquadSlots 16-bit slots from byte 0.
namespace team {
inline constexpr std::int32_t kSquad = 0;
inline constexpr std::int32_t kWageBudget = 60; // unsigned 16-bit, capped at 65000 by the turnover
inline constexpr std::int32_t kFunds = 62;      // signed 16-bit, units of 10
inline constexpr std::int32_t kFundsUnit = 10;
} // namespace team

// Player information record (kPlayerInfoBytes = 28): see DatabaseFormat.h for every field; the
// position mask's lowest byte carries the line bits of the needed-position rule.
namespace playerInfo {
inline constexpr std::int32_t kBirthWord = kPlayerBirthWord;
inline constexpr std::int32_t kPositionMask = kPlayerPositionMask;
inline constexpr std::int32_t kLineBits = kPlayerPositionMask + 3;
} // namespace playerInfo

// Team information table (pack entry 0), absolute offsets for league k and team t.
namespace teamInfo {
inline constexpr std::int32_t leagueTeamCount(const std::int32_t k) {
    return kLeagueEntryBytes * k + kLeagueTeamCount;
}
inline constexpr std::int32_t reputation(const std::int32_t t) {
    return kTeamReputationBase + kTeamStride * t;
}
inline constexpr std::int32_t wageBudget(const std::int32_t t) {
    return kTeamValuesBase + kTeamStride * t;
}
inline constexpr std::int32_t funds(const std::int32_t t) {
    return kTeamValuesBase + 2 + kTeamStride * t;
}
inline constexpr std::int32_t formation(const std::int32_t t) {
    return kTeamFormationBase + kTeamStride * t;
}
} // namespace teamInfo

// Inbox message (27 bytes).
namespace message {
inline constexpr std::int32_t kBytes = 27;
inline constexpr std::int32_t kType = 0;
inline constexpr std::int32_t kSender = 1; // 16-bit; the key of the keyed list
inline constexpr std::int32_t kPlayer = 3; // 16-bit
inline constexpr std::int32_t kAmount = 5; // 32-bit
inline constexpr std::int32_t kResult = 9; // 1 accepted, 0 refused, 255 none or open
inline constexpr std::int32_t kKind = 10;  // 1 transfer, 2 loan or contract
inline constexpr std::int32_t kValue = 11; // 32-bit
inline constexpr std::int32_t kScore = 15;
inline constexpr std::int32_t kAnswerState = 16; // 0 waits, 255 none, 2 answered by the season
inline constexpr std::int32_t kCategory = 17;
inline constexpr std::int32_t kMonth = 18;
inline constexpr std::int32_t kDay = 19;      // bits 0-3 the day slot, bits 4-7 read state (0 unread)
inline constexpr std::int32_t kReadMark = 20; // 255 when posted
inline constexpr std::int32_t kExtra = 22;    // parameter 12 of types 108..119
inline constexpr std::int32_t kOwner = 23;    // 16-bit
inline constexpr std::int32_t kFourthId = 25; // 16-bit
} // namespace message

// Inbox store record: a count byte, then messages oldest first at 1 + 27k.
namespace inboxStore {
inline constexpr std::int32_t kBytes = 2728;
inline constexpr std::int32_t kMessages = 100;
inline constexpr std::int32_t kCount = 0;
inline constexpr std::int32_t message(const std::int32_t k) {
    return 1 + message::kBytes * k;
}
} // namespace inboxStore

// Club plan table (selectionTable; 804 bytes stored).
namespace clubPlan {
inline constexpr std::int32_t kStoredBytes = 804;
inline constexpr std::int32_t kTrainingFlags = 0; // twelve
inline constexpr std::int32_t kSquadSettings = 16;
inline constexpr std::int32_t kSlotSettings = 18; // 30 x 3
inline constexpr std::int32_t kMembers = 108;     // 16 bytes a member
inline constexpr std::int32_t kMemberBytes = 16;
inline constexpr std::int32_t kHiredStaff = 588; // four
inline constexpr std::int32_t kScoutSlots = 592; // two of 6 bytes
inline constexpr std::int32_t kScoutSlotBytes = 6;
inline constexpr std::int32_t kTactics = 604; // the formation, then 11 players x 12 bytes from 640
inline constexpr std::int32_t kTacticsPlayers = 640;
inline constexpr std::int32_t kTacticsPlayerBytes = 12;
inline constexpr std::int32_t kActionCount = 772;
inline constexpr std::int32_t kActionPlayers = 773; // eight 16-bit ids
inline constexpr std::int32_t kDismissedStaff = 789;
inline constexpr std::int32_t kFreeScouts = 793;
inline constexpr std::int32_t kLineupValuesA = 796;
inline constexpr std::int32_t kLineupValuesB = 800;
inline constexpr std::int32_t kSetUpMarker = 803;
} // namespace clubPlan

// Competition block (three of 370 bytes in competitionRecords).
namespace competitionBlock {
inline constexpr std::int32_t kBytes = 370;
inline constexpr std::int32_t kRound = 0;
inline constexpr std::int32_t kSecondLeg = 3;
inline constexpr std::int32_t kValueA = 356;
} // namespace competitionBlock

// Triplet entry (3 bytes of tripletTable): a 16-bit value, then a byte. The game keeps 100.
namespace triplet {
inline constexpr std::int32_t kBytes = 3;
inline constexpr std::int32_t kValue = 0;
inline constexpr std::int32_t kState = 2;
inline constexpr std::int32_t kCount = 100;
} // namespace triplet

// Scout record (kScoutRecordBytes) and coach record (kCoachRecordBytes): see DatabaseFormat.h.

// Transfer-record table (401 bytes): a count byte, then record k at 1 + 8k.
namespace transferRecord {
inline constexpr std::int32_t kTableBytes = 401;
inline constexpr std::int32_t kBytes = 8;
inline constexpr std::int32_t kCount = 0;
inline constexpr std::int32_t record(const std::int32_t k) {
    return 1 + kBytes * k;
}
inline constexpr std::int32_t kPlayer = 0; // low 15 bits; bit 15 a loan
inline constexpr std::int32_t kFrom = 2;
inline constexpr std::int32_t kTo = 4;
inline constexpr std::int32_t kFee = 6; // units of ten, signed
} // namespace transferRecord

} // namespace game::club
