#pragma once
// The base of the custom-drawn windowed controls: a window of our own class that paints itself
// in PaintWindow, takes clicks from its own press and release, and hears the mouse enter and
// leave (CM_MOUSEENTER, CM_MOUSELEAVE, MouseEnter, MouseLeave, OnMouseEnter, OnMouseLeave).
#include "ui/Window.h"

namespace ui {

class CustomControl : public Window {
public:
    CustomControl(Component* owner, const ControlArgs& args) : Window(owner, args) {}

    // Draws at once on the window, outside the paint cycle.
    void PaintNow();

protected:
    void ApplyWindowStyle(CreateParams& params) override;
};

} // namespace ui
