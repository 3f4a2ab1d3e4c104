// The player action result screen (see PlayerActionResult.h).
#include "game/screens/menus/PlayerActionResult.h"

#include "game/core/GameStatics.h"
#include "game/core/Input.h"
#include "game/core/TextPackage.h"
#include "game/core/services/MenuStateServices.h"
#include "game/core/services/SeasonScreenServices.h"
#include "game/match/team/MatchSide.h"
#include "game/screens/menus/PlaceholderFormat.h"
#include "game/sprites/TextBoxes.h"
#include "runtime/ConstantPool.h"
#include "runtime/Log.h"
#include "runtime/String.h"
#include "runtime/System.h"

namespace game::menus {

namespace {

using runtime::jint;
using runtime::String;

// Results, as the entering screen sets lastPlayerAction.
constexpr jint kResultRelease = 4;
constexpr jint kResultContractOffer = 5;
constexpr jint kResultFormReset = 6;
constexpr jint kResultLastListed = 3;

constexpr jint kActionCounter = 772; // club plan byte: actions of the second list this month
constexpr jint kActionLimit = 9;

constexpr jint kEmpty = 1; // constant strings
constexpr jint kJoin = 124;
constexpr jint kNameMarker = 202;
constexpr jint kPlayerMarker = 216;
constexpr jint kFormHeadline = 217;
constexpr jint kFormBody = 218;
constexpr jint kDoneMarker = 219;

constexpr jint kTextDone = 464;
constexpr jint kTextNotDone = 465;
constexpr jint kTextReleased = 462;
constexpr jint kTextOffered = 463;
constexpr jint kTextLastListedHead = 470;
constexpr jint kTextLastListedBody = 471;
constexpr jint kTextLimitHead = 472;
constexpr jint kTextLimitBody = 473;
// Headline and body texts of results 0..2.
constexpr jint kHeadTexts[] = {457, 458, 468};
constexpr jint kBodyTexts[] = {466, 467, 469};

constexpr jint kCentreX = 240;
constexpr jint kHeadlineY = 120;
constexpr jint kBodyY = 180;
constexpr jint kBodyLineHeight = 18;
constexpr jint kCentred = 2;
constexpr jint kRightSoftKey = 4096;

constexpr jint kStateAfterRelease = 1037;
constexpr jint kStateSeasonList = 74;
constexpr jint kStateSeasonListShown = 72;
constexpr jint kStateMessages = 133;
constexpr jint kStateOfferFromSquad = 1048584;
constexpr jint kStateSquadTable = 1048586;
constexpr jint kStateTeamMenu = 513;

String* constant(const jint n) {
    return runtime::getConstantString(n);
}

String* playerName(const jint player) {
    return core::seasonScreenServices().getPlayerLabel(player);
}

struct Lines {
    String* headline;
    String* body;
};

// Both lines by the result; the action counter at its limit overrides results 0..3 (and any
// unknown value) with the limit notice.
Lines resultLines(const GameStatics* const s) {
    const jint action = s->lastPlayerAction;
    if (action == kResultRelease || action == kResultContractOffer) {
        String* const named = joinTexts({playerName(s->chosenPlayer), constant(kJoin)});
        String* const text = core::getText(action == kResultRelease ? kTextReleased : kTextOffered);
        return {constant(kEmpty),
                joinTexts({constant(kEmpty), formatWithValue(text, constant(kPlayerMarker), named)})};
    }
    if (action == kResultFormReset) {
        String* const named = joinTexts({playerName(s->chosenPlayer), constant(kJoin)});
        return {constant(kFormHeadline), joinTexts({constant(kEmpty), named, constant(kFormBody)})};
    }
    if ((*s->selectionTable)[kActionCounter] >= kActionLimit) {
        return {core::getText(kTextLimitHead), core::getText(kTextLimitBody)};
    }
    if (action < 0 || action > kResultLastListed) {
        return {constant(kEmpty), constant(kEmpty)};
    }
    const bool done = s->actionDone != 0;
    String* const doneText = core::getText(done ? kTextDone : kTextNotDone);
    if (action == kResultLastListed) {
        String* const headline =
            formatWithValue(core::getText(kTextLastListedHead), constant(kDoneMarker), doneText);
        if (!done) {
            return {headline, constant(kEmpty)};
        }
        return {headline, formatWithValue(core::getText(kTextLastListedBody), constant(kNameMarker),
                                          playerName(s->chosenPlayer))};
    }
    String* const headline = joinTexts({core::getText(kHeadTexts[action]), constant(kJoin), doneText});
    if (!done) {
        return {headline, constant(kEmpty)};
    }
    return {headline, joinTexts({constant(kEmpty), core::getText(kBodyTexts[action])})};
}

// The reported player leaves the list of state 72. Only an index inside the list is removed, and
// the count never drops below 0, so a stale index cannot shift foreign entries or go negative.
void removeReportedPlayer(GameStatics* const s) {
    const jint index = s->squadListChosenIndex;
    const jint count = s->squadListCount;
    if (index < 0 || index >= count) {
        runtime::log("showPlayerActionResult: chosen index %d outside the list of %d; list kept", index,
                     count);
    } else {
        runtime::System::arraycopy(s->squadList, index + 1, s->squadList, index, count - index - 1);
        s->squadListCount = count - 1;
    }
    core::menuStateServices().setMenuState(s->squadListCount > 0 ? kStateSeasonListShown : kStateMessages);
    if (s->menuSelection > 0) {
        --s->menuSelection;
    }
    s->squadViewMode = 0;
}

void leave(GameStatics* const s) {
    if (s->lastPlayerAction == kResultRelease) {
        core::menuStateServices().setMenuState(kStateAfterRelease);
        return;
    }
    if (s->menuState == kStateSeasonList) {
        removeReportedPlayer(s);
        return;
    }
    if (core::menuStateServices().applyPendingMenuState()) {
        s->squadOverlayActive = 0;
        return;
    }
    core::menuStateServices().setMenuState(s->previousMenuState == kStateOfferFromSquad ? kStateSquadTable
                                                                                        : kStateTeamMenu);
}

} // namespace

void showPlayerActionResult() {
    GameStatics* const s = statics();
    const Lines lines = resultLines(s);
    if (s->lastPlayerAction == kResultRelease) {
        match::setUpMatchSide(0, s->userTeam);
    }
    if (lines.headline != nullptr) {
        sprites::drawFontLine(lines.headline, 0, lines.headline->length(), kCentreX, kHeadlineY, kCentred, 0,
                              0);
    }
    sprites::drawTextBoxPlain(lines.body, kCentreX, kBodyY, kBodyLineHeight, 0, kCentred, 0, -1);
    if (!core::isKeyPressed(kRightSoftKey)) {
        return;
    }
    leave(s);
}

} // namespace game::menus
