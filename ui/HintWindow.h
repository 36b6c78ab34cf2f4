#pragma once
// The small window that shows a control's hint beside the mouse. It is information only: the
// mouse passes through it to whatever lies beneath, in any process.
#include <windows.h>

#include <string>

#include "ui/Window.h"

namespace ui {

// The top-left corner of a hint of `size` asked for at `point` on a screen of `screen`: `gap`
// below the point, or as far above it where it does not fit below, kept on the screen across.
// It never covers the point (unless the screen is too low for it on either side).
POINT HintPlace(POINT point, SIZE size, SIZE screen, int gap);

class HintWindow : public Window {
public:
    HintWindow();

    // Shows `text` beside the screen point (see HintPlace), clear of it.
    void ActivateHint(POINT point, const std::string& text);
    // Hides the hint and lets its window go.
    void ReleaseHandle();
    const std::string& Text() const { return text_; }
    bool HintShowing() const;
    // The window's outer size for a text: the text's extent in the hint font, at most
    // MaxWidth wide (longer lines wrap), plus the margins.
    SIZE CalcHintRect(const std::string& text);

    static constexpr int MaxWidth = 300;
    // How far from the point the hint keeps.
    static constexpr int Gap = 20;

protected:
    void ApplyWindowStyle(CreateParams& params) override;
    void HandleCreated() override;
    void PaintWindow(HDC dc) override;

private:
    std::string text_;
};

} // namespace ui
