#include "app/calendar_setup.h"

#include "app/language_codes.h"
#include "calendar/page_layout.h"
#include "calendar/text_encoding.h"
#include "calendar/weekday_headings.h"
#include "platform/calendar_locale.h"
#include "platform/typeface_for_text.h"

#include <cstdlib>

namespace {

// The first `count` characters of UTF-8 text, for messages.
std::string leadingCharacters(const std::string& text, std::size_t count)
{
    const std::u32string characters = decodeUtf8(text).value_or(std::u32string{});
    return encodeUtf8(characters.substr(0, count));
}

// The locale's paper in millimetres, matched to the nearest named size within
// 2 mm; anything else is printed on A4.
PaperSize paperFromLocale()
{
    const PaperMillimetres paper = localePaperSize();
    for (const Paper& named : papers)
        if (std::abs(paper.width - named.widthMillimetres) <= 2 && std::abs(paper.height - named.heightMillimetres) <= 2)
            return named.points;
    return paperA4;
}

CalendarNames fromLocale(const LocaleNames& locale)
{
    CalendarNames names;
    names.months = locale.months;
    names.weekdays = weekdayHeadings(locale.weekdayShort, locale.weekdayLong);
    return names;
}

// Every character a font has to show for these texts, with the digits and the
// dash of the year, the days and the week numbers.
std::u32string charactersOf(const std::vector<std::string>& texts)
{
    std::u32string characters = U"0123456789-";
    for (const std::string& text : texts)
        characters += decodeUtf8(text).value_or(std::u32string{});
    return characters;
}

// The names of the chosen language, or of the user's date locale; English with
// a warning when that language's locale is not installed.
CalendarNames chooseNames(const CalendarChoices& choices, std::vector<std::string>& warnings)
{
    if (!choices.language) {
        const auto names = localeNames("");
        return names ? fromLocale(*names) : englishCalendarNames();
    }
    const ChosenLanguage& language = *choices.language;
    if (language.locale.installed)
        if (const auto names = localeNames(language.locale.name))
            return fromLocale(*names);
    warnings.push_back("the locale for language '" + language.code + "' (" + language.locale.name +
                       ") is not installed; the calendar is in English");
    return englishCalendarNames();
}

// The base font shows the names when it can; otherwise they need a font of
// the system's, and without one the page falls back to English names, with
// the footer as given in a font that has it (an en dash, Cyrillic) where the
// base font cannot show it.
void chooseFont(PageOptions& page, CalendarSetup& setup)
{
    const std::vector<std::string> texts = pageTexts(page.names, page.footerText);
    page.font.encoding = baseFontEncodingFor(texts);
    if (page.font.encoding != BaseFontEncoding::none)
        return;
    if (const auto font = findTypefaceFor(charactersOf(texts))) {
        page.font.path = font->path;
        page.font.index = font->index;
        return;
    }
    page.names = englishCalendarNames();
    const std::vector<std::string> englishTexts = pageTexts(page.names, page.footerText);
    page.font.encoding = baseFontEncodingFor(englishTexts);
    if (page.font.encoding == BaseFontEncoding::none) {
        const auto font = findTypefaceFor(charactersOf(englishTexts));
        if (!font) {
            setup.error = "no installed font can show the footer text";
            return;
        }
        page.font.path = font->path;
        page.font.index = font->index;
    }
    setup.warnings.push_back("no installed font can show the month and weekday names of that language; "
                             "the calendar is in English");
}

}  // namespace

CalendarSetup setUpCalendar(const CommandLine& line)
{
    CalendarSetup setup;
    const CalendarChoices& choices = line.calendar;
    if (line.weekendGiven)
        setup.weekendDay = line.weekendDay;
    else
        setup.weekendDay = (choices.weekStarts.value_or(localeFirstWeekday()) + 6) % 7;
    setup.firstMonth = choices.firstMonth;
    setup.page.names = chooseNames(choices, setup.warnings);
    if (line.action != CommandLine::Action::pdf)
        return setup;

    PageOptions& page = setup.page;
    page.paper = choices.paper ? papers[*choices.paper].points : paperFromLocale();
    page.landscape = choices.landscape;
    page.weekNumbers = choices.weekNumbers;
    page.shadeWeekends = choices.shadeWeekends;
    page.footer = !choices.noFooter;
    page.footerText = choices.footer.value_or("");
    page.compress = choices.compress;

    chooseFont(page, setup);
    return setup;
}

std::string unreadableFooterError(const std::string& footerText)
{
    constexpr std::size_t shown = 40;
    const std::string start = leadingCharacters(footerText, shown);
    return "invalid footer '" + start + (start.size() < footerText.size() ? "...'" : "'") +
           " (expected a line that fits across the page at " + std::to_string(smallestFooterSize) + " pt or larger)";
}
