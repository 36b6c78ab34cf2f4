#pragma once
// The small window that shows a control's hint below the mouse.
#include <windows.h>

#include <string>

#include "ui/Font.h"

namespace ui {

class HintWindow {
public:
    HintWindow();
    ~HintWindow();
    HintWindow(const HintWindow&) = delete;
    HintWindow& operator=(const HintWindow&) = delete;

    // Shows `text` with its top-left corner at the screen point.
    void ActivateHint(POINT topLeft, const std::string& text);
    void ReleaseHandle();
    const std::string& Text() const { return text_; }
    bool Showing() const;
    // The window's outer size for a text: the text's extent in the hint font, at most
    // MaxWidth wide (longer lines wrap), plus the margins.
    SIZE CalcHintRect(const std::string& text);

    static constexpr int MaxWidth = 300;

private:
    static LRESULT CALLBACK Proc(HWND window, UINT msg, WPARAM wParam, LPARAM lParam);
    void Paint();

    HWND handle_ = nullptr;
    std::string text_;
    Font font_;
};

} // namespace ui
