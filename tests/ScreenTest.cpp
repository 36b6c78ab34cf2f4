#include "ui/Screen.h"

#include <gtest/gtest.h>

namespace {

using namespace ui;

HCURSOR System(LPCTSTR name) { return LoadCursor(nullptr, name); }

TEST(Screen, SlotsAndStandardNumbers)
{
    Screen screen;
    const HCURSOR hand = System(IDC_HAND);
    screen.SetCursors(1, hand);
    screen.SetCursors(3, System(IDC_CROSS));
    EXPECT_EQ(screen.Cursors(1), hand);
    EXPECT_EQ(screen.Cursors(3), System(IDC_CROSS));
    EXPECT_EQ(screen.Cursors(2), System(IDC_ARROW)); // an empty slot
    EXPECT_EQ(screen.Cursors(crDefault), System(IDC_ARROW));
    EXPECT_EQ(screen.Cursors(crNone), nullptr);
    EXPECT_EQ(screen.Cursors(crHourGlass), System(IDC_WAIT));
    EXPECT_EQ(screen.Cursors(crIBeam), System(IDC_IBEAM));
    EXPECT_EQ(screen.Cursors(crHandPoint), hand);
    EXPECT_EQ(screen.Cursors(crSizeAll), System(IDC_SIZEALL));
    EXPECT_EQ(screen.Cursors(-12), System(IDC_ARROW)); // a number with no system cursor

    // The standard numbers are not slots.
    screen.SetCursors(crHourGlass, hand);
    screen.SetCursors(crDefault, hand);
    EXPECT_EQ(screen.Cursors(crHourGlass), System(IDC_WAIT));
    EXPECT_EQ(screen.Cursors(crDefault), System(IDC_ARROW));
}

TEST(Screen, SettingTheCursorShowsItAtOnce)
{
    Screen screen;
    screen.SetCursors(2, System(IDC_SIZEALL));
    screen.SetCursor(2);
    EXPECT_EQ(screen.Cursor(), 2);
    EXPECT_EQ(GetCursor(), System(IDC_SIZEALL));
    screen.SetCursor(crHourGlass);
    EXPECT_EQ(GetCursor(), System(IDC_WAIT));
    screen.SetCursor(crNone);
    EXPECT_EQ(GetCursor(), nullptr);
}

TEST(Screen, ScreenCursorOverridesTheWindowsOwn)
{
    Screen screen;
    EXPECT_FALSE(screen.ShowCursorFor(crDefault)); // the system chooses
    EXPECT_TRUE(screen.ShowCursorFor(crIBeam));
    EXPECT_EQ(GetCursor(), System(IDC_IBEAM));
    screen.SetCursor(crHourGlass);
    EXPECT_TRUE(screen.ShowCursorFor(crIBeam));
    EXPECT_EQ(GetCursor(), System(IDC_WAIT));
    EXPECT_TRUE(screen.ShowCursorFor(crDefault));
    EXPECT_EQ(GetCursor(), System(IDC_WAIT));
}

// A window showing the cross over its client area through the screen's rule.
Screen* crossScreen;
LRESULT CALLBACK CrossWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_SETCURSOR && LOWORD(lParam) == HTCLIENT && crossScreen->ShowCursorFor(crCross))
        return TRUE;
    return DefWindowProc(window, message, wParam, lParam);
}

TEST(Screen, BackToDefaultTheWindowUnderTheMouseChoosesAgain)
{
    Screen screen;
    crossScreen = &screen;
    WNDCLASS kind{};
    kind.lpfnWndProc = CrossWindowProc;
    kind.hInstance = GetModuleHandle(nullptr);
    kind.lpszClassName = TEXT("LumettaScreenTest");
    RegisterClass(&kind);
    HWND window = CreateWindowEx(WS_EX_TOPMOST | WS_EX_TOOLWINDOW, kind.lpszClassName, TEXT(""), WS_POPUP | WS_VISIBLE,
                                 913, 651, 60, 60, nullptr, nullptr, kind.hInstance, nullptr);
    ASSERT_NE(window, nullptr);
    SetCursorPos(943, 681);
    POINT point{};
    GetCursorPos(&point);
    ASSERT_EQ(WindowFromPoint(point), window);

    screen.SetCursor(crHourGlass);
    EXPECT_EQ(GetCursor(), System(IDC_WAIT));
    screen.SetCursor(crDefault);
    EXPECT_EQ(GetCursor(), System(IDC_CROSS));
    DestroyWindow(window);
}

} // namespace
