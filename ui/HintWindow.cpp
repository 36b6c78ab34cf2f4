#include "ui/HintWindow.h"

namespace ui {

namespace {

constexpr int Margin = 2;

ControlArgs HintArgs()
{
    ControlArgs args;
    args.name = "HintWindow";
    args.visible = false;
    args.color = clInfoBk;
    return args;
}

} // namespace

POINT HintPlace(POINT point, SIZE size, SIZE screen, int gap)
{
    POINT place{point.x, point.y + gap};
    if (place.y + size.cy > screen.cy)
        place.y = point.y - gap - size.cy;
    if (place.x + size.cx > screen.cx)
        place.x = screen.cx - size.cx;
    if (place.x < 0)
        place.x = 0;
    if (place.y < 0)
        place.y = 0;
    return place;
}

HintWindow::HintWindow() : Window(nullptr, HintArgs(), true)
{
    NONCLIENTMETRICSA metrics{};
    metrics.cbSize = sizeof metrics;
    if (SystemParametersInfoA(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0))
        GetFont().SetHandle(CreateFontIndirectA(&metrics.lfStatusFont));
    GetFont().SetColor(clInfoText);
}

void HintWindow::ApplyWindowStyle(CreateParams& params)
{
    Window::ApplyWindowStyle(params);
    params.className = "UiHintWindow";
    params.classStyle |= CS_SAVEBITS;
    params.style = WS_POPUP | WS_BORDER;
    // Layered and transparent: hit-testing passes over it, so a click where it shows reaches the
    // window beneath even in another thread or process (a hit-test answer of its own would
    // reach only windows of this thread, and under Wine not even those).
    params.exStyle = WS_EX_TOOLWINDOW | WS_EX_TOPMOST | WS_EX_NOACTIVATE | WS_EX_LAYERED | WS_EX_TRANSPARENT;
}

void HintWindow::HandleCreated()
{
    Window::HandleCreated();
    // Opaque: a layered window shows nothing until it has its alpha.
    SetLayeredWindowAttributes(Handle(), 0, 255, LWA_ALPHA);
}

void HintWindow::ReleaseHandle()
{
    DestroyHandle();
    text_.clear();
}

bool HintWindow::HintShowing() const { return HandleAllocated() && IsWindowVisible(Handle()); }

SIZE HintWindow::CalcHintRect(const std::string& text)
{
    RECT area{0, 0, MaxWidth, 0};
    WindowDC screen(nullptr);
    {
        SelectObjectScope select(screen.Get(), GetFont().Handle());
        DrawTextA(screen.Get(), text.c_str(), -1, &area, DT_CALCRECT | DT_LEFT | DT_WORDBREAK | DT_NOPREFIX);
    }
    return SIZE{area.right + 2 * Margin + 4, area.bottom + 2 * Margin + 2};
}

void HintWindow::ActivateHint(POINT point, const std::string& text)
{
    text_ = text;
    const SIZE size = CalcHintRect(text);
    const POINT topLeft =
        HintPlace(point, size, SIZE{GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)}, Gap);
    HandleNeeded();
    SetWindowPos(Handle(), HWND_TOPMOST, topLeft.x, topLeft.y, size.cx, size.cy, SWP_NOACTIVATE | SWP_SHOWWINDOW);
    Invalidate();
    Update();
}

void HintWindow::PaintWindow(HDC dc)
{
    const RECT client = ClientRect();
    SelectObjectScope select(dc, GetFont().Handle());
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, ColorToRGB(GetFont().GetColor()));
    RECT text{client.left + Margin, client.top + Margin, client.right - Margin, client.bottom - Margin};
    DrawTextA(dc, text_.c_str(), -1, &text, DT_LEFT | DT_WORDBREAK | DT_NOPREFIX);
}

} // namespace ui
