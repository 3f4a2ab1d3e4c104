// The promotion screen's framework routines (see IGP.h).
#include "game/promotion/IGP.h"

#include "game/core/GameStatics.h"
#include "profile/Resources.h"
#include "runtime/ConstantPool.h"
#include "runtime/Exceptions.h"
#include "runtime/Log.h"
#include "runtime/ObjectManager.h"
#include "runtime/Streams.h"
#include "runtime/StringBuffer.h"
#include "runtime/System.h"

namespace game::promotion {

namespace {

using runtime::getConstantString;
using runtime::IntArray;
using runtime::java_io_InputStream;
using runtime::jlong;

// Constant strings of the promotion data and links.
constexpr jint kDataFileName = 0;
constexpr jint kEmptyText = 1;
constexpr jint kNoneWord = 11;
constexpr jint kOffWord = 12;
constexpr jint kZeroText = 13;
constexpr jint kKeySeparator = 14;
constexpr jint kPairSeparator = 15;
constexpr jint kBareValueKey = 16;
constexpr jint kPlaceholder = 17;
constexpr jint kNumberPrefix = 19;
constexpr jint kNumberedSuffix = 20;
constexpr jint kListLinkProperty = 21;
constexpr jint kSharedLinkKey = 23;

constexpr jint kBufferCapacity = 16;
constexpr jint kIndexHeaderBytes = 2;
constexpr jint kOffsetBytes = 4;
constexpr jint kTwoDigits = 10;
// Fixed slots start after the language names, or after slot 4 with at most one name.
constexpr jint kSlotBaseWithNames = 3;
constexpr jint kSlotBaseWithoutNames = 4;

jboolean equalsConstant(String* const text, const jint n) {
    return text != nullptr && text->equals(getConstantString(n)) != 0;
}

// Ends a read that failed: a pending java_lang_Exception is caught, any other stays pending.
void endFailedRead(java_io_InputStream* const in, const char* const what) {
    if (runtime::getPendingException() == nullptr) {
        runtime::log("promotion data: %s failed", what);
        if (in != nullptr) {
            in->close();
        }
        return;
    }
    const bool caught = runtime::catchException(runtime::kException);
    runtime::log("promotion data: %s failed%s", what, caught ? "" : " (exception left pending)");
    if (caught && in != nullptr) {
        in->close();
        runtime::catchException(runtime::kException);
    }
}

bool raised() {
    return runtime::getPendingException() != nullptr;
}

// One byte of in, -1 at the end; false when the read raised.
bool readByte(java_io_InputStream* const in, jint* const value) {
    *value = in->read();
    return !raised();
}

String* textOf(ByteArray* const data, const jint offset, const jint length) {
    auto* text = runtime::newObject<String>();
    text->initBytes(data, offset, length);
    return text;
}

// The last number of a list of size texts laid out from next; records its start in *start
// when it has two or more entries.
jint layOutList(const jint next, const jint size, jint* const start) {
    *start = size >= 2 ? next : 0;
    return next + size - 1;
}

bool inside(const jint value, const jint from, const jint length) {
    return value > from && value < from + length;
}

} // namespace

jboolean testTrimmedText(String* const value, const jint flags) {
    if (value == nullptr) {
        return (flags & kTextNotEmpty) == 0;
    }
    String* const trimmed = value->trim();
    if ((flags & kTextNotEmpty) != 0 && trimmed->length() == 0) {
        return false;
    }
    if ((flags & (kTextNotNone | kTextNotOff)) == 0) {
        return true;
    }
    String* const upper = trimmed->toUpperCase();
    if ((flags & kTextNotNone) != 0 && equalsConstant(upper, kNoneWord)) {
        return false;
    }
    if ((flags & kTextNotOff) != 0 && (equalsConstant(upper, kOffWord) || equalsConstant(upper, kZeroText))) {
        return false;
    }
    return true;
}

jint readU16(ByteArray* const data) {
    GameStatics* const s = statics();
    const jint p = s->promoReadPosition;
    if (data == nullptr || p < 0 || p > data->length - 2) {
        runtime::log("promotion data: 16-bit read at %d past the end", p);
        s->promoReadPosition = data != nullptr ? data->length : 0;
        return 0;
    }
    s->promoReadPosition = p + 2;
    return (data->data()[p] & 0xFF) + ((data->data()[p + 1] & 0xFF) << 8);
}

jboolean readDataIndex() {
    GameStatics* const s = statics();
    s->promoEntryOffsets = nullptr;
    s->promoEntryCache = nullptr;
    s->promoEntryCount = 0;
    runtime::System::gc();

    java_io_InputStream* const in = profile::getResourceAsStream(getConstantString(kDataFileName));
    if (in == nullptr) {
        endFailedRead(nullptr, "opening the file");
        return false;
    }
    jint b0 = 0;
    jint b1 = 0;
    if (!readByte(in, &b0) || !readByte(in, &b1)) {
        endFailedRead(in, "reading the index");
        return false;
    }
    if (b0 < 0 || b1 < 0) {
        runtime::log("promotion data: the file ends before its entry count");
        in->close();
        return false;
    }
    const jint count = (b0 & 0xFF) + ((b1 & 0xFF) << 8);
    IntArray* const offsets = runtime::newIntArray(count);
    for (jint i = 0; i < count; ++i) {
        jint value = 0;
        for (jint k = 0; k < kOffsetBytes; ++k) {
            jint c = 0;
            if (!readByte(in, &c)) {
                endFailedRead(in, "reading the index");
                return false;
            }
            if (c < 0) {
                runtime::log("promotion data: the file ends inside its index (offset %d of %d)", i, count);
                in->close();
                return false;
            }
            value |= (c & 0xFF) << (8 * k);
        }
        // Offsets only grow; one past 2^31 would make sizes negative.
        if (value < 0 || (i > 0 && value < offsets->data()[i - 1])) {
            runtime::log("promotion data: offset %d (%d) is out of order", i, value);
            in->close();
            return false;
        }
        offsets->data()[i] = value;
    }
    in->close();
    if (raised()) {
        endFailedRead(nullptr, "closing the file");
        return false;
    }
    s->promoEntryOffsets = offsets;
    s->promoEntryCount = count;
    return true;
}

ByteArray* readDataEntry(const jint n) {
    GameStatics* const s = statics();
    IntArray* const offsets = s->promoEntryOffsets;
    if (n < 0 || n >= s->promoEntryCount - 1 || offsets == nullptr) {
        return nullptr;
    }
    const jint size = offsets->data()[n + 1] - offsets->data()[n];
    if (size <= 0) {
        return nullptr;
    }
    ObjectArray* const cache = s->promoEntryCache;
    if (cache != nullptr) {
        return n < cache->length ? static_cast<ByteArray*>(cache->data()[n]) : nullptr;
    }
    java_io_InputStream* const in = profile::getResourceAsStream(getConstantString(kDataFileName));
    if (in == nullptr) {
        endFailedRead(nullptr, "opening the file");
        return nullptr;
    }
    jlong toSkip =
        kIndexHeaderBytes + static_cast<jlong>(kOffsetBytes) * s->promoEntryCount + offsets->data()[n];
    while (toSkip > 0) {
        const jlong skipped = in->skip(toSkip);
        if (raised()) {
            endFailedRead(in, "skipping to an entry");
            return nullptr;
        }
        if (skipped <= 0) {
            break;
        }
        toSkip -= skipped;
    }
    const jint available = in->available();
    if (raised()) {
        endFailedRead(in, "sizing an entry");
        return nullptr;
    }
    if (toSkip > 0 || available < size) {
        runtime::log("promotion data: entry %d (%d bytes) runs past the end of the file", n, size);
        in->close();
        return nullptr;
    }
    ByteArray* const bytes = runtime::newByteArray(size);
    jint done = 0;
    while (done < size) {
        const jint got = in->read(bytes, done, size - done);
        if (raised()) {
            endFailedRead(in, "reading an entry");
            return nullptr;
        }
        if (got <= 0) {
            break;
        }
        done += got;
    }
    in->close();
    if (raised()) {
        endFailedRead(nullptr, "closing the file");
        return nullptr;
    }
    if (done < size) {
        runtime::log("promotion data: entry %d ends after %d of %d bytes", n, done, size);
        return nullptr;
    }
    return bytes;
}

String* linkFromProperty(String* const list, String* const key, String* const linkTemplate) {
    if (linkTemplate == nullptr || list == nullptr || key == nullptr) {
        return getConstantString(kEmptyText);
    }
    runtime::StringBuffer* pattern = runtime::newStringBuffer(kBufferCapacity);
    pattern->append(key);
    pattern->append(getConstantString(kKeySeparator));
    const jint p = list->indexOf(pattern->toString());
    String* const t = linkTemplate->trim();
    if (p < 0 || t->length() == 0) {
        return getConstantString(kEmptyText);
    }
    const jint start = p + key->length() + 1;
    jint end = list->indexOf(getConstantString(kPairSeparator), start);
    if (end == -1) {
        end = list->length();
    }
    String* const v = list->substring(start, end)->trim();
    String* const upper = v->toUpperCase();
    if (v->length() == 0 || equalsConstant(v, kZeroText) || equalsConstant(upper, kOffWord)) {
        return getConstantString(kEmptyText);
    }
    if (equalsConstant(upper, kNoneWord) || equalsConstant(key, kBareValueKey)) {
        return v;
    }
    String* const placeholder = getConstantString(kPlaceholder);
    const jint q = t->indexOf(placeholder);
    if (q == -1) {
        return t;
    }
    runtime::StringBuffer* link = runtime::newStringBuffer(kBufferCapacity);
    link->append(t->substring(0, q));
    link->append(v);
    link->append(t->substring(q + placeholder->length()));
    return link->toString();
}

ObjectArray* readTextList(ByteArray* const data) {
    GameStatics* const s = statics();
    const jint count = readU16(data);
    ObjectArray* const list = runtime::newObjectArray(count, runtime::kString);
    const jint end = data != nullptr ? data->length : 0;
    for (jint i = 0; i < count; ++i) {
        if (s->promoReadPosition > end - 2) {
            runtime::log("promotion data: text list ends after %d of %d texts", i, count);
            s->promoReadPosition = end;
            break;
        }
        const jint length = readU16(data);
        if (length > end - s->promoReadPosition) {
            runtime::log("promotion data: text %d (%d bytes) runs past the end", i, length);
            s->promoReadPosition = end;
            break;
        }
        list->data()[i] = textOf(data, s->promoReadPosition, length);
        s->promoReadPosition += length;
    }
    return list;
}

void resolveEntryLink(const jint entry, String* const key, const jint flags, String* const propertyName,
                      String* const linkTemplate) {
    GameStatics* const s = statics();
    String* const pairs = s->promoMidlet != nullptr ? s->promoMidlet->getAppProperty(propertyName) : nullptr;
    String* value = linkFromProperty(pairs, key, linkTemplate);
    if (!testTrimmedText(value, flags)) {
        return;
    }
    if (s->promoLinks == nullptr || s->promoEntryAvailable == nullptr || s->promoEntryKinds == nullptr ||
        entry < 0 || entry >= s->promoLinks->length || entry >= s->promoEntryAvailable->length ||
        entry >= s->promoEntryKinds->length) {
        runtime::log("promotion catalogue: no table entry %d", entry);
        return;
    }
    s->promoEntryAvailable->data()[entry] = 1;
    s->promoLinks->data()[entry] = value;
    if (entry == s->promoExtraEntry) {
        return;
    }
    s->promoNumberedCount += 1;
    s->promoEntryKinds->data()[entry] = 4;
    if (s->promoTemplateNumbered != 0) {
        runtime::StringBuffer* link = runtime::newStringBuffer(kBufferCapacity);
        link->append(value);
        link->append(getConstantString(kNumberPrefix));
        link->append(getConstantString(s->promoNumberedCount < kTwoDigits ? kZeroText : kEmptyText));
        link->appendInt(s->promoNumberedCount);
        value = link->toString();
        s->promoLinks->data()[entry] = value;
    }
}

void resolveListLinks(const jint list, ObjectArray* const keys, const jint lastTextSlot,
                      String* const propertyName) {
    GameStatics* const s = statics();
    if (s->promoListLinks == nullptr || s->promoListMembers == nullptr || s->promoListTextSlots == nullptr ||
        list < 0 || list >= s->promoListLinks->length || list >= s->promoListMembers->length ||
        list >= s->promoListTextSlots->length) {
        runtime::log("promotion catalogue: no tables for list %d", list);
        return;
    }
    const jint n = keys != nullptr ? keys->length : 0;
    ObjectArray* const links = runtime::newObjectArray(n, runtime::kString);
    s->promoListLinks->data()[list] = links;
    IntArray* const members = runtime::newIntArray(n);
    s->promoListMembers->data()[list] = members;
    IntArray* const textSlots = runtime::newIntArray(n);
    s->promoListTextSlots->data()[list] = textSlots;
    if (s->promoLinksOff != nullptr && s->promoLinksOff->length > 0 && s->promoLinksOff->data()[0] != 0) {
        return;
    }
    runtime::javax_microedition_midlet_MIDlet* const midlet = s->promoMidlet;
    String* const pairs = midlet != nullptr ? midlet->getAppProperty(propertyName) : nullptr;
    jint found = 0;
    for (jint i = 0; i < n; ++i) {
        auto* const key = static_cast<String*>(keys->data()[i]);
        String* value = nullptr;
        if (i == n - 1) {
            String* const shared = s->promoSharedLink;
            if (shared == nullptr || shared->length() == 0) {
                value = getConstantString(kEmptyText);
            } else {
                runtime::StringBuffer* base = runtime::newStringBuffer(kBufferCapacity);
                base->append(shared);
                base->append(getConstantString(s->promoTemplateNumbered != 0 ? kNumberedSuffix : kEmptyText));
                String* const listPairs = midlet != nullptr
                                              ? midlet->getAppProperty(getConstantString(kListLinkProperty))
                                              : nullptr;
                value = linkFromProperty(listPairs, key, base->toString());
            }
        } else if (equalsConstant(key, kSharedLinkKey)) {
            value = s->promoSharedLink;
        } else {
            value = linkFromProperty(pairs, key, s->promoLinkTemplate);
        }
        if (testTrimmedText(value, kTextAllChecks)) {
            links->data()[found] = value;
            members->data()[found] = i;
            textSlots->data()[i] = lastTextSlot + 1 + i - n;
            found += 1;
        }
    }
    if (found == 0) {
        return;
    }
    const jint entry = s->promoListBase + list;
    if (s->promoEntryAvailable != nullptr && entry >= 0 && entry < s->promoEntryAvailable->length) {
        s->promoEntryAvailable->data()[entry] = 1;
    }
    if (s->promoListCounts != nullptr && list < s->promoListCounts->length) {
        s->promoListCounts->data()[list] = found;
    }
}

void layoutPromotionTexts(ObjectArray* const names, const jint firstListSize, const jint secondListSize) {
    GameStatics* const s = statics();
    const jint nameCount = names != nullptr ? names->length : 0;
    const jint base = nameCount > 1 ? kSlotBaseWithNames + nameCount : kSlotBaseWithoutNames;
    IntArray* const slots = runtime::newIntArray(kFixedTextSlots);
    for (jint i = 0; i < kFixedTextSlots; ++i) {
        slots->data()[i] = base + 1 + i;
    }
    s->promoTextSlots = slots;
    const jint firstEnd = layOutList(base + kFixedTextSlots + 1, firstListSize, &s->promoListTextStart0);
    s->promoLastTextSlot0 = firstEnd;
    const jint secondEnd = layOutList(firstEnd + 1, secondListSize, &s->promoListTextStart1);
    s->promoLastTextSlot1 = secondEnd;
    s->promoExtraTextSlot = secondEnd + 1;
}

jint countPromotionEntries() {
    ByteArray* const available = statics()->promoEntryAvailable;
    if (available == nullptr) {
        return 0;
    }
    jint count = 0;
    for (jint i = 0; i < available->length; ++i) {
        if (available->data()[i] != 0) {
            count += 1;
        }
    }
    return count;
}

jint promotionActionAt(const jint x, const jint y) {
    GameStatics* const s = statics();
    if (x < 1 || y < 1 || s->promoTouchReady == 0) {
        return kActionNone;
    }
    if (s->promoListMode != 0) {
        if (x >= s->promoListX && x < s->promoListX + s->promoListWidth) {
            for (jint i = 0; i < s->promoListVisibleRows; ++i) {
                const jint entry = s->promoListFirstVisible + i;
                if (entry >= s->promoListRowCount) {
                    break;
                }
                const jint top = s->promoListTop + i * s->promoListRowHeight;
                if (y >= top && y < top + s->promoListRowHeight) {
                    if (entry == s->promoListSelected) {
                        return kActionSelect;
                    }
                    s->promoListSelected = entry;
                    return kActionNone;
                }
            }
        }
        if (s->promoListRowCount > s->promoListVisibleRows) {
            const jint w = s->promoListArrowWidth;
            const jint h = s->promoListArrowHeight;
            if (inside(x, s->promoUpArrowX - w, 2 * w) && inside(y, s->promoUpArrowY - h, 2 * h) &&
                s->promoListSelected > 0) {
                return kActionListUp;
            }
            if (inside(x, s->promoDownArrowX - w, 2 * w) && inside(y, s->promoDownArrowY - h, 2 * h) &&
                s->promoListSelected < s->promoListRowCount - 1) {
                return kActionListDown;
            }
        }
    } else if ((inside(x, s->promoPageImageX, s->promoPageImageWidth) &&
                inside(y, s->promoPageImageY, s->promoPageImageHeight)) ||
               (inside(x, s->promoTextAreaX, s->promoTextAreaWidth) &&
                inside(y, s->promoTextAreaY, s->promoTextAreaHeight))) {
        return kActionOpenLink;
    }
    const jint arrowCentre = s->promoScreenHeight / 2 - s->promoSideArrowOffset;
    if (y >= arrowCentre - s->promoSideArrowHeight && y < arrowCentre + s->promoSideArrowHeight) {
        if (x < 2 * s->promoSideArrowWidth) {
            return kActionPreviousPage;
        }
        if (x > s->promoScreenWidth - 2 * s->promoSideArrowWidth) {
            return kActionNextPage;
        }
    }
    if (s->promoSoftKeysHidden == 0 && y >= s->promoScreenHeight - 2 * s->promoSoftKeyHeight) {
        const jint reach = 2 * s->promoSoftKeyWidth;
        if (x >= s->promoSoftKeyMargin && x < s->promoSoftKeyMargin + reach) {
            s->promoLeftSoftKeyTouched = 1;
            return kActionSelect;
        }
        const jint right = s->promoScreenWidth - s->promoSoftKeyMargin;
        if (x > right - reach && x <= right) {
            return kActionBack;
        }
    }
    return kActionNone;
}

} // namespace game::promotion
