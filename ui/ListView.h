#pragma once
// The platform's list view, with columns that carry a caption, a width and a Tag.
#include <memory>
#include <string>
#include <vector>

#include "ui/SystemControl.h"

namespace ui {

enum class ViewStyle { Icon, SmallIcon, List, Report };

class ListView;

class ListColumn {
public:
    const std::string& Caption() const { return caption_; }
    void SetCaption(const std::string& caption);
    int Width() const { return width_; }
    int Tag() const { return tag_; }
    void SetTag(int tag) { tag_ = tag; }

private:
    friend class ListView;
    ListColumn(ListView* owner, int index, std::string caption, int width, int tag)
        : owner_(owner), index_(index), caption_(std::move(caption)), width_(width), tag_(tag)
    {
    }
    ListView* owner_;
    int index_;
    std::string caption_;
    int width_;
    int tag_;
};

struct ListColumnArgs {
    std::string caption;
    int width = 50;
    int tag = 0;
};

struct ListViewArgs {
    ViewStyle viewStyle = ViewStyle::Icon;
    bool showColumnHeaders = true;
    std::vector<ListColumnArgs> columns;
};

class ListView : public SystemControl {
public:
    using Args = ListViewArgs;

    ListView(Component* owner, const ControlArgs& common, const Args& own = {});

    ViewStyle GetViewStyle() const { return viewStyle_; }
    bool ShowColumnHeaders() const { return showColumnHeaders_; }
    int ColumnCount() const { return static_cast<int>(columns_.size()); }
    ListColumn& Column(int index) const { return *columns_.at(static_cast<std::size_t>(index)); }
    // The caption the window shows for a column (read back from the window when it exists).
    std::string ColumnCaptionShown(int index) const;

protected:
    bool HasCaption() const override { return false; }
    void ApplyWindowStyle(CreateParams& params) override;
    void HandleCreated() override;

private:
    friend class ListColumn;
    void UpdateColumn(int index);

    ViewStyle viewStyle_;
    bool showColumnHeaders_;
    std::vector<std::unique_ptr<ListColumn>> columns_;
};

} // namespace ui
