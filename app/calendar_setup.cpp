#include "app/calendar_setup.h"

#include "app/language_codes.h"
#include "calendar/page_layout.h"
#include "calendar/text_encoding.h"
#include "platform/calendar_locale.h"
#include "platform/typeface_for_text.h"

#include <cstdlib>

namespace {

constexpr PaperSize paperSizes[] = {paperA4, paperLetter, paperLegal, paperA3, paperA5};
static_assert(std::size(paperSizes) == std::size(paperNames));

// The locale's paper in millimetres, matched to the nearest named size within
// 2 mm; anything else is printed on A4.
PaperSize paperFromLocale()
{
    constexpr PaperMillimetres millimetres[] = {{210, 297}, {216, 279}, {216, 356}, {297, 420}, {148, 210}};
    const PaperMillimetres paper = localePaperSize();
    for (std::size_t i = 0; i < std::size(millimetres); ++i)
        if (std::abs(paper.width - millimetres[i].width) <= 2 && std::abs(paper.height - millimetres[i].height) <= 2)
            return paperSizes[i];
    return paperA4;
}

// The first `count` characters of UTF-8 text.
std::string leadingCharacters(const std::string& text, std::size_t count)
{
    const std::u32string characters = decodeUtf8(text).value_or(std::u32string{});
    return encodeUtf8(characters.substr(0, count));
}

CalendarNames fromLocale(const LocaleNames& locale)
{
    CalendarNames names;
    names.months = locale.months;
    // The grid has room for two letters per weekday.
    for (int d = 0; d < 7; ++d)
        names.weekdays[d] = leadingCharacters(locale.weekdayShort[d], 2);
    return names;
}

std::u32string charactersOf(const CalendarNames& names, const std::string& footer)
{
    std::u32string characters;
    for (const std::string& month : names.months)
        characters += decodeUtf8(month).value_or(std::u32string{});
    for (const std::string& weekday : names.weekdays)
        characters += decodeUtf8(weekday).value_or(std::u32string{});
    characters += decodeUtf8(footer).value_or(std::u32string{});
    // The year, the days and the week numbers.
    characters += U"0123456789-";
    return characters;
}

bool needsEmbeddedFont(const CalendarNames& names, const std::string& footer)
{
    std::vector<std::string> texts(names.months.begin(), names.months.end());
    texts.insert(texts.end(), names.weekdays.begin(), names.weekdays.end());
    texts.push_back(footer);
    return baseFontEncodingFor(texts) == BaseFontEncoding::none;
}

// The names of the chosen language, or of the user's date locale; English with
// a warning when that language's locale is not installed.
CalendarNames chooseNames(const CalendarChoices& choices, std::vector<std::string>& warnings)
{
    if (!choices.language) {
        const auto names = localeNames("", "");
        return names ? fromLocale(*names) : englishCalendarNames();
    }
    const ResolvedLanguage language = resolveLanguageCode(*choices.language);
    const auto names = localeNames(std::string(language.language), std::string(language.territory));
    if (names)
        return fromLocale(*names);
    warnings.push_back("the locale for language '" + *choices.language + "' (" + std::string(language.language) + "_" +
                       std::string(language.territory) + ".UTF-8) is not installed; the calendar is in English");
    return englishCalendarNames();
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
    if (line.action != CommandLine::Action::pdf)
        return setup;

    PageOptions& page = setup.page;
    page.paper = choices.paper ? paperSizes[*choices.paper] : paperFromLocale();
    page.landscape = choices.landscape;
    page.weekNumbers = choices.weekNumbers;
    page.shadeWeekends = choices.shadeWeekends;
    page.footer = !choices.noFooter;
    page.footerText = choices.footer.value_or("");
    page.compress = choices.compress;
    page.names = chooseNames(choices, setup.warnings);

    if (needsEmbeddedFont(page.names, page.footerText)) {
        if (const auto font = findTypefaceFor(charactersOf(page.names, page.footerText))) {
            page.font = EmbeddedFont{font->path, font->index};
        } else if (needsEmbeddedFont(englishCalendarNames(), page.footerText)) {
            setup.error = "no installed font can show the footer text";
        } else {
            setup.warnings.push_back("no installed font can show the month and weekday names of that language; "
                                     "the calendar is in English");
            page.names = englishCalendarNames();
        }
    }
    if (setup.error.empty() && !footerFitsReadably(line.calendarLayout, page)) {
        constexpr std::size_t shown = 40;
        const std::string start = leadingCharacters(page.footerText, shown);
        setup.error = "invalid footer '" + start + (start.size() < page.footerText.size() ? "...'" : "'") +
                      " (expected a line that fits across the page at " + std::to_string(smallestFooterSize) +
                      " pt or larger)";
    }
    return setup;
}
