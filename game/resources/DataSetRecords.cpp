// The data sets whose records have a layout of their own: the team sheet, the composite record,
// the manager profile, the inbox and the state record.
#include <algorithm>
#include <cstdint>
#include <vector>

#include "game/club/DatabaseFormat.h"
#include "game/club/DatabaseLookups.h"
#include "game/core/GameStatics.h"
#include "game/core/TextPackage.h"
#include "game/core/services/ClubDatabaseServices.h"
#include "game/resources/DataSetStore.h"
#include "game/resources/DataSets.h"
#include "profile/RecordStore.h"
#include "profile/Thread.h"
#include "runtime/ConstantPool.h"
#include "runtime/Log.h"
#include "runtime/ObjectManager.h"
#include "runtime/String.h"
#include "runtime/StringBuffer.h"

namespace game::resources {

using namespace game::club;
using namespace game::core;

using runtime::ByteArray;
using runtime::IntArray;
using runtime::jbyte;
using runtime::jchar;
using runtime::ObjectArray;
using runtime::String;

namespace {

using namespace datasets;

constexpr jint kEmptyTextConstant = 1;
constexpr jint kLeadingZeroConstant = 13;
// The team sheet opens its store for any application, read-only.
constexpr jint kAuthModeAny = 1;

constexpr jint kByteMask = 0xFF;
constexpr jint kNibbleMask = 0x0F;
constexpr jint kBitsPerByte = 8;
constexpr jint kIntBytes = 4;
constexpr jint kPlayerIdMask = 0x7FFF;

// The team sheet's head: the team's name (a length byte, 20 characters), its code, its kit bytes,
// the two nibbles of its sheet byte, and the tactics block of selectionTable.
constexpr jint kSheetNameChars = 20;
constexpr jint kSheetName = 1;
constexpr jint kSheetCode = 21;
constexpr jint kSheetKit = 24;
constexpr jint kSheetHighNibble = 28;
constexpr jint kSheetLowNibble = 29;
constexpr jint kSheetTactics = 31;
constexpr jint kTacticsFirst = 604;
constexpr jint kTacticsBytes = 110;
// A squad slot: its selectionTable entry's first two bytes, the record's skills and flags, the
// height and weight, the position mask, the appearance code, the slot, the age and the name.
constexpr jint kSlotEntries = 108;
constexpr jint kSlotEntryBytes = 16;
constexpr jint kSlotSkills = 2;
constexpr jint kRecordSkills = 4;
constexpr jint kRecordSkillBytes = 9;
constexpr jint kSlotBody = 11;
constexpr jint kSlotPositionMask = 13;
constexpr jint kSlotAppearance = 17;
constexpr jint kSlotNumber = 18;
constexpr jint kSlotAge = 19;
constexpr jint kSlotNameLength = 20;
constexpr jint kSlotName = 21;

// The manager profile: two length bytes (twice the number of characters), the characters of both
// name parts as two bytes each, then four signed bytes. 27 characters fill the 60 bytes.
constexpr jint kProfileNameChars = (kManagerProfileBytes - 2 - 4) / 2;
constexpr jint kProfileFirstYear = 1947;

// The state record: five counters and a word, big-endian, then the fields at computed positions.
constexpr jint kStateCounters = 5;
constexpr jint kStateWordAt = 20;
constexpr jint kFirstStateArrayAt = 24;

GameStatics* s() {
    return statics();
}

// object as an array of class Id, or null.
template <typename Array> Array* arrayOf(runtime::Object* const object) {
    return object != nullptr && object->classId == Array::kClassId ? static_cast<Array*>(object) : nullptr;
}

// Bounds-checked stores and loads of a record's bytes.
void putByte(ByteArray* const record, const jint at, const jint value) {
    if (record->inBounds(at)) {
        (*record)[at] = runtime::i2b(value);
    }
}
jint byteAt(ByteArray* const record, const jint at) {
    return record != nullptr && record->inBounds(at) ? (*record)[at] : 0;
}
void putIntBE(ByteArray* const record, const jint at, const jint value) {
    for (jint k = 0; k < kIntBytes; ++k) {
        putByte(record, at + k, value >> (kBitsPerByte * (kIntBytes - 1 - k)));
    }
}
jint intBEAt(ByteArray* const record, const jint at) {
    std::uint32_t value = 0;
    for (jint k = 0; k < kIntBytes; ++k) {
        value = (value << kBitsPerByte) | static_cast<std::uint32_t>(byteAt(record, at + k) & kByteMask);
    }
    return static_cast<jint>(value);
}
void putIntLE(ByteArray* const record, const jint at, const jint value) {
    for (jint k = 0; k < kIntBytes; ++k) {
        putByte(record, at + k, value >> (kBitsPerByte * k));
    }
}
jint intLEAt(ByteArray* const record, const jint at) {
    std::uint32_t value = 0;
    for (jint k = kIntBytes - 1; k >= 0; --k) {
        value = (value << kBitsPerByte) | static_cast<std::uint32_t>(byteAt(record, at + k) & kByteMask);
    }
    return static_cast<jint>(value);
}

// Copies array element by element into stateRecord from position, or back (sign-extending a
// byte into a wider element); elements that would lie outside the record are not copied.
template <typename Array>
void copyWithStateRecord(Array* const array, const jint position, const bool toRecord) {
    ByteArray* record = s()->stateRecord;
    for (jint i = 0; array != nullptr && record != nullptr && i < array->length; ++i) {
        if (!record->inBounds(position + i)) {
            return;
        }
        if (toRecord) {
            (*record)[position + i] = runtime::i2b((*array)[i]);
        } else {
            (*array)[i] = (*record)[position + i];
        }
    }
}

// ---- The team sheet ----

// Writes the head and the squad slots into teamSheet; false (logged) when the team, the user's
// team or the tables they need are missing.
bool buildTeamSheet() {
    GameStatics* block = s();
    ByteArray* sheet = block->teamSheet;
    ByteArray* info = block->teamInfoRecords;
    ByteArray* setup = block->selectionTable;
    ByteArray* teams = block->teamRecords;
    const runtime::ShortArray* order = block->leagueTeamOrder;
    if (order == nullptr || !order->inBounds(block->teamListIndex)) {
        runtime::log("team sheet: no team at list place %d", block->teamListIndex);
        return false;
    }
    const jint team = (*order)[block->teamListIndex];
    const jint user = block->userTeam;
    if (info == nullptr || info->length < teamInfoBytes(block->teamCount) || setup == nullptr ||
        teams == nullptr || team < 0 || team >= block->teamCount || user < 0 || user >= block->teamCount ||
        setup->length < kSlotEntries + kSlotEntryBytes * kSquadSlots ||
        teams->length < kTeamRecordBytes * block->teamCount) {
        runtime::log("team sheet: team %d or the user's team %d is not in the database", team, user);
        return false;
    }
    String* name = club::nameOf(team, club::kTeamName);
    putByte(sheet, 0, name->length());
    for (jint c = 0; c < std::min(name->length(), kSheetNameChars); ++c) {
        putByte(sheet, kSheetName + c, name->charAt(c));
    }
    String* code = block->teamCodes != nullptr && block->teamCodes->inBounds(team)
                       ? arrayOf<String>((*block->teamCodes)[team])
                       : nullptr;
    for (jint c = 0; code != nullptr && c < std::min(code->length(), kTeamCodeLength); ++c) {
        putByte(sheet, kSheetCode + c, code->charAt(c));
    }
    for (jint k = 0; k < kTeamKitLength; ++k) {
        putByte(sheet, kSheetKit + k, (*info)[kTeamKitBase + kTeamStride * team + k]);
    }
    const jint nibbles = (*info)[kTeamSheetNibbleBase + kTeamStride * team];
    putByte(sheet, kSheetHighNibble, (nibbles >> 4) & kNibbleMask);
    putByte(sheet, kSheetLowNibble, nibbles & kNibbleMask);
    for (jint k = 0; k < kTacticsBytes; ++k) {
        putByte(sheet, kSheetTactics + k, byteAt(setup, kTacticsFirst + k));
    }
    jint at = kTeamSheetHeadBytes;
    for (jint slot = 0; slot < kSquadSlots; ++slot) {
        const jint id =
            static_cast<runtime::jshort>((((*teams)[kTeamRecordBytes * user + 2 * slot] & kByteMask) << 8) |
                                         ((*teams)[kTeamRecordBytes * user + 2 * slot + 1] & kByteMask));
        const jint player = id & kPlayerIdMask;
        const bool known = id != -1 && player < block->playerCount && block->playerRecords != nullptr &&
                           block->playerRecords->length >= kPlayerRecordBytes * (player + 1) &&
                           block->playerInfoRecords != nullptr &&
                           block->playerInfoRecords->length >= kPlayerInfoBytes * (player + 1);
        if (!known) {
            if (id != -1) {
                runtime::log("team sheet: slot %d holds player %d, who is not in the database", slot, player);
            }
            putByte(sheet, at, kByteMask);
            putByte(sheet, at + 1, kByteMask);
            at += kTeamSheetEmptySlotBytes;
            continue;
        }
        putByte(sheet, at, (*setup)[kSlotEntries + kSlotEntryBytes * slot]);
        putByte(sheet, at + 1, (*setup)[kSlotEntries + kSlotEntryBytes * slot + 1]);
        for (jint k = 0; k < kRecordSkillBytes; ++k) {
            putByte(sheet, at + kSlotSkills + k,
                    (*block->playerRecords)[kPlayerRecordBytes * player + kRecordSkills + k]);
        }
        ByteArray* playerInfo = block->playerInfoRecords;
        const jint e = kPlayerInfoBytes * player;
        putByte(sheet, at + kSlotBody, (*playerInfo)[e + kPlayerHeight]);
        putByte(sheet, at + kSlotBody + 1, (*playerInfo)[e + kPlayerWeight]);
        for (jint k = 0; k < kIntBytes; ++k) {
            putByte(sheet, at + kSlotPositionMask + k, (*playerInfo)[e + kPlayerPositionMask + k]);
        }
        putByte(sheet, at + kSlotAppearance, (*playerInfo)[e + kPlayerAppearance]);
        putByte(sheet, at + kSlotNumber, slot);
        putByte(sheet, at + kSlotAge, clubDatabaseServices().getPlayerAge(player));
        String* playerName = club::nameOf(player, club::kPlayerName);
        putByte(sheet, at + kSlotNameLength, playerName->length());
        for (jint c = 0; c < std::min(playerName->length(), kSheetNameChars); ++c) {
            putByte(sheet, at + kSlotName + c, playerName->charAt(c));
        }
        at += kTeamSheetPlayerSlotBytes;
    }
    return true;
}

// ---- The composite record ----

// Calls visit(bytes) for every byte array of compositeGrid, in index order.
template <typename Visit> void forEachGridRow(Visit visit) {
    ObjectArray* grid = s()->compositeGrid;
    for (jint i = 0; grid != nullptr && i < grid->length; ++i) {
        ObjectArray* rows = arrayOf<ObjectArray>((*grid)[i]);
        for (jint j = 0; rows != nullptr && j < rows->length; ++j) {
            if (ByteArray* bytes = arrayOf<ByteArray>((*rows)[j])) {
                visit(bytes);
            }
        }
    }
}

jint compositeLength() {
    GameStatics* block = s();
    jint gridBytes = 0;
    forEachGridRow([&](ByteArray* bytes) { gridBytes += bytes->length; });
    const jint bytes = block->compositeBytes != nullptr ? block->compositeBytes->length : 0;
    const jint pairs = block->compositePairs != nullptr ? block->compositePairs->length : 0;
    const jint ints = block->compositeInts != nullptr ? block->compositeInts->length : 0;
    return bytes + 2 * kIntBytes * pairs + gridBytes + 2 + kIntBytes * ints;
}

// Copies between the composite tables and record in either direction, in the record's order.
void copyComposite(ByteArray* const record, const bool toRecord) {
    GameStatics* block = s();
    jint at = 0;
    auto copyBytes = [&](ByteArray* bytes) {
        for (jint k = 0; k < bytes->length; ++k, ++at) {
            if (toRecord) {
                putByte(record, at, (*bytes)[k]);
            } else {
                (*bytes)[k] = runtime::i2b(byteAt(record, at));
            }
        }
    };
    if (block->compositeBytes != nullptr) {
        copyBytes(block->compositeBytes);
    }
    ObjectArray* pairs = block->compositePairs;
    for (jint word = 0; word < 2; ++word) {
        for (jint i = 0; pairs != nullptr && i < pairs->length; ++i, at += kIntBytes) {
            IntArray* pair = arrayOf<IntArray>((*pairs)[i]);
            const bool present = pair != nullptr && pair->inBounds(word);
            if (toRecord) {
                putIntLE(record, at, present ? (*pair)[word] : 0);
            } else if (present) {
                (*pair)[word] = intLEAt(record, at);
            }
        }
    }
    forEachGridRow(copyBytes);
    if (toRecord) {
        putByte(record, at, block->compositeFlag0);
        putByte(record, at + 1, block->compositeFlag1);
    } else {
        block->compositeFlag0 = runtime::i2b(byteAt(record, at));
        block->compositeFlag1 = runtime::i2b(byteAt(record, at + 1));
    }
    at += 2;
    IntArray* ints = block->compositeInts;
    for (jint i = 0; ints != nullptr && i < ints->length; ++i, at += kIntBytes) {
        if (toRecord) {
            putIntLE(record, at, (*ints)[i]);
        } else {
            (*ints)[i] = intLEAt(record, at);
        }
    }
}

// ---- The manager profile ----

String* nameAt(const jint part) {
    ObjectArray* names = s()->managerName;
    return names != nullptr && names->inBounds(part) ? arrayOf<String>((*names)[part]) : nullptr;
}

void packManagerProfile() {
    GameStatics* block = s();
    ByteArray* record = block->managerProfileRecord;
    String* first = nameAt(0);
    String* second = nameAt(1);
    const jint firstLength = first != nullptr ? first->length() : 0;
    const jint secondLength = second != nullptr ? second->length() : 0;
    const jint kept = std::min(firstLength, kProfileNameChars);
    const jint keptSecond = std::min(secondLength, kProfileNameChars - kept);
    if (kept < firstLength || keptSecond < secondLength) {
        runtime::log("manager profile: the name has %d characters, %d fit", firstLength + secondLength,
                     kProfileNameChars);
    }
    putByte(record, 0, 2 * kept);
    putByte(record, 1, 2 * keptSecond);
    jint at = 2;
    for (const auto& [part, count] : {std::pair{first, kept}, std::pair{second, keptSecond}}) {
        for (jint c = 0; c < count; ++c, at += 2) {
            putByte(record, at, part->charAt(c) >> kBitsPerByte);
            putByte(record, at + 1, part->charAt(c));
        }
    }
    putByte(record, at, block->managerBirthYear);
    putByte(record, at + 1, block->profileMonth);
    putByte(record, at + 2, block->profileDay);
    putByte(record, at + 3, block->profileTextIndex);
}

// A String of count characters stored two bytes each, high byte first, from at.
String* profileName(ByteArray* const record, const jint at, const jint count) {
    std::vector<jchar> units(static_cast<std::size_t>(count));
    for (jint c = 0; c < count; ++c) {
        units[static_cast<std::size_t>(c)] = static_cast<jchar>(
            ((byteAt(record, at + 2 * c) & kByteMask) << 8) | (byteAt(record, at + 2 * c + 1) & kByteMask));
    }
    String* text = runtime::newObject<String>();
    text->initUnits(units.data(), count);
    return text;
}

// value in decimal followed by constant string 1; with twoDigits, a single digit gets constant
// string 13 in front.
String* dateText(const jint value, const bool twoDigits) {
    String* digits = String::valueOfInt(value);
    auto* text = runtime::newObject<runtime::StringBuffer>();
    text->init(kIntBytes);
    if (twoDigits && digits->length() == 1) {
        text->append(runtime::getConstantString(kLeadingZeroConstant));
    }
    text->append(digits);
    text->append(runtime::getConstantString(kEmptyTextConstant));
    return text->toString();
}

void unpackManagerProfile() {
    GameStatics* block = s();
    ByteArray* record = block->managerProfileRecord;
    jint first = (byteAt(record, 0) & kByteMask) / 2;
    jint second = (byteAt(record, 1) & kByteMask) / 2;
    if (first + second > kProfileNameChars) {
        runtime::log("manager profile: stored name lengths %d and %d exceed %d characters; cut", first,
                     second, kProfileNameChars);
        first = std::min(first, kProfileNameChars);
        second = kProfileNameChars - first;
    }
    if (block->managerName == nullptr) {
        block->managerName = runtime::newObjectArray(2);
    }
    String* firstName = profileName(record, 2, first);
    (*block->managerName)[0] = firstName;
    String* secondName = profileName(record, 2 + 2 * first, second);
    (*block->managerName)[1] = secondName;
    const jint at = 2 + 2 * (first + second);
    block->managerBirthYear = byteAt(record, at);
    block->profileMonth = byteAt(record, at + 1);
    block->profileDay = byteAt(record, at + 2);
    block->profileTextIndex = byteAt(record, at + 3);
    block->profileYearText = dateText(kProfileFirstYear + block->managerBirthYear, false);
    block->profileMonthText = dateText(block->profileMonth + 1, true);
    block->profileDayText = dateText(block->profileDay + 1, true);
    IntArray* ids = block->profileTextIds;
    if (ids != nullptr && ids->inBounds(block->profileTextIndex)) {
        block->profileTextName = core::getText((*ids)[block->profileTextIndex]);
    } else {
        runtime::log("manager profile: no profile text %d", block->profileTextIndex);
        block->profileTextName = nullptr;
    }
}

// ---- The inbox ----

void packInbox(ByteArray* const record) {
    GameStatics* block = s();
    ObjectArray* ring = block->inboxRing;
    const jint count = std::clamp(block->inboxCount, 0, kInboxMessages);
    jint written = 0;
    for (jint i = 0; ring != nullptr && i < count; ++i) {
        jint place = runtime::irem(block->inboxStart + i, kInboxMessages);
        if (place < 0) {
            place += kInboxMessages;
        }
        ByteArray* message = ring->inBounds(place) ? arrayOf<ByteArray>((*ring)[place]) : nullptr;
        if (message == nullptr || message->length < kInboxMessageBytes || (*message)[0] == 0) {
            continue;
        }
        for (jint k = 0; k < kInboxMessageBytes; ++k) {
            putByte(record, 1 + kInboxMessageBytes * written + k, (*message)[k]);
        }
        ++written;
    }
    putByte(record, 0, written);
}

void unpackInbox(ByteArray* const record) {
    GameStatics* block = s();
    const jint stored = byteAt(record, 0) & kByteMask;
    const jint count = std::min(stored, kInboxMessages);
    if (stored > count) {
        runtime::log("inbox: the store counts %d messages, at most %d fit; %d are read", stored,
                     kInboxMessages, count);
    }
    block->inboxStart = 0;
    block->inboxWrite = 0;
    block->inboxCount = 0;
    ObjectArray* pool = block->inboxPool;
    for (jint i = 0; pool != nullptr && i < pool->length; ++i) {
        if (ByteArray* message = arrayOf<ByteArray>((*pool)[i])) {
            std::fill_n(message->data(), message->length, runtime::i2b(kByteMask));
        }
    }
    for (jint i = 0; i < count; ++i) {
        ByteArray* message = pool != nullptr && pool->inBounds(i) ? arrayOf<ByteArray>((*pool)[i]) : nullptr;
        if (message == nullptr || message->length < kInboxMessageBytes) {
            runtime::log("inbox: no pool record %d to read a message into", i);
            return;
        }
        for (jint k = 0; k < kInboxMessageBytes; ++k) {
            (*message)[k] = runtime::i2b(byteAt(record, 1 + kInboxMessageBytes * i + k));
        }
        clubDatabaseServices().storeRecentRecord(message);
    }
}

// ---- The state record: its fields after the first six words ----

// An int array stored one byte per element, and where.
struct ArrayField {
    runtime::StaticRef<IntArray> CStateStatics::*array;
    jint CStateStatics::*position; // null: the first one, at byte 24
};
// The seven int arrays, in the order of their positions.
const ArrayField kStateArrays[] = {
    {&CStateStatics::ones6A, nullptr},
    {&CStateStatics::ones5A, &CStateStatics::stateRecordField2},
    {&CStateStatics::ones6B, &CStateStatics::stateRecordField3},
    {&CStateStatics::ones4A, &CStateStatics::stateRecordField4},
    {&CStateStatics::ones7, &CStateStatics::stateRecordField5},
    {&CStateStatics::ones4B, &CStateStatics::stateRecordField6},
    {&CStateStatics::ones8, &CStateStatics::stateRecordField7},
};
// Ints stored big-endian, and where.
struct IntField {
    jint CStateStatics::*value;
    jint CStateStatics::*position;
};
const IntField kStateInts[] = {
    {&CStateStatics::stateIntA, &CStateStatics::stateRecordField8},
    {&CStateStatics::stateIntB, &CStateStatics::stateRecordField9},
    {&CStateStatics::userClubLevel, &CStateStatics::stateRecordField12},
    {&CStateStatics::stateIntD, &CStateStatics::stateRecordField13},
    {&CStateStatics::stateIntE, &CStateStatics::stateRecordField14},
    {&CStateStatics::stateIntF, &CStateStatics::stateRecordField15},
};

void ensureStateCounters() {
    if (s()->stateCounters == nullptr) {
        s()->stateCounters = runtime::newIntArray(kStateCounters);
    }
}

// Copies every field after the first six words in either direction.
void copyStateFields(const bool toRecord) {
    CStateStatics& state = *s();
    for (const ArrayField& field : kStateArrays) {
        const jint position = field.position != nullptr ? state.*field.position : kFirstStateArrayAt;
        copyIntsWithStateRecord((state.*field.array).get(), position, toRecord);
    }
    ByteArray* record = s()->stateRecord;
    for (const IntField& field : kStateInts) {
        if (toRecord) {
            putIntBE(record, state.*field.position, state.*field.value);
        } else {
            state.*field.value = intBEAt(record, state.*field.position);
        }
    }
    copyBytesWithStateRecord(state.menuBytes16, state.stateRecordField10, toRecord);
    copyBytesWithStateRecord(state.menuBytes32, state.stateRecordField11, toRecord);
    if (toRecord) {
        putByte(record, state.stateRecordField17, state.stateIntG);
    } else {
        state.stateIntG = byteAt(record, state.stateRecordField17);
    }
}

} // namespace

jboolean exportTeamSheet(const jboolean save) {
    GameStatics* block = s();
    String* name = runtime::getConstantString(kTeamSheetStore);
    datasets::Store* store = datasets::Store::openRecordStore(name, 1, kAuthModeAny, 0);
    if (datasets::failed()) {
        return 0;
    }
    if (block->teamSheet == nullptr) {
        block->teamSheet = runtime::newByteArray(kTeamSheetBytes);
    }
    ByteArray* sheet = block->teamSheet;
    if (save != 0) {
        if (!buildTeamSheet() || !datasets::writeRecord(store, sheet, sheet->length)) {
            return 0;
        }
    } else if (store->contains(datasets::kDataSetRecord) == 0 &&
               !datasets::writeRecord(store, sheet, sheet->length)) {
        return 0;
    }
    store->writeIndexIfChanged();
    if (datasets::failed()) {
        return 0;
    }
    profile::Thread::yield();
    return save;
}

void persistCompositeRecord(const jboolean save) {
    ByteArray* record = runtime::newByteArray(compositeLength());
    copyComposite(record, true);
    const Outcome outcome = datasets::persistTable(
        runtime::getConstantString(kCompositeStore), save != 0, [record] { return record; }, record->length);
    if (outcome == Outcome::Read) {
        copyComposite(record, false);
    }
}

void persistManagerProfile(const jboolean save, const jboolean keep) {
    GameStatics* block = s();
    if (block->managerProfileRecord == nullptr) {
        block->managerProfileRecord = runtime::newByteArray(kManagerProfileBytes);
    }
    String* name = runtime::getConstantString(kProfileStore);
    auto table = [] { return s()->managerProfileRecord.get(); };
    if (save != 0) {
        packManagerProfile();
    } else if (keep != 0) {
        // Nothing is read; a store without a record still gets the profile as it stands.
        datasets::Store* store = datasets::openStore(name);
        if (store != nullptr && (store->contains(datasets::kDataSetRecord) != 0 ||
                                 datasets::writeRecord(store, table(), kManagerProfileBytes))) {
            store->writeIndexIfChanged();
            datasets::failed();
        }
        return;
    }
    if (datasets::persistTable(name, save != 0, table, kManagerProfileBytes) == Outcome::Read) {
        unpackManagerProfile();
    }
}

void persistInbox(const jboolean save) {
    ByteArray* record = runtime::newByteArray(kInboxRecordBytes);
    if (save != 0) {
        packInbox(record);
    }
    const Outcome outcome = datasets::persistTable(
        s()->inboxStoreName, save != 0, [record] { return record; }, kInboxRecordBytes);
    if (outcome == Outcome::Read) {
        unpackInbox(record);
    }
}

void packStateRecord() {
    GameStatics* block = s();
    if (block->stateRecord == nullptr) {
        block->stateRecord = runtime::newByteArray(block->stateRecordLength);
    }
    ensureStateCounters();
    ByteArray* record = block->stateRecord;
    for (jint i = 0; i < kStateCounters; ++i) {
        putIntBE(record, kIntBytes * i, (*block->stateCounters)[i]);
    }
    putIntBE(record, kStateWordAt, block->stateWord);
    copyStateFields(true);
}

void unpackStateRecord() {
    GameStatics* block = s();
    ensureStateCounters();
    ByteArray* record = block->stateRecord;
    for (jint i = 0; i < kStateCounters; ++i) {
        (*block->stateCounters)[i] = intBEAt(record, kIntBytes * i);
    }
    block->stateWord = intBEAt(record, kStateWordAt);
    copyStateFields(false);
}

void copyBytesWithStateRecord(ByteArray* const array, const jint position, const jboolean toRecord) {
    copyWithStateRecord(array, position, toRecord != 0);
}

void copyIntsWithStateRecord(IntArray* const array, const jint position, const jboolean toRecord) {
    copyWithStateRecord(array, position, toRecord != 0);
}

} // namespace game::resources
