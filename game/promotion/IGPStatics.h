// The statics of the promotion screen IGP.
#pragma once

#include "runtime/Arrays.h"
#include "runtime/JavaTypes.h"
#include "runtime/StaticRef.h"

namespace game {

struct IGPStatics {};

} // namespace game
