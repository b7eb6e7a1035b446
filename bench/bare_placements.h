#pragma once
#include <hpdf.h>

// The library work of one calendar page and nothing else: the same 1,610 text
// placements (year, 12 x 134 month cells, footer) with the same fonts and text
// measurements, from fixed tables instead of the calendar grid. It is the
// baseline that the program's own cost is measured against.
void makeBarePlacements(HPDF_Doc document, HPDF_Page page);
