#include "ui/Menu.h"

#include <algorithm>

#include "ui/Application.h"
#include "ui/Window.h"

namespace ui {

MenuItem::MenuItem(Component* owner, const Args& args)
    : Component(owner, args.name, args.tag), parent_(args.parent), caption_(args.caption), checked_(false),
      radioItem_(args.radioItem), groupIndex_(args.groupIndex), enabled_(args.enabled), visible_(args.visible)
{
    if (parent_)
        parent_->items_.push_back(this);
    SetChecked(args.checked);
}

MenuItem::~MenuItem()
{
    for (MenuItem* item : items_)
        item->parent_ = nullptr;
    if (parent_) {
        auto& siblings = parent_->items_;
        siblings.erase(std::remove(siblings.begin(), siblings.end(), this), siblings.end());
    }
}

void MenuItem::SetChecked(bool checked)
{
    checked_ = checked;
    if (!checked || !radioItem_ || !parent_)
        return;
    for (MenuItem* sibling : parent_->items_)
        if (sibling != this && sibling->radioItem_ && sibling->groupIndex_ == groupIndex_)
            sibling->checked_ = false;
}

int MenuItem::IndexOf(const MenuItem* item) const
{
    const auto found = std::find(items_.begin(), items_.end(), item);
    return found == items_.end() ? -1 : static_cast<int>(found - items_.begin());
}

void MenuItem::Click()
{
    if (enabled_ && OnClick)
        OnClick(*this);
}

void MenuItem::SetTextProperty(TextProperty property, const std::string& text)
{
    if (property == TextProperty::Caption)
        caption_ = text;
}

PopupMenu::PopupMenu(Component* owner, const Args& args)
    : Component(owner, args.name), items_(std::make_unique<MenuItem>(nullptr, MenuItem::Args{})),
      alive_(std::make_shared<bool>(true))
{
}

PopupMenu::~PopupMenu() { *alive_ = false; }

namespace {

// Builds the platform menu of an item's visible items; `commands` maps command ids - 1 to items.
HMENU BuildMenu(const MenuItem& parent, std::vector<MenuItem*>& commands)
{
    HMENU menu = CreatePopupMenu();
    for (int i = 0; i < parent.Count(); ++i) {
        MenuItem& item = parent.Items(i);
        if (!item.Visible())
            continue;
        MENUITEMINFOA info{};
        info.cbSize = sizeof info;
        info.fMask = MIIM_FTYPE | MIIM_STATE | MIIM_ID | MIIM_STRING;
        if (item.IsLine()) {
            info.fMask = MIIM_FTYPE;
            info.fType = MFT_SEPARATOR;
        } else {
            info.fType = item.RadioItem() ? MFT_RADIOCHECK : MFT_STRING;
            info.fState = (item.Enabled() ? MFS_ENABLED : MFS_GRAYED) | (item.Checked() ? MFS_CHECKED : MFS_UNCHECKED);
            commands.push_back(&item);
            info.wID = static_cast<UINT>(commands.size());
            info.dwTypeData = const_cast<char*>(item.Caption().c_str());
            if (item.Count() > 0) {
                info.fMask |= MIIM_SUBMENU;
                info.hSubMenu = BuildMenu(item, commands);
            }
        }
        InsertMenuItemA(menu, static_cast<UINT>(GetMenuItemCount(menu)), TRUE, &info);
    }
    return menu;
}

} // namespace

void PopupMenu::Popup(int x, int y)
{
    if (OnPopup)
        OnPopup(*this);
    std::vector<MenuItem*> commands;
    HMENU menu = BuildMenu(*items_, commands);
    HWND owner = App().Handle();
    if (auto* window = dynamic_cast<Window*>(popupComponent_); window && window->Handle())
        owner = window->Handle();
    else if (auto* control = dynamic_cast<Control*>(popupComponent_); control && control->Parent())
        owner = control->Parent()->Handle();
    // The menu's own loop keeps handling sent messages (other programs' commands) while it is open.
    const auto alive = alive_;
    const UINT command = static_cast<UINT>(TrackPopupMenuEx(
        menu, TPM_LEFTALIGN | TPM_TOPALIGN | TPM_RIGHTBUTTON | TPM_RETURNCMD, x, y, owner, nullptr));
    DestroyMenu(menu);
    if (!*alive || command == 0 || command > commands.size())
        return;
    commands[command - 1]->Click();
}

} // namespace ui
