#pragma once

// The current year in the local time zone (the calendar's default year).
int currentLocalYear();
