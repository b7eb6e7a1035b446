#include "calendar/page_layout.h"

#include "calendar/calendar_grid.h"
#include "calendar/publisher.h"

#include <cstdio>

namespace {

// Every string is its own text object, so (x, y) is the absolute start of the
// baseline. Coordinates are whole points.
void placeText(HPDF_Page page, int x, int y, const char* text)
{
    HPDF_Page_BeginText(page);
    HPDF_Page_MoveTextPos(page, static_cast<HPDF_REAL>(x), static_cast<HPDF_REAL>(y));
    HPDF_Page_ShowText(page, text);
    HPDF_Page_EndText(page);
}

void selectFont(const CalendarPage& target, const PageLayout& pageLayout, int size)
{
    HPDF_Font font = HPDF_GetFont(target.document, pageLayout.fontName, nullptr);
    HPDF_Page_SetFontAndSize(target.page, font, static_cast<HPDF_REAL>(size));
}

void drawMonth(const CalendarPage& target, const PageLayout& pageLayout, int month, int x0, int y0)
{
    const float nameWidth = HPDF_Page_TextWidth(target.page, monthNames[month]);
    placeText(target.page, static_cast<int>((pageLayout.cellWidth * 20 - nameWidth) * 0.5 + x0), y0,
              monthNames[month]);

    char text[3] = {};
    for (int i = 0; i < 7; ++i) {
        text[0] = target.grid.cell(month, 1, 3 * i);
        text[1] = target.grid.cell(month, 1, 3 * i + 1);
        placeText(target.page, x0 + 3 * pageLayout.cellWidth * i, y0 - pageLayout.lineStep, text);
    }

    // Every cell is placed on its own, blanks too, so the page keeps the grid's
    // fixed pitch whatever the proportional widths of the font. Column 20 is the
    // line's terminator and places an empty string.
    text[1] = '\0';
    for (int line = 2; line < pageLayout.blockLines; ++line) {
        const int y = y0 - pageLayout.lineStep * line;
        for (int column = 0; column < pageLayout.lineCells; ++column) {
            text[0] = target.grid.cell(month, line, column);
            placeText(target.page, x0 + pageLayout.cellWidth * column, y, text);
        }
    }
}

}  // namespace

PageLayout threePerRowLayout(float pageWidth, float pageHeight)
{
    // Three columns of 147 points share the free width with the margin and gaps;
    // four rows of 128 points leave d for the margins and gaps below them.
    const int leftMargin = static_cast<int>((pageWidth - 441) * 0.25);
    const int d = static_cast<int>((pageHeight - 512) / 5);
    return PageLayout{
        .fontName = "Helvetica", .yearFontSize = 24, .bodyFontSize = 11, .cellWidth = 7, .lineStep = 16,
        .monthsPerRow = 3, .blockLines = 8, .lineCells = 21, .rowPitch = 128, .columnPitch = 147,
        .leftMargin = leftMargin, .columnGap = leftMargin, .topMargin = static_cast<int>(d * 1.6),
        .rowGap = d - 10, .yearDrop = 60};
}

PageLayout twoPerRowLayout(float pageWidth, float pageHeight)
{
    // Two columns of 147 points and six rows of 112 points.
    const int leftMargin = static_cast<int>((pageWidth - 294) / 3);
    const int d = static_cast<int>((pageHeight - 672) / 7);
    return PageLayout{
        .fontName = "Helvetica", .yearFontSize = 24, .bodyFontSize = 11, .cellWidth = 7, .lineStep = 14,
        .monthsPerRow = 2, .blockLines = 8, .lineCells = 21, .rowPitch = 112, .columnPitch = 147,
        .leftMargin = leftMargin, .columnGap = leftMargin, .topMargin = static_cast<int>((d + 25) * 1.6),
        .rowGap = d - 10, .yearDrop = 40};
}

void layoutThreePerRow(const CalendarPage& target)
{
    drawCalendarPage(target, threePerRowLayout(HPDF_Page_GetWidth(target.page), HPDF_Page_GetHeight(target.page)));
}

void layoutTwoPerRow(const CalendarPage& target)
{
    drawCalendarPage(target, twoPerRowLayout(HPDF_Page_GetWidth(target.page), HPDF_Page_GetHeight(target.page)));
}

void drawCalendarPage(const CalendarPage& target, const PageLayout& pageLayout)
{
    const float height = HPDF_Page_GetHeight(target.page);
    const float width = HPDF_Page_GetWidth(target.page);

    selectFont(target, pageLayout, pageLayout.yearFontSize);
    char yearText[16];
    std::snprintf(yearText, sizeof yearText, "%u", static_cast<unsigned>(target.grid.getYear()));
    const float yearWidth = HPDF_Page_TextWidth(target.page, yearText);
    placeText(target.page, static_cast<int>((width - yearWidth) * 0.5), static_cast<int>(height - pageLayout.yearDrop),
              yearText);

    selectFont(target, pageLayout, pageLayout.bodyFontSize);
    for (int month = 0; month < 12; ++month) {
        if (HPDF_GetError(target.document) != HPDF_OK)
            return;
        const int column = month % pageLayout.monthsPerRow;
        const int row = month / pageLayout.monthsPerRow;
        const int x0 = (pageLayout.columnPitch + pageLayout.columnGap) * column + pageLayout.leftMargin;
        const int y0 = static_cast<int>(height - pageLayout.topMargin - (pageLayout.rowPitch + pageLayout.rowGap) * row);
        drawMonth(target, pageLayout, month, x0, y0);
    }

    char footer[64];
    std::snprintf(footer, sizeof footer, "%s/calendar", publisherAddress);
    placeText(target.page, static_cast<int>(width - 150), 12, footer);
}
