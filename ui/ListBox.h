#pragma once
// A list of texts; owner-drawn with a fixed item height and in columns where the layout says so.
#include <functional>
#include <string>
#include <vector>

#include "ui/SystemControl.h"

namespace ui {

enum class ListBoxStyle { Standard, OwnerDrawFixed };

class ListBox;
// The item's index, its rectangle and ODS_ state flags, and the device context to draw on.
using DrawItemEvent = std::function<void(ListBox& control, int index, const RECT& rect, UINT state, HDC dc)>;

struct ListBoxArgs {
    ListBoxStyle style = ListBoxStyle::Standard;
    int itemHeight = 16;
    int columns = 0;
    bool border = true;
};

class ListBox : public SystemControl {
public:
    using Args = ListBoxArgs;

    ListBox(Component* owner, const ControlArgs& common, const Args& own = {});

    int Count() const { return static_cast<int>(items_.size()); }
    const std::string& Items(int index) const { return items_.at(static_cast<std::size_t>(index)); }
    int Add(const std::string& text);
    void Clear();
    // The selected item, or -1.
    int ItemIndex() const;
    void SetItemIndex(int index);
    int ItemHeight() const { return args_.itemHeight; }
    void SetItemHeight(int height);
    int Columns() const { return args_.columns; }
    // A change between none and some columns makes the window anew, keeping the items.
    void SetColumns(int columns);

    DrawItemEvent OnDrawItem;

    bool HandleNotification(Message& message) override;

protected:
    bool HasCaption() const override { return false; }
    void ApplyWindowStyle(CreateParams& params) override;
    void HandleCreated() override;

private:
    Args args_;
    std::vector<std::string> items_;
    int itemIndex_ = -1;
};

} // namespace ui
