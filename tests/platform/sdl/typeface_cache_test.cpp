// The typeface choices kept between runs: they come back exactly as written,
// anything less than a whole cache is refused, and they no longer hold once a file they
// depend on changes, appears or goes, or the environment differs; a page's is used again
// only for the same characters, all in its file.
#include <gtest/gtest.h>

#include <fstream>
#include <functional>
#include <tuple>
#include <fcntl.h>
#include <sys/stat.h>

#include "platform/sdl/typeface_cache.h"
#include "tests/support/files.h"

namespace {

TypefaceCache sample()
{
    TypefaceCache cache;
    cache.environment = "HOME=/home/a b XDG_DATA_HOME= fontconfig=21401";
    cache.stamps = {{"/etc/fonts/fonts.conf", true, 1675203848, 123456789, 2940},
                    {"/home/a b/.fonts", false, 0, 0, 0},
                    {"/usr/share/fonts/truetype/dejavu", true, 1, 0, 4096}};
    // Ratios that decimal text would round.
    cache.faces = {{{{"/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf", 0}, 1.0 / 0.859375, 0.1 + 0.2},
                    {{"/fonts/with space/Bold.ttc", 2}, 1.1640625, 0.5728712}}};
    cache.measurer = "SDL_ttf=2.20.1 FreeType=2.12.1";
    cache.texts = {{"88e2a708ae4a92c6", {"/fonts/with space/Bold.ttc", 1}}};
    return cache;
}

TEST(TypefaceCacheTest, ComesBackExactlyAsWritten)
{
    const TypefaceCache cache = sample();
    const std::optional<TypefaceCache> read = parseTypefaceCache(formatTypefaceCache(cache));
    ASSERT_TRUE(read);
    EXPECT_EQ(*read, cache);
    EXPECT_EQ((*read->faces)[0].averageWidthPerEm, 0.1 + 0.2);
}

TEST(TypefaceCacheTest, AnythingButAWholeCacheIsRefused)
{
    const std::string whole = formatTypefaceCache(sample());
    auto withoutLine = [&](const std::string& start) {
        std::string text = whole;
        const std::size_t begin = text.find(start);
        text.erase(begin, text.find('\n', begin) + 1 - begin);
        return text;
    };
    auto replaced = [&](const std::string& from, const std::string& to) {
        std::string text = whole;
        text.replace(text.find(from), from.size(), to);
        return text;
    };
    const std::vector<std::pair<std::string, std::string>> cases = {
        {"empty", ""},
        {"another format", replaced("typefaces 2", "typefaces 1")},
        {"cut short", whole.substr(0, whole.find("face 1"))},
        {"cut short after a line", withoutLine("end")},
        {"no environment", withoutLine("environment ")},
        {"a third weight", replaced("face 1", "face 2")},
        {"an unknown line", replaced("\nend", "\ncolour 3\nend")},
        {"a stamp without its size", replaced("file 1675203848 123456789 2940", "file 1675203848 123456789")},
        {"a stamp without a path", replaced("\nend", "\nfile 1 2 3\nend")},
        {"a face without a size", replaced("face 0 0 0x", "face 0 0 0x0p+0 0x")},
        {"a face without a file", replaced("\nend", "\nface 0 0 0x1p+0 0x1p+0\nend")},
    };
    for (const auto& [what, text] : cases)
        EXPECT_FALSE(parseTypefaceCache(text)) << what;
}

void setModified(const std::string& path, long seconds)
{
    const timespec times[2] = {{seconds, 0}, {seconds, 0}};
    ASSERT_EQ(utimensat(AT_FDCWD, path.c_str(), times, 0), 0) << path;
}

TEST(TypefaceCacheTest, HoldsOnlyWhileEveryFileLooksTheSameAndAPageTypefaceHasTheCharacters)
{
    const std::string dejaVu = "/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf";
    if (!std::filesystem::exists(dejaVu))
        GTEST_SKIP() << "scripts/setup installs the fonts this test needs";
    TemporaryFolder folder;
    const std::string font = folder.file("font.ttf"), cacheFile = folder.file("cache/typefaces");
    const std::string config = folder.file("fonts.conf"), fonts = folder.file("fonts"), user = folder.file("user.conf");
    std::filesystem::create_directory(fonts);
    const std::u32string polish = U"0123456789-Stycze\u0144 Pa\u017Adziernik", japanese = U"0123456789-\u4E00\u6708";
    auto edit = [&](const std::string& from, const std::string& to) {
        std::string text = readFile(cacheFile);
        writeFile(cacheFile, text.replace(text.rfind(from), from.size(), to));
    };
    const std::vector<std::tuple<std::string, std::u32string, std::function<void()>, bool>> cases = {
        {"kept", polish, [] {}, true},
        {"other characters", U"0123456789-Luty", [] {}, false},
        {"another environment", polish, [&] { edit("HOME=/home/a b", "HOME=/elsewhere"); }, false},
        {"configuration edited", polish, [&] { setModified(config, 1001); }, false},
        {"the user's configuration appears", polish, [&] { std::ofstream(user) << "<fontconfig/>"; }, false},
        {"the font grew", polish, [&] { std::ofstream(font, std::ios::app) << "x"; setModified(font, 2000); }, false},
        {"a damaged text line", polish, [&] { edit(" 0 " + font, " x " + font); }, false},
        {"a font without them", japanese, [&] { edit(charactersKey(polish), charactersKey(japanese)); }, false},
    };
    const TypefaceCache page{sample().environment, {}, {}, {}, {{charactersKey(polish), {font, 0}}}};
    for (const auto& [what, characters, damage, kept] : cases) {
        std::filesystem::copy_file(dejaVu, font, std::filesystem::copy_options::overwrite_existing);
        setModified(font, 2000);
        std::ofstream(config) << "<fontconfig/>";
        setModified(config, 1000);
        std::filesystem::remove(user);
        // The page's typeface joins the window's, which stay.
        saveTypefaceCache(cacheFile, sample(), {config, fonts, user});
        saveTypefaceCache(cacheFile, page, {config, fonts, user});
        damage();
        const std::optional<TypefaceCache> cache = readTypefaceCache(cacheFile, sample().environment);
        EXPECT_EQ(cache && cache->faces && keptTextTypeface(*cache, characters), kept) << what;
    }
}

}  // namespace
