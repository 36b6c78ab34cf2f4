#pragma once
// A windowless text: aligned and optionally word-wrapped in its bounds, drawn in its font's
// colour, transparent over what its parent painted when asked.
#include "ui/Control.h"

namespace ui {

enum class TextAlign { Left, Center, Right };
enum class TextLayout { Top, Center, Bottom };

struct LabelArgs {
    TextAlign alignment = TextAlign::Left;
    TextLayout layout = TextLayout::Top;
    bool wordWrap = false;
    bool transparent = false;
};

class Label : public GraphicControl {
public:
    using Args = LabelArgs;

    Label(Component* owner, const ControlArgs& common, const Args& own = {});

    TextAlign Alignment() const { return args_.alignment; }
    TextLayout Layout() const { return args_.layout; }
    bool WordWrap() const { return args_.wordWrap; }
    bool Transparent() const { return args_.transparent; }
    void SetTransparent(bool transparent);

    // Where the caption goes inside the bounds: its DrawText flags and its rectangle.
    UINT TextFlags() const;
    RECT TextRect(HDC dc) const;

    void Paint(HDC dc) override;

private:
    // The caption in area, in the DC's font and text colour.
    void DrawCaption(HDC dc, RECT area) const;

    Args args_;
};

} // namespace ui
