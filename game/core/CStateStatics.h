// The statics of the state class CState: menu states and their screens, squad lists, message
// rings, text-entry tables, and the arrays and tables its class initialiser creates.
#pragma once

#include "runtime/Arrays.h"
#include "runtime/JavaTypes.h"
#include "runtime/StaticRef.h"

namespace runtime {
struct String;
struct StringBuffer;
struct java_util_Hashtable;
} // namespace runtime

namespace game::sprites {
struct ASpriteInstance;
} // namespace game::sprites

namespace game {

struct CStateStatics {
    runtime::jint menuState;            // family bit (menuState & ~31) and sub-screen (menuState & 31)
    runtime::jint previousMenuState;    // menu state before the last setMenuState
    runtime::jint menuChoice;           // highlighted choice of the current menu or question
    runtime::jint menuChoiceShown;      // the choice on which the highlight last settled
    runtime::jboolean menuChoiceMoving; // the highlight is moving to a new choice
    runtime::jint menuCursorX;          // highlight cursor position
    runtime::jint menuCursorY;
    runtime::jint menuItemCount; // item count stored by the menu painter

    // Menu flow.
    runtime::jint menuPhase;        // reset by the season start; otherwise the menu handlers'
    runtime::jint screenStatusFlag; // the menu screens' status flag; 0 = clear
    runtime::StaticRef<runtime::ObjectArray> eventList; // texts of the event list
    // Formation editor: the board arrow touched this frame (-1 none, 0 left, 2 up, 4 right, 6
    // down); the formation diagram sets it, the editor clears it.
    runtime::jint formationArrowTouched;

    // Byte positions of the fields of stateRecord after its first six words, and its length, set
    // by the class initialiser.
    runtime::jint stateRecordField1;
    runtime::jint stateRecordField2;
    runtime::jint stateRecordField3;
    runtime::jint stateRecordField4;
    runtime::jint stateRecordField5;
    runtime::jint stateRecordField6;
    runtime::jint stateRecordField7;
    runtime::jint stateRecordField8;
    runtime::jint stateRecordField9;
    runtime::jint stateRecordField10;
    runtime::jint stateRecordField11;
    runtime::jint stateRecordField12;
    runtime::jint stateRecordField13;
    runtime::jint stateRecordField14;
    runtime::jint stateRecordField15;
    runtime::jint stateRecordField16;
    runtime::jint stateRecordField17;
    runtime::jint stateRecordLength;
    runtime::StaticRef<runtime::java_util_Hashtable>
        menuHistory; // menu state -> selection left there with select (Integer -> Integer)

    // Arrays the class initialiser creates zero- or null-filled, in creation order.
    runtime::StaticRef<runtime::IntArray> menuInts9A;     // int[9]
    runtime::StaticRef<runtime::IntArray> menuInts9B;     // int[9]
    runtime::StaticRef<runtime::ByteArray> progressFlags; // one byte per home entry 1..9
    runtime::StaticRef<runtime::ShortArray> menuShorts60; // short[60]
    runtime::StaticRef<runtime::BoolArray> menuFlags4;    // boolean[4]
    runtime::StaticRef<runtime::ObjectArray> menuRefs16;  // reference[16]
    runtime::StaticRef<runtime::ObjectArray> menuRefs8;   // reference[8]
    runtime::StaticRef<runtime::ShortArray> menuShorts3;  // short[3]
    runtime::StaticRef<runtime::ByteArray> menuBytes199A; // byte[199]
    runtime::StaticRef<runtime::ByteArray> menuBytes30;   // byte[30]
    runtime::StaticRef<runtime::ByteArray> menuBytes199B; // byte[199]
    runtime::StaticRef<runtime::BoolArray> menuFlags6;    // boolean[6]
    runtime::StaticRef<runtime::IntArray>
        squadList; // shared list of player, staff or message ids (int[5500])
    runtime::StaticRef<runtime::IntArray> squadListAux;      // second list of the same capacity (int[5500])
    runtime::StaticRef<runtime::ObjectArray> messageRecords; // transfer-message list: 20-byte records
    runtime::StaticRef<runtime::ObjectArray> inboxRing;      // byte[100][27]: inbox ring of message records
    runtime::StaticRef<runtime::ByteArray>
        unreadListedMessage;                              // the message hasUnreadListedMessage found last
    runtime::StaticRef<runtime::ObjectArray> inboxPool;   // byte[100][27]: staging records of the inbox
    runtime::StaticRef<runtime::ByteArray> menuBytes1;    // byte[1]
    runtime::StaticRef<runtime::ByteArray> menuBytes100;  // byte[100]
    runtime::StaticRef<runtime::ObjectArray> menuRefs20A; // reference[20]
    runtime::StaticRef<runtime::ObjectArray> menuRefs20B; // reference[20]
    runtime::StaticRef<runtime::ByteArray> menuBytes16;   // byte[16]
    runtime::StaticRef<runtime::ByteArray> menuBytes32;   // byte[32]
    runtime::StaticRef<runtime::ByteArray>
        stateRecord; // the record of store 178; field positions stateRecordField1..17 (byte[141])

    // Constant tables of the class initialiser, in creation order.
    runtime::StaticRef<runtime::ObjectArray> titleTextTable; // title text id per family index and sub-screen;
                                                             // -1 none (19 ragged rows) (ref[19] of int[])
    runtime::StaticRef<runtime::ObjectArray>
        softKeyFlagTable; // soft-key bits per family index and sub-screen (19 ragged rows) (ref[19] of int[])
    runtime::StaticRef<runtime::IntArray> texts132;    // int[5]
    runtime::StaticRef<runtime::IntArray> texts173A;   // int[8]
    runtime::StaticRef<runtime::IntArray> listRowTops; // first row y per layout of the entry list (int[10])
    runtime::StaticRef<runtime::IntArray> listRowPitches; // row pitch per layout of the entry list (int[10])
    runtime::StaticRef<runtime::IntArray> hintLineYs;     // y of a one-line hint, by line count (int[4])
    runtime::StaticRef<runtime::IntArray> colours22;      // int[22]
    runtime::StaticRef<runtime::IntArray> colours10;      // int[10]
    runtime::StaticRef<runtime::IntArray> tierValues5;    // int[5]
    runtime::StaticRef<runtime::IntArray> tierValues4;    // int[4]
    runtime::StaticRef<runtime::IntArray> leagueTargetTexts;    // objective texts (int[5])
    runtime::StaticRef<runtime::IntArray> leagueTargetTextsAlt; // objective texts (int[4])
    runtime::StaticRef<runtime::IntArray>
        continentalStageTexts;                           // stage texts of the continental cup (int[6])
    runtime::StaticRef<runtime::IntArray> cupStageTexts; // stage texts of the national cup (int[6])
    runtime::StaticRef<runtime::String> menuEmptyText;   // constant string 1
    runtime::StaticRef<runtime::IntArray> texts229;      // int[4]
    runtime::StaticRef<runtime::ShortArray>
        homeEntryNeighbours; // four 4-bit neighbour entries per home entry (short[9])
    runtime::StaticRef<runtime::ShortArray>
        menuPointerPositions;                             // pointer (x, y) of home entries 1..9 (short[18])
    runtime::StaticRef<runtime::IntArray> homeEntryTexts; // name text of home entries 1..10 (int[10])
    runtime::StaticRef<runtime::IntArray> homeGuideTexts; // guide text of home entries 1..10 (int[10])
    runtime::StaticRef<runtime::IntArray>
        guideEntryByStep;                             // home entry the guide leads to, per step (int[9])
    runtime::StaticRef<runtime::IntArray> texts76;    // int[4]
    runtime::StaticRef<runtime::IntArray> texts275;   // int[5]
    runtime::StaticRef<runtime::IntArray> texts229B;  // int[3]
    runtime::StaticRef<runtime::ByteArray> values225; // byte[3]
    runtime::StaticRef<runtime::IntArray> ones5A;     // int[5]
    runtime::StaticRef<runtime::IntArray> values321;  // int[3]
    runtime::StaticRef<runtime::IntArray> ones6A;     // int[6]
    runtime::StaticRef<runtime::IntArray> ones4A;     // int[4]
    runtime::StaticRef<runtime::IntArray> rankingHeaderTexts;  // ranking headings (int[4])
    runtime::StaticRef<runtime::IntArray> rankingColumnX;      // ranking column x (int[5])
    runtime::StaticRef<runtime::IntArray> texts1074;           // int[8]
    runtime::StaticRef<runtime::IntArray> texts1075;           // int[8]
    runtime::StaticRef<runtime::IntArray> texts334;            // int[8]
    runtime::StaticRef<runtime::IntArray> texts339;            // int[3]
    runtime::StaticRef<runtime::IntArray> texts173B;           // int[8]
    runtime::StaticRef<runtime::IntArray> values500;           // int[8]
    runtime::StaticRef<runtime::ObjectArray> constantTexts6;   // six constant strings
    runtime::StaticRef<runtime::IntArray> monthLengths;        // days of January to December (int[12])
    runtime::StaticRef<runtime::IntArray> teamListChoiceTexts; // choice texts of the team list (int[3])
    runtime::StaticRef<runtime::IntArray> texts247;            // int[4]
    runtime::StaticRef<runtime::IntArray> texts353;            // int[4]
    runtime::StaticRef<runtime::IntArray> texts307;            // int[2]
    runtime::StaticRef<runtime::IntArray> texts231;            // int[4]
    runtime::StaticRef<runtime::IntArray>
        jobOfferRanges;                               // strength range (max, min) per verdict 3..11 (int[18])
    runtime::StaticRef<runtime::IntArray> values1150; // int[4]
    runtime::StaticRef<runtime::IntArray> ones7;      // int[7]
    runtime::StaticRef<runtime::IntArray> texts358;   // int[4]
    runtime::StaticRef<runtime::IntArray> texts27;    // int[4]
    runtime::StaticRef<runtime::IntArray> ratingLabelsField;  // rating sheet labels, field player (int[20])
    runtime::StaticRef<runtime::IntArray> ratingLabelsKeeper; // rating sheet labels, goalkeeper (int[20])
    runtime::StaticRef<runtime::IntArray> profileSkillLabels; // profile panel labels (int[20])
    runtime::StaticRef<runtime::IntArray>
        profileKeeperSkillLabels;                              // profile panel labels, goalkeeper (int[20])
    runtime::StaticRef<runtime::IntArray> ratingIndicesField;  // rating index per row, field player (int[20])
    runtime::StaticRef<runtime::IntArray> ratingIndicesKeeper; // rating index per row, goalkeeper (int[20])
    runtime::StaticRef<runtime::IntArray> pageTwoLabels; // labels of the rating sheet's second page (int[4])
    runtime::StaticRef<runtime::IntArray> texts383;      // int[5]
    runtime::StaticRef<runtime::IntArray> texts386;      // int[6]
    runtime::StaticRef<runtime::IntArray> texts674;      // int[3]
    runtime::StaticRef<runtime::IntArray> stepValues11;  // int[11]
    runtime::StaticRef<runtime::IntArray> coords22;      // int[6]
    runtime::StaticRef<runtime::IntArray> coords156;     // int[6]
    runtime::StaticRef<runtime::IntArray> coords155;     // int[5]
    runtime::StaticRef<runtime::IntArray> rgb145;        // an (r, g, b) colour (int[3])
    runtime::StaticRef<runtime::IntArray> rgb217;        // an (r, g, b) colour (int[3])
    runtime::StaticRef<runtime::IntArray> rgb84;         // an (r, g, b) colour (int[3])
    runtime::StaticRef<runtime::IntArray> rgb150;        // an (r, g, b) colour (int[3])
    runtime::StaticRef<runtime::ShortArray> messageBoxLayoutFrame; // message box frame per layout (short[3])
    runtime::StaticRef<runtime::ShortArray>
        messageBoxLayoutTextBase; // message box text base per layout (short[3])
    runtime::StaticRef<runtime::ShortArray>
        messageBoxLayoutLabelY; // message box label y per layout (short[3])
    runtime::StaticRef<runtime::ShortArray>
        messageBoxLayoutArrowY; // message box arrow y per layout (short[3])
    runtime::StaticRef<runtime::ShortArray>
        messageBoxLayoutButtonY;                           // message box button y per layout (short[3])
    runtime::StaticRef<runtime::IntArray> values5to11;     // int[9]
    runtime::StaticRef<runtime::IntArray> tacticsRowTexts; // row labels of the tactics page (int[13])
    runtime::StaticRef<runtime::IntArray> texts886A;       // int[4]
    runtime::StaticRef<runtime::IntArray> texts886B;       // int[7]
    runtime::StaticRef<runtime::IntArray> texts894;        // int[3]
    runtime::StaticRef<runtime::IntArray> texts896;        // int[3]
    runtime::StaticRef<runtime::IntArray> texts440;        // int[3]
    runtime::StaticRef<runtime::IntArray> texts898;        // int[2]
    runtime::StaticRef<runtime::IntArray>
        instructionRowTexts;                              // row labels of the instructions page (int[13])
    runtime::StaticRef<runtime::IntArray> values13;       // int[13]
    runtime::StaticRef<runtime::IntArray> texts886C;      // int[3]
    runtime::StaticRef<runtime::IntArray> texts886D;      // int[4]
    runtime::StaticRef<runtime::IntArray> ones6B;         // int[6]
    runtime::StaticRef<runtime::IntArray> ones4B;         // int[4]
    runtime::StaticRef<runtime::IntArray> texts474;       // int[3]
    runtime::StaticRef<runtime::IntArray> regionTexts;    // text id per region 0..8 (int[9])
    runtime::StaticRef<runtime::IntArray> ones8;          // int[8]
    runtime::StaticRef<runtime::IntArray> texts705;       // int[5]
    runtime::StaticRef<runtime::IntArray> order40123;     // int[5]
    runtime::StaticRef<runtime::IntArray> searchRowTexts; // row texts of the player search (int[12])
    runtime::StaticRef<runtime::IntArray>
        searchPositionTexts;                            // position texts of the player search (int[15])
    runtime::StaticRef<runtime::IntArray> texts874;     // int[3]
    runtime::StaticRef<runtime::IntArray> texts173C;    // int[8]
    runtime::StaticRef<runtime::IntArray> values3;      // int[3]
    runtime::StaticRef<runtime::IntArray> coords64;     // int[4]
    runtime::StaticRef<runtime::IntArray> values31;     // int[10]
    runtime::StaticRef<runtime::IntArray> powersOfTwo5; // 1, 2, 4, 8, 16 (int[5])
    runtime::StaticRef<runtime::ShortArray> offsets10;  // short[8]
    runtime::StaticRef<runtime::ObjectArray>
        listingBands; // five (low, high) star-sum bands of the transfer code (ref[5] of int[])
    runtime::StaticRef<runtime::IntArray>
        strengthLevels; // team strength per band; the thresholds of valueBracket (int[6])
    runtime::StaticRef<runtime::IntArray> texts946; // int[2]
    runtime::StaticRef<runtime::IntArray> texts96;  // int[2]
    runtime::StaticRef<runtime::ByteArray>
        cupExpectationThresholds; // rank limits of the national-cup objective (byte[4])
    runtime::StaticRef<runtime::ByteArray>
        continentalExpectationThresholds; // rank limits of the continental objective (byte[5])
    runtime::StaticRef<runtime::ObjectArray>
        multiTapLetters; // multi-tap characters of the keys 0 to 9 (ref[10] of char[])
    runtime::StaticRef<runtime::CharArray> alphabetLetters;   // the letters A to Z (char[26])
    runtime::StaticRef<runtime::ShortArray> numberSteps;      // step sizes of number entry (short[9])
    runtime::StaticRef<runtime::ShortArray> numberThresholds; // thresholds / 10 of number entry (short[9])
    runtime::StaticRef<runtime::String> text279;              // constant string 279
    runtime::StaticRef<runtime::ObjectArray> byteRows321;     // ref[3] of byte[]
    runtime::StaticRef<runtime::ByteArray> values5to40;       // byte[4]
    runtime::StaticRef<runtime::ByteArray> values25to50;      // byte[6]
    runtime::StaticRef<runtime::ByteArray> values15to40;      // byte[5]
    runtime::StaticRef<runtime::IntArray> ticketPriceTexts;   // level table of the ticket prices (int[3])
    runtime::StaticRef<runtime::IntArray> ticketPrices;       // chosen level index per price row (int[5])
    runtime::StaticRef<runtime::IntArray> ticketPriceLabels;  // chosen text per price row (int[5])
    runtime::StaticRef<runtime::ObjectArray>
        profileRowTexts; // row texts of the profile page per tab (ref[2] of int[])

    // Menu selection, repaint requests and list modes the canvas resets.
    runtime::jint menuSelection;   // selection within the page
    runtime::jint selectedRow;     // absolute selected row (rowScroll + menuSelection)
    runtime::jboolean menuRepaint; // full redraw requested for the next frame
    runtime::jboolean redrawAll;   // the screen is drawn in full this frame
    runtime::jint listMode;
    runtime::jint subScreenMode;
    runtime::jboolean menuOptionFlag; // the option of menu 0x86 whose pop-up resumes on its third choice
    runtime::jint touchListHit;       // row or button under the touch; -1 none
    runtime::jint squadListCount;     // entries of squadList

    // The squad list's first shown row and the random picks.
    runtime::jint rowScroll;                           // first row of the shown page (a multiple of 13)
    runtime::jint pickCount;                           // how many indices pickRandomIndices draws
    runtime::StaticRef<runtime::IntArray> pickIndices; // the indices drawn
    runtime::jint pickIndicesUsed;                     // the number drawn by the last draw
    runtime::jboolean pickLimitFlag;                   // buildPickList looks at 20 indices
    runtime::StaticRef<runtime::IntArray> randomPicks; // the four choices of pickFourChoices
    runtime::jint randomPickCount;                     // choices in randomPicks

    // The player picked from a match record's row.
    runtime::jint currentListRow; // the match record whose squad slot selectListPlayer reads
    runtime::jint selectedPlayer; // the player number found there; -1 none

    // Menu-state switching: the pending switch, the repaint bookkeeping and the entry's record.
    runtime::jint pendingMenuState;    // menu state a handler asks to enter at a safe point; 0 none
    runtime::jint pendingMenuParam;    // companion of pendingMenuState
    runtime::jboolean menuRepaintSkip; // the next repaint bookkeeping step is skipped (set on entry)
    runtime::jboolean menuHandled;     // a message box was painted in this menu frame
    runtime::jboolean menuDrawn;       // no message box was painted in the last menu frame
    runtime::jint menuAux1;            // per-frame menu fields, 0 at the start of each menu frame
    runtime::jint menuAux2;
    runtime::jint historyPending;  // 0: the next entry records the selection in menuHistory
    runtime::jlong menuEntryTime;  // milliseconds at the last menu-state entry
    runtime::jint menuStateBefore; // menuState before the last entry
    runtime::jint rowOffset;       // page start of 11-row lists

    // Screen fields that every menu-state entry resets; the screens that use them say what they
    // mean.
    runtime::jboolean entryFlags[3];                       // cleared on entering 0x85 and 0x406
    runtime::jboolean mainMenuPending;                     // the main menu's pending flag
    runtime::StaticRef<runtime::ShortArray> mainMenuSlots; // the main menu's slots; all -1 on entering 32
    runtime::jboolean menuScratchFlags[2];                 // menuScratch: two bytes and two ints
    runtime::jint menuScratchValues[2];
    runtime::jboolean touchScroll;  // a touch is scrolling the list
    runtime::jint listAnchor;       // list row the touch started on; -1 none
    runtime::jint listAnchorOffset; // the touch's offset from that row
    runtime::jint screenWork[8];    // work fields of the screens
    runtime::jint listMarkers[2];   // -1 none
    runtime::jboolean listFlags[2]; // set on entering 0x85 and 0x406
    runtime::jboolean listBusy;     // the list is being built
    runtime::jint screenTimer;      // timer of the screen
    runtime::jint secondSelection;  // a screen's second selection
    runtime::jint scrollMarker;     // -1 none
    runtime::jboolean listScrollFlags[2];
    runtime::jboolean popupFlags[2];
    runtime::jint dialogCounter;
    runtime::jboolean digitKeysCompanion; // cleared with digitKeysMode
    runtime::jint keyEntryValue;          // value of the key entry
    runtime::jboolean keyEntryFlag;       // set on every entry
    runtime::jint replayCounter;
    runtime::jint inboxScreenCounter; // counter of screens 0x85 and 0x406

    // The inbox ring's indices, the alert the inbox scan keeps, the inbox list, the transfer
    // messages' count, the option record the message test reads, the kept club settings, and the
    // pending menu switch that isPendingModeOne tests.
    runtime::jint inboxStart;                              // ring slot of the oldest message
    runtime::jint inboxWrite;                              // ring slot the next message goes to
    runtime::jint inboxCount;                              // messages in the ring, at most 100
    runtime::jbyte pendingMessageFound;                    // the inbox scan found a message needing an answer
    runtime::jint pendingMessageIndex;                     // its display index
    runtime::jint pendingMessageTop;                       // the index before it
    runtime::jint pendingMessageListCount;                 // the list length at the scan
    runtime::jint inboxCursor;                             // selected message of the inbox list
    runtime::jint inboxTop;                                // first row of the inbox list
    runtime::jint inboxListCount;                          // messages the inbox lists
    runtime::jint messageRecordCount;                      // records in messageRecords
    runtime::StaticRef<runtime::ByteArray> messageOptions; // byte 16: the own-club message option
    runtime::StaticRef<runtime::IntArray> keptTicketPriceLabels; // snapshotCompare's copy (int[5])
    // The message reader's links.
    runtime::jboolean messageLinksBlocked; // links off: labels are bare names, key icons go unrecorded
    // The user's formation and the statics that stateRecord packs besides its tables.
    runtime::jbyte formationIndex;                       // the user's formation: selectionTable byte 604
    runtime::StaticRef<runtime::IntArray> stateCounters; // five ints at the head of stateRecord
    runtime::jint stateWord;                             // the int after them
    runtime::jint stateIntA;                             // the two ints after the seven int arrays
    runtime::jint stateIntB;
    runtime::jint userClubLevel; // the user's position in its league's slice of leagueTeamOrder; the first
                                 // of the four ints after the two byte arrays
    runtime::jint stateIntD;
    runtime::jint stateIntE;
    runtime::jint stateIntF;
    runtime::jint stateIntG; // stored as its low byte, last

    // What the screens' entry preparation sets up: the main menu, the list screens, the scouting
    // draw, the contract screens, the text entry, the transfer message list, the schedule and
    // the per-screen fields that every entry resets.
    runtime::StaticRef<sprites::ASpriteInstance> mainMenuSpriteInstance; // the main menu's animation
    runtime::jint mainMenuMarker;                                        // -1 after entering the main menu
    runtime::StaticRef<runtime::String> mainMenuText;                    // a text of the main menu
    runtime::jint squadListMarked;                                       // second counter of the list screens
    runtime::jint youthPlayer;                             // the player screen 0x40B shows as a row
    runtime::jboolean youthFlag;                           // cleared on entering 0x40B
    runtime::jint scoutPool;                               // the pool a scouting draw spaces its picks over
    runtime::jint chosenPlayer;                            // the player the player and contract screens show
    runtime::jbyte squadCrowded;                           // a match side uses four bench entries or more
    runtime::jboolean entryBusy;                           // busy byte of the text-entry screen
    runtime::StaticRef<runtime::StringBuffer> entryBuffer; // text or amount being typed; made on first use
    runtime::jint entryParamA;                             // values of the text-entry screen
    runtime::jint entryParamB;
    runtime::jint entryFields[5];
    runtime::jint entryValue; // the number the contract entry screens show
    runtime::jint entryValueAux;
    runtime::jint offerRound;                            // round of the contract negotiation
    runtime::jint offerAsk;                              // the player's asking price; 88888 refuses
    runtime::jint wageRoom;                              // the club's yearly wage room, set once
    runtime::jint wageRoomShown;                         // its working copy
    runtime::jboolean wageRoomSet;                       // wageRoom has been computed
    runtime::StaticRef<runtime::ByteArray> offerMessage; // the message a transfer screen answers
    runtime::jint messageRecordLimit;                    // rows of messageRecords
    runtime::jint messageRecordPos;                      // the transfer message list's position
    runtime::StaticRef<runtime::IntArray> statusPanel;   // tables screen 0x2004 clears; made by
    runtime::StaticRef<runtime::ByteArray> statusBytes;  // the screen that uses them
    runtime::jint scheduleRowSaved;                      // the schedule screen's kept row
    runtime::jint scheduleMonth;                         // the month it shows
    runtime::jboolean scheduleFromSave;                  // it resumes at scheduleRowSaved
    runtime::jint seasonRow;                             // a row index of the season half-screens
    runtime::jint seasonMarker;                          // -1 after entering them
    runtime::jint screenCounter;                         // per-screen step counters
    runtime::jint screenPhase;
    runtime::jboolean popupOpen; // a screen's pop-up is open
    runtime::jint popupChoice;   // its choice; -1 none
    runtime::jbyte screenValue;
    runtime::jint selectionMarker; // -2 after every entry
    runtime::jboolean entryTimeFlag;
    runtime::jint popupAnchor; // list anchors of the list screens; -1 none
    runtime::jint mainListMarker;
    runtime::jboolean listReady; // set on entering 0x24 and 0x100003

    // The menu toolkit: the front-end background animation and its pointer, the yearly
    // projection's terms, the formation editor's undo queue and the squad list's forced mark.
    runtime::jint menuAnimationKind;                                // 1..9; -1 none
    runtime::StaticRef<sprites::ASpriteInstance> menuPointerSprite; // marks the front-end menu item
    runtime::jint projectionCosts;
    runtime::jint projectionIncome;
    runtime::StaticRef<runtime::IntArray> entryQueue; // entryQueueWidth ints an entry; -1 empty
    runtime::jint entryQueueCount;                    // entries held
    runtime::jint entryQueueCapacity;                 // entries it can hold
    runtime::jint entryQueueWidth;                    // ints an entry
    runtime::jint entryQueueLength;                   // ints in all
    runtime::jboolean entryQueueEnabled;
    runtime::jboolean entry4Forced; // forces the new-item mark of entry 4 in menu state 0x100000
    // The squad settings taken from selectionTable bytes 16..107 and the squad entries.
    runtime::jboolean settingsFlagA; // byte 16 = 1
    runtime::jboolean settingsFlagB; // byte 17 = 1
    runtime::StaticRef<runtime::ObjectArray>
        slotSettings;                  // three settings 0..13 a squad slot (ref[30] of byte[3])
    runtime::jint slotSettingsCounter; // 2 a row read
    runtime::StaticRef<runtime::ShortArray> squadPlayerValues; // a squad slot's entry byte 15 (short[30])
    // The season's fixture lists are generated; cleared by a load.
    runtime::jbyte fixturesReady;
    // The day advance runs on until an event; cleared when the season's play starts.
    runtime::jboolean advanceUntilEvent;
    // The bytes of the club plan's tactics block (604..771 at 0..167) that no team or player
    // field holds, kept between a load and the next save.
    runtime::StaticRef<runtime::ByteArray> tacticsShadow;

    // The player actions menu, its profile page over the squad screens and the result screen.
    runtime::jint lastPlayerAction;     // the result the result screen shows, 0..6
    runtime::jbyte actionDone;          // the last action of the second list took effect
    runtime::jint squadListChosenIndex; // index in squadList of the player opened last
    runtime::jint squadViewMode;        // 0 the paged squad table, 1 the squad screen
    runtime::jbyte squadOverlayActive;  // the profile page is open over the squad screens
    runtime::jint squadOverlayKind;     // the profile page's tab, 0 or 1
    runtime::jbyte squadMarkShown;      // the squad table's marker is shown
    runtime::jint squadMarkedRow;       // the squad table's marked row; -1 none
    runtime::jbyte popupActive;         // the question or refusal pop-up is open
    runtime::jbyte secondPopupActive;   // the second notice (or the result notice) is open
    runtime::jbyte noticeActive;        // the screen's one-button notice is open
    runtime::jbyte noActionNotice;      // the question shows only the last-goalkeeper notice
    runtime::jint returnMenuState;      // where the action list's back key leads; 0 after use

    // The squad table: the header column, the shortlist, the row touched before, the screen that
    // opened the player screen, the scouts' position filter, the staff notice and the row
    // highlight's slide.
    runtime::jint sortColumn;                         // highlighted header column 0..4
    runtime::StaticRef<runtime::IntArray> shortlist;  // shortlisted players, -1 free (int[50])
    runtime::jint shortlistCount;                     // entries of shortlist in use
    runtime::jint lastTouchedRow;                     // the row a first touch highlighted; -1 none
    runtime::jint playerScreenOrigin;                 // which screen opened the player screen
    runtime::jint searchPosition;                     // non-zero: every row shows this position text
    runtime::jbyte noStaffMessagePending;             // the "no staff in service" notice is open
    runtime::jint highlightSlideFrom;                 // the row the highlight slides from
    runtime::jint highlightSlideFrames;               // frames of the slide left
};

} // namespace game
