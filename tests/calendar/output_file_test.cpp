#include "calendar/calendar_document.h"
#include "tests/support/grids.h"
#include "platform/temporary_file_name.h"

#include <gtest/gtest.h>

#include <cstdlib>

TEST(CalendarDocumentTest, LibraryErrorsAreReportedOnceWhereDiagnosticsAreAsked)
{
    // Memory that runs out while the page is drawn, after the document exists.
    static int allocations;
    allocations = 0;
    std::FILE* diagnostics = std::tmpfile();
    CalendarRequest request(gridOf(2010), threePerRowLayoutId, diagnostics);
    request.memory = {[](HPDF_UINT size) { return ++allocations > 100 ? nullptr : std::malloc(size); },
                      [](void* block) { std::free(block); }};
    EXPECT_EQ(renderCalendarPdf(request).error,
              "cannot make the PDF document: out of memory");
    std::rewind(diagnostics);
    char line[80] = {};
    EXPECT_STREQ(std::fgets(line, sizeof line, diagnostics), "ERROR: error_no=1015, detail_no=0\n");
    EXPECT_EQ(std::fgets(line, sizeof line, diagnostics), nullptr);
    std::fclose(diagnostics);
}

TEST(TemporaryFileNameTest, OnlyNamesThisProgramMakesHaveAnOwner)
{
    EXPECT_EQ(temporaryFileName(4321, 7), ".orvelplan-4321-7.tmp");
    EXPECT_EQ(temporaryFileOwner(temporaryFileName(4294967295u, 0)), 4294967295u);
    for (const char* other : {".orvelplan--1.tmp", ".orvelplan-12a-1.tmp", ".orvelplan-12.tmp", ".orvelplan-.tmp",
                              ".orvelplan-12345678901-0.tmp", "orvelplan-12-0.tmp", ".orvelplan-12-0.pdf", ".tmp"})
        EXPECT_EQ(temporaryFileOwner(other), 0u) << other;
}
