// A span of code that must neither allocate nor collect: it holds element pointers (data(),
// chars) that a compaction would leave behind, for speed in an inner loop.
//
// Checked builds (TARNWICK_CHECKED: Debug and sanitizer builds) keep a stack of the open scopes;
// an allocation from the runtime's allocators or a collection started inside one logs a message
// naming the innermost scope and what was attempted, then stops the program. Optimised builds
// compile the scope to nothing.
#pragma once

namespace runtime {

class NoAllocationScope {
public:
#if TARNWICK_CHECKED
    // name says which span this is in the message ("the sprite decoder's frame loop").
    explicit NoAllocationScope(const char* name);
    ~NoAllocationScope();
#else
    explicit NoAllocationScope(const char* /*name*/) {}
#endif
    NoAllocationScope(const NoAllocationScope&) = delete;
    NoAllocationScope& operator=(const NoAllocationScope&) = delete;

#if TARNWICK_CHECKED
    // Stops the program when a scope is open on this thread; what names the attempt
    // ("an allocation", "a collection").
    static void check(const char* what);

private:
    const char* m_name;
    NoAllocationScope* m_outer;
#else
    static void check(const char* /*what*/) {}
#endif
};

} // namespace runtime
