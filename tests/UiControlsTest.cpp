// The standard controls: what they do with the form (modal results, Enter and Esc), the change
// events that code and user both fire, and the arithmetic of their drawing and hints.
#include <windows.h>

#include <commctrl.h>
#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "ui/Application.h"
#include "ui/Buttons.h"
#include "ui/Dialogs.h"
#include "ui/Form.h"
#include "ui/HintWindow.h"
#include "ui/Image.h"
#include "ui/Label.h"
#include "ui/ListBox.h"
#include "ui/Memo.h"
#include "ui/Shape.h"
#include "ui/Timer.h"
#include "ui/TrackBar.h"

using namespace ui;

namespace {

class Dialog : public Form {
public:
    explicit Dialog(const char* className) : Form(nullptr, Args(className))
    {
        ok = Add<Button>({.name = "btnOK", .bounds = {10, 10, 75, 23}, .caption = "OK", .tag = 99900},
                         {.isDefault = true, .modalResult = mrOk});
        cancel = Add<Button>({.name = "btnCancel", .bounds = {90, 10, 75, 23}, .caption = "Cancel", .tag = 99901},
                             {.cancel = true, .modalResult = mrCancel});
        box = Add<CheckBox>({.name = "cbSepia", .bounds = {10, 40, 64, 17}, .caption = "Sepia"});
        notes = Add<Memo>({.name = "memoNotes", .bounds = {10, 60, 200, 41}}, {.scrollBars = ScrollBars::Vertical});
    }
    static FormArgs Args(const char* className)
    {
        FormArgs args;
        args.className = className;
        args.clientWidth = 300;
        args.clientHeight = 200;
        args.borderStyle = BorderStyle::Dialog;
        return args;
    }
    Button* ok;
    Button* cancel;
    CheckBox* box;
    Memo* notes;
};

// A track bar that shows no selection, the way the editor's sliders are made.
class PlainTrackBar : public TrackBar {
public:
    using TrackBar::TrackBar;

protected:
    void ApplyWindowStyle(CreateParams& params) override
    {
        TrackBar::ApplyWindowStyle(params);
        params.style &= ~TBS_ENABLESELRANGE;
    }
};

TEST(UiControls, ButtonsGiveTheFormTheirModalResultBeforeTheirClick)
{
    auto dialog = MakeForm<Dialog>("UiTestButtonDialog");
    int seenResult = -1;
    dialog->ok->OnClick = [&](Component&) { seenResult = dialog->GetModalResult(); };
    SendMessageA(dialog->ok->Handle(), BM_CLICK, 0, 0);
    EXPECT_EQ(seenResult, mrOk);
    EXPECT_EQ(dialog->GetModalResult(), mrOk);
    EXPECT_TRUE(GetWindowLongA(dialog->ok->Handle(), GWL_STYLE) & BS_DEFPUSHBUTTON);

    // Esc anywhere on a shown form clicks the cancel button; Enter the default one, except in a memo.
    dialog->SetModalResult(mrNone);
    SendMessageA(dialog->box->Handle(), WM_KEYDOWN, VK_ESCAPE, 0);
    EXPECT_EQ(dialog->GetModalResult(), mrNone);
    dialog->Show();
    SendMessageA(dialog->box->Handle(), WM_KEYDOWN, VK_ESCAPE, 0);
    EXPECT_EQ(dialog->GetModalResult(), mrCancel);
    dialog->SetModalResult(mrNone);
    SendMessageA(dialog->notes->Handle(), WM_KEYDOWN, VK_RETURN, 0);
    EXPECT_EQ(dialog->GetModalResult(), mrNone);
    SendMessageA(dialog->box->Handle(), WM_KEYDOWN, VK_RETURN, 0);
    EXPECT_EQ(dialog->GetModalResult(), mrOk);
    dialog->cancel->SetEnabled(false);
    dialog->SetModalResult(mrNone);
    SendMessageA(dialog->box->Handle(), WM_KEYDOWN, VK_ESCAPE, 0);
    EXPECT_EQ(dialog->GetModalResult(), mrNone);
}

TEST(UiControls, EscEndsAModalShowingAsCancel)
{
    auto dialog = MakeForm<Dialog>("UiTestEscDialog");
    auto* timer = dialog->Add<Timer>({.name = "press", .interval = 30});
    timer->OnTimer = [&](Component&) {
        timer->SetEnabled(false);
        PostMessageA(dialog->box->Handle(), WM_KEYDOWN, VK_ESCAPE, 0);
    };
    EXPECT_EQ(dialog->ShowModal(), mrCancel);
}

TEST(UiControls, CheckBoxesAndMemosFireForCodeAsForTheUser)
{
    auto dialog = MakeForm<Dialog>("UiTestChangeDialog");
    int clicks = 0, changes = 0;
    dialog->box->OnClick = [&](Component&) { ++clicks; };
    dialog->notes->OnChange = [&](Component&) { ++changes; };

    dialog->box->SetChecked(true);
    dialog->box->SetChecked(true);
    EXPECT_EQ(clicks, 1);
    EXPECT_EQ(SendMessageA(dialog->box->Handle(), BM_GETCHECK, 0, 0), BST_CHECKED);
    SendMessageA(dialog->box->Handle(), BM_CLICK, 0, 0); // the user
    EXPECT_EQ(clicks, 2);
    EXPECT_FALSE(dialog->box->Checked());

    dialog->notes->SetText("line one\r\nline two");
    dialog->notes->SetText("line one\r\nline two");
    EXPECT_EQ(changes, 1);
    EXPECT_EQ(dialog->notes->Text(), "line one\r\nline two");
    SendMessageA(dialog->notes->Handle(), EM_SETSEL, 0, -1);
    SendMessageA(dialog->notes->Handle(), EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>("typed"));
    EXPECT_EQ(changes, 2);
    EXPECT_EQ(dialog->notes->Text(), "typed");
}

TEST(UiControls, TrackBarsKeepTheirRangeAndReportEveryChange)
{
    auto form = MakeForm<Dialog>("UiTestTrackForm");
    auto* zoom = form->Add<TrackBar>({.name = "trackZoom", .bounds = {8, 64, 20, 345}},
                                     {.min = 5, .max = 30, .position = 20, .orientation = Orientation::Vertical,
                                      .tickStyle = TickStyle::None, .thumbLength = 16});
    auto* rotation = form->Add<PlainTrackBar>({.name = "trackRotation", .bounds = {88, 472, 345, 20}},
                                              {.min = -90, .max = 90, .position = 4, .frequency = 2,
                                               .tickMarks = TickMark::TopLeft, .selStart = -10, .selEnd = 10});
    std::vector<int> seen;
    zoom->OnChange = [&](Component& sender) { seen.push_back(static_cast<TrackBar&>(sender).Position()); };
    EXPECT_EQ(SendMessageA(zoom->Handle(), TBM_GETPOS, 0, 0), 20);
    EXPECT_EQ(SendMessageA(zoom->Handle(), TBM_GETTHUMBLENGTH, 0, 0), 16);
    zoom->SetPosition(40);
    zoom->SetPosition(30);
    zoom->SetPosition(1);
    EXPECT_EQ(seen, (std::vector<int>{30, 5}));
    // The user's move arrives as a scroll notification to the parent.
    SendMessageA(zoom->Handle(), TBM_SETPOS, TRUE, 12);
    SendMessageA(form->Handle(), WM_VSCROLL, TB_THUMBTRACK, reinterpret_cast<LPARAM>(zoom->Handle()));
    EXPECT_EQ(zoom->Position(), 12);
    EXPECT_EQ(seen.back(), 12);

    const LONG zoomStyle = GetWindowLongA(zoom->Handle(), GWL_STYLE);
    EXPECT_TRUE(zoomStyle & TBS_ENABLESELRANGE);
    EXPECT_TRUE(zoomStyle & TBS_FIXEDLENGTH);
    EXPECT_TRUE(zoomStyle & TBS_VERT);
    const LONG rotationStyle = GetWindowLongA(rotation->Handle(), GWL_STYLE);
    EXPECT_FALSE(rotationStyle & TBS_ENABLESELRANGE);
    EXPECT_TRUE(rotationStyle & TBS_TOP);
    EXPECT_EQ(SendMessageA(rotation->Handle(), TBM_GETRANGEMIN, 0, 0), -90);
}

TEST(UiControls, OwnerDrawnListKeepsItsItemsWhenItGainsColumns)
{
    auto form = MakeForm<Dialog>("UiTestListForm");
    auto* list = form->Add<ListBox>({.name = "lbFrames", .bounds = {188, 24, 402, 418}},
                                    {.style = ListBoxStyle::OwnerDrawFixed, .border = false});
    for (const char* name : {"a.ini", "b.ini", "c.ini"})
        list->Add(name);
    list->SetItemIndex(1);
    list->SetItemHeight(100);
    list->SetColumns(list->Width() / 100);
    EXPECT_EQ(list->Columns(), 4);
    EXPECT_TRUE(GetWindowLongA(list->Handle(), GWL_STYLE) & LBS_MULTICOLUMN);
    EXPECT_EQ(SendMessageA(list->Handle(), LB_GETCOUNT, 0, 0), 3);
    EXPECT_EQ(SendMessageA(list->Handle(), LB_GETITEMHEIGHT, 0, 0), 100);
    EXPECT_EQ(list->ItemIndex(), 1);

    std::vector<int> drawn;
    list->OnDrawItem = [&](ListBox&, int index, const RECT& rect, UINT, HDC) {
        drawn.push_back(index);
        EXPECT_EQ(rect.bottom - rect.top, 100);
    };
    int doubleClicks = 0;
    list->OnDblClick = [&](Component&) { ++doubleClicks; };
    form->Show();
    list->Invalidate();
    list->Update();
    EXPECT_FALSE(drawn.empty());
    SendMessageA(form->Handle(), WM_COMMAND, MAKEWPARAM(0, LBN_DBLCLK), reinterpret_cast<LPARAM>(list->Handle()));
    EXPECT_EQ(doubleClicks, 1);
    list->Clear();
    EXPECT_EQ(list->ItemIndex(), -1);
    EXPECT_EQ(list->Count(), 0);
}

TEST(UiControls, HintsShowTheTextOfTheControlUnderThePoint)
{
    auto form = MakeForm<Dialog>("UiTestHintForm");
    auto* label = form->Add<Label>({.name = "stHint", .bounds = {10, 120, 100, 20}, .caption = "Label", .hint = "Zoom 1.5"});
    // Away from where the other tests' windows open (they share the desktop), and on top.
    form->SetBounds(400, 100, form->Width(), form->Height());
    form->Show();
    SetWindowPos(form->Handle(), HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    App().ActivateHint(label->ClientToScreen(POINT{5, 5}));
    EXPECT_EQ(App().CurrentHint(), "Zoom 1.5");
    // The control there has no hint: the window goes.
    App().ActivateHint(form->ok->ClientToScreen(POINT{5, 5}));
    EXPECT_EQ(App().CurrentHint(), "");
    label->SetHint("");
    App().ActivateHint(label->ClientToScreen(POINT{5, 5}));
    EXPECT_EQ(App().CurrentHint(), "");
}

TEST(UiControls, AHintKeepsClearOfItsPointOnTheScreen)
{
    const SIZE screen{1280, 1024};
    const auto place = [&](POINT point, SIZE size) {
        const POINT p = HintPlace(point, size, screen, 20);
        return std::pair{int{p.x}, int{p.y}};
    };
    EXPECT_EQ(place({100, 200}, {120, 40}), std::pair(100, 220));
    // Just fits below; one pixel lower it goes above, as far from the point.
    EXPECT_EQ(place({100, 964}, {120, 40}), std::pair(100, 984));
    EXPECT_EQ(place({100, 965}, {120, 40}), std::pair(100, 905));
    EXPECT_EQ(place({1279, 1023}, {120, 40}), std::pair(1160, 963));
    // Across it stays on the screen; on a screen too low for it, at the top.
    EXPECT_EQ(place({-5, 10}, {120, 40}), std::pair(0, 30));
    EXPECT_EQ(place({1200, 10}, {300, 40}), std::pair(980, 30));
    EXPECT_EQ(place({100, 30}, {120, 1000}), std::pair(100, 0));
}

TEST(UiControls, LabelsAndShapesPlaceWhatTheyDraw)
{
    auto form = MakeForm<Dialog>("UiTestDrawForm");
    auto* label = form->Add<Label>({.name = "stHelp", .bounds = {824, 30, 65, 30}, .caption = "Help"},
                                   {.alignment = TextAlign::Center, .layout = TextLayout::Center, .wordWrap = true,
                                    .transparent = true});
    WindowDC screen(nullptr);
    SelectObjectScope font(screen.Get(), label->GetFont().Handle());
    TEXTMETRICA metrics{};
    GetTextMetricsA(screen.Get(), &metrics);
    const RECT text = label->TextRect(screen.Get());
    EXPECT_EQ(text.top, (30 - metrics.tmHeight) / 2);
    EXPECT_EQ(text.bottom - text.top, metrics.tmHeight);
    EXPECT_TRUE(label->TextFlags() & DT_CENTER);
    EXPECT_TRUE(label->TextFlags() & DT_WORDBREAK);

    auto* thin = form->Add<Shape>({.name = "shapeBkgnd", .bounds = {176, 20, 425, 426}});
    auto* thick = form->Add<Shape>({.name = "thick", .bounds = {0, 0, 65, 65}}, {.penWidth = 3});
    const RECT a = thin->OutlineRect();
    const RECT b = thick->OutlineRect();
    EXPECT_EQ(a.left, 0);
    EXPECT_EQ(a.right, 425);
    EXPECT_EQ(a.bottom, 426);
    EXPECT_EQ(b.left, 1);
    EXPECT_EQ(b.right, 64);
    EXPECT_EQ(thin->FontProperty(), nullptr);
}

TEST(UiControls, TransparentImagesLeaveOutTheirBottomLeftColour)
{
    auto form = MakeForm<Dialog>("UiTestImageForm");
    auto* image = form->Add<Image>({.name = "imgHelpBtn", .bounds = {0, 0, 8, 8}}, {.stretch = true, .transparent = true});
    int repaints = 0;
    image->Picture().OnChange = [&] { ++repaints; };
    image->Picture().SetBitmap(std::make_unique<Bitmap>(4, 4, PixelFormat::Bits24));
    Bitmap& face = image->Picture().Bitmap();
    BrushHandle blue(CreateSolidBrush(RGB(0, 0, 255)));
    const RECT all{0, 0, 4, 4};
    FillRect(face.DC(), &all, blue.Get());
    SetPixel(face.DC(), 0, 3, RGB(255, 0, 0));
    SetPixel(face.DC(), 3, 0, RGB(255, 0, 0));
    face.Changed();
    EXPECT_GT(repaints, 0);

    Bitmap target(8, 8, PixelFormat::Bits24);
    BrushHandle white(CreateSolidBrush(RGB(255, 255, 255)));
    const RECT whole{0, 0, 8, 8};
    FillRect(target.DC(), &whole, white.Get());
    image->Paint(target.DC());
    // Stretched twice over; the key colour's pixels (wherever they lie) show what was below.
    EXPECT_EQ(GetPixel(target.DC(), 2, 2), RGB(0, 0, 255));
    EXPECT_EQ(GetPixel(target.DC(), 0, 7), RGB(255, 255, 255));
    EXPECT_EQ(GetPixel(target.DC(), 7, 0), RGB(255, 255, 255));
}

TEST(UiControls, DialogFiltersAndExtensionsAsThePlatformWantsThem)
{
    EXPECT_EQ(FilterToPlatform("JPEG|*.jpg"), std::string("JPEG\0*.jpg\0\0", 12));
    EXPECT_EQ(FilterToPlatform(""), std::string("\0\0", 2));
    EXPECT_EQ(PlatformDefaultExt("*.jpg"), "jpg");
    EXPECT_EQ(PlatformDefaultExt(".png"), "png");
    EXPECT_EQ(PlatformDefaultExt("bmp"), "bmp");

    OpenDialog dialog(nullptr, {.name = "OpenPictureDialog", .tag = 1002, .filter = "All|*.*"});
    EXPECT_TRUE(dialog.HasTextProperty(TextProperty::Filter));
    EXPECT_FALSE(dialog.HasTextProperty(TextProperty::Caption));
    dialog.SetTextProperty(TextProperty::Filter, "Alle|*.*");
    EXPECT_EQ(dialog.Filter(), "Alle|*.*");
}

} // namespace
