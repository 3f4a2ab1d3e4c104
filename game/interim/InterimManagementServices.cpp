// The interim management screen painters (see InterimManagementServices.h).
#include "game/interim/InterimManagementServices.h"

#include "game/framework/GameStatics.h"
#include "game/interim/InterimLog.h"

namespace game::interim {

namespace {
void noPainter() {
    logFirstCall("the management screens' painters (paint nothing)");
}
} // namespace

void InterimManagementServices::paintScreenHeader(framework::jint /*mode*/) {
    noPainter();
}

void InterimManagementServices::paintClockPanel(framework::jint /*mode*/) {
    noPainter();
}

void InterimManagementServices::paintScoreLine(profile::Graphics* /*g*/, framework::jint /*mode*/) {
    noPainter();
}

void InterimManagementServices::paintPopupBox(framework::jint /*box*/) {
    noPainter();
}

void InterimManagementServices::paintCutCornerPanel(framework::jint /*x*/, framework::jint /*y*/,
                                                    framework::jint /*w*/, framework::jint /*h*/,
                                                    framework::jint /*cut*/, framework::jint /*fill*/,
                                                    framework::jint /*style*/) {
    noPainter();
}

void InterimManagementServices::paintFixtureBadge(framework::jint /*team*/, framework::jint /*x*/,
                                                  framework::jint /*y*/) {
    noPainter();
}

void InterimManagementServices::paintCellOutline(profile::Graphics* /*g*/, framework::jint /*team*/,
                                                 framework::jint /*x*/, framework::jint /*y*/) {
    noPainter();
}

void InterimManagementServices::paintMenuHeader(framework::jint /*frameIndex*/, framework::jint /*sub*/) {
    noPainter();
}

void InterimManagementServices::paintSoftKeys(framework::jint /*frameIndex*/, framework::jint /*sub*/) {
    noPainter();
}

void InterimManagementServices::paintMessageBox(runtime::String* /*text*/, framework::jint /*unusedA*/,
                                                framework::jint /*yOffset*/, framework::jint /*unusedB*/,
                                                const framework::jint mode, framework::jint /*unusedC*/) {
    logFirstCall("paintMessageBox (paints nothing; the highlight arrives at once)");
    GameStatics* block = statics();
    block->menuItemCount = mode;
    block->menuChoiceShown = block->menuChoice;
    block->menuChoiceMoving = 0;
}

} // namespace game::interim
