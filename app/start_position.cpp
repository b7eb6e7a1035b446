#include "app/start_position.h"

namespace {

constexpr int fallbackCoordinate = 2;

int checked(int value, int limit)
{
    return value < 0 || value > limit ? fallbackCoordinate : value;
}

}  // namespace

ScreenPoint startPosition(const SettingsEntries& entries, ClientSize usableScreen)
{
    return {checked(settingNumber(entries[windowLeftEntry]), usableScreen.width),
            checked(settingNumber(entries[windowTopEntry]), usableScreen.height)};
}
