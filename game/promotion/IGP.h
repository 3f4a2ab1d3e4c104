// The promotion screen IGP's framework routines: the promotion data file (index and entries),
// the reading of its text lists, the catalogue's links taken from the application properties,
// the text-slot numbering, the count of offered entries and the touch map.
#pragma once

#include "runtime/Arrays.h"
#include "runtime/JavaTypes.h"
#include "runtime/String.h"

namespace game::promotion {

using runtime::ByteArray;
using runtime::jboolean;
using runtime::jint;
using runtime::ObjectArray;
using runtime::String;

// Flags of testTrimmedText.
inline constexpr jint kTextNotEmpty = 1; // fails on null and on a blank text
inline constexpr jint kTextNotNone = 2;  // fails on the "no link" word
inline constexpr jint kTextNotOff = 4;   // fails on the "off" words
inline constexpr jint kTextAllChecks = kTextNotEmpty | kTextNotNone | kTextNotOff;

// Touch codes of promotionActionAt.
inline constexpr jint kActionNone = 0;
inline constexpr jint kActionListUp = 21;
inline constexpr jint kActionPreviousPage = 23;
inline constexpr jint kActionNextPage = 24;
inline constexpr jint kActionSelect = 25;
inline constexpr jint kActionBack = 26;
inline constexpr jint kActionOpenLink = 27;
inline constexpr jint kActionListDown = 32;

// The number of fixed promotion text slots.
inline constexpr jint kFixedTextSlots = 13;

// Whether value passes the checks of flags (kText*) once trimmed.
jboolean testTrimmedText(String* value, jint flags);

// The 16-bit little-endian value at promoReadPosition in data; the position moves on by 2. Past
// the end of data it reads 0 and leaves the position at the end.
jint readU16(ByteArray* data);

// Loads the promotion data file's index into promoEntryCount and promoEntryOffsets; false (and no
// index) when the file is missing, ends inside its index or its offsets decrease.
jboolean readDataIndex();
// The bytes of entry n; null when n is out of range, the entry is empty or the file cannot supply
// all of it. Answers from promoEntryCache when that is set.
ByteArray* readDataEntry(jint n);

// The link for key in a list of key=value pairs, put into template; constant string 1 when none.
String* linkFromProperty(String* list, String* key, String* linkTemplate);
// The text list at promoReadPosition in data (16-bit count, then 16-bit length + bytes per text);
// a count or length past the end of data leaves the remaining elements null.
ObjectArray* readTextList(ByteArray* data);
// Decides catalogue entry `entry` from the property propertyName and stores its link.
void resolveEntryLink(jint entry, String* key, jint flags, String* propertyName, String* linkTemplate);
// Decides the members of entry list `list` (keys: their keys) and stores their links.
void resolveListLinks(jint list, ObjectArray* keys, jint lastTextSlot, String* propertyName);

// Numbers the promotion text slots: the fixed slots, then the first and the second entry list
// (of firstListSize and secondListSize entries), then one more slot.
void layoutPromotionTexts(ObjectArray* names, jint firstListSize, jint secondListSize);
// The number of offered catalogue entries.
jint countPromotionEntries();
// The touch code for a pointer at (x, y); 0 for none.
jint promotionActionAt(jint x, jint y);

} // namespace game::promotion
