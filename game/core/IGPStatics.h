// The statics of the promotion screen IGP: its data file index, its catalogue of entries and
// links, the start values of its screen fields and the geometry its touch map reads.
#pragma once

#include "runtime/Arrays.h"
#include "runtime/JavaTypes.h"
#include "runtime/MIDlet.h"
#include "runtime/StaticRef.h"
#include "runtime/String.h"

namespace game {

struct IGPStatics {
    // Promotion data file: index and entry cache.
    runtime::jint promoEntryCount;                            // offsets in the index; 0 when none is loaded
    runtime::StaticRef<runtime::IntArray> promoEntryOffsets;  // entry offsets into the data area
    runtime::StaticRef<runtime::ObjectArray> promoEntryCache; // entries in memory (set by the screen)
    runtime::jint promoReadPosition;                          // read position inside an entry

    // Promotion catalogue: links per entry and per entry list.
    runtime::StaticRef<runtime::javax_microedition_midlet_MIDlet> promoMidlet; // asked for properties
    runtime::StaticRef<runtime::String> promoLinkTemplate;                     // trimmed link template
    runtime::jboolean promoTemplateNumbered;                                   // links carry their number
    runtime::StaticRef<runtime::String> promoSharedLink;         // base of the extra entry's link
    runtime::StaticRef<runtime::ObjectArray> promoLinks;         // String per catalogue entry
    runtime::StaticRef<runtime::ByteArray> promoEntryAvailable;  // 1: entry offered
    runtime::StaticRef<runtime::IntArray> promoEntryKinds;       // 4: link found by resolveEntryLink
    runtime::jint promoNumberedCount;                            // entries numbered so far
    runtime::jint promoExtraEntry;                               // catalogue index of the extra entry
    runtime::jint promoListBase;                                 // catalogue index of entry list 0
    runtime::StaticRef<runtime::ObjectArray> promoListLinks;     // per list: links of offered members
    runtime::StaticRef<runtime::ObjectArray> promoListMembers;   // per list: member index per link
    runtime::StaticRef<runtime::ObjectArray> promoListTextSlots; // per list: text number per member
    runtime::StaticRef<runtime::IntArray> promoListCounts;       // per list: offered members
    runtime::StaticRef<runtime::BoolArray> promoLinksOff;        // element 0: the lists get no links
    runtime::StaticRef<runtime::IntArray> promoFlagNumbers;      // one number per promoLinksOff element
    runtime::jint promoLowNumber;                                // next number for a clear flag (down)
    runtime::jint promoHighNumber;                               // next number for a set flag (up)
    runtime::jint promoAvailableCount;                           // offered entries; -1 before set-up

    // Promotion screen start values.
    runtime::StaticRef<runtime::String> promoCodeVersion; // version text of the promotion code
    runtime::StaticRef<runtime::String> promoVersionText; // prefix + promoCodeVersion
    runtime::StaticRef<runtime::String> promoDataVersion; // version text of the data
    runtime::jint promoFrameColour;                       // first frame colour, 0xRRGGBB
    runtime::jint promoSoftKeyLeftX;                      // x of the left soft-key picture
    runtime::jint promoSoftKeyRightInset;                 // right soft-key picture's inset
    runtime::jint promoPictureSlotCount;                  // picture slots the release clears
    runtime::jint promoGlyphField0;                       // glyph record field offsets
    runtime::jint promoGlyphField1;
    runtime::jint promoGlyphField2; // the advance width
    runtime::jint promoGlyphField3;
    runtime::jint promoGlyphFormat;                      // 0: four one-byte fields a record
    runtime::StaticRef<runtime::ObjectArray> promoTexts; // the screen's texts
    runtime::jboolean promoBlinkOn;                      // blinking element shown
    runtime::jlong promoBlinkTime;                       // its time stamp (ms)
    runtime::jint promoTextAreaX;                        // page text area; -1 until laid out
    runtime::jint promoTextAreaY;
    runtime::jint promoTextAreaWidth;
    runtime::jint promoTextAreaHeight;

    // Promotion text slots (written by layoutPromotionTexts).
    runtime::StaticRef<runtime::IntArray> promoTextSlots; // the thirteen fixed slots' text numbers
    runtime::jint promoListTextStart0;                    // first text of list 0; 0 below two entries
    runtime::jint promoListTextStart1;                    // first text of list 1; 0 below two entries
    runtime::jint promoLastTextSlot0;                     // last text of list 0
    runtime::jint promoLastTextSlot1;                     // last text of list 1
    runtime::jint promoExtraTextSlot;                     // the slot after list 1

    // Promotion touch geometry (laid out by the screen's painters).
    runtime::jboolean promoTouchReady; // data loaded and the screen showing pages
    runtime::jint promoScreenWidth;
    runtime::jint promoScreenHeight;
    runtime::jboolean promoListMode; // the current page is a list page
    runtime::jint promoListX;        // list rows' horizontal band
    runtime::jint promoListWidth;
    runtime::jint promoListTop; // top of the first visible row
    runtime::jint promoListRowHeight;
    runtime::jint promoListRowCount;     // entries of the list
    runtime::jint promoListFirstVisible; // first visible entry
    runtime::jint promoListVisibleRows;  // rows that fit
    runtime::jint promoListSelected;     // selected entry
    runtime::jint promoUpArrowX;         // centres of the list arrows
    runtime::jint promoUpArrowY;
    runtime::jint promoDownArrowX;
    runtime::jint promoDownArrowY;
    runtime::jint promoListArrowWidth;
    runtime::jint promoListArrowHeight;
    runtime::jint promoPageImageX; // page image area
    runtime::jint promoPageImageY;
    runtime::jint promoPageImageWidth;
    runtime::jint promoPageImageHeight;
    runtime::jint promoSideArrowWidth; // page arrows at the screen's sides
    runtime::jint promoSideArrowHeight;
    runtime::jint promoSideArrowOffset; // the arrow sprite's vertical offset
    runtime::jboolean promoSoftKeysHidden;
    runtime::jint promoSoftKeyWidth;
    runtime::jint promoSoftKeyHeight;
    runtime::jint promoSoftKeyMargin; // distance of the soft keys from the screen's sides
    runtime::jboolean promoLeftSoftKeyTouched;
};

} // namespace game
