#include "ui/Memo.h"

#include <vector>

namespace ui {

namespace {

ControlArgs WithDefaultColor(ControlArgs args)
{
    if (!args.color)
        args.color = clWindow;
    return args;
}

} // namespace

Memo::Memo(Component* owner, const ControlArgs& common, const Args& own)
    : SystemControl(owner, WithDefaultColor(common)), args_(own)
{
}

void Memo::ApplyWindowStyle(CreateParams& params)
{
    SystemControl::ApplyWindowStyle(params);
    params.className = "EDIT";
    params.style |= WS_TABSTOP | ES_MULTILINE | ES_AUTOVSCROLL | ES_WANTRETURN | ES_LEFT;
    if (!args_.wordWrap)
        params.style |= ES_AUTOHSCROLL;
    if (args_.scrollBars == ScrollBars::Vertical || args_.scrollBars == ScrollBars::Both)
        params.style |= WS_VSCROLL;
    if (args_.scrollBars == ScrollBars::Horizontal || args_.scrollBars == ScrollBars::Both)
        params.style |= WS_HSCROLL;
    params.exStyle |= WS_EX_CLIENTEDGE;
}

void Memo::HandleCreated()
{
    SystemControl::HandleCreated();
    if (args_.maxLength > 0)
        SendMessageA(Handle(), EM_SETLIMITTEXT, static_cast<WPARAM>(args_.maxLength), 0);
}

void Memo::SelectAll()
{
    if (HandleAllocated())
        SendMessageA(Handle(), EM_SETSEL, 0, -1);
}

std::string Memo::Text() const
{
    if (!HandleAllocated())
        return Caption();
    const int length = GetWindowTextLengthA(Handle());
    std::vector<char> buffer(static_cast<std::size_t>(length) + 1);
    GetWindowTextA(Handle(), buffer.data(), length + 1);
    return std::string(buffer.data());
}

void Memo::SetText(const std::string& text)
{
    if (text == Text())
        return;
    settingText_ = true;
    if (HandleAllocated())
        SetWindowTextA(Handle(), text.c_str());
    SetCaption(text);
    settingText_ = false;
    if (OnChange)
        OnChange(*this);
}

void Memo::SetTextProperty(TextProperty property, const std::string& text)
{
    if (property == TextProperty::Text)
        SetText(text);
}

bool Memo::HandleNotification(Message& message)
{
    if (message.msg == WM_COMMAND && HIWORD(message.wParam) == EN_CHANGE) {
        if (!settingText_ && OnChange)
            OnChange(*this);
        return true;
    }
    return SystemControl::HandleNotification(message);
}

LRESULT Memo::DialogCode(WORD key)
{
    const LRESULT code = SystemControl::DialogCode(key);
    // The platform's multi-line edit wants every key, Tab included.
    return key == VK_TAB && !args_.wantTabs ? code & ~(DLGC_WANTTAB | DLGC_WANTALLKEYS | DLGC_WANTMESSAGE) : code;
}

} // namespace ui
