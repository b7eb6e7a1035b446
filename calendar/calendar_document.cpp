#include "calendar/calendar_document.h"

#include "calendar/calendar_grid.h"
#include "calendar/output_path.h"
#include "calendar/page_layout.h"
#include "calendar/page_options.h"
#include "platform/app_folders.h"
#include "platform/file_replace.h"
#include "platform/open_external.h"

#include <hpdf.h>

#include <cerrno>
#include <cstring>
#include <memory>

namespace {

// The first error the library reports for one document. The handler returns
// to the library, which then fails the operation in progress; the document is
// checked after each step and discarded once anything went wrong.
struct PdfErrorRecord {
    std::FILE* diagnostics;
    HPDF_STATUS errorNo = HPDF_OK;
    HPDF_STATUS detailNo = 0;
    int systemError = 0;  // errno when the error was reported
    bool failed() const { return errorNo != HPDF_OK; }
};

// Only the first error is reported: once a document has failed, the library
// answers every later call on it with a follow-up error of its own.
extern "C" void pdfErrorHandler(HPDF_STATUS errorNo, HPDF_STATUS detailNo, void* userData) noexcept
{
    auto& record = *static_cast<PdfErrorRecord*>(userData);
    if (record.failed())
        return;
    record.errorNo = errorNo;
    record.detailNo = detailNo;
    record.systemError = errno;
    std::fprintf(record.diagnostics, "ERROR: error_no=%04X, detail_no=%u\n", static_cast<unsigned>(errorNo),
                 static_cast<unsigned>(detailNo));
}

struct PdfDocumentFree {
    void operator()(HPDF_Doc document) const { HPDF_Free(document); }
};
using PdfDocument = std::unique_ptr<std::remove_pointer_t<HPDF_Doc>, PdfDocumentFree>;

std::string describeFailure(const PdfErrorRecord& record, const std::string& path)
{
    char text[64];
    // A failed open carries the system's errno as its detail; a failed write
    // only a flag, so the errno seen when the error was reported stands in.
    if (record.errorNo == HPDF_FILE_OPEN_ERROR)
        return "cannot write " + path + ": " + std::strerror(static_cast<int>(record.detailNo));
    if (record.errorNo == HPDF_FILE_IO_ERROR && record.systemError != 0)
        return "cannot write " + path + ": " + std::strerror(record.systemError);
    std::snprintf(text, sizeof text, "PDF library error 0x%04X (detail %u)", static_cast<unsigned>(record.errorNo),
                  static_cast<unsigned>(record.detailNo));
    return text;
}

}  // namespace

std::string createCalendarPdf(const std::string& path, const CalendarTextGrid& grid, int calendarLayout,
                              std::FILE* diagnostics, const PageOptions* options)
{
    if (path.empty())
        return "no output file name";

    PdfErrorRecord errors{diagnostics};
    const PdfDocument document{HPDF_New(pdfErrorHandler, &errors)};
    if (!document) {
        std::fputs("error: cannot create PdfDoc object\n", diagnostics);
        return "cannot create the PDF document (out of memory)";
    }

    // Streams take the compression in force when they are made.
    if (options && options->compress)
        HPDF_SetCompressionMode(document.get(), HPDF_COMP_ALL);
    const HPDF_Page page = HPDF_AddPage(document.get());
    if (!errors.failed()) {
        const CalendarPage target{document.get(), page, grid};
        if (options) {
            drawCalendarWithOptions(target, calendarLayout, *options);
        } else if (calendarLayout == threePerRowLayoutId)
            layoutThreePerRow(target);
        else if (calendarLayout == twoPerRowLayoutId)
            layoutTwoPerRow(target);
    }
    if (errors.failed())
        return describeFailure(errors, path);

    const std::string temporary = temporaryPathBeside(path);
    HPDF_SaveToFile(document.get(), temporary.c_str());
    if (errors.failed()) {
        removeFile(temporary);
        // The library names the file it opened: report the one the caller asked for.
        return describeFailure(errors, path);
    }
    return replaceWithTemporary(temporary, path);
}

CalendarFile createCalendar(const CalendarTextGrid& grid, int calendarLayout, bool openWhenSaved,
                            std::FILE* diagnostics, const PageOptions* options)
{
    CalendarFile result;
    const std::string folder = programFolder();
    if (folder.empty()) {
        result.error = "cannot find the folder for calendars: " + missingProgramFolderReason();
        return result;
    }
    result.path = chooseOutputPath(folder);
    result.error = createCalendarPdf(result.path, grid, calendarLayout, diagnostics, options);
    if (result.saved() && openWhenSaved)
        result.openError = openWithDefaultApplication(result.path);
    return result;
}
