// What the sprite and resource code uses of the information screens and text views that are
// built later: the sound players, the data-set parser, the custom team label, the new-career
// reset, the pitch-side figures and the pre-match header image. An interim implementation stands in until then (game/interim/InterimInfoScreenServices.h);
// tests script doubles with runtime::ScopedService. Pack seeking (game/screens/info/PackSeeking.h)
// is built already and called directly.
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

using runtime::jint;

class InfoScreenServices {
public:
    virtual ~InfoScreenServices() = default;
    // Creates the sound players once from the sound pack (constant string 133).
    virtual void loadSoundPlayers() = 0;
    // Parses a data set held in a byte array; the result goes back to the pack entry's reader.
    virtual jint parseDataSet(runtime::ByteArray* bytes, jint arg) = 0;
    // The label of a team as the name screens show it when custom names are on
    // (getCustomTeamName).
    virtual runtime::String* getTeamLabel(jint team) = 0;
    // Resets the season and game state for a new career (initNewGameState).
    virtual void resetCareer() = 0;
    // The match view's pitch-side figures: fills frame-record words 55..109 (the five marker
    // triples and the marker words) and leaves frameLength at 110; paints the figures directly
    // when g is not null (recordMatchMarkers).
    virtual void paintPitchsideFigures(profile::Graphics* g) = 0;
    // Loads the pre-match screen's header image (the two clubs' badges, 42 x 28 each, stacked)
    // into badgeStrip when it is null.
    virtual void loadHeaderImage() = 0;
};

InfoScreenServices& infoScreenServices();
// Installs service (null restores the interim one); returns the previous one.
InfoScreenServices* installInfoScreenServices(InfoScreenServices* service);

} // namespace game::core
