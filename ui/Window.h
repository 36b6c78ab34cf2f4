#pragma once
// The window base: one class for every control with a window of its own (forms, custom-drawn
// controls, the wrapped system controls). It makes the window when its parent has one, sends
// every message through one dispatch (handlers bound by message number first, then the
// class's virtual WndProc), reflects parents' notifications to the control they concern, draws
// and feeds the mouse to its windowless children, and turns the platform's mouse and key
// messages into the controls' events.
#include <windows.h>

#include <functional>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "ui/Control.h"

namespace ui {

// One message on its way through a window's dispatch; handlers set the result.
struct Message {
    UINT msg;
    WPARAM wParam;
    LPARAM lParam;
    LRESULT result = 0;
};

// The library's own notifications, sent like window messages so they can be bound by number.
inline constexpr UINT CM_BASE = 0xB000;
inline constexpr UINT CM_MOUSEENTER = CM_BASE + 0x13;
inline constexpr UINT CM_MOUSELEAVE = CM_BASE + 0x14;
inline constexpr UINT CM_RELEASE = CM_BASE + 0x21;

// What a window is made from; ApplyWindowStyle overrides adjust it before the window exists.
struct CreateParams {
    std::string className;
    bool systemClass = false; // a class of the platform's (BUTTON...): used as it is, then subclassed
    std::string caption;
    DWORD style = 0;
    DWORD exStyle = 0;
    int x = 0;
    int y = 0;
    int width = 0;
    int height = 0;
    HWND parent = nullptr; // the parent of a child window, the owner of a top-level one
    UINT classStyle = CS_DBLCLKS;
};

class Window : public Control {
public:
    using MessageHandler = std::function<void(Message&)>;

    Window(Component* owner, const ControlArgs& args, bool topLevel = false);
    ~Window() override;

    // Null until the window is made (see Loaded and HandleNeeded).
    HWND Handle() const { return handle_; }
    bool HandleAllocated() const { return handle_ != nullptr; }
    // Makes the window now, and the parents' first.
    void HandleNeeded();
    // The Window object of one of this program's windows, or null.
    static Window* FromHandle(HWND window);

    // A handler for one message number, in front of the class's own handling; it passes the
    // message on with Inherited. Binding again replaces the handler.
    void BindMessage(UINT message, MessageHandler handler);
    void Inherited(Message& message) { WndProc(message); }
    // The whole dispatch of the window, replaceable; a replacement passes messages on to the
    // one it replaced.
    MessageHandler WindowProc() const { return windowProc_; }
    void SetWindowProc(MessageHandler proc) { windowProc_ = std::move(proc); }
    // Sends a message through the window's dispatch, also before the window exists.
    LRESULT Perform(UINT message, WPARAM wParam = 0, LPARAM lParam = 0);

    // The controls placed on this window, in creation order (the drawing order of the
    // windowless ones).
    int ControlCount() const { return static_cast<int>(controls_.size()); }
    Control& Controls(int index) const { return *controls_.at(static_cast<std::size_t>(index)); }
    // The topmost visible windowless control at a client point, or null.
    Control* ControlAtPos(POINT point, bool allowDisabled = false) const;

    bool DoubleBuffered() const { return doubleBuffered_; }
    void SetDoubleBuffered(bool value) { doubleBuffered_ = value; }
    void SetFocus();
    bool Focused() const;
    // Made, visible and enabled up to its form: the control can take the keyboard focus.
    bool CanFocus() const;
    // Whether Tab stops at the control.
    bool TabStop() const;
    void SetTabStop(bool value);
    // The place among the parent's windowed controls in tab order (creation order unless set);
    // the controls in between move up or down one place.
    int TabOrder() const;
    void SetTabOrder(int order);
    // The control after (or before) `current` among those inside this window that can take the
    // focus, in tab order, depth first, wrapping round; null `current`: from the start (or end).
    // Only tab stops when tabStopOnly. Null when there is none.
    Window* FindNextControl(const Window* current, bool forward, bool tabStopOnly) const;
    // Gives the focus to the first tab stop inside, else to the first control that can take it.
    void SelectFirst();

    KeyEvent OnKeyDown;
    KeyEvent OnKeyUp;
    KeyPressEvent OnKeyPress;

    void Loaded() override;
    // The window moves with the control; it is made or destroyed as the new parent has a window.
    void SetParent(Window* parent) override;
    void SetBounds(int left, int top, int width, int height) override;
    RECT ClientRect() const override;
    void Invalidate() override;
    void Update() override;
    // Asks for a redraw of part of the client area (a windowless control's place). A system
    // control draws no background of its own there (a group box): the window behind it redraws
    // that part first.
    void InvalidateArea(RECT area);

    // A parent's notification about this control (WM_COMMAND, WM_NOTIFY, WM_DRAWITEM,
    // WM_HSCROLL, WM_VSCROLL, WM_CTLCOLOR...). True: handled, result set.
    virtual bool HandleNotification(Message& message) { return false; }

    // The keyboard, as the dispatch delivers it; setting the key to 0 swallows it.
    virtual void KeyDown(WORD& key, ShiftState shift);
    // Takes back the character the message loop made of Enter, Esc or Tab when the key is taken
    // as a command, so that neither the control it leaves nor a menu or modal loop the command
    // opens receives it.
    static void DropTranslatedChar(WORD key);
    virtual void KeyPress(char& key);
    // The keys the control keeps for itself (DLGC_ flags) rather than leaving them to the form's
    // Tab, Enter and Esc: what a system control answers WM_GETDLGCODE, none for ours.
    virtual LRESULT DialogCode(WORD key);

protected:
    // Fills the parameters the window is made from; overrides call the base first.
    virtual void ApplyWindowStyle(CreateParams& params);
    // The class's own message handling; overrides handle what they need and call the base.
    virtual void WndProc(Message& message);
    // The platform's handling: the system class's procedure, or DefWindowProc.
    void DefaultHandler(Message& message);
    // The window now exists: push the control's state into it.
    virtual void HandleCreated() {}
    // Windows of our own classes draw here (after the background is filled with Color).
    virtual void PaintWindow(HDC dc) {}
    // Whether this window is a system control that handles its own clicks and drawing.
    bool IsSystemControl() const { return systemClass_; }
    void DestroyHandle();
    // Lays client-aligned children over the client area.
    void AlignControls();
    // A child asks to be shown (Show); the base passes the request on to its own parent.
    virtual void ShowControl(Control& control);

    void CaptionChanged() override;
    void FontChanged() override;
    void VisibleChanged() override;
    void EnabledChanged() override;

private:
    friend class Control;
    friend class Application;
    // Our classes' procedure: attaches the object at the window's first message.
    static LRESULT CALLBACK ClassProc(HWND window, UINT msg, WPARAM wParam, LPARAM lParam);
    // The procedure the platform's classes are subclassed with.
    static LRESULT CALLBACK SubclassProc(HWND window, UINT msg, WPARAM wParam, LPARAM lParam, UINT_PTR id,
                                         DWORD_PTR data);
    LRESULT Receive(UINT msg, WPARAM wParam, LPARAM lParam);
    LRESULT CallDefault(UINT msg, WPARAM wParam, LPARAM lParam);
    void CreateHandle();
    void Dispatch(Message& message);
    void Attach(HWND window);
    void InsertControl(Control* control);
    void RemoveControl(Control* control);
    void Paint(Message& message);
    void PaintControls(HDC dc);
    void HitTest(Message& message);
    void MouseMessage(Message& message);
    bool ReflectNotification(Message& message);
    bool KeyMessage(Message& message);
    void ContextMenu(Message& message);

    HWND handle_ = nullptr;
    bool systemClass_ = false;
    std::vector<Control*> controls_;
    std::vector<Window*> tabList_; // the windowed controls in tab order
    std::optional<bool> tabStop_;
    std::map<UINT, MessageHandler> handlers_;
    MessageHandler windowProc_;
    Control* mouseControl_ = nullptr; // the windowless child that holds the mouse while a button is down
    bool trackingLeave_ = false;
    bool doubleBuffered_ = false;
};

} // namespace ui
