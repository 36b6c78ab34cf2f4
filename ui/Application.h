#pragma once
// The application object: the hidden application window (the owner of the forms and of the
// taskbar button unless a form asks for its own), the main form, the message loop, the
// standard error box for an exception that escapes a handler, the hover tracking that gives
// controls their mouse-enter and mouse-leave, and the hint window.
#include <windows.h>

#include <functional>
#include <memory>
#include <string>

namespace ui {

class Control;
class Form;
class HintWindow;

class Application {
public:
    static Application& Instance();

    // The hidden application window, made on first use.
    HWND Handle();
    const std::string& Title() const { return title_; }
    void SetTitle(const std::string& title);

    Form* MainForm() const { return mainForm_; }
    void SetMainForm(Form* form) { mainForm_ = form; }
    bool ShowMainForm() const { return showMainForm_; }
    void SetShowMainForm(bool show) { showMainForm_ = show; }

    // Shows the main form (unless ShowMainForm is off) and handles messages until Terminate.
    void Run();
    void Terminate();
    bool Terminated() const { return terminated_; }
    // Handles every message waiting now, then returns.
    void ProcessMessages();
    // Handles one message, waiting for one when none is there.
    void HandleMessage();

    // Called inside a catch block by the window dispatch: OnException when assigned, else the
    // standard error box with the exception's text.
    void HandleException();
    std::function<void(const std::string& text)> OnException;
    void ShowException(const std::string& text);

    // Shows at once, beside the screen point and clear of it, the Hint of the control under it;
    // hides the hint window when that control has no hint.
    void ActivateHint(POINT point);
    void CancelHint();
    // The text the hint window shows now; empty while hidden.
    std::string CurrentHint() const;

    // The control under the mouse as the hover tracking last saw it.
    Control* MouseControl() const { return mouseControl_; }
    // Finds the control at a screen point and sends leave and enter notifications when it
    // differs from the last one.
    void UpdateMouseControl(POINT point);
    // The control (windowed, or windowless on one of our windows) at a screen point.
    static Control* FindControl(POINT point);
    // A control going away is forgotten by the tracking, and its hint goes with it.
    void ControlDestroyed(Control* control);
    // A control hidden takes its own hint and those of the controls on it along.
    void ControlHidden(const Control* control);

private:
    Application() = default;
    ~Application();
    bool ProcessMessage(MSG& msg);
    static LRESULT CALLBACK AppWindowProc(HWND window, UINT msg, WPARAM wParam, LPARAM lParam);

    HWND handle_ = nullptr;
    std::string title_;
    Form* mainForm_ = nullptr;
    bool showMainForm_ = true;
    bool terminated_ = false;
    Control* mouseControl_ = nullptr;
    std::unique_ptr<HintWindow> hintWindow_;
    const Control* hintControl_ = nullptr; // whose hint shows
};

// The one application object.
inline Application& App() { return Application::Instance(); }

// The full path of a loaded module's file (of the running program's for null), however long;
// empty when it cannot be read.
std::string ModuleFileName(HMODULE module);

} // namespace ui
