// The manual page and the shell completion name exactly the options that
// --help names, so that none of them falls behind when an option is added.
#include "app/command_line.h"

#include <gtest/gtest.h>

#include <fstream>
#include <regex>
#include <set>
#include <sstream>

namespace {

std::string readSource(const std::string& path)
{
    std::ifstream file(std::string(ORVEL_SOURCE_DIR) + "/" + path);
    std::ostringstream text;
    text << file.rdbuf();
    return text.str();
}

// Every "-x" and "--name" that starts a word; "one-page" and "xdg-open" are
// words of their own, not options.
std::set<std::string> optionsIn(const std::string& text)
{
    static const std::regex option(R"((^|[^A-Za-z0-9_-])(--?[a-z][a-z-]*))");
    std::set<std::string> found;
    for (auto it = std::sregex_iterator(text.begin(), text.end(), option); it != std::sregex_iterator(); ++it)
        found.insert((*it)[2]);
    return found;
}

// The manual page writes each minus sign of an option as "\-".
std::string withoutRoffEscapes(std::string text)
{
    for (std::size_t at; (at = text.find("\\-")) != std::string::npos;)
        text.erase(at, 1);
    return text;
}

// The completion's word lists are the double-quoted texts; its own commands'
// flags (compgen -W, compopt -o) stand outside them.
std::string quotedTexts(const std::string& script)
{
    static const std::regex quoted(R"re("([^"]*)")re");
    std::string texts;
    for (auto it = std::sregex_iterator(script.begin(), script.end(), quoted); it != std::sregex_iterator(); ++it)
        texts += (*it)[1].str() + "\n";
    return texts;
}

}  // namespace

TEST(DocumentationTest, ManualPageAndCompletionNameTheOptionsOfHelp)
{
    const std::set<std::string> help = optionsIn(usageText());
    ASSERT_TRUE(help.contains("--output") && help.contains("-y")) << "the help text names no options";

    const std::string manual = readSource("desktop/orvelplan.1.in");
    const std::string completion = readSource("desktop/orvelplan.bash-completion");
    ASSERT_FALSE(manual.empty());
    ASSERT_FALSE(completion.empty());
    const std::vector<std::pair<std::string, std::set<std::string>>> documents = {
        {"manual page", optionsIn(withoutRoffEscapes(manual))},
        {"bash completion", optionsIn(quotedTexts(completion))},
    };
    for (const auto& [name, options] : documents)
        EXPECT_EQ(options, help) << name;
}
