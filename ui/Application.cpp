#include "ui/Application.h"

#include <exception>
#include <stdexcept>
#include <vector>

#include "ui/Form.h"
#include "ui/HintWindow.h"
#include "ui/Window.h"

namespace ui {

namespace {

constexpr const char* ApplicationClass = "UiApplication";

std::string ProgramName()
{
    std::string name = ModuleFileName(nullptr);
    if (const auto slash = name.find_last_of("\\/"); slash != std::string::npos)
        name.erase(0, slash + 1);
    if (const auto dot = name.find_last_of('.'); dot != std::string::npos)
        name.erase(dot);
    return name;
}

} // namespace

std::string ModuleFileName(HMODULE module)
{
    std::vector<char> path(MAX_PATH);
    // A path that fills the buffer may have been cut: grow it and ask again, up to the longest
    // path there can be.
    for (; path.size() <= 65536; path.resize(path.size() * 2)) {
        const DWORD length = GetModuleFileNameA(module, path.data(), static_cast<DWORD>(path.size()));
        if (length == 0)
            return {};
        if (length < path.size())
            return std::string(path.data(), length);
    }
    return {};
}

Application& Application::Instance()
{
    static Application application;
    return application;
}

Application::~Application()
{
    hintWindow_.reset();
    if (handle_)
        DestroyWindow(handle_);
}

HWND Application::Handle()
{
    if (handle_)
        return handle_;
    if (title_.empty())
        title_ = ProgramName();
    WNDCLASSEXA windowClass{};
    windowClass.cbSize = sizeof windowClass;
    windowClass.lpfnWndProc = &Application::AppWindowProc;
    windowClass.hInstance = GetModuleHandleA(nullptr);
    windowClass.hIcon = LoadIconA(GetModuleHandleA(nullptr), "MAINICON");
    windowClass.lpszClassName = ApplicationClass;
    RegisterClassExA(&windowClass);
    // A window without size in the middle of the screen: it carries the title and, unless a
    // form asks for its own, the taskbar button.
    handle_ = CreateWindowExA(0, ApplicationClass, title_.c_str(),
                              WS_POPUP | WS_CAPTION | WS_CLIPSIBLINGS | WS_SYSMENU | WS_MINIMIZEBOX,
                              GetSystemMetrics(SM_CXSCREEN) / 2, GetSystemMetrics(SM_CYSCREEN) / 2, 0, 0, nullptr,
                              nullptr, GetModuleHandleA(nullptr), nullptr);
    if (!handle_)
        throw std::runtime_error("Cannot create the application window");
    return handle_;
}

void Application::SetTitle(const std::string& title)
{
    title_ = title;
    if (handle_)
        SetWindowTextA(handle_, title_.c_str());
}

LRESULT CALLBACK Application::AppWindowProc(HWND window, UINT msg, WPARAM wParam, LPARAM lParam)
{
    if (msg == WM_CLOSE) {
        if (Form* main = Instance().MainForm())
            main->Close();
        return 0;
    }
    return DefWindowProcA(window, msg, wParam, lParam);
}

void Application::Run()
{
    Handle();
    if (mainForm_ && showMainForm_) {
        ShowWindow(handle_, SW_SHOWNOACTIVATE);
        mainForm_->Show();
        // Showing does not make it active while the application window is (it came up first):
        // the user's first keys belong to the main window.
        if (mainForm_->Visible() && !IsIconic(mainForm_->Handle()))
            SetForegroundWindow(mainForm_->Handle());
    }
    while (!terminated_)
        HandleMessage();
}

void Application::Terminate()
{
    if (!terminated_) {
        terminated_ = true;
        PostQuitMessage(0);
    }
}

bool Application::ProcessMessage(MSG& msg)
{
    if (!PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE))
        return false;
    if (msg.message == WM_QUIT) {
        terminated_ = true;
        return true;
    }
    TranslateMessage(&msg);
    DispatchMessageA(&msg);
    return true;
}

void Application::ProcessMessages()
{
    MSG msg;
    while (ProcessMessage(msg)) {
    }
}

void Application::HandleMessage()
{
    MSG msg;
    if (!ProcessMessage(msg) && !terminated_)
        WaitMessage();
}

void Application::HandleException()
{
    std::string text;
    try {
        throw;
    } catch (const std::exception& error) {
        text = error.what();
    } catch (...) {
        text = "Unknown error";
    }
    try {
        if (OnException)
            OnException(text);
        else
            ShowException(text);
    } catch (...) {
        // An error box must not raise in turn.
    }
}

void Application::ShowException(const std::string& text)
{
    std::string message = text;
    if (!message.empty() && message.back() != '.')
        message += '.';
    MessageBoxA(GetActiveWindow(), message.c_str(), Title().c_str(), MB_OK | MB_ICONSTOP);
}

Control* Application::FindControl(POINT point)
{
    HWND window = WindowFromPoint(point);
    Window* found = nullptr;
    // Inner parts of a system control (a list view's header) belong to the control.
    while (window && !(found = Window::FromHandle(window)))
        window = GetParent(window);
    if (!found)
        return nullptr;
    POINT client = point;
    ScreenToClient(found->Handle(), &client);
    if (Control* windowless = found->ControlAtPos(client, true))
        return windowless;
    return found;
}

void Application::UpdateMouseControl(POINT point)
{
    Control* control = FindControl(point);
    if (control == mouseControl_)
        return;
    Control* old = mouseControl_;
    mouseControl_ = control;
    CancelHint();
    auto notify = [](Control* target, UINT message) {
        if (auto* window = dynamic_cast<Window*>(target))
            window->Perform(message);
        else if (message == CM_MOUSEENTER)
            target->MouseEnter();
        else
            target->MouseLeave();
    };
    if (old)
        notify(old, CM_MOUSELEAVE);
    if (control && control == mouseControl_)
        notify(control, CM_MOUSEENTER);
}

void Application::ControlDestroyed(Control* control)
{
    if (mouseControl_ == control)
        mouseControl_ = nullptr;
    if (hintControl_ == control)
        CancelHint();
}

void Application::ControlHidden(const Control* control)
{
    for (const Control* shown = hintControl_; shown; shown = shown->Parent())
        if (shown == control) {
            CancelHint();
            return;
        }
}

void Application::ActivateHint(POINT point)
{
    Control* control = FindControl(point);
    const std::string text = control ? control->Hint() : std::string();
    if (text.empty()) {
        CancelHint();
        return;
    }
    if (!hintWindow_)
        hintWindow_ = std::make_unique<HintWindow>();
    hintWindow_->ActivateHint(point, text);
    hintControl_ = control;
}

void Application::CancelHint()
{
    hintControl_ = nullptr;
    if (hintWindow_)
        hintWindow_->ReleaseHandle();
}

std::string Application::CurrentHint() const
{
    return hintWindow_ && hintWindow_->HintShowing() ? hintWindow_->Text() : std::string();
}

} // namespace ui
