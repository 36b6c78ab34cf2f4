// The window side of the class library: ownership, dispatch, forms, modal showing, menus,
// timers, fonts and the mouse routing to windowless controls.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cstdlib>
#include <stdexcept>
#include <string>
#include <vector>

#include "ui/Application.h"
#include "ui/Buttons.h"
#include "ui/CustomControl.h"
#include "ui/Font.h"
#include "ui/Form.h"
#include "ui/Handles.h"
#include "ui/LayeredForm.h"
#include "ui/Menu.h"
#include "ui/Screen.h"
#include "ui/Timer.h"

#include "TestSupport.h"

using namespace ui;
using lumetta::test::DispatchFor;
using lumetta::test::DispatchUntil;

namespace {

// A windowless control that records its mouse.
class Spot : public GraphicControl {
public:
    using GraphicControl::GraphicControl;
    std::vector<std::string> events;
    void MouseEnter() override { events.push_back("enter"); }
    void MouseLeave() override { events.push_back("leave"); }
};

class TestForm : public Form {
public:
    explicit TestForm(FormArgs args = {}) : Form(nullptr, args) {}
    std::string seen = "whole";
    DWORD extraExStyle = 0;
    DWORD removedExStyle = 0;

protected:
    void ApplyWindowStyle(CreateParams& params) override
    {
        Form::ApplyWindowStyle(params);
        params.exStyle = (params.exStyle | extraExStyle) & ~removedExStyle;
    }
};

// Records every message its dispatch sees, from the window's first.
class RecordingForm : public Form {
public:
    using Form::Form;
    std::vector<UINT> seen;

protected:
    void WndProc(Message& message) override
    {
        seen.push_back(message.msg);
        Form::WndProc(message);
    }
};

FormArgs Layout(const char* className, int width = 200, int height = 100)
{
    FormArgs args;
    args.className = className;
    args.caption = "Caption";
    args.clientWidth = width;
    args.clientHeight = height;
    args.tag = 77;
    return args;
}

class UiWindow : public ::testing::Test {
protected:
    std::vector<std::string> errors;
    void SetUp() override
    {
        App().OnException = [this](const std::string& text) { errors.push_back(text); };
    }
    void TearDown() override { App().OnException = nullptr; }
};

TEST_F(UiWindow, FormsAreMadeFromTheirLayout)
{
    auto form = MakeForm<TestForm>(Layout("UiTestLayoutForm", 132, 63));
    ASSERT_NE(form->Handle(), nullptr);
    char name[64] = {};
    GetClassNameA(form->Handle(), name, sizeof name);
    EXPECT_STREQ(name, "UiTestLayoutForm");
    char title[64] = {};
    GetWindowTextA(form->Handle(), title, sizeof title);
    EXPECT_STREQ(title, "Caption");
    EXPECT_EQ(form->ClientWidth(), 132);
    EXPECT_EQ(form->ClientHeight(), 63);
    EXPECT_EQ(form->Tag(), 77);
    EXPECT_FALSE(IsWindowVisible(form->Handle()));
    // Owned by the application window unless told otherwise.
    EXPECT_EQ(GetWindow(form->Handle(), GW_OWNER), App().Handle());
    EXPECT_EQ(FindWindowA("UiTestLayoutForm", "Caption"), form->Handle());
}

TEST_F(UiWindow, CreationParametersHookShapesTheWindow)
{
    auto form = std::make_unique<TestForm>(Layout("UiTestStyledForm"));
    form->extraExStyle = WS_EX_TOOLWINDOW | WS_EX_TOPMOST;
    form->Loaded();
    const LONG exStyle = GetWindowLongA(form->Handle(), GWL_EXSTYLE);
    EXPECT_TRUE(exStyle & WS_EX_TOOLWINDOW);
    EXPECT_TRUE(exStyle & WS_EX_TOPMOST);

    auto plain = std::make_unique<TestForm>(Layout("UiTestStyledForm2"));
    plain->extraExStyle = WS_EX_APPWINDOW;
    plain->removedExStyle = WS_EX_APPWINDOW | WS_EX_TOOLWINDOW;
    plain->Loaded();
    EXPECT_FALSE(GetWindowLongA(plain->Handle(), GWL_EXSTYLE) & (WS_EX_APPWINDOW | WS_EX_TOOLWINDOW));
    // The client size holds whatever the final styles make of the frame.
    EXPECT_EQ(plain->ClientWidth(), 200);
    Component::Free(form.release());
    Component::Free(plain.release());
}

TEST_F(UiWindow, CreateAndDestroyEventsSeeTheWholeForm)
{
    std::vector<std::string> log;
    {
        auto form = std::make_unique<TestForm>(Layout("UiTestEventsForm"));
        TestForm* raw = form.get();
        form->OnCreate = [&](Component&) { log.push_back("create " + std::to_string(IsWindow(raw->Handle()))); };
        form->OnDestroy = [&](Component&) { log.push_back("destroy " + raw->seen); };
        form->OnShow = [&](Component&) { log.push_back("show"); };
        Owned<TestForm> owned(form.release());
        owned->Loaded();
        owned->Loaded();
        owned->Show();
        EXPECT_TRUE(IsWindowVisible(owned->Handle()));
        owned->Show();
    }
    EXPECT_EQ(log, (std::vector<std::string>{"create 1", "show", "destroy whole"}));
}

TEST_F(UiWindow, OwnedComponentsKeepCreationOrderAndGoLastFirst)
{
    auto form = MakeForm<TestForm>(Layout("UiTestOwnerForm"));
    auto* menu = form->Add<PopupMenu>({.name = "pmMain"});
    auto* first = form->Add<MenuItem>({.name = "miFirst", .parent = menu->Items(), .caption = "First", .tag = 1});
    auto* timer = form->Add<Timer>({.name = "Tick", .enabled = false});
    ASSERT_EQ(form->ComponentCount(), 3);
    EXPECT_EQ(&form->Components(0), menu);
    EXPECT_EQ(&form->Components(1), first);
    EXPECT_EQ(&form->Components(2), timer);
    EXPECT_EQ(form->FindComponent("MIFIRST"), first);
    EXPECT_EQ(form->FindComponent("absent"), nullptr);
    Component::Free(timer);
    EXPECT_EQ(form->ComponentCount(), 2);
    EXPECT_EQ(menu->Items()->Count(), 1);
    Component::Free(first);
    EXPECT_EQ(menu->Items()->Count(), 0);
}

TEST_F(UiWindow, BoundHandlersGoFirstAndPassOnWithInherited)
{
    auto form = MakeForm<TestForm>(Layout("UiTestBoundForm"));
    std::string received;
    form->BindMessage(WM_COPYDATA, [&](Message& message) {
        const auto* data = reinterpret_cast<const COPYDATASTRUCT*>(message.lParam);
        received.assign(static_cast<const char*>(data->lpData), data->cbData);
        message.result = 5;
    });
    std::string text = "Uabc";
    COPYDATASTRUCT data{0, static_cast<DWORD>(text.size()), text.data()};
    EXPECT_EQ(SendMessageA(form->Handle(), WM_COPYDATA, 0, reinterpret_cast<LPARAM>(&data)), 5);
    EXPECT_EQ(received, "Uabc");

    // A handler that passes on: the window's own handling (here: WM_CLOSE hides it).
    int seen = 0;
    form->BindMessage(WM_CLOSE, [&](Message& message) {
        ++seen;
        form->Inherited(message);
    });
    form->Show();
    SendMessageA(form->Handle(), WM_CLOSE, 0, 0);
    EXPECT_EQ(seen, 1);
    EXPECT_FALSE(form->Visible());
    EXPECT_TRUE(IsWindow(form->Handle()));
}

TEST_F(UiWindow, AnExceptionEscapingAHandlerReachesTheErrorBox)
{
    auto form = MakeForm<TestForm>(Layout("UiTestErrorForm"));
    form->BindMessage(WM_USER + 1, [](Message&) { throw std::runtime_error("Broken photo set"); });
    SendMessageA(form->Handle(), WM_USER + 1, 0, 0);
    ASSERT_EQ(errors.size(), 1u);
    EXPECT_EQ(errors[0], "Broken photo set");
    // The window lives on and keeps handling messages.
    EXPECT_TRUE(IsWindow(form->Handle()));
    SendMessageA(form->Handle(), WM_USER + 1, 0, 0);
    EXPECT_EQ(errors.size(), 2u);
}

TEST_F(UiWindow, ReleaseWaitsForTheRunningHandler)
{
    auto* form = new TestForm(Layout("UiTestReleaseForm"));
    form->Loaded();
    bool destroyed = false;
    bool stillWholeAfterRelease = false;
    form->OnDestroy = [&](Component&) { destroyed = true; };
    HWND window = form->Handle();
    form->BindMessage(WM_USER + 2, [&](Message&) {
        form->Show();
        form->Release();
        stillWholeAfterRelease = !destroyed && IsWindow(window);
        // A nested message (a command arriving inside a dialog's loop) does not free it either.
        SendMessageA(window, WM_NULL, 0, 0);
        stillWholeAfterRelease = stillWholeAfterRelease && !destroyed && !IsWindowVisible(window);
    });
    SendMessageA(window, WM_USER + 2, 0, 0);
    EXPECT_TRUE(stillWholeAfterRelease);
    EXPECT_TRUE(destroyed);
    EXPECT_FALSE(IsWindow(window));
}

TEST_F(UiWindow, ShowModalReturnsTheModalResultAndFreesTheOtherWindows)
{
    auto main = MakeForm<TestForm>(Layout("UiTestModalMain"));
    main->Show();
    auto dialog = MakeForm<TestForm>(Layout("UiTestModalDialog"));
    bool mainDisabledMeanwhile = false;
    Timer* timer = dialog->Add<Timer>({.name = "Answer", .interval = 50});
    timer->OnTimer = [&](Component&) {
        mainDisabledMeanwhile = !IsWindowEnabled(main->Handle());
        timer->SetEnabled(false);
        dialog->SetModalResult(mrOk);
    };
    EXPECT_EQ(dialog->ShowModal(), mrOk);
    EXPECT_TRUE(mainDisabledMeanwhile);
    EXPECT_TRUE(IsWindowEnabled(main->Handle()));
    EXPECT_FALSE(dialog->Visible());
    EXPECT_EQ(dialog->GetModalResult(), mrOk);

    // Closing a modal form answers Cancel; a visible form cannot be shown modally.
    timer->OnTimer = [&](Component&) {
        timer->SetEnabled(false);
        PostMessageA(dialog->Handle(), WM_CLOSE, 0, 0);
    };
    timer->SetEnabled(true);
    EXPECT_EQ(dialog->ShowModal(), mrCancel);
    EXPECT_THROW(main->ShowModal(), std::runtime_error);
}

TEST_F(UiWindow, RadioItemsOfOneGroupKeepOneCheck)
{
    auto form = MakeForm<TestForm>(Layout("UiTestMenuForm"));
    auto* menu = form->Add<PopupMenu>({.name = "pmMain"});
    auto* sub = form->Add<MenuItem>({.name = "miTransparency", .parent = menu->Items(), .caption = "Opacity"});
    std::vector<MenuItem*> radio;
    for (int percent = 100; percent >= 10; percent -= 10)
        radio.push_back(form->Add<MenuItem>(
            {.parent = sub, .caption = std::to_string(percent) + "%", .radioItem = true}));
    auto* line = form->Add<MenuItem>({.parent = sub, .caption = "-"});
    auto* fade = form->Add<MenuItem>({.parent = sub, .caption = "Fade", .checked = true});
    auto* other = form->Add<MenuItem>({.parent = sub, .caption = "Other group", .checked = true, .radioItem = true, .groupIndex = 1});
    auto* elsewhere = form->Add<MenuItem>({.parent = menu->Items(), .caption = "Top", .checked = true, .radioItem = true});

    radio[3]->SetChecked(true);
    radio[0]->SetChecked(true);
    radio[6]->SetChecked(true);
    for (int i = 0; i < 10; ++i)
        EXPECT_EQ(radio[i]->Checked(), i == 6) << i;
    EXPECT_TRUE(fade->Checked());
    EXPECT_TRUE(other->Checked());
    EXPECT_TRUE(elsewhere->Checked());
    EXPECT_TRUE(line->IsLine());
    EXPECT_EQ(sub->IndexOf(radio[6]), 6);
    EXPECT_EQ(sub->IndexOf(fade), 11);
    EXPECT_EQ(sub->IndexOf(elsewhere), -1);
    // Unchecking leaves the others alone.
    radio[6]->SetChecked(false);
    for (MenuItem* item : radio)
        EXPECT_FALSE(item->Checked());

    int clicks = 0;
    fade->OnClick = [&](Component& sender) { clicks += &sender == fade ? 1 : 100; };
    fade->Click();
    fade->SetEnabled(false);
    fade->Click();
    EXPECT_EQ(clicks, 1);
}

TEST_F(UiWindow, TimersTickAndRestartOnlyOnANewInterval)
{
    auto form = MakeForm<TestForm>(Layout("UiTestTimerForm"));
    auto* timer = form->Add<Timer>({.name = "T", .interval = 40, .enabled = false});
    int ticks = 0;
    timer->OnTimer = [&](Component&) { ++ticks; };
    Sleep(100);
    App().ProcessMessages();
    EXPECT_EQ(ticks, 0);
    timer->SetEnabled(true);
    EXPECT_TRUE(DispatchUntil([&] { return ticks >= 2; }));
    timer->SetEnabled(false);
    const int stopped = ticks;
    Sleep(100);
    App().ProcessMessages();
    EXPECT_EQ(ticks, stopped);

    timer->OnTimer = [&](Component&) { throw std::runtime_error("tick failed"); };
    timer->SetEnabled(true);
    EXPECT_TRUE(DispatchUntil([&] { return errors.size() >= 2; }));
    EXPECT_EQ(errors[0], "tick failed");
}

TEST_F(UiWindow, WindowlessControlsGetTheMouseAndClicksFromPressAndRelease)
{
    auto form = MakeForm<TestForm>(Layout("UiTestMouseForm", 300, 200));
    auto* below = form->Add<Spot>({.name = "below", .bounds = {10, 10, 100, 100}});
    auto* above = form->Add<Spot>({.name = "above", .bounds = {50, 50, 100, 100}});
    EXPECT_EQ(form->ControlAtPos(POINT{60, 60}), above);
    EXPECT_EQ(form->ControlAtPos(POINT{20, 20}), below);
    EXPECT_EQ(form->ControlAtPos(POINT{200, 20}), nullptr);
    above->SetEnabled(false);
    EXPECT_EQ(form->ControlAtPos(POINT{60, 60}), below);
    EXPECT_EQ(form->ControlAtPos(POINT{60, 60}, true), above);
    above->SetEnabled(true);

    int clicks = 0, formClicks = 0;
    std::vector<std::string> moves;
    above->OnClick = [&](Component&) { ++clicks; };
    form->OnClick = [&](Component&) { ++formClicks; };
    above->OnMouseMove = [&](Control&, ShiftState, int x, int y) { moves.push_back(std::to_string(x) + "," + std::to_string(y)); };
    HWND window = form->Handle();
    form->Show();
    SendMessageA(window, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(60, 70));
    SendMessageA(window, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(250, 190)); // still the pressed control's
    SendMessageA(window, WM_LBUTTONUP, 0, MAKELPARAM(60, 70));
    EXPECT_EQ(clicks, 1);
    EXPECT_EQ(moves, (std::vector<std::string>{"200,140"}));
    // Released outside: no click.
    SendMessageA(window, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(60, 70));
    SendMessageA(window, WM_LBUTTONUP, 0, MAKELPARAM(280, 190));
    EXPECT_EQ(clicks, 1);
    EXPECT_EQ(formClicks, 0);
    SendMessageA(window, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(250, 10));
    SendMessageA(window, WM_LBUTTONUP, 0, MAKELPARAM(250, 10));
    EXPECT_EQ(formClicks, 1);
}

TEST_F(UiWindow, HoverTrackingEntersAndLeavesOnce)
{
    auto form = MakeForm<TestForm>(Layout("UiTestHoverForm", 300, 200));
    auto* spot = form->Add<Spot>({.name = "spot", .bounds = {10, 10, 50, 50}});
    auto* custom = form->Add<CustomControl>({.name = "custom", .bounds = {100, 10, 50, 50}});
    std::vector<std::string> customEvents;
    custom->BindMessage(CM_MOUSEENTER, [&](Message& message) {
        customEvents.push_back("enter");
        custom->Inherited(message);
    });
    custom->OnMouseLeave = [&](Component&) { customEvents.push_back("leave"); };
    // Away from where the other tests' windows open (they share the desktop), and on top.
    form->SetBounds(600, 420, form->Width(), form->Height());
    form->Show();
    SetWindowPos(form->Handle(), HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    auto at = [&](int x, int y) { return form->ClientToScreen(POINT{x, y}); };
    App().UpdateMouseControl(at(20, 20));
    App().UpdateMouseControl(at(30, 30));
    EXPECT_EQ(App().MouseControl(), spot);
    App().UpdateMouseControl(at(120, 20));
    App().UpdateMouseControl(at(125, 25));
    EXPECT_EQ(App().MouseControl(), custom);
    App().UpdateMouseControl(at(250, 150));
    EXPECT_EQ(App().MouseControl(), form.get());
    EXPECT_EQ(spot->events, (std::vector<std::string>{"enter", "leave"}));
    EXPECT_EQ(customEvents, (std::vector<std::string>{"enter", "leave"}));
    // A control that goes away is forgotten.
    App().UpdateMouseControl(at(20, 20));
    Component::Free(spot);
    EXPECT_EQ(App().MouseControl(), nullptr);
}

TEST_F(UiWindow, RightClickPopsTheMenuAndItsCommandRunsBeforePopupReturns)
{
    auto form = MakeForm<TestForm>(Layout("UiTestPopupForm", 300, 200));
    auto* menu = form->Add<PopupMenu>({.name = "pmMain"});
    auto* first = form->Add<MenuItem>({.name = "miFirst", .parent = menu->Items(), .caption = "First"});
    form->Add<MenuItem>({.name = "N1", .parent = menu->Items(), .caption = "-"});
    auto* hidden = form->Add<MenuItem>({.name = "miHidden", .parent = menu->Items(), .caption = "Hidden", .visible = false});
    auto* second = form->Add<MenuItem>({.name = "miSecond", .parent = menu->Items(), .caption = "Second"});
    form->SetPopupMenu(menu);
    form->SetBounds(40, 300, form->Width(), form->Height());
    form->Show();
    SetForegroundWindow(form->Handle());

    std::vector<std::string> log;
    for (MenuItem* item : {first, hidden, second})
        item->OnClick = [&log](Component& sender) { log.push_back(sender.Name()); };
    // Down, down (over the separator and the hidden item), Enter; a late cancel in case keys are lost.
    menu->OnPopup = [&](Component&) {
        log.push_back("popup");
        PostMessageA(form->Handle(), WM_KEYDOWN, VK_DOWN, 0);
        PostMessageA(form->Handle(), WM_KEYDOWN, VK_DOWN, 0);
        PostMessageA(form->Handle(), WM_KEYDOWN, VK_RETURN, 0);
    };
    auto* rescue = form->Add<Timer>({.name = "rescue", .interval = 5000});
    rescue->OnTimer = [&](Component&) { EndMenu(); };
    form->OnMouseUp = [&](Control&, MouseButton button, ShiftState, int, int) {
        log.push_back(button == MouseButton::Right ? "up right" : "up");
    };
    SendMessageA(form->Handle(), WM_RBUTTONDOWN, MK_RBUTTON, MAKELPARAM(50, 60));
    SendMessageA(form->Handle(), WM_RBUTTONUP, 0, MAKELPARAM(50, 60));
    log.push_back("returned");
    EXPECT_EQ(log, (std::vector<std::string>{"up right", "popup", "miSecond", "returned"}));
    EXPECT_EQ(menu->PopupComponent(), form.get());
}

TEST_F(UiWindow, FormsPlaceBlendAndPreviewAsTheirLayoutSays)
{
    FormArgs centred = Layout("UiTestCentredForm", 400, 300);
    centred.position = FormPosition::ScreenCenter;
    centred.borderStyle = BorderStyle::None;
    centred.alphaBlend = true;
    centred.alphaBlendValue = 128;
    auto main = MakeForm<TestForm>(centred);
    main->Show();
    EXPECT_EQ(main->Left(), (GetSystemMetrics(SM_CXSCREEN) - 400) / 2);
    EXPECT_EQ(main->Top(), (GetSystemMetrics(SM_CYSCREEN) - 300) / 2);
    BYTE alpha = 0;
    DWORD flags = 0;
    ASSERT_TRUE(GetWindowLongA(main->Handle(), GWL_EXSTYLE) & WS_EX_LAYERED);
    ASSERT_TRUE(GetLayeredWindowAttributes(main->Handle(), nullptr, &alpha, &flags));
    EXPECT_EQ(alpha, 128);

    App().SetMainForm(main.get());
    FormArgs browser = Layout("UiTestBrowserForm", 250, 180);
    browser.position = FormPosition::MainFormCenter;
    browser.borderStyle = BorderStyle::Dialog;
    browser.keyPreview = true;
    auto child = MakeForm<TestForm>(browser);
    auto* background = child->Add<Spot>({.name = "imgBackground", .align = Align::Client});
    auto* custom = child->Add<CustomControl>({.name = "box", .bounds = {5, 5, 20, 20}});
    child->Show();
    App().SetMainForm(nullptr);
    EXPECT_EQ(child->Left(), main->Left() + (main->Width() - child->Width()) / 2);
    EXPECT_EQ(child->Top(), main->Top() + (main->Height() - child->Height()) / 2);
    EXPECT_EQ(background->Width(), 250);
    child->SetClientSize(270, 190);
    EXPECT_EQ(background->Width(), 270);
    EXPECT_EQ(background->Height(), 190);

    // Key preview: the form sees the key first and may swallow it.
    std::vector<std::string> keys;
    child->OnKeyDown = [&](Control&, WORD& key, ShiftState) {
        keys.push_back("form " + std::to_string(key));
        if (key == VK_ESCAPE)
            key = 0;
    };
    custom->OnKeyDown = [&](Control&, WORD& key, ShiftState) { keys.push_back("box " + std::to_string(key)); };
    SendMessageA(custom->Handle(), WM_KEYDOWN, 'A', 0);
    SendMessageA(custom->Handle(), WM_KEYDOWN, VK_ESCAPE, 0);
    EXPECT_EQ(keys, (std::vector<std::string>{"form 65", "box 65", "form 27"}));
}

TEST_F(UiWindow, TheScreenCursorGoesBeforeTheWindowsOwn)
{
    auto form = MakeForm<TestForm>(Layout("UiTestCursorForm"));
    form->Show();
    HCURSOR cross = LoadCursor(nullptr, IDC_CROSS);
    Screen::Instance().SetCursors(7, cross);
    form->SetCursor(7);
    auto setCursor = [&](WORD hit) {
        return SendMessageA(form->Handle(), WM_SETCURSOR, reinterpret_cast<WPARAM>(form->Handle()), MAKELPARAM(hit, WM_MOUSEMOVE));
    };
    EXPECT_TRUE(setCursor(HTCLIENT));
    EXPECT_EQ(GetCursor(), cross);
    Screen::Instance().SetCursor(crHourGlass);
    EXPECT_TRUE(setCursor(HTCLIENT));
    EXPECT_EQ(GetCursor(), LoadCursor(nullptr, IDC_WAIT));
    Screen::Instance().SetCursor(crDefault);
    form->SetCursor(crDefault);
    // Nothing of our own: the class cursor.
    setCursor(HTCLIENT);
    EXPECT_EQ(GetCursor(), LoadCursor(nullptr, IDC_ARROW));
}

TEST(UiFont, SizeAndHeightFollowEachOtherAtTheScreenResolution)
{
    Font font(FontArgs{.name = "Arial", .height = -19, .style = fsItalic});
    const int ppi = Font::PixelsPerInch();
    EXPECT_EQ(font.Size(), -MulDiv(-19, 72, ppi));
    font.SetSize(14);
    EXPECT_EQ(font.Height(), -MulDiv(14, ppi, 72));
    int changes = 0;
    font.OnChange = [&] { ++changes; };
    font.SetSize(14);
    EXPECT_EQ(changes, 0);
    font.SetStyle(fsBold | fsUnderline);
    font.SetColor(clWindowText);
    EXPECT_EQ(changes, 1);

    // A handle given to the font is read back into its description; the colour stays.
    LOGFONTA description{};
    description.lfHeight = -13;
    description.lfWeight = FW_BOLD;
    description.lfStrikeOut = 1;
    description.lfCharSet = ANSI_CHARSET;
    lstrcpyA(description.lfFaceName, "Tahoma");
    font.SetColor(0x0084FF);
    font.SetHandle(CreateFontIndirectA(&description));
    EXPECT_EQ(font.Name(), "Tahoma");
    EXPECT_EQ(font.Height(), -13);
    EXPECT_EQ(font.Style(), static_cast<FontStyles>(fsBold | fsStrikeOut));
    EXPECT_EQ(font.GetColor(), 0x0084FFu);

    // Copies share the description, never the handle.
    Font copy = font;
    EXPECT_EQ(copy.Name(), "Tahoma");
    EXPECT_NE(copy.Handle(), font.Handle());
}

TEST_F(UiWindow, TheObjectSeesItsWindowsCreation)
{
    auto form = MakeForm<RecordingForm>(nullptr, Layout("UiTestCreationForm"));
    auto seen = [&](UINT msg) { return std::count(form->seen.begin(), form->seen.end(), msg) > 0; };
    EXPECT_TRUE(seen(WM_GETMINMAXINFO));
    EXPECT_TRUE(seen(WM_NCCREATE));
    EXPECT_TRUE(seen(WM_NCCALCSIZE));
    EXPECT_TRUE(seen(WM_CREATE));
    EXPECT_EQ(Window::FromHandle(form->Handle()), form.get());
    HWND window = form->Handle();
    form.reset();
    EXPECT_FALSE(IsWindow(window));
}

TEST_F(UiWindow, TabFollowsTheTabOrderAndTheFormKeepsItsActiveControl)
{
    auto form = MakeForm<TestForm>(Layout("UiTestTabForm", 300, 200));
    auto* first = form->Add<Button>({.name = "btnFirst", .bounds = {5, 5, 60, 20}});
    auto* panel = form->Add<CustomControl>({.name = "pnlInner", .bounds = {5, 30, 200, 100}});
    auto* inner = form->Add<Button>({.name = "btnInner", .parent = panel, .bounds = {5, 5, 60, 20}});
    form->Add<Button>({.name = "btnOff", .bounds = {80, 5, 60, 20}, .enabled = false});
    form->Add<Button>({.name = "btnNoStop", .bounds = {80, 150, 60, 20}, .tabStop = false});
    auto* last = form->Add<Button>({.name = "btnLast", .bounds = {150, 5, 60, 20}, .tabOrder = 0});
    EXPECT_EQ(last->TabOrder(), 0);
    EXPECT_EQ(first->TabOrder(), 1);
    form->Show();
    SetForegroundWindow(form->Handle());
    form->SetActiveControl(last);
    ASSERT_EQ(GetFocus(), last->Handle());

    // Tab stops only, depth first, wrapping round; disabled ones and the panel are passed over.
    std::vector<std::string> visited;
    for (int i = 0; i < 3; ++i) {
        SendMessageA(GetFocus(), WM_KEYDOWN, VK_TAB, 0);
        visited.push_back(form->ActiveControl() ? form->ActiveControl()->Name() : "none");
    }
    EXPECT_EQ(visited, (std::vector<std::string>{"btnFirst", "btnInner", "btnLast"}));
    form->SelectNext(last, false);
    EXPECT_EQ(GetFocus(), inner->Handle());

    // Another form takes the focus: this one remembers its control and gives it back.
    auto other = MakeForm<TestForm>(Layout("UiTestTabOtherForm"));
    other->Show();
    SetActiveWindow(other->Handle());
    EXPECT_EQ(form->ActiveControl(), inner);
    form->SetActiveControl(first); // not focused while the form is inactive
    EXPECT_NE(GetFocus(), first->Handle());
    SetActiveWindow(form->Handle());
    EXPECT_EQ(GetFocus(), first->Handle());
}

TEST_F(UiWindow, CloseQueryCanRefuseTheClose)
{
    auto form = MakeForm<TestForm>(Layout("UiTestCloseQueryForm"));
    form->Show();
    bool allow = false;
    int asked = 0;
    form->OnCloseQuery = [&](Component&, bool& canClose) {
        ++asked;
        canClose = allow;
    };
    SendMessageA(form->Handle(), WM_CLOSE, 0, 0);
    form->Close();
    EXPECT_EQ(asked, 2);
    EXPECT_TRUE(IsWindowVisible(form->Handle()));
    EXPECT_FALSE(SendMessageA(form->Handle(), WM_QUERYENDSESSION, 0, 0));
    allow = true;
    SendMessageA(form->Handle(), WM_CLOSE, 0, 0);
    EXPECT_FALSE(IsWindowVisible(form->Handle()));
}

// One pixel of what the screen shows (black everywhere under the null display driver).
COLORREF ScreenPixel(int x, int y)
{
    WindowDC screen(nullptr);
    MemoryDC memory(CreateCompatibleDC(screen.Get()));
    BitmapHandle pixel(CreateCompatibleBitmap(screen.Get(), 1, 1));
    SelectObjectScope select(memory.Get(), pixel.Get());
    BitBlt(memory.Get(), 0, 0, 1, 1, screen.Get(), x, y, SRCCOPY);
    return GetPixel(memory.Get(), 0, 0);
}

// Within 3 of each other in every channel (the platform's blending rounds its own way).
bool Near(COLORREF a, COLORREF b)
{
    auto close = [](int x, int y) { return std::abs(x - y) <= 3; };
    return close(GetRValue(a), GetRValue(b)) && close(GetGValue(a), GetGValue(b)) && close(GetBValue(a), GetBValue(b));
}

// The seen area of BGRA rows: any alpha but 0 counts, bytes past a row's pixels do not.
TEST(LayeredSeenArea, HoldsEveryPixelThatIsNotFullyTransparent)
{
    constexpr int width = 5, height = 4, stride = 4 * width + 4;
    const auto area = [](const std::vector<std::uint8_t>& pixels) {
        const RECT r = SeenArea(pixels.data(), width, height, stride);
        return std::array<LONG, 4>{r.left, r.top, r.right, r.bottom};
    };
    // The padding after each row holds a byte where a sixth pixel's alpha would be.
    std::vector<std::uint8_t> pixels(stride * height, 0);
    for (int row = 0; row < height; ++row)
        pixels[row * stride + 4 * width + 3] = 255;
    EXPECT_EQ(area(pixels), (std::array<LONG, 4>{0, 0, 0, 0}));
    const auto alpha = [&](int x, int y) -> std::uint8_t& { return pixels[y * stride + 4 * x + 3]; };
    alpha(4, 3) = 1;
    EXPECT_EQ(area(pixels), (std::array<LONG, 4>{4, 3, 5, 4}));
    // Rows of different extents around a transparent one.
    alpha(1, 0) = 255;
    alpha(2, 0) = 255;
    EXPECT_EQ(area(pixels), (std::array<LONG, 4>{1, 0, 5, 4}));
}

TEST_F(UiWindow, LayeredFormPutsItsPixelsAndAlphaOnTheScreen)
{
    // Left half opaque orange below two transparent rows, right half fully transparent.
    Gdiplus::Bitmap picture(40, 20, PixelFormat32bppARGB);
    for (int y = 0; y < 20; ++y)
        for (int x = 0; x < 40; ++x)
            picture.SetPixel(x, y, x < 20 && y >= 2 ? Gdiplus::Color(255, 200, 100, 0) : Gdiplus::Color(0, 0, 0, 0));
    FormArgs args = Layout("UiTestLayeredForm", 10, 10);
    args.left = 300;
    args.top = 200;
    args.toolWindow = true;
    args.stayOnTop = true;
    auto form = MakeForm<LayeredForm>(nullptr, args);
    const COLORREF background = ScreenPixel(305, 205);
    ASSERT_TRUE(form->SetLayerImage(picture));
    form->Show();
    EXPECT_EQ(form->Width(), 40);
    EXPECT_EQ(form->Height(), 20);
    const RECT seen = form->LayerSeenArea();
    EXPECT_EQ((std::array<LONG, 4>{seen.left, seen.top, seen.right, seen.bottom}), (std::array<LONG, 4>{0, 2, 20, 20}));
    const DWORD exStyle = GetWindowLongA(form->Handle(), GWL_EXSTYLE);
    EXPECT_EQ(exStyle & (WS_EX_LAYERED | WS_EX_TOOLWINDOW | WS_EX_TOPMOST),
              static_cast<DWORD>(WS_EX_LAYERED | WS_EX_TOOLWINDOW | WS_EX_TOPMOST));
    EXPECT_TRUE(form->UpdateLayer());
    // Only a real display composes the layer into what the screen shows.
    if (!GetEnvironmentVariableA("DISPLAY", nullptr, 0))
        return;
    DispatchFor(50);
    EXPECT_EQ(ScreenPixel(305, 205), RGB(200, 100, 0));
    EXPECT_TRUE(Near(ScreenPixel(330, 205), ScreenPixel(330, 260))) << "the transparent half";

    form->SetLayerAlpha(128);
    DispatchFor(50);
    auto blend = [](int fore, int back) { return (fore * 128 + back * 127) / 255; };
    const COLORREF blended = ScreenPixel(305, 205);
    EXPECT_TRUE(Near(blended, RGB(blend(200, GetRValue(background)), blend(100, GetGValue(background)),
                                  blend(0, GetBValue(background)))));

    // Moving needs no new picture.
    form->SetBounds(350, 250, form->Width(), form->Height());
    DispatchFor(50);
    EXPECT_TRUE(Near(ScreenPixel(355, 255), blended));
    EXPECT_TRUE(Near(ScreenPixel(305, 205), background));
}

} // namespace
