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

} // namespace game::interim
