// java_lang_Runnable: the interface of everything the host can run (the game canvas, a Thread).
// A class implements it by inheriting it as an extra base and answering kRunnable in its
// getInterface slot with a pointer to that base.
#pragma once

namespace runtime {

struct java_lang_Runnable {
    virtual void run() = 0;

protected:
    ~java_lang_Runnable() = default;
};

} // namespace runtime
