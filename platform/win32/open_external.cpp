#include "platform/open_external.h"

#include "platform/win32/system_error.h"

#include <shellapi.h>

std::string openWithDefaultApplication(const std::string& pathOrLink)
{
    // No verb: the file type's default action, as double-clicking it would.
    const auto result = reinterpret_cast<INT_PTR>(
        ShellExecuteA(nullptr, nullptr, pathOrLink.c_str(), nullptr, nullptr, SW_SHOWNORMAL));
    if (result > 32)
        return {};
    // Results up to 32 are error codes; most of them are system error codes.
    const DWORD error = GetLastError();
    return "cannot open " + pathOrLink + ": " + systemErrorText(error != 0 ? error : static_cast<DWORD>(result));
}
