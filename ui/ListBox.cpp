#include "ui/ListBox.h"

namespace ui {

ListBox::ListBox(Component* owner, const ControlArgs& common, const Args& own)
    : SystemControl(owner, [&] {
          ControlArgs args = common;
          if (!args.color)
              args.color = clWindow;
          return args;
      }()),
      args_(own)
{
}

void ListBox::ApplyWindowStyle(CreateParams& params)
{
    SystemControl::ApplyWindowStyle(params);
    params.className = "LISTBOX";
    params.style |= WS_TABSTOP | WS_VSCROLL | LBS_NOTIFY | LBS_NOINTEGRALHEIGHT;
    if (args_.style == ListBoxStyle::OwnerDrawFixed)
        params.style |= LBS_OWNERDRAWFIXED | LBS_HASSTRINGS;
    if (args_.columns > 0)
        params.style |= LBS_MULTICOLUMN | WS_HSCROLL;
    if (args_.border)
        params.exStyle |= WS_EX_CLIENTEDGE;
}

void ListBox::HandleCreated()
{
    SendMessageA(Handle(), LB_SETITEMHEIGHT, 0, args_.itemHeight);
    for (const std::string& item : items_)
        SendMessageA(Handle(), LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(item.c_str()));
    if (args_.columns > 0)
        SendMessageA(Handle(), LB_SETCOLUMNWIDTH, (Width() + args_.columns - 3) / args_.columns, 0);
    SendMessageA(Handle(), LB_SETCURSEL, static_cast<WPARAM>(itemIndex_), 0);
}

int ListBox::Add(const std::string& text)
{
    items_.push_back(text);
    if (HandleAllocated())
        SendMessageA(Handle(), LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text.c_str()));
    return Count() - 1;
}

void ListBox::Clear()
{
    items_.clear();
    itemIndex_ = -1;
    if (HandleAllocated())
        SendMessageA(Handle(), LB_RESETCONTENT, 0, 0);
}

int ListBox::ItemIndex() const
{
    if (HandleAllocated())
        return static_cast<int>(SendMessageA(Handle(), LB_GETCURSEL, 0, 0));
    return itemIndex_;
}

void ListBox::SetItemIndex(int index)
{
    itemIndex_ = index >= 0 && index < Count() ? index : -1;
    if (HandleAllocated())
        SendMessageA(Handle(), LB_SETCURSEL, static_cast<WPARAM>(itemIndex_), 0);
}

void ListBox::SetItemHeight(int height)
{
    args_.itemHeight = height;
    if (HandleAllocated()) {
        SendMessageA(Handle(), LB_SETITEMHEIGHT, 0, height);
        Invalidate();
    }
}

void ListBox::SetColumns(int columns)
{
    if (columns == args_.columns)
        return;
    const bool restyle = (columns > 0) != (args_.columns > 0);
    args_.columns = columns;
    if (!HandleAllocated())
        return;
    if (restyle) {
        itemIndex_ = ItemIndex();
        // The platform reads the multi-column style only when it makes the window.
        DestroyHandle();
        HandleNeeded();
    } else if (columns > 0) {
        SendMessageA(Handle(), LB_SETCOLUMNWIDTH, (Width() + columns - 3) / columns, 0);
    }
}

bool ListBox::HandleNotification(Message& message)
{
    if (message.msg == WM_COMMAND) {
        const WORD code = HIWORD(message.wParam);
        if (code == LBN_SELCHANGE)
            Click();
        else if (code == LBN_DBLCLK)
            DblClick();
        return true;
    }
    if (message.msg == WM_DRAWITEM) {
        const auto* item = reinterpret_cast<const DRAWITEMSTRUCT*>(message.lParam);
        if (OnDrawItem && static_cast<int>(item->itemID) >= 0)
            OnDrawItem(*this, static_cast<int>(item->itemID), item->rcItem, item->itemState, item->hDC);
        message.result = TRUE;
        return true;
    }
    return SystemControl::HandleNotification(message);
}

} // namespace ui
