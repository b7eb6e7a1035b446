#include "platform/local_time.h"

#include <ctime>

int currentLocalYear()
{
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    return local.tm_year + 1900;
}
