// What the start-up loading and the menu handlers use of the promotion screen, which is built
// later: its set-up for the screen, its readiness test, its enable flag and its entry flags, and
// its key, paint, entry and text operations. An interim implementation
// stands in until then (game/interim/InterimPromotionScreenServices.h); tests script doubles with
// runtime::ScopedService.
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

class PromotionScreenServices {
public:
    virtual ~PromotionScreenServices() = default;
    // IGP::initialize(midlet, canvas, width, height, null): sets the promotion screen up for a
    // screen of width x height.
    virtual void initialize(jint width, jint height) = 0;
    // The promotion screen's readiness test (IGP::isLinkAvailable).
    virtual jboolean isLinkAvailable() = 0;
    // The promotion screen's enable flag (its own promotionAvailable).
    virtual jboolean promotionAvailable() = 0;
    // The promotion screen's entry flags, one byte per entry; may be null.
    virtual runtime::ByteArray* promoEntryAvailable() = 0;

    // The promotion screen as the menu handlers run it.
    // IGP::update: handles one key code of the screen; true when the screen is finished.
    virtual jboolean update(jint keyCode) = 0;
    // IGP::paint: draws the screen into g.
    virtual void paint(profile::Graphics* g) = 0;
    // IGP::enter: sets the promotion flag and opens the screen when it is available.
    virtual void enter() = 0;
    // IGP::buildText: prepares the screen's text.
    virtual void buildText(runtime::String* text, jint flag) = 0;
};

PromotionScreenServices& promotionScreenServices();
// Installs service (null restores the interim one); returns the previous one.
PromotionScreenServices* installPromotionScreenServices(PromotionScreenServices* service);

} // namespace game::core
