#include "ui/CustomControl.h"

namespace ui {

void CustomControl::ApplyWindowStyle(CreateParams& params)
{
    Window::ApplyWindowStyle(params);
    params.className = "UiCustomControl";
}

void CustomControl::PaintNow()
{
    if (!HandleAllocated())
        return;
    WindowDC dc(Handle());
    PaintWindow(dc.Get());
}

} // namespace ui
