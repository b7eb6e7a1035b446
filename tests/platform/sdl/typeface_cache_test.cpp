// The typeface choice kept between starts: it comes back exactly as written,
// anything less than a whole cache is refused, and it no longer holds once a
// file it depends on changes, appears or goes, or the environment differs.
#include <gtest/gtest.h>

#include <fstream>
#include <functional>
#include <fcntl.h>
#include <sys/stat.h>

#include "platform/sdl/typeface_cache.h"
#include "tests/support/files.h"

namespace {

TypefaceCache sample()
{
    TypefaceCache cache;
    cache.environment = "HOME=/home/a b XDG_DATA_HOME= fontconfig=21401";
    cache.stamps = {{"/etc/fonts/fonts.conf", true, 1675203848, 123456789},
                    {"/home/a b/.fonts", false, 0, 0},
                    {"/usr/share/fonts/truetype/dejavu", true, 1, 0}};
    // Ratios that decimal text would round.
    cache.faces[0] = {{"/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf", 0}, 1.0 / 0.859375, 0.1 + 0.2};
    cache.faces[1] = {{"/fonts/with space/Bold.ttc", 2}, 1.1640625, 0.5728712};
    return cache;
}

TEST(TypefaceCacheTest, ComesBackExactlyAsWritten)
{
    const TypefaceCache cache = sample();
    const std::optional<TypefaceCache> read = parseTypefaceCache(formatTypefaceCache(cache));
    ASSERT_TRUE(read);
    EXPECT_EQ(*read, cache);
    EXPECT_EQ(read->faces[0].averageWidthPerEm, 0.1 + 0.2);
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
        {"another format", replaced("typefaces 1", "typefaces 2")},
        {"cut short", whole.substr(0, whole.find("face 1"))},
        {"no environment", withoutLine("environment ")},
        {"a third weight", replaced("face 1", "face 2")},
        {"an unknown line", whole + "colour 3\n"},
        {"a stamp without its time", replaced("file 1675203848 123456789", "file x")},
        {"a stamp without a path", whole + "file 1 2\n"},
        {"a face without a size", replaced("face 0 0 0x", "face 0 0 0x0p+0 0x")},
        {"a face without a file", whole + "face 0 0 0x1p+0 0x1p+0\n"},
    };
    for (const auto& [what, text] : cases)
        EXPECT_FALSE(parseTypefaceCache(text)) << what;
}

void setModified(const std::string& path, long seconds)
{
    const timespec times[2] = {{seconds, 0}, {seconds, 0}};
    ASSERT_EQ(utimensat(AT_FDCWD, path.c_str(), times, 0), 0) << path;
}

TEST(TypefaceCacheTest, HoldsOnlyWhileEveryFileLooksTheSame)
{
    TemporaryFolder folder;
    const std::string config = folder.file("fonts.conf");
    const std::string fontFolder = folder.file("fonts");
    const std::string userConfig = folder.file("user.conf");
    std::ofstream(config) << "<fontconfig/>";
    std::filesystem::create_directory(fontFolder);
    setModified(config, 1000);
    setModified(fontFolder, 2000);

    TypefaceCache cache = sample();
    cache.stamps = {stampOf(config), stampOf(fontFolder), stampOf(userConfig)};
    EXPECT_TRUE(stillHolds(cache, cache.environment));
    EXPECT_FALSE(stillHolds(cache, cache.environment + " XDG_CONFIG_HOME=/elsewhere"));

    const std::vector<std::pair<std::string, std::function<void()>>> changes = {
        {"configuration edited", [&] { setModified(config, 1001); }},
        {"a font added to the folder", [&] { std::ofstream(fontFolder + "/new.ttf") << "x"; }},
        {"the user's configuration appears", [&] { std::ofstream(userConfig) << "<fontconfig/>"; }},
        {"the configuration is gone", [&] { std::filesystem::remove(config); }},
    };
    for (const auto& [what, change] : changes) {
        change();
        EXPECT_FALSE(stillHolds(cache, cache.environment)) << what;
        // Stamped afresh, the cache holds again.
        for (FileStamp& stamp : cache.stamps)
            stamp = stampOf(stamp.path);
        EXPECT_TRUE(stillHolds(cache, cache.environment)) << what;
    }
}

}  // namespace
