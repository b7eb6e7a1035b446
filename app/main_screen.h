#pragma once

#include "skin/scob_button.h"
#include "skin/scob_image.h"
#include "skin/scob_list.h"
#include "skin/scob_state_button.h"
#include "skin/skin_instance.h"

class WindowHost;

// The ten controls of the program's one screen, in painting and mouse order.
struct MainScreenControls {
    scobImage backgroundImage;
    scobButton titleStrip;
    scobButton webAddressLabel;
    scobButton createButton;
    scobList yearList;
    scobList layoutList;
    scobList weekendList;
    scobButton calendarPageButton;
    scobStateButton translucencyToggle;
    scobStateButton onTopToggle;
};

// The controls as the last buildMainScreen configured them.
MainScreenControls& mainScreen();

// The theme every control resolves its colours and bitmaps through.
extern skinInstance screenSkin;

// The layout of the next calendar: 0 = "3 Months / row", 1 = "2 Months / row".
extern int calendarLayout;
inline constexpr int firstLayout = 0;
inline constexpr int lastLayout = 1;

// The years the year list offers.
inline constexpr int firstYear = 2010;
inline constexpr int lastYear = 2016;

// Builds the screen for a newly created window: restores the saved choices
// from settingsEntries (out-of-range values take their defaults), sets the
// window options' values, starts the change-scan timer and puts the ten
// controls into group 0.
void buildMainScreen(WindowHost& window);

// Writes the current choices and the window's outer position into
// settingsEntries; called while the window still exists.
void captureSettings();
