// The framework tests' runtime and scripted neighbours (see FrameworkFixture.h).
#include "tests/game/support/FrameworkFixture.h"

#include "runtime/Arrays.h"
#include "runtime/ClassTable.h"
#include "runtime/ObjectManager.h"
#include "runtime/System.h"
#include "tests/support/RuntimeValues.h"
#include "tests/support/SoundRequests.h"

namespace game::testing {

namespace {
// The key ring and its time stamps (one per key bit) as the canvas's class initialiser creates them.
constexpr jint kKeyQueueLength = 6;
constexpr jint kKeyBits = 28;

std::string textArgument(runtime::String* text) {
    return text != nullptr ? testing_support::textOf(text) : "null";
}
} // namespace

jlong FrameworkFixture::now = 0;

void CallLog::add(const std::string& name, const std::vector<jint>& arguments) {
    std::string call = name;
    for (std::size_t i = 0; i < arguments.size(); ++i) {
        call += (i == 0 ? " " : ",") + std::to_string(arguments[i]);
    }
    calls.push_back(call);
    const std::string bare = name.substr(0, name.find(' '));
    if (const auto found = actions.find(bare); found != actions.end()) {
        found->second();
    }
}

std::vector<std::string> CallLog::take() {
    std::vector<std::string> taken;
    taken.swap(calls);
    return taken;
}

std::vector<std::string> CallLog::take(const std::vector<std::string>& names) {
    std::vector<std::string> kept;
    for (const std::string& call : take()) {
        const std::string bare = call.substr(0, call.find(' '));
        for (const std::string& name : names) {
            if (bare == name) {
                kept.push_back(call);
                break;
            }
        }
    }
    return kept;
}

void ScriptedFrame::squadListLongPress() {
    log.add("squadListLongPress");
}

void ScriptedMatchPanel::prepareFixtureHeader() {
    log.add("prepareFixtureHeader");
}

jint ScriptedMatchPanel::teamGoals(match::CTeam* /*team*/) {
    return 0;
}

void ScriptedMenus::updateEventList(runtime::Object* /*eventList*/) {
    log.add("updateEventList");
}

void ScriptedMenus::setMenuAnimation(const jint kind, const jboolean force) {
    log.add("setMenuAnimation", {kind, force});
}

void ScriptedMenus::updateMainMenu() {
    log.add("updateMainMenu");
}

void ScriptedMenus::updateNewGameMenu() {
    log.add("updateNewGameMenu");
}

void ScriptedMenus::updateMenu128() {
    log.add("updateMenu128");
}

void ScriptedMenus::updateMenu256() {
    log.add("updateMenu256");
}

void ScriptedMenus::updateMenu512() {
    log.add("updateMenu512");
}

void ScriptedMenus::updateMenu1024() {
    log.add("updateMenu1024");
}

void ScriptedMenus::updateMenu2048() {
    log.add("updateMenu2048");
}

void ScriptedMenus::updateMenu4096() {
    log.add("updateMenu4096");
}

void ScriptedMenus::updateMenu8192() {
    log.add("updateMenu8192");
}

void ScriptedMenus::updateMenu16384() {
    log.add("updateMenu16384");
}

void ScriptedMenus::updateMenu65536() {
    log.add("updateMenu65536");
}

void ScriptedMenus::updateMenu131072() {
    log.add("updateMenu131072");
}

void ScriptedMenus::updateMenu524288() {
    log.add("updateMenu524288");
}

void ScriptedMenus::updateSquadMenu() {
    log.add("updateSquadMenu");
}

void ScriptedMenus::updateMenu4194304() {
    log.add("updateMenu4194304");
}

void ScriptedMenus::updateMatchDayMenu() {
    log.add("updateMatchDayMenu");
}

void ScriptedPromotion::promotionPointerPressed(const jint x, const jint y) {
    log.add("promotionPointerPressed", {x, y});
}

void ScriptedPromotion::promotionPointerReleased(const jint x, const jint y) {
    log.add("promotionPointerReleased", {x, y});
}

void ScriptedPromotion::promotionPointerDragged(const jint x, const jint y) {
    log.add("promotionPointerDragged", {x, y});
}

void ScriptedSprites::setAnim(sprites::ASpriteInstance* /*instance*/, const jint animation,
                              const jint loops) {
    log.add("setAnim", {animation, loops});
}

void ScriptedSprites::paintOn(sprites::ASpriteInstance* /*instance*/, profile::Graphics* /*g*/, const jint x,
                              const jint y, const runtime::jboolean flagA, const runtime::jboolean flagB,
                              const jint valueA, const jint valueB) {
    log.add("paintOn", {x, y, flagA, flagB, valueA, valueB});
}

void ScriptedSprites::paintFrame(sprites::ASprite* /*sprite*/, profile::Graphics* /*g*/, const jint frame,
                                 const jint x, const jint y, const jint flags) {
    log.add("paintFrame", {frame, x, y, flags});
}

void ScriptedSprites::drawString(profile::Graphics* /*g*/, runtime::String* text, const jint x, const jint y,
                                 const jint font, const jint anchor, const jint palette) {
    log.add("drawString " + textArgument(text), {x, y, font, anchor, palette});
}

void ScriptedSprites::loadResources() {
    log.add("loadResources");
}

void ScriptedMatch::startMatch() {
    log.add("startMatch");
}

void ScriptedMatch::paintMatchIntro() {
    log.add("paintMatchIntro");
}

void ScriptedMatch::loadMatchScreen() {
    log.add("loadMatchScreen");
}

void ScriptedMatch::paintLoadingProgress() {
    log.add("paintLoadingProgress");
}

void ScriptedMatch::updateMatchClock() {
    log.add("updateMatchClock");
}

void ScriptedMatch::updateMatch() {
    log.add("updateMatch");
}

void ScriptedMatch::paintMatchView() {
    log.add("paintMatchView", {statics()->inMatchTick});
}

void ScriptedMatch::updateMatchPlayback() {
    log.add("updateMatchPlayback");
}

void ScriptedMatch::paintMatchOverlay() {
    log.add("paintMatchOverlay");
}

void ScriptedMatch::updateMatchExit() {
    log.add("updateMatchExit");
}

void ScriptedMatch::updateAddedTimeBoard() {
    log.add("updateAddedTimeBoard");
}

void ScriptedMatch::endSkippedPeriod() {
    log.add("endSkippedPeriod");
}

void ScriptedMatch::updateMentality(match::CTeam* /*team*/) {
    log.add("updateMentality");
}

void ScriptedMatch::advanceOrderEndTimes() {
    log.add("advanceOrderEndTimes");
}

jint ScriptedMatch::actorState(runtime::Object* /*actor*/) {
    log.add("actorState");
    return firstActorState;
}

void ScriptedMatch::setViewRefresh() {
    log.add("setViewRefresh");
}

void ScriptedMatch::copyViewRefresh() {
    log.add("copyViewRefresh");
}

void ScriptedMatch::clearEventListFlag() {
    log.add("clearEventListFlag");
}

void ScriptedMatch::copyShownScore() {
    log.add("copyShownScore");
}

void ScriptedMatch::applyEvent(match::CPlayer* /*player*/, const jint code) {
    log.add("applyEvent", {code});
}

void ScriptedMatch::startPlayer(match::CPlayer* /*player*/, const jint mode) {
    log.add("startPlayer", {mode});
}

void ScriptedManagement::paintScreenHeader(const jint mode) {
    log.add("paintScreenHeader", {mode});
}

void ScriptedManagement::paintClockPanel(const jint mode) {
    log.add("paintClockPanel", {mode});
}

void ScriptedManagement::paintScoreLine(profile::Graphics* /*g*/, const jint mode) {
    log.add("paintScoreLine", {mode});
}

void ScriptedManagement::paintPopupBox(const jint box) {
    log.add("paintPopupBox", {box});
}

void ScriptedManagement::paintCutCornerPanel(const jint x, const jint y, const jint w, const jint h,
                                             const jint cut, const jint fill, const jint style) {
    log.add("paintCutCornerPanel", {x, y, w, h, cut, fill, style});
}

void ScriptedManagement::paintFixtureBadge(const jint team, const jint x, const jint y) {
    log.add("paintFixtureBadge", {team, x, y});
}

void ScriptedManagement::paintCellOutline(profile::Graphics* /*g*/, const jint team, const jint x,
                                          const jint y) {
    log.add("paintCellOutline", {team, x, y});
}

void ScriptedManagement::paintMenuHeader(const jint frameIndex, const jint sub) {
    log.add("paintMenuHeader", {frameIndex, sub});
}

void ScriptedManagement::paintSoftKeys(const jint frameIndex, const jint sub) {
    log.add("paintSoftKeys", {frameIndex, sub});
}

void ScriptedManagement::paintMessageBox(runtime::String* text, const jint unusedA, const jint yOffset,
                                         const jint unusedB, const jint mode, const jint unusedC) {
    log.add("paintMessageBox " + textArgument(text), {unusedA, yOffset, unusedB, mode, unusedC});
}

void ScriptedManagement::paintAnimatedBanner() {
    log.add("paintAnimatedBanner");
}

void ScriptedManagement::updatePopupArrow() {
    log.add("updatePopupArrow");
}

void ScriptedManagement::paintMessageText(const jint mode) {
    log.add("paintMessageText", {mode});
}

void ScriptedManagement::paintSquadTable(const jint side, const jint visibleRows, const jint mode) {
    log.add("paintSquadTable", {side, visibleRows, mode});
}

void ScriptedManagement::paintScrollBar(const jint a, const jint b, const jint side, const jint c,
                                        const jint d) {
    log.add("paintScrollBar", {a, b, side, c, d});
}

void ScriptedManagement::paintDetailScreen(const jint side) {
    log.add("paintDetailScreen", {side});
}

void ScriptedManagement::paintTextColumns(const jint mode, const jint kind, const jint x, const jint y,
                                          const jint width, const jboolean goalkeeper) {
    log.add("paintTextColumns", {mode, kind, x, y, width, goalkeeper});
}

void ScriptedManagement::updateConfirmMenu() {
    log.add("updateConfirmMenu");
}

jboolean ScriptedManagement::squadSlotsUnchanged() {
    log.add("squadSlotsUnchanged");
    return slotsUnchanged;
}

void ScriptedManagement::checkSquadSlotChanges(const jint answer) {
    log.add("checkSquadSlotChanges", {answer});
}

jint ScriptedManagement::updateSquadPicker(const jint side) {
    log.add("updateSquadPicker", {side});
    return subScreenDone;
}

jint ScriptedManagement::updateSquadList(const jint side) {
    log.add("updateSquadList", {side});
    return subScreenDone;
}

jint ScriptedManagement::updateSquadGrid(const jint side) {
    log.add("updateSquadGrid", {side});
    return subScreenDone;
}

void ScriptedManagement::paintScrollText() {
    log.add("paintScrollText");
}

void ScriptedManagement::paintFramedPanel() {
    log.add("paintFramedPanel");
}

void ScriptedManagement::paintProfilePanel(const jint member) {
    log.add("paintProfilePanel", {member});
}

void ScriptedManagement::paintListRows(runtime::String* text, const jint x, const jint y,
                                       const jboolean highlighted) {
    log.add("paintListRows " + textArgument(text), {x, y, highlighted});
}

void ScriptedManagement::paintTabList(const jint firstText, const jint count, const jint flags,
                                      const jint mask) {
    log.add("paintTabList", {firstText, count, flags, mask});
}

void ScriptedManagement::paintTableScreen(const jint a, const jint b, const jint c) {
    log.add("paintTableScreen", {a, b, c});
}

void ScriptedManagement::paintStatsPanel() {
    log.add("paintStatsPanel");
}

void ScriptedManagement::paintValueSelector(runtime::ByteArray* /*series*/, const jint height,
                                            const jint unused, const jint scale, const jint mode) {
    log.add("paintValueSelector", {height, unused, scale, mode});
}

void ScriptedManagement::buildValueText() {
    log.add("buildValueText");
}

void ScriptedManagement::paintResultsTable() {
    log.add("paintResultsTable");
}

void ScriptedManagement::paintOverviewScreen() {
    log.add("paintOverviewScreen");
}

void ScriptedManagement::paintCaption() {
    log.add("paintCaption");
}

// The new operations record their numbers; texts and arrays only by whether they are there.
void ScriptedManagement::paintScreenBase(const jint unusedA, const jboolean unusedB) {
    log.add("paintScreenBase", {unusedA, unusedB});
}

void ScriptedManagement::paintOptionRow(runtime::String* /*label*/, runtime::String* /*value*/, const jint x,
                                        const jint y, const jint valueX, const jboolean arrows,
                                        const jboolean dropByFont, const jboolean highlighted) {
    log.add("paintOptionRow", {x, y, valueX, arrows, dropByFont, highlighted});
}

void ScriptedManagement::updateClubChooser(runtime::ShortArray* candidates) {
    log.add("updateClubChooser", {candidates != nullptr ? candidates->length : -1});
}

void ScriptedManagement::paintOfferSheet(const jint player) {
    log.add("paintOfferSheet", {player});
}

void ScriptedManagement::paintScrollTable(runtime::ShortArray* clubs, const jint count, const jint kind,
                                          const jint yShift) {
    log.add("paintScrollTable", {clubs != nullptr ? 1 : 0, count, kind, yShift});
}

void ScriptedManagement::paintCupBracket(const jint mode, runtime::ShortArray* placeClubs,
                                         const jboolean blink, const jint round) {
    log.add("paintCupBracket", {mode, placeClubs != nullptr ? 1 : 0, blink, round});
}

void ScriptedManagement::paintValuePopup(runtime::ByteArray* flags, const jint kind) {
    log.add("paintValuePopup", {flags != nullptr ? flags->length : -1, kind});
}

void ScriptedManagement::paintDetailPages() {
    log.add("paintDetailPages");
}

void ScriptedManagement::copySquadSlots(runtime::ByteArray* record) {
    log.add("copySquadSlots", {record != nullptr ? record->length : -1});
}

void ScriptedManagement::paintMatchReport() {
    log.add("paintMatchReport");
}

void ScriptedManagement::paintParticlesCondition1() {
    log.add("paintParticlesCondition1");
}

void ScriptedManagement::paintParticlesCondition2() {
    log.add("paintParticlesCondition2");
}

void ScriptedManagement::updateHintPopup(runtime::String* text) {
    log.add("updateHintPopup " + textArgument(text));
}

void ScriptedManagement::paintTitleText(const jint unusedA, const jint yOffset, const jint unusedB) {
    log.add("paintTitleText", {unusedA, yOffset, unusedB});
}

void ScriptedClub::saveOrLoadGameRecord(const runtime::jboolean save) {
    log.add("saveOrLoadGameRecord", {save});
}

void captureSounds(CallLog& log) {
    testing_support::reportSoundRequests(
        [](void* context, const jint id) { static_cast<CallLog*>(context)->add("playSound", {id}); }, &log);
}

void FrameworkFixture::SetUp() {
    SamplePoolFixture::SetUp();
    // The game's block in place of the plain one, keeping the pool.
    runtime::ObjectArray* pool = application.staticClass->constantPool;
    runtime::freeRefFieldLists();
    delete application.staticClass;
    application.staticClass = runtime::createStaticBlock<GameStatics>();
    runtime::initClassTable(application.staticClass);
    GameStatics* statics = block();
    statics->constantPool = pool;
    statics->keyQueue = runtime::newIntArray(kKeyQueueLength);
    statics->keyPressTicks = runtime::newLongArray(kKeyBits);
    statics->gameRunning = 1;
    statics->topState = 1;
    statics->matchCommand = -1;
    statics->menuChoice = 1;
    now = 0;
    runtime::System::setClock([] { return now; });
}

void FrameworkFixture::TearDown() {
    runtime::System::setClock(nullptr);
    SamplePoolFixture::TearDown();
}

void touchReleasedAt(const jint x, const jint y) {
    GameStatics* block = statics();
    block->touchDown = 0;
    block->touchReleased = 1;
    block->pointerReleaseX = x;
    block->pointerReleaseY = y;
}

void touchHeldAt(const jint x, const jint y) {
    GameStatics* block = statics();
    block->touchDown = 1;
    block->touchPressedNow = 1;
    block->pointerPressX = x;
    block->pointerPressY = y;
}

} // namespace game::testing
