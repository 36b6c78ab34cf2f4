#pragma once
// Popup menus: a tree of items owned by the form like its other components. Radio items of
// one group under one parent keep exactly the last checked one checked.
#include <windows.h>

#include <memory>
#include <string>
#include <vector>

#include "ui/Component.h"

namespace ui {

class MenuItem : public Component {
public:
    struct Args {
        std::string name;
        MenuItem* parent = nullptr; // a popup menu's Items() or another item
        std::string caption;        // "-" makes a separator
        int tag = 0;
        bool checked = false;
        bool radioItem = false;
        int groupIndex = 0;
        bool enabled = true;
        bool visible = true;
    };

    MenuItem(Component* owner, const Args& args);
    ~MenuItem() override;

    const std::string& Caption() const { return caption_; }
    void SetCaption(const std::string& caption) { caption_ = caption; }
    bool IsLine() const { return caption_ == "-"; }
    bool Checked() const { return checked_; }
    // Checking a radio item unchecks the other radio items of its group under the same parent.
    void SetChecked(bool checked);
    bool RadioItem() const { return radioItem_; }
    int GroupIndex() const { return groupIndex_; }
    bool Enabled() const { return enabled_; }
    void SetEnabled(bool enabled) { enabled_ = enabled; }
    bool Visible() const { return visible_; }
    void SetVisible(bool visible) { visible_ = visible; }

    MenuItem* Parent() const { return parent_; }
    int Count() const { return static_cast<int>(items_.size()); }
    MenuItem& Items(int index) const { return *items_.at(static_cast<std::size_t>(index)); }
    // The position of an item among this one's items, or -1.
    int IndexOf(const MenuItem* item) const;

    // Runs OnClick when the item is enabled.
    void Click();
    NotifyEvent OnClick;

    bool HasTextProperty(TextProperty property) const override { return property == TextProperty::Caption; }
    void SetTextProperty(TextProperty property, const std::string& text) override;

private:
    MenuItem* parent_;
    std::vector<MenuItem*> items_;
    std::string caption_;
    bool checked_;
    bool radioItem_;
    int groupIndex_;
    bool enabled_;
    bool visible_;
};

class PopupMenu : public Component {
public:
    struct Args {
        std::string name;
    };

    PopupMenu(Component* owner, const Args& args);
    ~PopupMenu() override;

    // The root whose items the menu shows.
    MenuItem* Items() const { return items_.get(); }
    // Shows the menu with its top-left corner at a screen point and returns once it is
    // closed, after the chosen item's OnClick has run.
    void Popup(int x, int y);
    // The control the menu was last shown for.
    Component* PopupComponent() const { return popupComponent_; }
    void SetPopupComponent(Component* component) { popupComponent_ = component; }
    NotifyEvent OnPopup;

private:
    std::unique_ptr<MenuItem> items_;
    Component* popupComponent_ = nullptr;
    std::shared_ptr<bool> alive_;
};

} // namespace ui
