// What the framework and the menu handlers use of the management screens' painters and
// sub-screens, built later; an interim
// implementation stands in until then (game/interim/InterimManagementServices.h).
#pragma once

#include "runtime/Arrays.h"
#include "runtime/JavaTypes.h"

namespace runtime {
struct String;
}

namespace profile {
struct Graphics;
}

namespace game::core {

using runtime::jboolean;
using runtime::jint;

class ManagementServices {
public:
    virtual ~ManagementServices() = default;
    // paintScreenHeader: the header of the match screens (the pitch side panel in view mode 0).
    virtual void paintScreenHeader(jint mode) = 0;
    // paintClockPanel: match time text and clock image; the mode has no effect.
    virtual void paintClockPanel(jint mode) = 0;
    // paintScoreLine: club names and score into g; the mode has no effect.
    virtual void paintScoreLine(profile::Graphics* g, jint mode) = 0;
    // paintPopupBox: the match screen's pop-up box.
    virtual void paintPopupBox(jint box) = 0;
    // paintCutCornerPanel: a filled panel with a cut corner, outline and optional shadow.
    virtual void paintCutCornerPanel(jint x, jint y, jint w, jint h, jint cut, jint fill, jint style) = 0;
    // paintFixtureBadge: the 42 x 28 badge cell of team (0 or 1) at (x, y).
    virtual void paintFixtureBadge(jint team, jint x, jint y) = 0;
    // paintCellOutline: the black 43 x 29 outline around a badge cell at (x, y).
    virtual void paintCellOutline(profile::Graphics* g, jint team, jint x, jint y) = 0;
    // paintMenuHeader: the common background of a menu screen (frame index, sub-screen).
    virtual void paintMenuHeader(jint frameIndex, jint sub) = 0;
    // paintSoftKeys: the common frame and soft-key labels of a menu screen.
    virtual void paintSoftKeys(jint frameIndex, jint sub) = 0;
    // paintMessageBox: a framed text with its buttons (mode 2: two) and the highlight; stores
    // the item count in menuItemCount and sets menuChoiceMoving while the highlight moves.
    virtual void paintMessageBox(runtime::String* text, jint unusedA, jint yOffset, jint unusedB, jint mode,
                                 jint unusedC) = 0;

    // The menu handlers' painters and sub-screens.
    // paintAnimatedBanner: the screen cleared to black, the menu background frame at (0, 0) and, while a
    // background animation kind is set, the running animation.
    virtual void paintAnimatedBanner() = 0;
    // updatePopupArrow: advances and paints the animated selection arrow of a pop-up list.
    virtual void updatePopupArrow() = 0;
    // paintMessageText: the current message text panel.
    virtual void paintMessageText(jint mode) = 0;
    // paintSquadTable: the side's squad table from squadGridFirstRow, with the selection and the marked row.
    virtual void paintSquadTable(jint side, jint visibleRows, jint mode) = 0;
    // paintScrollBar: the squad screen's scroll bar, painted first on each of its frames.
    virtual void paintScrollBar(jint a, jint b, jint side, jint c, jint d) = 0;
    // paintDetailScreen: the detail block of the squad screen's second page.
    virtual void paintDetailScreen(jint side) = 0;
    // paintTextColumns: the text columns of the squad screen's second page at y.
    virtual void paintTextColumns(jint mode, jint kind, jint x, jint y, jint width, jboolean goalkeeper) = 0;
    // updateConfirmMenu: runs the confirmation menu open over the squad screen.
    virtual void updateConfirmMenu() = 0;
    // squadSlotsUnchanged: true while the user club's squad slots equal their backup.
    virtual jboolean squadSlotsUnchanged() = 0;
    // checkSquadSlotChanges: the keep-changes question's answer for the changed line-up.
    virtual void checkSquadSlotChanges(jint answer) = 0;
    // updateSquadPicker: the formation choice screen; non-zero on the frame it is finished.
    virtual jint updateSquadPicker(jint side) = 0;
    // updateSquadList: the player settings screen; non-zero on the frame it is finished.
    virtual jint updateSquadList(jint side) = 0;
    // updateSquadGrid: the squad grid of a match; non-zero on the frame it is finished.
    virtual jint updateSquadGrid(jint side) = 0;
    // paintScrollText: the scrolling text page of the training screen's value column.
    virtual void paintScrollText() = 0;
    // paintFramedPanel: the training choice panel.
    virtual void paintFramedPanel() = 0;
    // paintProfilePanel: the profile panel of a squad member.
    virtual void paintProfilePanel(jint member) = 0;
    // paintListRows: one row of a text list at (x, y).
    virtual void paintListRows(runtime::String* text, jint x, jint y, jboolean highlighted) = 0;
    // paintTabList: count entries labelled firstText + i, those of mask's bits with the new-item mark.
    virtual void paintTabList(jint firstText, jint count, jint flags, jint mask) = 0;
    // paintTableScreen: a table screen of the league screens.
    virtual void paintTableScreen(jint a, jint b, jint c) = 0;
    // paintStatsPanel: the panel of the current statistics page.
    virtual void paintStatsPanel() = 0;
    // paintValueSelector: the finance graph of a byte series (points 0..100, -1 none).
    virtual void paintValueSelector(runtime::ByteArray* series, jint height, jint unused, jint scale,
                                    jint mode) = 0;
    // buildValueText: the value list of the club hub's first graph screen's second page.
    virtual void buildValueText() = 0;
    // paintResultsTable: the results table of the current competition.
    virtual void paintResultsTable() = 0;
    // paintOverviewScreen: the overview screen.
    virtual void paintOverviewScreen() = 0;
    // paintCaption: the caption screen.
    virtual void paintCaption() = 0;
    // paintScreenBase: the background picture and the bar, repainted only while screenDirty is set
    // or in the state's first frame; the arguments have no effect.
    virtual void paintScreenBase(jint unusedA, jboolean unusedB) = 0;
    // paintOptionRow: a label at (x, y) and its value centred at valueX, between two arrows when
    // arrows is set; stores the measured value width in optionValueWidth.
    virtual void paintOptionRow(runtime::String* label, runtime::String* value, jint x, jint y, jint valueX,
                                jboolean arrows, jboolean dropByFont, jboolean highlighted) = 0;
    // updateClubChooser: one frame of the league and club grids over the candidate clubs.
    virtual void updateClubChooser(runtime::ShortArray* candidates) = 0;
    // paintOfferSheet: the facts of the offers about one player, paged with left and right.
    virtual void paintOfferSheet(jint player) = 0;
    // paintScrollTable: a scrolled list of count matches of one of five table kinds.
    virtual void paintScrollTable(runtime::ShortArray* clubs, jint count, jint kind, jint yShift) = 0;
    // paintCupBracket: the 16-club knockout bracket (placeClubs null: not drawn yet).
    virtual void paintCupBracket(jint mode, runtime::ShortArray* placeClubs, jboolean blink, jint round) = 0;
    // paintValuePopup: the text of the year-list pop-up over the flag bytes.
    virtual void paintValuePopup(runtime::ByteArray* flags, jint kind) = 0;
    // paintDetailPages: a match's header and its statistics, events or line-ups page.
    virtual void paintDetailPages() = 0;
    // copySquadSlots: takes the team set-up snapshot into record and sets tacticsSnapshotTaken.
    virtual void copySquadSlots(runtime::ByteArray* record) = 0;
    // paintMatchReport: the match summary panel of the pre-match screen.
    virtual void paintMatchReport() = 0;
    // paintParticlesCondition1, paintParticlesCondition2: the particle field (particleX ...
    // specialParticleKind) over the pitch for pitch conditions 1 and 2.
    virtual void paintParticlesCondition1() = 0;
    virtual void paintParticlesCondition2() = 0;
    // updateHintPopup: shows text in the animated hint pop-up (the kick-off pop-up of the match
    // screen, the hint line of the menu lists).
    virtual void updateHintPopup(runtime::String* text) = 0;
    // paintTitleText: the title box (box frame 15) and its title text, moved by yOffset; the
    // other two arguments have no effect.
    virtual void paintTitleText(jint unusedA, jint yOffset, jint unusedB) = 0;

    // paintMessageBoxSimple: the message box at yOffset 0; the other two arguments have no effect.
    void paintMessageBoxSimple(runtime::String* text, jint unusedA, jint mode, jboolean unusedB) {
        paintMessageBox(text, unusedA, 0, unusedB, mode, 0);
    }
};

ManagementServices& managementServices();
// Installs service (null restores the interim one); returns the previous one.
ManagementServices* installManagementServices(ManagementServices* service);

} // namespace game::core
