// The layer's forms and controls under the real pointer and keys: hit-testing, capture, focus
// and the dialog keys as the window system runs them.
#include <gtest/gtest.h>

#include <windows.h>

#include "InputSupport.h"
#include "ui/Application.h"
#include "ui/Buttons.h"
#include "ui/Form.h"
#include "ui/Memo.h"

using namespace lumetta::test;

namespace {

class InputForm : public ui::Form {
public:
    InputForm() : Form(nullptr, Args())
    {
        ok = Add<ui::Button>({.name = "btnOK", .bounds = {10, 10, 75, 23}, .caption = "OK"}, {.isDefault = true});
        cancel = Add<ui::Button>({.name = "btnCancel", .bounds = {90, 10, 75, 23}, .caption = "Cancel"},
                                 {.cancel = true});
        box = Add<ui::CheckBox>({.name = "cbBox", .bounds = {10, 40, 64, 17}, .caption = "Box"});
        notes = Add<ui::Memo>({.name = "memoNotes", .bounds = {10, 64, 200, 41}});
    }
    static ui::FormArgs Args()
    {
        ui::FormArgs args;
        args.className = "UiInputTestForm";
        args.left = 712;
        args.top = 20;
        args.clientWidth = 240;
        args.clientHeight = 160;
        return args;
    }
    ui::Button* ok;
    ui::Button* cancel;
    ui::CheckBox* box;
    ui::Memo* notes;
};

TEST(UiInput, ClicksTabAndTheDialogKeysReachTheControls)
{
    auto form = ui::MakeForm<InputForm>();
    int oks = 0, cancels = 0;
    form->ok->OnClick = [&](ui::Component&) { ++oks; };
    // What a menu or modal loop opened by the click would read first.
    bool charPending = false;
    form->cancel->OnClick = [&](ui::Component&) {
        ++cancels;
        MSG pending{};
        charPending = PeekMessageA(&pending, nullptr, WM_CHAR, WM_CHAR, PM_NOREMOVE) != FALSE;
    };
    // The note's key handler works in the ANSI code page: the euro sign it puts in stays one.
    form->notes->OnKeyPress = [](ui::Control&, char& key) { key = key == 'b' ? '\x80' : key; };
    form->Show();
    SetWindowPos(form->Handle(), HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    Settle();

    // A click activates the form and focuses and toggles the check box.
    pointer::Click(CentreOnScreen(*form->box));
    EXPECT_TRUE(form->box->Checked());
    EXPECT_EQ(GuiStateOf(form->Handle()).active, form->Handle());
    EXPECT_EQ(GetFocus(), form->box->Handle());

    // Tab goes on into the note and out of it, round to the first button; Shift+Tab goes back.
    // The note keeps no tab and takes Enter as a line break.
    keys::Tab();
    EXPECT_EQ(GetFocus(), form->notes->Handle());
    keys::Type("ab");
    keys::Enter();
    keys::Type("c");
    keys::Tab();
    EXPECT_EQ(GetFocus(), form->ok->Handle());
    keys::ShiftTab();
    EXPECT_EQ(GetFocus(), form->notes->Handle());
    keys::ShiftTab();
    EXPECT_EQ(GetFocus(), form->box->Handle());
    EXPECT_EQ(form->notes->Text(), "a\x80\r\nc");
    EXPECT_EQ(oks, 0);

    keys::Esc();
    EXPECT_EQ(cancels, 1);
    EXPECT_FALSE(charPending);
    keys::Enter();
    EXPECT_EQ(oks, 1);
    pointer::Click(CentreOnScreen(*form->ok));
    EXPECT_EQ(oks, 2);
    EXPECT_EQ(GetCapture(), nullptr);
    // Enter presses the focused button, not the form's default.
    keys::Tab();
    ASSERT_EQ(GetFocus(), form->cancel->Handle());
    keys::Enter();
    EXPECT_EQ(cancels, 2);
    EXPECT_EQ(oks, 2);
    EXPECT_FALSE(charPending);
}

} // namespace
