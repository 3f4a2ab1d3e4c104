// The squad settings load (see SquadSettings.h).
#include "game/screens/menus/SquadSettings.h"

#include "game/club/DatabaseLookups.h"
#include "game/core/GameStatics.h"
#include "game/core/RecordBytes.h"
#include "game/core/Sound.h"
#include "runtime/Exceptions.h"
#include "runtime/Log.h"

namespace game::menus {

namespace {

using runtime::jint;

constexpr jint kFlagA = 16;
constexpr jint kFlagB = 17;
constexpr jint kSettings = 18;
constexpr jint kSlots = 30;
constexpr jint kSettingsPerSlot = 3;
constexpr jint kSettingsEnd = kSettings + kSlots * kSettingsPerSlot;
constexpr jint kEntries = 108;
constexpr jint kEntryBytes = 16;
constexpr jint kEntryValue = 15;
constexpr jint kFilledMarker = 803;
constexpr jint kTableBytes = 804;
constexpr jint kHighestSetting = 13;
constexpr jint kDefaultSetting = 11;
constexpr jint kCounterStep = 2;
// Entry ids read unsigned, so an empty slot (-1) matches none.
constexpr jint kUnsignedShort = 0xFFFF;
// The console line of a repaired setting.
constexpr jint kRepairConstant = 157;
constexpr runtime::HandlerEntry kConsoleHandlers[] = {{runtime::kException, 0, 1}, {}};

bool neverFilled(const runtime::ByteArray& table) {
    for (jint i = kSettings; i < kSettingsEnd; ++i) {
        if (table[i] != 0) {
            return false;
        }
    }
    return table[kFilledMarker] == 0;
}

// The byte-15 value of the first squad entry holding player, 0 when none does.
jint entryValueOf(const runtime::ByteArray& table, const jint player) {
    for (jint e = 0; e < kSlots; ++e) {
        const jint at = kEntries + e * kEntryBytes;
        if ((core::readShortBE(&table, at) & kUnsignedShort) == player) {
            return table[at + kEntryValue];
        }
    }
    return 0;
}

} // namespace

void loadSquadSettings() {
    GameStatics* const s = statics();
    runtime::ByteArray* const table = s->selectionTable;
    if (table == nullptr || table->length < kTableBytes) {
        runtime::log("loadSquadSettings: the club plan holds %d of its %d bytes; nothing is loaded",
                     table != nullptr ? table->length : 0, kTableBytes);
        return;
    }
    if (neverFilled(*table)) {
        (*table)[kFlagA] = 0;
        (*table)[kFlagB] = 1;
        for (jint i = kSettings; i < kSettingsEnd; ++i) {
            (*table)[i] = kDefaultSetting;
        }
    }
    s->settingsFlagA = (*table)[kFlagA] == 1;
    s->settingsFlagB = (*table)[kFlagB] == 1;
    runtime::ObjectArray* const rows = runtime::newObjectArray(kSlots);
    s->slotSettings = rows;
    s->slotSettingsCounter = 0;
    for (jint r = 0; r < kSlots; ++r) {
        runtime::ByteArray* const row = runtime::newByteArray(kSettingsPerSlot);
        (*s->slotSettings)[r] = row;
        for (jint k = 0; k < kSettingsPerSlot; ++k) {
            const jint at = kSettings + kSettingsPerSlot * r + k;
            jint value = (*s->selectionTable)[at];
            if (value < 0 || value > kHighestSetting) {
                core::printConstantLine(kRepairConstant, value, true);
                if (runtime::checkException(0) != 0 && runtime::findHandler(kConsoleHandlers) < 0) {
                    return;
                }
                value = kDefaultSetting;
                (*s->selectionTable)[at] = static_cast<runtime::jbyte>(value);
            }
            (*row)[k] = static_cast<runtime::jbyte>(value);
        }
        s->slotSettingsCounter += kCounterStep;
    }
    s->squadPlayerValues = runtime::newShortArray(kSlots);
    if (club::isNoClub(s->userTeam)) {
        return;
    }
    for (jint slot = 0; slot < kSlots; ++slot) {
        const jint player = club::getTeamPlayerId(s->userTeam, slot);
        (*s->squadPlayerValues)[slot] = runtime::i2s(entryValueOf(*s->selectionTable, player));
    }
}

} // namespace game::menus
