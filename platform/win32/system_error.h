#pragma once
#include <string>

#include <windows.h>

// The system's text for an error code from GetLastError, in the user's
// language, as FormatMessageA gives it (its closing line break included).
// A code the system has no text for gives "unknown error".
std::string systemErrorText(DWORD code);
