// The statics of the sprite class ASprite.
#pragma once

#include "runtime/Arrays.h"
#include "runtime/JavaTypes.h"
#include "runtime/StaticRef.h"

namespace game {

struct ASpriteStatics {};

} // namespace game
