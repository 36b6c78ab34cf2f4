#include "ui/Label.h"

namespace ui {

Label::Label(Component* owner, const ControlArgs& common, const Args& own) : GraphicControl(owner, common), args_(own) {}

void Label::SetTransparent(bool transparent)
{
    if (transparent != args_.transparent) {
        args_.transparent = transparent;
        Invalidate();
    }
}

UINT Label::TextFlags() const
{
    UINT flags = DT_EXPANDTABS;
    if (args_.alignment == TextAlign::Center)
        flags |= DT_CENTER;
    else if (args_.alignment == TextAlign::Right)
        flags |= DT_RIGHT;
    flags |= args_.wordWrap ? DT_WORDBREAK : DT_SINGLELINE;
    return flags;
}

RECT Label::TextRect(HDC dc) const
{
    RECT area{0, 0, Width(), Height()};
    if (args_.layout == TextLayout::Top)
        return area;
    // The text's own height decides where it starts.
    RECT measured = area;
    DrawTextA(dc, Caption().c_str(), -1, &measured, TextFlags() | DT_CALCRECT);
    const int textHeight = measured.bottom - measured.top;
    if (args_.layout == TextLayout::Center)
        area.top = (Height() - textHeight) / 2;
    else
        area.top = Height() - textHeight;
    area.bottom = area.top + textHeight;
    return area;
}

void Label::Paint(HDC dc)
{
    if (!args_.transparent) {
        const RECT area{0, 0, Width(), Height()};
        BrushHandle brush(CreateSolidBrush(ColorToRGB(GetColor())));
        FillRect(dc, &area, brush.Get());
    }
    SelectObjectScope font(dc, GetFont().Handle());
    SetBkMode(dc, TRANSPARENT);
    RECT area = TextRect(dc);
    if (Enabled()) {
        SetTextColor(dc, ColorToRGB(GetFont().GetColor()));
        DrawTextA(dc, Caption().c_str(), -1, &area, TextFlags());
        return;
    }
    // Disabled: the engraved look.
    OffsetRect(&area, 1, 1);
    SetTextColor(dc, GetSysColor(COLOR_BTNHIGHLIGHT));
    DrawTextA(dc, Caption().c_str(), -1, &area, TextFlags());
    OffsetRect(&area, -1, -1);
    SetTextColor(dc, GetSysColor(COLOR_BTNSHADOW));
    DrawTextA(dc, Caption().c_str(), -1, &area, TextFlags());
}

} // namespace ui
