// The platform stand-ins install their Linux implementation or a test double through the
// runtime's service slots.
#pragma once

#include "runtime/Service.h"

namespace platform {

using runtime::ScopedService;
using runtime::ServiceSlot;

} // namespace platform
