#pragma once
#include <string>
#include <string_view>

// Text from a file or an argument made safe to echo in a message: control
// characters (C0, DEL and the UTF-8 encoded C1 range), which a terminal would
// obey, are written as \n, \r, \t, \e or \xHH; everything else is kept as is.
std::string shownText(std::string_view text);
