#include "ui/ListView.h"

#include <commctrl.h>

namespace ui {

void ListColumn::SetCaption(const std::string& caption)
{
    caption_ = caption;
    owner_->UpdateColumn(index_);
}

ListView::ListView(Component* owner, const ControlArgs& common, const Args& own)
    : SystemControl(owner,
                    [&] {
                        ControlArgs args = common;
                        if (!args.color)
                            args.color = clWindow;
                        return args;
                    }()),
      viewStyle_(own.viewStyle), showColumnHeaders_(own.showColumnHeaders)
{
    for (const ListColumnArgs& column : own.columns)
        columns_.push_back(std::unique_ptr<ListColumn>(
            new ListColumn(this, static_cast<int>(columns_.size()), column.caption, column.width, column.tag)));
}

void ListView::ApplyWindowStyle(CreateParams& params)
{
    SystemControl::ApplyWindowStyle(params);
    params.className = WC_LISTVIEWA;
    params.style |= WS_TABSTOP | LVS_SHAREIMAGELISTS;
    switch (viewStyle_) {
    case ViewStyle::Icon: params.style |= LVS_ICON; break;
    case ViewStyle::SmallIcon: params.style |= LVS_SMALLICON; break;
    case ViewStyle::List: params.style |= LVS_LIST; break;
    case ViewStyle::Report: params.style |= LVS_REPORT; break;
    }
    if (!showColumnHeaders_)
        params.style |= LVS_NOCOLUMNHEADER;
    params.exStyle |= WS_EX_CLIENTEDGE;
}

void ListView::HandleCreated()
{
    for (int i = 0; i < ColumnCount(); ++i) {
        LVCOLUMNA column{};
        column.mask = LVCF_TEXT | LVCF_WIDTH;
        column.pszText = const_cast<char*>(columns_[static_cast<std::size_t>(i)]->Caption().c_str());
        column.cx = columns_[static_cast<std::size_t>(i)]->Width();
        SendMessageA(Handle(), LVM_INSERTCOLUMNA, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&column));
    }
}

void ListView::UpdateColumn(int index)
{
    if (!HandleAllocated())
        return;
    LVCOLUMNA column{};
    column.mask = LVCF_TEXT;
    column.pszText = const_cast<char*>(columns_.at(static_cast<std::size_t>(index))->Caption().c_str());
    SendMessageA(Handle(), LVM_SETCOLUMNA, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&column));
}

std::string ListView::ColumnCaptionShown(int index) const
{
    if (!HandleAllocated())
        return Column(index).Caption();
    char text[256] = {};
    LVCOLUMNA column{};
    column.mask = LVCF_TEXT;
    column.pszText = text;
    column.cchTextMax = sizeof text;
    SendMessageA(Handle(), LVM_GETCOLUMNA, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&column));
    return text;
}

} // namespace ui
