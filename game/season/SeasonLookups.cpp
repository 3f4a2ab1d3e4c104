// Small shared look-ups and updates (see SeasonLookups.h).
#include "game/season/SeasonLookups.h"

#include "game/core/GameMath.h"
#include "game/core/GameStatics.h"
#include "game/core/RecordBytes.h"
#include "runtime/Log.h"

namespace game::season {

using namespace game::core;

namespace {

// The line-up list findSquadSlot searches.
constexpr jint kSquadSlots = 30;

// Message record places.
constexpr jint kType = 0;
constexpr jint kSender = 1;
constexpr jint kPlayer = 3;
constexpr jint kResult = 9;
constexpr jint kScore = 15;
constexpr jint kAnswerState = 16;
constexpr jint kReadState = 19;
constexpr jint kReadMark = 20;
constexpr jint kOwner = 23;
// The high nibble of byte 19 is clear while a message is unread.
constexpr jint kReadNibble = 0xF0;
// The byte 20 value that closes a transfer or contract message.
constexpr jint kOfferClosed = 2;
// messageOptions byte that says whether messages about the user's club are listed.
constexpr jint kOwnClubOption = 16;

// The five club settings, their three level texts, and the level indices derived from them.
constexpr jint kClubSettings = 5;
constexpr jint kLowLevel = 0;
constexpr jint kMiddleLevel = 1;
constexpr jint kHighLevel = 2;

// Player record bytes adjustPlayerMorale changes.
constexpr jint kGradeByte = 14;
constexpr jint kMoraleByte = 32;
constexpr jint kMoraleRange = 100;
constexpr jint kDefaultMoraleStep = 10;
constexpr jint kGradeMask = 0x0F;
constexpr jint kGradeLimit = 7;

bool sameTeam(const jint a, const jint b) {
    return (a & 0xFFFF) == (b & 0xFFFF);
}

// The place of byte byteIndex of the player's record, or -1 (logged) outside playerRecords.
jint playerByte(const jint player, const jint byteIndex) {
    const runtime::ByteArray* const records = statics()->playerRecords;
    const jint at = player * kPlayerRecordBytes + byteIndex;
    if (player < 0 || byteIndex < 0 || byteIndex >= kPlayerRecordBytes || records == nullptr ||
        !records->inBounds(at)) {
        runtime::log("player record: byte %d of player %d is not in the records", byteIndex, player);
        return -1;
    }
    return at;
}

// The level index of a club setting's label: 0 for the first level text, 2 for the third, 1
// otherwise.
jint levelOfLabel(const runtime::IntArray* texts, const jint label) {
    if (holds(texts, 0, kHighLevel + 1)) {
        if (label == (*texts)[kLowLevel]) {
            return kLowLevel;
        }
        if (label == (*texts)[kHighLevel]) {
            return kHighLevel;
        }
    }
    return kMiddleLevel;
}

} // namespace

jboolean isTeamInList(const jint team) {
    const runtime::ShortArray* const list = statics()->listedTeams;
    if (list == nullptr) {
        return 0;
    }
    for (jint i = 0; i < list->length; ++i) {
        if ((*list)[i] == team) {
            return 1;
        }
    }
    return 0;
}

jint findSquadSlot(const jint player) {
    const runtime::ObjectArray* const sides = statics()->lineup;
    const auto* const list =
        sides == nullptr || sides->length < 1 ? nullptr : static_cast<const runtime::ByteArray*>((*sides)[0]);
    if (!holds(list, 0, kSquadSlots)) {
        return -1;
    }
    for (jint i = 0; i < kSquadSlots; ++i) {
        if ((*list)[i] == player) {
            return i;
        }
    }
    return -1;
}

jint ringMessageCount() {
    const jint count = statics()->inboxCount;
    return count < kInboxSlots ? count : kInboxSlots;
}

runtime::ByteArray* messageAt(const jint i) {
    GameStatics* const s = statics();
    const runtime::ObjectArray* const ring = s->inboxRing;
    if (ring == nullptr || ring->length < kInboxSlots) {
        return nullptr;
    }
    return static_cast<runtime::ByteArray*>((*ring)[floorMod(s->inboxStart + i, kInboxSlots)]);
}

void deleteMessage(const jint i) {
    GameStatics* const s = statics();
    const jint count = ringMessageCount();
    runtime::ObjectArray* const ring = s->inboxRing;
    if (i < 0 || i >= count || ring == nullptr || ring->length < kInboxSlots) {
        runtime::log("deleteMessage: no message %d among %d", i, count);
        return;
    }
    // Slot j of the ring := a new copy of slot from (null stays null).
    auto copySlot = [s](const jint to, const jint from) {
        runtime::ByteArray* const source = messageAt(from);
        runtime::ByteArray* copy = nullptr;
        if (source != nullptr) {
            copy = runtime::newByteArray(source->length);
            runtime::ByteArray* const kept = messageAt(from); // the allocation may have moved it
            for (jint k = 0; k < kept->length; ++k) {
                (*copy)[k] = (*kept)[k];
            }
        }
        (*s->inboxRing)[floorMod(s->inboxStart + to, kInboxSlots)] = copy;
    };
    if (i == 0) {
        s->inboxStart = floorMod(s->inboxStart + 1, kInboxSlots);
    } else if (i == count - 1) {
        s->inboxWrite = floorMod(s->inboxWrite - 1, kInboxSlots);
    } else if (i < count - 1 - i) {
        for (jint j = i; j >= 1; --j) {
            copySlot(j, j - 1);
        }
        s->inboxStart = floorMod(s->inboxStart + 1, kInboxSlots);
    } else {
        for (jint j = i; j <= count - 2; ++j) {
            copySlot(j, j + 1);
        }
        s->inboxWrite = floorMod(s->inboxWrite - 1, kInboxSlots);
    }
    s->inboxCount = count - 1;
}

jboolean findMessage(const jint teamOrKey, const jint playerOrKey) {
    const jint count = ringMessageCount();
    for (jint i = 0; i < count; ++i) {
        const runtime::ByteArray* const record = messageAt(i);
        if (!holds(record, 0, kMessageBytes) || readShortBE(record, kSender) != teamOrKey ||
            readShortBE(record, kPlayer) != playerOrKey) {
            continue;
        }
        const jint score = (*record)[kScore];
        switch ((*record)[kType]) {
        case 1:
        case 4:
            return 1;
        case 2:
        case 5:
            if ((*record)[kResult] == 1) {
                return 1;
            }
            break;
        case 3:
            if (score == 1 || score == -1) {
                return 1;
            }
            break;
        case 6:
            if (score == 1) {
                return 1;
            }
            break;
        default:
            break;
        }
    }
    return 0;
}

// Type 7 with byte 16 at 0 or below, and every type above 7 but 9, 23 and 24, are listed at once.
// Of the others, messages that name the user's club as sender or owner are listed when the
// own-club option (byte 16 of messageOptions) is 0 or 1, except types 0 and below, 1, and a type
// 5 owned by the user's club. What is left is listed only as type 23 with byte 20 at 0 or type 24
// with byte 20 at -1.
jboolean isNotableMessage(const runtime::ByteArray* const record) {
    if (!holds(record, 0, kMessageBytes)) {
        return 0;
    }
    GameStatics* const s = statics();
    const jint type = (*record)[kType];
    if (type == 7 && (*record)[kAnswerState] <= 0) {
        return 1;
    }
    if (type > 7 && type != 9 && type != 23 && type != 24) {
        return 1;
    }
    const bool ownedByUser = sameTeam(readShortBE(record, kOwner), s->userTeam);
    const bool finalTestOnly = (type == 5 && ownedByUser) || type <= 0 || type == 1;
    if (!finalTestOnly && (sameTeam(readShortBE(record, kSender), s->userTeam) || ownedByUser)) {
        const runtime::ByteArray* const options = s->messageOptions;
        const jint option = holds(options, kOwnClubOption, 1) ? (*options)[kOwnClubOption] : -1;
        if (option == 0 || option == 1) {
            return 1;
        }
    }
    const jint mark = (*record)[kReadMark];
    return (type == 23 && mark == 0) || (type == 24 && mark == -1) ? 1 : 0;
}

jboolean hasUnreadListedMessage() {
    GameStatics* const s = statics();
    const jint count = ringMessageCount();
    for (jint i = count - 1; i >= 0; --i) {
        runtime::ByteArray* const record = messageAt(i);
        if (holds(record, 0, kMessageBytes) && ((*record)[kReadState] & kReadNibble) == 0 &&
            isNotableMessage(record) != 0) {
            s->unreadListedMessage = record;
            return 1;
        }
    }
    return 0;
}

jboolean hasOpenOfferFor(const jint player) {
    const jint count = ringMessageCount();
    for (jint i = 0; i < count; ++i) {
        const runtime::ByteArray* const record = messageAt(i);
        if (!holds(record, 0, kMessageBytes)) {
            continue;
        }
        const jint type = (*record)[kType];
        if (isOfferType(type) && (*record)[kReadMark] != kOfferClosed &&
            readShortBE(record, kPlayer) == player) {
            return 1;
        }
    }
    return 0;
}

jboolean snapshotCompare(const jint mode) {
    GameStatics* const s = statics();
    if (!holds(s->ticketPriceLabels.get(), 0, kClubSettings)) {
        return 0;
    }
    if (mode == 0) {
        if (s->keptTicketPriceLabels == nullptr) {
            s->keptTicketPriceLabels = runtime::newIntArray(kClubSettings);
        }
        for (jint i = 0; i < kClubSettings; ++i) {
            (*s->keptTicketPriceLabels)[i] = (*s->ticketPriceLabels)[i];
        }
        return 0;
    }
    const runtime::IntArray* const kept = s->keptTicketPriceLabels;
    if (kept == nullptr) {
        return 0;
    }
    if (mode == 1) {
        for (jint i = 0; i < kClubSettings; ++i) {
            if ((*kept)[i] != (*s->ticketPriceLabels)[i]) {
                return 0;
            }
        }
        return 1;
    }
    if (mode == 2) {
        // All five settings come back, so every level index is derived again from its label, not
        // only the fifth: a stale index would show another level than its label.
        runtime::IntArray* const levels = s->ticketPrices;
        for (jint i = 0; i < kClubSettings; ++i) {
            (*s->ticketPriceLabels)[i] = (*kept)[i];
            if (levels != nullptr && levels->inBounds(i)) {
                (*levels)[i] = levelOfLabel(s->ticketPriceTexts, (*kept)[i]);
            }
        }
    }
    return 0;
}

void resetCounters() {
    for (jint& counter : statics()->scratchCounters) {
        counter = 0;
    }
}

void setPlayerRecordByte(const jint player, const jint value, const jint byteIndex, const jboolean add) {
    const jint at = playerByte(player, byteIndex);
    if (at < 0) {
        return;
    }
    runtime::ByteArray* const records = statics()->playerRecords;
    (*records)[at] = static_cast<runtime::jbyte>(add ? (*records)[at] + value : value);
}

void adjustPlayerMorale(const jint player, const jint entry) {
    GameStatics* const s = statics();
    jint step = kDefaultMoraleStep;
    if (entry != -1) {
        const runtime::IntArray* const steps = s->moraleSteps;
        if (steps == nullptr || !steps->inBounds(entry)) {
            runtime::log("adjustPlayerMorale: no morale step %d", entry);
            return;
        }
        step = (*steps)[entry];
    }
    const jint moraleAt = playerByte(player, kMoraleByte);
    const jint gradeAt = playerByte(player, kGradeByte);
    if (moraleAt < 0 || gradeAt < 0) {
        return;
    }
    const jint before = (*s->playerRecords)[moraleAt];
    const jint after = floorMod(before - step + kMoraleRange, kMoraleRange);
    setPlayerRecordByte(player, after, kMoraleByte, 0);
    if (after > before && ((*s->playerRecords)[gradeAt] & kGradeMask) < kGradeLimit) {
        setPlayerRecordByte(player, 1, kGradeByte, 1);
    }
}

} // namespace game::season
