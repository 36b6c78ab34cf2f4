#include "ui/TrackBar.h"

#include <algorithm>
#include <commctrl.h>

namespace ui {

TrackBar::TrackBar(Component* owner, const ControlArgs& common, const Args& own) : SystemControl(owner, common), args_(own)
{
    args_.position = std::clamp(args_.position, args_.min, std::max(args_.min, args_.max));
}

void TrackBar::ApplyWindowStyle(CreateParams& params)
{
    SystemControl::ApplyWindowStyle(params);
    params.className = TRACKBAR_CLASSA;
    params.style |= WS_TABSTOP | TBS_FIXEDLENGTH | TBS_ENABLESELRANGE;
    params.style |= args_.orientation == Orientation::Vertical ? TBS_VERT : TBS_HORZ;
    if (args_.tickStyle == TickStyle::None)
        params.style |= TBS_NOTICKS;
    else if (args_.tickStyle == TickStyle::Auto)
        params.style |= TBS_AUTOTICKS;
    if (args_.tickMarks == TickMark::Both)
        params.style |= TBS_BOTH;
    else if (args_.tickMarks == TickMark::TopLeft)
        params.style |= args_.orientation == Orientation::Vertical ? TBS_LEFT : TBS_TOP;
}

void TrackBar::HandleCreated()
{
    SendMessageA(Handle(), TBM_SETTHUMBLENGTH, static_cast<WPARAM>(args_.thumbLength), 0);
    SendMessageA(Handle(), TBM_SETRANGEMIN, FALSE, args_.min);
    SendMessageA(Handle(), TBM_SETRANGEMAX, FALSE, args_.max);
    SendMessageA(Handle(), TBM_SETTICFREQ, static_cast<WPARAM>(args_.frequency), 0);
    SendMessageA(Handle(), TBM_SETSEL, FALSE, MAKELPARAM(args_.selStart, args_.selEnd));
    SendMessageA(Handle(), TBM_SETPOS, TRUE, args_.position);
}

void TrackBar::SetPosition(int position)
{
    position = std::clamp(position, args_.min, std::max(args_.min, args_.max));
    if (position == args_.position)
        return;
    args_.position = position;
    if (HandleAllocated())
        SendMessageA(Handle(), TBM_SETPOS, TRUE, position);
    Changed();
}

void TrackBar::SetRange(int min, int max)
{
    args_.min = min;
    args_.max = max;
    if (HandleAllocated()) {
        SendMessageA(Handle(), TBM_SETRANGEMIN, FALSE, min);
        SendMessageA(Handle(), TBM_SETRANGEMAX, TRUE, max);
    }
    SetPosition(args_.position);
}

void TrackBar::SetFrequency(int frequency)
{
    args_.frequency = frequency;
    if (HandleAllocated())
        SendMessageA(Handle(), TBM_SETTICFREQ, static_cast<WPARAM>(frequency), 0);
}

void TrackBar::SetSelection(int start, int end)
{
    args_.selStart = start;
    args_.selEnd = end;
    if (HandleAllocated())
        SendMessageA(Handle(), TBM_SETSEL, TRUE, MAKELPARAM(start, end));
}

void TrackBar::Changed()
{
    if (OnChange)
        OnChange(*this);
}

bool TrackBar::HandleNotification(Message& message)
{
    if (message.msg == WM_HSCROLL || message.msg == WM_VSCROLL) {
        const int position = static_cast<int>(SendMessageA(Handle(), TBM_GETPOS, 0, 0));
        if (position != args_.position) {
            args_.position = position;
            Changed();
        }
        return true;
    }
    return SystemControl::HandleNotification(message);
}

} // namespace ui
