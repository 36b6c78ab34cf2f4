#include "ui/SystemControl.h"

#include <commctrl.h>

namespace ui {

namespace {

void InitCommonControlsOnce()
{
    static const bool done = [] {
        INITCOMMONCONTROLSEX init{sizeof init, ICC_BAR_CLASSES | ICC_LISTVIEW_CLASSES | ICC_STANDARD_CLASSES};
        return InitCommonControlsEx(&init) != FALSE;
    }();
    (void)done;
}

} // namespace

SystemControl::SystemControl(Component* owner, const ControlArgs& args) : Window(owner, args) {}

void SystemControl::ApplyWindowStyle(CreateParams& params)
{
    InitCommonControlsOnce();
    Window::ApplyWindowStyle(params);
    params.systemClass = true;
}

bool SystemControl::HandleNotification(Message& message)
{
    switch (message.msg) {
    case WM_CTLCOLORBTN:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORLISTBOX:
    case WM_CTLCOLORSTATIC: {
        HDC dc = reinterpret_cast<HDC>(message.wParam);
        SetTextColor(dc, ColorToRGB(Enabled() ? GetFont().GetColor() : clWindowText));
        SetBkColor(dc, ColorToRGB(GetColor()));
        if (!brush_ || brushColor_ != GetColor()) {
            brush_.Reset(CreateSolidBrush(ColorToRGB(GetColor())));
            brushColor_ = GetColor();
        }
        message.result = reinterpret_cast<LRESULT>(brush_.Get());
        return true;
    }
    default:
        return false;
    }
}

} // namespace ui
