#include "platform/calendar_locale.h"

#include <algorithm>
#include <climits>
#include <cstdint>
#include <cstring>
#include <cwchar>
#include <dirent.h>
#include <langinfo.h>
#include <locale.h>
#include <memory>
#include <new>
#include <set>
#include <vector>
#include <wctype.h>

#include "platform/posix/memory_headroom.h"

namespace {

struct LocaleFree {
    void operator()(locale_t locale) const noexcept { freelocale(locale); }
};
using LocaleHandle = std::unique_ptr<std::remove_pointer_t<locale_t>, LocaleFree>;

// newlocale, with a locale that could not be loaded for lack of memory told
// apart (std::bad_alloc) from one that is not installed (null).
LocaleHandle openLocale(int categoryMask, const char* name)
{
    LocaleHandle locale(newlocale(categoryMask, name, nullptr));
    if (!locale)
        requireMemoryForLookup();
    return locale;
}

// The C locale is always there: only memory can be missing.
LocaleHandle cLocale(int categoryMask)
{
    LocaleHandle locale(newlocale(categoryMask, "C", nullptr));
    if (!locale)
        throw std::bad_alloc();
    return locale;
}

// The user's locale for one category, as the environment names it (LC_ALL,
// then LC_xxx, then LANG); the C locale when it is not installed.
LocaleHandle userLocale(int categoryMask)
{
    LocaleHandle locale = openLocale(categoryMask, "");
    return locale ? std::move(locale) : cLocale(categoryMask);
}

bool isPlainCLocale(locale_t locale, int category)
{
    const char* name = nl_langinfo_l(_NL_LOCALE_NAME(category), locale);
    return !name || std::strcmp(name, "C") == 0 || std::strcmp(name, "POSIX") == 0 || std::strncmp(name, "C.", 2) == 0;
}

// glibc hands out its one-word items (paper sizes, week-1stday) in the bits
// of the pointer itself.
unsigned wordItem(nl_item item, locale_t locale)
{
    return static_cast<std::uint32_t>(reinterpret_cast<std::uintptr_t>(nl_langinfo_l(item, locale)));
}

// The UTF-8 variant of the user's date locale ("de_DE.ISO-8859-1" is read as
// "de_DE.UTF-8"), so that names always come as UTF-8; the C locale when the
// user's is C, POSIX or not installed.
LocaleHandle userDateLocale()
{
    const LocaleHandle user = userLocale(LC_TIME_MASK);
    if (isPlainCLocale(user.get(), LC_TIME))
        return cLocale(LC_TIME_MASK | LC_CTYPE_MASK);
    std::string name = nl_langinfo_l(_NL_LOCALE_NAME(LC_TIME), user.get());
    const std::size_t at = name.find('@');
    const std::string modifier = at == std::string::npos ? "" : name.substr(at);
    name = name.substr(0, std::min(name.find('.'), name.find('@'))) + ".UTF-8" + modifier;
    LocaleHandle locale = openLocale(LC_TIME_MASK | LC_CTYPE_MASK, name.c_str());
    return locale ? std::move(locale) : cLocale(LC_TIME_MASK | LC_CTYPE_MASK);
}

// The name with its first letter in upper case, as the locale's case rules
// have it ("únor" becomes "Únor"). The locale's character set (UTF-8, or
// ASCII in the C locale) reads and writes the letter.
std::string capitalised(const char* name, locale_t locale)
{
    const locale_t previous = uselocale(locale);
    std::string result = name;
    std::mbstate_t state{};
    wchar_t first = 0;
    const std::size_t length = std::mbrtowc(&first, name, result.size(), &state);
    if (length != 0 && length <= result.size()) {
        char upper[MB_LEN_MAX];
        state = {};
        const std::size_t size = std::wcrtomb(upper, static_cast<wchar_t>(towupper_l(static_cast<wint_t>(first), locale)), &state);
        if (size != static_cast<std::size_t>(-1))
            result.replace(0, length, upper, size);
    }
    uselocale(previous);
    return result;
}

// A locale that opens and writes its names in UTF-8.
bool opensAsUtf8(const std::string& name)
{
    const LocaleHandle locale = openLocale(LC_TIME_MASK | LC_CTYPE_MASK, name.c_str());
    return locale && std::strcmp(nl_langinfo_l(CODESET, locale.get()), "UTF-8") == 0;
}

// The territories of the language's locales in the system's folder of
// compiled locales (what locales-all installs), as "de_AT" for "de_AT.utf8".
std::set<std::string> installedLocalesOf(const std::string& language)
{
    std::set<std::string> found;
    const std::unique_ptr<DIR, int (*)(DIR*)> folder(opendir("/usr/lib/locale"), closedir);
    if (!folder)
        return found;
    while (const dirent* entry = readdir(folder.get())) {
        const std::string_view name = entry->d_name;
        if (name.size() > language.size() + 1 && name.starts_with(language) && name[language.size()] == '_')
            found.emplace(name.substr(0, name.find_first_of(".@")));
    }
    return found;
}

// glibc writes a script as a modifier ("sr_RS@latin").
std::string modifierOfScript(const std::string& script)
{
    if (script == "Latn")
        return "latin";
    if (script == "Cyrl")
        return "cyrillic";
    if (script == "Deva")
        return "devanagari";
    return {};
}

}  // namespace

FoundLocale findLocale(const LanguageRequest& request, std::string_view usualTerritory)
{
    std::vector<std::string> bases;
    if (!request.territory.empty()) {
        bases.push_back(request.language + "_" + request.territory);
    } else {
        if (!usualTerritory.empty())
            bases.push_back(request.language + "_" + std::string(usualTerritory));
        std::string same = request.language;
        for (char& c : same)
            c = static_cast<char>(c >= 'a' && c <= 'z' ? c - 'a' + 'A' : c);
        bases.push_back(request.language + "_" + same);
        bases.push_back(request.language);
        for (const std::string& installed : installedLocalesOf(request.language))
            bases.push_back(installed);
    }
    // A modifier that names a script must hold; others ("euro", "valencia")
    // are dropped when no locale has them.
    const std::string scriptModifier = modifierOfScript(request.script);
    const std::string modifier = request.modifier.empty() ? scriptModifier : request.modifier;
    const bool modifierNeeded = !scriptModifier.empty() || modifier == "latin" || modifier == "cyrillic" ||
                                modifier == "devanagari";
    const std::string suffix = modifier.empty() ? "" : "@" + modifier;
    for (const std::string& base : bases) {
        if (opensAsUtf8(base + ".UTF-8" + suffix))
            return {base + ".UTF-8" + suffix, true};
        if (!modifier.empty() && !modifierNeeded && opensAsUtf8(base + ".UTF-8"))
            return {base + ".UTF-8", true};
    }
    return {bases.front() + ".UTF-8" + suffix, false};
}

std::optional<LocaleNames> localeNames(const std::string& localeName)
{
    LocaleHandle locale;
    if (localeName.empty())
        locale = userDateLocale();
    else
        locale = openLocale(LC_TIME_MASK | LC_CTYPE_MASK, localeName.c_str());
    if (!locale)
        return std::nullopt;
    // ALTMON is the form a month takes on its own (Polish "styczeń"), MON the
    // one inside a date ("stycznia"); in most languages they are the same.
    static constexpr nl_item months[12] = {ALTMON_1, ALTMON_2, ALTMON_3, ALTMON_4,  ALTMON_5,  ALTMON_6,
                                           ALTMON_7, ALTMON_8, ALTMON_9, ALTMON_10, ALTMON_11, ALTMON_12};
    static constexpr nl_item weekdays[7] = {ABDAY_1, ABDAY_2, ABDAY_3, ABDAY_4, ABDAY_5, ABDAY_6, ABDAY_7};
    LocaleNames names;
    for (int m = 0; m < 12; ++m)
        names.months[m] = capitalised(nl_langinfo_l(months[m], locale.get()), locale.get());
    static constexpr nl_item fullWeekdays[7] = {DAY_1, DAY_2, DAY_3, DAY_4, DAY_5, DAY_6, DAY_7};
    for (int d = 0; d < 7; ++d) {
        names.weekdayShort[d] = capitalised(nl_langinfo_l(weekdays[d], locale.get()), locale.get());
        names.weekdayLong[d] = capitalised(nl_langinfo_l(fullWeekdays[d], locale.get()), locale.get());
    }
    return names;
}

int localeFirstWeekday()
{
    const LocaleHandle locale = userLocale(LC_TIME_MASK);
    if (isPlainCLocale(locale.get(), LC_TIME))
        return 1;
    // first_weekday counts from 1 at the weekday of the date week-1stday
    // (yyyymmdd, 19971130 = a Sunday in every locale glibc ships).
    const int firstWeekday = nl_langinfo_l(_NL_TIME_FIRST_WEEKDAY, locale.get())[0];
    const unsigned weekStartDate = wordItem(_NL_TIME_WEEK_1STDAY, locale.get());
    const int base = weekStartDate == 19971201 ? 1 : 0;  // Monday, the only other date glibc uses
    return ((base + firstWeekday - 1) % 7 + 7) % 7;
}

PaperMillimetres localePaperSize()
{
    const LocaleHandle locale = userLocale(LC_PAPER_MASK);
    const unsigned width = wordItem(_NL_PAPER_WIDTH, locale.get());
    const unsigned height = wordItem(_NL_PAPER_HEIGHT, locale.get());
    if (width == 0 || height == 0 || width > 10000 || height > 10000)
        return {210, 297};
    return {static_cast<int>(width), static_cast<int>(height)};
}
