#include "platform/local_time.h"

#include <windows.h>

int currentLocalYear()
{
    SYSTEMTIME now;
    GetLocalTime(&now);
    return now.wYear;
}
