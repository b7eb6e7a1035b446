#pragma once
#include <string_view>

// A page size in whole PDF points (1/72 inch), upright.
struct PaperSize {
    int width;
    int height;
};

// The papers a calendar can be printed on: the name --paper takes, the size
// in points, and the size in millimetres by which the locale's paper is
// recognised.
struct Paper {
    std::string_view name;
    PaperSize points;
    int widthMillimetres;
    int heightMillimetres;
};
inline constexpr Paper papers[] = {
    {"a4", {595, 841}, 210, 297},
    {"letter", {612, 792}, 216, 279},
    {"legal", {612, 1008}, 216, 356},
    {"a3", {841, 1190}, 297, 420},
    {"a5", {419, 595}, 148, 210},
};

// A4 upright is the library's default page and the window's paper.
inline constexpr PaperSize paperA4 = papers[0].points;
