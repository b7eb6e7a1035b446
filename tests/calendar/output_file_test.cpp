#include "calendar/calendar_document.h"
#include "output_file_test_support.h"

#include <gtest/gtest.h>

#include <cstdlib>

TEST(CalendarDocumentTest, LibraryErrorsAreReportedOnceWhereDiagnosticsAreAsked)
{
    // Memory that runs out while the page is drawn, after the document exists.
    static int allocations;
    allocations = 0;
    const PdfMemoryHooks failing{[](HPDF_UINT size) { return ++allocations > 100 ? nullptr : std::malloc(size); },
                                 [](void* block) { std::free(block); }};
    std::FILE* diagnostics = std::tmpfile();
    EXPECT_EQ(renderCalendarPdf(grid2010(), threePerRowLayoutId, diagnostics, failing).error,
              "cannot make the PDF document: out of memory");
    std::rewind(diagnostics);
    char line[80] = {};
    EXPECT_STREQ(std::fgets(line, sizeof line, diagnostics), "ERROR: error_no=1015, detail_no=0\n");
    EXPECT_EQ(std::fgets(line, sizeof line, diagnostics), nullptr);
    std::fclose(diagnostics);
}
