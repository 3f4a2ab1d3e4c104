// A reference-typed static field of the static-field block.
//
// Declaring a static as StaticRef<T> is what makes it a collector root: its constructor lists the
// field in the root table of the block being created (createStaticBlock), so a reference static
// cannot exist without its root entry and a primitive static can never get one. Only classes that
// derive from Object (at offset 0) can be held: an interface view stored here would be read as an
// object header by the collector, so storing one does not compile.
#pragma once

#include <cstddef>
#include <type_traits>

#include "runtime/Object.h"

namespace runtime {

// Lists slot in the root table of the block under construction. Outside a block's construction
// (a StaticRef anywhere else) it is a fatal error: such a field would never be a root.
void registerStaticRoot(Object** slot);

template <typename T> class StaticRef {
public:
    StaticRef() { registerStaticRoot(reinterpret_cast<Object**>(&value)); }
    StaticRef(const StaticRef&) = delete;

    StaticRef& operator=(T* const object) {
        static_assert(std::is_base_of_v<Object, T>,
                      "a static reference holds an Object, never an interface view");
        value = object;
        return *this;
    }
    StaticRef& operator=(std::nullptr_t) {
        value = nullptr;
        return *this;
    }
    StaticRef& operator=(const StaticRef& other) {
        value = other.value;
        return *this;
    }

    operator T*() const { return value; }
    // Lets static_cast<Derived*>(ref) read as it does on a plain pointer.
    template <typename U>
    requires(std::is_base_of_v<T, U> && !std::is_same_v<T, U>) explicit operator U*() const {
        return static_cast<U*>(value);
    }
    T* operator->() const { return value; }
    T& operator*() const { return *value; }
    T* get() const { return value; }

private:
    T* value = nullptr;
};

} // namespace runtime
