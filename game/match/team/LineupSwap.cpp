// Line-up swaps, match player exchanges and the substitution list (see LineupSwap.h).
#include "game/match/team/LineupSwap.h"

#include <algorithm>

#include "game/club/DatabaseLookups.h"
#include "game/match/MatchView.h"
#include "game/match/team/LineupChoice.h"
#include "game/match/team/LineupTables.h"
#include "runtime/Log.h"

namespace game::match {

using namespace game::club;
using namespace game::core;

namespace {

using match::CPlayer;
using match::CTeam;
using runtime::ByteArray;
using runtime::jbyte;

constexpr jint kMaxPlayers = 18;
constexpr jint kOnPitch = 11;
constexpr jint kSentOff = 2;     // bookings: sent off
constexpr jint kLeftPitch = 1;   // outOfPlay: left the pitch
constexpr jint kUnavailable = 4; // match record byte 4 above this: not fit to play
constexpr jint kStatusByte = 4;
constexpr jint kPlaceValueByte = 13; // match record byte that stays with the place
constexpr jint kPositionRecordByte = 9;
// What a key player carries in his position record: bytes 13-21 and the word at byte 30.
constexpr jint kKeyBytesStart = 13;
constexpr jint kKeyBytesCount = 9;
constexpr jint kKeyWordStart = 30;
constexpr jint kKeyWordCount = 4;
// The states and flags that tell whether the match is live.
constexpr jint kMatchTopState = 2;
constexpr jint kMatchScreenTopState = 4;
constexpr jint kLiveMenuState = 0x800007;
constexpr jint kPauseMenuStates[] = {0x100, 0x800000, 0x108};
constexpr jint kBenchFromMenus = 2;
// selectionTable: the 3-byte block of each line-up position.
constexpr jint kBlocksStart = 18;
constexpr jint kBlockBytes = 3;
// The team level of each team rating: a placeholder ramp (one level per ten points) until the
// match set-up that derives the levels from the ratings is built.
constexpr jint kRatingLevels[] = {0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 2, 2, 2, 2, 2,
                                  2, 2, 2, 2, 2, 3, 3, 3, 3, 3, 3, 3, 3, 3, 3, 4, 4, 4, 4, 4, 4, 4, 4, 4, 4,
                                  5, 5, 5, 5, 5, 5, 5, 5, 5, 5, 6, 6, 6, 6, 6, 6, 6, 6, 6, 6, 7, 7, 7, 7, 7,
                                  7, 7, 7, 7, 7, 8, 8, 8, 8, 8, 8, 8, 8, 8, 8, 9, 9, 9, 9, 9, 9, 9, 9, 9, 9};
constexpr jint kRatingLevelCount = static_cast<jint>(sizeof(kRatingLevels) / sizeof(kRatingLevels[0]));

// The line-up tables' byte at index of the side's row; -1 when outside.
jint rowByte(runtime::ObjectArray* table, const jint side, const jint index) {
    const ByteArray* const row = sideRow(table, side);
    return row != nullptr && row->inBounds(index) ? (*row)[index] : -1;
}

template <typename T> void exchange(T& a, T& b) {
    const T held = a;
    a = b;
    b = held;
}

void exchangeBytes(ByteArray* bytes, const jint a, const jint b, const jint count) {
    if (!holds(bytes, a, count) || !holds(bytes, b, count)) {
        runtime::log("line-up exchange: bytes %d and %d (%d each) lie outside", a, b, count);
        return;
    }
    for (jint i = 0; i < count; ++i) {
        exchange((*bytes)[a + i], (*bytes)[b + i]);
    }
}

bool matchLive() {
    const GameStatics* const s = statics();
    return s->matchLiveFlag != 0 || (s->menuState == kLiveMenuState && s->matchViewPhase > 0);
}

// The swap rules' wider test: also a menu over the live match.
bool liveOrMenuOverMatch() {
    const GameStatics* const s = statics();
    if (matchLive()) {
        return true;
    }
    return s->matchMenuFlag != 0 && std::find(std::begin(kPauseMenuStates), std::end(kPauseMenuStates),
                                              s->menuState) != std::end(kPauseMenuStates);
}

jint recordOffset(const jint side, const jint slot) {
    const jint offset = (side * kMatchRecordsPerTeam + slot) * kMatchRecordBytes;
    return slot >= 0 && slot < kMatchRecordsPerTeam &&
                   holds(statics()->listRowRecords, offset, kMatchRecordBytes)
               ? offset
               : -1;
}

ByteArray* positionRecord(const jint index) {
    runtime::ObjectArray* const records = statics()->positionRecords;
    if (records == nullptr || !records->inBounds(index)) {
        return nullptr;
    }
    return static_cast<ByteArray*>((*records)[index]);
}

// The key player's position records change places (the records of the two kick-off players).
void exchangeKeyRecords(const jint side, const CPlayer* x, const CPlayer* y) {
    GameStatics* const s = statics();
    const jint r1 = recordOffset(side, rowByte(s->lineupAtKickOff, side, x->matchSlot));
    const jint r2 = recordOffset(side, rowByte(s->lineupAtKickOff, side, y->matchSlot));
    if (r1 < 0 || r2 < 0) {
        runtime::log("swapMatchPlayers: side %d's key player has no match record", side);
        return;
    }
    ByteArray* const first = positionRecord((*s->listRowRecords)[r1 + kPositionRecordByte]);
    ByteArray* const second = positionRecord((*s->listRowRecords)[r2 + kPositionRecordByte]);
    if (!holds(first, kKeyWordStart, kKeyWordCount) || !holds(second, kKeyWordStart, kKeyWordCount)) {
        runtime::log("swapMatchPlayers: side %d's key player has no position record", side);
        return;
    }
    for (const auto& [start, count] :
         {std::pair{kKeyBytesStart, kKeyBytesCount}, {kKeyWordStart, kKeyWordCount}}) {
        for (jint i = 0; i < count; ++i) {
            exchange((*first)[start + i], (*second)[start + i]);
        }
    }
}

// The player at P[index]; logged when missing.
CPlayer* requirePlayer(const CTeam* team, const jint index, const char* routine) {
    CPlayer* const player = index >= 0 && index < kMaxPlayers ? teamPlayer(team, index) : nullptr;
    if (player == nullptr) {
        runtime::log("%s: no player at index %d", routine, index);
    }
    return player;
}

// Whether the player of bench position k may be brought on for the user's side.
bool mayComeOn(const jint k, const bool matchOn) {
    GameStatics* const s = statics();
    const jint index = rowByte(s->lineup, 0, k);
    const jint slot = matchOn ? rowByte(s->squadSlotOfPlayer, 0, index) : index;
    const jint team = isNoClub(s->userTeam) ? -1 : s->userTeam & 0xFFFF;
    if (isBarredFromCompetition(squadNumber(team, slot), s->competitionEventType)) {
        return false;
    }
    const jint record = recordOffset(0, index);
    return record >= 0 && (*s->listRowRecords)[record + kStatusByte] <= kUnavailable;
}

// Bench positions 11..benchEnd-1 whose player is not on the kick-off bench.
jint benchChanges(const ByteArray* lineup, const ByteArray* kickOff, const jint benchEnd) {
    jint count = 0;
    for (jint j = kOnPitch; j < benchEnd; ++j) {
        bool found = false;
        for (jint i = kOnPitch; i < benchEnd && !found; ++i) {
            found = (*kickOff)[i] == (*lineup)[j];
        }
        count += found ? 0 : 1;
    }
    return count;
}

} // namespace

bool swapLineupPositions(const jint side, const jint posA, const jint posB, jint benchEnd) {
    GameStatics* const s = statics();
    const CTeam* const team = matchTeam(side);
    ByteArray* const lineup = sideRow(s->lineup, side);
    ByteArray* const kickOff = sideRow(s->lineupAtKickOff, side);
    if (team == nullptr || lineup == nullptr || kickOff == nullptr || !lineup->inBounds(posA) ||
        !lineup->inBounds(posB) || !kickOff->inBounds(posA) || !kickOff->inBounds(posB)) {
        runtime::log("swapLineupPositions: side %d has no positions %d and %d", side, posA, posB);
        return false;
    }
    benchEnd = std::min({benchEnd, lineup->length, kickOff->length});
    // A player taken off does not come back.
    if (benchEnd > kOnPitch - 1 && posA < kMaxPlayers && posB < kMaxPlayers) {
        const CPlayer* const a = teamPlayer(team, posA);
        const CPlayer* const b = teamPlayer(team, posB);
        if ((a != nullptr && a->takenOff != 0 && posA >= kOnPitch && posB < kOnPitch) ||
            (b != nullptr && b->takenOff != 0 && posB >= kOnPitch && posA < kOnPitch)) {
            return false;
        }
    }
    const bool live = liveOrMenuOverMatch();
    const bool matchOn = live || s->topState == kMatchScreenTopState;
    if (live) {
        const CPlayer* const atA = requirePlayer(team, posA, "swapLineupPositions");
        const CPlayer* const atB = requirePlayer(team, posB, "swapLineupPositions");
        const CPlayer* const lineA = requirePlayer(team, (*lineup)[posA], "swapLineupPositions");
        const CPlayer* const lineB = requirePlayer(team, (*lineup)[posB], "swapLineupPositions");
        if (atA == nullptr || atB == nullptr || lineA == nullptr || lineB == nullptr) {
            return false;
        }
        if ((posA == 0 && atB->bookings == kSentOff) || (posB == 0 && atA->bookings == kSentOff)) {
            return false;
        }
        const jint qA = lineA->homeIndex;
        const jint qB = lineB->homeIndex;
        const CPlayer* const homeA = requirePlayer(team, qA, "swapLineupPositions");
        const CPlayer* const homeB = requirePlayer(team, qB, "swapLineupPositions");
        if (homeA == nullptr || homeB == nullptr) {
            return false;
        }
        if ((qB < kOnPitch && posB >= kOnPitch && homeA->bookings == kSentOff) ||
            (qA < kOnPitch && posA >= kOnPitch && homeB->bookings == kSentOff)) {
            return false;
        }
        if ((qA < kOnPitch) != (qB < kOnPitch) && homeA->outOfPlay != 0 && homeB->outOfPlay != 0) {
            return false;
        }
        if (side == 0 && (posA < kOnPitch) != (posB < kOnPitch) &&
            !mayComeOn(std::max(posA, posB), matchOn)) {
            return false;
        }
    }
    ByteArray* const table = s->selectionTable;
    runtime::IntArray* const values = s->positionValues;
    const bool moveBlocks = !live && side == 0;
    const bool moveValues = values != nullptr && values->inBounds(posA) && values->inBounds(posB);
    // Exchanging twice undoes the swap (a change over the limit).
    const auto exchangePositions = [&]() {
        exchange((*lineup)[posA], (*lineup)[posB]);
        if (moveBlocks) {
            exchangeBytes(table, kBlocksStart + kBlockBytes * posA, kBlocksStart + kBlockBytes * posB,
                          kBlockBytes);
        }
        if (moveValues) {
            exchange((*values)[posA], (*values)[posB]);
        }
    };
    exchangePositions();
    if ((s->topState != kMatchTopState || live) && (posA >= kOnPitch || posB >= kOnPitch)) {
        const ByteArray* const limits = s->substitutionLimit;
        const jint limit = limits != nullptr && limits->inBounds(side) ? (*limits)[side] : 0;
        if (benchChanges(lineup, kickOff, benchEnd) > limit) {
            exchangePositions();
            return false;
        }
    }
    bool moveKickOff = true;
    if ((posA < kOnPitch) == (posB < kOnPitch)) {
        if (live) {
            swapMatchPlayers(side, posA, posB);
        }
    } else if (s->topState != kMatchTopState || live) {
        moveKickOff = false;
    }
    if (moveKickOff) {
        exchange((*kickOff)[posA], (*kickOff)[posB]);
        ByteArray* const shown = sideRow(s->squadSlotOfPlayer, side);
        if (s->topState == kMatchTopState && !live && s->keepShownLineup == 0 && shown != nullptr) {
            std::copy_n(kickOff->data(), std::min(kickOff->length, shown->length), shown->data());
        }
    }
    if (matchOn) {
        recordSubstitutions();
    }
    return true;
}

void swapMatchPlayers(const jint side, const jint a, const jint b) {
    GameStatics* const s = statics();
    CTeam* const team = matchTeam(side);
    CPlayer* const pa = requirePlayer(team, a, "swapMatchPlayers");
    CPlayer* const pb = requirePlayer(team, b, "swapMatchPlayers");
    if (pa == nullptr || pb == nullptr || a == b) {
        return;
    }
    // Role holders follow the active player when one of two pitch players has left the pitch.
    if (a < kOnPitch && b < kOnPitch && (pa->outOfPlay == kLeftPitch || pb->outOfPlay == kLeftPitch)) {
        for (jint* holder : {&team->roleHolder1, &team->roleHolder2, &team->roleHolder3}) {
            if (*holder == a && pb->outOfPlay == kLeftPitch) {
                *holder = b;
            } else if (*holder == b && pa->outOfPlay == kLeftPitch) {
                *holder = a;
            }
        }
    }
    const jint lo = std::min(a, b);
    const jint hi = std::max(a, b);
    CPlayer* const x = teamPlayer(team, lo);
    CPlayer* const y = teamPlayer(team, hi);
    (*team->players)[lo] = y;
    (*team->players)[hi] = x;
    y->slot = lo;
    x->slot = hi;
    const jint rx = recordOffset(side, x->matchSlot);
    const jint ry = recordOffset(side, y->matchSlot);
    if (rx >= 0 && ry >= 0) {
        exchange((*s->listRowRecords)[rx + kPlaceValueByte], (*s->listRowRecords)[ry + kPlaceValueByte]);
    }
    // The place's own fields (those the formation sets) stay with the place.
    exchange(x->formationSlot, y->formationSlot);
    exchange(x->homeCellX, y->homeCellX);
    exchange(x->role, y->role);
    exchange(x->homeCellY, y->homeCellY);
    exchange(x->outOfPlay, y->outOfPlay);
    exchange(x->linePosition, y->linePosition);
    exchange(x->forwardCellX, y->forwardCellX);
    exchange(x->deepCellX, y->deepCellX);
    exchange(x->matchSlot, y->matchSlot);
    if (team->keyPlayer == x) {
        team->keyPlayer = y;
        for (jint i = 0; i < CPlayer::kKeyFields; ++i) {
            exchange(x->keyFields[i], y->keyFields[i]);
        }
        exchangeKeyRecords(side, x, y);
    }
    if ((a < kOnPitch) == (b < kOnPitch)) {
        return;
    }
    // A substitution: y comes on for x.
    const bool live = matchLive();
    if (s->topState == kMatchTopState && s->matchLiveFlag != 0 && s->benchMode != kBenchFromMenus) {
        return;
    }
    y->outOfPlay = 0;
    team->teamRating = (team->teamRating * kOnPitch - x->playerRating + y->playerRating) / kOnPitch;
    team->teamLevel = kRatingLevels[std::clamp(team->teamRating, 0, kRatingLevelCount - 1)];
    x->formationSlot = y->formationSlot;
    y->hasPlayed = 1;
    if (s->topState == kMatchTopState && !(live && s->benchMode == kBenchFromMenus)) {
        x->hasPlayed = 0;
    }
    x->outOfPlay = kLeftPitch;
    initPlayerCondition(y, s->clockMinute);
    ByteArray* const limits = s->substitutionLimit;
    if (limits != nullptr && limits->inBounds(side)) {
        (*limits)[side] = runtime::i2b((*limits)[side] - 1);
    }
}

void recordSubstitutions() {
    GameStatics* const s = statics();
    s->lineupChanged = -1;
    for (jint t = 0; t < kLineupSides; ++t) {
        ByteArray* const pairs = sideRow(s->substitutionSlots, t);
        const ByteArray* const lineup = sideRow(s->lineup, t);
        const ByteArray* const kickOff = sideRow(s->lineupAtKickOff, t);
        if (pairs == nullptr || !holds(lineup, 0, kOnPitch) || !holds(kickOff, 0, kOnPitch)) {
            runtime::log("recordSubstitutions: side %d has no line-up tables", t);
            continue;
        }
        std::fill_n(pairs->data(), pairs->length, jbyte{-1});
        const jint pairCount = std::min(kSubstitutionPairs, pairs->length / 2);
        const auto onPitch = [](const ByteArray* row, const jbyte player) {
            return std::find(row->data(), row->data() + kOnPitch, player) != row->data() + kOnPitch;
        };
        jint off = 0;
        for (jint j = 0; j < kOnPitch; ++j) {
            if (!onPitch(lineup, (*kickOff)[j])) {
                if (off < pairCount) {
                    (*pairs)[2 * off] = runtime::i2b(j);
                }
                ++off;
                s->lineupChanged = t;
            }
        }
        ByteArray* const made = s->substitutionsMade;
        if (made != nullptr && made->inBounds(t)) {
            (*made)[t] = runtime::i2b(off);
        }
        jint on = 0;
        for (jint j = 0; j < kOnPitch; ++j) {
            const jbyte player = (*lineup)[j];
            if (onPitch(kickOff, player)) {
                continue;
            }
            jint slot = 0;
            for (jint i = std::min(kMaxPlayers, kickOff->length) - 1; i >= 0; --i) {
                if ((*kickOff)[i] == player) {
                    slot = i;
                    break;
                }
            }
            if (on < pairCount) {
                (*pairs)[2 * on + 1] = runtime::i2b(slot);
            }
            ++on;
        }
    }
}

} // namespace game::match
