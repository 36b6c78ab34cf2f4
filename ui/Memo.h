#pragma once
// A multi-line edit box. OnChange runs for the user's edits and for a Text set from code.
#include "ui/SystemControl.h"

namespace ui {

enum class ScrollBars { None, Horizontal, Vertical, Both };

struct MemoArgs {
    ScrollBars scrollBars = ScrollBars::None;
    bool wordWrap = true;
    int maxLength = 0; // the most characters the user can enter; 0: the platform's limit
    bool wantTabs = false; // Tab types a tab rather than moving the focus on
};

class Memo : public SystemControl {
public:
    using Args = MemoArgs;

    Memo(Component* owner, const ControlArgs& common, const Args& own = {});

    std::string Text() const;
    void SetText(const std::string& text);
    void SelectAll();
    NotifyEvent OnChange;

    bool HasTextProperty(TextProperty property) const override { return property == TextProperty::Text; }
    void SetTextProperty(TextProperty property, const std::string& text) override;
    bool HandleNotification(Message& message) override;
    LRESULT DialogCode(WORD key) override;

protected:
    bool HasCaption() const override { return false; }
    void ApplyWindowStyle(CreateParams& params) override;
    void HandleCreated() override;

private:
    Args args_;
    bool settingText_ = false;
};

} // namespace ui
