#pragma once
#include <string>

// Hands a file path or a web link to the desktop's default application through
// xdg-open. The launcher runs detached in its own session, without a shell, and
// is never waited for, so the caller neither blocks nor leaves a zombie behind.
// Returns an empty string when the launcher was started, otherwise the reason.
std::string openWithDefaultApplication(const std::string& pathOrLink);
