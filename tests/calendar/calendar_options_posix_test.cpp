// The calendar options of `orvelplan pdf`, checked through the written PDF:
// its page box, where the texts stand, which names they show, the colours of
// the marked days and the week numbers.
#include "calendar/calendar_document.h"
#include "calendar/calendar_grid.h"
#include "pdf_content.h"
#include "temporary_folder.h"
#include "tests/support/files.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <regex>
#include <sys/wait.h>

namespace {

std::string slurp(std::FILE* file)
{
    std::string text;
    for (int c; (c = std::fgetc(file)) != EOF;)
        text += static_cast<char>(c);
    return text;
}

struct ProgramRun {
    int status;
    std::string out, err;
};

// The built program in the C locale unless `environment` says otherwise.
ProgramRun runProgram(const std::string& arguments, const std::string& environment = "LC_ALL=C")
{
    std::FILE* err = std::tmpfile();
    const std::string command =
        "env " + environment + " \"$ORVEL_BINARY\" " + arguments + " 2>/dev/fd/" + std::to_string(fileno(err));
    std::FILE* pipe = popen(command.c_str(), "r");
    ProgramRun run{0, slurp(pipe), ""};
    const int status = pclose(pipe);
    run.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    std::rewind(err);
    run.err = slurp(err);
    std::fclose(err);
    return run;
}

// The page as text, laid out as on paper, from an independent reader.
std::string pageText(const std::string& pdf, const char* mode = "-layout")
{
    std::FILE* pipe = popen(("pdftotext " + std::string(mode) + " '" + pdf + "' - 2>/dev/null").c_str(), "r");
    const std::string text = slurp(pipe);
    pclose(pipe);
    return text;
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

bool haveTool(const char* name)
{
    return std::system((std::string("command -v ") + name + " >/dev/null 2>&1").c_str()) == 0;
}

const std::string markedRed = "0.8 0.05 0.05";

// Days whose two digit cells are drawn in the highlight colour, in page order.
std::vector<int> markedDays(const std::vector<Placement>& placements)
{
    std::vector<int> days;
    for (std::size_t i = 0; i + 1 < placements.size(); ++i)
        if (placements[i].fill == markedRed) {
            const std::string digits = placements[i].text + placements[i + 1].text;
            days.push_back(std::stoi(digits));
            ++i;
        }
    return days;
}

std::vector<std::string> weekNumbers(const std::vector<Placement>& placements)
{
    std::vector<std::string> numbers;
    for (const Placement& p : placements)
        if (p.fontSize == 7)
            numbers.push_back(p.text);
    return numbers;
}

struct OptionCase {
    std::string options;               // after "pdf --year 2026"
    int width, height;                 // the media box
    std::vector<std::string> words;    // on the page, as the reader sees them
    std::vector<int> marked;           // days in the highlight colour, in page order
    std::vector<std::string> weeks;    // the first week numbers, in page order
};

class CalendarOptionsTest : public testing::Test {
protected:
    void SetUp() override
    {
        if (!std::getenv("ORVEL_BINARY"))
            GTEST_SKIP() << "ORVEL_BINARY is not set";
        std::ofstream(folder.file("marks.ics")) << "BEGIN:VCALENDAR\r\nVERSION:2.0\r\n"
                                                   // yearly, all day
                                                   "BEGIN:VEVENT\r\nDTSTART;VALUE=DATE:20200101\r\n"
                                                   "DTEND;VALUE=DATE:20200102\r\nRRULE:FREQ=YEARLY\r\nEND:VEVENT\r\n"
                                                   // timed, over two days, ending at midnight
                                                   "BEGIN:VEVENT\r\nDTSTART:20260310T220000\r\n"
                                                   "DTEND:20260312T000000\r\nEND:VEVENT\r\n"
                                                   // weekly in another time zone, three times
                                                   "BEGIN:VEVENT\r\nDTSTART;TZID=Europe/Berlin:20260601T003000\r\n"
                                                   "DURATION:PT1H\r\nRRULE:FREQ=WEEKLY;COUNT=3\r\nEND:VEVENT\r\n"
                                                   "END:VCALENDAR\r\n";
    }
    TemporaryFolder folder;
};

}  // namespace

// Embedded fonts carry only the page's glyphs; a page in one code page needs
// no map for 16-bit codes either.
TEST_F(CalendarOptionsTest, PagesWithAnEmbeddedFontStaySmall)
{
    const struct {
        std::string language;
        std::size_t plain, compressed;
    } cases[] = {{"pl", 80000, 20000}, {"ru", 80000, 20000}, {"el", 80000, 20000}, {"ja", 200000, 20000}};
    for (const auto& c : cases) {
        for (const bool compress : {false, true}) {
            SCOPED_TRACE(c.language + (compress ? " --compress" : ""));
            const std::string pdf = folder.file("page.pdf");
            const ProgramRun run = runProgram("pdf --year 2026 --language " + c.language + (compress ? " --compress" : "") +
                                              " --output '" + pdf + "'");
            ASSERT_EQ(run.status, 0) << run.err;
            const std::string bytes = readFile(pdf);
            EXPECT_NE(bytes.find("/FontFile2"), std::string::npos);
            EXPECT_LE(bytes.size(), compress ? c.compressed : c.plain);
        }
    }
}

TEST_F(CalendarOptionsTest, EachOptionSetShowsOnThePage)
{
    const std::string marks = " --marks '" + folder.file("marks.ics") + "'";
    const std::vector<OptionCase> cases = {
        {"", 595, 841, {"2026", "January", "Mo", "Su", "www.orvel.example/calendar"}, {}, {}},
        {"--paper letter", 612, 792, {"December"}, {}, {}},
        {"--paper legal --layout 2", 612, 1008, {"December"}, {}, {}},
        {"--paper a3", 841, 1190, {"December"}, {}, {}},
        {"--paper a5 --layout 2", 419, 595, {"December"}, {}, {}},
        {"--paper a4 --landscape", 841, 595, {"December"}, {}, {}},
        {"--paper letter --landscape --layout 2", 792, 612, {"December"}, {}, {}},
        {"--language de", 595, 841, {"Januar", "März", "Di", "Mi", "Do", "So"}, {}, {}},
        {"--language fr --week-starts sunday", 595, 841, {"Janvier", "Février", "Août", "Di", "Lu", "Je", "Ve"}, {}, {}},
        {"--language sv", 595, 841, {"Januari", "Må", "On", "Lö", "Sö"}, {}, {}},
        {"--language pl", 595, 841, {"Styczeń", "Październik", "Śr"}, {}, {}},
        {"--language cs --paper a5", 419, 595, {"Leden", "Únor", "Čt"}, {}, {}},
        {"--language ru", 595, 841, {"Январь"}, {}, {}},
        {"--language pt-BR", 595, 841, {"Janeiro", "Seg", "Qua", "Qui", "Sex", "Sáb"}, {}, {}},
        {"--language HU_hu.utf8", 595, 841, {"Január", "Sze", "Szo", "Cs"}, {}, {}},
        {"--language el", 595, 841, {"Ιανουάριος", "Τρ"}, {}, {}},
        {"--language ja", 595, 841, {"1月", "12月", "火"}, {}, {}},
        {"--language zh_TW", 595, 841, {"一月", "十二月"}, {}, {}},
        {"--language ko", 595, 841, {"1월", "12월", "화"}, {}, {}},
        {"--week-numbers --first-month 12", 595, 841, {"2026-2027"}, {}, {"49", "50", "51", "52", "53", "53", "1", "2"}},
        {"--week-numbers --week-starts sunday --first-month 12", 595, 841, {}, {},
         {"49", "50", "51", "52", "53", "53", "1", "2"}},
        {"--first-month 9", 595, 841, {"2026-2027", "September"}, {}, {}},
        {"--shade-weekends" + marks, 595, 841, {}, {1, 10, 11, 1, 8, 15}, {}},
        {"--first-month 7 --landscape" + marks, 841, 595, {}, {1}, {}},
        {"--footer 'Class 5b: timetable'", 595, 841, {"Class", "5b:", "timetable"}, {}, {}},
        {"--footer 'Ærø – Klasse 5b' --language da", 595, 841, {"Ærø", "–", "Klasse", "Januar"}, {}, {}},
        // Right-to-left words, as the reader gives them from left to right:
        // ינואר, דצמבר, לוח, שנה; يناير and تقويم in joined forms.
        {"--language he --footer 'לוח שנה 2026'", 595, 841, {"ראוני", "רבמצד", "חול", "הנש"}, {}, {}},
        {"--language ar --footer 'تقويم'", 595, 841,
         {"\uFEAE\uFEF3\uFE8E\uFEE8\uFEF3", "\uFEE2\uFEF3\uFEEE\uFED8\uFE97"}, {}, {}},
    };
    const bool reader = haveTool("pdftotext");
    for (const OptionCase& c : cases) {
        SCOPED_TRACE(c.options);
        const std::string pdf = folder.file("page.pdf");
        const ProgramRun run = runProgram("pdf --year 2026 --output '" + pdf + "' " + c.options);
        ASSERT_EQ(run.status, 0) << run.err;
        EXPECT_EQ(run.err, "");

        const PageGeometry page = readPageGeometry(pdf);
        EXPECT_EQ(page.width, c.width);
        EXPECT_EQ(page.height, c.height);
        const auto placements = readPlacements(pdf);
        ASSERT_GE(placements.size(), 1600u);
        // Every text starts inside the page, and the reader finds every word
        // wholly inside it, at least 5 points from each edge.
        for (const Placement& p : placements) {
            EXPECT_GE(p.x * page.scale, 5) << p.text;
            EXPECT_GE(p.y * page.scale, 5) << p.text;
            EXPECT_LE(p.x * page.scale, page.width - 5) << p.text;
            EXPECT_LE(p.y * page.scale, page.height - 5) << p.text;
        }
        if (reader) {
            const std::vector<Word> words = pageWords(pdf);
            EXPECT_GT(words.size(), 300u);
            for (const Word& word : words) {
                EXPECT_GE(word.xMin, 5) << word.text;
                EXPECT_GE(word.yMin, 5) << word.text;
                EXPECT_LE(word.xMax, page.width - 5) << word.text;
                EXPECT_LE(word.yMax, page.height - 5) << word.text;
            }
            for (const std::string& expected : c.words)
                EXPECT_TRUE(std::any_of(words.begin(), words.end(), [&](const Word& w) { return w.text == expected; }))
                    << expected;
        }
        EXPECT_EQ(markedDays(placements), c.marked);
        const auto numbers = weekNumbers(placements);
        EXPECT_EQ(std::vector<std::string>(numbers.begin(), numbers.begin() + std::min(numbers.size(), c.weeks.size())),
                  c.weeks);
        if (c.weeks.empty()) {
            EXPECT_TRUE(numbers.empty());
        }
    }
}

TEST_F(CalendarOptionsTest, WeekendShadingCoversSaturdaysAndSundaysOnly)
{
    const std::string pdf = folder.file("shaded.pdf");
    ASSERT_EQ(runProgram("pdf --year 2026 --shade-weekends --output '" + pdf + "'").status, 0);
    const PageGeometry page = readPageGeometry(pdf);
    // 2026 has 52 Saturdays and 52 Sundays; every box is light grey and sits
    // under the Sa or Su column of the Monday-first header.
    ASSERT_EQ(page.boxes.size(), 104u);
    for (const FilledBox& box : page.boxes) {
        EXPECT_EQ(box.fill, "0.88 0.88 0.88");
        const int column = (box.x + 2 - 38) % 185 / 21;
        EXPECT_TRUE(column == 5 || column == 6) << box.x;
    }
}

TEST_F(CalendarOptionsTest, DefaultsComeFromTheLocaleAndTheCLocaleGivesTheWindowsPage)
{
    CalendarTextGrid grid;
    grid.setYearAndWeekendDay(2026, 0);
    grid.layOut();
    const std::string windowPage = folder.file("window.pdf");
    ASSERT_EQ(createCalendarPdf(CalendarRequest(grid, threePerRowLayoutId, stderr), windowPage).error, "");
    const std::string cPage = folder.file("c.pdf");
    ASSERT_EQ(runProgram("pdf --year 2026 --output '" + cPage + "'", "LC_ALL=C").status, 0);
    const auto read = [](const std::string& path) {
        std::ifstream file(path, std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(file), {});
    };
    EXPECT_EQ(read(cPage), read(windowPage));

    const std::string us = folder.file("us.pdf");
    ASSERT_EQ(runProgram("pdf --year 2026 --output '" + us + "'", "LC_ALL=en_US.UTF-8").status, 0);
    EXPECT_EQ(readPageGeometry(us).width, 612);  // Letter
    EXPECT_EQ(readPlacements(us)[2].text, "Su");  // weeks from Sunday

    const std::string german = folder.file("de.pdf");
    ASSERT_EQ(runProgram("pdf --year 2026 --output '" + german + "'", "LANG=de_DE.UTF-8 LC_ALL= LC_TIME=").status, 0);
    EXPECT_EQ(readPlacements(german)[1].text, "Januar");
    EXPECT_EQ(readPlacements(german)[2].text, "Mo");
    EXPECT_EQ(readPageGeometry(german).width, 595);

    // The text page too, in two columns a heading.
    const ProgramRun germanText = runProgram("text --year 2026", "LANG=de_DE.UTF-8 LC_ALL= LC_TIME=");
    EXPECT_NE(germanText.out.find("\n   Mo Di Mi Do Fr Sa So "), std::string::npos) << germanText.out;
    const ProgramRun hungarianText = runProgram("text --year 2026 --language hu", "LC_ALL=C");
    EXPECT_NE(hungarianText.out.find("\n          Január                  Február  "), std::string::npos);
    EXPECT_NE(hungarianText.out.find("\n   H  K  Se Cs P  So V     H  K  Se"), std::string::npos) << hungarianText.out;

    const ProgramRun missing = runProgram("pdf --year 2026 --language de_XX --output '" + folder.file("xx.pdf") + "'");
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
    struct MarksCase {
        std::string content;
        int year, status;
        std::vector<int> marked;  // the page's marked days; or
        std::size_t count;        // how many, when there are many; or
        std::string message;      // after "FILE: ", when refused
    };
    const std::vector<MarksCase> cases = {
        {calendar(event("DTSTART;VALUE=DATE:19000704\nRRULE:FREQ=YEARLY\n")), 2026, 0, {4}, 0, ""},
        {calendar(event("DTSTART;VALUE=DATE:19000704\nRRULE:FREQ=YEARLY\n")), 2583, 0, {4}, 0, ""},
        {calendar(event("DTSTART;VALUE=DATE:99991231\n")), 9999, 0, {31}, 0, ""},
        // UNTIL in UTC is 00:30 on the 3rd in Berlin, so the 3rd is the last day.
        {calendar(event("DTSTART;TZID=Europe/Berlin:20260601T003000\nRRULE:FREQ=DAILY;UNTIL=20260602T223000Z\n")),
         2026, 0, {1, 2, 3}, 0, ""},
        {calendar(event("DTSTART:20000101T000000\nRRULE:FREQ=SECONDLY\n")), 2028, 0, {}, 366, ""},
        {calendar(event("DTSTART:20000101T000000\nRRULE:FREQ=SECONDLY;BYMONTH=2;BYMONTHDAY=30\n")), 2026, 0, {}, 0, ""},
        {calendar(event("DTSTART;TZID=Busy:20260301T120000\n") + zone), 2026, 2, {}, 0,
         "line 6: a time zone whose changes repeat other than once a year"},
        {calendar(event(nested)), 2026, 2, {}, 0, "line 18: components nested more than 16 deep"},
        {calendar(slow), 9999, 2, {}, 0, "could not be worked out within 1.5 seconds"},
        {"", 2026, 2, {}, 0, "the file is empty"},
        {"BEGIN:VCALENDAR\nBEGIN:VEVENT\nEND:X\x1b[2J\n", 2026, 2, {}, 0, "line 3: END:X\\e[2J does not close BEGIN:VEVENT"},
    };
    const std::string ics = folder.file("marks\x1b[2J.ics"), shownIcs = folder.file("marks\\e[2J.ics");
    for (const MarksCase& c : cases) {
        SCOPED_TRACE(c.content.substr(0, 200));
        std::ofstream(ics) << c.content;
        const std::string pdf = folder.file("page.pdf");
        const ProgramRun run = runProgram("pdf --year " + std::to_string(c.year) + " --marks '" + ics + "' --output '" + pdf + "'");
        ASSERT_EQ(run.status, c.status) << run.err;
        if (c.status != 0) {
            EXPECT_EQ(run.err.rfind("orvelplan: " + shownIcs + ": ", 0), 0u) << run.err;
            EXPECT_NE(run.err.find(c.message), std::string::npos) << run.err;
            EXPECT_EQ(run.err.find('\x1b'), std::string::npos);
            EXPECT_EQ(std::count(run.err.begin(), run.err.end(), '\n'), 1) << run.err;
            continue;
        }
        const std::vector<int> marked = markedDays(readPlacements(pdf));
        if (c.count) {
            EXPECT_EQ(marked.size(), c.count);
        } else {
            EXPECT_EQ(marked, c.marked);
        }
    }
}

TEST_F(CalendarOptionsTest, CompressedPagesAreSmallAndReadTheSame)
{
    const std::string plain = folder.file("plain.pdf"), small = folder.file("small.pdf");
    ASSERT_EQ(runProgram("pdf --year 2026 --output '" + plain + "'").status, 0);
    ASSERT_EQ(runProgram("pdf --year 2026 --compress --output '" + small + "'").status, 0);
    EXPECT_LT(std::filesystem::file_size(small) * 4, std::filesystem::file_size(plain));
    EXPECT_TRUE(readPlacements(small).empty());  // the content stream is deflated
    if (haveTool("pdftotext")) {
        EXPECT_EQ(pageText(small), pageText(plain));
    }
}

TEST_F(CalendarOptionsTest, BadValuesExitTwoWithOneLineAndWriteNothing)
{
    std::ofstream(folder.file("broken.ics")) << "BEGIN:VCALENDAR\nVERSION:2.0\nBEGIN:VEVENT\n"
                                                "DTSTART;VALUE=DATE:20260101\nRRULE:FREQ=SOMETIMES\nEND:VEVENT\n"
                                                "END:VCALENDAR\n";
    std::ofstream(folder.file("open.ics")) << "BEGIN:VCALENDAR\nBEGIN:VEVENT\nDTSTART:20260101\n";
    std::ofstream(folder.file("notes.ics")) << "shopping list\n";
    const std::vector<std::pair<std::string, std::string>> cases = {
        {"--year 0", "invalid year '0' (expected a whole number from 1 to 9999)"},
        {"--paper b5", "invalid paper 'b5' (expected a4, letter, legal, a3 or a5)"},
        {"--language xx", "invalid language 'xx'"},
        {"--language german", "invalid language 'german'"},
        {"--first-month 13", "invalid first month '13' (expected 1..12)"},
        {"--first-month 0", "invalid first month '0'"},
        {"--week-starts funday", "invalid first weekday 'funday'"},
        {"--weekend 0 --week-starts monday", "both choose the first day of the week"},
        {"--footer ''", "invalid footer ''"},
        {"--footer x --no-footer", "contradict each other"},
        {"--footer " + std::string(200, 'x'), "invalid footer '" + std::string(40, 'x') + "...' (expected a line that fits"},
        {"--footer " + std::string(70000, 'x') + " --paper a3", "invalid footer '"},
        {"--landscape=yes", "option '--landscape' takes no value"},
        {"--marks '" + folder.file("none.ics") + "'", folder.file("none.ics") + ": cannot be read: No such file"},
        {"--marks '" + folder.path().string() + "'", ": cannot be read"},
        {"--marks '" + folder.file("broken.ics") + "'", folder.file("broken.ics") + ": line 5: "},
        {"--marks '" + folder.file("open.ics") + "'", folder.file("open.ics") + ": line 2: BEGIN:VEVENT is never closed"},
        {"--marks '" + folder.file("notes.ics") + "'", folder.file("notes.ics") + ": line 1: not an iCalendar file"},
    };
    for (const auto& [options, message] : cases) {
        SCOPED_TRACE(options);
        const ProgramRun run = runProgram("pdf --output '" + folder.file("out.pdf") + "' " + options);
        EXPECT_EQ(run.status, 2);
        EXPECT_EQ(run.out, "");
        // One line, and after a bad argument (not a bad file) the pointer to --help.
        const bool usage = !options.starts_with("--marks");
        EXPECT_EQ(std::count(run.err.begin(), run.err.end(), '\n'), usage ? 2 : 1) << run.err;
        EXPECT_EQ(run.err.ends_with("\nTry 'orvelplan --help' for more information.\n"), usage) << run.err;
        EXPECT_NE(run.err.find(message), std::string::npos) << run.err;
        EXPECT_FALSE(std::filesystem::exists(folder.file("out.pdf")));
    }
    const ProgramRun text = runProgram("text --paper a4");
    EXPECT_EQ(text.status, 2);
    EXPECT_NE(text.err.find("option '--paper' does not apply to 'text'"), std::string::npos);
}

TEST_F(CalendarOptionsTest, WithoutOptionsTheStreamsCarryThePageOrThePathAlone)
{
    const ProgramRun text = runProgram("text --year 2010 --weekend monday");
    EXPECT_EQ(text.status, 0);
    EXPECT_EQ(std::count(text.out.begin(), text.out.end(), '\n'), 44);
    EXPECT_NE(text.out.find("\n   Tu We Th Fr Sa Su Mo"), std::string::npos);
    const std::string target = folder.file("year.pdf");
    const ProgramRun pdf = runProgram("pdf --layout 2 --output '" + target + "'");
    EXPECT_EQ(pdf.status, 0);
    EXPECT_EQ(pdf.out, target + "\n");
    EXPECT_EQ(pdf.err, "");
    EXPECT_EQ(runProgram("pdf --year 2011", "LC_ALL=C XDG_DATA_HOME='" + folder.path().string() + "'").out,
              folder.path().string() + "/orvel/orvelplan/orvelplan0.pdf\n");
}
