#include "editor/EditorShadeWndU.h"

#include "ui/Bind.h"

namespace lumetta {

TLMTSEditorShadeWndClass::TLMTSEditorShadeWndClass(ui::Component* owner)
    : ui::Form(owner, ui::FormArgs{.className = "TLMTSEditorShadeWndClass",
                                   .caption = "LMTSEditorShadeWndClass",
                                   .clientWidth = 112,
                                   .clientHeight = 93,
                                   .borderStyle = ui::BorderStyle::None,
                                   .borderIcons = 0,
                                   .color = ui::clBtnFace})
{
    OnShow = ui::Bind(this, &TLMTSEditorShadeWndClass::FormShow);
}

void TLMTSEditorShadeWndClass::ShowShade(const ui::Form& form)
{
    SetBounds(form.Left(), form.Top(), form.Width(), form.Height());
    SetColor(ShadeColor);
    SetAlphaBlendValue(ShadeAlpha);
    SetAlphaBlend(true);
    Show();
    // Painted now: the caller's modal dialog starts right after.
    Update();
}

void TLMTSEditorShadeWndClass::HideShade()
{
    Hide();
}

void TLMTSEditorShadeWndClass::FormShow(ui::Component&)
{
    SetWindowPos(Handle(), HWND_TOPMOST, 0, 0, 0, 0, SWP_NOACTIVATE | SWP_NOMOVE | SWP_NOSIZE);
    SetForegroundWindow(Handle());
}

} // namespace lumetta
