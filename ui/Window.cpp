#include "ui/Window.h"

#include <commctrl.h>
#include <windowsx.h>

#include <algorithm>
#include <iterator>
#include <set>
#include <stdexcept>
#include <utility>

#include "ui/Application.h"
#include "ui/Form.h"
#include "ui/GdiPlus.h"
#include "ui/ListOrder.h"
#include "ui/Menu.h"
#include "ui/Screen.h"

namespace ui {

namespace {

constexpr const char* WindowProperty = "ui.Window";

// The object whose window CreateWindowExA is making on this thread: a top-level window gets
// WM_GETMINMAXINFO before WM_NCCREATE brings the object along.
thread_local Window* creating = nullptr;

// A UTF-16 character in the user's ANSI code page; '?' for what the code page lacks.
char AnsiFromWideChar(wchar_t character)
{
    char ansi = '?';
    return WideCharToMultiByte(CP_ACP, 0, &character, 1, &ansi, 1, nullptr, nullptr) == 1 ? ansi : '?';
}

// And back; a lone lead byte of a double-byte code page gives '?'.
wchar_t WideFromAnsiChar(char character)
{
    const std::wstring wide = WideFromAnsi(std::string_view(&character, 1));
    return wide.empty() ? L'?' : wide.front();
}

void RegisterClassOnce(const CreateParams& params, WNDPROC procedure)
{
    static std::set<std::string> registered;
    if (registered.count(params.className))
        return;
    WNDCLASSEXA windowClass{};
    windowClass.cbSize = sizeof windowClass;
    windowClass.style = params.classStyle;
    windowClass.lpfnWndProc = procedure;
    windowClass.hInstance = GetModuleHandleA(nullptr);
    windowClass.hCursor = LoadCursor(nullptr, IDC_ARROW);
    windowClass.lpszClassName = params.className.c_str();
    if (!RegisterClassExA(&windowClass) && GetLastError() != ERROR_CLASS_ALREADY_EXISTS)
        throw std::runtime_error("Cannot register window class " + params.className);
    registered.insert(params.className);
}

ShiftState KeyShift()
{
    ShiftState shift = 0;
    if (GetKeyState(VK_SHIFT) < 0)
        shift |= ssShift;
    if (GetKeyState(VK_CONTROL) < 0)
        shift |= ssCtrl;
    if (GetKeyState(VK_MENU) < 0)
        shift |= ssAlt;
    return shift;
}

ShiftState MouseShift(WPARAM keys)
{
    ShiftState shift = 0;
    if (keys & MK_SHIFT)
        shift |= ssShift;
    if (keys & MK_CONTROL)
        shift |= ssCtrl;
    if (keys & MK_LBUTTON)
        shift |= ssLeft;
    if (keys & MK_RBUTTON)
        shift |= ssRight;
    if (keys & MK_MBUTTON)
        shift |= ssMiddle;
    if (GetKeyState(VK_MENU) < 0)
        shift |= ssAlt;
    return shift;
}

MouseButton ButtonOf(UINT msg)
{
    switch (msg) {
    case WM_LBUTTONDOWN:
    case WM_LBUTTONUP:
    case WM_LBUTTONDBLCLK:
        return MouseButton::Left;
    case WM_RBUTTONDOWN:
    case WM_RBUTTONUP:
    case WM_RBUTTONDBLCLK:
        return MouseButton::Right;
    default:
        return MouseButton::Middle;
    }
}

// The parents' notifications that concern one of their controls: the window base hands them on.
constexpr UINT ReflectedMessages[] = {WM_COMMAND,     WM_NOTIFY,      WM_DRAWITEM,        WM_HSCROLL,       WM_VSCROLL,
                                      WM_CTLCOLORBTN, WM_CTLCOLOREDIT, WM_CTLCOLORLISTBOX, WM_CTLCOLORSTATIC};

// The window a parent's notification is about, or null (also for every other message).
HWND NotificationTarget(const Message& message)
{
    if (std::find(std::begin(ReflectedMessages), std::end(ReflectedMessages), message.msg) == std::end(ReflectedMessages))
        return nullptr;
    switch (message.msg) {
    case WM_NOTIFY:
        return reinterpret_cast<const NMHDR*>(message.lParam)->hwndFrom;
    case WM_DRAWITEM:
        return reinterpret_cast<const DRAWITEMSTRUCT*>(message.lParam)->hwndItem;
    default:
        return reinterpret_cast<HWND>(message.lParam);
    }
}

} // namespace

Window::Window(Component* owner, const ControlArgs& args, bool topLevel)
    : Control(owner, args, topLevel), tabStop_(args.tabStop)
{
    windowProc_ = [this](Message& message) { Dispatch(message); };
    // The parent took the control in before it was a window.
    if (parent_) {
        parent_->tabList_.push_back(this);
        if (args.tabOrder >= 0)
            SetTabOrder(args.tabOrder);
    }
}

Window::~Window()
{
    DestroyHandle();
    for (Control* control : controls_)
        control->parent_ = nullptr;
    controls_.clear();
}

Window* Window::FromHandle(HWND window)
{
    // Another program's window may carry a property of the same name, with its own address.
    DWORD process = 0;
    if (!window || !GetWindowThreadProcessId(window, &process) || process != GetCurrentProcessId())
        return nullptr;
    return static_cast<Window*>(GetPropA(window, WindowProperty));
}

void Window::Loaded()
{
    if (parent_ && parent_->HandleAllocated())
        CreateHandle();
}

void Window::SetParent(Window* parent)
{
    if (parent == parent_)
        return;
    Control::SetParent(parent);
    if (!parent_ || !parent_->HandleAllocated()) {
        DestroyHandle();
        return;
    }
    if (!handle_) {
        CreateHandle();
        return;
    }
    ::SetParent(handle_, parent_->Handle());
    SetWindowPos(handle_, nullptr, bounds_.left, bounds_.top, bounds_.width, bounds_.height, SWP_NOZORDER | SWP_NOACTIVATE);
}

void Window::ShowControl(Control&)
{
    if (parent_)
        parent_->ShowControl(*this);
}

void Window::HandleNeeded()
{
    if (handle_)
        return;
    if (parent_)
        parent_->HandleNeeded();
    if (!handle_)
        CreateHandle();
}

void Window::ApplyWindowStyle(CreateParams& params)
{
    params.className = "UiWindow";
    params.caption = Caption();
    params.style = WS_CHILD | WS_CLIPSIBLINGS;
    if (Visible())
        params.style |= WS_VISIBLE;
    if (!Control::Enabled()) // the window's own state, whatever a control keeps besides
        params.style |= WS_DISABLED;
    params.x = bounds_.left;
    params.y = bounds_.top;
    params.width = bounds_.width;
    params.height = bounds_.height;
    params.parent = parent_ ? parent_->Handle() : nullptr;
}

void Window::CreateHandle()
{
    if (handle_)
        return;
    CreateParams params;
    ApplyWindowStyle(params);
    if (tabStop_)
        params.style = *tabStop_ ? params.style | WS_TABSTOP : params.style & ~WS_TABSTOP;
    systemClass_ = params.systemClass;
    if (!systemClass_)
        RegisterClassOnce(params, &Window::ClassProc);
    Window* const outer = std::exchange(creating, systemClass_ ? nullptr : this);
    HWND window = CreateWindowExA(params.exStyle, params.className.c_str(), params.caption.c_str(), params.style,
                                  params.x, params.y, params.width, params.height, params.parent, nullptr,
                                  GetModuleHandleA(nullptr), this);
    creating = outer;
    if (!window)
        throw std::runtime_error("Cannot create window of class " + params.className);
    // The platform's classes are ours from here on; their creation messages went to them alone.
    if (systemClass_) {
        Attach(window);
        SetWindowSubclass(window, &Window::SubclassProc, 0, reinterpret_cast<DWORD_PTR>(this));
    }
    if (font_.Handle())
        SendMessageA(window, WM_SETFONT, reinterpret_cast<WPARAM>(GetFont().Handle()), FALSE);
    HandleCreated();
    for (Control* control : controls_)
        if (auto* child = dynamic_cast<Window*>(control))
            child->CreateHandle();
    AlignControls();
}

void Window::Attach(HWND window)
{
    handle_ = window;
    SetPropA(window, WindowProperty, this);
}

void Window::DestroyHandle()
{
    if (!handle_)
        return;
    for (Control* control : controls_)
        if (auto* child = dynamic_cast<Window*>(control))
            child->DestroyHandle();
    HWND window = handle_;
    DestroyWindow(window);
    handle_ = nullptr; // WM_NCDESTROY has detached it already, unless it never came
}

LRESULT CALLBACK Window::ClassProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
    auto* self = static_cast<Window*>(GetPropA(hwnd, WindowProperty));
    if (!self) {
        self = msg == WM_NCCREATE ? static_cast<Window*>(reinterpret_cast<CREATESTRUCTA*>(lParam)->lpCreateParams)
                                  : std::exchange(creating, nullptr);
        if (!self)
            return DefWindowProcA(hwnd, msg, wParam, lParam);
        creating = nullptr;
        self->Attach(hwnd);
    }
    return self->Receive(msg, wParam, lParam);
}

LRESULT CALLBACK Window::SubclassProc(HWND, UINT msg, WPARAM wParam, LPARAM lParam, UINT_PTR, DWORD_PTR data)
{
    return reinterpret_cast<Window*>(data)->Receive(msg, wParam, lParam);
}

LRESULT Window::Receive(UINT msg, WPARAM wParam, LPARAM lParam)
{
    if (msg == WM_NCDESTROY) {
        HWND window = handle_;
        RemovePropA(window, WindowProperty);
        handle_ = nullptr;
        if (!systemClass_)
            return DefWindowProcA(window, msg, wParam, lParam);
        RemoveWindowSubclass(window, &Window::SubclassProc, 0);
        return DefSubclassProc(window, msg, wParam, lParam);
    }
    Message message{msg, wParam, lParam, 0};
    // A form released while one of its handlers runs is freed when the last one returns.
    Form* form = ParentForm();
    if (form)
        ++form->busy_;
    try {
        windowProc_(message);
    } catch (...) {
        App().HandleException();
    }
    if (form && --form->busy_ == 0 && form->releasePending_)
        Component::Free(form);
    return message.result;
}

void Window::Dispatch(Message& message)
{
    const auto handler = handlers_.find(message.msg);
    if (handler != handlers_.end())
        handler->second(message);
    else
        WndProc(message);
}

void Window::BindMessage(UINT message, MessageHandler handler) { handlers_[message] = std::move(handler); }

LRESULT Window::Perform(UINT msg, WPARAM wParam, LPARAM lParam)
{
    if (handle_)
        return SendMessageA(handle_, msg, wParam, lParam);
    Message message{msg, wParam, lParam, 0};
    windowProc_(message);
    return message.result;
}

void Window::DefaultHandler(Message& message)
{
    if (handle_)
        message.result = CallDefault(message.msg, message.wParam, message.lParam);
}

LRESULT Window::CallDefault(UINT msg, WPARAM wParam, LPARAM lParam)
{
    return systemClass_ ? DefSubclassProc(handle_, msg, wParam, lParam) : DefWindowProcA(handle_, msg, wParam, lParam);
}

void Window::WndProc(Message& message)
{
    if (ReflectNotification(message))
        return;
    switch (message.msg) {
    case WM_PAINT:
        Paint(message);
        return;
    case WM_ERASEBKGND:
        if (systemClass_)
            break;
        if (!doubleBuffered_) {
            const RECT client = ClientRect();
            BrushHandle brush(CreateSolidBrush(ColorToRGB(GetColor())));
            FillRect(reinterpret_cast<HDC>(message.wParam), &client, brush.Get());
        }
        message.result = 1;
        return;
    case WM_MOUSEMOVE:
    case WM_LBUTTONDOWN:
    case WM_LBUTTONUP:
    case WM_LBUTTONDBLCLK:
    case WM_RBUTTONDOWN:
    case WM_RBUTTONUP:
    case WM_RBUTTONDBLCLK:
    case WM_MBUTTONDOWN:
    case WM_MBUTTONUP:
    case WM_MOUSELEAVE:
        MouseMessage(message);
        return;
    case WM_CONTEXTMENU:
        ContextMenu(message);
        return;
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN:
    case WM_CHAR:
        if (KeyMessage(message))
            return;
        break;
    case WM_SIZE:
    case WM_MOVE:
        if (handle_) {
            RECT area{};
            GetWindowRect(handle_, &area);
            POINT origin{area.left, area.top};
            if (HWND parentWindow = GetAncestor(handle_, GA_PARENT); parentWindow && (GetWindowLongA(handle_, GWL_STYLE) & WS_CHILD))
                ::ScreenToClient(parentWindow, &origin);
            bounds_ = Rect{origin.x, origin.y, area.right - area.left, area.bottom - area.top};
            if (message.msg == WM_SIZE)
                AlignControls();
        }
        break;
    case WM_NCHITTEST:
        HitTest(message);
        return;
    case WM_SETCURSOR:
        // The program-wide screen cursor, else the cursor of the control under the mouse.
        if (reinterpret_cast<HWND>(message.wParam) == handle_ && LOWORD(message.lParam) == HTCLIENT) {
            POINT point{};
            GetCursorPos(&point);
            const Control* target = ControlAtPos(ScreenToClient(point), true);
            if (Screen::Instance().ShowCursorFor(target ? target->Cursor() : Cursor())) {
                message.result = TRUE;
                return;
            }
        }
        break;
    case WM_SETFOCUS:
        if (Form* form = ParentForm(); form && form != this)
            form->activeWindow_ = handle_;
        break;
    case CM_MOUSEENTER:
        MouseEnter();
        return;
    case CM_MOUSELEAVE:
        MouseLeave();
        return;
    default:
        break;
    }
    DefaultHandler(message);
}

void Window::Paint(Message& message)
{
    if (systemClass_) {
        DefaultHandler(message);
        const bool windowless = std::any_of(controls_.begin(), controls_.end(),
                                            [](Control* c) { return dynamic_cast<GraphicControl*>(c) && c->Visible(); });
        if (windowless) {
            WindowDC dc(handle_);
            PaintControls(dc.Get());
        }
        return;
    }
    PAINTSTRUCT paint{};
    HDC dc = BeginPaint(handle_, &paint);
    if (doubleBuffered_) {
        const RECT client = ClientRect();
        MemoryDC memory(CreateCompatibleDC(dc));
        BitmapHandle bitmap(CreateCompatibleBitmap(dc, client.right, client.bottom));
        {
            SelectObjectScope select(memory.Get(), bitmap.Get());
            BrushHandle brush(CreateSolidBrush(ColorToRGB(GetColor())));
            FillRect(memory.Get(), &client, brush.Get());
            PaintWindow(memory.Get());
            PaintControls(memory.Get());
            BitBlt(dc, 0, 0, client.right, client.bottom, memory.Get(), 0, 0, SRCCOPY);
        }
    } else {
        PaintWindow(dc);
        PaintControls(dc);
    }
    EndPaint(handle_, &paint);
}

void Window::PaintControls(HDC dc)
{
    for (Control* control : controls_) {
        if (!dynamic_cast<GraphicControl*>(control) || !control->Visible())
            continue;
        const Rect place = control->Bounds();
        const RECT area{place.left, place.top, place.left + place.width, place.top + place.height};
        if (!RectVisible(dc, &area))
            continue;
        const int saved = SaveDC(dc);
        POINT origin{};
        GetViewportOrgEx(dc, &origin);
        SetViewportOrgEx(dc, origin.x + place.left, origin.y + place.top, nullptr);
        IntersectClipRect(dc, 0, 0, place.width, place.height);
        control->Paint(dc);
        RestoreDC(dc, saved);
    }
}

Control* Window::ControlAtPos(POINT point, bool allowDisabled) const
{
    for (auto it = controls_.rbegin(); it != controls_.rend(); ++it) {
        Control* control = *it;
        if (!dynamic_cast<GraphicControl*>(control) || !control->Visible() || (!allowDisabled && !control->Enabled()))
            continue;
        const Rect place = control->Bounds();
        if (point.x >= place.left && point.x < place.left + place.width && point.y >= place.top &&
            point.y < place.top + place.height)
            return control;
    }
    return nullptr;
}

void Window::HitTest(Message& message)
{
    // A window that lets the mouse through (a group box) still takes it over its windowless
    // controls: the window behind never looks for them.
    DefaultHandler(message);
    if (message.result == HTTRANSPARENT &&
        ControlAtPos(ScreenToClient(POINT{GET_X_LPARAM(message.lParam), GET_Y_LPARAM(message.lParam)})))
        message.result = HTCLIENT;
}

void Window::MouseMessage(Message& message)
{
    if (message.msg == WM_MOUSELEAVE) {
        trackingLeave_ = false;
        POINT cursor{};
        GetCursorPos(&cursor);
        App().UpdateMouseControl(cursor);
        DefaultHandler(message);
        return;
    }
    const POINT point{GET_X_LPARAM(message.lParam), GET_Y_LPARAM(message.lParam)};
    const ShiftState shift = MouseShift(message.wParam);
    Control* target = mouseControl_;
    if (!target)
        target = ControlAtPos(point);
    if (!target)
        target = this;
    const int x = target == this ? point.x : point.x - target->Left();
    const int y = target == this ? point.y : point.y - target->Top();
    // Ours to handle: one of our windowless controls, or a window of our own class. A system
    // class handles its own buttons, capture included.
    const bool ours = target != this || !systemClass_;

    switch (message.msg) {
    case WM_MOUSEMOVE: {
        if (!trackingLeave_) {
            TRACKMOUSEEVENT track{sizeof track, TME_LEAVE, handle_, 0};
            trackingLeave_ = TrackMouseEvent(&track) != FALSE;
        }
        POINT screen = point;
        ::ClientToScreen(handle_, &screen);
        App().UpdateMouseControl(screen);
        target->MouseMove(shift, x, y);
        break;
    }
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
    case WM_MBUTTONDOWN: {
        const MouseButton button = ButtonOf(message.msg);
        if (!ours) {
            if (OnMouseDown)
                OnMouseDown(*this, button, shift, x, y);
            break;
        }
        if (target != this)
            mouseControl_ = target;
        if (button == MouseButton::Left)
            SetCapture(handle_);
        target->MouseDown(button, shift, x, y);
        break;
    }
    case WM_LBUTTONDBLCLK:
    case WM_RBUTTONDBLCLK:
        if (!ours)
            break;
        if (message.msg == WM_LBUTTONDBLCLK) {
            if (target != this)
                mouseControl_ = target;
            SetCapture(handle_);
            target->DblClick();
        }
        target->MouseDown(ButtonOf(message.msg), shift | ssDouble, x, y);
        break;
    case WM_LBUTTONUP:
    case WM_RBUTTONUP:
    case WM_MBUTTONUP: {
        const MouseButton button = ButtonOf(message.msg);
        if (button == MouseButton::Left && GetCapture() == handle_ && ours)
            ReleaseCapture();
        if (!(message.wParam & (MK_LBUTTON | MK_RBUTTON | MK_MBUTTON)))
            mouseControl_ = nullptr;
        if (ours)
            target->MouseUp(button, shift, x, y);
        else if (OnMouseUp)
            OnMouseUp(*this, button, shift, x, y);
        break;
    }
    default:
        break;
    }
    // The system classes need their mouse, except the buttons one of our windowless controls
    // took (a group box would take the focus and the capture); the platform turns a right
    // click into WM_CONTEXTMENU.
    const bool takenFromSystemClass = systemClass_ && target != this && message.msg != WM_RBUTTONUP;
    if (handle_ && !takenFromSystemClass)
        DefaultHandler(message);
}

void Window::ContextMenu(Message& message)
{
    POINT screen{GET_X_LPARAM(message.lParam), GET_Y_LPARAM(message.lParam)};
    if (message.lParam == -1) {
        const RECT client = ClientRect();
        screen = ClientToScreen(POINT{client.right / 2, client.bottom / 2});
    }
    Control* target = ControlAtPos(ScreenToClient(screen));
    if (!target || !target->GetPopupMenu())
        target = this;
    if (PopupMenu* menu = target->GetPopupMenu()) {
        menu->SetPopupComponent(target);
        menu->Popup(screen.x, screen.y);
        message.result = 0;
        return;
    }
    DefaultHandler(message);
}

bool Window::KeyMessage(Message& message)
{
    Form* form = ParentForm();
    if (message.msg == WM_CHAR) {
        // A platform control is subclassed through a Unicode procedure: its characters come as
        // UTF-16 units, which the handlers see as the user's ANSI characters (cutting the unit
        // to its low byte made the euro sign a "¬").
        const bool wide = handle_ && IsWindowUnicode(handle_);
        const char typed =
            wide ? AnsiFromWideChar(static_cast<wchar_t>(message.wParam)) : static_cast<char>(message.wParam);
        char key = typed;
        if (form && form != this && form->KeyPreview())
            form->KeyPress(key);
        if (key)
            KeyPress(key);
        if (!key)
            return true;
        // An unchanged character goes on as it came, also one the code page does not hold.
        if (key != typed)
            message.wParam = wide ? WideFromAnsiChar(key) : static_cast<unsigned char>(key);
        return false;
    }
    WORD key = static_cast<WORD>(message.wParam);
    const ShiftState shift = KeyShift();
    if (form && form != this && form->KeyPreview())
        form->KeyDown(key, shift);
    if (key)
        KeyDown(key, shift);
    if (!key)
        return true;
    if (form && (key == VK_RETURN || key == VK_ESCAPE)) {
        const LRESULT wants = DialogCode(key);
        if (!(wants & (DLGC_WANTALLKEYS | DLGC_WANTMESSAGE)) && form->DialogKey(key))
            return true;
    }
    if (form && key == VK_TAB && message.msg == WM_KEYDOWN) {
        const LRESULT wants = DialogCode(key);
        if (!(wants & (DLGC_WANTTAB | DLGC_WANTALLKEYS))) {
            DropTranslatedChar(key);
            form->SelectNext(this, (shift & ssShift) == 0);
            return true;
        }
    }
    message.wParam = key;
    return false;
}

LRESULT Window::DialogCode(WORD key)
{
    return systemClass_ ? CallDefault(WM_GETDLGCODE, key, 0) : 0;
}

void Window::DropTranslatedChar(WORD key)
{
    const WPARAM character = key == VK_RETURN ? '\r' : key == VK_ESCAPE ? 0x1B : key == VK_TAB ? '\t' : 0;
    MSG pending{};
    if (character && PeekMessageA(&pending, nullptr, WM_CHAR, WM_CHAR, PM_NOREMOVE | PM_NOYIELD) &&
        pending.wParam == character)
        PeekMessageA(&pending, pending.hwnd, WM_CHAR, WM_CHAR, PM_REMOVE | PM_NOYIELD);
}

void Window::KeyDown(WORD& key, ShiftState shift)
{
    if (OnKeyDown)
        OnKeyDown(*this, key, shift);
}

void Window::KeyPress(char& key)
{
    if (OnKeyPress)
        OnKeyPress(*this, key);
}

bool Window::ReflectNotification(Message& message)
{
    HWND target = NotificationTarget(message);
    if (!target || target == handle_)
        return false;
    Window* child = FromHandle(target);
    return child && child->HandleNotification(message);
}

void Window::InsertControl(Control* control)
{
    control->parent_ = this;
    controls_.push_back(control);
    if (auto* window = dynamic_cast<Window*>(control))
        tabList_.push_back(window);
    if (control->GetAlign() != Align::None)
        AlignControls();
}

void Window::RemoveControl(Control* control)
{
    if (mouseControl_ == control)
        mouseControl_ = nullptr;
    controls_.erase(std::remove(controls_.begin(), controls_.end(), control), controls_.end());
    // Also from the destructor of a control that is no longer a Window: the address counts.
    std::erase_if(tabList_, [control](Window* window) { return static_cast<Control*>(window) == control; });
    control->parent_ = nullptr;
    if (dynamic_cast<GraphicControl*>(control)) {
        const Rect place = control->Bounds();
        InvalidateArea(RECT{place.left, place.top, place.left + place.width, place.top + place.height});
    }
}

void Window::AlignControls()
{
    const RECT client = ClientRect();
    for (Control* control : controls_)
        if (control->GetAlign() == Align::Client)
            control->SetBounds(0, 0, client.right - client.left, client.bottom - client.top);
}

void Window::SetBounds(int left, int top, int width, int height)
{
    if (handle_) {
        bounds_ = Rect{left, top, width, height};
        SetWindowPos(handle_, nullptr, left, top, width, height, SWP_NOZORDER | SWP_NOACTIVATE);
        BoundsChanged();
        return;
    }
    Control::SetBounds(left, top, width, height);
    AlignControls();
}

RECT Window::ClientRect() const
{
    RECT client{0, 0, bounds_.width, bounds_.height};
    if (handle_)
        GetClientRect(handle_, &client);
    return client;
}

void Window::Invalidate()
{
    if (handle_)
        InvalidateRect(handle_, nullptr, TRUE);
}

void Window::InvalidateArea(RECT area)
{
    if (!handle_)
        return;
    if (systemClass_ && parent_ && parent_->HandleAllocated()) {
        MapWindowPoints(handle_, parent_->Handle(), reinterpret_cast<POINT*>(&area), 2);
        parent_->InvalidateArea(area);
        return;
    }
    RedrawWindow(handle_, &area, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
}

void Window::Update()
{
    // What lies behind a system control's windowless controls paints first (see InvalidateArea).
    if (systemClass_ && parent_)
        parent_->Update();
    if (handle_)
        UpdateWindow(handle_);
}

void Window::SetFocus()
{
    HandleNeeded();
    ::SetFocus(handle_);
}

bool Window::Focused() const { return handle_ && GetFocus() == handle_; }

bool Window::CanFocus() const
{
    if (!handle_)
        return false;
    for (const Control* control = this; control; control = control->Parent())
        if (!control->Visible() || !control->Enabled())
            return false;
    return true;
}

bool Window::TabStop() const
{
    if (handle_)
        return (GetWindowLongA(handle_, GWL_STYLE) & WS_TABSTOP) != 0;
    return tabStop_.value_or(false);
}

void Window::SetTabStop(bool value)
{
    tabStop_ = value;
    if (handle_) {
        const LONG style = GetWindowLongA(handle_, GWL_STYLE);
        SetWindowLongA(handle_, GWL_STYLE, value ? style | WS_TABSTOP : style & ~WS_TABSTOP);
    }
}

int Window::TabOrder() const
{
    return parent_ ? IndexIn<Window>(parent_->tabList_, this) : -1;
}

void Window::SetTabOrder(int order)
{
    if (parent_)
        MoveInList<Window>(parent_->tabList_, this, order);
}

Window* Window::FindNextControl(const Window* current, bool forward, bool tabStopOnly) const
{
    std::vector<Window*> order;
    auto collect = [&](const Window& container, auto& self) -> void {
        for (Window* window : container.tabList_) {
            order.push_back(window);
            self(*window, self);
        }
    };
    collect(*this, collect);
    if (!forward)
        std::reverse(order.begin(), order.end());
    const auto from = std::find(order.begin(), order.end(), current);
    const std::size_t start = from == order.end() ? 0 : static_cast<std::size_t>(from - order.begin()) + 1;
    for (std::size_t i = 0; i < order.size(); ++i) {
        Window* candidate = order[(start + i) % order.size()];
        if (candidate != current && candidate->CanFocus() && (candidate->TabStop() || !tabStopOnly))
            return candidate;
    }
    return nullptr;
}

void Window::SelectFirst()
{
    Window* first = FindNextControl(nullptr, true, true);
    if (!first)
        first = FindNextControl(nullptr, true, false);
    if (!first)
        return;
    if (Form* form = ParentForm())
        form->SetActiveControl(first);
    else
        first->SetFocus();
}

void Window::CaptionChanged()
{
    if (handle_)
        SetWindowTextA(handle_, Caption().c_str());
    Invalidate();
}

void Window::FontChanged()
{
    if (handle_)
        SendMessageA(handle_, WM_SETFONT, reinterpret_cast<WPARAM>(GetFont().Handle()), TRUE);
    Invalidate();
}

void Window::VisibleChanged()
{
    if (handle_)
        ShowWindow(handle_, Visible() ? SW_SHOWNA : SW_HIDE);
}

void Window::EnabledChanged()
{
    if (handle_)
        EnableWindow(handle_, Control::Enabled());
    Invalidate();
}

} // namespace ui
