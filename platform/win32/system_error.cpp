#include "platform/win32/system_error.h"

#include <memory>

namespace {
struct LocalDelete {
    void operator()(char* text) const noexcept { LocalFree(text); }
};
}  // namespace

std::string systemErrorText(DWORD code)
{
    char* buffer = nullptr;
    const DWORD length =
        FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_ALLOCATE_BUFFER, nullptr, code,
                       MAKELANGID(LANG_NEUTRAL, SUBLANG_DEFAULT), reinterpret_cast<char*>(&buffer), 0, nullptr);
    const std::unique_ptr<char, LocalDelete> text(buffer);
    if (length == 0 || !text)
        return "unknown error";
    return std::string(text.get(), length);
}
