#pragma once
#include <string>

// Tells the user something went wrong: the text goes to standard error and
// into a modal box with one OK button. Without a display only standard error
// shows it.
void showMessageBox(const std::string& caption, const std::string& text);
