#include "calendar/page_layout.h"

#include "calendar/calendar_document.h"
#include "calendar/calendar_grid.h"
#include "calendar/civil_date.h"
#include "calendar/page_options.h"
#include "calendar/publisher.h"
#include "calendar/text_encoding.h"
#include "calendar/page_font.h"
#include "calendar/visual_order.h"

#include <algorithm>
#include <array>
#include <cstdio>
#include <string>
#include <vector>

namespace {

// Drawing parameters of one calendar page. Lengths are PDF points (1/72 inch),
// y grows upwards from the bottom edge of the page.
struct PageLayout {
    int yearFontSize;
    int bodyFontSize;  // month names, weekday header, days and footer
    int cellWidth;     // horizontal pitch of one grid character
    int lineStep;      // vertical pitch of one grid line
    int monthsPerRow;
    int blockLines;    // block lines drawn per month: title, header, six week lines
    int lineCells;     // cells drawn per week line, terminator included
    int rowPitch;      // height reserved for one row of months
    int columnPitch;   // width reserved for one month column
    int leftMargin;
    int columnGap;     // added to columnPitch between month columns
    int topMargin;     // top edge to the month-name baseline of the first row
    int rowGap;        // added to rowPitch between month rows
    int yearDrop;      // top edge to the year baseline
};

// The PDF base font every page uses unless its names need a TrueType font.
constexpr const char* baseFontName = "Helvetica";

// Colours of what the options add; the calendar itself stays black.
struct Rgb {
    float red, green, blue;
};
constexpr Rgb black{0, 0, 0};
constexpr Rgb markedDayColour{0.8f, 0.05f, 0.05f};
constexpr Rgb weekendShade{0.88f, 0.88f, 0.88f};
constexpr Rgb weekNumberColour{0.45f, 0.45f, 0.45f};
constexpr int weekNumberFontSize = 7;

// Space every layout keeps free beside and between month columns, and the
// smallest d (see calendarLayoutFor) that keeps the year title clear of the
// first row of months: smaller pages get the whole drawing scaled down.
constexpr int minimumColumnGap = 20;
constexpr int minimumRowSpace[2] = {47, 10};

// Every string is its own text object, so (x, y) is the absolute start of the
// baseline. Coordinates are whole points.
void placeText(HPDF_Page page, int x, int y, const char* text)
{
    HPDF_Page_BeginText(page);
    HPDF_Page_MoveTextPos(page, static_cast<HPDF_REAL>(x), static_cast<HPDF_REAL>(y));
    HPDF_Page_ShowText(page, text);
    HPDF_Page_EndText(page);
}

void setFill(HPDF_Page page, Rgb colour)
{
    HPDF_Page_SetRGBFill(page, colour.red, colour.green, colour.blue);
}

// One page being drawn: where, with which parameters and options, and the
// texts already in the font's encoding.
class PageDrawing {
public:
    PageDrawing(const CalendarPage& page, const PageLayout& pageLayout, const PageOptions& pageOptions,
                float pageWidth, float pageHeight, double drawingScale)
        : target(page), layout(pageLayout), options(pageOptions), width(pageWidth), height(pageHeight),
          scale(drawingScale)
    {
        if (options.font.encoding == BaseFontEncoding::none)
            setUpEmbeddedFont();
        else if (winAnsi)
            encodingName = "WinAnsiEncoding";
        for (int m = 0; m < 12; ++m)
            months[m] = encoded(options.names.months[m]);
        for (int d = 0; d < 7; ++d)
            weekdays[d] = encoded(options.names.weekdays[d]);
    }

    // False when the options' own footer is refused (drawCalendar).
    bool draw();

private:
    // Texts in the order they are drawn, left to right, in the font's encoding.
    std::string encoded(const std::string& text) const
    {
        if (winAnsi)
            return toWinAnsi(text);
        const std::string drawn = visualOrder(text);
        return singleByte.empty() ? drawn : singleByte.encode(drawn);
    }
    std::string footerText() const;
    void setUpEmbeddedFont();
    void selectFont(int size) const
    {
        HPDF_Font font = HPDF_GetFont(target.document, fontName ? fontName : baseFontName, encodingName);
        HPDF_Page_SetFontAndSize(target.page, font, static_cast<HPDF_REAL>(size));
    }
    int monthX(int block) const
    {
        return (layout.columnPitch + layout.columnGap) * (block % layout.monthsPerRow) + layout.leftMargin;
    }
    int monthY(int block) const
    {
        return static_cast<int>(height - layout.topMargin - (layout.rowPitch + layout.rowGap) * (block / layout.monthsPerRow));
    }
    // The day shown in week line `line` (2..7), weekday column 0..6, or 0 for a blank.
    int dayAt(int block, int line, int column) const
    {
        const int day = (line - 2) * 7 + column - target.grid.startColumn(block) + 1;
        return day >= 1 && day <= daysInMonth(target.grid.blockYear(block), target.grid.blockMonth(block)) ? day : 0;
    }
    long long dateOf(int block, int day) const
    {
        return daysFromCivil(target.grid.blockYear(block), target.grid.blockMonth(block), day);
    }
    void fitHeadings();
    void drawTitle() const;
    void shadeWeekends(int block, int x0, int y0) const;
    void drawMonth(int block, int x0, int y0) const;
    void drawWeekNumbers() const;
    bool drawFooter() const;
    std::string footerLine() const;
    float footerRoom() const { return width - 2 * minimumColumnGap; }
    float footerSizeFor(float textWidth) const;

    const CalendarPage& target;
    const PageLayout& layout;
    const PageOptions& options;
    const float width;
    const float height;
    const double scale;  // of the whole drawing on the paper
    const char* fontName = nullptr;      // a loaded TrueType font, else the base font
    const char* encodingName = nullptr;  // nullptr: the base font's own encoding
    const bool winAnsi = options.font.encoding == BaseFontEncoding::winAnsi;
    SingleByteEncoding singleByte;       // empty: the embedded font takes UTF-8
    std::array<std::string, 12> months;
    std::array<std::string, 7> weekdays;
    std::array<HPDF_REAL, 7> headingScales{};  // per cent of the width; 0: as it is
};

// A weekday heading wider than its column of three cells, less three points
// that keep it off the next one, is drawn narrower (horizontal scaling), so
// that it fits at the same height.
void PageDrawing::fitHeadings()
{
    const auto room = static_cast<HPDF_REAL>(3 * layout.cellWidth - 3);
    for (int d = 0; d < 7; ++d) {
        const HPDF_REAL headingWidth = HPDF_Page_TextWidth(target.page, weekdays[d].c_str());
        headingScales[d] = headingWidth > room ? 100 * room / headingWidth : 0;
    }
}

std::string PageDrawing::footerText() const
{
    if (!options.footerText.empty())
        return options.footerText;
    char address[64];
    std::snprintf(address, sizeof address, "%s/calendar", publisherAddress);
    return address;
}

// The font file cut down to the glyphs this page shows, in a single-byte
// encoding when one code page holds every character: then the document needs
// neither a map from 16-bit codes to glyphs nor the font's tables for
// thousands of glyphs it does not use. A file that cannot be cut down is
// handed to the library whole.
void PageDrawing::setUpEmbeddedFont()
{
    char title[32];
    formatCalendarTitle(title, sizeof title, target.grid.getYear(), target.grid.getFirstMonth());
    std::vector<std::string> texts{title, "0123456789 ", footerText()};
    texts.insert(texts.end(), options.names.months.begin(), options.names.months.end());
    texts.insert(texts.end(), options.names.weekdays.begin(), options.names.weekdays.end());
    std::u32string characters;
    for (const std::string& text : texts)
        characters += decodeUtf8(visualOrder(text)).value_or(std::u32string{});

    singleByte = singleByteEncodingFor(target.document, characters);
    if (singleByte.empty()) {
        HPDF_UseUTFEncodings(target.document);
        encodingName = "UTF-8";
    } else {
        encodingName = singleByte.name;
    }
    fontName = loadEmbeddedFont(target.document, target.fontFile, options.font.path, options.font.index, characters);
}

void PageDrawing::drawTitle() const
{
    selectFont(layout.yearFontSize);
    char title[32];
    formatCalendarTitle(title, sizeof title, target.grid.getYear(), target.grid.getFirstMonth());
    const float titleWidth = HPDF_Page_TextWidth(target.page, title);
    placeText(target.page, static_cast<int>((width - titleWidth) * 0.5), static_cast<int>(height - layout.yearDrop),
              title);
}

// A light box behind the two digits of every Saturday and Sunday.
void PageDrawing::shadeWeekends(int block, int x0, int y0) const
{
    setFill(target.page, weekendShade);
    for (int column = 0; column < 7; ++column) {
        const int weekday = (column + target.grid.firstWeekday()) % 7;
        if (weekday != 0 && weekday != 6)
            continue;
        for (int line = 2; line < layout.blockLines; ++line)
            if (dayAt(block, line, column) != 0)
                HPDF_Page_Rectangle(target.page, static_cast<HPDF_REAL>(x0 + 3 * layout.cellWidth * column - 2),
                                    static_cast<HPDF_REAL>(y0 - layout.lineStep * line - 3),
                                    static_cast<HPDF_REAL>(2 * layout.cellWidth + 4),
                                    static_cast<HPDF_REAL>(layout.lineStep - 2));
    }
    HPDF_Page_Fill(target.page);
    setFill(target.page, black);
}

void PageDrawing::drawMonth(int block, int x0, int y0) const
{
    const std::string& name = months[target.grid.blockMonth(block) - 1];
    const float nameWidth = HPDF_Page_TextWidth(target.page, name.c_str());
    placeText(target.page, static_cast<int>((layout.cellWidth * 20 - nameWidth) * 0.5 + x0), y0, name.c_str());

    const int first = target.grid.firstWeekday();
    for (int i = 0; i < 7; ++i) {
        const int day = (i + first) % 7;
        if (headingScales[day] != 0)
            HPDF_Page_SetHorizontalScalling(target.page, headingScales[day]);
        placeText(target.page, x0 + 3 * layout.cellWidth * i, y0 - layout.lineStep, weekdays[day].c_str());
        if (headingScales[day] != 0)
            HPDF_Page_SetHorizontalScalling(target.page, 100);
    }

    // Every cell is placed on its own, blanks too, so the page keeps the grid's
    // fixed pitch whatever the proportional widths of the font. Column 20 is the
    // line's terminator and places an empty string.
    char text[2] = {};
    for (int line = 2; line < layout.blockLines; ++line) {
        const int y = y0 - layout.lineStep * line;
        for (int column = 0; column < layout.lineCells; ++column) {
            const bool marked = !options.marked.empty() && column % 3 == 0 && column < 20 &&
                                dayAt(block, line, column / 3) != 0 &&
                                options.marked.count(dateOf(block, dayAt(block, line, column / 3))) != 0;
            if (marked)
                setFill(target.page, markedDayColour);
            text[0] = target.grid.cell(block, line, column);
            placeText(target.page, x0 + layout.cellWidth * column, y, text);
            if (marked) {
                text[0] = target.grid.cell(block, line, ++column);
                placeText(target.page, x0 + layout.cellWidth * column, y, text);
                setFill(target.page, black);
            }
        }
    }
}

// Each week line is numbered with the ISO week that holds its Thursday, the
// week with most of the line's days; for weeks from Monday the two are the same.
void PageDrawing::drawWeekNumbers() const
{
    selectFont(weekNumberFontSize);
    setFill(target.page, weekNumberColour);
    const int thursdayColumn = ((4 - target.grid.firstWeekday()) % 7 + 7) % 7;
    for (int block = 0; block < 12; ++block) {
        const long long firstOfMonth = dateOf(block, 1);
        for (int line = 2; line < layout.blockLines; ++line) {
            if (dayAt(block, line, 0) == 0 && dayAt(block, line, 6) == 0)
                continue;
            const long long lineStart = firstOfMonth - target.grid.startColumn(block) + 7 * (line - 2);
            char number[4];
            std::snprintf(number, sizeof number, "%d", isoWeekFromDays(lineStart + thursdayColumn).week);
            const float numberWidth = HPDF_Page_TextWidth(target.page, number);
            placeText(target.page, static_cast<int>(monthX(block) - 4 - numberWidth), monthY(block) - layout.lineStep * line,
                      number);
        }
    }
    setFill(target.page, black);
    selectFont(layout.bodyFontSize);
}

bool PageDrawing::drawFooter() const
{
    if (!options.footer)
        return true;
    const std::string footer = footerLine();
    // The options' own footer is refused when it is longer than any line the
    // library can show, or would be printed smaller than smallestFooterSize.
    const bool ownFooter = !options.footerText.empty();
    if (ownFooter && footer.size() > HPDF_LIMIT_MAX_STRING_LEN)
        return false;
    // The line starts 150 points before the right edge, as long as it ends
    // inside the page; a wider one (another text, a wider font) ends at the
    // margin instead, and one too wide for the page is set smaller.
    const float textWidth = HPDF_Page_TextWidth(target.page, footer.c_str());
    if (ownFooter && footerSizeFor(textWidth) * scale < smallestFooterSize)
        return false;
    int x = static_cast<int>(width - 150);
    if (x + textWidth > width) {
        if (textWidth > footerRoom())
            selectFont(std::max(1, static_cast<int>(footerSizeFor(textWidth))));
        x = static_cast<int>(width - minimumColumnGap - std::min(textWidth, footerRoom()));
    }
    placeText(target.page, x, 12, footer.c_str());
    return true;
}

std::string PageDrawing::footerLine() const
{
    return encoded(footerText());
}

float PageDrawing::footerSizeFor(float textWidth) const
{
    return textWidth > footerRoom() ? layout.bodyFontSize * footerRoom() / textWidth : layout.bodyFontSize;
}

bool PageDrawing::draw()
{
    drawTitle();
    selectFont(layout.bodyFontSize);
    fitHeadings();
    for (int block = 0; block < 12; ++block) {
        if (HPDF_GetError(target.document) != HPDF_OK)
            return true;
        if (options.shadeWeekends)
            shadeWeekends(block, monthX(block), monthY(block));
        drawMonth(block, monthX(block), monthY(block));
    }
    if (options.weekNumbers)
        drawWeekNumbers();
    return drawFooter();
}

// Either layout (threePerRowLayoutId, twoPerRowLayoutId) with `monthsPerRow`
// month columns (3 or 2 on an upright page, 4 or 6 on a landscape one) for a
// page of the given size. 3 x 147 points of columns and 4 x 128 points of rows
// on the default page; the free width is shared by the margins and the gaps,
// the free height gives d.
PageLayout calendarLayoutFor(int calendarLayout, int monthsPerRow, float pageWidth, float pageHeight)
{
    const bool threePerRow = calendarLayout == threePerRowLayoutId;
    const int rows = 12 / monthsPerRow;
    const int rowPitch = threePerRow ? 128 : 112;
    const int leftMargin = static_cast<int>((pageWidth - monthsPerRow * 147.0) / (monthsPerRow + 1));
    const int d = static_cast<int>((pageHeight - rows * rowPitch) / static_cast<float>(rows + 1));
    return PageLayout{
        .yearFontSize = 24, .bodyFontSize = 11, .cellWidth = 7,
        .lineStep = threePerRow ? 16 : 14, .monthsPerRow = monthsPerRow, .blockLines = 8, .lineCells = 21,
        .rowPitch = rowPitch, .columnPitch = 147, .leftMargin = leftMargin, .columnGap = leftMargin,
        .topMargin = static_cast<int>(threePerRow ? d * 1.6 : (d + 25) * 1.6), .rowGap = d - 10,
        .yearDrop = threePerRow ? 60 : 40};
}

// Where the options' paper puts the drawing: the page in points, the scale
// applied to the whole drawing (paper too small for the layout, or larger
// than A4 both ways), and the drawing's own size and layout before scaling.
struct FittedPage {
    int pageWidth;
    int pageHeight;
    double scale;
    float width;
    float height;
    PageLayout layout;
};

FittedPage fitPage(int calendarLayout, const PageOptions& options)
{
    const PaperSize portrait = options.paper;
    const int pageWidth = options.landscape ? portrait.height : portrait.width;
    const int pageHeight = options.landscape ? portrait.width : portrait.height;
    const bool threePerRow = calendarLayout == threePerRowLayoutId;
    const int monthsPerRow = options.landscape ? (threePerRow ? 4 : 6) : (threePerRow ? 3 : 2);
    const int rows = 12 / monthsPerRow;
    const double neededWidth = monthsPerRow * 147.0 + (monthsPerRow + 1) * minimumColumnGap;
    const double neededHeight = rows * (threePerRow ? 128.0 : 112.0) + (rows + 1) * minimumRowSpace[threePerRow ? 0 : 1];
    double scale = std::min({1.0, pageWidth / neededWidth, pageHeight / neededHeight});
    if (scale == 1.0) {
        // Paper larger than A4 both ways shows the A4 page enlarged.
        const double a4Width = options.landscape ? paperA4.height : paperA4.width;
        const double a4Height = options.landscape ? paperA4.width : paperA4.height;
        scale = std::max(1.0, std::min(pageWidth / a4Width, pageHeight / a4Height));
    }
    const auto width = static_cast<float>(pageWidth / scale);
    const auto height = static_cast<float>(pageHeight / scale);
    return {pageWidth, pageHeight, scale, width, height, calendarLayoutFor(calendarLayout, monthsPerRow, width, height)};
}

}  // namespace

bool drawCalendar(const CalendarPage& target, int calendarLayout, const PageOptions& options)
{
    if (calendarLayout != threePerRowLayoutId && calendarLayout != twoPerRowLayoutId)
        return true;
    const FittedPage fitted = fitPage(calendarLayout, options);
    // The library's default page is A4 upright; it is left as it is.
    if (fitted.pageWidth != paperA4.width || fitted.pageHeight != paperA4.height) {
        HPDF_Page_SetWidth(target.page, static_cast<HPDF_REAL>(fitted.pageWidth));
        HPDF_Page_SetHeight(target.page, static_cast<HPDF_REAL>(fitted.pageHeight));
    }
    if (fitted.scale != 1.0) {
        const auto s = static_cast<HPDF_REAL>(fitted.scale);
        HPDF_Page_Concat(target.page, s, 0, 0, s, 0, 0);
    }
    return PageDrawing(target, fitted.layout, options, fitted.width, fitted.height, fitted.scale).draw();
}
