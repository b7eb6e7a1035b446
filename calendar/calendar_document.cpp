#include "calendar/calendar_document.h"

#include "calendar/calendar_grid.h"
#include "calendar/output_path.h"
#include "calendar/page_layout.h"
#include "calendar/page_options.h"
#include "platform/app_folders.h"
#include "platform/scratch_file.h"

#include <hpdf.h>

#include <cstdlib>
#include <memory>
#include <new>

namespace {

// The first error the library reports for one document. The handler returns
// to the library, which then fails the operation in progress; the document is
// checked after each step and discarded once anything went wrong.
struct PdfErrorRecord {
    std::FILE* diagnostics;  // nullptr: the caller reports the failure itself
    HPDF_STATUS errorNo = HPDF_OK;
    HPDF_STATUS detailNo = 0;
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
    if (record.diagnostics)
        std::fprintf(record.diagnostics, "ERROR: error_no=%04X, detail_no=%u\n", static_cast<unsigned>(errorNo),
                     static_cast<unsigned>(detailNo));
}

struct PdfDocumentFree {
    void operator()(HPDF_Doc document) const { HPDF_Free(document); }
};
using PdfDocument = std::unique_ptr<std::remove_pointer_t<HPDF_Doc>, PdfDocumentFree>;

// The library's memory comes through these two functions, so that a failed
// allocation is known as the cause even when the library goes on to report
// a follow-up error of its own instead.
thread_local PdfMemoryHooks libraryMemory;
thread_local bool allocationFailed = false;

void* allocateForLibrary(HPDF_UINT size)
{
    void* block = libraryMemory.allocate ? libraryMemory.allocate(size) : std::malloc(size);
    if (!block)
        allocationFailed = true;
    return block;
}

void releaseForLibrary(void* block)
{
    libraryMemory.release ? libraryMemory.release(block) : std::free(block);
}

// Puts `hooks` behind the library's memory for one document's lifetime.
class LibraryMemoryScope {
public:
    explicit LibraryMemoryScope(PdfMemoryHooks hooks)
    {
        libraryMemory = hooks;
        allocationFailed = false;
    }
    ~LibraryMemoryScope() { libraryMemory = {}; }
    LibraryMemoryScope(const LibraryMemoryScope&) = delete;
    LibraryMemoryScope& operator=(const LibraryMemoryScope&) = delete;
};

std::string describeFailure(const PdfErrorRecord& record)
{
    if (record.errorNo == HPDF_FAILD_TO_ALLOC_MEM || allocationFailed)
        return "cannot make the PDF document: out of memory";
    char text[80];
    std::snprintf(text, sizeof text, "cannot make the PDF document: library error 0x%04X (detail %u)",
                  static_cast<unsigned>(record.errorNo), static_cast<unsigned>(record.detailNo));
    return text;
}

// The document as the library writes it to a file, copied out of the
// library's memory stream so that every byte reaches the disk through our own
// checked writes.
bool saveDocumentInto(HPDF_Doc document, const PdfErrorRecord& errors, std::string& bytes)
{
    if (HPDF_SaveToStream(document) != HPDF_OK || errors.failed())
        return false;
    HPDF_UINT32 size = HPDF_GetStreamSize(document);
    if (size == 0)
        return false;
    try {
        bytes.resize(size);
    } catch (const std::bad_alloc&) {
        allocationFailed = true;
        return false;
    }
    const HPDF_UINT32 expected = size;
    return HPDF_ReadFromStream(document, reinterpret_cast<HPDF_BYTE*>(bytes.data()), &size) == HPDF_OK &&
           size == expected && !errors.failed();
}

}  // namespace

RenderedPdf renderCalendarPdf(const CalendarRequest& request)
{
    RenderedPdf result;
    PdfErrorRecord errors{request.diagnostics};
    const LibraryMemoryScope memoryScope(request.memory);
    // Declared first so that it goes last: the library reads it until the
    // document is freed.
    ScratchFile fontFile;
    const PdfDocument document{HPDF_NewEx(pdfErrorHandler, allocateForLibrary, releaseForLibrary, 0, &errors)};
    if (!document) {
        if (request.diagnostics)
            std::fputs("error: cannot create PdfDoc object\n", request.diagnostics);
        result.error = "cannot make the PDF document: out of memory";
        return result;
    }

    // Streams take the compression in force when they are made.
    if (request.page.compress)
        HPDF_SetCompressionMode(document.get(), HPDF_COMP_ALL);
    const HPDF_Page page = HPDF_AddPage(document.get());
    if (!errors.failed() &&
        !drawCalendar(CalendarPage{document.get(), page, request.grid, fontFile}, request.layout, request.page)) {
        result.footerTooSmall = true;
        result.error = "the footer does not fit across the page at " + std::to_string(smallestFooterSize) +
                       " pt or larger";
        return result;
    }
    if (errors.failed() || !saveDocumentInto(document.get(), errors, result.bytes)) {
        result.bytes.clear();
        // Some failures inside the library, a failed allocation among them,
        // are never passed to the handler.
        result.error = errors.failed() || allocationFailed ? describeFailure(errors)
                                                           : "cannot make the PDF document: the library did not save it";
    }
    return result;
}

SaveResult saveCalendarPdf(const RenderedPdf& pdf, const std::string& path)
{
    SaveResult result;
    result.error = path.empty() ? "no output file name" : pdf.error;
    if (!result.error.empty())
        return result;
    return writeFileAtomically(path, pdf.bytes, SpecialTarget::writeInPlace);
}

CalendarFile saveCalendar(const RenderedPdf& pdf)
{
    CalendarFile result;
    if (!pdf.error.empty()) {
        result.error = pdf.error;
        return result;
    }
    const ProgramFolder folder = findProgramFolder();
    if (!folder.problem.empty()) {
        result.error = folder.path.empty() ? "cannot find the folder for calendars: " + folder.problem : folder.problem;
        return result;
    }
    ClaimResult claimed = saveUnderFreeOutputPath(folder.path, pdf.bytes);
    result.path = claimed.path;
    result.error = claimed.error;
    result.file = std::move(claimed.file);
    return result;
}

CalendarFile createCalendar(const CalendarRequest& request)
{
    return saveCalendar(renderCalendarPdf(request));
}
