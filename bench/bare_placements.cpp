#include "bare_placements.h"

namespace {

const char* const names[12] = {"January", "February", "March",     "April",   "May",      "June",
                               "July",    "August",   "September", "October", "November", "December"};
const char* const headers[7] = {"Mo", "Tu", "We", "Th", "Fr", "Sa", "Su"};
const char* const digits[10] = {"0", "1", "2", "3", "4", "5", "6", "7", "8", "9"};
const int firstColumn[12] = {4, 0, 0, 3, 5, 1, 3, 6, 2, 4, 0, 2};  // 2010, weeks from Monday
const int lengths[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};

void place(HPDF_Page page, HPDF_REAL x, HPDF_REAL y, const char* text)
{
    HPDF_Page_BeginText(page);
    HPDF_Page_MoveTextPos(page, x, y);
    HPDF_Page_ShowText(page, text);
    HPDF_Page_EndText(page);
}

// The character a week-line cell shows: a digit of a day or a blank.
const char* cellText(int month, int line, int column)
{
    if (column == 20)
        return "";
    const int weekday = column / 3;
    const int day = (line - 2) * 7 + weekday - firstColumn[month] + 1;
    if (column % 3 == 2 || day < 1 || day > lengths[month])
        return " ";
    if (column % 3 == 0)
        return day < 10 ? " " : digits[day / 10];
    return digits[day % 10];
}

}  // namespace

void makeBarePlacements(HPDF_Doc document, HPDF_Page page)
{
    HPDF_Page_SetFontAndSize(page, HPDF_GetFont(document, "Helvetica", nullptr), 24);
    place(page, (595 - HPDF_Page_TextWidth(page, "2010")) / 2, 781, "2010");
    HPDF_Page_SetFontAndSize(page, HPDF_GetFont(document, "Helvetica", nullptr), 11);
    for (int month = 0; month < 12; ++month) {
        const int x0 = 38 + 185 * (month % 3);
        const int y0 = 737 - 183 * (month / 3);
        place(page, (140 - HPDF_Page_TextWidth(page, names[month])) / 2 + x0, y0, names[month]);
        for (int i = 0; i < 7; ++i)
            place(page, x0 + 21 * i, y0 - 16, headers[i]);
        for (int line = 2; line < 8; ++line)
            for (int column = 0; column < 21; ++column)
                place(page, x0 + 7 * column, y0 - 16 * line, cellText(month, line, column));
    }
    place(page, 445, 12, "www.orvel.example/calendar");
}
