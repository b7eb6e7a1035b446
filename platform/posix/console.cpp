#include "platform/console.h"

// A Linux program's streams are the terminal's or whatever the caller
// redirected them to; there is nothing to connect.
void connectToParentConsole() {}

// A closed descriptor 1 is the caller's choice to be told nothing, and a
// result that cannot be told is a failure: standard output is never absent.
bool standardOutputAbsent()
{
    return false;
}
