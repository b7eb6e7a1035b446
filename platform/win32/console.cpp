#include "platform/console.h"

#include <cstdio>
#include <windows.h>

namespace {

// A stream the parent redirected (a pipe, a file) arrives as a valid handle;
// one started from a console without redirection arrives as none at all.
bool redirected(DWORD stream)
{
    const HANDLE handle = GetStdHandle(stream);
    return handle != nullptr && handle != INVALID_HANDLE_VALUE && GetFileType(handle) != FILE_TYPE_UNKNOWN;
}

}  // namespace

void connectToParentConsole()
{
    static bool connected = false;
    if (connected)
        return;
    connected = true;

    const bool outputRedirected = redirected(STD_OUTPUT_HANDLE);
    const bool errorRedirected = redirected(STD_ERROR_HANDLE);
    if (outputRedirected && errorRedirected)
        return;
    // Started from Explorer there is no console to attach to; the output is
    // then lost, as for any windowed program.
    if (!AttachConsole(ATTACH_PARENT_PROCESS))
        return;
    if (!outputRedirected)
        std::freopen("CONOUT$", "w", stdout);
    if (!errorRedirected)
        std::freopen("CONOUT$", "w", stderr);
}
