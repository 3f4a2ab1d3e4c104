// What the framework uses of the management screens' painters, built later; an interim
// implementation stands in until then (game/interim/InterimManagementServices.h).
#pragma once

#include "runtime/JavaTypes.h"

namespace runtime {
struct String;
}

namespace profile {
struct Graphics;
}

namespace game::core {

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
};

ManagementServices& managementServices();
// Installs service (null restores the interim one); returns the previous one.
ManagementServices* installManagementServices(ManagementServices* service);

} // namespace game::core
