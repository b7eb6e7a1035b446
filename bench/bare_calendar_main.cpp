// A whole process that makes the calendar's 1,610 library placements and saves
// them, with nothing of the program around it: the instruction-count baseline.
#include "bare_placements.h"

#include <cstdio>

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fputs("usage: bare_calendar OUTPUT.pdf\n", stderr);
        return 2;
    }
    HPDF_Doc document = HPDF_New(nullptr, nullptr);
    if (!document)
        return 1;
    makeBarePlacements(document, HPDF_AddPage(document));
    const bool saved = HPDF_SaveToFile(document, argv[1]) == HPDF_OK;
    HPDF_Free(document);
    return saved ? 0 : 1;
}
