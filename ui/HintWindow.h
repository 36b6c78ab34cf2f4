#pragma once
// The small window that shows a control's hint below the mouse; the mouse passes through it.
#include <windows.h>

#include <string>

#include "ui/Window.h"

namespace ui {

class HintWindow : public Window {
public:
    HintWindow();

    // Shows `text` with its top-left corner at the screen point, kept on the screen.
    void ActivateHint(POINT topLeft, const std::string& text);
    // Hides the hint and lets its window go.
    void ReleaseHandle();
    const std::string& Text() const { return text_; }
    bool HintShowing() const;
    // The window's outer size for a text: the text's extent in the hint font, at most
    // MaxWidth wide (longer lines wrap), plus the margins.
    SIZE CalcHintRect(const std::string& text);

    static constexpr int MaxWidth = 300;

protected:
    void ApplyWindowStyle(CreateParams& params) override;
    void WndProc(Message& message) override;
    void PaintWindow(HDC dc) override;

private:
    std::string text_;
};

} // namespace ui
