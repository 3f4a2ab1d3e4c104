// Stand-in for the management screens' painters until they are built.
#pragma once

#include "game/core/services/ManagementServices.h"

namespace game::interim {

class InterimManagementServices final : public core::ManagementServices {
public:
    // Each paints nothing.
    void paintScreenHeader(runtime::jint mode) override;
    void paintClockPanel(runtime::jint mode) override;
    void paintScoreLine(profile::Graphics* g, runtime::jint mode) override;
    void paintPopupBox(runtime::jint box) override;
    void paintCutCornerPanel(runtime::jint x, runtime::jint y, runtime::jint w, runtime::jint h,
                             runtime::jint cut, runtime::jint fill, runtime::jint style) override;
    void paintFixtureBadge(runtime::jint team, runtime::jint x, runtime::jint y) override;
    void paintCellOutline(profile::Graphics* g, runtime::jint team, runtime::jint x,
                          runtime::jint y) override;
    void paintMenuHeader(runtime::jint frameIndex, runtime::jint sub) override;
    void paintSoftKeys(runtime::jint frameIndex, runtime::jint sub) override;
    // Paints nothing; stores mode as menuItemCount and lets the highlight arrive at once
    // (menuChoiceShown := menuChoice, menuChoiceMoving cleared), so no key stays frozen.
    void paintMessageBox(runtime::String* text, runtime::jint unusedA, runtime::jint yOffset,
                         runtime::jint unusedB, runtime::jint mode, runtime::jint unusedC) override;
    // Paint nothing and take no input; the sub-screens that end (the squad picker, list and
    // grid) end at once (1), and the squad slots count as unchanged.
    void paintAnimatedBanner() override;
    void updatePopupArrow() override;
    void paintMessageText(runtime::jint mode) override;
    void paintSquadTable(runtime::jint side, runtime::jint visibleRows, runtime::jint mode) override;
    void paintScrollBar(runtime::jint a, runtime::jint b, runtime::jint side, runtime::jint c,
                        runtime::jint d) override;
    void paintDetailScreen(runtime::jint side) override;
    void paintTextColumns(runtime::jint mode, runtime::jint kind, runtime::jint x, runtime::jint y,
                          runtime::jint width, runtime::jboolean goalkeeper) override;
    void updateConfirmMenu() override;
    runtime::jboolean squadSlotsUnchanged() override;
    void checkSquadSlotChanges(runtime::jint answer) override;
    runtime::jint updateSquadPicker(runtime::jint side) override;
    runtime::jint updateSquadList(runtime::jint side) override;
    runtime::jint updateSquadGrid(runtime::jint side) override;
    void paintScrollText() override;
    void paintFramedPanel() override;
    void paintProfilePanel(runtime::jint member) override;
    void paintListRows(runtime::String* text, runtime::jint x, runtime::jint y,
                       runtime::jboolean highlighted) override;
    void paintTabList(runtime::jint firstText, runtime::jint count, runtime::jint flags,
                      runtime::jint mask) override;
    void paintTableScreen(runtime::jint a, runtime::jint b, runtime::jint c) override;
    void paintStatsPanel() override;
    void paintValueSelector(runtime::ByteArray* series, runtime::jint height, runtime::jint unused,
                            runtime::jint scale, runtime::jint mode) override;
    void buildValueText() override;
    void paintResultsTable() override;
    void paintOverviewScreen() override;
    void paintCaption() override;
    void paintScreenBase(runtime::jint unusedA, runtime::jboolean unusedB) override;
    void paintOptionRow(runtime::String* label, runtime::String* value, runtime::jint x, runtime::jint y,
                        runtime::jint valueX, runtime::jboolean arrows, runtime::jboolean dropByFont,
                        runtime::jboolean highlighted) override;
    void updateClubChooser(runtime::ShortArray* candidates) override;
    void paintOfferSheet(runtime::jint player) override;
    void paintScrollTable(runtime::ShortArray* clubs, runtime::jint count, runtime::jint kind,
                          runtime::jint yShift) override;
    void paintCupBracket(runtime::jint mode, runtime::ShortArray* placeClubs, runtime::jboolean blink,
                         runtime::jint round) override;
    void paintValuePopup(runtime::ByteArray* flags, runtime::jint kind) override;
    void paintDetailPages() override;
    // Takes no snapshot: the interim set-up has nothing to restore from it.
    void copySquadSlots(runtime::ByteArray* record) override;
    // Each paints nothing.
    void paintMatchReport() override;
    void paintParticlesCondition1() override;
    void paintParticlesCondition2() override;
    void updateHintPopup(runtime::String* text) override;
    void paintTitleText(runtime::jint unusedA, runtime::jint yOffset, runtime::jint unusedB) override;
};

} // namespace game::interim
