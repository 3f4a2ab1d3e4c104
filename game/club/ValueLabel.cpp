// Value labels and the four random choices (see ValueLabel.h).
#include "game/club/ValueLabel.h"

#include "game/core/GameStatics.h"
#include "game/core/RecordBytes.h"
#include "game/core/TextPackage.h"
#include "runtime/ConstantPool.h"
#include "runtime/Log.h"
#include "runtime/Numbers.h"
#include "runtime/ObjectManager.h"
#include "runtime/Random.h"
#include "runtime/StringBuffer.h"

namespace game::club {

using namespace game::core;

namespace {

constexpr jint kLabelCapacity = 16;
constexpr jint kLabelPrefixText = 167;
constexpr jint kPositiveSuffixText = 166; // kind 1, a value above 0
constexpr jint kKindTwoSuffixText = 234;
constexpr jint kEmptyConstant = 1;
constexpr jint kSeparatorConstant = 96;
constexpr jint kPositiveSuffixKind = 1;
constexpr jint kKindTwoSuffix = 2;

// The choices: 0..35, four of them; the four taken ones and the copies in the selection table.
constexpr jint kChoiceRange = 36;
constexpr jint kChoiceCount = 4;
constexpr jint kTakenChoicesStart = 588;
constexpr jint kChoiceCopyStart = 796;
constexpr jint kNoChoice = -1;

// True when c is one of the choices the selection table already holds.
bool alreadyTaken(const runtime::ByteArray* const table, const jint c) {
    if (!holds(table, kTakenChoicesStart, kChoiceCount)) {
        return false;
    }
    for (jint i = 0; i < kChoiceCount; ++i) {
        if ((*table)[kTakenChoicesStart + i] == c) {
            return true;
        }
    }
    return false;
}

} // namespace

runtime::String* formatValueLabel(runtime::String* const value, const jint kind, const jboolean withSuffix) {
    runtime::String* suffix = runtime::getConstantString(kEmptyConstant);
    if (withSuffix != 0) {
        if (kind == kPositiveSuffixKind && runtime::Integer::parseInt(value) > 0) {
            suffix = getText(kPositiveSuffixText);
        } else if (kind == kKindTwoSuffix) {
            suffix = getText(kKindTwoSuffixText);
        }
    }
    auto* buffer = runtime::newObject<runtime::StringBuffer>();
    buffer->init(kLabelCapacity);
    buffer->append(getText(kLabelPrefixText));
    buffer->append(value);
    buffer->append(runtime::getConstantString(kSeparatorConstant));
    buffer->append(suffix);
    return buffer->toString();
}

void pickFourChoices() {
    GameStatics* const s = statics();
    runtime::IntArray* const picks = runtime::newIntArray(kChoiceCount);
    for (jint i = 0; i < kChoiceCount; ++i) {
        (*picks)[i] = kNoChoice;
    }
    s->randomPicks = picks;
    runtime::ByteArray* const table = s->selectionTable;
    if (!holds(table, kChoiceCopyStart, kChoiceCount)) {
        runtime::log("pickFourChoices: no selection table of %d bytes to keep the choices in",
                     kChoiceCopyStart + kChoiceCount);
    }
    jint made = 0;
    while (made < kChoiceCount) {
        const jint draw = runtime::Math::abs(s->gameRandom->nextInt());
        // The most negative draw has no positive magnitude: it is drawn again.
        if (draw < 0) {
            continue;
        }
        const jint c = draw % kChoiceRange;
        bool taken = alreadyTaken(table, c);
        for (jint j = 0; j < made && !taken; ++j) {
            taken = (*picks)[j] == c;
        }
        if (taken) {
            continue;
        }
        if (holds(table, kChoiceCopyStart, kChoiceCount)) {
            (*table)[kChoiceCopyStart + made] = runtime::i2b(c);
        }
        (*picks)[made] = c;
        ++made;
    }
    s->randomPickCount = kChoiceCount;
}

} // namespace game::club
