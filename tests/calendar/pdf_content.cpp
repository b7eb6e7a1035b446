#include "pdf_content.h"

#include <regex>

#include "tests/support/files.h"

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
    const std::string pdf = readFile(pdfPath);
    static const std::regex operation(
        R"((\d+) Tf|([\d.]+ [\d.]+ [\d.]+) rg|BT\s+(-?\d+) (-?\d+) Td\s+(?:(?:\(((?:\\.|[^\\)])*)\)|<([0-9A-Fa-f]*)>) Tj\s+)?ET)");
    std::vector<Placement> placements;
    int fontSize = 0;
    std::string fill;
    for (std::sregex_iterator it(pdf.begin(), pdf.end(), operation), end; it != end; ++it) {
        const std::smatch& m = *it;
        if (m[1].matched)
            fontSize = std::stoi(m[1]);
        else if (m[2].matched)
            fill = m[2] == "0 0 0" ? "" : m[2].str();
        else
        {
            const std::string text = m[6].matched ? m[6].str() : unescape(m[5]);
            const int glyphs = static_cast<int>(m[6].matched ? text.size() / 4 : text.size());
            placements.push_back({std::stoi(m[3]), std::stoi(m[4]), text, fontSize, fill, glyphs});
        }
    }
    return placements;
}

PageGeometry readPageGeometry(const std::string& pdfPath)
{
    const std::string pdf = readFile(pdfPath);
    PageGeometry geometry;
    std::smatch m;
    static const std::regex mediaBox(R"(/MediaBox\s*\[\s*0 0 ([\d.]+) ([\d.]+)\s*\])");
    if (std::regex_search(pdf, m, mediaBox))
        geometry.width = std::stod(m[1]), geometry.height = std::stod(m[2]);
    static const std::regex scale(R"(([\d.]+) 0 0 ([\d.]+) 0 0 cm)");
    if (std::regex_search(pdf, m, scale))
        geometry.scale = std::stod(m[1]);
    static const std::regex boxOrColour(R"(([\d.]+ [\d.]+ [\d.]+) rg|(-?\d+) (-?\d+) (\d+) (\d+) re)");
    std::string fill;
    for (std::sregex_iterator it(pdf.begin(), pdf.end(), boxOrColour), end; it != end; ++it) {
        if ((*it)[1].matched)
            fill = (*it)[1];
        else
            geometry.boxes.push_back({std::stoi((*it)[2]), std::stoi((*it)[3]), std::stoi((*it)[4]),
                                      std::stoi((*it)[5]), fill});
    }
    return geometry;
}
