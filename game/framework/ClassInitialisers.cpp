// The game's own class initialisers (see ClassInitialisers.h). Each one is straight-line code: it
// stores its scalars, then creates its arrays in a fixed order, filling literal tables as it goes.
#include "game/framework/ClassInitialisers.h"

#include "game/core/GameStatics.h"
#include "game/core/StaticTables.h"
#include "game/match/CPlayer.h"
#include "game/screens/menus/SquadTable.h"
#include "runtime/ConstantPool.h"
#include "runtime/Hashtable.h"
#include "runtime/ObjectManager.h"
#include "runtime/Random.h"
#include "runtime/String.h"
#include "runtime/StringBuffer.h"
#include "runtime/System.h"

namespace game::framework {

using namespace game::match;
using namespace game::core;

namespace {

constexpr runtime::jint kFirstSeasonYear = 2009;
constexpr runtime::jint kNoMatchCommand = -1;
constexpr runtime::jint kLoadingState = 1;
constexpr runtime::jint kNoSound = -1;
constexpr runtime::jshort kNoCupTie = -1;
constexpr runtime::jint kUpperCaseGlyphBase = 0;
constexpr runtime::jint kDigitGlyphBase = 26;
// The transfer message list: rows of whole 27-byte message records.
constexpr runtime::jint kTransferMessageRows = 10;
constexpr runtime::jint kMessageRecordBytes = 27;

} // namespace

void deviceStaticInit(GameStatics* const s) {
    s->gameRunning = 1;
    s->frameCount = 0;
    s->matchTicks = 0;
    s->topState = kLoadingState;
    s->framesInState = 0;
    s->frameKeys = 0;
    s->pressedKeys = 0;
    s->touchRepeatCounter = 0;
    s->matchCommand = kNoMatchCommand;
    s->seasonYear = kFirstSeasonYear;
    // No sound has been asked for or started yet.
    s->lastEffect = kNoSound;
    s->currentMusic = kNoSound;
    s->lastSound = kNoSound;
    s->pendingSound = kNoSound;
    // The user's club has no national-cup tie until the cup's record is loaded.
    s->cupTieSlot = kNoCupTie;
    // The font's character map begins with the letters and then the digits.
    s->upperCaseGlyphBase = kUpperCaseGlyphBase;
    s->digitGlyphBase = kDigitGlyphBase;

    // Seeded from the clock the host (or a test) installed, so a fixed clock fixes the game's
    // whole sequence of draws.
    s->gameRandom = runtime::newObject<runtime::java_util_Random>(runtime::System::currentTimeMillis());
    s->textBufferA = runtime::newStringBuffer();
    s->textBufferB = runtime::newStringBuffer();
    s->textBufferC = runtime::newStringBuffer();
    s->spareMatchPlayer = runtime::newObject<match::CPlayer>();

    s->deviceBytes316 = runtime::newByteArray(316);
    s->transferHistory = runtime::newByteArray(401);
    s->deviceBytes1310 = runtime::newByteArray(1310);
    s->playerWorkPairs = multiArray("[[I", {5500, 2});
    s->playerWorkBytes = runtime::newByteArray(5500);
    s->leagueNames = runtime::newObjectArray(13);
    s->leagueSizes = runtime::newIntArray(13);
    s->leagueStarts = runtime::newIntArray(13);
    s->deviceInts2A = runtime::newIntArray(2);
    s->deviceRefs4A = runtime::newObjectArray(4);
    s->deviceRefs24 = runtime::newObjectArray(24);
    s->deviceRefs2A = runtime::newObjectArray(2);
    s->deviceRefs2B = runtime::newObjectArray(2);
    s->matchPlayerNames = multiArray("[[Ljava/lang/String;", {2, 30});
    s->deviceBytes2x8 = multiArray("[[B", {2, 8});
    s->listRowRecords = runtime::newByteArray(1320);
    s->deviceBytes2A = runtime::newByteArray(2);
    s->deviceRefs4B = runtime::newObjectArray(4);
    s->deviceRefs4C = runtime::newObjectArray(4);
    s->deviceInts4A = runtime::newIntArray(4);
    s->deviceRefs4D = runtime::newObjectArray(4);
    s->deviceInts1 = runtime::newIntArray(1);
    s->deviceRefs2C = runtime::newObjectArray(2);
    s->deviceInts4B = runtime::newIntArray(4);
    s->deviceInts4C = runtime::newIntArray(4);
    s->overlayFlags = runtime::newBoolArray(4);
    s->deviceShorts335 = runtime::newShortArray(335);
    s->matchTeams = runtime::newObjectArray(2);
    s->matchSquadCount = runtime::newIntArray(2);
    s->deviceRefs2D = runtime::newObjectArray(2);
    s->deviceInts3x8A = multiArray("[[I", {3, 8});
    s->deviceInts3x8B = multiArray("[[I", {3, 8});
    s->competitionTable = multiArray("[[B", {32, 8});
    s->secondCompetitionTable = multiArray("[[B", {32, 8});
    s->deviceRefs32 = runtime::newObjectArray(32);
    s->cupBracket = runtime::newByteArray(32);
    s->competitionTeams = runtime::newShortArray(32);
    s->viewTeams = runtime::newShortArray(32);
    s->competitionTeamsBackup = runtime::newShortArray(32);
    s->deviceShorts32A = runtime::newShortArray(32);
    s->deviceShorts3 = runtime::newShortArray(3);
    s->deviceBytes3A = runtime::newByteArray(3);
    s->deviceBytes3B = runtime::newByteArray(3);
    s->roundFixtures = runtime::newByteArray(64);
    s->deviceBytes64 = runtime::newByteArray(64);
    s->calendarMarks = runtime::newShortArray(384);
    s->deviceLongs22 = runtime::newLongArray(22);
    s->emptyZoneGrid = runtime::newByteArray(693);
    s->matchStats = multiArray("[[S", {2, 13});
    s->goalRecords = runtime::newByteArray(120);
    s->minuteStats = multiArray("[[I", {2, 10});
    s->particleX = runtime::newShortArray(400);
    s->particleY = runtime::newShortArray(400);
    s->particleSize = runtime::newByteArray(400);
    s->particleSpeed = runtime::newByteArray(400);
    s->particleColour = runtime::newIntArray(400);
    s->specialParticles = runtime::newIntArray(3);
    s->deviceInts40 = runtime::newIntArray(40);
    s->deviceBytes3C = runtime::newByteArray(3);
    s->deviceBytes3D = runtime::newByteArray(3);
    s->deviceLongs28A = runtime::newLongArray(28);
    s->deviceLongs28B = runtime::newLongArray(28);
    s->keyQueue = runtime::newIntArray(6);
    s->keyPressTicks = runtime::newLongArray(28);
    s->deviceInts4D = runtime::newIntArray(4);
    s->deviceBytes22x32 = multiArray("[[B", {22, 32});
    s->deviceBytes22A = runtime::newByteArray(22);
    s->deviceBytes22B = runtime::newByteArray(22);
    s->deviceBytes22C = runtime::newByteArray(22);
    s->deviceInts2B = runtime::newIntArray(2);
    s->deviceInts44 = runtime::newIntArray(44);
    s->groupTableA = runtime::newShortArray(20);
    s->groupTableB = runtime::newShortArray(32);
    s->groupTableC = runtime::newShortArray(14);
    s->deviceShorts32B = runtime::newShortArray(32);
    s->leagueTeamOrder = runtime::newShortArray(260);
    s->layoutRows = runtime::newShortArray(160);
    s->cupResults = runtime::newShortArray(160);
    s->matchStatistics = runtime::newShortArray(9);
    s->clubRecordBytes = runtime::newByteArray(8);
    s->seasonPositionSeries = runtime::newByteArray(48);
    s->leaguePositionHistory = runtime::newByteArray(50);
    s->nationalCupHistory = runtime::newByteArray(50);
    s->continentalCupHistory = runtime::newByteArray(50);
    s->otherFinalHistory = runtime::newByteArray(50);
    s->careerHistory = runtime::newShortArray(200);
    s->teamRanking = runtime::newShortArray(520);
    s->teamRatings = runtime::newShortArray(260);
    s->userBalance = runtime::newIntArray(96);
    s->userFundsSummary = runtime::newIntArray(96);
    s->userProjection = runtime::newIntArray(96);
    s->daySchedule = runtime::newByteArray(16);
    s->fixtureTable = runtime::newShortArray(96);
    s->deviceBytes3E = runtime::newByteArray(3);
    s->pendingShorts5 = runtime::newShortArray(5);
    s->competitionShorts5 = runtime::newShortArray(5);
    s->cupRoundPairsA = runtime::newShortArray(6);
    s->cupRoundPairsB = runtime::newShortArray(2);
    s->cupStatus = runtime::newByteArray(4);
    s->deviceInts3 = runtime::newIntArray(3);
    s->deviceShorts16 = runtime::newShortArray(16);
    s->competitionRecords = runtime::newByteArray(1110);
    s->table6342 = runtime::newByteArray(6342);
    s->competitionStateBytes = runtime::newByteArray(21);
    s->deviceBytes306A = runtime::newByteArray(306);
    s->deviceBytes306B = runtime::newByteArray(306);
    s->deviceBytes12 = runtime::newByteArray(12);
    s->lineup = multiArray("[[B", {2, 30});
    s->lineupAtKickOff = multiArray("[[B", {2, 30});
    s->deviceBytes30 = runtime::newByteArray(30);
    s->squadSlotOfPlayer = multiArray("[[B", {2, 30});
    s->substitutionSlots = multiArray("[[B", {2, 14});
    s->benchSlots = multiArray("[[B", {2, 7});
    s->deviceBytes2x7 = multiArray("[[B", {2, 7});
    s->substitutionLimit = runtime::newByteArray(2);
    s->substitutionsMade = runtime::newByteArray(2);
    s->deviceBytes6 = runtime::newByteArray(6);
    s->deviceBytes61 = runtime::newByteArray(61);
    s->deviceBytes7x61 = multiArray("[[B", {7, 61});
    s->deviceBytes10x61 = multiArray("[[B", {10, 61});
    s->deviceInts30 = runtime::newIntArray(30);
    s->selectionTable = runtime::newByteArray(818);
    s->values013 = intTable({0, 1, 3});
    s->matchAttributeOffsets = byteTable({2, 3, 0, 14, 15, 1, 16, 17});
    s->spriteColours22 = intTable({1400758,  12000,   13619151, 235008,   12518405, 495533,  5066061, 9323557,
                                   15525651, 9079177, 11683071, 14705920, 14705920, 29387,   23221,   23221,
                                   23221,    23221,   23221,    23221,    23221,    13604988});
    s->texts644 = intTable({644, 386, 383, 645, 646});
    s->matchDayTable = intTable({2, 6, 9, 12, 16, 20, 23, 28});
    s->values18 = byteTable({0, 0, 0, 0, 1, 0, 1, 4, 1, 2, 3, 1, 2, 2, 2, 1, 5, 2});
    s->pitchPackNamesA = constantStringTable({158});
    s->pitchPackNamesB = constantStringTable({158});
    s->pitchPackNamesC = constantStringTable({158});
    s->single12 = intTable({12});
    s->single9 = intTable({9});
    s->single6 = intTable({6});
    s->coords218 = intTable({218, 284, 228, 264, 226, 266, 232, 268});
    s->coords250 = intTable({250, 336, 248, 310, 258, 302, 256, 322});
    s->values454 = intTable({4, 5, 4, 8, 8, 8});
    s->values886 = intTable({8, 8, 6, 7, 6, 8});
    s->values135 = intTable({1, 3, 5, 7, 9, 15});
    s->texts647 = intTable({647, 0, 2, 3, 648});
    s->shortGrid3x10x3 = multiArray("[[[S", {3, 10, 3});
    s->values022 = byteTable({0, 2, 2, 0, 2, 0});
    s->fontSpacing = byteTable({-1, -1, -1});
    s->textEntryLimits = intTable({5, 12, 100, 120, 1000, 1200});
    s->joinText = runtime::getConstantString(124);
    s->keyIconRowStart = intTable({210, 173, 136, 99});
    s->touchAreaTable =
        intTable({24, 44,  276, 174, 306, 44,  68,  230, 25,  402, 242, 169, 368, 369, 110, 146, 382, 206,
                  97, 151, 2,   224, 194, 176, 204, 279, 148, 121, 392, 36,  86,  166, 272, 402, 90,  169});
    s->coords310 = intTable({0, 310, 0, 310, 0, 307, 0, 306, 0, 305, 0, 305, 0, 306, 0, 309});
    s->colours12 = intTable({0, 3149709, 11184810, 15450368, 8585216, 5035773, 1644825, 6824739, 15070309,
                             4473935, 11272322, 8727810});
    s->texts656 = intTable({656, 657, 658});
    s->calendarDays =
        byteTable({0,    0,    0,    0,  0,    -128, 0,    -127, 0,   -126, 0,  1,  0,   64, 2,    3,
                   0,    65,   -64,  66, 0,    67,   -63,  68,   4,   69,   5,  70, -62, 71, -61,  72,
                   -125, 73,   0,    74, -60,  75,   -124, 76,   -59, 77,   6,  78, 7,   79, 0,    0,
                   -123, 80,   -122, 81, -121, 82,   -120, 83,   8,   84,   9,  85, -58, 86, 0,    87,
                   -57,  88,   0,    89, -56,  90,   0,    91,   -55, 92,   93, 94, -54, 95, -119, 96,
                   -53,  -118, 97,   98, 99,   100,  -52,  101,  0,   0,    0,  0,  0,   0,  0,    0});
    s->extraRoundSteps = byteTable({1, 2, 7, 9, 18, 20, 26, 28});
    s->calendarLeagueRound = byteTable({0, 0, 2, 2, 4, 4, 6, 6, 8, 8, 8, 8});
    s->cupFirstDivisionEntries = byteTable({8, 7, 7, 2, 4, 16, 16, 16});
    s->cupEntryLimits = byteTable({20, 8, 8, 16, 0,  0, 20, 8, 8, 18, 0,  0,  20, 8,  8,  18, 0,  0,  20, 2,
                                   20, 0, 0, 20, 18, 4, 18, 2, 0, 18, 16, 16, 16, 16, 16, 16, 16, 16, 16});
    s->countryPairTeams =
        shortTable({0, 7, 44, 45, 86, 95, 128, 129, 168, 169, 204, 205, 220, 221, 240, 241});
    s->leagueClubQuotas = byteTable({6, 5, 6, 5, 5, 5});
    s->drawOrder = byteTable({0, 8, 12, 4, 14, 6, 2, 10});
    s->gameRecordStoreName = runtime::getConstantString(159);
    s->threeStaticsStoreName = runtime::getConstantString(161);
    s->texts173 = intTable({173, 174, 175, 176, 177, 342, 346, 345});
    s->monthTexts = intTable({661, 662, 663, 664, 665, 666, 667, 668, 669, 670, 671, 672});
    s->colours7 = intTable({16777215, 65280, 255, 16776960, 16724855, 1114163, 13073});
    s->competitionNameTexts = intTable({673, 674, 229, 306, 232, 675});
    s->soundResourceIndex =
        intTable({-1, -1, -1, -1, -1, -1, 0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, -1, 12, 13, 14, 15, 16, 17});
    s->resultRewardTable = byteTable({2, 3, 2, 4, 2, 0, 1, 1, 2, 1, -2, -1, 0, 0, 0});
    s->finalTallyBonus = shortTable({50, 100, 50, 150, -50, -100, -50, -150, 50, 200, 100, 300, 50});
    s->tallyThresholds = shortTable({0, 250, 600, 1000, 2000});
    s->tableHeaderIds = intTable({322, 680, 681, 613, 682, 683, 684});
    s->table1110StoreName = runtime::getConstantString(160);
    s->values164 = intTable({1, 64, 64, 4, 1});
    s->values128 = intTable({128, 2, 32, 8, 128});
    s->values33A = byteTable({3, 3});
    s->values33B = byteTable({3, 3});
    s->constantTexts162 = constantStringTable({162, 163, 164, 165, 166});
    s->gatePrices = intTable({20, 15, 10, 5, 2});
    s->scoutCounts = intTable({20, 16, 12, 8, 4, 2});
    s->teamTalkTable = byteRows({{0, 50, 100, 3, 5},
                                 {0, 75, 100, 3, 7},
                                 {75, 100, 0, -7, -3},
                                 {50, 100, 0, -5, -3},
                                 {25, 75, 100, -7, 7},
                                 {0, 50, 100, 3, 7},
                                 {50, 75, 100, -7, 15},
                                 {25, 75, 100, -7, 10},
                                 {50, 100, 0, -7, 0},
                                 {0, 50, 100, 3, 1},
                                 {25, 75, 100, -5, 10},
                                 {50, 75, 100, -10, 5}});
    s->moraleSteps = intTable({3, 2, 2, 4, 3, 1});
    s->texts739 = intTable({739, 737, 738});
    s->ratioTable = intTable({100, 108, 140});
    s->languageCodes = constantStringTable({167, 168, 169, 170, 171, 172, 44, 173, 174, 175, 176});
    s->values01235 = byteTable({0, 1, 2, 3, 5});
    s->texts692 = intTable({692, 7, 378, 691, 380, 831, 374, 836, 832});
    s->presetByteTables = multiArray("[[[B", {2, 3, 6});
    s->texts831 = intTable({831, 373, 834, 832, 378, 692, 836, 374, 380, 691, 7, 689});
    s->developmentSkillWeights = byteRows({{1, 10, 2, 10, 2, 1, 8, 10, 16},
                                           {2, 10, 6, 10, 6, 6, 8, 6, 0},
                                           {5, 5, 8, 8, 6, 8, 8, 6, 0},
                                           {10, 1, 5, 8, 6, 10, 8, 6, 0}});
    s->developmentFlagChances = byteRows({{1, 1, 0, 0, 0, 1, 0, 5, 1, 1},
                                          {2, 2, 2, 1, 0, 5, 3, 0, 1, 1},
                                          {5, 3, 5, 5, 2, 2, 5, 0, 1, 1},
                                          {3, 5, 3, 5, 5, 1, 2, 0, 1, 1}});
    s->developmentRates = byteTable({-50, -40, -30, -20, -10, 0, 10, 20, 30, 40, 50});
    s->positionGroupTable = byteRows({{0}, {1}, {2}, {1, 2}, {3}, {1, 3}, {2, 3}, {1, 2, 3}});

    // Not among the canvas's own tables, but read by the cup matchdays and the bracket view: the
    // start of the blocks of knockout rounds 3 to 6 in cupBracket, and at [4] where the final's
    // winner goes.
    s->cupRoundStart = byteTable({0, 16, 24, 28, 30});
}

void cStateStaticInit(GameStatics* const s) {
    s->menuChoice = 1;
    s->menuState = 0;
    s->messageRecordLimit = kTransferMessageRows;
    s->stateRecordField1 = 8;
    s->stateRecordField2 = 30;
    s->stateRecordField3 = 35;
    s->stateRecordField4 = 41;
    s->stateRecordField5 = 45;
    s->stateRecordField6 = 52;
    s->stateRecordField7 = 56;
    s->stateRecordField8 = 64;
    s->stateRecordField9 = 68;
    s->stateRecordField10 = 72;
    s->stateRecordField11 = 88;
    s->stateRecordField12 = 120;
    s->stateRecordField13 = 124;
    s->stateRecordField14 = 128;
    s->stateRecordField15 = 132;
    s->stateRecordField16 = 136;
    s->stateRecordField17 = 140;
    s->stateRecordLength = 141;
    s->menuHistory = runtime::newObject<runtime::java_util_Hashtable>();

    s->menuInts9A = runtime::newIntArray(9);
    s->menuInts9B = runtime::newIntArray(9);
    s->progressFlags = runtime::newByteArray(9);
    s->menuShorts60 = runtime::newShortArray(60);
    s->menuFlags4 = runtime::newBoolArray(4);
    s->menuRefs16 = runtime::newObjectArray(16);
    s->menuRefs8 = runtime::newObjectArray(8);
    s->menuShorts3 = runtime::newShortArray(3);
    s->menuBytes199A = runtime::newByteArray(199);
    s->menuBytes30 = runtime::newByteArray(30);
    s->menuBytes199B = runtime::newByteArray(199);
    s->menuFlags6 = runtime::newBoolArray(6);
    s->squadList = runtime::newIntArray(5500);
    s->squadListAux = runtime::newIntArray(5500);
    s->messageRecords = multiArray("[[B", {kTransferMessageRows, kMessageRecordBytes});
    s->inboxRing = multiArray("[[B", {100, 27});
    s->inboxPool = multiArray("[[B", {100, 27});
    s->menuBytes1 = runtime::newByteArray(1);
    s->menuBytes100 = runtime::newByteArray(100);
    s->menuRefs20A = runtime::newObjectArray(20);
    s->menuRefs20B = runtime::newObjectArray(20);
    s->menuBytes16 = runtime::newByteArray(16);
    s->menuBytes32 = runtime::newByteArray(32);
    s->stateRecord = runtime::newByteArray(141);
    s->titleTextTable = intRows(
        {{51, 52, 92, 53, 54, 110, 193, 197, 198, 199, -1, 55, 56, 57, 58, 110, 771, 772, 868, 915, 924, 915},
         {59, 60, 61, 62, 63, 64, 65, 66, 101, 67, 68, 109},
         {60, 67, 68, 53, 54, 73, 69, 70, 71, 72, 53, 73},
         {74, 529, 530, 531, 532, 533, 536, -1, 75, -1},
         {76, 529, 530, 532, 533, 60, 531, 532, 846, 846, 847, 845, 848},
         {238, 77, 78, 79, 845, 117, 73, 111, 112, 113, -1, 115, 116, 96, 79},
         {82, 83, 84, 534, 126, 83, 85, 82, 86},
         {87, 92, 94, 95, 93},
         {55, 841, 89, 90, 91, 96, -1, 843, 841, 842, 844},
         {197, 74, 97},
         {},
         {846, 60, 98, 99, 100},
         {80, 101, 67, 68},
         {845, 67, 68},
         {131, 480, 83, 77, 77, 67, 68, 110, 110, 102, 77, 496},
         {849, 116, 83,  85,  77,  112, 103, 104, 105, 68,  77, 77,
          106, 107, 108, 110, 102, 109, 113, 111, 119, 120, 111},
         {67, 121, 67, 121, -1},
         {122, 123, 124, -1, 126, 127},
         {912, 532, 533, 531, 197, 128, 60, 529, 531, 129, 536}});
    s->softKeyFlagTable = intRows({{1, 1, 3, 3, 3, 3, 2, 2, 2, 0, 3, 3, 1, 1, 0, 3, 3, 3, 3, 2, 2, 2},
                                   {3, 2, 1, 1, 1, 1, 1, 1, 3, 1, 2, 0, 3, 1, 2},
                                   {3, 3, 1, 3, 3, 2, 3, 1, 0, 1, 3, 1},
                                   {3, 0, 0, 1, 2, 1, 0, 2, 1, 0},
                                   {3, 3, 0, 0, 0, 0, 0, 0, 3, 3, 2, 3, 3},
                                   {3, 3, 2, 3, 3, 3, 2, 2, 2, 3, 3, 3, 3, 3, 3},
                                   {3, 3, 3, 3, 2, 3, 2, 3, 3},
                                   {3, 2, 2, 2, 2},
                                   {3, 2, 2, 2, 2, 2, 2, 3, 3, 2, 2},
                                   {2, 3, 2, 2},
                                   {},
                                   {3, 2, 3, 3, 1},
                                   {3, 3, 3, 2},
                                   {3, 3, 1, 3},
                                   {3, 3, 3, 1, 2, 3, 1, 2, 3, 3, 3, 0},
                                   {3, 3, 3, 3, 3, 2, 3, 3, 3, 1, 3, 3, 1, 3, 3, 3, 1, 0, 3, 2, 0, 3, 2},
                                   {3, 1, 2, 1, 2},
                                   {2, 2, 2, 2, 2, 2},
                                   {3, 0, 0, 0, 2, 0, 0, 0, 0, 1, 2}});
    s->texts132 = intTable({132, 133, 134, 135, 136});
    s->texts173A = intTable({173, 174, 175, 176, 177, 342, 346, 345});
    s->listRowTops = intTable({240, 200, 140, 124, 160, 108, 102, 100, 100, 140});
    s->listRowPitches = intTable({80, 80, 130, 98, 50, 64, 56, 48, 48, 44});
    s->hintLineYs = intTable({726, 716, 704, 692});
    s->colours22 = intTable({4412527, 2832462, 4735855, 3156814, 6177647, 4270926, 7291754, 5122889,
                             7291732, 5122871, 2435892, 9942719, 7302723, 5129003, 5795651, 4673067,
                             4550467, 9424996, 4419434, 2838077, 7381210, 11591905});
    s->colours10 =
        intTable({4412527, 4735855, 6177647, 7291754, 7291732, 2435892, 7302723, 5795651, 4550467, 4419434});
    s->tierValues5 = intTable({-1, 10, 6, 3, 1});
    s->tierValues4 = intTable({-1, 10, 6, 3});
    s->leagueTargetTexts = intTable({203, 204, 205, 206, 307});
    s->leagueTargetTextsAlt = intTable({207, 204, 205, 208});
    s->continentalStageTexts = intTable({686, 209, 210, 211, 212, 307});
    s->cupStageTexts = intTable({687, 209, 210, 211, 212, 307});
    s->menuEmptyText = runtime::getConstantString(1);
    s->texts229 = intTable({229, 230, 231, 232});
    s->homeEntryNeighbours = shortTable({1538, 5992, 26887, 31024, -31632, 4866, 5173, 1312, 28676});
    s->menuPointerPositions = shortTable(
        {192, 136, 332, 208, 200, 432, 384, 464, 412, 322, 128, 260, 270, 300, 412, 152, 332, 528});
    s->homeEntryTexts = intTable({237, 73, 76, 846, 96, 841, 55, 82, 197, 69});
    s->homeGuideTexts = intTable({239, 921, 240, 920, 918, 919, 242, 241, 243, 244});
    s->guideEntryByStep = intTable({7, 3, 9, 1, 2, 8, 5, 4, 6});
    s->texts76 = intTable({76, 252, 25, 24});
    s->texts275 = intTable({275, 276, 277, 278, 279});
    s->texts229B = intTable({229, 230, 232});
    s->values225 = byteTable({2, 2, 5});
    s->ones5A = intTable({1, 1, 1, 1, 1});
    s->values321 = intTable({3, 2, 1});
    s->ones6A = intTable({1, 1, 1, 1, 1, 1});
    s->ones4A = intTable({1, 1, 1, 1});
    s->rankingHeaderTexts = intTable({322, 23, 76, 95});
    s->rankingColumnX = intTable({56, 160, 274, 390, 80});
    s->texts1074 = intTable({1074, 1076, 1078, 1080, 1082, 1084, 1086, 1088});
    s->texts1075 = intTable({1075, 1077, 1079, 1081, 1083, 1085, 1087, 1089});
    s->texts334 = intTable({334, 335, 336, 704, 704, 337, 338, 704});
    s->texts339 = intTable({339, 340, 341});
    s->texts173B = intTable({173, 176, 177, 174, 175, 346, 345, 349});
    s->values500 = intTable({500, 400, 300, 200, 150, 100, 10, 50});
    s->constantTexts6 = constantStringTable({1, 1, 203, 204, 204, 205});
    s->monthLengths = intTable({31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31});
    s->teamListChoiceTexts = intTable({769, 718, 434});
    s->texts247 = intTable({247, 248, 249, 352});
    s->texts353 = intTable({353, 354, 355, 356});
    s->texts307 = intTable({307, 357});
    s->texts231 = intTable({231, 229, 230, 232});
    s->jobOfferRanges = intTable({77, 72, 72, 0, 77, 72, 72, 0, 72, 0, 77, 72, 81, 78, 100, 78, 100, 81});
    s->values1150 = intTable({1, 15, 0, 2});
    s->ones7 = intTable({1, 1, 1, 1, 1, 1, 1});
    s->texts358 = intTable({358, 359, 360, 361});
    s->texts27 = intTable({27, 773, 774, 28});
    s->ratingLabelsField = intTable(
        {379, 3, 1000, 1, 380, 7, 378, 833, 834, 831, 691, 9, 375, 377, 692, 373, 374, 832, 376, 835});
    s->ratingLabelsKeeper = intTable(
        {379, 3, 1000, 7, 399, 378, 833, 834, 831, 836, 691, 9, 375, 377, 837, 373, 374, 832, 376, 835});
    s->profileSkillLabels = intTable(
        {379, 3, 1000, 1, 380, 7, 378, 833, 834, 831, 691, 9, 375, 377, 692, 373, 374, 832, 376, 835});
    s->profileKeeperSkillLabels = intTable(
        {379, 3, 1000, 7, 399, 378, 833, 834, 831, 836, 691, 9, 375, 377, 837, 373, 374, 832, 376, 835});
    s->ratingIndicesField = intTable({16, 0, 20, 1, 11, 19, 9, 15, 17, 13, 12, 21, 4, 6, 8, 2, 3, 14, 5, 18});
    s->ratingIndicesKeeper =
        intTable({16, 0, 20, 19, 8, 9, 15, 17, 13, 10, 12, 21, 4, 6, 11, 2, 3, 14, 5, 18});
    s->pageTwoLabels = intTable({381, 24, 25, 382});
    s->texts383 = intTable({383, 380, 384, 385, 694});
    s->texts386 = intTable({386, 383, 387, 388, 389, 207});
    s->texts674 = intTable({674, 229, 230});
    s->stepValues11 = intTable({1, 2, 4, 6, 8, 10, 12, 16, 24, 32, 40});
    s->coords22 = intTable({22, 196, 260, 410, 304, 460});
    s->coords156 = intTable({156, 48, 48, 78, 48, 48});
    s->coords155 = intTable({155, 62, 62, 66, 111});
    s->rgb145 = intTable({145, 208, 3});
    s->rgb217 = intTable({217, 255, 185});
    s->rgb84 = intTable({84, 84, 84});
    s->rgb150 = intTable({150, 150, 150});
    s->messageBoxLayoutFrame = shortTable({15, 16, 17});
    s->messageBoxLayoutTextBase = shortTable({178, 130, 276});
    s->messageBoxLayoutLabelY = shortTable({372, 324, 470});
    s->messageBoxLayoutArrowY = shortTable({20, -28, 118});
    s->messageBoxLayoutButtonY = shortTable({360, 312, 458});
    s->values5to11 = intTable({5, 6, 7, 8, 9, 11, 11, 11, 11});
    s->tacticsRowTexts = intTable({426, 427, 428, 429, 832, 831, 892, 893, 430, 7, 6, 431, 432});
    s->texts886A = intTable({886, 435, 887, 436});
    s->texts886B = intTable({886, 1096, 888, 437, 889, 890, 891});
    s->texts894 = intTable({894, 383, 895});
    s->texts896 = intTable({896, 383, 897});
    s->texts440 = intTable({440, 383, 434});
    s->texts898 = intTable({898, 899});
    s->instructionRowTexts = intTable({372, 426, 427, 428, 882, 438, 380, 697, 439, 883, 693, 884, 885});
    s->values13 = intTable({11, -1, 6, 7, -1, 13, 16, 14, 15, -1, -1, -1, -1});
    s->texts886C = intTable({886, 900, 901});
    s->texts886D = intTable({886, 902, 903, 437});
    s->ones6B = intTable({1, 1, 1, 1, 1, 1});
    s->ones4B = intTable({1, 1, 1, 1});
    s->texts474 = intTable({474, 475, 476});
    s->regionTexts = intTable({705, 346, 174, 176, 173, 177, 477, 345, 478});
    s->ones8 = intTable({1, 1, 1, 1, 1, 1, 1, 1});
    s->texts705 = intTable({705, 383, 406, 407, 408});
    s->order40123 = intTable({4, 0, 1, 2, 3});
    s->searchRowTexts = intTable({23, 403, 506, 507, 397, 501, 502, 503, 504, 505, 506, 507});
    s->searchPositionTexts =
        intTable({705, 419, 808, 809, 810, 811, 812, 813, 814, 815, 816, 817, 818, 819, 820});
    s->texts874 = intTable({874, 875, 876});
    s->texts173C = intTable({173, 174, 175, 176, 177, 342, 346, 345});
    s->values3 = intTable({3, 0, 842});
    s->coords64 = intTable({64, 186, 268, 194});
    s->values31 = intTable({31, 31, 28, 29, 24, 27, 16, 23, 0, 15});
    s->powersOfTwo5 = intTable({1, 2, 4, 8, 16});
    s->offsets10 = shortTable({10, -5, 12, 5, 16, 8, 18, 0});
    s->listingBands = intRows({{0, 15}, {16, 20}, {21, 25}, {26, 30}, {31, 56}});
    s->strengthLevels = intTable({66, 69, 73, 77, 80, 83});
    s->texts946 = intTable({946, 947});
    s->texts96 = intTable({96, 407});
    s->cupExpectationThresholds = byteTable({16, 8, 4, 2});
    s->continentalExpectationThresholds = byteTable({32, 16, 8, 4, 2});
    s->multiTapLetters = charRows({{48},
                                   {49},
                                   {65, 66, 67, 50},
                                   {68, 69, 70, 51},
                                   {71, 72, 73, 52},
                                   {74, 75, 76, 53},
                                   {77, 78, 79, 54},
                                   {80, 81, 82, 83, 55},
                                   {84, 85, 86, 56},
                                   {87, 88, 89, 90, 57}});
    s->alphabetLetters = charTable({65, 66, 67, 68, 69, 70, 71, 72, 73, 74, 75, 76, 77,
                                    78, 79, 80, 81, 82, 83, 84, 85, 86, 87, 88, 89, 90});
    s->numberSteps = shortTable({1, 2, 5, 10, 25, 100, 250, 500, 1000});
    s->numberThresholds = shortTable({1, 3, 10, 25, 100, 500, 2000, 5000, 10000});
    s->text279 = runtime::getConstantString(279);
    s->byteRows321 = byteRows({{3, 2, 1}, {2, 1, 1}, {3, 1, 0}});
    s->values5to40 = byteTable({5, 15, 30, 40});
    s->values25to50 = byteTable({25, 30, 35, 40, 45, 50});
    s->values15to40 = byteTable({15, 20, 25, 35, 40});
    s->ticketPriceTexts = intTable({17, 34, 50});
    s->ticketPrices = intTable({1, 1, 1, 1, 1});
    s->ticketPriceLabels = intTable({34, 34, 34, 34, 34});
    s->profileRowTexts = intRows({{130, 96, 407, 756, 67, 171}, {457, 459, 171}});
    // Free shortlist places hold -1, so player 0 is never found in an empty list.
    s->shortlist = runtime::newIntArray(menus::kShortlistCapacity);
    for (jint i = 0; i < menus::kShortlistCapacity; ++i) {
        (*s->shortlist)[i] = -1;
    }
}

void initConstantTables(GameStatics* const s) {
    s->zoneGridRow = runtime::newByteArray(21);
    s->ballPlans = multiArray("[[I", {8, 4});
    s->dribbleCandidates = multiArray("[[I", {8, 3});
    s->shortPassCandidates = multiArray("[[I", {8, 4});
    s->mediumPassCandidates = multiArray("[[I", {8, 4});
    s->throughPassCandidates = multiArray("[[I", {8, 4});
    s->longBallCandidates = multiArray("[[I", {8, 3});
    s->matchInts5A = runtime::newIntArray(5);
    s->matchInts32 = runtime::newIntArray(32);
    s->matchInts5B = runtime::newIntArray(5);
    s->matchInts10 = runtime::newIntArray(10);
    s->matchFlags10 = runtime::newBoolArray(10);
    s->directionSteps = intTable({-1, -1, 0, 1, 1, 1, 0, -1, -1, -1});
    s->matchValues15 = intTable({-5, 0, 9, -8, -2, 6, -10, -6, 3, -13, -8, 0, -14, -10, -3});
    s->matchValues10 = intTable({16, 11, 10, 4, 3, -5, -6, -9, -10, -16});
    s->turnTable = multiArray("[[I", {120, 6});
    s->matchTriples72 = multiArray("[[I", {72, 3});
    fillRow(s->matchTriples72, 10, 2);
    fillRow(s->matchTriples72, 12, -2);
    s->defendZoneBoxes = intRows({{0, 0, 0, 0, 3, 3, 3, 1, 2, 2, 3, 3, 2, 2, 3, 3, 3, 3, 1, 3, 1, 5,
                                   2, 2, 4, 3, 2, 2, 3, 1, 3, 3, 4, 3, 2, 2, 1, 5, 2, 2, 1, 1, 3, 3},
                                  {0, 0, 0, 0, 3, 3, 3, 1, 2, 2, 3, 3, 2, 2, 3, 3, 3, 3, 1, 3, 1, 5,
                                   2, 2, 2, 2, 3, 3, 1, 4, 3, 3, 2, 2, 3, 3, 1, 5, 2, 2, 1, 1, 3, 3},
                                  {0, 0, 0, 0, 2, 2, 3, 3, 2, 2, 3, 3, 2, 2, 3, 3, 2, 2, 3, 3, 1, 4,
                                   3, 1, 3, 1, 3, 3, 3, 1, 3, 3, 3, 1, 3, 3, 1, 4, 1, 3, 1, 1, 2, 2},
                                  {0, 0, 0, 0, 2, 2, 3, 3, 2, 2, 3, 3, 2, 2, 3, 3, 2, 2, 3, 3, 2, 2,
                                   3, 3, 2, 2, 3, 3, 2, 2, 3, 3, 2, 2, 3, 3, 3, 1, 3, 3, 3, 1, 3, 3},
                                  {0, 0, 0, 0, 2, 2, 3, 3, 2, 2, 3, 3, 2, 2, 3, 3, 2, 2, 3, 3, 2, 2,
                                   3, 3, 3, 1, 3, 3, 1, 3, 3, 3, 2, 2, 3, 3, 1, 1, 3, 3, 1, 1, 3, 3},
                                  {0, 0, 0, 0, 2, 2, 3, 3, 2, 2, 3, 3, 2, 2, 3, 3, 2, 2, 3, 3, 2, 2,
                                   3, 3, 2, 3, 3, 3, 2, 2, 3, 3, 2, 2, 3, 3, 3, 1, 3, 3, 1, 1, 2, 2},
                                  {0, 0, 0, 0, 2, 2, 3, 3, 2, 2, 3, 3, 2, 2, 3, 3, 2, 2, 3, 3, 2, 2,
                                   3, 3, 2, 2, 3, 3, 2, 2, 3, 3, 4, 2, 3, 1, 3, 1, 2, 2, 4, 2, 1, 3},
                                  {0, 0, 0, 0, 2, 2, 3, 3, 2, 2, 3, 3, 2, 2, 3, 3, 2, 2, 3, 3, 2, 2,
                                   3, 3, 2, 2, 3, 3, 2, 2, 3, 3, 3, 3, 2, 2, 3, 1, 2, 2, 3, 3, 2, 2},
                                  {0, 0, 0, 0, 2, 2, 3, 3, 2, 2, 3, 3, 2, 2, 3, 3, 2, 2, 3, 3, 2, 2,
                                   3, 3, 2, 2, 3, 3, 2, 2, 3, 3, 4, 2, 2, 2, 3, 1, 2, 2, 4, 2, 2, 2},
                                  {0, 0, 0, 0, 2, 2, 4, 2, 2, 1, 3, 3, 2, 2, 2, 4, 2, 2, 4, 2, 2, 2,
                                   3, 3, 3, 1, 3, 3, 2, 2, 3, 3, 2, 4, 2, 2, 2, 1, 2, 2, 2, 1, 2, 2},
                                  {0, 0, 0, 0, 2, 2, 5, 2, 3, 3, 3, 3, 2, 2, 2, 5, 5, 1, 3, 2, 2, 2,
                                   2, 2, 0, 2, 2, 2, 2, 2, 2, 2, 5, 1, 2, 3, 1, 1, 3, 2, 1, 1, 2, 3},
                                  {0, 0, 0, 0, 2, 2, 5, 2, 3, 1, 3, 3, 2, 2, 2, 5, 3, 2, 2, 1, 3, 0,
                                   3, 2, 3, 2, 4, 4, 3, 0, 2, 3, 3, 2, 1, 2, 1, 1, 3, 2, 1, 1, 2, 3},
                                  {0, 0, 0, 0, 3, 4, 3, 0, 2, 2, 3, 2, 3, 6, 1, 1, 2, 2, 2, 3, 3, 4,
                                   0, 3, 3, 2, 1, 2, 3, 4, 2, 2, 3, 2, 2, 1, 0, 1, 4, 1, 0, 1, 1, 4},
                                  {0, 0, 0, 0, 3, 5, 2, 0, 2, 2, 4, 1, 3, 2, 2, 2, 2, 2, 1, 4, 3, 5,
                                   0, 2, 2, 1, 4, 4, 2, 1, 4, 2, 2, 1, 2, 4, 1, 1, 2, 2, 1, 1, 2, 2},
                                  {0, 0, 0, 0, 2, 5, 2, 1, 2, 2, 2, 2, 3, 2, 2, 2, 2, 2, 2, 2, 2, 5,
                                   1, 2, 2, 2, 3, 2, 2, 2, 2, 3, 1, 1, 3, 3, 1, 1, 3, 2, 1, 1, 2, 3},
                                  {0, 0, 0, 0, 2, 3, 2, 1, 2, 2, 2, 2, 3, 4, 2, 2, 2, 2, 2, 2, 2, 3,
                                   1, 2, 2, 4, 2, 1, 3, 1, 3, 2, 3, 1, 2, 3, 2, 4, 1, 2, 1, 1, 2, 2},
                                  {0, 0, 0, 0, 2, 3, 2, 1, 2, 2, 3, 1, 2, 2, 3, 3, 2, 2, 1, 3, 2, 3,
                                   1, 2, 2, 2, 3, 2, 1, 1, 2, 2, 2, 2, 2, 2, 2, 2, 2, 3, 1, 1, 2, 2},
                                  {0, 0, 0, 0, 2, 4, 2, 1, 2, 2, 3, 1, 2, 1, 3, 3, 2, 2, 1, 3, 2, 4,
                                   1, 2, 1, 1, 2, 2, 2, 2, 3, 3, 2, 2, 3, 3, 1, 1, 2, 2, 1, 1, 2, 2},
                                  {0, 0, 0, 0, 2, 2, 3, 1, 2, 2, 3, 3, 2, 2, 1, 3, 4, 4, 2, 1, 2, 2,
                                   3, 3, 2, 2, 3, 3, 4, 4, 1, 2, 2, 1, 3, 2, 1, 1, 2, 2, 2, 1, 2, 3},
                                  {0, 0, 0, 0, 2, 2, 4, 1, 2, 2, 4, 4, 2, 2, 1, 4, 2, 2, 2, 2, 2, 1,
                                   4, 2, 2, 1, 2, 4, 2, 2, 2, 2, 4, 2, 2, 1, 1, 1, 2, 2, 4, 2, 1, 2},
                                  {0, 0, 0, 0, 2, 2, 4, 1, 2, 2, 3, 3, 2, 2, 1, 4, 2, 1, 4, 2, 1, 1,
                                   2, 2, 2, 2, 2, 2, 2, 1, 2, 4, 3, 2, 2, 1, 1, 1, 2, 2, 3, 2, 1, 2},
                                  {0, 0, 0, 0, 2, 2, 3, 1, 2, 1, 4, 4, 2, 2, 1, 3, 5, 3, 1, 1, 2, 2,
                                   2, 2, 2, 2, 3, 3, 2, 2, 3, 3, 2, 2, 2, 2, 5, 3, 1, 1, 1, 1, 2, 2},
                                  {0, 0, 0, 0, 2, 2, 3, 2, 2, 2, 3, 3, 2, 2, 2, 3, 3, 2, 2, 1, 2, 2,
                                   3, 2, 2, 2, 2, 2, 2, 2, 2, 3, 1, 1, 2, 2, 3, 2, 1, 2, 1, 1, 2, 2},
                                  {0, 0, 0, 0, 2, 2, 3, 2, 3, 1, 3, 3, 2, 2, 2, 3, 3, 3, 2, 1, 1, 2,
                                   2, 2, 2, 2, 3, 3, 2, 2, 3, 3, 1, 2, 2, 2, 3, 3, 1, 2, 1, 1, 2, 2}});
    s->formationChangeTable = intRows({{3, 1, 0, 0},
                                       {6, 1, -1, 4},
                                       {0, 0, 2, -1},
                                       {0, 3, -3, 4},
                                       {-2, 0, 0, 1},
                                       {-4, -1, 0, 0},
                                       {0, 0, -5, -3},
                                       {0, -3, 0, 0}});
    s->computerSubstitutions = intRows({{-1, -1, -1, -1, -1}, {-1, -1, -1, -1, -1}});
    s->values50to190 = intTable({50, 70, 90, 110, 130, 150, 170, 190});
}

} // namespace game::framework
