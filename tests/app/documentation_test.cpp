// The manual page and the shell completion name exactly the options that
// --help names, and the completion offers `text` exactly the options it takes,
// so that none of them falls behind when an option is added.
#include "app/command_line.h"
#include "tests/support/files.h"

#include <gtest/gtest.h>

#include <regex>
#include <set>

namespace {

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

// The texts between the double quotes that follow `prefix`: the completion's
// word lists, apart from its own commands' flags (compgen -W, compopt -o).
std::string quotedTexts(const std::string& script, const std::string& prefix = "")
{
    const std::regex quoted(prefix + R"re("([^"]*)")re");
    std::string texts;
    for (auto it = std::sregex_iterator(script.begin(), script.end(), quoted); it != std::sregex_iterator(); ++it)
        texts += (*it)[1].str() + "\n";
    return texts;
}

}  // namespace

TEST(DocumentationTest, ManualPageAndCompletionNameTheOptionsOfHelp)
{
    const std::set<std::string> help = optionsIn(usageText(Conventions::gnu));
    ASSERT_TRUE(help.contains("--output") && help.contains("-y")) << "the help text names no options";
    // The manual page writes each minus sign of an option as "\-".
    const std::string manual =
        std::regex_replace(readFile(ORVEL_SOURCE_DIR "/desktop/orvelplan.1.in"), std::regex(R"(\\-)"), "-");
    const std::string completion = readFile(ORVEL_SOURCE_DIR "/desktop/orvelplan.bash-completion");
    EXPECT_EQ(optionsIn(manual), help) << "manual page";
    EXPECT_EQ(optionsIn(quotedTexts(completion)), help) << "bash completion";

    std::set<std::string> textOptions;
    for (const std::string& option : help)
        if (parseCommandLine({"text", option, "1"}, 2026).error.find("does not apply") == std::string::npos)
            textOptions.insert(option);
    EXPECT_EQ(optionsIn(quotedTexts(completion, "common=")), textOptions);
}
