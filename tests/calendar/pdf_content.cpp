#include "pdf_content.h"

#include <fstream>
#include <sstream>

namespace {

// Reads a literal string "(...)": a backslash quotes the next character or
// starts an octal code of up to three digits ("\057" is '/').
std::string readLiteral(std::istream& in)
{
    std::string text;
    char c;
    while (in.get(c) && c != ')') {
        if (c != '\\' || !in.get(c)) {
            text += c;
            continue;
        }
        if (c < '0' || c > '7') {
            text += c;
            continue;
        }
        int code = c - '0';
        for (int digits = 1; digits < 3 && in.peek() >= '0' && in.peek() <= '7'; ++digits)
            code = code * 8 + (in.get() - '0');
        text += static_cast<char>(code);
    }
    return text;
}

void readStream(const std::string& content, std::vector<Placement>& placements)
{
    std::istringstream in(content);
    std::vector<std::string> operands;
    Placement current;
    double fontSize = 0;
    std::string token;
    char c;
    while (in >> std::ws && in.get(c)) {
        if (c == '(') {
            operands.push_back(readLiteral(in));
            continue;
        }
        token = c;
        while (in.peek() != EOF && !std::isspace(in.peek()) && in.peek() != '(')
            token += static_cast<char>(in.get());
        if (token == "BT") {
            current = Placement{};
            current.fontSize = fontSize;
        } else if (token == "Td" && operands.size() >= 2) {
            current.x = std::stod(operands[operands.size() - 2]);
            current.y = std::stod(operands.back());
        } else if (token == "Tj" && !operands.empty()) {
            current.text = operands.back();
        } else if (token == "Tf" && !operands.empty()) {
            fontSize = std::stod(operands.back());
        } else if (token == "ET") {
            placements.push_back(current);
        } else {
            operands.push_back(token);
            continue;
        }
        operands.clear();
    }
}

}  // namespace

std::vector<Placement> readPlacements(const std::string& pdfPath)
{
    std::ifstream file(pdfPath, std::ios::binary);
    const std::string pdf((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
    std::vector<Placement> placements;
    // "stream" is followed by CR LF or LF; "endstream" closes the data.
    for (std::size_t at = pdf.find("stream"); at != std::string::npos; at = pdf.find("stream", at)) {
        if (at >= 3 && pdf.compare(at - 3, 3, "end") == 0) {
            at += 6;
            continue;
        }
        std::size_t start = at + 6;
        if (pdf.compare(start, 2, "\r\n") == 0)
            start += 2;
        else if (pdf.compare(start, 1, "\n") == 0)
            start += 1;
        else {
            at = start;
            continue;
        }
        const std::size_t end = pdf.find("endstream", start);
        if (end == std::string::npos)
            break;
        readStream(pdf.substr(start, end - start), placements);
        at = end + 9;
    }
    return placements;
}
