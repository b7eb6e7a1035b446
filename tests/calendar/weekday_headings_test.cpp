#include "calendar/weekday_headings.h"

#include <gtest/gtest.h>

namespace {

using Names = std::array<std::string, 7>;

std::string spaced(const Names& names)
{
    std::string text;
    for (const std::string& name : names)
        text += (text.empty() ? "" : " ") + name;
    return text;
}

}  // namespace

// The locales' abbreviations, Sunday first, as glibc has them (capitalised),
// with the page's headings and the text page's.
TEST(WeekdayHeadingsTest, ShortestDistinctPrefixOnThePageAndTwoColumnsInText)
{
    struct Case {
        const char* language;
        Names abbreviations;
        const char* page;
        const char* text;
        Names fullNames{};
    };
    const std::vector<Case> cases = {
        {"en", {"Sun", "Mon", "Tue", "Wed", "Thu", "Fri", "Sat"}, "Su Mo Tu We Th Fr Sa", "Su Mo Tu We Th Fr Sa"},
        {"hu", {"V", "H", "K", "Sze", "Cs", "P", "Szo"}, "V H K Sze Cs P Szo", "V H K Se Cs P So"},
        {"gv", {"Jed", "Jel", "Jem", "Jerc", "Jerd", "Jeh", "Jes"}, "Jed Jel Jem Jerc Jerd Jeh Jes",
         "Jd Jl Jm Jc Jr Jh Js"},
        // Wide characters take both columns of the text page.
        {"ja", {"日", "月", "火", "水", "木", "金", "土"}, "日 月 火 水 木 金 土", "日 月 火 水 木 金 土"},
        {"zh-TW", {"週日", "週一", "週二", "週三", "週四", "週五", "週六"}, "週日 週一 週二 週三 週四 週五 週六",
         "日 一 二 三 四 五 六"},
        // A vowel sign belongs to its letter: "सो" is one character.
        {"hi", {"रवि", "सोम", "मंगल", "बुध", "गुरु", "शुक्र", "शनि"}, "रवि सोम मंग बुध गुरु शुक् शनि",
         "रवि सोम मंग बुध गुरु शुक् शनि"},
        // Abbreviations alike to the end give way to the full names; names
        // alike in both stay as they are.
        {"fy", {"Sn", "Mo", "Ti", "Wo", "To", "Fr", "Sn"}, "Snei Moan Tiis Woan Tong Free Sneo", "Si Mo Ti Wo To Fr So",
         {"Snein", "Moandei", "Tiisdei", "Woansdei", "Tongersdei", "Freed", "Sneon"}},
        {"same", {"X", "X", "X", "X", "X", "X", "X"}, "X X X X X X X", "X X X X X X X"},
    };
    for (const Case& c : cases) {
        const Names page = weekdayHeadings(c.abbreviations, c.fullNames);
        EXPECT_EQ(spaced(page), c.page) << c.language;
        EXPECT_EQ(spaced(textPageHeadings(page)), c.text) << c.language;
    }
}

TEST(WeekdayHeadingsTest, TextIsCutToColumns)
{
    const std::vector<std::tuple<std::string, int, std::string, int>> cases = {
        {"September", 20, "September", 9},
        {"Abcdefghijklmnopqrstuvwxyz", 20, "Abcdefghijklmnopqrst", 20},
        {"一月", 3, "一", 2},
        {"e\u0301te\u0301", 2, "e\u0301t", 2},
        {"\xff", 20, "", 0},
        {"a" + std::string(200, '\x01'), 20, "a" + std::string(19, '\x01'), 20},
    };
    for (const auto& [text, columns, fitted, width] : cases) {
        int used = -1;
        EXPECT_EQ(fitColumns(text, columns, &used), fitted) << text;
        EXPECT_EQ(used, width) << text;
    }
}
