// The real program (ORVEL_BINARY) started in environments that used to break
// it: standard descriptors closed, a file-size limit, a font configuration
// whose sans-serif is a symbol font. Fonts come from the test's own
// fontconfig configuration, with its cache in the test's folder.
#include <gtest/gtest.h>

#include <sys/resource.h>

#include "tests/support/files.h"
#include "tests/support/program.h"

namespace {

namespace fs = std::filesystem;

const fs::path dejaVu = "/usr/share/fonts/truetype/dejavu";
const fs::path symbolFont = "/usr/share/wine/fonts/marlett.ttf";  // fonts-wine

struct HostileEnvironmentTest : ProgramTest {
    void SetUp() override
    {
        ProgramTest::SetUp();
        if (!fs::exists(symbolFont) || !fs::exists(dejaVu / "DejaVuSans.ttf"))
            GTEST_SKIP() << "scripts/setup installs the fonts this test needs";
        // sans-serif asks for the symbol font first, as a damaged or odd
        // configuration does; DejaVu Sans is the next candidate.
        fs::create_directories(folder.path() / "fonts");
        for (const fs::path& font : {symbolFont, dejaVu / "DejaVuSans.ttf", dejaVu / "DejaVuSans-Bold.ttf"})
            fs::create_symlink(font, folder.path() / "fonts" / font.filename());
        writeFile(folder.file("fonts.conf"),
                  "<?xml version=\"1.0\"?>\n<fontconfig>\n<dir>" + folder.file("fonts") + "</dir>\n<cachedir>" +
                      folder.file("fontconfig-cache") +
                      "</cachedir>\n<match target=\"pattern\"><edit name=\"family\" mode=\"prepend\" "
                      "binding=\"strong\"><string>Marlett</string></edit></match>\n</fontconfig>\n");
    }

    // Runs the program with `arguments`; `inChild` runs in the child before
    // the program starts (limits, descriptors). With `ready` the program is
    // the window, asked to quit once `ready(pid)` holds.
    ProgramRun run(const std::vector<std::string>& arguments, const std::function<void()>& inChild = {},
                   const std::function<bool(pid_t)>& ready = {})
    {
        return runProgram(arguments, folder,
                          {{"LC_ALL", "C"}, {"DISPLAY", nullptr}, {"WAYLAND_DISPLAY", nullptr},
                           {"FONTCONFIG_FILE", fontconfigFile.c_str()}, {"XDG_DATA_HOME", folder.path().c_str()}},
                          inChild, signalOnceReady(ready));
    }

    std::string chosenFaces() const
    {
        std::istringstream lines(readFile(typefaces));
        std::string faces;
        for (std::string line; std::getline(lines, line);)
            if (line.starts_with("face "))
                faces += fs::path(line).filename().string() + " ";
        return faces;
    }

    TemporaryFolder folder;
    TemporaryFolder work;
    const std::string fontconfigFile = folder.file("fonts.conf");
    const fs::path typefaces = folder.path() / "cache/orvel/orvelplan/typefaces";
    const fs::path settings = folder.path() / "orvel/orvelplan/orvelplan.ini";
};

void limit(int resource, rlim_t bytes)
{
    const rlimit value{bytes, bytes};
    setrlimit(resource, &value);
}

TEST_F(HostileEnvironmentTest, TheWindowKeepsToItsOwnDescriptorsAndLetters)
{
    const std::string dejaVuFaces = "DejaVuSans.ttf DejaVuSans-Bold.ttf ";
    // Started with standard input, output and error closed, the descriptors
    // hold /dev/null, so nothing the window opens later lands on them.
    const ProgramRun closed = run({}, [] {
        for (int fd = 0; fd <= 2; ++fd)
            close(fd);
    }, [&](pid_t pid) {
        if (!fs::exists(typefaces))
            return false;
        for (int fd = 0; fd <= 2; ++fd) {
            std::error_code error;
            EXPECT_EQ(fs::read_symlink("/proc/" + std::to_string(pid) + "/fd/" + std::to_string(fd), error), "/dev/null");
        }
        return true;
    });
    EXPECT_EQ(closed.status, 0);
    EXPECT_TRUE(fs::exists(settings));
    // The symbol font that sans-serif names lacks the captions' letters.
    EXPECT_EQ(chosenFaces(), dejaVuFaces);

    // A kept choice of the symbol font, the rest of the cache still valid, is dropped.
    std::string damaged;
    std::istringstream lines(readFile(typefaces));
    for (std::string line; std::getline(lines, line);)
        damaged += (line.starts_with("face ") ? line.substr(0, line.rfind(' ') + 1) + symbolFont.string() : line) + "\n";
    writeFile(typefaces, damaged);
    ASSERT_EQ(chosenFaces(), "marlett.ttf marlett.ttf ");
    const ProgramRun again = run({}, {}, [&](pid_t) { return chosenFaces() == dejaVuFaces; });
    EXPECT_EQ(again.status, 0) << again.err;
    EXPECT_EQ(chosenFaces(), dejaVuFaces);
}

TEST_F(HostileEnvironmentTest, AFileSizeLimitIsReportedLikeAFullDisk)
{
    const std::string target = work.file("year.pdf");
    writeFile(target, "earlier");
    const ProgramRun result = run({"pdf", "--output", target}, [] { limit(RLIMIT_FSIZE, 10000); });
    EXPECT_EQ(result.status, 1);
    // The library's own report of the failure is not printed beside it.
    EXPECT_EQ(result.err, "orvelplan: cannot write " + target + ": File too large\n");
    EXPECT_EQ(readFile(target), "earlier");
    EXPECT_EQ(namesIn(work.path()), std::set<std::string>{"year.pdf"});
}

}  // namespace
