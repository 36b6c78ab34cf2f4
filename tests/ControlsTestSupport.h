#pragma once
// Driving the editor's controls the way the platform does: mouse messages go to the window under
// the pointer, or to the one holding the capture.
#include <windows.h>

#include <string>

#include "ui/Application.h"
#include "ui/Form.h"
#include "TestSupport.h"

namespace lumetta::test {

// A shown, active form. The tests share the desktop: the mouse tests take a corner of the
// screen that the other tests' windows keep clear of, and stay on top there.
inline ui::Owned<ui::Form> ShownForm(const char* className, int width, int height, bool forTheMouse = true)
{
    ui::FormArgs args;
    args.className = className;
    args.left = 712;
    args.top = forTheMouse ? 20 : 300;
    args.clientWidth = width;
    args.clientHeight = height;
    auto form = ui::MakeForm<ui::Form>(nullptr, args);
    form->Show();
    if (forTheMouse)
        SetWindowPos(form->Handle(), HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    SetForegroundWindow(form->Handle());
    ui::App().ProcessMessages();
    return form;
}

// The mouse pointer: each call moves it to a screen point and sends the message there.
class Mouse {
public:
    void MoveTo(POINT screen) { Send(WM_MOUSEMOVE, screen, buttons_); }
    void Press(POINT screen)
    {
        buttons_ = MK_LBUTTON;
        Send(WM_LBUTTONDOWN, screen, buttons_);
    }
    // The second press of a double click.
    void PressAgain(POINT screen)
    {
        buttons_ = MK_LBUTTON;
        Send(WM_LBUTTONDBLCLK, screen, buttons_);
    }
    void Release(POINT screen)
    {
        buttons_ = 0;
        Send(WM_LBUTTONUP, screen, buttons_);
    }
    void Click(POINT screen)
    {
        MoveTo(screen);
        Press(screen);
        Release(screen);
    }

private:
    static void Send(UINT message, POINT screen, WPARAM keys)
    {
        SetCursorPos(screen.x, screen.y);
        HWND target = GetCapture();
        if (!target)
            target = WindowFromPoint(screen);
        POINT client = screen;
        ScreenToClient(target, &client);
        SendMessageA(target, message, keys, MAKELPARAM(static_cast<WORD>(client.x), static_cast<WORD>(client.y)));
    }
    WPARAM buttons_ = 0;
};

} // namespace lumetta::test
