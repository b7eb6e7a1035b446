// Times one full frame of the main screen's ten controls drawn off screen, the
// work the window does whenever a control is dirty. Every draw loads its
// bitmaps and creates its fonts again, as the controls do at run time.
#include <initializer_list>

#include <benchmark/benchmark.h>

#include "platform/draw_surface.h"
#include "skin/scob_button.h"
#include "skin/scob_group.h"
#include "skin/scob_image.h"
#include "skin/scob_list.h"
#include "skin/scob_state_button.h"
#include "skin/skin_instance.h"

namespace {

constexpr int clientWidth = 471;
constexpr int clientHeight = 417;

struct MainScreenLike {
    skinInstance skin;
    scobImage background;
    scobButton titleStrip;
    scobButton label;
    scobButton createButton;
    scobList yearList;
    scobList layoutList;
    scobList weekendList;
    scobButton pageButton;
    scobStateButton translucencyToggle;
    scobStateButton onTopToggle;
    scobGroup group;

    MainScreenLike()
    {
        background.setup(0, 0, clientHeight, clientWidth, skin, 2, 1);
        background.setBitmapRole(1);
        group.add(background, 999);

        titleStrip.setup(0, 0, 20, 475, skin, 7, 17, 17, 10, 5, 0);
        titleStrip.setCaption("", 1);
        titleStrip.setBitmapRole(2);
        titleStrip.setInteractive(false);
        group.add(titleStrip, 999);

        label.setup(0, 0, 20, 145, skin, 0, 8, 8, 14, 7, 0);
        label.setCaption("www.example.org", 1);
        group.add(label, 150);

        createButton.setup(150, 290, 70, 170, skin, 0, 3, 2, 18, 8, 1);
        createButton.setCaption("Create Calendar", 1);
        createButton.setBitmapRole(7);
        group.add(createButton, 101);

        setUpList(yearList, 25, 110, "Year:",
                  {"2010", "2011", "2012", "2013", "2014", "2015", "2016"}, 103);
        setUpList(layoutList, 160, 140, "Layout:", {"3 Months / row", "2 Months / row"}, 202);
        setUpList(weekendList, 330, 110, "Weekend on:",
                  {"Sunday", "Monday", "Tuesday", "Wednesday", "Thursday", "Friday", "Saturday"}, 102);

        setUpSmallButton(pageButton, 411, 4, 1015);
        setUpSmallButton(translucencyToggle, 431, 5, 1011);
        setUpSmallButton(onTopToggle, 451, 3, 1010);
    }

    void setUpList(scobList& list, int x, int width, const char* caption,
                   std::initializer_list<const char*> items, int command)
    {
        list.setup(x, 70, 20, width, 20, true, skin);
        list.setFont(15, 7);
        list.setColours(0, 7, 0, 1, 0, 2, 0, 4);
        list.setMarkerBitmapRole(6);
        list.setCaption(caption);
        for (const char* item : items)
            list.addItem(item);
        list.setVisible(true);
        group.add(list, command);
    }

    void setUpSmallButton(scobButton& button, int x, int bitmapRole, int command)
    {
        button.setup(x, 1, 20, 20, skin, 7, 8, 2, 15, 6, 1);
        button.setCaption("", 1);
        button.setBitmapRole(bitmapRole);
        group.add(button, command);
    }
};

void BM_fullFrame(benchmark::State& state)
{
    MainScreenLike screen;
    DrawSurface frame(clientWidth, clientHeight);
    DrawContext dc = frame.context();
    // The pointer over a row, as while the user moves across a list.
    screen.weekendList.mouseMove(350, 135);
    for (auto _ : state) {
        screen.group.paintAll(dc);
        benchmark::DoNotOptimize(frame.pixel(0, 0));
    }
}
BENCHMARK(BM_fullFrame)->Unit(benchmark::kMicrosecond);

// Single controls, to see where the time of a frame goes.
void BM_oneControl(benchmark::State& state, scob& (*pick)(MainScreenLike&))
{
    MainScreenLike screen;
    DrawSurface frame(clientWidth, clientHeight);
    DrawContext dc = frame.context();
    scob& control = pick(screen);
    for (auto _ : state)
        control.draw(dc);
}
BENCHMARK_CAPTURE(BM_oneControl, background, [](MainScreenLike& s) -> scob& { return s.background; })
    ->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(BM_oneControl, weekendList, [](MainScreenLike& s) -> scob& { return s.weekendList; })
    ->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(BM_oneControl, createButton, [](MainScreenLike& s) -> scob& { return s.createButton; })
    ->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
