#include "platform/console.h"

// A Linux program's streams are the terminal's or whatever the caller
// redirected them to; there is nothing to connect.
void connectToParentConsole() {}
