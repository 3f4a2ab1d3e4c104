// The statics of the canvas class Device: life cycle, frame, keys and touch, the match screen and
// sound, the resource-pack reader, the text package, the match day and match side, the
// competition working set, and the arrays and tables the canvas's class initialiser creates.
//
// Reference statics are StaticRef fields (each one is a collector root); everything else is a
// plain field. The block arrives zeroed, so no field needs an initialiser here: the values after
// set-up are the ones Device::staticInit stores.
#pragma once

#include "runtime/Arrays.h"
#include "runtime/JavaTypes.h"
#include "runtime/MIDlet.h"
#include "runtime/StaticRef.h"

namespace runtime {
struct String;
struct StringBuffer;
struct java_util_Random;
struct java_io_InputStream;
struct javax_microedition_lcdui_Font;
} // namespace runtime

namespace profile {
struct Graphics;
struct Image;
struct javax_microedition_rms_RecordStore;
} // namespace profile

namespace game::match {
class CPlayer;
class CTeam;
} // namespace game::match

namespace game::sprites {
struct ASprite;
struct ASpriteInstance;
} // namespace game::sprites

namespace game {

class Device;

using runtime::jboolean;
using runtime::jbyte;
using runtime::jint;
using runtime::jlong;
using runtime::jshort;
using runtime::StaticRef;

struct DeviceStatics {
    // Life cycle and frame.
    StaticRef<runtime::javax_microedition_midlet_MIDlet>
        midlet;                                   // the running midlet (a Quorlin); null once the loop ends
    StaticRef<Device> canvas;                     // the one canvas
    jboolean gameRunning;                         // the game loop runs while set
    jboolean paused;                              // an interruption: the loop sleeps
    jboolean interrupted;                         // set with paused by hideNotify
    jboolean resumeRedraw;                        // set by showNotify until the next frame ends
    jlong frameCount;                             // passes of the game loop
    jlong matchTicks;                             // match ticks; also the key-press time stamp
    jint topState;                                // top-level state of the frame entry
    jint framesInState;                           // frames since topState was entered
    jint previousTopState;                        // topState before its last change
    StaticRef<profile::Graphics> currentGraphics; // what all game drawing uses in a frame
    StaticRef<profile::Image> backBufferImage;    // the 480x800 image a frame is drawn into
    StaticRef<profile::Graphics> backBufferGraphics; // draws into backBufferImage
    jboolean inPaint;                                // re-entry guard of the frame entry
    jboolean inMatchTick;                            // a match tick paints the match view
    jlong frameStartTime;                            // milliseconds at the start of the frame
    jint menuFrames;                                 // frames in the menus and the match view

    // Keys and touch.
    jint heldKeys;                         // game keys held now
    jint frameKeys;                        // key mask of the current frame
    jint pressedKeys;                      // keys newly pressed this frame
    StaticRef<runtime::IntArray> keyQueue; // ring of key masks, read once per frame
    jbyte keyQueueWrite;
    jbyte keyQueueRead;
    StaticRef<runtime::Long64Array> keyPressTicks; // matchTicks at the last press, per key bit (28 in use)
    jboolean leftSoftKeyTaken;                     // the last accepted key was the left soft key (or fire)
    jboolean rightSoftKeyTaken;                    // the last accepted key was the right soft key
    jboolean touchDown;                            // a touch is held
    jboolean touchReleased;                        // a touch was released this frame
    jboolean touchPressedNow;                      // a touch was pressed this frame
    jint pointerPressX;
    jint pointerPressY;
    jint pointerReleaseX;
    jint pointerReleaseY;
    jint touchRepeatCounter; // touch tests answer false while it is non-zero

    // Match screen and sound.
    jint matchCommand;     // pressed on-screen match button (158, 159, 160, 162); -1 none
    jboolean soundEnabled; // the answer to the first-run sound question
    jint soundVolumeStep;  // 0 all, 1 music only, 2 effects only, 3 none
    StaticRef<runtime::java_util_Random> gameRandom; // the game's one generator

    // The open resource pack.
    StaticRef<runtime::String> packName; // kept after close: names the cached header
    StaticRef<runtime::java_io_InputStream> packStream;
    jint packPosition;                            // read position in the open part
    jint packEntryCount;                          // entries of the whole pack, 0..65535
    StaticRef<runtime::IntArray> packPartOffsets; // offsets of the open part's entries
    jshort packPartCount;
    StaticRef<runtime::ShortArray> packPartStarts; // first entry of each part
    jint packCurrentPart;                          // the part whose stream is open

    // The text package.
    jint textCount;
    StaticRef<runtime::IntArray> textOffsets; // textCount + 1 end offsets, element 0 is 0
    StaticRef<runtime::ByteArray> textBytes;
    StaticRef<runtime::ObjectArray> textCache;

    // Calendar.
    jint seasonYear; // calendar year; 2009 at start

    // Match day, match speed and match view (kept by the frame entry and the menu handlers).
    jboolean matchDayMode;      // a match day is played through (the skip mode)
    jint matchDayCounter;       // set by the menu handlers while a match day is played through
    jint matchDayStep;          // step of the match day played through
    jboolean matchDayMarker;    // may be set by the match overlay painter
    jboolean matchInterrupted;  // the match was left for the pause menu
    jint matchViewMode;         // the panel shown in the match, 0..2
    jboolean matchViewLock;     // a replay is playing: speed keys off
    jint matchViewPhase;        // phase of the match view
    jint matchSpeedBase;        // base ticks per frame
    jint matchSpeedLevel;       // speed chosen with the speed keys, 0..3
    jint matchSpeedUsed;        // level in use; 0 while locked or outside the match
    jboolean matchSpeedDoubled; // each speed level counts twice
    jboolean matchHalted;       // no ticks while set
    jboolean loadingBarVisible; // the loading bar is drawn

    // Match side, statistics panel and results board.
    StaticRef<match::CTeam> firstTeam;              // matchTeams[0]
    StaticRef<match::CTeam> secondTeam;             // matchTeams[1]
    StaticRef<runtime::ShortArray> frameRecord;     // the frame record being built or shown
    jint frameLength;                               // its write position while built, its length when read
    jboolean teamOrderFlag;                         // team 0 is home; swaps the teams of the share bars
    StaticRef<runtime::ByteArray> attemptResults;   // per attempt of the current event: 0 failed
    StaticRef<profile::Image> badgeStrip;           // every badge in one vertical strip
    StaticRef<runtime::ObjectArray> matchTeamNames; // display name per team index
    StaticRef<runtime::ByteArray> panelTextOffsets; // element 0: vertical offset of the panel's top texts
    jint matchTeamIndexA;                           // left team's index in matchStats and matchTeamNames
    jint matchTeamIndexB;                           // right team's index
    jboolean sidesSwapped;                          // the two match teams are shown in the other order
    jint lineupChanged;                             // last side found with a line-up change; -1 none
    jint touchListRow;                              // y of the two-button row of a question

    // Management-screen overlays and sounds.
    jboolean overlayActive;                       // an overlay of overlayFlags is open
    StaticRef<runtime::ObjectArray> soundPlayers; // player per sound id; null where none

    // The competition working set.
    jint userCompetitionSlot;      // the user's slot in the current competition; -1 none
    jint userOpponentSlot;         // slot of the user's opponent; -1 none
    jboolean userAtHome;           // the user plays the event at home
    jint competitionSize;          // slots in use: 16, 32 or a league's size
    jint competitionRound;         // round being played (competition record byte 0)
    jboolean cupSecondLeg;         // the tie is decided after this match (record byte 3)
    jboolean cupReturnLeg;         // second matchday of a group round
    jbyte competitionValueA;       // competition record byte 356
    jbyte competitionTail;         // competition record byte 369
    jbyte backgroundPosition;      // last position played for the background competition; -1 none
    jboolean nationalCupStored;    // competition record 2 holds this season's national cup
    jboolean continentalCupStored; // competition record 3 holds this season's continental cup
    jbyte scheduleRoundCount;      // rounds of a half season
    StaticRef<runtime::ByteArray> fixtureSchedule; // round-robin table: opponent bits 0-5, home bit 6
    jint secondExcludedSlot;                       // a second slot the season day does not prepare
    jint resultCount;                              // results recorded by the match result
    jboolean resultSkipFlag;                       // no tallies are booked for the last match
    jint ownResultCode; // the result code that decides a tie when resultSkipFlag is set

    // Shared writer and value box.
    StaticRef<runtime::ByteArray> writeBuffer; // target of writeShortBE
    jint writePos;
    jint selectorWidth; // width of the value box that places the arrow areas

    // Objects the canvas's class initialiser creates.
    StaticRef<runtime::StringBuffer> textBufferA;
    StaticRef<runtime::StringBuffer> textBufferB;
    StaticRef<runtime::StringBuffer> textBufferC;
    StaticRef<match::CPlayer> spareMatchPlayer; // a match player made at set-up, outside any team

    // Arrays the canvas's class initialiser creates zero- or null-filled, in creation order (the
    // lengths are the game's capacities).
    StaticRef<runtime::ByteArray> deviceBytes316;    // byte[316]
    StaticRef<runtime::ByteArray> transferHistory;   // count byte, then up to 50 transfer records of 8 bytes
    StaticRef<runtime::ByteArray> deviceBytes1310;   // byte[1310]
    StaticRef<runtime::ObjectArray> playerWorkPairs; // int[5500][2]
    StaticRef<runtime::ByteArray> playerWorkBytes;   // byte[5500]
    StaticRef<runtime::ObjectArray> leagueNames;     // String per league (reference[13])
    StaticRef<runtime::IntArray> leagueSizes;        // teams per league (int[13])
    StaticRef<runtime::IntArray> leagueStarts; // first position of each league in leagueTeamOrder (int[13])
    StaticRef<runtime::IntArray> deviceInts2A; // int[2]
    StaticRef<runtime::ObjectArray> deviceRefs4A;     // reference[4]
    StaticRef<runtime::ObjectArray> deviceRefs24;     // reference[24]
    StaticRef<runtime::ObjectArray> deviceRefs2A;     // reference[2]
    StaticRef<runtime::ObjectArray> deviceRefs2B;     // reference[2]
    StaticRef<runtime::ObjectArray> matchPlayerNames; // String[2][30]: player names per side and slot
    StaticRef<runtime::ObjectArray> deviceBytes2x8;   // byte[2][8]
    StaticRef<runtime::ByteArray> listRowRecords;     // 22-byte match records, 30 per side
    StaticRef<runtime::ByteArray> deviceBytes2A;      // byte[2]
    StaticRef<runtime::ObjectArray> deviceRefs4B;     // reference[4]
    StaticRef<runtime::ObjectArray> deviceRefs4C;     // reference[4]
    StaticRef<runtime::IntArray> deviceInts4A;        // int[4]
    StaticRef<runtime::ObjectArray> deviceRefs4D;     // reference[4]
    StaticRef<runtime::IntArray> deviceInts1;         // int[1]
    StaticRef<runtime::ObjectArray> deviceRefs2C;     // reference[2]
    StaticRef<runtime::IntArray> deviceInts4B;        // int[4]
    StaticRef<runtime::IntArray> deviceInts4C;        // int[4]
    StaticRef<runtime::BoolArray> overlayFlags;       // management-screen overlays that are open (boolean[4])
    StaticRef<runtime::ShortArray> deviceShorts335;   // short[335]
    StaticRef<runtime::ObjectArray> matchTeams;       // the two CTeam objects of the match (reference[2])
    StaticRef<runtime::IntArray> matchSquadCount;     // players in each side's match squad (int[2])
    StaticRef<runtime::ObjectArray> deviceRefs2D;     // reference[2]
    StaticRef<runtime::ObjectArray> deviceInts3x8A;   // int[3][8]
    StaticRef<runtime::ObjectArray> deviceInts3x8B;   // int[3][8]
    StaticRef<runtime::ObjectArray>
        competitionTable; // standings rows of the current competition, byte[32][8]
    StaticRef<runtime::ObjectArray>
        secondCompetitionTable;                      // standings of the background competition, byte[32][8]
    StaticRef<runtime::ObjectArray> deviceRefs32;    // reference[32]
    StaticRef<runtime::ByteArray> cupBracket;        // knockout slot pairs (byte[32])
    StaticRef<runtime::ShortArray> competitionTeams; // slot -> team of the current competition (short[32])
    StaticRef<runtime::ShortArray> viewTeams; // teams the competition screens list; -1 empty (short[32])
    StaticRef<runtime::ShortArray>
        competitionTeamsBackup; // copy of competitionTeams while the look-ahead runs (short[32])
    StaticRef<runtime::ShortArray> deviceShorts32A; // short[32]
    StaticRef<runtime::ShortArray> deviceShorts3;   // short[3]
    StaticRef<runtime::ByteArray> deviceBytes3A;    // byte[3]
    StaticRef<runtime::ByteArray> deviceBytes3B;    // byte[3]
    StaticRef<runtime::ByteArray> roundFixtures;    // the round's matches, 4 bytes each
    StaticRef<runtime::ByteArray> deviceBytes64;    // byte[64]
    StaticRef<runtime::ShortArray> calendarMarks;   // calendar marks, 384 entries (short[384])
    StaticRef<runtime::Long64Array> deviceLongs22;  // long[22]
    StaticRef<runtime::ByteArray> emptyZoneGrid;   // zero template copied over a team's zone grid (byte[693])
    StaticRef<runtime::ObjectArray> matchStats;    // short[2][13]: per-team statistics of the match
    StaticRef<runtime::ByteArray> goalRecords;     // 20 goal records of 6 bytes
    StaticRef<runtime::ObjectArray> minuteStats;   // int[2][10]: possession ticks of the last ten minutes
    StaticRef<runtime::ShortArray> particleX;      // particle positions (short[400])
    StaticRef<runtime::ShortArray> particleY;      // particle positions (short[400])
    StaticRef<runtime::ByteArray> particleSize;    // particle sizes (byte[400])
    StaticRef<runtime::ByteArray> particleSpeed;   // particle speeds (byte[400])
    StaticRef<runtime::IntArray> particleColour;   // particle colours (0xRRGGBB) (int[400])
    StaticRef<runtime::IntArray> specialParticles; // indices of the three special particles (int[3])
    StaticRef<runtime::IntArray> deviceInts40;     // int[40]
    StaticRef<runtime::ByteArray> deviceBytes3C;   // byte[3]
    StaticRef<runtime::ByteArray> deviceBytes3D;   // byte[3]
    StaticRef<runtime::Long64Array> deviceLongs28A; // long[28]
    StaticRef<runtime::Long64Array> deviceLongs28B; // long[28]
    // keyQueue (int[6]) and keyPressTicks (long[28]) are created here; declared with the keys above.
    StaticRef<runtime::IntArray> deviceInts4D;        // int[4]
    StaticRef<runtime::ObjectArray> deviceBytes22x32; // byte[22][32]
    StaticRef<runtime::ByteArray> deviceBytes22A;     // byte[22]
    StaticRef<runtime::ByteArray> deviceBytes22B;     // byte[22]
    StaticRef<runtime::ByteArray> deviceBytes22C;     // byte[22]
    StaticRef<runtime::IntArray> deviceInts2B;        // int[2]
    StaticRef<runtime::IntArray> deviceInts44;        // int[44]
    StaticRef<runtime::ShortArray> groupTableA;       // early national-cup result table (short[20])
    StaticRef<runtime::ShortArray> groupTableB;       // early national-cup result table (short[32])
    StaticRef<runtime::ShortArray> groupTableC;       // early national-cup result table (short[14])
    StaticRef<runtime::ShortArray> deviceShorts32B;   // short[32]
    StaticRef<runtime::ShortArray> leagueTeamOrder;   // team numbers, league by league (short[260])
    StaticRef<runtime::ShortArray>
        layoutRows; // cup participants: 16 per country row, the continental 32 from row 8 (short[160])
    StaticRef<runtime::ShortArray> cupResults;      // finishing order of the cups (short[160])
    StaticRef<runtime::ShortArray> matchStatistics; // the user's results: entry 3 x venue (home, away,
                                                    // neutral) + outcome (win, draw, loss) (short[9])
    StaticRef<runtime::ByteArray>
        clubRecordBytes; // titles and second places: [2(t - 1)] and [2(t - 1) + 1] per competition type t
    StaticRef<runtime::ByteArray>
        seasonPositionSeries; // the user's league position (0 top) after each round (byte[48])
    StaticRef<runtime::ByteArray> leaguePositionHistory; // final league position per season (byte[50])
    StaticRef<runtime::ByteArray> nationalCupHistory; // national-cup final won or lost, per season (byte[50])
    StaticRef<runtime::ByteArray>
        continentalCupHistory; // continental-cup final won or lost, per season (byte[50])
    StaticRef<runtime::ByteArray> otherFinalHistory; // other final won or lost, per season (byte[50])
    StaticRef<runtime::ShortArray> careerHistory;    // career history, 200 entries (short[200])
    StaticRef<runtime::ShortArray>
        teamRanking; // pairs (team at a rank, team at the rank before) (short[520])
    StaticRef<runtime::ShortArray> teamRatings;    // rating / tally per team (short[260])
    StaticRef<runtime::IntArray> userBalance;      // the user's balance over 96 match days (int[96])
    StaticRef<runtime::IntArray> userFundsSummary; // the user's funds over 96 match days (int[96])
    StaticRef<runtime::IntArray> userProjection;   // the user's projected funds over 96 match days (int[96])
    StaticRef<runtime::ByteArray> daySchedule;     // 8 (type, step) pairs of the loaded month (byte[16])
    StaticRef<runtime::ShortArray>
        fixtureTable; // the friendly at each calendar position (month x 8 + week); -1 none (short[96])
    StaticRef<runtime::ByteArray> deviceBytes3E; // byte[3]
    StaticRef<runtime::ShortArray>
        pendingShorts5; // values the match result collects while a step is played (short[5])
    StaticRef<runtime::ShortArray> competitionShorts5; // competition record bytes 359-368 (short[5])
    StaticRef<runtime::ShortArray>
        cupRoundPairsA; // the user's continental qualifiers: (home, away) team per step 0-2 (short[6])
    StaticRef<runtime::ShortArray>
        cupRoundPairsB; // the user's first national-cup tie: home team, away team (short[2])
    StaticRef<runtime::ByteArray> cupStatus;  // league position, national-cup and continental progress, one
                                              // per competition kind (byte[4])
    StaticRef<runtime::IntArray> deviceInts3; // int[3]
    StaticRef<runtime::ShortArray> deviceShorts16;       // short[16]
    StaticRef<runtime::ByteArray> competitionRecords;    // three 370-byte competition records
    StaticRef<runtime::ByteArray> table6342;             // stored table of 6,342 bytes
    StaticRef<runtime::ByteArray> competitionStateBytes; // competition state bytes
    StaticRef<runtime::ByteArray> deviceBytes306A;       // byte[306]
    StaticRef<runtime::ByteArray> deviceBytes306B;       // byte[306]
    StaticRef<runtime::ByteArray> deviceBytes12;         // byte[12]
    StaticRef<runtime::ObjectArray> lineup;              // byte[2][30]: position -> player index, per side
    StaticRef<runtime::ObjectArray> lineupAtKickOff;     // byte[2][30]: the kick-off line-up
    StaticRef<runtime::ByteArray> deviceBytes30;         // byte[30]
    StaticRef<runtime::ObjectArray> squadSlotOfPlayer;   // byte[2][30]: player index -> squad slot
    StaticRef<runtime::ObjectArray>
        substitutionSlots; // byte[2][14]: (off position, on slot) pairs per side; -1 empty
    StaticRef<runtime::ObjectArray> benchSlots;       // byte[2][7]: bench bytes per side; -1 empty
    StaticRef<runtime::ObjectArray> deviceBytes2x7;   // byte[2][7]
    StaticRef<runtime::ByteArray> substitutionLimit;  // changes still allowed, per side (byte[2])
    StaticRef<runtime::ByteArray> substitutionsMade;  // changes made, per side (byte[2])
    StaticRef<runtime::ByteArray> deviceBytes6;       // byte[6]
    StaticRef<runtime::ByteArray> deviceBytes61;      // byte[61]
    StaticRef<runtime::ObjectArray> deviceBytes7x61;  // byte[7][61]
    StaticRef<runtime::ObjectArray> deviceBytes10x61; // byte[10][61]
    StaticRef<runtime::IntArray> deviceInts30;        // int[30]
    StaticRef<runtime::ByteArray> selectionTable;     // the club plan table: 804 bytes, plus room for every
                                                      // random pick written from byte 800

    // Line-up choice and substitution bookkeeping. The arrays are created by the routines that fill
    // them (matchSlotList) or by the match set-up; the line-up routines skip what is missing.
    StaticRef<runtime::IntArray> matchSlotList;      // int[30]: the chosen player per line-up place; -1 none
    StaticRef<runtime::IntArray> slotValues;         // int[30]: one value per line-up position
    StaticRef<runtime::IntArray> positionValues;     // one value per line-up position, moved by a swap
    StaticRef<runtime::ObjectArray> positionRecords; // byte records by position-record index (match
                                                     // record byte 9); what a key player carries
    jbyte rebuildSide;         // set up the user's side as the opponent's (the line-up is chosen for it)
    jbyte keepLineup;          // setUpMatchSide fills the line-up tables and writes no squad back
    jbyte matchLiveFlag;       // the match is live
    jbyte matchMenuFlag;       // a menu over the live match is open
    jbyte keepShownLineup;     // a squad-menu swap leaves squadSlotOfPlayer as it is
    jint benchMode;            // 2: the menus may substitute while the match is live
    jint competitionEventType; // competition type 1-3 of the event played: picks the barred column
    // Changes each side may make in the next match: 7 in a friendly, else 3.
    jbyte defaultSubstitutionLimit;

    // Constant tables of the canvas's class initialiser, in creation order.
    StaticRef<runtime::IntArray> values013; // int[3]
    StaticRef<runtime::ByteArray>
        matchAttributeOffsets;                    // record offsets of the eight base attributes (byte[8])
    StaticRef<runtime::IntArray> spriteColours22; // 22 colours (0xRRGGBB) (int[22])
    StaticRef<runtime::IntArray> texts644;        // int[5]
    StaticRef<runtime::IntArray> matchDayTable;   // day of the month of each of the 8 calendar slots (int[8])
    StaticRef<runtime::ByteArray> values18;       // byte[18]
    StaticRef<runtime::ObjectArray> pitchPackNamesA; // pack name of a pitch layer
    StaticRef<runtime::ObjectArray> pitchPackNamesB; // pack name of a pitch layer
    StaticRef<runtime::ObjectArray> pitchPackNamesC; // pack name of a pitch layer
    StaticRef<runtime::IntArray> single12;           // int[1]
    StaticRef<runtime::IntArray> single9;            // int[1]
    StaticRef<runtime::IntArray> single6;            // int[1]
    StaticRef<runtime::IntArray> coords218;          // int[8]
    StaticRef<runtime::IntArray> coords250;          // int[8]
    StaticRef<runtime::IntArray> values454;          // int[6]
    StaticRef<runtime::IntArray> values886;          // int[6]
    StaticRef<runtime::IntArray> values135;          // int[6]
    StaticRef<runtime::IntArray> texts647;           // int[5]
    StaticRef<runtime::ObjectArray> shortGrid3x10x3; // short[3][10][3]
    StaticRef<runtime::ByteArray> values022;         // byte[6]
    StaticRef<runtime::ByteArray> fontSpacing;       // signed extra pixels after each glyph, per font
    StaticRef<runtime::IntArray> textEntryLimits;    // limits of the text-entry routine (int[6])
    StaticRef<runtime::String> joinText;             // one-character join text
    StaticRef<runtime::IntArray> keyIconRowStart;    // left x of the key-icon row for 1-4 icons (int[4])
    StaticRef<runtime::IntArray> touchAreaTable;     // nine touch rectangles (x, y, w, h) (int[36])
    StaticRef<runtime::IntArray> coords310;          // int[16]
    StaticRef<runtime::IntArray> colours12;          // twelve colours (0xRRGGBB) (int[12])
    StaticRef<runtime::IntArray> texts656;           // int[3]
    StaticRef<runtime::ByteArray>
        calendarDays; // the season calendar: 8 event bytes per month, type bits 6-7, step 0-5 (byte[96])
    StaticRef<runtime::ByteArray> extraRoundSteps;     // step of each extra round of a long league (byte[8])
    StaticRef<runtime::ByteArray> calendarLeagueRound; // extra rounds played before each month (byte[12])
    StaticRef<runtime::ByteArray>
        cupFirstDivisionEntries; // first-division teams in the national cup's last 16, per country (byte[8])
    StaticRef<runtime::ByteArray>
        cupEntryLimits; // teams of each league that skip the early cup steps (byte[39])
    StaticRef<runtime::ShortArray> countryPairTeams;   // kind-4 club pairs, two per country (short[16])
    StaticRef<runtime::ByteArray> leagueClubQuotas;    // clubs per top league (byte[6])
    StaticRef<runtime::ByteArray> drawOrder;           // pair order of the round-of-16 draw (byte[8])
    StaticRef<runtime::String> gameRecordStoreName;    // record store of the saved game
    StaticRef<runtime::String> threeStaticsStoreName;  // record store of three stored statics
    StaticRef<runtime::IntArray> texts173;             // int[8]
    StaticRef<runtime::IntArray> monthTexts;           // month name text ids (int[12])
    StaticRef<runtime::IntArray> colours7;             // seven colours (0xRRGGBB) (int[7])
    StaticRef<runtime::IntArray> competitionNameTexts; // text id per competition kind 0-5 (int[6])
    StaticRef<runtime::IntArray> soundResourceIndex;   // pack entry per sound id; -1 none (int[25])
    StaticRef<runtime::ByteArray> resultRewardTable;   // tally reward per column and outcome (byte[15])
    StaticRef<runtime::ShortArray> finalTallyBonus;    // tally bonus of a won final (short[13])
    StaticRef<runtime::ShortArray> tallyThresholds;    // ascending thresholds of the tally band (short[5])
    StaticRef<runtime::IntArray> tableHeaderIds;       // column headings of the standings (int[7])
    StaticRef<runtime::String> table1110StoreName;     // record store of competitionRecords
    StaticRef<runtime::IntArray> values164;            // int[5]
    StaticRef<runtime::IntArray> values128;            // int[5]
    StaticRef<runtime::ByteArray> values33A;           // byte[2]
    StaticRef<runtime::ByteArray> values33B;           // byte[2]
    StaticRef<runtime::ObjectArray> constantTexts162;  // ref[5] of constant strings
    StaticRef<runtime::IntArray> gatePrices;           // gate price per competition kind (int[5])
    StaticRef<runtime::IntArray> scoutCounts;          // players a scouting draw lists per grade (int[6])
    StaticRef<runtime::ObjectArray>
        teamTalkTable;                        // squad-talk thresholds and change ranges (ref[12] of byte[])
    StaticRef<runtime::IntArray> moraleSteps; // morale step per competition kind (int[6])
    StaticRef<runtime::IntArray> texts739;    // int[3]
    StaticRef<runtime::IntArray> ratioTable;  // currency factors in percent (int[3])
    StaticRef<runtime::ObjectArray> languageCodes;    // ref[11] of constant strings: language codes
    StaticRef<runtime::ByteArray> values01235;        // byte[5]
    StaticRef<runtime::IntArray> texts692;            // int[9]
    StaticRef<runtime::ObjectArray> presetByteTables; // byte[2][3][6], filled with -1 by Device::Device
    StaticRef<runtime::IntArray> texts831;            // int[12]
    StaticRef<runtime::ObjectArray>
        developmentSkillWeights; // weight per skill, per kind (ninth byte unused) (ref[4] of byte[])
    StaticRef<runtime::ObjectArray>
        developmentFlagChances;                     // chance per skill flag, per kind (ref[4] of byte[])
    StaticRef<runtime::ByteArray> developmentRates; // rate per grade: (g - 5) x 10 (byte[11])
    StaticRef<runtime::ObjectArray>
        positionGroupTable; // position groups picked by position mask (ref[8] of byte[])

    // Input: per-frame masks, double press, auto-repeat, long press, digit mode, touch repeat.
    jint releasedKeys;          // keys newly released this frame
    jint lastPressedKey;        // first press of a possible double press
    jint framesSincePress;      // frames since lastPressedKey was pressed
    jint doublePressedKeys;     // keys pressed twice within the double-press window
    jboolean keyRepeatEnabled;  // the screen wants up/down auto-repeat
    jint keyRepeatFrames;       // frames up or down has been held
    jint keyRepeatDelay;        // frames before auto-repeat starts
    jboolean repeatUp;          // auto-repeat of up is in force
    jboolean repeatDown;        // auto-repeat of down is in force
    jint longPressFrames;       // frames of the long press in the squad lists
    jboolean longPressDone;     // the long-press action ran
    jboolean digitKeysMode;     // digit keys report their own bits
    jint softKeyCounter;        // counted down by right-soft-key presses in the menus
    jboolean touchHold;         // a held touch may become a long press
    jint touchRepeatCount;      // repeats of the held touch so far
    jint touchRepeatFirstDelay; // repeat period while touchRepeatCount <= touchRepeatSwitch
    jint touchRepeatDelay;      // repeat period afterwards
    jint touchRepeatSwitch;
    jboolean touchGestureFlags[2]; // left / right arrow held; cleared by every release

    // The menu hint animation and the music.
    StaticRef<sprites::ASpriteInstance> hintSprite; // its sprite instance
    jint hintMode;              // 1 waiting to show, -2 showing, 0 waiting to hide, -1 idle
    jboolean hintHidePending;   // the hint may be hidden from mode 0
    jlong hintTime;             // milliseconds of the last hint change or input
    jboolean hintStepRequested; // a painter wants the hint step this frame
    jint hintBlock;             // while positive the hint step does nothing
    jint hintChanges;           // hint changes so far
    jint hintOffsetX;
    jint hintOffsetY;
    jint currentMusic; // music id started last; -1 none

    // The resource-pack reader: the rest of the open pack's state, and the stream readers' count.
    jint packEntryLeadByte;                       // first byte of the entry last selected, 0..255
    jbyte packEntryFlag;                          // cleared whenever an entry is selected
    jboolean packKeepOpen;                        // sprite loads leave opening and closing to the caller
    StaticRef<runtime::ByteArray> packSkipBuffer; // scratch of skipping by reads
    jint packSkipBufferSize;                      // chunk of skipping by reads; 0 skips on the stream
    jint streamBytesRead;                         // bytes taken by readStreamByte and readStreamFully

    // Sprites and palettes.
    StaticRef<runtime::ObjectArray> sprites;          // ASprite by number; font f is element 11 + f
    StaticRef<runtime::ObjectArray> sharedPalettes;   // int[][]: template rows from the kind-0 sprite file
    StaticRef<runtime::ObjectArray> composedPalettes; // int[66][44]: kit palettes of kinds 0 and 1
    StaticRef<runtime::IntArray> paletteWork;         // shared decode target of module pixels
    StaticRef<runtime::BoolArray> paletteSlotMask;    // by kind: module images cached at load

    // Sound by id: what was started last (-1 none) and the match lock.
    jint lastEffect;         // the effect started last
    jint lastSound;          // the sound of either kind started last
    jint pendingSound;       // -1 once a request reaches a player
    jboolean matchSoundLock; // in a match, sounds play only under music 16 or 24

    // Game maths: the pair that directionToVector and scaleVectorTo yield.
    jint vectorX;
    jint vectorY;

    // The frame entry's loading, title and first-run screens, match entry and results board.
    StaticRef<profile::Image> logoImage;     // the logo of the loading screens, loaded on first need
    StaticRef<sprites::ASprite> titleSprite; // the title picture; unloaded when the main menu is left
    jint loadingProgress;                    // base value of the loading bar
    jboolean titlePending;                   // cleared when the title is left for the main menu
    jboolean questionTouched;                // a button of the first-run question was touched and released
    jboolean matchEntryFlag;                 // cleared on entering the match unless actor 0 is in state 3
    StaticRef<sprites::ASpriteInstance> boardIcon; // sprite instance of the results board's icons

    // Season competitions: the user's club and leagues, the calendar position and the event at
    // hand, the schedule's pairings and the season's round offset, the knockout rounds and the
    // draw, the competition flags of the saved state, team ranks, leaderboards, the club
    // database's records and the saved-game record.
    jshort userTeam;          // the user's club; -1 none
    jint userLeague;          // the user's league 0..12
    jint secondLeague;        // the background league (or country) at hand
    jint monthIndex;          // month of the season 0..11 (0 = July)
    jint matchDayIndex;       // event position 0..7 in the month
    jint scheduleType;        // mode 0..5 of the event at hand
    jint competitionStep;     // step of the event at hand
    jint competitionType;     // type 1..5 of the competition being played
    jint playedStep;          // step of the match played
    jshort cupTieSlot;        // the user's slot in the national cup's record; -1 none
    jboolean roundFlagLeague; // per competition: the new week shows its table (saved byte 11)
    jboolean roundFlagContinental;
    jboolean roundFlagCup;
    // The new week: the news item it shows, the cup boards announced once per run and the
    // snapshot of the current competition taken at the start of a week (made on first use).
    jint weekNewsKind;                                    // 0..12
    jboolean cupBoardsShown;                              // the national-cup leaderboards were announced
    jboolean continentalBoardsShown;                      // the continental-cup leaderboards were announced
    StaticRef<runtime::ShortArray> competitionTeamsCopy;  // competitionTeams (short[32])
    StaticRef<runtime::ObjectArray> competitionTableCopy; // the rows of competitionTable (byte[32][8])
    jbyte userLeagueSize;                                 // teams of the user's league

    jint currentRound;                           // the season's schedule offset, drawn at each new season
    jbyte scheduleTeamCount;                     // rows of fixtureSchedule
    StaticRef<runtime::ByteArray> roundPairings; // the round's entry per team position; -1 listed lower
    jbyte competitionValueB;                     // competition record byte 357
    jbyte competitionValueC;                     // competition record byte 358
    StaticRef<runtime::ByteArray> cupRoundStart; // block of each knockout round in cupBracket; [4] the winner
    jboolean userInCup;                          // the user is in the continental cup
    jboolean userOutOfCup;                       // the user's club went out in the group stage
    jboolean cupDrawDone;                        // the round of 16 is drawn
    jboolean cupEntryFlag;                       // the user takes part in the national cup
    jboolean inCountryPair;                      // the user's club is one of its country's pair
    jboolean earlyCupFlag0;                      // early national-cup step flags
    jboolean earlyCupFlag1;
    jboolean earlyCupFlag2;
    // The calendar: the month loaded into daySchedule, the searches and the event processed last.
    jbyte leagueRoundShift;    // extra rounds a long league has played before the loaded event
    jint previousScheduleType; // scheduleType before the last classification
    jboolean eventSearchOff;   // the season is over for the next-event searches (saved byte 5706)
    jint eventsToUserEvent;    // positions to the user's next event; -1 none
    jboolean userEventNow;     // the event processed last is one the user's club takes part in
    jshort fixtureOpponent;    // the team of the friendly at hand
    jint nextUserOpponent;     // the team of the user's next opponent; -1 none
    // The user's season record (saved bytes 2271 and 2280-2281 beside matchStatistics,
    // clubRecordBytes and seasonPositionSeries) and what the result bookkeeping reads.
    jint trainingLevel;                           // the highest tallyThresholds index the tally exceeds
    jshort userRating;                            // the user's running tally of result rewards
    jbyte seasonYearOffset;                       // with the base year, subtracted from seasonYear for the
                                                  // history arrays (saved byte 2429)
    StaticRef<runtime::ByteArray> resultRound;    // [0]: the round of the league result being booked
    jboolean seasonTitleWon;                      // the user's club won its league or a final
    jboolean promotionMessagesOff;                // no promotion or relegation messages while set
    StaticRef<runtime::ByteArray> teamRankValues; // strength value per entry of leagueTeamOrder
    StaticRef<runtime::ShortArray> teamStrengthOrder; // team number per entry, filled with teamRankValues
    StaticRef<runtime::ShortArray> teamRanks;         // rank of each entry among all teams
    StaticRef<runtime::ByteArray> teamGroupRanks;     // rank of each entry within its country
    StaticRef<runtime::ShortArray> listedTeams;       // the teams isTeamInList finds; null is empty
    jint scratchCounters[8];                          // cleared together by resetCounters
    StaticRef<runtime::ObjectArray> leaderboards;     // three short[10][3] lists (value, player, slot)
    StaticRef<runtime::ShortArray> leaderboardCounts; // rows with a value above 0 per list, at most 6
    StaticRef<runtime::ByteArray> teamRecords;        // 64-byte team records
    StaticRef<runtime::ByteArray> playerRecords;      // 37-byte player records
    jint playerCount; // records in playerRecords: basePlayerCount + 40 without a team
    StaticRef<runtime::ByteArray> saveRecordBuffer; // the saved-game record being packed or unpacked
    StaticRef<runtime::IntArray> setUpChoices;      // four set-up (staff) numbers offered
    // The competition view: the event shown, its teams and the markers the season code keeps per
    // competition type (index type - 1).
    jint viewPosition;                        // calendar position of the event shown
    jboolean viewEventAhead;                  // the shown event has not been played yet
    jint viewTeamCount;                       // entries of viewTeams the screen shows
    StaticRef<runtime::ShortArray> viewMarks; // the screens' marks, cleared to -1 per view
    jint viewCursor;                          // the screen's list position
    StaticRef<runtime::ByteArray>
        eventDoneByType; // 1 when the event of the type at the current position is played
    StaticRef<runtime::ByteArray> cupRoundReached; // the knockout round each cup has reached
    // The background leagues and cups.
    jint pendingCount;         // a count the match result collects while a step is played
    jboolean otherLeaguesFlag; // cleared whenever the background competitions are played
    // Work lists of the early national-cup steps: made on first use, dropped by the season code.
    StaticRef<runtime::ShortArray> earlyRoundWork20;
    StaticRef<runtime::ShortArray> earlyRoundWork32;
    StaticRef<runtime::ShortArray> earlyRoundWork14;
    // The season objectives: the values before the last settlement and the values achieved.
    jint objectiveA;                 // league value before the settlement
    jint objectiveB;                 // continental-cup value before the settlement
    jint objectiveC;                 // national-cup value before the settlement
    jint userLeagueExpectation;      // final league position + 1 (saved byte 2283)
    jint userCupExpectation;         // national-cup stage 0..5 (saved byte 2284)
    jint userContinentalExpectation; // continental-cup stage 0..5 (saved byte 2285)
    // Further fields of the saved-game record; their meaning belongs to the code that uses them.
    jboolean dayFixtureReady;   // the day's fixture step is done; while clear the record holds the next day
    jbyte leagueStarted;        // saved byte 3
    jboolean dayStarted;        // saved byte 6
    jbyte competitionEntryByte; // saved byte 10
    StaticRef<runtime::ByteArray> savedByteBlock;        // saved bytes 1398-1402 (byte[5])
    jint userFundsIn;                                    // income since the season's start
    jint userFundsOut;                                   // spending since the season's start
    jint userWageTotal;                                  // wages since the season's start
    jboolean seasonOpeningFlag;                          // saved byte 2319
    jint ratioNumeratorIndex;                            // saved byte 2320: the currency shown
    jint ratioDenominatorIndex;                          // the reference currency; 0 after a load
    jint contractNoticeIndex;                            // saved byte 2321
    jint managerProfileValueA;                           // saved bytes 2370-2373
    jint managerProfileValueB;                           // saved bytes 2374-2377
    jbyte stateEntryFlag;                                // saved byte 2378
    StaticRef<runtime::ByteArray> competitionLastResult; // per competition kind 1..3: stage shown (byte[3])
    StaticRef<runtime::ByteArray> competitionLastRound;  // per competition kind 1..3: round reached (byte[3])
    StaticRef<runtime::ByteArray> competitionActive;     // per competition kind 1..3: active (byte[3])
    jboolean gameOverPending;                            // stored inverted at saved byte 2586
    jshort pendingTeam;                                  // the team the user joins at the turnover
    jbyte historyCount;                                  // entries of careerHistory in use
    jboolean entry2Forced;                               // saved byte 5716
    jboolean reservedFlag;                               // saved byte 5717
    jint userTeamSetting;                                // saved byte 5718
    jint matchCounter1; // eight counters set together (saved bytes 5719-5726)
    jint matchCounter2;
    jint matchCounter3;
    jint matchCounter4;
    jint matchCounter5;
    jint matchCounter6;
    jint matchCounter7;
    jint matchCounter8;
    jint userFundsBase;        // the user's money at the season's start
    jboolean promotionVisited; // stored inverted in bit 0 of saved byte 5734
    jboolean promotionFlag2;   // stored inverted in bit 4 of saved byte 5734
    jint guideStep;            // step of the first-season guide
    // Start-up loading: the texts, the logo sprite, the promotion flags and the text line step.
    jboolean textsLoaded;                             // step 1 has loaded the texts
    StaticRef<runtime::ObjectArray> loadingTextTable; // String[12] prepared in step 1
    StaticRef<runtime::String> inboxStoreName;        // text 545: the inbox's record store
    StaticRef<sprites::ASprite> logoSprite;           // sprite 14 of the menu pack
    jboolean promotionAvailable;                      // hasPromotionEntries at start-up
    jboolean promotionReady;                          // the promotion screen's own readiness check
    jint textLineStep;                                // (fontLineHeights[0] + 2) x 3
    // The menus' loading steps (loadMenuResources) and the match's pitch layers.
    jint menuLoadStep;                                      // the step loadMenuResources runs next
    StaticRef<sprites::ASpriteInstance> menuSpriteInstance; // the menu background animation
    StaticRef<sprites::ASprite> backgroundSprite;           // the menus' backdrop (menu pack entry 5)
    StaticRef<profile::Image> menuPackResource;             // the status icon strip (menu pack entry 4)
    StaticRef<runtime::ObjectArray> imagePalettes;          // int[][]: palettes of the image being decoded
    StaticRef<runtime::ObjectArray> pitchTileMaps;          // byte[4][]: tile number per cell, per layer
    StaticRef<runtime::ObjectArray> pitchFlipMaps;          // byte[4][]: 2-bit flips per cell, per layer
    jint cameraMaxX;                                        // the largest camera corner on the pitch image
    jint cameraMaxY;
    // Text layout and text boxes: glyph bases, the line-count cache, the painters' wrap cache,
    // window and scroll state.
    jint upperCaseGlyphBase;                    // glyph frame of 'A' (and 'a')
    jint digitGlyphBase;                        // glyph frame of '0'
    StaticRef<runtime::String> lastCountedText; // the text countTextLines counted last (identity)
    jint lastCountedLines;                      // its line count
    StaticRef<runtime::String> lastBoxText;     // the text a painter wrapped last (identity)
    StaticRef<runtime::String> lastBoxLines;    // its wrapped form (the text itself when it fitted)
    StaticRef<runtime::String> hintBoxText;     // the hint drawn last (the hint's own wrap cache, kept
    StaticRef<runtime::String> hintBoxLines;    // while its scrolling box keys lastBoxText with these lines)
    jint boxScrollTop;                          // top y of the window of painters with a line limit
    jboolean centreTextBlock;                   // anchor bit 1 centres the block between x and the right edge
    StaticRef<runtime::String> propertySuffix;  // application property of the windowed rewrite; read once
    jint scrollOffset;                          // slow counter of the self-scrolling box (may be negative)
    jint scrollPause;                           // fast counter: how far the text has moved up
    jboolean scrollRestart;                     // the next scrolling frame starts from the first page
    jboolean scrollStopAtEnd;                   // the box reports the end of its scroll
    jboolean scrollFinished;                    // the scroll has run through (read and cleared by screens)
    jboolean tickerDrawn;                       // a scrolling hint has been drawn
    // Object set-up: the font Font::getDefaultFont makes once.
    StaticRef<runtime::javax_microedition_lcdui_Font> defaultFont;

    // The club database: the tables of the database pack, the counts derived from them, the team
    // and player records, the three-byte table and the user's team.
    StaticRef<runtime::ByteArray> teamInfoRecords;   // pack entry 0: league entries, 27 bytes a team
    StaticRef<runtime::ByteArray> playerInfoRecords; // pack entry 1: 28 bytes a player
    StaticRef<runtime::ByteArray> nameBytes;         // pack entry 2: text bytes of the database names
    StaticRef<runtime::ByteArray> teamNameTable;     // pack entry 3: short team names
    StaticRef<runtime::ByteArray> setUpRecords;      // pack entry 4: coach records and names
    StaticRef<runtime::ByteArray> extraNameTable;    // pack entry 6: scout records and names
    StaticRef<runtime::ByteArray> nameTableStrided;  // pack entry 10: news templates
    StaticRef<runtime::ByteArray> databaseEntry11;   // pack entry 11, read by nothing yet
    StaticRef<runtime::ByteArray> formationTable;    // pack entry 8: 67 bytes a formation
    jint formationTableLength;
    StaticRef<runtime::ByteArray> formationSlots; // pack entry 9: 10 slots a formation
    jint formationSlotsLength;
    StaticRef<runtime::IntArray> badgeFirstIds; // per league: team id of frame 0 of a badge sheet (int[13])
    jint teamCount;                             // the sum of the league sizes
    jint basePlayerCount;                       // 21 x teamCount: the players of the teams
    StaticRef<runtime::ObjectArray> teamCodes;  // three-letter code String per team
    StaticRef<runtime::ByteArray> tripletTable; // 3-byte entries: 16-bit value, byte; 0xFF unused
    jint tripletCount;

    // The persisted data sets: store names, the tables kept in stores of their own and the
    // statics copied in and out of them.
    jint transferHistoryCount; // entries used in transferHistory
    StaticRef<profile::javax_microedition_rms_RecordStore> eightByteTableStore; // store of transferHistory
    StaticRef<runtime::ByteArray>
        threeStatics;   // autoSaveMode, low bytes of currencyFrameBase and storedByte2
    jbyte autoSaveMode; // 0 saves after every day, 1 after odd days, 2 after day 7, 3 never
    jint storedByte2;
    StaticRef<runtime::ByteArray> fixtureStore;  // 4,608 bytes, made on first use
    StaticRef<runtime::ByteArray> teamByteTable; // two bytes a team (520)
    jbyte currentTeamByte;                       // the user's team's byte of teamByteTable
    StaticRef<runtime::ByteArray> teamSheet;     // the team sheet other applications read
    StaticRef<runtime::ByteArray> compositeBytes;
    StaticRef<runtime::ObjectArray> compositePairs; // int arrays of at least two words
    StaticRef<runtime::ObjectArray> compositeGrid;  // arrays of byte arrays
    StaticRef<runtime::IntArray> compositeInts;
    jbyte compositeFlag0;
    jbyte compositeFlag1;
    StaticRef<runtime::ByteArray> managerProfileRecord; // 60 bytes
    StaticRef<runtime::ObjectArray> managerName;        // the two parts of the manager's name
    jint managerBirthYear;                              // year of birth - 1947
    jint profileMonth;                                  // 0..11
    jint profileDay;                                    // 0..30
    jint profileTextIndex;                              // index into profileTextIds
    StaticRef<runtime::IntArray> profileTextIds;
    StaticRef<runtime::String> profileYearText;  // the year of birth in decimal
    StaticRef<runtime::String> profileMonthText; // the month, two digits
    StaticRef<runtime::String> profileDayText;   // the day, two digits
    StaticRef<runtime::String> profileTextName;  // the text profileTextIds[profileTextIndex]
};

} // namespace game
