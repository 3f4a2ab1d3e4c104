// The promotion screen's initialiser (see IGPStaticInit.h). The promotion statics and their start
// values land with the promotion catalogue; until then there is nothing to set.
#include "game/promotion/IGPStaticInit.h"

namespace game::promotion {

void igpStaticInit(GameStatics* /*block*/) {}

} // namespace game::promotion
