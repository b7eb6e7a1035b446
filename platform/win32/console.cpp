#include "platform/console.h"

#include <cstdio>
#include <cstdlib>
#include <string>

#include <fcntl.h>
#include <io.h>
#include <windows.h>

#include "platform/win32/error_box.h"

namespace {

// A stream the parent redirected (a pipe, a file) arrives as a valid handle;
// one started from a console without redirection, or from Explorer or a
// shortcut, arrives as none at all.
bool redirected(DWORD stream)
{
    const HANDLE handle = GetStdHandle(stream);
    return handle != nullptr && handle != INVALID_HANDLE_VALUE && GetFileType(handle) != FILE_TYPE_UNKNOWN;
}

bool outputAbsent = false;
UINT consoleCodePageBefore = 0;
// Standard error of a start without console: a temporary file that goes
// away with its last handle, read back as the program ends.
HANDLE collectedErrors = INVALID_HANDLE_VALUE;

// The console is the caller's: it gets its own code page back once the
// program's text is in it.
void restoreConsoleCodePage()
{
    std::fflush(stdout);
    std::fflush(stderr);
    SetConsoleOutputCP(consoleCodePageBefore);
}

void showCollectedErrors()
{
    std::fflush(stderr);
    // One line is the rule, a few warnings the most; a box shows no more.
    std::string text(4096, '\0');
    DWORD length = 0;
    OVERLAPPED fromStart{};
    if (!ReadFile(collectedErrors, text.data(), static_cast<DWORD>(text.size()), &length, &fromStart))
        length = 0;
    CloseHandle(collectedErrors);
    text.resize(length);
    while (!text.empty() && (text.back() == '\n' || text.back() == '\r'))
        text.pop_back();
    if (!text.empty())
        showErrorBox("Orvel Planner", text);
}

// The C runtime marks a stream it found no handle for at start (descriptor
// -2, not writable) and will not reopen it; once descriptor 2 is the file, the
// stream is pointed at it here. Only the msvcrt.dll runtime's FILE is known.
bool adoptDescriptor2(FILE* stream)
{
#ifdef _UCRT
    return _fileno(stream) == 2;
#else
    if (_fileno(stream) != 2) {
        stream->_file = 2;
        stream->_flag |= _IOWRT;
    }
    std::clearerr(stream);
    return true;
#endif
}

// Points standard error at a temporary file whose text a box shows at the end.
void collectErrorsForBox()
{
    wchar_t folder[MAX_PATH + 1];
    wchar_t name[MAX_PATH + 1];
    const DWORD folderLength = GetTempPathW(MAX_PATH + 1, folder);
    if (folderLength == 0 || folderLength > MAX_PATH || GetTempFileNameW(folder, L"orv", 0, name) == 0)
        return;
    collectedErrors = CreateFileW(name, GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_DELETE, nullptr,
                                  CREATE_ALWAYS, FILE_ATTRIBUTE_TEMPORARY | FILE_FLAG_DELETE_ON_CLOSE, nullptr);
    if (collectedErrors == INVALID_HANDLE_VALUE) {
        DeleteFileW(name);
        return;
    }
    HANDLE forStream = nullptr;
    int descriptor = -1;
    if (DuplicateHandle(GetCurrentProcess(), collectedErrors, GetCurrentProcess(), &forStream, 0, FALSE,
                        DUPLICATE_SAME_ACCESS))
        descriptor = _open_osfhandle(reinterpret_cast<intptr_t>(forStream), _O_WRONLY | _O_TEXT);
    if (descriptor < 0 || _dup2(descriptor, 2) != 0 || !adoptDescriptor2(stderr)) {
        if (descriptor >= 0)
            _close(descriptor);
        else if (forStream)
            CloseHandle(forStream);
        CloseHandle(collectedErrors);
        collectedErrors = INVALID_HANDLE_VALUE;
        return;
    }
    _close(descriptor);
    std::atexit(showCollectedErrors);
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
    // Refused when the process already has a console (a start with one of its
    // own): that one is used.
    const bool attached = AttachConsole(ATTACH_PARENT_PROCESS) || GetLastError() == ERROR_ACCESS_DENIED;
    if (!attached || GetConsoleOutputCP() == 0) {
        outputAbsent = !outputRedirected;
        if (!errorRedirected)
            collectErrorsForBox();
        return;
    }
    if (!outputRedirected)
        std::freopen("CONOUT$", "w", stdout);
    if (!errorRedirected)
        std::freopen("CONOUT$", "w", stderr);
    // The program's text is UTF-8 (its ANSI code page is, by its manifest);
    // the console would read it in its OEM code page.
    consoleCodePageBefore = GetConsoleOutputCP();
    if (consoleCodePageBefore != CP_UTF8 && SetConsoleOutputCP(CP_UTF8))
        std::atexit(restoreConsoleCodePage);
}

bool standardOutputAbsent()
{
    return outputAbsent;
}
