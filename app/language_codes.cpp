#include "app/language_codes.h"

#include <algorithm>
#include <vector>

namespace {

bool isLetter(char c)
{
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}

bool isDigit(char c)
{
    return c >= '0' && c <= '9';
}

bool allOf(std::string_view text, bool (*test)(char))
{
    return std::all_of(text.begin(), text.end(), test);
}

bool isAlphanumeric(char c)
{
    return isLetter(c) || isDigit(c);
}

std::string lower(std::string_view text)
{
    std::string result(text);
    for (char& c : result)
        if (c >= 'A' && c <= 'Z')
            c = static_cast<char>(c - 'A' + 'a');
    return result;
}

std::string upper(std::string_view text)
{
    std::string result(text);
    for (char& c : result)
        if (c >= 'a' && c <= 'z')
            c = static_cast<char>(c - 'a' + 'A');
    return result;
}

std::vector<std::string_view> subtags(std::string_view text)
{
    std::vector<std::string_view> parts;
    while (true) {
        const std::size_t end = text.find_first_of("-_");
        parts.push_back(text.substr(0, end));
        if (end == std::string_view::npos)
            return parts;
        text.remove_prefix(end + 1);
    }
}

}  // namespace

std::string_view usualTerritory(std::string_view language, std::string_view script)
{
    if (language == "zh" && script == "Hant")
        return "TW";
    for (const UsualTerritory& usual : usualTerritories)
        if (usual.language == language)
            return usual.territory;
    return {};
}

std::optional<LanguageRequest> parseLanguageCode(std::string_view code)
{
    if (code.size() > 64)
        return std::nullopt;
    LanguageRequest request;
    // The POSIX form's "@modifier" and ".codeset"; the names always come as UTF-8.
    if (const std::size_t at = code.find('@'); at != std::string_view::npos) {
        const std::string_view modifier = code.substr(at + 1);
        if (modifier.empty() || modifier.size() > 16 || !allOf(modifier, isAlphanumeric))
            return std::nullopt;
        request.modifier = lower(modifier);
        code = code.substr(0, at);
    }
    if (const std::size_t dot = code.find('.'); dot != std::string_view::npos) {
        const std::string_view codeset = code.substr(dot + 1);
        if (codeset.empty() || !std::all_of(codeset.begin(), codeset.end(), [](char c) { return isAlphanumeric(c) || c == '-'; }))
            return std::nullopt;
        code = code.substr(0, dot);
    }
    const std::vector<std::string_view> parts = subtags(code);
    if (parts[0].size() < 2 || parts[0].size() > 3 || !allOf(parts[0], isLetter))
        return std::nullopt;
    request.language = lower(parts[0]);
    std::size_t i = 1;
    if (i < parts.size() && parts[i].size() == 4 && allOf(parts[i], isLetter)) {
        request.script = lower(parts[i]);
        request.script[0] = static_cast<char>(request.script[0] - 'a' + 'A');
        ++i;
    }
    if (i < parts.size() && ((parts[i].size() == 2 && allOf(parts[i], isLetter)) ||
                             (parts[i].size() == 3 && allOf(parts[i], isDigit)))) {
        request.territory = upper(parts[i]);
        ++i;
    }
    for (; i < parts.size(); ++i) {
        const std::string_view part = parts[i];
        if (part.size() == 1 && isAlphanumeric(part[0]))
            break;  // an extension or private use: nothing a calendar reads
        const bool variant = allOf(part, isAlphanumeric) &&
                             ((part.size() >= 5 && part.size() <= 8) || (part.size() == 4 && isDigit(part[0])));
        if (!variant)
            return std::nullopt;
        if (request.modifier.empty())
            request.modifier = lower(part);
    }
    return request;
}

std::optional<ChosenLanguage> chooseLanguage(std::string_view code)
{
    const auto request = parseLanguageCode(code);
    if (!request)
        return std::nullopt;
    ChosenLanguage chosen{std::string(code), *request, {}};
    chosen.locale = findLocale(*request, usualTerritory(request->language, request->script));
    if (!chosen.locale.installed && usualTerritory(request->language, "").empty())
        return std::nullopt;
    return chosen;
}
