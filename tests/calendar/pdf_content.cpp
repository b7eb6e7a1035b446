#include "pdf_content.h"

#include <fstream>
#include <iterator>
#include <regex>

namespace {

// Undoes the literal-string escapes: "\057" is '/', "\(" is '('.
std::string unescape(const std::string& literal)
{
    std::string text;
    for (std::size_t i = 0; i < literal.size(); ++i) {
        if (literal[i] != '\\' || i + 1 == literal.size())
            text += literal[i];
        else if (literal[i + 1] >= '0' && literal[i + 1] <= '7')
            text += static_cast<char>(std::stoi(literal.substr(i + 1, 3), nullptr, 8)), i += 3;
        else
            text += literal[++i];
    }
    return text;
}

}  // namespace

std::vector<Placement> readPlacements(const std::string& pdfPath)
{
    std::ifstream file(pdfPath, std::ios::binary);
    const std::string pdf{std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
    static const std::regex operation(R"((\d+) Tf|BT\s+(-?\d+) (-?\d+) Td\s+(?:\(((?:\\.|[^\\)])*)\) Tj\s+)?ET)");
    std::vector<Placement> placements;
    int fontSize = 0;
    for (std::sregex_iterator it(pdf.begin(), pdf.end(), operation), end; it != end; ++it) {
        const std::smatch& m = *it;
        if (m[1].matched)
            fontSize = std::stoi(m[1]);
        else
            placements.push_back({std::stoi(m[2]), std::stoi(m[3]), unescape(m[4]), fontSize});
    }
    return placements;
}
