#pragma once
// Push buttons, check boxes and group boxes.
#include <windows.h>

#include <commctrl.h>

#include "ui/SystemControl.h"

namespace ui {

struct ButtonArgs {
    bool isDefault = false;   // Enter clicks it
    bool cancel = false;      // Esc clicks it
    int modalResult = 0;      // given to the form before OnClick runs
};

class Button : public SystemControl {
public:
    using Args = ButtonArgs;

    Button(Component* owner, const ControlArgs& common, const Args& own = {});

    bool Default() const { return default_; }
    bool Cancel() const { return cancel_; }
    int ModalResult() const { return modalResult_; }
    void SetModalResult(int result) { modalResult_ = result; }
    // The icons beside the caption (common controls 6); kept across a new window.
    void SetImageList(const BUTTON_IMAGELIST& images);

    void Click() override;
    bool AnswersDialogKey(WORD key) const override;
    bool HandleNotification(Message& message) override;

protected:
    void ApplyWindowStyle(CreateParams& params) override;
    void HandleCreated() override;
    void KeyDown(WORD& key, ShiftState shift) override;

private:
    bool default_;
    bool cancel_;
    int modalResult_;
    bool hasImages_ = false;
    BUTTON_IMAGELIST images_{};
};

struct CheckBoxArgs {
    bool checked = false;
};

class CheckBox : public SystemControl {
public:
    using Args = CheckBoxArgs;

    CheckBox(Component* owner, const ControlArgs& common, const Args& own = {});

    bool Checked() const { return checked_; }
    // A change runs the click (OnClick), from code as from the user.
    void SetChecked(bool checked);

    bool HandleNotification(Message& message) override;

protected:
    void ApplyWindowStyle(CreateParams& params) override;
    void HandleCreated() override;

private:
    bool checked_;
};

class GroupBox : public SystemControl {
public:
    GroupBox(Component* owner, const ControlArgs& common) : SystemControl(owner, common) {}

protected:
    void ApplyWindowStyle(CreateParams& params) override;
};

} // namespace ui
