#include "platform/line_end.h"

const char* textLineEnd()
{
    return "\n";
}
