// The club plan's tactics block (see SavedTactics.h).
#include "game/resources/SavedTactics.h"

#include <type_traits>
#include <variant>
#include <vector>

#include "game/core/GameStatics.h"
#include "game/match/CPlayer.h"
#include "runtime/Log.h"
#include "runtime/ObjectManager.h"

namespace game::resources {

namespace {

using G = GameStatics;
using match::CPlayer;
using match::CTeam;
using runtime::jbyte;

// The sections, by the tactics editor state that writes them.
constexpr jint kFormationState = 514;
constexpr jint kTeamSettingsState = 515;
constexpr jint kInstructionsState = 516;
constexpr jint kPlacesState = 518;

constexpr jint kPlaces = 605;
constexpr jint kTeamSettings = 627;
constexpr jint kInstructions = 640;
constexpr jint kInstructionBytes = 12;
constexpr jint kOnPitch = 11;
constexpr jint kFormationSlots = 25;
constexpr jint kFormationRecordBytes = 67;
constexpr jint kTeamInstructionOptions = 4;
// The goalkeeper's formation point.
constexpr jint kKeeperCellX = -16;
constexpr jint kKeeperCellY = 0;

// Where a byte of the block lives: a static, a field of the team, a field of player `player`, or
// the shadow (no field holds it).
using TacticsField = std::variant<std::monostate, jbyte G::*, jint G::*, jint CTeam::*, jbyte CTeam::*,
                                  jint CPlayer::*, jboolean CPlayer::*>;

enum class Rule {
    asIs,
    flag,      // written 1 or 0
    modFour,   // read back mod 4 (the team instruction has four options)
    placeSlot, // a formation slot: read back only when the block's places are valid
};

struct TacticsByte {
    jint offset;
    jint section; // the state that writes it
    TacticsField field;
    jint player; // the player of a player field; -1 otherwise
    Rule rule;
};

// The team settings in their byte order: the tactic table's row (mentality, tactics 1-3), the
// switch, tactics 4-7, the three set-piece takers and one setting no team field holds.
const TacticsField kTeamSettingFields[] = {
    &CTeam::mentality, &CTeam::tactic1,   &CTeam::teamInstruction, &CTeam::tactic3, &CTeam::tactic8Clear,
    &CTeam::tactic4,   &CTeam::tactic5,   &CTeam::tactic6,         &CTeam::tactic7, &CTeam::roleSlotA,
    &CTeam::roleSlotB, &CTeam::roleSlotC, std::monostate{},
};
// A player's twelve instructions, the eleventh one value for the whole team.
const TacticsField kInstructionFields[] = {
    &CPlayer::runStyle,         &CPlayer::shiftInstruction,
    &CPlayer::instruction3,     &CPlayer::styleSetting,
    &CPlayer::advanceSetting,   &CPlayer::dribbleInstruction,
    &CPlayer::shootInstruction, &CPlayer::throughBallInstruction,
    &CPlayer::settingA,         &CPlayer::spareInstruction,
    &G::groupSetting,           &CPlayer::settingB,
};

const std::vector<TacticsByte>& tacticsTable() {
    static const std::vector<TacticsByte> table = [] {
        std::vector<TacticsByte> bytes;
        bytes.push_back({kTacticsBlock, kFormationState, &G::formationIndex, -1, Rule::asIs});
        for (jint k = 0; k < kOnPitch; ++k) {
            bytes.push_back({kPlaces + 2 * k, kPlacesState, &CPlayer::formationSlot, k, Rule::placeSlot});
            bytes.push_back({kPlaces + 2 * k + 1, kPlacesState, std::monostate{}, k, Rule::asIs});
        }
        jint offset = kTeamSettings;
        for (const TacticsField& field : kTeamSettingFields) {
            const Rule rule = offset == kTeamSettings + 4   ? Rule::flag
                              : offset == kTeamSettings + 2 ? Rule::modFour
                                                            : Rule::asIs;
            bytes.push_back({offset++, kTeamSettingsState, field, -1, rule});
        }
        for (jint k = 0; k < kOnPitch; ++k) {
            for (jint i = 0; i < kInstructionBytes; ++i) {
                const TacticsField& field = kInstructionFields[i];
                const bool perPlayer = std::holds_alternative<jint CPlayer::*>(field);
                bytes.push_back({kInstructions + kInstructionBytes * k + i, kInstructionsState, field,
                                 perPlayer ? k : -1, Rule::asIs});
            }
        }
        return bytes;
    }();
    return table;
}

CTeam* userMatchTeam() {
    runtime::ObjectArray* const teams = statics()->matchTeams;
    return teams != nullptr && teams->length > 0 ? static_cast<CTeam*>((*teams)[0]) : nullptr;
}

runtime::ByteArray* shadow() {
    GameStatics* const s = statics();
    if (s->tacticsShadow == nullptr) {
        s->tacticsShadow = runtime::newByteArray(kTacticsBlockBytes);
    }
    return s->tacticsShadow;
}

// The value the block keeps for a byte; false when its team or player is missing.
bool valueOf(const TacticsByte& b, CTeam* const team, jint& value) {
    CPlayer* const player = b.player >= 0 && team != nullptr ? match::teamPlayer(team, b.player) : nullptr;
    return std::visit(
        [&](const auto& member) -> bool {
            using M = std::decay_t<decltype(member)>;
            if constexpr (std::is_same_v<M, std::monostate>) {
                value = (*shadow())[b.offset - kTacticsBlock];
                return true;
            } else if constexpr (std::is_same_v<M, jbyte G::*> || std::is_same_v<M, jint G::*>) {
                value = statics()->*member;
                return true;
            } else if constexpr (std::is_same_v<M, jint CTeam::*> || std::is_same_v<M, jbyte CTeam::*>) {
                if (team == nullptr) {
                    return false;
                }
                value = team->*member;
                return true;
            } else {
                if (player == nullptr) {
                    return false;
                }
                value = player->*member;
                return true;
            }
        },
        b.field);
}

void store(const TacticsByte& b, CTeam* const team, const jint value) {
    CPlayer* const player = b.player >= 0 && team != nullptr ? match::teamPlayer(team, b.player) : nullptr;
    std::visit(
        [&](const auto& member) {
            using M = std::decay_t<decltype(member)>;
            if constexpr (std::is_same_v<M, std::monostate>) {
                (*shadow())[b.offset - kTacticsBlock] = runtime::i2b(value);
            } else if constexpr (std::is_same_v<M, jbyte G::*>) {
                statics()->*member = runtime::i2b(value);
            } else if constexpr (std::is_same_v<M, jint G::*>) {
                statics()->*member = value;
            } else if constexpr (std::is_same_v<M, jint CTeam::*>) {
                if (team != nullptr) {
                    team->*member = value;
                }
            } else if constexpr (std::is_same_v<M, jbyte CTeam::*>) {
                if (team != nullptr) {
                    team->*member = runtime::i2b(value);
                }
            } else if constexpr (std::is_same_v<M, jint CPlayer::*>) {
                if (player != nullptr) {
                    player->*member = value;
                }
            } else {
                if (player != nullptr) {
                    player->*member = runtime::i2b(value);
                }
            }
        },
        b.field);
}

bool tableHolds(const runtime::ByteArray* const table) {
    if (table == nullptr || table->length < kTacticsBlock + kTacticsBlockBytes) {
        runtime::log("saved tactics: the club plan holds %d bytes, the tactics end at %d",
                     table != nullptr ? table->length : 0, kTacticsBlock + kTacticsBlockBytes);
        return false;
    }
    return true;
}

bool isFormation(const jint index) {
    const runtime::ByteArray* const formations = statics()->formationTable;
    return index >= 0 && formations != nullptr && (index + 1) * kFormationRecordBytes <= formations->length;
}

// The block's formation and places can be taken: a formation of the table, every slot 0..24.
bool placesValid(const runtime::ByteArray& table) {
    const jint formation = table[kTacticsBlock];
    if (!isFormation(formation)) {
        runtime::log("saved tactics: formation %d is not in the formation table; the team keeps its own",
                     formation);
        return false;
    }
    for (jint k = 1; k < kOnPitch; ++k) {
        const jint slot = table[kPlaces + 2 * k];
        if (slot < 0 || slot >= kFormationSlots) {
            runtime::log("saved tactics: player %d has formation slot %d; the team keeps its own places", k,
                         slot);
            return false;
        }
    }
    return true;
}

// Players 1..10 take the formation points of their slots; the goalkeeper his own.
void placePlayers(CTeam* const team) {
    runtime::BoolArray* const rows = team->getRowsWithCentre();
    runtime::IntArray* const point = runtime::newIntArray(2);
    for (jint k = 0; k < kOnPitch; ++k) {
        CPlayer* const player = match::teamPlayer(team, k);
        if (player == nullptr) {
            continue;
        }
        if (k == 0) {
            player->homeCellX = kKeeperCellX;
            player->homeCellY = kKeeperCellY;
            continue;
        }
        team->slotToFormationPoint(point, player->formationSlot, rows);
        player->homeCellX = (*point)[0];
        player->homeCellY = (*point)[1];
    }
}

} // namespace

void writeTacticsToRecord(const jint menuState) {
    runtime::ByteArray* const table = statics()->selectionTable;
    if (!tableHolds(table)) {
        return;
    }
    CTeam* const team = userMatchTeam();
    for (const TacticsByte& b : tacticsTable()) {
        jint value = 0;
        if (b.section != menuState || !valueOf(b, team, value)) {
            continue;
        }
        if (b.rule == Rule::flag) {
            value = value != 0 ? 1 : 0;
        }
        (*statics()->selectionTable)[b.offset] = runtime::i2b(value);
    }
}

void applySavedTactics() {
    GameStatics* const s = statics();
    runtime::ByteArray* const table = s->selectionTable;
    if (!tableHolds(table)) {
        return;
    }
    CTeam* const team = userMatchTeam();
    if (team == nullptr) {
        runtime::log("saved tactics: no match team to take them");
    }
    const bool places = placesValid(*table);
    for (const TacticsByte& b : tacticsTable()) {
        jint value = (*s->selectionTable)[b.offset];
        if (b.rule == Rule::placeSlot && !places) {
            continue;
        }
        if (b.offset == kTacticsBlock && !places) {
            // The team's own formation stays the user's.
            value = team != nullptr && isFormation(team->formationIndex) ? team->formationIndex : 0;
        }
        if (b.rule == Rule::modFour) {
            value = runtime::irem(value, kTeamInstructionOptions);
        }
        store(b, team, value);
    }
    if (team != nullptr && places) {
        placePlayers(team);
    }
}

} // namespace game::resources
