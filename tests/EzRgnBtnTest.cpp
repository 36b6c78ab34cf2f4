// The picture button: state pictures, own enabled flag, click rules, auto-repeat and the
// colour-key region and drawing, driven by the messages the platform sends.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "ControlsTestSupport.h"
#include "controls/EzRgnBtn.h"

using namespace lumetta;
using namespace lumetta::test;

namespace {

constexpr COLORREF Key = RGB(255, 0, 255);
constexpr COLORREF Face = RGB(20, 40, 200);
constexpr COLORREF Behind = RGB(0, 160, 0);

std::unique_ptr<ui::Bitmap> Solid(int width, int height, COLORREF colour)
{
    auto bitmap = std::make_unique<ui::Bitmap>(width, height);
    bitmap->Canvas().Brush.Color = colour;
    bitmap->Canvas().FillRect(RECT{0, 0, width, height});
    return bitmap;
}

void Dot(ui::Bitmap& bitmap, int x, int y, COLORREF colour)
{
    SetPixelV(bitmap.DC(), x, y, colour);
    bitmap.Changed();
}

// A picture with the key colour at its top-left corner, along a short column in the middle and
// at its bottom-right corner.
std::unique_ptr<ui::Bitmap> KeyedPicture(int width = 40, int height = 30)
{
    auto bitmap = Solid(width, height, Face);
    Dot(*bitmap, 0, 0, Key);
    for (int y = 5; y < 10; ++y)
        Dot(*bitmap, 20, y, Key);
    Dot(*bitmap, width - 1, height - 1, Key);
    return bitmap;
}

// Counts its drawing and can draw onto any device context.
class ProbeButton : public TEzRgnBtn {
public:
    using TEzRgnBtn::TEzRgnBtn;
    int paints = 0;
    void PaintOn(HDC dc) { TEzRgnBtn::PaintWindow(dc); }

protected:
    void PaintWindow(HDC dc) override
    {
        ++paints;
        TEzRgnBtn::PaintWindow(dc);
    }
};

class EzRgnBtnTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        form = ShownForm("EzRgnBtnTestForm", 300, 200);
    }

    ProbeButton* AddButton(TEzRgnBtn::Args own = {})
    {
        return form->Add<ProbeButton>({.name = "imgBtn", .bounds = {50, 40}}, own);
    }

    POINT At(const ui::Control& control, int x, int y) const { return control.ClientToScreen(POINT{x, y}); }
    POINT Outside() const { return form->ClientToScreen(POINT{280, 180}); }

    // Pictures of four widths, so the button's width tells which one it draws.
    static void GiveFourPictures(TEzRgnBtn& button)
    {
        button.SetPicIdle(Solid(40, 30, Face).get());
        button.SetPicUp(Solid(41, 30, Face).get());
        button.SetPicDown(Solid(42, 30, Face).get());
        button.SetPicDsbld(Solid(43, 30, Face).get());
    }

    ui::Owned<ui::Form> form;
    Mouse mouse;
};

TEST_F(EzRgnBtnTest, TakesTheSizeOfThePictureItDraws)
{
    ProbeButton* button = AddButton();
    ASSERT_TRUE(button->HandleAllocated());
    EXPECT_EQ(button->Width(), 15);
    EXPECT_EQ(button->Height(), 15);
    EXPECT_FALSE(button->PicIdle().HasGraphic());
    // Nothing to draw: the size stays.
    button->RepaintNow();
    UpdateWindow(button->Handle());
    EXPECT_EQ(button->Width(), 15);

    button->SetPicIdle(Solid(160, 140, Face).get());
    EXPECT_EQ(button->Width(), 160);
    EXPECT_EQ(button->Height(), 140);

    // Changes made to a picture's bitmap in place redraw the button too.
    button->PicIdle().Bitmap().Assign(*Solid(60, 50, Face));
    EXPECT_EQ(button->Width(), 60);
    EXPECT_EQ(button->Height(), 50);
    const int before = button->paints;
    button->PicIdle().Bitmap().Canvas().FillRect(RECT{0, 0, 5, 5});
    EXPECT_EQ(button->paints, before + 1);
}

TEST_F(EzRgnBtnTest, PicturesFollowHoverPressAndTheOwnEnabledFlag)
{
    ProbeButton* button = AddButton();
    GiveFourPictures(*button);
    std::vector<std::string> events;
    int clicks = 0;
    button->OnMouseEnterMsg = [&](ui::Message& m) { events.push_back(m.msg == ui::CM_MOUSEENTER ? "enter" : "?"); };
    button->OnMouseLeaveMsg = [&](ui::Message& m) { events.push_back(m.msg == ui::CM_MOUSELEAVE ? "leave" : "?"); };
    button->OnMouseDownMsg = [&](ui::Message& m) { events.push_back(m.msg == WM_LBUTTONDOWN ? "down" : "?"); };
    button->OnMouseUpMsg = [&](ui::Message& m) { events.push_back(m.msg == WM_LBUTTONUP ? "up" : "?"); };
    button->OnClick = [&](ui::Component& sender) { clicks += &sender == button ? 1 : 100; };

    EXPECT_EQ(button->Width(), 40);
    mouse.MoveTo(At(*button, 5, 5));
    EXPECT_EQ(button->Width(), 41);
    mouse.Press(At(*button, 5, 5));
    EXPECT_EQ(button->Width(), 42);
    mouse.MoveTo(Outside()); // pressed but away: idle
    EXPECT_EQ(button->Width(), 40);
    EXPECT_FALSE(button->Hover());
    mouse.MoveTo(At(*button, 6, 6));
    EXPECT_EQ(button->Width(), 42);
    mouse.Release(At(*button, 6, 6));
    EXPECT_EQ(button->Width(), 41);
    EXPECT_EQ(clicks, 1);
    mouse.MoveTo(Outside());
    EXPECT_EQ(events, (std::vector<std::string>{"enter", "down", "leave", "enter", "up", "leave"}));

    // Disabled: the window keeps the mouse and the events, the look stays, no click passes.
    events.clear();
    button->SetEnabled(false);
    EXPECT_FALSE(static_cast<const ui::Control&>(*button).Enabled()) << "through the base as well";
    EXPECT_FALSE(button->CanFocus());
    EXPECT_TRUE(button->Disabled());
    EXPECT_TRUE(IsWindowEnabled(button->Handle()));
    EXPECT_EQ(button->Width(), 43);
    mouse.Click(At(*button, 5, 5));
    EXPECT_EQ(button->Width(), 43);
    mouse.MoveTo(Outside());
    EXPECT_EQ(clicks, 1);
    EXPECT_EQ(events, (std::vector<std::string>{"enter", "down", "up", "leave"}));
    // Without a disabled picture the idle one is shown.
    button->PicDsbld().Clear();
    EXPECT_EQ(button->Width(), 40);

    // Writing the flag it already has does not redraw.
    ui::App().ProcessMessages();
    const int paints = button->paints;
    button->SetEnabled(false);
    button->SetPaintMode(pmNormal);
    ui::App().ProcessMessages();
    EXPECT_EQ(button->paints, paints);
    button->SetEnabled(true);
    EXPECT_GT(button->paints, paints);
    EXPECT_FALSE(button->Disabled());

    // A layout that leaves the button disabled gives it its own flag, not a disabled window.
    auto* selected = form->Add<TEzRgnBtn>({.name = "imgBtnSelected", .bounds = {200, 10, 20, 20}, .enabled = false});
    EXPECT_TRUE(selected->Disabled());
    EXPECT_TRUE(IsWindowEnabled(selected->Handle()));
}

TEST_F(EzRgnBtnTest, AClickNeedsPressAndReleaseInsideAndADoubleClickGivesOne)
{
    ProbeButton* button = AddButton();
    button->SetPicIdle(Solid(40, 30, Face).get());
    int clicks = 0, downs = 0, ups = 0;
    button->OnClick = [&](ui::Component&) { ++clicks; };
    button->OnMouseDownMsg = [&](ui::Message&) { ++downs; };
    button->OnMouseUpMsg = [&](ui::Message&) { ++ups; };

    // Press inside, leave, release outside: no click.
    mouse.MoveTo(At(*button, 5, 5));
    mouse.Press(At(*button, 5, 5));
    EXPECT_EQ(GetCapture(), button->Handle());
    mouse.MoveTo(Outside());
    mouse.Release(Outside());
    EXPECT_EQ(clicks, 0);
    EXPECT_EQ(GetCapture(), nullptr);
    EXPECT_FALSE(button->Pressed());

    // Press inside, leave, come back, release inside: one click.
    mouse.MoveTo(At(*button, 5, 5));
    mouse.Press(At(*button, 5, 5));
    mouse.MoveTo(Outside());
    mouse.MoveTo(At(*button, 30, 20));
    mouse.Release(At(*button, 30, 20));
    EXPECT_EQ(clicks, 1);

    // A double click: one click from the first press and release, two releases.
    clicks = downs = ups = 0;
    const POINT inside = At(*button, 10, 10);
    mouse.Press(inside);
    mouse.Release(inside);
    mouse.PressAgain(inside);
    EXPECT_FALSE(button->Pressed());
    EXPECT_EQ(GetCapture(), nullptr);
    mouse.Release(inside);
    EXPECT_EQ(clicks, 1);
    EXPECT_EQ(downs, 1);
    EXPECT_EQ(ups, 2);
    EXPECT_FALSE(button->Pressed());
}

TEST_F(EzRgnBtnTest, AHeldButtonRepeatsItsClickEvery300Milliseconds)
{
    ProbeButton* button = AddButton({.autoRepeat = true});
    button->SetPicIdle(Solid(40, 30, Face).get());
    std::vector<DWORD> clickTimes;
    DWORD pressed = 0;
    button->OnClick = [&](ui::Component&) { clickTimes.push_back(GetTickCount() - pressed); };

    const POINT inside = At(*button, 10, 10);
    mouse.MoveTo(inside);
    EXPECT_FALSE(button->RepeatTimer().Enabled());
    pressed = GetTickCount();
    mouse.Press(inside);
    EXPECT_TRUE(button->RepeatTimer().Enabled());
    DispatchUntil([&] { return GetTickCount() - pressed >= 1000; });
    const std::size_t whileHeld = clickTimes.size();
    mouse.Release(inside);
    EXPECT_FALSE(button->RepeatTimer().Enabled());
    // About 300, 600 and 900 ms, then one more on release: four in all.
    EXPECT_GE(whileHeld, 2u);
    EXPECT_LE(whileHeld, 4u);
    EXPECT_EQ(clickTimes.size(), whileHeld + 1);
    ASSERT_GE(clickTimes.size(), 2u);
    // The platform's timer may fire a little late and catch up: the mean interval counts.
    EXPECT_GE(clickTimes[0], 250u);
    EXPECT_GE(clickTimes[whileHeld - 1] / whileHeld, 250u);
    EXPECT_LE(clickTimes[whileHeld - 1] / whileHeld, 400u);

    // Dragging out stops the repeat, coming back starts it again.
    mouse.Press(inside);
    EXPECT_TRUE(button->RepeatTimer().Enabled());
    mouse.MoveTo(Outside());
    EXPECT_FALSE(button->RepeatTimer().Enabled());
    clickTimes.clear();
    DispatchFor(400);
    EXPECT_TRUE(clickTimes.empty());
    mouse.MoveTo(inside);
    EXPECT_TRUE(button->RepeatTimer().Enabled());
    mouse.Release(inside);

    // A disabled button repeats nothing.
    clickTimes.clear();
    button->SetEnabled(false);
    mouse.Press(inside);
    DispatchFor(400);
    mouse.Release(inside);
    EXPECT_TRUE(clickTimes.empty());
}

TEST_F(EzRgnBtnTest, CropCutsEveryKeyColouredPixelOutOfTheWindow)
{
    ProbeButton* button = AddButton();
    auto picture = KeyedPicture();
    button->SetPicIdle(picture.get());
    button->SetPaintMode(pmCrop);
    ASSERT_TRUE(button->RegionApplied());

    auto expectCut = [&](const ui::Bitmap& cut) -> int {
        ui::RegionHandle region(CreateRectRgn(0, 0, 0, 0));
        if (GetWindowRgn(button->Handle(), region.Get()) == ERROR)
            return -1;
        const COLORREF key = GetPixel(cut.DC(), 0, 0);
        int outside = 0;
        for (int x = 0; x < cut.Width(); ++x)
            for (int y = 0; y < cut.Height(); ++y) {
                const bool keyed = GetPixel(cut.DC(), x, y) == key;
                outside += keyed;
                EXPECT_EQ(PtInRegion(region.Get(), x, y) != FALSE, !keyed) << x << "," << y;
            }
        return outside;
    };
    EXPECT_EQ(expectCut(*picture), 7);
    // The platform routes the mouse by the region: a key pixel belongs to the form behind.
    EXPECT_EQ(WindowFromPoint(At(*button, 0, 0)), form->Handle());
    EXPECT_EQ(WindowFromPoint(At(*button, 20, 7)), form->Handle());
    EXPECT_EQ(WindowFromPoint(At(*button, 21, 7)), button->Handle());

    // The same mode again cuts nothing anew.
    ui::RegionHandle mark(CreateRectRgn(0, 0, 3, 3));
    SetWindowRgn(button->Handle(), mark.Detach(), TRUE);
    button->SetPaintMode(pmCrop);
    ui::RegionHandle now(CreateRectRgn(0, 0, 0, 0));
    GetWindowRgn(button->Handle(), now.Get());
    RECT box{};
    GetRgnBox(now.Get(), &box);
    EXPECT_EQ(box.right, 3);

    // A new idle picture re-cuts the region, with its own top-left colour as key.
    auto second = Solid(40, 30, RGB(1, 2, 3));
    Dot(*second, 10, 10, Face);
    button->SetPicIdle(second.get());
    EXPECT_EQ(expectCut(*second), 40 * 30 - 1);

    // Leaving the mode leaves the plain rectangle of the picture.
    button->SetPaintMode(pmNormal);
    EXPECT_FALSE(button->RegionApplied());
    ui::RegionHandle plain(CreateRectRgn(0, 0, 0, 0));
    EXPECT_EQ(GetWindowRgn(button->Handle(), plain.Get()), SIMPLEREGION);
    GetRgnBox(plain.Get(), &box);
    EXPECT_EQ(box.right, 40);
    EXPECT_EQ(box.bottom, 30);

    // Cut before it has a picture (a layout's mode): uncut until the idle picture comes.
    ProbeButton* early = form->Add<ProbeButton>({.name = "imgBtnEarly", .bounds = {150, 40}}, {.paintMode = pmCrop});
    EXPECT_TRUE(early->RegionApplied());
    ui::RegionHandle none(CreateRectRgn(0, 0, 0, 0));
    EXPECT_EQ(GetWindowRgn(early->Handle(), none.Get()), ERROR);
    early->SetPicIdle(picture.get());
    button = early;
    EXPECT_EQ(expectCut(*picture), 7);
}

TEST_F(EzRgnBtnTest, TransparentDrawingLeavesOutEveryKeyColouredPixel)
{
    ProbeButton* button = AddButton({.paintMode = pmTransparent});
    auto picture = KeyedPicture();
    button->SetPicIdle(picture.get());
    EXPECT_FALSE(button->RegionApplied());

    auto canvas = Solid(40, 30, Behind);
    button->PaintOn(canvas->DC());
    EXPECT_EQ(GetPixel(canvas->DC(), 0, 0), Behind);
    EXPECT_EQ(GetPixel(canvas->DC(), 20, 7), Behind);
    EXPECT_EQ(GetPixel(canvas->DC(), 39, 29), Behind);
    EXPECT_EQ(GetPixel(canvas->DC(), 21, 7), Face);
    EXPECT_EQ(GetPixel(canvas->DC(), 1, 0), Face);

    // Normal drawing copies the key colour like any other.
    button->SetPaintMode(pmNormal);
    button->PaintOn(canvas->DC());
    EXPECT_EQ(GetPixel(canvas->DC(), 20, 7), Key);

    // A change of picture clears the background first, so the picture drawn before does not
    // show through the new one's key pixels.
    int erased = 0;
    button->BindMessage(WM_ERASEBKGND, [&](ui::Message& message) {
        ++erased;
        button->Inherited(message);
    });
    button->SetPicUp(KeyedPicture().get());
    mouse.MoveTo(At(*button, 5, 5));
    EXPECT_EQ(erased, 0);
    mouse.MoveTo(Outside());
    button->SetPaintMode(pmTransparent);
    const int before = erased;
    mouse.MoveTo(At(*button, 5, 5));
    EXPECT_EQ(erased, before + 1);
}

TEST_F(EzRgnBtnTest, AnImageListGivesItsFirstImagesOnce)
{
    auto* list = form->Add<ui::ImageList>({.name = "ilFaces", .width = 24, .height = 20});
    list->Add(*Solid(24, 20, RGB(200, 0, 0)));
    list->Add(*Solid(24, 20, RGB(0, 200, 0)));
    ProbeButton* button = AddButton();
    button->SetImageList(list);
    ASSERT_TRUE(button->PicIdle().HasGraphic());
    ASSERT_TRUE(button->PicUp().HasGraphic());
    EXPECT_FALSE(button->PicDown().HasGraphic());
    EXPECT_FALSE(button->PicDsbld().HasGraphic());
    EXPECT_EQ(GetPixel(button->PicIdle().Graphic()->DC(), 3, 3), RGB(200, 0, 0));
    EXPECT_EQ(GetPixel(button->PicUp().Graphic()->DC(), 23, 19), RGB(0, 200, 0));
    EXPECT_EQ(button->Width(), 24);

    // The same list again copies nothing; later changes of the list are not followed.
    button->SetPicIdle(Solid(30, 30, Face).get());
    list->Add(*Solid(24, 20, RGB(0, 0, 200)));
    button->SetImageList(list);
    EXPECT_EQ(button->PicIdle().Width(), 30);
    EXPECT_FALSE(button->PicDown().HasGraphic());
    // Null keeps the pictures; a list given anew is copied again.
    button->SetImageList(nullptr);
    EXPECT_EQ(button->PicIdle().Width(), 30);
    button->SetImageList(list);
    EXPECT_EQ(button->PicIdle().Width(), 24);
    EXPECT_EQ(GetPixel(button->PicDown().Graphic()->DC(), 0, 0), RGB(0, 0, 200));
}

} // namespace
