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
};

} // namespace game::interim
