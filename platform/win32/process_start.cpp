#include "platform/process_start.h"

// A Windows process has no numbered descriptors to be reused and no file-size
// signal; its console handles are looked after by connectToParentConsole.
void prepareProcess() {}
