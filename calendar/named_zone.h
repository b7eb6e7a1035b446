#pragma once
#include <string_view>

// The VTIMEZONE of the time zone `tzid` (an Olson name such as
// "Europe/Berlin") from the zone files of libical's own that the program
// carries, for a TZID that the file names without defining it; empty where
// the program carries none (on Linux libical finds the system's zones itself).
std::string_view namedZone(std::string_view tzid);

// Whether the program carries those zones, in which case libical is to look
// for no zone files of its own.
bool carriesNamedZones();
