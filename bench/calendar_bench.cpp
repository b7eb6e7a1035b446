// Cost of laying out the year and of one whole calendar document per layout,
// next to the same library work done from fixed tables (BareLibrary).
#include "bare_placements.h"
#include "calendar/calendar_document.h"
#include "calendar/calendar_grid.h"
#include "calendar/page_layout.h"
#include "calendar/page_options.h"
#include "platform/scratch_file.h"

#include <benchmark/benchmark.h>

namespace {

void saveToMemory(HPDF_Doc document)
{
    HPDF_SaveToStream(document);
    benchmark::DoNotOptimize(HPDF_GetStreamSize(document));
}

void BM_GridLayOut(benchmark::State& state)
{
    CalendarTextGrid grid;
    grid.setYearAndWeekendDay(2010, 0);
    for (auto _ : state) {
        grid.layOut();
        benchmark::ClobberMemory();
    }
}

void BM_CalendarDocument(benchmark::State& state)
{
    const int layout = static_cast<int>(state.range(0));
    CalendarTextGrid grid;
    grid.setYearAndWeekendDay(2010, 0);
    grid.layOut();
    const PageOptions windowPage;
    ScratchFile noFont;  // the window's page has none
    for (auto _ : state) {
        HPDF_Doc document = HPDF_New(nullptr, nullptr);
        drawCalendar({document, HPDF_AddPage(document), grid, noFont}, layout, windowPage);
        saveToMemory(document);
        HPDF_Free(document);
    }
}

void BM_BareLibrary(benchmark::State& state)
{
    for (auto _ : state) {
        HPDF_Doc document = HPDF_New(nullptr, nullptr);
        makeBarePlacements(document, HPDF_AddPage(document));
        saveToMemory(document);
        HPDF_Free(document);
    }
}

}  // namespace

BENCHMARK(BM_GridLayOut);
BENCHMARK(BM_CalendarDocument)->Arg(threePerRowLayoutId)->Arg(twoPerRowLayoutId);
BENCHMARK(BM_BareLibrary);
BENCHMARK_MAIN();
