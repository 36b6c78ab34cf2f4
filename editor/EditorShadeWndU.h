#pragma once
// The shade: a dark, half-transparent window laid over the editor while one of its modal dialogs
// is up. The dialogs show above it because the shade owns them.
#include <windows.h>

#include "ui/Form.h"

namespace lumetta {

inline constexpr COLORREF ShadeColor = RGB(32, 32, 32);
inline constexpr BYTE ShadeAlpha = 128;

class TLMTSEditorShadeWndClass : public ui::Form {
public:
    explicit TLMTSEditorShadeWndClass(ui::Component* owner);

    // Covers the outer bounds of form as they are now, and shows the shade at once.
    void ShowShade(const ui::Form& form);
    void HideShade();

    void FormShow(ui::Component& sender);
};

} // namespace lumetta
