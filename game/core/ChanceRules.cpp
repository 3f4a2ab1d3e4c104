// Chance rules and random picks.
#include "game/core/ChanceRules.h"

#include "game/core/GameMath.h"
#include "game/core/GameStatics.h"
#include "runtime/Log.h"

namespace game::core {

namespace {

// acceptanceRoll: thresholds at or below this count, and the roll's range by scale.
constexpr jint kThresholdLimit = 10;
constexpr jint kSmallScale = 20;
constexpr jint kMediumScale = 50;
constexpr jint kSmallRange = 100;
constexpr jint kMediumRange = 150;
constexpr jint kLargeRange = 200;
// The base the value is taken from, by the number of thresholds met (1, 2, 3).
constexpr jint kBaseByCount[4] = {0, 59, 79, 99};
constexpr jint kLimitStep = 10;

// positionCategory: bits tested in order, and the category each one gives.
struct CategoryBits {
    jint bits;
    jint category;
};
constexpr CategoryBits kCategoryOrder[] = {
    {0x0001, 0}, {0x0002, 2}, {0x003C, 1}, {0x0040, 5}, {0x0080, 3}, {0x1B00, 4}, {0x0400, 6},
};
constexpr jint kCoinTossBit = 0x2000;
constexpr jint kCoinHeads = 7;
constexpr jint kCoinTails = 8;
constexpr jint kNoCategory = 9;

// The indices drawn are 0 .. kPickRange - 1.
constexpr jint kPickRange = 20;
// selectionTable bytes: the two reserved indices that are never drawn, three more that the list
// leaves out, and where the drawn indices are copied.
constexpr jint kReservedA = 592;
constexpr jint kReservedB = 598;
constexpr jint kListReservedFirst = 793;
constexpr jint kListReservedLast = 795;
constexpr jint kPickCopyStart = 800;

// selectionTable[index], or -1 (no index) where the table is missing or too short.
jint tableByte(runtime::ByteArray* const table, const jint index) {
    return table != nullptr && table->inBounds(index) ? (*table)[index] : -1;
}

// v is one of the two indices that are never drawn.
bool reservedForDraw(runtime::ByteArray* const table, const jint v) {
    return v == tableByte(table, kReservedA) || v == tableByte(table, kReservedB);
}

} // namespace

jboolean acceptanceRoll(const jint value, const jint a, const jint b, const jint c, const jint scale) {
    const jint met =
        (a <= kThresholdLimit ? 1 : 0) + (b <= kThresholdLimit ? 1 : 0) + (c <= kThresholdLimit ? 1 : 0);
    const jint range = scale < kSmallScale ? kSmallRange : scale < kMediumScale ? kMediumRange : kLargeRange;
    if (met == 0) {
        return 0;
    }
    const jint roll = randomRange(0, range);
    const jint limit = kLimitStep * runtime::idiv(kBaseByCount[met] - value, kLimitStep);
    return roll < limit ? 1 : 0;
}

jint positionCategory(const jint mask) {
    for (const CategoryBits& entry : kCategoryOrder) {
        if ((mask & entry.bits) != 0) {
            return entry.category;
        }
    }
    if ((mask & kCoinTossBit) != 0) {
        return randomRange(0, 1) != 0 ? kCoinHeads : kCoinTails;
    }
    return kNoCategory;
}

void pickRandomIndices() {
    GameStatics* const s = statics();
    runtime::ByteArray* const table = s->selectionTable;
    // Only as many distinct indices as are not reserved can be drawn; asking for more would
    // draw for ever.
    jint available = 0;
    for (jint v = 0; v < kPickRange; ++v) {
        available += reservedForDraw(table, v) ? 0 : 1;
    }
    jint count = s->pickCount < 0 ? 0 : s->pickCount;
    if (count > available) {
        runtime::log("pickRandomIndices: %d indices asked, only %d can be drawn", s->pickCount, available);
        count = available;
    }
    s->pickCount = count;
    runtime::IntArray* const picks = runtime::newIntArray(count);
    for (jint i = 0; i < count; ++i) {
        (*picks)[i] = -1;
    }
    s->pickIndices = picks;
    jint i = 0;
    while (i < count) {
        const jint v = randomIndex(kPickRange);
        bool taken = reservedForDraw(table, v);
        for (jint j = 0; j < i && !taken; ++j) {
            taken = (*picks)[j] == v;
        }
        if (taken) {
            continue;
        }
        // The table keeps a copy of each pick it has room for; pickIndices keeps them all.
        if (table != nullptr && table->inBounds(kPickCopyStart + i)) {
            (*table)[kPickCopyStart + i] = runtime::i2b(v);
        }
        (*picks)[i] = v;
        ++i;
    }
    s->pickIndicesUsed = count;
}

void buildPickList() {
    GameStatics* const s = statics();
    s->rowScroll = 0;
    s->squadListCount = 0;
    runtime::IntArray* const picks = s->pickIndices;
    runtime::IntArray* const list = s->squadList;
    runtime::ByteArray* const table = s->selectionTable;
    if (picks == nullptr || list == nullptr) {
        return;
    }
    const jint limit = s->pickLimitFlag != 0 ? kPickRange : s->pickCount;
    for (jint i = 0; i < limit && i < picks->length; ++i) {
        const jint v = (*picks)[i];
        bool reserved = reservedForDraw(table, v);
        for (jint r = kListReservedFirst; r <= kListReservedLast && !reserved; ++r) {
            reserved = v == tableByte(table, r);
        }
        if (reserved || s->squadListCount >= list->length) {
            continue;
        }
        (*list)[s->squadListCount] = v;
        ++s->squadListCount;
    }
}

} // namespace game::core
