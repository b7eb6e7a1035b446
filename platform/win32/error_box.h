#pragma once
#include <string>

// A modal box with the error icon and one OK button, owned by the program's
// main window when it exists (so it opens above it, also when the window is
// topmost, and the window takes no clicks while it is open).
void showErrorBox(const std::string& caption, const std::string& text);
