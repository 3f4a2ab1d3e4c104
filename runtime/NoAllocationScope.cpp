// The no-allocation guard of checked builds (see NoAllocationScope.h).
#include "runtime/NoAllocationScope.h"

#if TARNWICK_CHECKED

#include <cstdlib>

#include "runtime/Application.h"
#include "runtime/Log.h"

namespace runtime {

namespace {
// The innermost open scope of this thread.
thread_local NoAllocationScope* innermost = nullptr;
} // namespace

NoAllocationScope::NoAllocationScope(const char* name) : m_name(name), m_outer(innermost) {
    innermost = this;
}

NoAllocationScope::~NoAllocationScope() {
    innermost = m_outer;
}

void NoAllocationScope::check(const char* what) {
    if (innermost == nullptr) {
        return;
    }
    log("%s inside NoAllocationScope \"%s\": element pointers held there would be left behind", what,
        innermost->m_name);
    dumpStackTrace();
    std::abort();
}

} // namespace runtime

#endif
