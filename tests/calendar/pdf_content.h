#pragma once
#include <string>
#include <vector>

// One text object of an uncompressed content stream, "BT x y Td (text) Tj ET";
// `text` is empty when the object holds only the move.
struct Placement {
    int x = 0;
    int y = 0;
    std::string text;
    int fontSize = 0;  // from the last "Tf" before the object
};

std::vector<Placement> readPlacements(const std::string& pdfPath);
