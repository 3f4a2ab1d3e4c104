// The interim management screen painters (see InterimManagementServices.h).
#include "game/interim/InterimManagementServices.h"

#include "game/core/GameStatics.h"
#include "game/interim/InterimLog.h"

namespace game::interim {

namespace {
void noPainter() {
    logFirstCall("the management screens' painters (paint nothing)");
}
} // namespace

void InterimManagementServices::paintScreenHeader(runtime::jint /*mode*/) {
    noPainter();
}

void InterimManagementServices::paintClockPanel(runtime::jint /*mode*/) {
    noPainter();
}

void InterimManagementServices::paintScoreLine(profile::Graphics* /*g*/, runtime::jint /*mode*/) {
    noPainter();
}

void InterimManagementServices::paintPopupBox(runtime::jint /*box*/) {
    noPainter();
}

void InterimManagementServices::paintCutCornerPanel(runtime::jint /*x*/, runtime::jint /*y*/,
                                                    runtime::jint /*w*/, runtime::jint /*h*/,
                                                    runtime::jint /*cut*/, runtime::jint /*fill*/,
                                                    runtime::jint /*style*/) {
    noPainter();
}

void InterimManagementServices::paintFixtureBadge(runtime::jint /*team*/, runtime::jint /*x*/,
                                                  runtime::jint /*y*/) {
    noPainter();
}

void InterimManagementServices::paintCellOutline(profile::Graphics* /*g*/, runtime::jint /*team*/,
                                                 runtime::jint /*x*/, runtime::jint /*y*/) {
    noPainter();
}

void InterimManagementServices::paintMenuHeader(runtime::jint /*frameIndex*/, runtime::jint /*sub*/) {
    noPainter();
}

void InterimManagementServices::paintSoftKeys(runtime::jint /*frameIndex*/, runtime::jint /*sub*/) {
    noPainter();
}

void InterimManagementServices::paintMessageBox(runtime::String* /*text*/, runtime::jint /*unusedA*/,
                                                runtime::jint /*yOffset*/, runtime::jint /*unusedB*/,
                                                const runtime::jint mode, runtime::jint /*unusedC*/) {
    logFirstCall("paintMessageBox (paints nothing; the highlight arrives at once)");
    GameStatics* block = statics();
    block->menuItemCount = mode;
    block->menuChoiceShown = block->menuChoice;
    block->menuChoiceMoving = 0;
}

void InterimManagementServices::paintAnimatedBanner() {
    noPainter();
}

void InterimManagementServices::updatePopupArrow() {
    noPainter();
}

void InterimManagementServices::paintMessageText(runtime::jint /*mode*/) {
    noPainter();
}

void InterimManagementServices::paintSquadTable(runtime::jint /*side*/, runtime::jint /*visibleRows*/,
                                                runtime::jint /*mode*/) {
    noPainter();
}

void InterimManagementServices::paintScrollBar(runtime::jint /*a*/, runtime::jint /*b*/,
                                               runtime::jint /*side*/, runtime::jint /*c*/,
                                               runtime::jint /*d*/) {
    noPainter();
}

void InterimManagementServices::paintDetailScreen(runtime::jint /*side*/) {
    noPainter();
}

void InterimManagementServices::paintTextColumns(runtime::jint /*mode*/, runtime::jint /*kind*/,
                                                 runtime::jint /*x*/, runtime::jint /*y*/,
                                                 runtime::jint /*width*/, runtime::jboolean /*goalkeeper*/) {
    noPainter();
}

void InterimManagementServices::updateConfirmMenu() {
    noPainter();
}

runtime::jboolean InterimManagementServices::squadSlotsUnchanged() {
    noPainter();
    return 1;
}

void InterimManagementServices::checkSquadSlotChanges(runtime::jint /*answer*/) {
    noPainter();
}

runtime::jint InterimManagementServices::updateSquadPicker(runtime::jint /*side*/) {
    noPainter();
    return 1;
}

runtime::jint InterimManagementServices::updateSquadList(runtime::jint /*side*/) {
    noPainter();
    return 1;
}

runtime::jint InterimManagementServices::updateSquadGrid(runtime::jint /*side*/) {
    noPainter();
    return 1;
}

void InterimManagementServices::paintScrollText() {
    noPainter();
}

void InterimManagementServices::paintFramedPanel() {
    noPainter();
}

void InterimManagementServices::paintProfilePanel(runtime::jint /*member*/) {
    noPainter();
}

void InterimManagementServices::paintListRows(runtime::String* /*text*/, runtime::jint /*x*/,
                                              runtime::jint /*y*/, runtime::jboolean /*highlighted*/) {
    noPainter();
}

void InterimManagementServices::paintTabList(runtime::jint /*firstText*/, runtime::jint /*count*/,
                                             runtime::jint /*flags*/, runtime::jint /*mask*/) {
    noPainter();
}

void InterimManagementServices::paintTableScreen(runtime::jint /*a*/, runtime::jint /*b*/,
                                                 runtime::jint /*c*/) {
    noPainter();
}

void InterimManagementServices::paintStatsPanel() {
    noPainter();
}

void InterimManagementServices::paintValueSelector(runtime::ByteArray* /*series*/, runtime::jint /*height*/,
                                                   runtime::jint /*unused*/, runtime::jint /*scale*/,
                                                   runtime::jint /*mode*/) {
    noPainter();
}

void InterimManagementServices::buildValueText() {
    noPainter();
}

void InterimManagementServices::paintResultsTable() {
    noPainter();
}

void InterimManagementServices::paintOverviewScreen() {
    noPainter();
}

void InterimManagementServices::paintCaption() {
    noPainter();
}

void InterimManagementServices::paintScreenBase(runtime::jint /*unusedA*/, runtime::jboolean /*unusedB*/) {
    noPainter();
}

void InterimManagementServices::paintOptionRow(runtime::String* /*label*/, runtime::String* /*value*/,
                                               runtime::jint /*x*/, runtime::jint /*y*/,
                                               runtime::jint /*valueX*/, runtime::jboolean /*arrows*/,
                                               runtime::jboolean /*dropByFont*/,
                                               runtime::jboolean /*highlighted*/) {
    noPainter();
}

void InterimManagementServices::updateClubChooser(runtime::ShortArray* /*candidates*/) {
    noPainter();
}

void InterimManagementServices::paintOfferSheet(runtime::jint /*player*/) {
    noPainter();
}

void InterimManagementServices::paintScrollTable(runtime::ShortArray* /*clubs*/, runtime::jint /*count*/,
                                                 runtime::jint /*kind*/, runtime::jint /*yShift*/) {
    noPainter();
}

void InterimManagementServices::paintCupBracket(runtime::jint /*mode*/, runtime::ShortArray* /*placeClubs*/,
                                                runtime::jboolean /*blink*/, runtime::jint /*round*/) {
    noPainter();
}

void InterimManagementServices::paintValuePopup(runtime::ByteArray* /*flags*/, runtime::jint /*kind*/) {
    noPainter();
}

void InterimManagementServices::paintDetailPages() {
    noPainter();
}

void InterimManagementServices::copySquadSlots(runtime::ByteArray* /*record*/) {
    noPainter();
}

void InterimManagementServices::paintMatchReport() {
    noPainter();
}

void InterimManagementServices::paintParticlesCondition1() {
    noPainter();
}

void InterimManagementServices::paintParticlesCondition2() {
    noPainter();
}

void InterimManagementServices::updateHintPopup(runtime::String* /*text*/) {
    noPainter();
}

void InterimManagementServices::paintTitleText(runtime::jint /*unusedA*/, runtime::jint /*yOffset*/, runtime::jint /*unusedB*/) {
    noPainter();
}

} // namespace game::interim
