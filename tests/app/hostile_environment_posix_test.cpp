// The real program (ORVEL_BINARY) started in environments that used to break
// it: standard descriptors closed, a file-size limit, a memory limit, a font
// configuration whose sans-serif is a symbol font. Fonts come from the test's
// own fontconfig configuration, with its cache in the test's folder.
#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <sys/resource.h>

#include "tests/support/files.h"
#include "tests/support/program.h"

namespace {

namespace fs = std::filesystem;

const fs::path dejaVu = "/usr/share/fonts/truetype/dejavu";
const fs::path symbolFont = "/usr/share/wine/fonts/marlett.ttf";  // fonts-wine

class HostileEnvironmentTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        if (!programBinary())
            GTEST_SKIP() << "set ORVEL_BINARY to the program";
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
    // the window: once `ready` holds, `whileRunning` is called and the window
    // is asked to quit.
    ProgramRun run(const std::vector<std::string>& arguments, const std::function<void()>& inChild = {},
                   std::function<bool()> ready = nullptr, const std::function<void(pid_t)>& whileRunning = {})
    {
        const std::string outPath = folder.file("out"), errPath = folder.file("err"), cache = folder.file("cache");
        const int out = open(outPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0600);
        const int err = open(errPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0600);
        const pid_t pid = spawnProgram(arguments, out, err,
                                       {{"LC_ALL", "C"}, {"DISPLAY", nullptr}, {"WAYLAND_DISPLAY", nullptr},
                                        {"FONTCONFIG_FILE", fontconfigFile.c_str()},
                                        {"XDG_DATA_HOME", folder.path().c_str()}, {"XDG_CACHE_HOME", cache.c_str()}},
                                       inChild);
        close(out);
        close(err);
        const int status = exitStatus(pid, 30, [&] {
            if (ready && ready()) {
                if (whileRunning)
                    whileRunning(pid);
                kill(pid, SIGTERM);
                ready = nullptr;
            }
        });
        return {status, readFile(outPath), readFile(errPath)};
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
    }, [&] { return fs::exists(typefaces); }, [](pid_t pid) {
        for (int fd = 0; fd <= 2; ++fd) {
            std::error_code error;
            EXPECT_EQ(fs::read_symlink("/proc/" + std::to_string(pid) + "/fd/" + std::to_string(fd), error), "/dev/null");
        }
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
    const ProgramRun again = run({}, {}, [&] { return chosenFaces() == dejaVuFaces; });
    EXPECT_EQ(again.status, 0) << again.err;
    EXPECT_EQ(chosenFaces(), dejaVuFaces);
}

TEST_F(HostileEnvironmentTest, AFileSizeLimitIsReportedLikeAFullDisk)
{
    const std::string target = work.file("year.pdf");
    writeFile(target, "earlier");
    const std::string data = folder.path().string() + "/orvel/orvelplan/";
    const std::vector<std::pair<std::vector<std::string>, std::string>> cases = {
        {{"pdf", "--output", target}, "orvelplan: cannot write " + target + ": File too large\n"},
        {{"pdf"}, "orvelplan: cannot write " + data + "orvelplan0.pdf: File too large\n"},
    };
    for (const auto& [arguments, message] : cases) {
        const ProgramRun result = run(arguments, [] { limit(RLIMIT_FSIZE, 10000); });
        EXPECT_EQ(result.status, 1) << message;
        EXPECT_EQ(result.err, message);
    }
    EXPECT_EQ(readFile(target), "earlier");
    EXPECT_EQ(namesIn(work.path()), std::set<std::string>{"year.pdf"});
    EXPECT_TRUE(namesIn(data).empty());
}

TEST_F(HostileEnvironmentTest, ShortOfMemoryItMakesThePageOrSaysSoInOneLine)
{
    const std::string target = work.file("rok.pdf");
    const std::vector<std::string> polish = {"pdf", "--language", "pl", "--output", target};
    ASSERT_EQ(run(polish).status, 0);
    // A kept typeface without the page's letters (a damaged cache) is looked up again.
    const std::string kept = readFile(typefaces), end = "\nend\n";
    writeFile(typefaces, kept.substr(0, kept.rfind(' ', kept.find(end))) + " " + symbolFont.string() + end);
    ASSERT_EQ(run(polish).status, 0);
    EXPECT_TRUE(readFile(typefaces).ends_with("DejaVuSans.ttf" + end)) << readFile(typefaces);
    // Short of memory, fontconfig would write empty font lists into its cache.
    auto fontCache = [&] {
        std::map<std::string, std::string> files;
        for (const std::string& name : namesIn(folder.file("fontconfig-cache")))
            files[name] = readFile(folder.path() / "fontconfig-cache" / name);
        return files;
    };
    const auto cache = fontCache();
    int pages = 0;
    int limits = 0;
    for (const rlim_t kilobytes : {7168, 7680, 8192, 9216, 10240, 12288, 16384, 24576, 32768}) {
        // Below what the program needs to be loaded at all (more in a
        // sanitizer build than any of these) there is nothing to test.
        if (run({"--version"}, [=] { limit(RLIMIT_AS, kilobytes << 10); }).status != 0)
            continue;
        ++limits;
        fs::remove(target);
        fs::remove(typefaces);  // fontconfig itself runs short
        const ProgramRun result = run(polish, [=] { limit(RLIMIT_AS, kilobytes << 10); });
        if (result.status == 0) {
            EXPECT_NE(readFile(target).find("/FontFile2"), std::string::npos) << kilobytes << " KB";
            ++pages;
        } else {
            EXPECT_EQ(result.status, 1) << kilobytes << " KB";
            EXPECT_TRUE(result.err.starts_with("orvelplan: ") && result.err.ends_with(": out of memory\n") &&
                        std::count(result.err.begin(), result.err.end(), '\n') == 1)
                << kilobytes << " KB: " << result.err;
            EXPECT_FALSE(fs::exists(target));
        }
        EXPECT_EQ(namesIn(work.path()).size(), result.status == 0 ? 1u : 0u) << kilobytes << " KB";
        EXPECT_TRUE(fontCache() == cache) << kilobytes << " KB";
    }
    if (limits == 0)
        GTEST_SKIP() << "the program needs more address space than these limits (a sanitizer build)";
    EXPECT_GT(pages, 0);
}

}  // namespace
