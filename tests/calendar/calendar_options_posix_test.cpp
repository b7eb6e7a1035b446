// The calendar options of `orvelplan pdf`, checked through the written PDF:
// its page box, where the texts stand, which names they show, the colours of
// the marked days and the week numbers.
#include "calendar/calendar_document.h"
#include "pdf_content.h"
#include "tests/support/environment.h"
#include "tests/support/files.h"
#include "tests/support/grids.h"
#include "tests/support/program.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <regex>

namespace {

bool haveTool(const std::string& name)
{
    return std::system(("command -v " + name + " >/dev/null 2>&1").c_str()) == 0;
}

// The page as text, laid out as on paper, from an independent reader.
std::string pageText(const std::string& pdf, const std::string& mode = "-layout")
{
    const std::string text = pdf + ".txt", command = "pdftotext " + mode + " '" + pdf + "' '" + text + "' 2>/dev/null";
    return std::system(command.c_str()) == 0 ? readFile(text) : "";
}

// Every word the reader finds, with the box its glyphs cover (y from the top).
struct Word {
    std::string text;
    double xMin, yMin, xMax, yMax;
};
std::vector<Word> pageWords(const std::string& pdf)
{
    const std::string html = pageText(pdf, "-bbox");
    static const std::regex word(
        R"re(<word xMin="([\d.]+)" yMin="([\d.]+)" xMax="([\d.]+)" yMax="([\d.]+)">([^<]*)</word>)re");
    std::vector<Word> words;
    for (std::sregex_iterator it(html.begin(), html.end(), word), end; it != end; ++it)
        words.push_back({(*it)[5], std::stod((*it)[1]), std::stod((*it)[2]), std::stod((*it)[3]), std::stod((*it)[4])});
    return words;
}

// Days whose two digit cells are drawn in the highlight colour, in page order.
std::vector<int> markedDays(const std::vector<Placement>& placements)
{
    std::vector<int> days;
    for (std::size_t i = 0; i + 1 < placements.size(); ++i)
        if (placements[i].fill == "0.8 0.05 0.05") {
            days.push_back(std::stoi(placements[i].text + placements[i + 1].text));
            ++i;
        }
    return days;
}

const EnvironmentChanges cLocale = {{"LC_ALL", "C"}};

struct CalendarOptionsTest : ProgramTest {
    ProgramRun run(const std::vector<std::string>& arguments, const EnvironmentChanges& environment = cLocale)
    {
        return runProgram(arguments, folder, environment);
    }
    // `pdf --year 2026` with `options`, written to `pdf`.
    ProgramRun writePage(const std::string& pdf, std::vector<std::string> options = {},
                         const EnvironmentChanges& environment = cLocale)
    {
        options.insert(options.begin(), {"pdf", "--year", "2026", "--output", pdf});
        return run(options, environment);
    }
};

}  // namespace

// Compressed pages read the same as plain ones. Embedded fonts carry only the
// page's glyphs; a page in one code page needs no map for 16-bit codes either.
TEST_F(CalendarOptionsTest, PagesStaySmallAndCompressedOnesReadTheSame)
{
    const std::string plain = folder.file("plain.pdf"), small = folder.file("small.pdf");
    const bool reader = haveTool("pdftotext");
    const struct {
        std::string language;
        std::size_t plain, compressed;  // the largest sizes in bytes
    } cases[] = {{"en", 80000, 9000}, {"pl", 80000, 20000}, {"ja", 200000, 20000}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.language);
        const ProgramRun result = writePage(plain, {"--language", c.language});
        ASSERT_EQ(result.status, 0) << result.err;
        ASSERT_EQ(writePage(small, {"--language", c.language, "--compress"}).status, 0);
        for (const auto& [path, limit] : {std::pair{plain, c.plain}, std::pair{small, c.compressed}}) {
            const std::string bytes = readFile(path);
            EXPECT_LE(bytes.size(), limit) << path;
            EXPECT_EQ(bytes.find("/FontFile2") != std::string::npos, c.language != "en") << path;
        }
        EXPECT_TRUE(readPlacements(small).empty());  // the content stream is deflated
        if (reader) {
            EXPECT_EQ(pageText(small), pageText(plain));
        }
    }
}

TEST_F(CalendarOptionsTest, EachOptionSetShowsOnThePage)
{
    // Lines end in CR LF. Yearly all day; timed over two days, ending at midnight;
    // weekly in another time zone, three times.
    const std::string marks = folder.file("marks.ics");
    writeFile(marks, "BEGIN:VCALENDAR\r\nVERSION:2.0\r\n"
                     "BEGIN:VEVENT\r\nDTSTART;VALUE=DATE:20200101\r\nDTEND;VALUE=DATE:20200102\r\nRRULE:FREQ=YEARLY\r\n"
                     "END:VEVENT\r\nBEGIN:VEVENT\r\nDTSTART:20260310T220000\r\nDTEND:20260312T000000\r\nEND:VEVENT\r\n"
                     "BEGIN:VEVENT\r\nDTSTART;TZID=Europe/Berlin:20260601T003000\r\nDURATION:PT1H\r\n"
                     "RRULE:FREQ=WEEKLY;COUNT=3\r\nEND:VEVENT\r\nEND:VCALENDAR\r\n");
    const std::vector<std::string> lateWeeks = {"49", "50", "51", "52", "53", "53", "1", "2"};
    const struct {
        std::vector<std::string> options;  // after "pdf --year 2026"
        int width, height;                 // the media box
        std::vector<std::string> words;    // on the page, as the reader sees them
        std::vector<int> marked = {};      // days in the highlight colour, in page order
        std::vector<std::string> weeks = {};  // the first week numbers, in page order
        double scale = 1;                     // of the A4 portrait drawing
    } cases[] = {
        {{}, 595, 841, {"2026", "January", "Mo", "Su", "www.orvel.example/calendar"}},
        {{"--paper", "a3"}, 841, 1190, {"December"}, {}, {}, 1.41345},
        {{"--paper", "letter", "--landscape", "--layout", "2"}, 792, 612, {"December"}, {}, {}, 0.77495},
        {{"--language", "de"}, 595, 841, {"Januar", "März", "Di", "Mi", "Do", "So"}},
        {{"--language", "pl"}, 595, 841, {"Styczeń", "Październik", "Śr"}},
        {{"--language", "ja"}, 595, 841, {"1月", "12月", "火"}},
        {{"--week-numbers", "--first-month", "12"}, 595, 841, {"2026-2027"}, {}, lateWeeks},
        {{"--week-numbers", "--week-starts", "sunday", "--first-month", "12"}, 595, 841, {}, {}, lateWeeks},
        {{"--shade-weekends", "--marks", marks}, 595, 841, {}, {1, 10, 11, 1, 8, 15}},
        {{"--first-month", "7", "--landscape", "--marks", marks}, 841, 595, {}, {1}},
        // A footer wider than the page is set smaller.
        {{"--footer", "Class 5b: timetable for the whole school year, with the holidays, the exam weeks, the trips and "
                      "the parents' evenings of both terms"},
         595, 841, {"Class", "5b:", "timetable", "terms"}},
        // Right-to-left words, as the reader gives them from left to right:
        // ינואר, דצמבר, לוח, שנה.
        {{"--language", "he", "--footer", "לוח שנה 2026"}, 595, 841, {"ראוני", "רבמצד", "חול", "הנש"}},
    };
    const bool reader = haveTool("pdftotext");
    const std::string pdf = folder.file("page.pdf");
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::PrintToString(c.options));
        const ProgramRun result = writePage(pdf, c.options);
        ASSERT_EQ(result.status, 0) << result.err;
        EXPECT_EQ(result.err, "");

        const PageGeometry page = readPageGeometry(pdf);
        EXPECT_EQ(page.width, c.width);
        EXPECT_EQ(page.height, c.height);
        EXPECT_NEAR(page.scale, c.scale, 1e-5);
        // 2026 has 52 Saturdays and 52 Sundays; every shaded box is light grey
        // and sits under the Sa or Su column of the Monday-first header.
        EXPECT_EQ(page.boxes.size(), std::ranges::count(c.options, "--shade-weekends") ? 104u : 0u);
        for (const FilledBox& box : page.boxes) {
            EXPECT_EQ(box.fill, "0.88 0.88 0.88");
            const int column = (box.x + 2 - 38) % 185 / 21;
            EXPECT_TRUE(column == 5 || column == 6) << box.x;
        }
        // Every text starts inside the page, and the reader finds every word
        // wholly inside it, at least 5 points from each edge.
        const auto inside = [&](double left, double top, double right, double bottom) {
            return left >= 5 && top >= 5 && right <= page.width - 5 && bottom <= page.height - 5;
        };
        const auto placements = readPlacements(pdf);
        ASSERT_GE(placements.size(), 1600u);
        for (const Placement& p : placements)
            EXPECT_TRUE(inside(p.x * page.scale, p.y * page.scale, p.x * page.scale, p.y * page.scale)) << p.text;
        if (reader) {
            const std::vector<Word> words = pageWords(pdf);
            EXPECT_GT(words.size(), 300u);
            for (const Word& w : words)
                EXPECT_TRUE(inside(w.xMin, w.yMin, w.xMax, w.yMax)) << w.text;
            for (const std::string& expected : c.words)
                EXPECT_TRUE(std::ranges::any_of(words, [&](const Word& w) { return w.text == expected; })) << expected;
        }
        EXPECT_EQ(markedDays(placements), c.marked);
        std::vector<std::string> weeks;  // the 7-point texts
        for (const Placement& p : placements)
            if (p.fontSize == 7 && (c.weeks.empty() || weeks.size() < c.weeks.size()))
                weeks.push_back(p.text);
        EXPECT_EQ(weeks, c.weeks);
    }
}

TEST_F(CalendarOptionsTest, DefaultsComeFromTheLocaleAndTheCLocaleGivesTheWindowsPage)
{
    // The window's page follows no locale.
    const std::string windowPage = folder.file("window.pdf"), cPage = folder.file("c.pdf");
    {
        const ScopedEnvironment german("LC_ALL", "de_DE.UTF-8");
        const RenderedPdf page = renderCalendarPdf(CalendarRequest(laidOutGrid(2026), threePerRowLayoutId, stderr));
        ASSERT_EQ(saveCalendarPdf(page, windowPage).error, "");
    }
    ASSERT_EQ(writePage(cPage).status, 0);
    EXPECT_EQ(readFile(cPage), readFile(windowPage));

    const std::string us = folder.file("us.pdf"), german = folder.file("de.pdf");
    ASSERT_EQ(writePage(us, {}, {{"LC_ALL", "en_US.UTF-8"}}).status, 0);
    EXPECT_EQ(readPageGeometry(us).width, 612);   // Letter
    EXPECT_EQ(readPlacements(us)[2].text, "Su");  // weeks from Sunday
    const EnvironmentChanges germanLocale = {{"LANG", "de_DE.UTF-8"}, {"LC_ALL", ""}, {"LC_TIME", ""}};
    ASSERT_EQ(writePage(german, {}, germanLocale).status, 0);
    const auto germanTexts = readPlacements(german);
    EXPECT_EQ(germanTexts[1].text, "Januar");
    EXPECT_EQ(germanTexts[2].text, "Mo");
    EXPECT_EQ(readPageGeometry(german).width, 595);

    // The text page too, in two columns a heading.
    const ProgramRun hungarianText = run({"text", "--year", "2026", "--language", "hu"});
    EXPECT_NE(hungarianText.out.find("\n   H  K  Se Cs P  So V     H  K  Se"), std::string::npos) << hungarianText.out;

    const ProgramRun missing = writePage(folder.file("xx.pdf"), {"--language", "de_XX"});
    EXPECT_EQ(missing.status, 0);
    EXPECT_EQ(std::count(missing.err.begin(), missing.err.end(), '\n'), 1) << missing.err;
    EXPECT_NE(missing.err.find("de_XX.UTF-8) is not installed"), std::string::npos);
    EXPECT_EQ(readPlacements(folder.file("xx.pdf"))[1].text, "January");
}

TEST_F(CalendarOptionsTest, MarksFilesFromAnyYearAndHostileOnesEndInOneLine)
{
    const auto calendar = [](const std::string& events) { return "BEGIN:VCALENDAR\nVERSION:2.0\n" + events + "END:VCALENDAR\n"; };
    const auto event = [](const std::string& lines) { return "BEGIN:VEVENT\n" + lines + "END:VEVENT\n"; };
    std::string nested = "DTSTART:20260101\n", slow;
    for (int i = 0; i < 30000; ++i)
        nested = "BEGIN:X-A\n" + nested + "END:X-A\n";
    for (int i = 0; i < 1000; ++i)
        slow += event("DTSTART:00010101T000000\nRRULE:FREQ=SECONDLY;INTERVAL=32767;COUNT=2000000000;BYDAY=MO\n");
    const std::string zone = "BEGIN:VTIMEZONE\nTZID:Busy\nBEGIN:STANDARD\nDTSTART:00010101T000000\nRRULE:FREQ=MINUTELY\n"
                             "TZOFFSETFROM:+0100\nTZOFFSETTO:+0000\nEND:STANDARD\nEND:VTIMEZONE\n";
    const std::string yearly = calendar(event("DTSTART;VALUE=DATE:19000704\nRRULE:FREQ=YEARLY\n"));
    const struct {
        std::string content;
        int year;
        std::string message;               // after "FILE: " when refused, "" when accepted
        std::vector<int> marked = {};      // the page's marked days
    } cases[] = {
        {yearly, 2026, "", {4}},
        {calendar(event("DTSTART;VALUE=DATE:99991231\n")), 9999, "", {31}},
        // UNTIL in UTC is 00:30 on the 3rd in Berlin, so the 3rd is the last day.
        {calendar(event("DTSTART;TZID=Europe/Berlin:20260601T003000\nRRULE:FREQ=DAILY;UNTIL=20260602T223000Z\n")), 2026,
         "", {1, 2, 3}},
        {calendar(event("DTSTART;TZID=Busy:20260301T120000\n") + zone), 2026,
         "line 6: a time zone whose changes repeat other than once a year"},
        {calendar(event(nested)), 2026, "line 18: components nested more than 16 deep"},
        {calendar(slow), 9999, "could not be worked out within 1.5 seconds"},
        {"", 2026, "the file is empty"},
        {"BEGIN:VCALENDAR\nBEGIN:VEVENT\nEND:X\x1b[2J\n", 2026, "line 3: END:X\\e[2J does not close BEGIN:VEVENT"},
        {calendar(event("DTSTART;VALUE=DATE:20260101\nRRULE:FREQ=SOMETIMES\n")), 2026, "line 5: "},
        {"BEGIN:VCALENDAR\nBEGIN:VEVENT\nDTSTART:20260101\n", 2026, "line 2: BEGIN:VEVENT is never closed"},
        {"shopping list\n", 2026, "line 1: not an iCalendar file"},
    };
    const std::string ics = folder.file("marks\x1b[2J.ics"), shownIcs = folder.file("marks\\e[2J.ics");
    const std::string pdf = folder.file("page.pdf");
    for (const auto& c : cases) {
        SCOPED_TRACE(c.content.substr(0, 200));
        writeFile(ics, c.content);
        std::filesystem::remove(pdf);
        const ProgramRun result = run({"pdf", "--year", std::to_string(c.year), "--marks", ics, "--output", pdf});
        ASSERT_EQ(result.status, c.message.empty() ? 0 : 2) << result.err;
        if (!c.message.empty()) {
            EXPECT_EQ(result.err.rfind("orvelplan: " + shownIcs + ": ", 0), 0u) << result.err;
            EXPECT_NE(result.err.find(c.message), std::string::npos) << result.err;
            EXPECT_EQ(result.err.find('\x1b'), std::string::npos);
            EXPECT_EQ(std::count(result.err.begin(), result.err.end(), '\n'), 1) << result.err;
            EXPECT_FALSE(std::filesystem::exists(pdf));
        } else {
            EXPECT_EQ(markedDays(readPlacements(pdf)), c.marked);
        }
    }
}

TEST_F(CalendarOptionsTest, BadValuesExitTwoWithOneLineAndWriteNothing)
{
    const std::vector<std::pair<std::vector<std::string>, std::string>> cases = {
        {{"--year", "0"}, "invalid year '0' (expected a whole number from 1 to 9999)"},
        {{"--footer", std::string(200, 'x')}, "invalid footer '" + std::string(40, 'x') + "...' (expected a line that fits"},
        {{"--footer", std::string(70000, 'x'), "--paper", "a3"}, "invalid footer '"},
        {{"--marks", folder.file("none.ics")}, folder.file("none.ics") + ": cannot be read: No such file"},
        {{"--marks", folder.path().string()}, ": cannot be read"},
    };
    const std::string pdf = folder.file("out.pdf");
    for (const auto& [options, message] : cases) {
        SCOPED_TRACE(testing::PrintToString(options).substr(0, 200));
        const ProgramRun result = writePage(pdf, options);  // a later value replaces --year 2026
        EXPECT_EQ(result.status, 2);
        EXPECT_EQ(result.out, "");
        // One line, and after a bad argument (not a bad file) the pointer to --help.
        const bool usage = options[0] != "--marks";
        EXPECT_EQ(std::count(result.err.begin(), result.err.end(), '\n'), usage ? 2 : 1) << result.err;
        EXPECT_EQ(result.err.ends_with("\nTry 'orvelplan --help' for more information.\n"), usage) << result.err;
        EXPECT_NE(result.err.find(message), std::string::npos) << result.err;
        EXPECT_FALSE(std::filesystem::exists(pdf));
    }
    // A footer no installed font can show is no usage error: no pointer to the help.
    const std::string noFonts = folder.file("fonts.conf");
    writeFile(noFonts, "<fontconfig/>\n");
    const ProgramRun result = writePage(pdf, {"--footer", "2026年カレンダー"}, {{"FONTCONFIG_FILE", noFonts.c_str()}});
    EXPECT_EQ(std::tie(result.status, result.err), std::tuple(2, "orvelplan: no installed font can show the footer text\n"));
}

TEST_F(CalendarOptionsTest, StandardOutputCarriesThePathAlone)
{
    const std::string target = folder.file("year.pdf"), dataHome = folder.path().string();
    EXPECT_EQ(run({"pdf", "--layout", "2", "--output", target}).out, target + "\n");
    EXPECT_EQ(run({"pdf", "--year", "2011"}, {{"LC_ALL", "C"}, {"XDG_DATA_HOME", dataHome.c_str()}}).out,
              dataHome + "/orvel/orvelplan/orvelplan0.pdf\n");
}
