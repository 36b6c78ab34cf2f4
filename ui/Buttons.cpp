#include "ui/Buttons.h"

#include "ui/Form.h"

namespace ui {

Button::Button(Component* owner, const ControlArgs& common, const Args& own)
    : SystemControl(owner, common), default_(own.isDefault), cancel_(own.cancel), modalResult_(own.modalResult)
{
}

void Button::ApplyWindowStyle(CreateParams& params)
{
    SystemControl::ApplyWindowStyle(params);
    params.className = WC_BUTTONA;
    params.style |= WS_TABSTOP | (default_ ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON);
}

void Button::HandleCreated()
{
    if (hasImages_)
        SendMessageA(Handle(), BCM_SETIMAGELIST, 0, reinterpret_cast<LPARAM>(&images_));
}

void Button::SetImageList(const BUTTON_IMAGELIST& images)
{
    images_ = images;
    hasImages_ = true;
    if (HandleAllocated())
        SendMessageA(Handle(), BCM_SETIMAGELIST, 0, reinterpret_cast<LPARAM>(&images_));
}

void Button::Click()
{
    if (modalResult_ != mrNone)
        if (Form* form = ParentForm())
            form->SetModalResult(modalResult_);
    SystemControl::Click();
}

bool Button::AnswersDialogKey(WORD key) const
{
    return (key == VK_RETURN && default_) || (key == VK_ESCAPE && cancel_);
}

void Button::KeyDown(WORD& key, ShiftState shift)
{
    SystemControl::KeyDown(key, shift);
    // Enter presses the button that has the focus, as Space does, ahead of the form's default.
    if (key == VK_RETURN && (shift & (ssShift | ssCtrl | ssAlt)) == 0) {
        key = 0;
        DropTranslatedChar(VK_RETURN);
        Click();
    }
}

bool Button::HandleNotification(Message& message)
{
    if (message.msg == WM_COMMAND && HIWORD(message.wParam) == BN_CLICKED) {
        Click();
        return true;
    }
    return SystemControl::HandleNotification(message);
}

CheckBox::CheckBox(Component* owner, const ControlArgs& common, const Args& own)
    : SystemControl(owner, common), checked_(own.checked)
{
}

void CheckBox::ApplyWindowStyle(CreateParams& params)
{
    SystemControl::ApplyWindowStyle(params);
    params.className = WC_BUTTONA;
    params.style |= WS_TABSTOP | BS_CHECKBOX;
}

void CheckBox::HandleCreated() { SendMessageA(Handle(), BM_SETCHECK, checked_ ? BST_CHECKED : BST_UNCHECKED, 0); }

void CheckBox::SetChecked(bool checked)
{
    if (checked == checked_)
        return;
    checked_ = checked;
    if (HandleAllocated())
        SendMessageA(Handle(), BM_SETCHECK, checked_ ? BST_CHECKED : BST_UNCHECKED, 0);
    Click();
}

bool CheckBox::HandleNotification(Message& message)
{
    if (message.msg == WM_COMMAND && HIWORD(message.wParam) == BN_CLICKED) {
        SetChecked(!checked_);
        return true;
    }
    return SystemControl::HandleNotification(message);
}

void GroupBox::ApplyWindowStyle(CreateParams& params)
{
    SystemControl::ApplyWindowStyle(params);
    params.className = WC_BUTTONA;
    params.style |= BS_GROUPBOX;
    params.exStyle |= WS_EX_CONTROLPARENT;
}

} // namespace ui
