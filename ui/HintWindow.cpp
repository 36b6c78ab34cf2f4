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
    params.exStyle = WS_EX_TOOLWINDOW | WS_EX_TOPMOST;
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

void HintWindow::ActivateHint(POINT topLeft, const std::string& text)
{
    text_ = text;
    const SIZE size = CalcHintRect(text);
    const int screenWidth = GetSystemMetrics(SM_CXSCREEN);
    const int screenHeight = GetSystemMetrics(SM_CYSCREEN);
    if (topLeft.x + size.cx > screenWidth)
        topLeft.x = screenWidth - size.cx;
    if (topLeft.y + size.cy > screenHeight)
        topLeft.y = screenHeight - size.cy;
    if (topLeft.x < 0)
        topLeft.x = 0;
    if (topLeft.y < 0)
        topLeft.y = 0;
    HandleNeeded();
    SetWindowPos(Handle(), HWND_TOPMOST, topLeft.x, topLeft.y, size.cx, size.cy, SWP_NOACTIVATE | SWP_SHOWWINDOW);
    Invalidate();
    Update();
}

void HintWindow::WndProc(Message& message)
{
    if (message.msg == WM_NCHITTEST) {
        message.result = HTTRANSPARENT;
        return;
    }
    Window::WndProc(message);
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
