#pragma once
#include <string>
#include <vector>

// One text object of an uncompressed content stream, "BT x y Td (text) Tj ET";
// `text` is empty when the object holds only the move. A hex string (a font
// of its own with two-byte glyph numbers) is kept as its hex digits.
struct Placement {
    int x = 0;
    int y = 0;
    std::string text;
    int fontSize = 0;    // from the last "Tf" before the object
    std::string fill;    // the last "r g b rg" before it, "" for the initial black
    int glyphs = 0;      // characters shown: bytes of a literal, four hex digits each
};

std::vector<Placement> readPlacements(const std::string& pdfPath);

// What else the page description holds: the media box, the scale of a
// "s 0 0 s 0 0 cm" (1 without one) and the filled "x y w h re" rectangles
// with their fill colour.
struct FilledBox {
    int x, y, width, height;
    std::string fill;
};
struct PageGeometry {
    double width = 0;
    double height = 0;
    double scale = 1;
    std::vector<FilledBox> boxes;
};
PageGeometry readPageGeometry(const std::string& pdfPath);
