// Entry point of the window module that the executable loads on demand.
#include "app/window_entry.h"
#include "platform/exit_status.h"

#include <cstdio>
#include <new>

// The module links its own copy of the C++ runtime, so nothing may leave it as
// an exception: the executable's handlers would not know it.
extern "C" __attribute__((visibility("default"))) int orvelplanRunWindow()
{
    try {
        return runWindowApp();
    } catch (const std::bad_alloc&) {
        std::fputs("orvelplan: out of memory\n", stderr);
        return exitStatus::failure;
    }
}
