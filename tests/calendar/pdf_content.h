#pragma once
#include <string>
#include <vector>

// One text object of an uncompressed PDF content stream: "BT x y Td (s) Tj ET".
struct Placement {
    double x = 0;
    double y = 0;
    std::string text;      // empty when the object holds only the move
    double fontSize = 0;   // from the last "Tf" before the object
};

// The text objects of every content stream in the file, in stream order.
std::vector<Placement> readPlacements(const std::string& pdfPath);
