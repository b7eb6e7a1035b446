#pragma once
#include <string>

#include <windows.h>

// The system's text for an error code (GetLastError), without the line break
// it ends with; "error N" when the system has none.
std::string systemErrorText(DWORD code);
