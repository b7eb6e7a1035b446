#pragma once
#include <array>
#include <set>
#include <string>
#include <vector>

#include "calendar/paper.h"
#include "calendar/text_encoding.h"

// Month and weekday names as UTF-8 text.
struct CalendarNames {
    std::array<std::string, 12> months;   // January first
    std::array<std::string, 7> weekdays;  // column headings (weekdayHeadings), Sunday first
};

// The English names the window and the default page use.
CalendarNames englishCalendarNames();

// The font the page's texts are drawn in, chosen once for all of them
// (baseFontEncodingFor): the base font "Helvetica" in its own encoding or in
// WinAnsiEncoding, or a TrueType file embedded in the document.
struct PageFont {
    BaseFontEncoding encoding = BaseFontEncoding::standard;  // none: the file below
    std::string path;
    int index = 0;  // face within a collection file
};

// What the command line can change on the page; the defaults draw the window's
// page exactly.
struct PageOptions {
    PaperSize paper = paperA4;
    bool landscape = false;
    CalendarNames names = englishCalendarNames();
    PageFont font;
    bool weekNumbers = false;   // ISO 8601 week numbers beside the week lines
    std::set<long long> marked; // days (daysFromCivil) drawn in the highlight colour
    bool shadeWeekends = false; // Saturday and Sunday cells on light grey
    bool footer = true;
    std::string footerText;     // empty: the publisher's address
    bool compress = false;
};

// Every text of the page that the font has to show besides digits: the month
// and weekday names and the footer, as they are drawn (visualOrder), so that
// right-to-left ones ask for the joined forms of Arabic letters.
std::vector<std::string> pageTexts(const CalendarNames& names, const std::string& footerText);
