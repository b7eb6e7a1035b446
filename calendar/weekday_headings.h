#pragma once
#include <array>
#include <string>
#include <string_view>

// Column headings from the locale's abbreviated weekday names (UTF-8, Sunday
// first): the names cut to the shortest length, at least two characters and
// the same for all seven, at which the seven differ. "Mo Tu We" in English,
// "Seg Ter Qua Qui" in Portuguese, where two letters give "Qu Qu"; a name
// shorter than that length stays whole (Hungarian "V H K Sze Cs P Szo"). A
// character is a letter with the marks that combine with it. Abbreviations
// that are alike to the end (Frisian "Sn" for Snein and Sneon) give way to
// the full names, cut the same way; when those are alike too, the
// abbreviations stay as they are.
std::array<std::string, 7> weekdayHeadings(const std::array<std::string, 7>& abbreviations,
                                           const std::array<std::string, 7>& fullNames = {});

// The headings in the text page's two columns each. A heading that fits and
// whose first two columns no other shares is cut to them; one that shares
// them becomes its first character and its last ("Qa Qi" for "Qua Qui",
// Hungarian "Se So" for "Sze Szo"), or the latest character before that
// which no other heading has taken (Manx "Jd Jr" for "Jed Jerd"); a wide
// character stands alone ("一" for "週一").
std::array<std::string, 7> textPageHeadings(const std::array<std::string, 7>& headings);

// The longest beginning of UTF-8 text that fills at most `columns` columns of
// a fixed-width text page, where East Asian wide characters take two columns
// and combining marks none; `width` receives the columns it takes. Malformed
// text gives nothing.
std::string fitColumns(std::string_view text, int columns, int* width = nullptr);
