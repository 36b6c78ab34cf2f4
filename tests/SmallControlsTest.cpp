// The editor's slider without a selection range and the image that reports the mouse.
#include <gtest/gtest.h>

#include <windows.h>

#include <commctrl.h>

#include <memory>
#include <string>
#include <vector>

#include "ControlsTestSupport.h"
#include "controls/OrvaneImg.h"
#include "controls/OrvaneTrackbar.h"
#include "ui/Bitmap.h"

using namespace lumetta;
using namespace lumetta::test;

namespace {

// What the track bar's own drawing puts into a bitmap of its size.
std::vector<COLORREF> Drawn(const ui::TrackBar& bar)
{
    ui::Bitmap bitmap(bar.Width(), bar.Height());
    SendMessageA(bar.Handle(), WM_PRINTCLIENT, reinterpret_cast<WPARAM>(bitmap.DC()), PRF_CLIENT);
    std::vector<COLORREF> pixels;
    for (int y = 0; y < bar.Height(); ++y)
        for (int x = 0; x < bar.Width(); ++x)
            pixels.push_back(GetPixel(bitmap.DC(), x, y));
    return pixels;
}

class SmallControlsTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        form = ShownForm("SmallControlsTestForm", 300, 200);
    }
    ui::Owned<ui::Form> form;
};

TEST_F(SmallControlsTest, TheSliderShowsNoSelection)
{
    const ui::TrackBar::Args settings{.min = -25, .max = 25, .position = 0, .tickStyle = ui::TickStyle::Manual,
                                      .tickMarks = ui::TickMark::TopLeft, .thumbLength = 16, .selStart = -20, .selEnd = 15};
    auto* plain = form->Add<ui::TrackBar>({.name = "trackPlain", .bounds = {8, 10, 200, 28}}, settings);
    auto* selected = form->Add<TOrvaneTrackbar>({.name = "trackBrightness", .bounds = {8, 50, 200, 28}}, settings);
    auto unselectedArgs = settings;
    unselectedArgs.selStart = unselectedArgs.selEnd = 0;
    auto* unselected = form->Add<TOrvaneTrackbar>({.name = "trackContrast", .bounds = {8, 90, 200, 28}}, unselectedArgs);

    EXPECT_FALSE(GetWindowLongA(selected->Handle(), GWL_STYLE) & TBS_ENABLESELRANGE);
    // The channel looks as without a selection; the plain track bar shows it.
    EXPECT_EQ(Drawn(*selected), Drawn(*unselected));
    EXPECT_NE(Drawn(*plain), Drawn(*unselected));
    selected->SetSelection(-5, 5);
    EXPECT_EQ(Drawn(*selected), Drawn(*unselected));
}

TEST_F(SmallControlsTest, TheToolImageReportsTheMouseComingAndGoingOnce)
{
    auto* image = form->Add<TOrvaneImage>({.name = "imgHelpBtn", .bounds = {250, 7, 32, 32}},
                                          {.stretch = true, .transparent = true});
    auto* silent = form->Add<TOrvaneImage>({.name = "imgCheckForUpdatesBtn", .bounds = {210, 7, 32, 32}});
    std::vector<std::string> events;
    image->OnMouseEnter = [&](ui::Component& sender) { events.push_back(&sender == image ? "enter" : "?"); };
    image->OnMouseLeave = [&](ui::Component& sender) { events.push_back(&sender == image ? "leave" : "?"); };

    Mouse mouse;
    auto at = [&](int x, int y) { return form->ClientToScreen(POINT{x, y}); };
    mouse.MoveTo(at(150, 150));
    mouse.MoveTo(at(255, 10));
    mouse.MoveTo(at(270, 30));
    EXPECT_EQ(events, (std::vector<std::string>{"enter"}));
    mouse.MoveTo(at(150, 150));
    mouse.MoveTo(at(180, 170));
    EXPECT_EQ(events, (std::vector<std::string>{"enter", "leave"}));
    // Straight onto the neighbour and back, through no other control.
    mouse.MoveTo(at(220, 10));
    EXPECT_EQ(ui::App().MouseControl(), silent);
    mouse.MoveTo(at(255, 10));
    mouse.MoveTo(at(230, 10));
    EXPECT_EQ(events, (std::vector<std::string>{"enter", "leave", "enter", "leave"}));
}

} // namespace
