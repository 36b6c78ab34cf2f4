#include "ui/Label.h"

#include <vector>

namespace ui {

namespace {

// The caption as DrawText shows it: "&&" is one ampersand, a single "&" only marks the next letter.
std::string WithoutPrefixes(const std::string& caption)
{
    std::string shown;
    for (std::size_t i = 0; i < caption.size(); ++i) {
        if (caption[i] == '&' && i + 1 < caption.size())
            ++i;
        shown += caption[i];
    }
    return shown;
}

} // namespace

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
        DrawCaption(dc, area);
        return;
    }
    // Disabled: the engraved look.
    OffsetRect(&area, 1, 1);
    SetTextColor(dc, GetSysColor(COLOR_BTNHIGHLIGHT));
    DrawCaption(dc, area);
    OffsetRect(&area, -1, -1);
    SetTextColor(dc, GetSysColor(COLOR_BTNSHADOW));
    DrawCaption(dc, area);
}

void Label::DrawCaption(HDC dc, RECT area) const
{
    if (args_.wordWrap || !(GetFont().Style() & fsUnderline)) {
        DrawTextA(dc, Caption().c_str(), -1, &area, TextFlags());
        return;
    }
    // The underline runs the width the font reports, but some font engines (Wine's Tahoma) set
    // the letters closer than that when they are not told where each one goes. Told, the letters
    // and their line end together.
    const std::string text = WithoutPrefixes(Caption());
    const int count = static_cast<int>(text.size());
    std::vector<INT> ends(text.size()), advances(text.size());
    SIZE size{};
    if (count == 0 || !GetTextExtentExPointA(dc, text.c_str(), count, 0, nullptr, ends.data(), &size))
        return;
    for (int i = 0; i < count; ++i)
        advances[i] = ends[i] - (i == 0 ? 0 : ends[i - 1]);
    int x = area.left;
    if (args_.alignment == TextAlign::Center)
        x += (area.right - area.left - size.cx) / 2;
    else if (args_.alignment == TextAlign::Right)
        x = area.right - size.cx;
    ExtTextOutA(dc, x, area.top, ETO_CLIPPED, &area, text.c_str(), static_cast<UINT>(count), advances.data());
}

} // namespace ui
