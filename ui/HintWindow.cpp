#include "ui/HintWindow.h"

namespace ui {

namespace {

constexpr const char* HintClass = "UiHintWindow";
constexpr int Margin = 2;

void RegisterHintClass()
{
    static const bool registered = [] {
        WNDCLASSEXA windowClass{};
        windowClass.cbSize = sizeof windowClass;
        windowClass.style = CS_SAVEBITS;
        windowClass.lpfnWndProc = DefWindowProcA;
        windowClass.hInstance = GetModuleHandleA(nullptr);
        windowClass.hCursor = LoadCursor(nullptr, IDC_ARROW);
        windowClass.lpszClassName = HintClass;
        return RegisterClassExA(&windowClass) != 0;
    }();
    (void)registered;
}

} // namespace

HintWindow::HintWindow()
{
    NONCLIENTMETRICSA metrics{};
    metrics.cbSize = sizeof metrics;
    if (SystemParametersInfoA(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0))
        font_.SetHandle(CreateFontIndirectA(&metrics.lfStatusFont));
    font_.SetColor(clInfoText);
}

HintWindow::~HintWindow() { ReleaseHandle(); }

void HintWindow::ReleaseHandle()
{
    if (handle_) {
        DestroyWindow(handle_);
        handle_ = nullptr;
    }
    text_.clear();
}

bool HintWindow::Showing() const { return handle_ && IsWindowVisible(handle_); }

SIZE HintWindow::CalcHintRect(const std::string& text)
{
    RECT area{0, 0, MaxWidth, 0};
    WindowDC screen(nullptr);
    {
        SelectObjectScope select(screen.Get(), font_.Handle());
        DrawTextA(screen.Get(), text.c_str(), -1, &area, DT_CALCRECT | DT_LEFT | DT_WORDBREAK | DT_NOPREFIX);
    }
    return SIZE{area.right + 2 * Margin + 4, area.bottom + 2 * Margin + 2};
}

void HintWindow::ActivateHint(POINT topLeft, const std::string& text)
{
    RegisterHintClass();
    text_ = text;
    const SIZE size = CalcHintRect(text);
    // Kept on the screen.
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
    if (!handle_) {
        handle_ = CreateWindowExA(WS_EX_TOOLWINDOW | WS_EX_TOPMOST, HintClass, "", WS_POPUP | WS_BORDER, topLeft.x,
                                  topLeft.y, size.cx, size.cy, nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
        if (!handle_)
            return;
        SetWindowLongPtrA(handle_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
        SetWindowLongPtrA(handle_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&HintWindow::Proc));
    }
    SetWindowPos(handle_, HWND_TOPMOST, topLeft.x, topLeft.y, size.cx, size.cy, SWP_NOACTIVATE | SWP_SHOWWINDOW);
    InvalidateRect(handle_, nullptr, TRUE);
    UpdateWindow(handle_);
}

LRESULT CALLBACK HintWindow::Proc(HWND window, UINT msg, WPARAM wParam, LPARAM lParam)
{
    auto* self = reinterpret_cast<HintWindow*>(GetWindowLongPtrA(window, GWLP_USERDATA));
    if (self && msg == WM_PAINT) {
        self->Paint();
        return 0;
    }
    if (msg == WM_NCHITTEST)
        return HTTRANSPARENT;
    return DefWindowProcA(window, msg, wParam, lParam);
}

void HintWindow::Paint()
{
    PAINTSTRUCT paint{};
    HDC dc = BeginPaint(handle_, &paint);
    RECT client{};
    GetClientRect(handle_, &client);
    BrushHandle background(CreateSolidBrush(ColorToRGB(clInfoBk)));
    FillRect(dc, &client, background.Get());
    {
        SelectObjectScope select(dc, font_.Handle());
        SetBkMode(dc, TRANSPARENT);
        SetTextColor(dc, ColorToRGB(font_.GetColor()));
        RECT text{client.left + Margin, client.top + Margin, client.right - Margin, client.bottom - Margin};
        DrawTextA(dc, text_.c_str(), -1, &text, DT_LEFT | DT_WORDBREAK | DT_NOPREFIX);
    }
    EndPaint(handle_, &paint);
}

} // namespace ui
