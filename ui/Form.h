#pragma once
// Forms: the top-level windows. A form's layout is data (FormArgs, then the Add calls of its
// components in one place), its behaviour the handlers it binds to the events afterwards.
#include <windows.h>

#include <functional>
#include <string>
#include <utility>

#include "ui/Window.h"

namespace ui {

enum class BorderStyle { None, Single, Sizeable, Dialog, ToolWindow, SizeToolWin };
enum BorderIcon : unsigned { biSystemMenu = 1, biMinimize = 2, biMaximize = 4 };
using BorderIcons = unsigned;
enum class FormPosition { Designed, ScreenCenter, MainFormCenter };

// The results of a modal showing.
enum ModalResult : int { mrNone = 0, mrOk = 1, mrCancel = 2, mrAbort = 3, mrRetry = 4, mrIgnore = 5, mrYes = 6, mrNo = 7 };

struct FormArgs {
    std::string className = "UiForm"; // the window class name other programs find the window by
    std::string caption;
    int tag = 0;
    int left = 0;
    int top = 0;
    int clientWidth = 0;
    int clientHeight = 0;
    BorderStyle borderStyle = BorderStyle::Sizeable;
    BorderIcons borderIcons = biSystemMenu | biMinimize | biMaximize;
    FormPosition position = FormPosition::Designed;
    Color color = clBtnFace;
    FontArgs font;
    bool keyPreview = false;
    bool showHint = false;
    bool doubleBuffered = false;
    bool alphaBlend = false;
    BYTE alphaBlendValue = 255;
    bool toolWindow = false;    // a tool window: no taskbar button, no Alt+Tab entry
    bool stayOnTop = false;     // above every window that is not on top itself
    bool showInTaskbar = false; // a taskbar button of its own (else the application window's)
};

// Asked before a form closes; setting canClose to false keeps it open.
using CloseQueryEvent = std::function<void(Component& sender, bool& canClose)>;

class Form : public Window {
public:
    Form(Component* owner, const FormArgs& args);
    ~Form() override;

    // Makes the window (and its controls' windows) and runs OnCreate.
    void Loaded() override;

    int ClientWidth() const;
    int ClientHeight() const;
    void SetClientSize(int width, int height);
    BorderStyle GetBorderStyle() const { return borderStyle_; }
    BorderIcons GetBorderIcons() const { return borderIcons_; }
    FormPosition Position() const { return position_; }
    bool KeyPreview() const { return keyPreview_; }
    void SetKeyPreview(bool value) { keyPreview_ = value; }
    bool AlphaBlend() const { return alphaBlend_; }
    void SetAlphaBlend(bool value);
    BYTE AlphaBlendValue() const { return alphaBlendValue_; }
    void SetAlphaBlendValue(BYTE value);
    // The owner of the form's window (its ParentWindow); null: the application window.
    HWND OwnerWindow() const { return ownerWindow_; }
    void SetOwnerWindow(HWND owner);
    bool ToolWindow() const { return toolWindow_; }
    void SetToolWindow(bool value);
    bool StayOnTop() const { return stayOnTop_; }
    void SetStayOnTop(bool value);
    bool ShowInTaskbar() const { return showInTaskbar_; }
    void SetShowInTaskbar(bool value);

    // OnCloseQuery's answer (true when unassigned). Close, the window's close box and the end of
    // the session ask it first.
    virtual bool CloseQuery();

    // Asks CloseQuery, then hides the form; the main form ends the application, a modal one its showing.
    void Close();
    // Shows the form and handles messages until ModalResult is set; the other windows of the
    // program are disabled meanwhile. Returns the ModalResult. The form hides at the end unless
    // HidesAfterModal says otherwise.
    int ShowModal();
    int GetModalResult() const { return modalResult_; }
    void SetModalResult(int result) { modalResult_ = result; }
    bool Modal() const { return modal_; }

    // Frees the form once none of its handlers runs any more (at once when none does); the
    // form must have been made with new and not be owned by anything else.
    void Release();
    bool ReleasePending() const { return releasePending_; }

    // Enter and Esc that no control used: click the default or the cancel button.
    bool DialogKey(WORD key);

    // The control of this form with the keyboard focus; while the focus is elsewhere, the one
    // that had it last and gets it back when the form is activated. Null: the form itself.
    Window* ActiveControl() const;
    // Focuses a control of this form that can take the focus, at once when the focus is in the
    // form, else on its next activation; others are ignored. Null: the form itself.
    void SetActiveControl(Window* control);
    // Tab and Shift+Tab: the next or previous tab stop after `current`.
    void SelectNext(const Window* current, bool forward);

    NotifyEvent OnCreate;
    NotifyEvent OnShow;
    NotifyEvent OnHide;
    NotifyEvent OnDestroy;
    NotifyEvent OnActivate;
    CloseQueryEvent OnCloseQuery;

    void SetVisible(bool visible) override;

protected:
    // Whether the form hides when its modal showing ends with `result`; one that says no stays
    // on the screen until it is hidden or freed.
    virtual bool HidesAfterModal(int result) const { return true; }
    void ApplyWindowStyle(CreateParams& params) override;
    void WndProc(Message& message) override;
    void HandleCreated() override;
    void PaintWindow(HDC dc) override {}
    void BeforeDestruction() override;

private:
    friend class Window;
    void PlaceOnFirstShow();
    void ApplyAlphaBlend();
    void SetExStyleFlag(DWORD flag, bool on);

    std::string className_;
    BorderStyle borderStyle_;
    BorderIcons borderIcons_;
    FormPosition position_;
    bool keyPreview_;
    bool alphaBlend_;
    BYTE alphaBlendValue_;
    bool toolWindow_;
    bool stayOnTop_;
    bool showInTaskbar_;
    int clientWidth_;
    int clientHeight_;
    HWND ownerWindow_ = nullptr;
    HWND activeWindow_ = nullptr; // by handle: a control may go without telling the form
    HWND activeBeforeShow_ = nullptr; // the window to activate again when the form hides
    int modalResult_ = mrNone;
    bool modal_ = false;
    bool placed_ = false;
    bool created_ = false;
    int busy_ = 0;
    bool releasePending_ = false;
};

// Makes a form with new, runs its creation (OnCreate) and hands it over; the pointer frees it
// with its OnDestroy.
template <typename F, typename... A>
Owned<F> MakeForm(A&&... args)
{
    Owned<F> form(new F(std::forward<A>(args)...));
    form->Loaded();
    return form;
}

} // namespace ui
