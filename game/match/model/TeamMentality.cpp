// The team's mentality (CTeam::updateMentality, CPlayer.h): the user's first team changes it by
// keys and touch buttons in a match and by the squad screen's control in the menus; every team
// derives its attack and defence shares and its lines from the value in use.
#include "game/core/GameStatics.h"
#include "game/core/Input.h"
#include "game/core/KeyMasks.h"
#include "game/core/TopStates.h"
#include "game/core/services/InformationScreenServices.h"
#include "game/match/CPlayer.h"

namespace game::match {

namespace {

constexpr jint kMentalities = 5;
constexpr jint kHighestMentality = kMentalities - 1;
// The in-match keys: down 128, up 2; the squad screen's: 64 and 4 (wrapping).
constexpr jint kMatchKeyDown = 128;
constexpr jint kMatchKeyUp = 2;
constexpr jint kMenuKeyDown = 64;
constexpr jint kMenuKeyUp = 4;
// The two touch buttons under the pitch (x, y, w, h): down at 217, up at 168.
constexpr jint kButtonY = 598;
constexpr jint kButtonWidth = 49;
constexpr jint kButtonHeight = 50;
constexpr jint kDownButtonX = 217;
constexpr jint kUpButtonX = 168;
// The ids the view shows as pressed (keys and touch give them the other way round).
constexpr jint kPressedA = 156;
constexpr jint kPressedB = 157;
// The squad screen's arrows: left and right x, rows from y 162 every 50.
constexpr jint kArrowLeftX = 204;
constexpr jint kArrowRightX = 438;
constexpr jint kArrowTopY = 162;
constexpr jint kRowHeight = 50;
// defensiveSetting by mentality; attackingSetting is 10 less it.
constexpr jint kDefensiveSettings[kMentalities] = {0, 3, 5, 7, 10};
constexpr jint kShares = 10;
constexpr jint kEvenShare = 5;

bool touchReleasedIn(const jint x) {
    return statics()->touchReleased && core::pointerInRect(x, kButtonY, kButtonWidth, kButtonHeight);
}

void readMatchInput(CTeam* team) {
    GameStatics* s = statics();
    // The key tests carry the input lock themselves (a held touch, a moving menu choice).
    if (core::isKeyPressed(kMatchKeyDown) && team->mentality > 0) {
        s->matchCommand = kPressedB;
    } else if (core::isKeyPressed(kMatchKeyUp) && team->mentality < kHighestMentality) {
        s->matchCommand = kPressedA;
    }
    team->mentality = core::informationScreenServices().stepValueByKeys(kMatchKeyDown, kMatchKeyUp,
                                                                        team->mentality, kMentalities, 0);
    if (touchReleasedIn(kDownButtonX) && team->mentality >= 1) {
        s->matchCommand = kPressedA;
        s->redrawAll = 1;
        --team->mentality;
    } else if (touchReleasedIn(kUpButtonX) && team->mentality < kHighestMentality) {
        s->matchCommand = kPressedB;
        s->redrawAll = 1;
        ++team->mentality;
    }
}

void readMenuInput(CTeam* team) {
    const jint row = statics()->menuSelection;
    if (row != 0) {
        return;
    }
    team->mentality = core::informationScreenServices().cycleValueByKeys(kMenuKeyDown, kMenuKeyUp,
                                                                         team->mentality, kMentalities, 0);
    team->mentality = core::touchArrowSelect(kArrowLeftX, kArrowRightX, row * kRowHeight + kArrowTopY,
                                             team->mentality, kMentalities, false);
}

} // namespace

void CTeam::updateMentality() {
    GameStatics* s = statics();
    if (teamIndex == 0) {
        if (s->topState != core::kTopStateMenus) {
            readMatchInput(this);
        } else {
            readMenuInput(this);
        }
        mentalityInUse = mentality;
    }
    // A value outside the table (nothing here makes one) leaves the shares as they were.
    if (mentalityInUse >= 0 && mentalityInUse < kMentalities) {
        defensiveSetting = kDefensiveSettings[mentalityInUse];
        attackingSetting = kShares - defensiveSetting;
    }
    defensiveLine = (kEvenShare - defensiveSetting) * 2;
    attackingLine = (attackingSetting - kEvenShare) * 2;
    if (s->topState == core::kTopStateMatch && s->ball != nullptr) {
        computeShape(toCell(s->ball->x), toCell(s->ball->y));
    }
}

} // namespace game::match
