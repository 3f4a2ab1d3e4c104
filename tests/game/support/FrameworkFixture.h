// A runtime with the game's static block for framework tests: the sample constant pool, the
// key-queue arrays and the named scalars the class initialisers give them, a clock the test sets
// (System::currentTimeMillis), and a virtual platform clock so the canvas's sleeps pass at once.
// Scripted doubles of the framework's interfaces record, in one call log, what the framework asks
// of its neighbours; a test can attach an action to any operation by name, and the sound requests
// can be logged in the same order (captureSounds).
#pragma once

#include <functional>
#include <map>
#include <string>
#include <vector>

#include "game/core/GameStatics.h"
#include "game/core/services/ClubServices.h"
#include "game/core/services/FrameServices.h"
#include "game/core/services/ManagementServices.h"
#include "game/core/services/MatchPanelServices.h"
#include "game/core/services/MatchServices.h"
#include "game/core/services/MenuServices.h"
#include "game/core/services/PromotionServices.h"
#include "game/core/services/SpriteServices.h"
#include "game/resources/ClubRoutines.h"
#include "platform/Clock.h"
#include "platform/Service.h"
#include "runtime/Service.h"
#include "tests/runtime/SamplePoolFixture.h"

namespace game::testing {

using namespace game::core;

using runtime::jint;
using runtime::jlong;

// Every call a double received, as "name a,b", in order.
class CallLog {
public:
    // Records the call, then runs the action attached to name, if any.
    void add(const std::string& name, const std::vector<jint>& arguments = {});
    // The calls so far, then forgets them.
    std::vector<std::string> take();
    // The calls so far whose name is one of names (the others are dropped too).
    std::vector<std::string> take(const std::vector<std::string>& names);
    // Runs action every time the operation called name is called (after recording it).
    void on(const std::string& name, std::function<void()> action) { actions[name] = std::move(action); }

    std::vector<std::string> calls;

private:
    std::map<std::string, std::function<void()>> actions;
};

class ScriptedFrame final : public core::FrameServices {
public:
    explicit ScriptedFrame(CallLog& log) : log(log) {}
    void squadListLongPress() override;

private:
    CallLog& log;
};

class ScriptedMenus final : public core::MenuServices {
public:
    explicit ScriptedMenus(CallLog& log) : log(log) {}
    void updateEventList(runtime::Object* eventList) override;
    void setMenuAnimation(jint kind, jboolean force) override;
    bool listHasEntryOfType400() override { return false; }
    void updateMainMenu() override;
    void updateNewGameMenu() override;
    void updateMenu128() override;
    void updateMenu256() override;
    void updateMenu512() override;
    void updateMenu1024() override;
    void updateMenu2048() override;
    void updateMenu4096() override;
    void updateMenu8192() override;
    void updateMenu16384() override;
    void updateMenu65536() override;
    void updateMenu131072() override;
    void updateMenu524288() override;
    void updateSquadMenu() override;
    void updateMenu4194304() override;
    void updateMatchDayMenu() override;

private:
    CallLog& log;
};

class ScriptedPromotion final : public core::PromotionServices {
public:
    explicit ScriptedPromotion(CallLog& log) : log(log) {}
    void promotionPointerPressed(jint x, jint y) override;
    void promotionPointerReleased(jint x, jint y) override;
    void promotionPointerDragged(jint x, jint y) override;

private:
    CallLog& log;
};

// drawString is recorded as "drawString <text> x,y,font,anchor,palette".
class ScriptedSprites final : public core::SpriteServices {
public:
    explicit ScriptedSprites(CallLog& log) : log(log) {}
    void setAnim(sprites::ASpriteInstance* instance, jint animation, jint loops) override;
    void paintOn(sprites::ASpriteInstance* instance, profile::Graphics* g, jint x, jint y,
                 runtime::jboolean flagA, runtime::jboolean flagB, jint valueA, jint valueB) override;
    void paintFrame(sprites::ASprite* sprite, profile::Graphics* g, jint frame, jint x, jint y,
                    jint flags) override;
    void drawString(profile::Graphics* g, runtime::String* text, jint x, jint y, jint font, jint anchor,
                    jint palette) override;
    void loadResources() override;

private:
    CallLog& log;
};

class ScriptedMatch final : public core::MatchServices {
public:
    explicit ScriptedMatch(CallLog& log) : log(log) {}
    void startMatch() override;
    void paintMatchIntro() override;
    void loadMatchScreen() override;
    void paintLoadingProgress() override;
    void updateMatchClock() override;
    void updateMatch() override;
    void paintMatchView() override;
    void updateMatchPlayback() override;
    void paintMatchOverlay() override;
    void updateMatchExit() override;
    void updateAddedTimeBoard() override;
    void endSkippedPeriod() override;
    void updateMentality(match::CTeam* team) override;
    void advanceOrderEndTimes() override;
    jint actorState(runtime::Object* actor) override;
    void setViewRefresh() override;
    void copyViewRefresh() override;
    void clearEventListFlag() override;
    void copyShownScore() override;
    void applyEvent(match::CPlayer* player, jint code) override;
    void startPlayer(match::CPlayer* player, jint mode) override;

    jint firstActorState = 0;

private:
    CallLog& log;
};

// paintMessageBox is recorded as "paintMessageBox <text> a,yOffset,b,mode,c".
class ScriptedManagement final : public core::ManagementServices {
public:
    explicit ScriptedManagement(CallLog& log) : log(log) {}
    void paintScreenHeader(jint mode) override;
    void paintClockPanel(jint mode) override;
    void paintScoreLine(profile::Graphics* g, jint mode) override;
    void paintPopupBox(jint box) override;
    void paintCutCornerPanel(jint x, jint y, jint w, jint h, jint cut, jint fill, jint style) override;
    void paintFixtureBadge(jint team, jint x, jint y) override;
    void paintCellOutline(profile::Graphics* g, jint team, jint x, jint y) override;
    void paintMenuHeader(jint frameIndex, jint sub) override;
    void paintSoftKeys(jint frameIndex, jint sub) override;
    void paintMessageBox(runtime::String* text, jint unusedA, jint yOffset, jint unusedB, jint mode,
                         jint unusedC) override;
    void paintAnimatedBanner() override;
    void updatePopupArrow() override;
    void paintMessageText(jint mode) override;
    void paintSquadTable(jint side, jint visibleRows, jint mode) override;
    void paintScrollBar(jint a, jint b, jint side, jint c, jint d) override;
    void paintDetailScreen(jint side) override;
    void paintTextColumns(jint mode, jint kind, jint x, jint y, jint width, jboolean goalkeeper) override;
    void updateConfirmMenu() override;
    jboolean squadSlotsUnchanged() override;
    void checkSquadSlotChanges(jint answer) override;
    jint updateSquadPicker(jint side) override;
    jint updateSquadList(jint side) override;
    jint updateSquadGrid(jint side) override;
    void paintScrollText() override;
    void paintFramedPanel() override;
    void paintProfilePanel(jint member) override;
    void paintListRows(runtime::String* text, jint x, jint y, jboolean highlighted) override;
    void paintTabList(jint firstText, jint count, jint flags, jint mask) override;
    void paintTableScreen(jint a, jint b, jint c) override;
    void paintStatsPanel() override;
    void paintValueSelector(runtime::ByteArray* series, jint height, jint unused, jint scale,
                            jint mode) override;
    void buildValueText() override;
    void paintResultsTable() override;
    void paintOverviewScreen() override;
    void paintCaption() override;
    void paintScreenBase(jint unusedA, jboolean unusedB) override;
    void paintOptionRow(runtime::String* label, runtime::String* value, jint x, jint y, jint valueX,
                        jboolean arrows, jboolean dropByFont, jboolean highlighted) override;
    void updateClubChooser(runtime::ShortArray* candidates) override;
    void paintOfferSheet(jint player) override;
    void paintScrollTable(runtime::ShortArray* clubs, jint count, jint kind, jint yShift) override;
    void paintCupBracket(jint mode, runtime::ShortArray* placeClubs, jboolean blink, jint round) override;
    void paintValuePopup(runtime::ByteArray* flags, jint kind) override;
    void paintDetailPages() override;
    void copySquadSlots(runtime::ByteArray* record) override;
    void paintMatchReport() override;
    void paintParticlesCondition1() override;
    void paintParticlesCondition2() override;
    void updateHintPopup(runtime::String* text) override;
    void paintTitleText(jint unusedA, jint yOffset, jint unusedB) override;
    // What the squad picker, list and grid answer (finished when non-zero) and the slots test.
    jint subScreenDone = 1;
    jboolean slotsUnchanged = 1;

private:
    CallLog& log;
};

// The statistics panel's neighbours: the header set-up is recorded, every team has 0 goals.
class ScriptedMatchPanel final : public core::MatchPanelServices {
public:
    explicit ScriptedMatchPanel(CallLog& log) : log(log) {}
    void prepareFixtureHeader() override;
    jint teamGoals(match::CTeam* team) override;

private:
    CallLog& log;
};

class ScriptedClub final : public resources::ClubRoutines {
public:
    explicit ScriptedClub(CallLog& log) : log(log) {}
    void saveOrLoadGameRecord(runtime::jboolean save) override;

private:
    CallLog& log;
};

// Installs every double for its lifetime.
class ScriptedNeighbours {
public:
    CallLog log;
    ScriptedFrame frame{log};
    ScriptedMenus menus{log};
    ScriptedPromotion promotion{log};
    ScriptedSprites sprites{log};
    ScriptedMatch match{log};
    ScriptedManagement management{log};
    ScriptedClub club{log};
    ScriptedMatchPanel matchPanel{log};

private:
    runtime::ScopedService<core::FrameServices> frameScope{&core::installFrameServices, frame};
    runtime::ScopedService<core::MenuServices> menusScope{&core::installMenuServices, menus};
    runtime::ScopedService<core::PromotionServices> promotionScope{&core::installPromotionServices,
                                                                   promotion};
    runtime::ScopedService<core::SpriteServices> spritesScope{&core::installSpriteServices, sprites};
    runtime::ScopedService<core::MatchServices> matchScope{&core::installMatchServices, match};
    runtime::ScopedService<core::ManagementServices> managementScope{&core::installManagementServices,
                                                                     management};
    runtime::ScopedService<core::ClubServices> clubScope{&core::installClubServices, club};
    runtime::ScopedService<core::MatchPanelServices> matchPanelScope{&core::installMatchPanelServices,
                                                                     matchPanel};
};

// Makes the console (systemOut) add "playSound <id>" to log for every sound request, in call order.
void captureSounds(CallLog& log);

class FrameworkFixture : public runtime::SamplePoolFixture {
protected:
    void SetUp() override;
    void TearDown() override;

    GameStatics* block() { return statics(); }
    // The milliseconds System::currentTimeMillis answers.
    static jlong now;

    platform::VirtualClock platformClock{0, 0};
    ScriptedNeighbours neighbours;

private:
    platform::ScopedService<platform::Clock> clockScope{&platform::installClock, platformClock};
};

// Sets the press and release state of the touch as the canvas slots leave it in a frame.
void touchReleasedAt(jint x, jint y);
void touchHeldAt(jint x, jint y);

} // namespace game::testing
