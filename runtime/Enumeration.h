// java_util_Enumeration (54): the interface of objects that hand out a sequence of elements one
// at a time. Classes embed it as an extra base and answer it from their getInterface slot.
#pragma once

#include "runtime/JavaTypes.h"
#include "runtime/Object.h"

namespace runtime {

struct java_util_Enumeration {
    // 1 while another element is left.
    virtual jint hasMoreElements() = 0;
    // The next element; past the end the implementation raises its exception and gives null.
    virtual Object* nextElement() = 0;

protected:
    ~java_util_Enumeration() = default;
};

} // namespace runtime
