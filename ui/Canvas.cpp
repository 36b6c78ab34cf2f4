#include "Canvas.h"

#include "Bitmap.h"
#include "Handles.h"

namespace ui {

HDC Canvas::Handle() const
{
    return owner_ ? owner_->DC() : dc_;
}

void Canvas::Changed() const
{
    if (OnChange)
        OnChange();
    if (owner_)
        owner_->Changed();
}

void Canvas::FillRect(const RECT& rect)
{
    if (Brush.Style == BrushStyle::Clear)
        return;
    BrushHandle brush(CreateSolidBrush(ColorToRGB(Brush.Color)));
    ::FillRect(Handle(), &rect, brush.Get());
    Changed();
}

void Canvas::Rectangle(const RECT& rect)
{
    HDC dc = Handle();
    PenHandle pen(CreatePen(PS_SOLID, Pen.Width, ColorToRGB(Pen.Color)));
    BrushHandle brush(Brush.Style == BrushStyle::Solid ? CreateSolidBrush(ColorToRGB(Brush.Color)) : nullptr);
    SelectObjectScope usePen(dc, pen.Get());
    SelectObjectScope useBrush(dc, brush ? static_cast<HGDIOBJ>(brush.Get()) : GetStockObject(NULL_BRUSH));
    ::Rectangle(dc, rect.left, rect.top, rect.right, rect.bottom);
    Changed();
}

void Canvas::Draw(int x, int y, const Bitmap& bitmap)
{
    if (bitmap.Empty())
        return;
    BitBlt(Handle(), x, y, bitmap.Width(), bitmap.Height(), bitmap.DC(), 0, 0, SRCCOPY);
    Changed();
}

void Canvas::CopyRect(const RECT& dest, const Canvas& source, const RECT& sourceRect)
{
    HDC dc = Handle();
    int previous = SetStretchBltMode(dc, COLORONCOLOR);
    StretchBlt(dc, dest.left, dest.top, dest.right - dest.left, dest.bottom - dest.top, source.Handle(), sourceRect.left,
               sourceRect.top, sourceRect.right - sourceRect.left, sourceRect.bottom - sourceRect.top, SRCCOPY);
    SetStretchBltMode(dc, previous);
    Changed();
}

void Canvas::BrushCopy(const RECT& dest, const Bitmap& source, const RECT& sourceRect, ui::Color keyColor)
{
    if (source.Empty())
        return;
    TransparentBlt(Handle(), dest.left, dest.top, dest.right - dest.left, dest.bottom - dest.top, source.DC(),
                   sourceRect.left, sourceRect.top, sourceRect.right - sourceRect.left,
                   sourceRect.bottom - sourceRect.top, ColorToRGB(keyColor));
    Changed();
}

COLORREF Canvas::Pixel(int x, int y) const
{
    GdiFlush();
    return GetPixel(Handle(), x, y);
}

} // namespace ui
