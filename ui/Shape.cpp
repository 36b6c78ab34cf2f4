#include "ui/Shape.h"

namespace ui {

Shape::Shape(Component* owner, const ControlArgs& common, const Args& own) : GraphicControl(owner, common), args_(own) {}

void Shape::SetStyle(const Args& style)
{
    args_ = style;
    Invalidate();
}

RECT Shape::OutlineRect() const
{
    const int inset = args_.penWidth / 2;
    const int width = Width() - args_.penWidth + 1;
    const int height = Height() - args_.penWidth + 1;
    return RECT{inset, inset, inset + width, inset + height};
}

void Shape::Paint(HDC dc)
{
    PenHandle pen(CreatePen(PS_INSIDEFRAME, args_.penWidth, ColorToRGB(args_.penColor)));
    BrushHandle brush(args_.brushClear ? nullptr : CreateSolidBrush(ColorToRGB(args_.brushColor)));
    SelectObjectScope selectPen(dc, pen.Get());
    SelectObjectScope selectBrush(dc, args_.brushClear ? GetStockObject(NULL_BRUSH) : brush.Get());
    const RECT outline = OutlineRect();
    Rectangle(dc, outline.left, outline.top, outline.right, outline.bottom);
}

} // namespace ui
