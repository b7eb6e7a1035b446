#pragma once

// The publisher's web address as the program shows it, and as a link.
inline constexpr const char* publisherAddress = "www.orvel.example";
inline constexpr const char* publisherSite = "https://www.orvel.example";
