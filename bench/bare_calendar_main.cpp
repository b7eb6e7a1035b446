// A whole process that makes the calendar's 1,610 library placements and saves
// them, with nothing of the program around it: the instruction-count baseline.
// Like the program, it takes the whole document out of the library into memory
// (the library's own memory stream, through its public calls) before writing a
// byte, so the figure compares the program with the same library work.
#include "bare_placements.h"

#include <cstdio>
#include <cstdlib>

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
    bool saved = HPDF_SaveToStream(document) == HPDF_OK;
    HPDF_UINT32 size = saved ? HPDF_GetStreamSize(document) : 0;
    // malloc rather than a container: the baseline stays free of the C++
    // library, which the program links statically.
    auto* bytes = static_cast<HPDF_BYTE*>(std::malloc(size));
    saved = saved && bytes && size > 0 && HPDF_ReadFromStream(document, bytes, &size) == HPDF_OK;
    HPDF_Free(document);
    std::FILE* file = saved ? std::fopen(argv[1], "wb") : nullptr;
    saved = file && std::fwrite(bytes, 1, size, file) == size;
    if (file)
        saved = std::fclose(file) == 0 && saved;
    std::free(bytes);
    return saved ? 0 : 1;
}
