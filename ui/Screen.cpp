#include "ui/Screen.h"

namespace ui {

namespace {

LPCTSTR StandardCursorName(CursorId id)
{
    switch (id) {
    case crDefault:
    case crArrow: return IDC_ARROW;
    case crCross: return IDC_CROSS;
    case crIBeam: return IDC_IBEAM;
    case crSizeNESW: return IDC_SIZENESW;
    case crSizeNS: return IDC_SIZENS;
    case crSizeNWSE: return IDC_SIZENWSE;
    case crSizeWE: return IDC_SIZEWE;
    case crUpArrow: return IDC_UPARROW;
    case crHourGlass: return IDC_WAIT;
    case crNo: return IDC_NO;
    case crAppStart: return IDC_APPSTARTING;
    case crHelp: return IDC_HELP;
    case crHandPoint: return IDC_HAND;
    case crSizeAll: return IDC_SIZEALL;
    default: return IDC_ARROW;
    }
}

} // namespace

Screen& Screen::Instance()
{
    static Screen screen;
    return screen;
}

HCURSOR Screen::Cursors(CursorId id) const
{
    if (id == crNone)
        return nullptr;
    if (id > 0) {
        const auto slot = slots_.find(id);
        if (slot != slots_.end() && slot->second)
            return slot->second;
        return LoadCursor(nullptr, IDC_ARROW);
    }
    return LoadCursor(nullptr, StandardCursorName(id));
}

void Screen::SetCursors(CursorId id, HCURSOR cursor)
{
    if (id > 0)
        slots_[id] = cursor;
}

void Screen::SetCursor(CursorId id)
{
    cursor_ = id;
    if (id != crDefault) {
        ::SetCursor(Cursors(id));
        return;
    }
    // Let the window under the mouse choose again, as if the mouse had just moved over it.
    POINT point{};
    if (GetCursorPos(&point)) {
        HWND window = WindowFromPoint(point);
        if (window && GetWindowThreadProcessId(window, nullptr) == GetCurrentThreadId()) {
            const LRESULT hit = SendMessage(window, WM_NCHITTEST, 0, MAKELPARAM(point.x, point.y));
            SendMessage(window, WM_SETCURSOR, reinterpret_cast<WPARAM>(window), MAKELPARAM(hit, WM_MOUSEMOVE));
            return;
        }
    }
    ::SetCursor(Cursors(crArrow));
}

bool Screen::ShowCursorFor(CursorId own) const
{
    const CursorId shown = cursor_ != crDefault ? cursor_ : own;
    if (shown == crDefault)
        return false;
    ::SetCursor(Cursors(shown));
    return true;
}

} // namespace ui
