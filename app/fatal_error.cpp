#include "app/fatal_error.h"

#include <array>
#include <cstdio>

#include "platform/app_window.h"
#include "platform/message_box.h"

std::string fatalMessage(const std::string& step, int code, const std::string& reason)
{
    std::array<char, fatalMessageCapacity> buffer{};
    std::snprintf(buffer.data(), buffer.size(), "%s failed with error %d: %s", step.c_str(), code, reason.c_str());
    return buffer.data();
}

int fatalError(const StartupFailure& failure)
{
    showMessageBox("Error", fatalMessage(failure.step, failure.code, failure.reason));
    return failure.code;
}
