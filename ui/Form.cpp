#include "ui/Form.h"

#include <stdexcept>
#include <utility>
#include <vector>

#include "ui/Application.h"

namespace ui {

namespace {

ControlArgs FormControlArgs(const FormArgs& args)
{
    ControlArgs control;
    control.name = args.className;
    control.caption = args.caption;
    control.tag = args.tag;
    control.bounds = Rect{args.left, args.top, args.clientWidth, args.clientHeight};
    control.visible = false;
    control.font = args.font;
    control.color = args.color;
    control.showHint = args.showHint;
    return control;
}

RECT OuterRect(int clientWidth, int clientHeight, DWORD style, DWORD exStyle)
{
    RECT area{0, 0, clientWidth, clientHeight};
    AdjustWindowRectEx(&area, style, FALSE, exStyle);
    return area;
}

// Walks every control on a window and the windows on it, first to last.
template <typename Visit>
bool AnyControl(const Window& window, const Visit& visit)
{
    for (int i = 0; i < window.ControlCount(); ++i) {
        Control& control = window.Controls(i);
        if (visit(control))
            return true;
        if (auto* inner = dynamic_cast<Window*>(&control); inner && AnyControl(*inner, visit))
            return true;
    }
    return false;
}

} // namespace

Form::Form(Component* owner, const FormArgs& args)
    : Window(owner, FormControlArgs(args), true), className_(args.className), borderStyle_(args.borderStyle),
      borderIcons_(args.borderIcons), position_(args.position), keyPreview_(args.keyPreview),
      alphaBlend_(args.alphaBlend), alphaBlendValue_(args.alphaBlendValue), toolWindow_(args.toolWindow),
      stayOnTop_(args.stayOnTop), showInTaskbar_(args.showInTaskbar), clientWidth_(args.clientWidth),
      clientHeight_(args.clientHeight)
{
    SetDoubleBuffered(args.doubleBuffered);
}

Form::~Form()
{
    if (App().MainForm() == this)
        App().SetMainForm(nullptr);
}

void Form::Loaded()
{
    if (created_)
        return;
    created_ = true;
    HandleNeeded();
    if (OnCreate)
        OnCreate(*this);
}

void Form::BeforeDestruction()
{
    releasePending_ = false;
    if (OnDestroy)
        OnDestroy(*this);
    DestroyHandle();
    if (App().MainForm() == this)
        App().SetMainForm(nullptr);
}

void Form::ApplyWindowStyle(CreateParams& params)
{
    Window::ApplyWindowStyle(params);
    params.className = className_;
    params.style = WS_CLIPCHILDREN | WS_CLIPSIBLINGS;
    params.exStyle = WS_EX_CONTROLPARENT;
    const bool systemMenu = (borderIcons_ & biSystemMenu) != 0;
    switch (borderStyle_) {
    case BorderStyle::None:
        params.style |= WS_POPUP;
        break;
    case BorderStyle::Single:
    case BorderStyle::Sizeable:
        params.style |= WS_CAPTION | (borderStyle_ == BorderStyle::Sizeable ? WS_THICKFRAME : 0);
        if (systemMenu) {
            params.style |= WS_SYSMENU;
            if (borderIcons_ & biMinimize)
                params.style |= WS_MINIMIZEBOX;
            if (borderIcons_ & biMaximize)
                params.style |= WS_MAXIMIZEBOX;
        }
        break;
    case BorderStyle::Dialog:
        params.style |= WS_POPUP | WS_CAPTION | DS_MODALFRAME | (systemMenu ? WS_SYSMENU : 0);
        params.exStyle |= WS_EX_DLGMODALFRAME | WS_EX_WINDOWEDGE;
        break;
    case BorderStyle::ToolWindow:
    case BorderStyle::SizeToolWin:
        params.style |= WS_CAPTION | (borderStyle_ == BorderStyle::SizeToolWin ? WS_THICKFRAME : 0) |
                        (systemMenu ? WS_SYSMENU : 0);
        params.exStyle |= WS_EX_TOOLWINDOW;
        break;
    }
    if (toolWindow_)
        params.exStyle |= WS_EX_TOOLWINDOW;
    if (stayOnTop_)
        params.exStyle |= WS_EX_TOPMOST;
    if (showInTaskbar_)
        params.exStyle |= WS_EX_APPWINDOW;
    if (!Enabled())
        params.style |= WS_DISABLED;
    const RECT outer = OuterRect(clientWidth_, clientHeight_, params.style, params.exStyle);
    params.x = bounds_.left;
    params.y = bounds_.top;
    params.width = outer.right - outer.left;
    params.height = outer.bottom - outer.top;
    params.parent = ownerWindow_ ? ownerWindow_ : App().Handle();
}

void Form::HandleCreated()
{
    // The client size is the layout's; the frame is whatever the final styles make of it.
    SetClientSize(clientWidth_, clientHeight_);
    if (alphaBlend_)
        ApplyAlphaBlend();
}

int Form::ClientWidth() const { return ClientRect().right; }
int Form::ClientHeight() const { return ClientRect().bottom; }

void Form::SetClientSize(int width, int height)
{
    clientWidth_ = width;
    clientHeight_ = height;
    if (!HandleAllocated())
        return;
    const auto style = static_cast<DWORD>(GetWindowLongA(Handle(), GWL_STYLE));
    const auto exStyle = static_cast<DWORD>(GetWindowLongA(Handle(), GWL_EXSTYLE));
    const RECT outer = OuterRect(width, height, style, exStyle);
    SetBounds(Left(), Top(), outer.right - outer.left, outer.bottom - outer.top);
}

void Form::SetAlphaBlend(bool value)
{
    if (value != alphaBlend_) {
        alphaBlend_ = value;
        ApplyAlphaBlend();
    }
}

void Form::SetAlphaBlendValue(BYTE value)
{
    if (value != alphaBlendValue_) {
        alphaBlendValue_ = value;
        if (alphaBlend_)
            ApplyAlphaBlend();
    }
}

void Form::ApplyAlphaBlend()
{
    if (!HandleAllocated())
        return;
    const LONG exStyle = GetWindowLongA(Handle(), GWL_EXSTYLE);
    if (alphaBlend_) {
        SetWindowLongA(Handle(), GWL_EXSTYLE, exStyle | WS_EX_LAYERED);
        SetLayeredWindowAttributes(Handle(), 0, alphaBlendValue_, LWA_ALPHA);
    } else {
        SetWindowLongA(Handle(), GWL_EXSTYLE, exStyle & ~WS_EX_LAYERED);
    }
}

void Form::SetOwnerWindow(HWND owner)
{
    ownerWindow_ = owner;
    if (HandleAllocated())
        SetWindowLongPtrA(Handle(), GWLP_HWNDPARENT, reinterpret_cast<LONG_PTR>(owner ? owner : App().Handle()));
}

void Form::SetExStyleFlag(DWORD flag, bool on)
{
    if (!HandleAllocated())
        return;
    const auto exStyle = static_cast<DWORD>(GetWindowLongA(Handle(), GWL_EXSTYLE));
    SetWindowLongA(Handle(), GWL_EXSTYLE, static_cast<LONG>(on ? exStyle | flag : exStyle & ~flag));
}

void Form::SetToolWindow(bool value)
{
    if (value == toolWindow_)
        return;
    toolWindow_ = value;
    SetExStyleFlag(WS_EX_TOOLWINDOW, value);
    if (HandleAllocated())
        SetWindowPos(Handle(), nullptr, 0, 0, 0, 0,
                     SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
}

void Form::SetStayOnTop(bool value)
{
    if (value == stayOnTop_)
        return;
    stayOnTop_ = value;
    if (HandleAllocated())
        SetWindowPos(Handle(), value ? HWND_TOPMOST : HWND_NOTOPMOST, 0, 0, 0, 0,
                     SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

void Form::SetShowInTaskbar(bool value)
{
    if (value == showInTaskbar_)
        return;
    showInTaskbar_ = value;
    if (!HandleAllocated())
        return;
    // The taskbar looks at the style when a window is shown.
    const bool shown = IsWindowVisible(Handle()) != FALSE;
    if (shown)
        ShowWindow(Handle(), SW_HIDE);
    SetExStyleFlag(WS_EX_APPWINDOW, value);
    if (shown)
        ShowWindow(Handle(), SW_SHOWNA);
}

bool Form::CloseQuery()
{
    bool canClose = true;
    if (OnCloseQuery)
        OnCloseQuery(*this, canClose);
    return canClose;
}

void Form::PlaceOnFirstShow()
{
    if (placed_)
        return;
    placed_ = true;
    if (position_ == FormPosition::Designed)
        return;
    Form* main = App().MainForm();
    if (position_ == FormPosition::MainFormCenter && main && main != this && main->HandleAllocated()) {
        SetBounds(main->Left() + (main->Width() - Width()) / 2, main->Top() + (main->Height() - Height()) / 2, Width(),
                  Height());
        return;
    }
    SetBounds((GetSystemMetrics(SM_CXSCREEN) - Width()) / 2, (GetSystemMetrics(SM_CYSCREEN) - Height()) / 2, Width(),
              Height());
}

void Form::SetVisible(bool visible)
{
    if (visible == Visible())
        return;
    if (visible) {
        HandleNeeded();
        PlaceOnFirstShow();
        if (HWND active = GetActiveWindow(); active != Handle())
            activeBeforeShow_ = active;
        if (OnShow)
            OnShow(*this);
        Control::SetVisible(true);
        ShowWindow(Handle(), SW_SHOW);
    } else {
        if (OnHide)
            OnHide(*this);
        // An active form going hands the activation back to the window that had it before it
        // showed (the platform would pick a window of its own choosing, or none).
        const HWND back = std::exchange(activeBeforeShow_, nullptr);
        if (HandleAllocated() && GetActiveWindow() == Handle() && back && IsWindow(back) && IsWindowVisible(back) &&
            IsWindowEnabled(back))
            SetActiveWindow(back);
        Control::SetVisible(false);
        if (HandleAllocated())
            ShowWindow(Handle(), SW_HIDE);
    }
}

void Form::Close()
{
    if (!CloseQuery())
        return;
    if (modal_) {
        modalResult_ = mrCancel;
        return;
    }
    if (App().MainForm() == this) {
        App().Terminate();
        return;
    }
    Hide();
}

int Form::ShowModal()
{
    if (Visible() || modal_)
        throw std::runtime_error("Cannot make a visible window modal");
    HandleNeeded();
    if (GetCapture())
        ReleaseCapture();
    HWND previous = GetActiveWindow();
    std::vector<HWND> disabled;
    struct Collect {
        HWND self;
        std::vector<HWND>* windows;
    } collect{Handle(), &disabled};
    EnumThreadWindows(
        GetCurrentThreadId(),
        [](HWND window, LPARAM data) -> BOOL {
            auto* c = reinterpret_cast<Collect*>(data);
            if (window != c->self && IsWindowVisible(window) && IsWindowEnabled(window))
                c->windows->push_back(window);
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&collect));
    for (HWND window : disabled)
        EnableWindow(window, FALSE);

    modal_ = true;
    modalResult_ = mrNone;
    auto restore = [&] {
        for (HWND window : disabled)
            if (IsWindow(window))
                EnableWindow(window, TRUE);
        modal_ = false;
        if (HidesAfterModal(modalResult_))
            Hide();
        if (previous && IsWindow(previous))
            SetActiveWindow(previous);
    };
    try {
        Show();
        // The keyboard belongs to the modal form, also when another program's window had it.
        SetForegroundWindow(Handle());
        SetActiveWindow(Handle());
        while (modalResult_ == mrNone) {
            App().HandleMessage();
            if (App().Terminated() && modalResult_ == mrNone)
                modalResult_ = mrCancel;
        }
    } catch (...) {
        restore();
        throw;
    }
    restore();
    return modalResult_;
}

void Form::Release()
{
    if (busy_ > 0) {
        releasePending_ = true;
        Hide();
        return;
    }
    Component::Free(this);
}

bool Form::DialogKey(WORD key)
{
    Control* answering = nullptr;
    AnyControl(*this, [&](Control& control) {
        if (control.Showing() && control.Enabled() && control.AnswersDialogKey(key)) {
            answering = &control;
            return true;
        }
        return false;
    });
    if (!answering)
        return false;
    DropTranslatedChar(key);
    answering->Click();
    return true;
}

Window* Form::ActiveControl() const
{
    if (!HandleAllocated())
        return nullptr;
    const HWND focus = GetFocus();
    if (focus == Handle())
        return nullptr;
    if (focus && IsChild(Handle(), focus)) {
        // The inner window of a system control counts as the control.
        for (HWND window = focus; window && window != Handle(); window = GetAncestor(window, GA_PARENT))
            if (Window* control = FromHandle(window))
                return control;
        return nullptr;
    }
    Window* remembered = FromHandle(activeWindow_);
    return remembered && remembered->ParentForm() == this ? remembered : nullptr;
}

void Form::SetActiveControl(Window* control)
{
    if (control && (control == this || control->ParentForm() != this || !control->CanFocus()))
        return;
    activeWindow_ = control ? control->Handle() : nullptr;
    const HWND focus = GetFocus();
    if (HandleAllocated() && focus && (focus == Handle() || IsChild(Handle(), focus)))
        ::SetFocus(control ? control->Handle() : Handle());
}

void Form::SelectNext(const Window* current, bool forward)
{
    if (Window* next = FindNextControl(current, forward, true))
        SetActiveControl(next);
}

void Form::WndProc(Message& message)
{
    switch (message.msg) {
    case WM_CLOSE:
        Close();
        return;
    case WM_QUERYENDSESSION:
        message.result = CloseQuery() ? TRUE : FALSE;
        return;
    case WM_ACTIVATE:
        DefaultHandler(message);
        if (LOWORD(message.wParam) != WA_INACTIVE) {
            Window* control = FromHandle(activeWindow_);
            if (!control || control->ParentForm() != this || !control->CanFocus())
                control = FindNextControl(nullptr, true, true); // first activation: the first tab stop
            if (control && GetFocus() != control->Handle())
                ::SetFocus(control->Handle());
            if (OnActivate)
                OnActivate(*this);
        }
        return;
    default:
        Window::WndProc(message);
    }
}

} // namespace ui
