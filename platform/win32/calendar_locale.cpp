#include "platform/calendar_locale.h"

#include <vector>
#include <windows.h>

namespace {

std::string utf8(const wchar_t* text, int length = -1)
{
    const int size = WideCharToMultiByte(CP_UTF8, 0, text, length, nullptr, 0, nullptr, nullptr);
    if (size <= 0)
        return {};
    std::string result(static_cast<std::size_t>(size), '\0');
    WideCharToMultiByte(CP_UTF8, 0, text, length, result.data(), size, nullptr, nullptr);
    if (length < 0)
        result.pop_back();  // the terminating zero
    return result;
}

std::wstring wide(const std::string& text)
{
    const int size = MultiByteToWideChar(CP_UTF8, 0, text.c_str(), -1, nullptr, 0);
    std::wstring result(static_cast<std::size_t>(size > 0 ? size : 1), L'\0');
    MultiByteToWideChar(CP_UTF8, 0, text.c_str(), -1, result.data(), size);
    result.pop_back();
    return result;
}

std::wstring localeText(const wchar_t* locale, LCTYPE type)
{
    wchar_t text[128];
    const int length = GetLocaleInfoEx(locale, type, text, static_cast<int>(std::size(text)));
    return length > 0 ? std::wstring(text, static_cast<std::size_t>(length - 1)) : std::wstring();
}

int localeNumber(const wchar_t* locale, LCTYPE type, int fallback)
{
    DWORD value = 0;
    if (GetLocaleInfoEx(locale, type | LOCALE_RETURN_NUMBER, reinterpret_cast<wchar_t*>(&value),
                        sizeof value / sizeof(wchar_t)) <= 0)
        return fallback;
    return static_cast<int>(value);
}

// The name with its first letter in upper case, as the locale's case rules
// have it ("janvier" becomes "Janvier").
std::string capitalised(const wchar_t* locale, std::wstring name)
{
    if (!name.empty()) {
        // A letter outside the basic plane is two code units; both are mapped.
        const int first = IS_HIGH_SURROGATE(name[0]) && name.size() > 1 ? 2 : 1;
        wchar_t upper[4];
        const int length =
            LCMapStringEx(locale, LCMAP_UPPERCASE | LCMAP_LINGUISTIC_CASING, name.c_str(), first, upper, 4, nullptr,
                          nullptr, 0);
        if (length > 0)
            name.replace(0, static_cast<std::size_t>(first), upper, static_cast<std::size_t>(length));
    }
    return utf8(name.c_str(), static_cast<int>(name.size()));
}

}  // namespace

FoundLocale findLocale(const LanguageRequest& request, std::string_view usualTerritory)
{
    // The system names locales in BCP 47; a POSIX modifier that names a
    // script is that script, another one is a variant ("ca-ES-valencia")
    // when the system knows it.
    std::string script = request.script;
    std::string variant;
    if (request.modifier == "latin")
        script = "Latn";
    else if (request.modifier == "cyrillic")
        script = "Cyrl";
    else if (request.modifier == "devanagari")
        script = "Deva";
    else if (!request.modifier.empty() && request.modifier != "euro")
        variant = "-" + request.modifier;
    const std::string language = request.language + (script.empty() ? "" : "-" + script);
    std::vector<std::string> names;
    if (!request.territory.empty()) {
        names.push_back(language + "-" + request.territory);
    } else {
        if (!usualTerritory.empty())
            names.push_back(language + "-" + std::string(usualTerritory));
        names.push_back(language);
    }
    for (const std::string& name : names) {
        if (!variant.empty() && IsValidLocaleName(wide(name + variant).c_str()))
            return {name + variant, true};
        if (IsValidLocaleName(wide(name).c_str()))
            return {name, true};
    }
    return {names.front() + variant, false};
}

std::optional<LocaleNames> localeNames(const std::string& localeName)
{
    const std::wstring name = wide(localeName);
    if (!localeName.empty() && !IsValidLocaleName(name.c_str()))
        return std::nullopt;
    const wchar_t* locale = localeName.empty() ? LOCALE_NAME_USER_DEFAULT : name.c_str();
    // LOCALE_SMONTHNAMEn is the form a month takes on its own (Polish
    // "styczeń"), not the one inside a date.
    LocaleNames names;
    for (int m = 0; m < 12; ++m) {
        const std::wstring month = localeText(locale, LOCALE_SMONTHNAME1 + static_cast<LCTYPE>(m));
        if (month.empty())
            return std::nullopt;
        names.months[m] = capitalised(locale, month);
    }
    // The system counts its weekday names from Monday (LOCALE_SABBREVDAYNAME1).
    for (int d = 0; d < 7; ++d) {
        const std::wstring weekday = localeText(locale, LOCALE_SABBREVDAYNAME1 + static_cast<LCTYPE>((d + 6) % 7));
        if (weekday.empty())
            return std::nullopt;
        names.weekdayShort[d] = capitalised(locale, weekday);
        names.weekdayLong[d] =
            capitalised(locale, localeText(locale, LOCALE_SDAYNAME1 + static_cast<LCTYPE>((d + 6) % 7)));
    }
    return names;
}

int localeFirstWeekday()
{
    // 0 = Monday .. 6 = Sunday.
    const int first = localeNumber(LOCALE_NAME_USER_DEFAULT, LOCALE_IFIRSTDAYOFWEEK, 0);
    return (first + 1) % 7;
}

PaperMillimetres localePaperSize()
{
    // The paper numbers of the printer settings (DMPAPER_...).
    switch (localeNumber(LOCALE_NAME_USER_DEFAULT, LOCALE_IPAPERSIZE, DMPAPER_A4)) {
    case DMPAPER_LETTER:
        return {216, 279};
    case DMPAPER_LEGAL:
        return {216, 356};
    case DMPAPER_A3:
        return {297, 420};
    case DMPAPER_A5:
        return {148, 210};
    case DMPAPER_A4:
        return {210, 297};
    default:
        // A size of its own: US units mean Letter, the metric system A4.
        return localeNumber(LOCALE_NAME_USER_DEFAULT, LOCALE_IMEASURE, 0) == 1 ? PaperMillimetres{216, 279}
                                                                               : PaperMillimetres{210, 297};
    }
}
