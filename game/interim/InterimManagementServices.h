// Stand-in for the management screens' painters until they are built.
#pragma once

#include "game/framework/ManagementServices.h"

namespace game::interim {

class InterimManagementServices final : public framework::ManagementServices {
public:
    // Each paints nothing.
    void paintScreenHeader(framework::jint mode) override;
    void paintClockPanel(framework::jint mode) override;
    void paintScoreLine(profile::Graphics* g, framework::jint mode) override;
    void paintPopupBox(framework::jint box) override;
    void paintCutCornerPanel(framework::jint x, framework::jint y, framework::jint w, framework::jint h,
                             framework::jint cut, framework::jint fill, framework::jint style) override;
    void paintFixtureBadge(framework::jint team, framework::jint x, framework::jint y) override;
    void paintCellOutline(profile::Graphics* g, framework::jint team, framework::jint x,
                          framework::jint y) override;
    void paintMenuHeader(framework::jint frameIndex, framework::jint sub) override;
    void paintSoftKeys(framework::jint frameIndex, framework::jint sub) override;
    // Paints nothing; stores mode as menuItemCount and lets the highlight arrive at once
    // (menuChoiceShown := menuChoice, menuChoiceMoving cleared), so no key stays frozen.
    void paintMessageBox(runtime::String* text, framework::jint unusedA, framework::jint yOffset,
                         framework::jint unusedB, framework::jint mode, framework::jint unusedC) override;
};

} // namespace game::interim
