#pragma once
// The base of the controls that are the platform's own window classes (buttons, edits, list
// boxes, track bars, list views): made from the system class and subclassed, coloured from
// the control's Font colour and Color.
#include "ui/Window.h"

namespace ui {

class SystemControl : public Window {
public:
    SystemControl(Component* owner, const ControlArgs& args);

    bool HandleNotification(Message& message) override;

protected:
    // Fills the parameters for a system class; overrides add their own styles.
    void ApplyWindowStyle(CreateParams& params) override;
    void ColorChanged() override { Invalidate(); }

private:
    BrushHandle brush_;
    Color brushColor_ = clNone;
};

} // namespace ui
