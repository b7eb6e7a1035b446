#pragma once
#include <array>
#include <set>
#include <string>

// Month and weekday names as UTF-8 text.
struct CalendarNames {
    std::array<std::string, 12> months;   // January first
    std::array<std::string, 7> weekdays;  // two-letter column headers, Sunday first
};

// The English names the window and the default page use.
CalendarNames englishCalendarNames();

// A TrueType file to draw the page with, for names the base font cannot show.
struct EmbeddedFont {
    std::string path;  // empty: the base font "Helvetica"
    int index = 0;     // face within a collection file
};

// Paper sizes in whole points, portrait. A4 is the library's default page.
struct PaperSize {
    int width;
    int height;
};
inline constexpr PaperSize paperA4{595, 841};
inline constexpr PaperSize paperLetter{612, 792};
inline constexpr PaperSize paperLegal{612, 1008};
inline constexpr PaperSize paperA3{841, 1190};
inline constexpr PaperSize paperA5{419, 595};

// What the command line can change on the page; the defaults draw the window's
// page exactly.
struct PageOptions {
    PaperSize paper = paperA4;
    bool landscape = false;
    CalendarNames names = englishCalendarNames();
    EmbeddedFont font;
    bool weekNumbers = false;   // ISO 8601 week numbers beside the week lines
    std::set<long long> marked; // days (daysFromCivil) drawn in the highlight colour
    bool shadeWeekends = false; // Saturday and Sunday cells on light grey
    bool footer = true;
    std::string footerText;     // empty: the publisher's address
    bool compress = false;
};
