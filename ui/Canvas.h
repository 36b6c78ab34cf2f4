#pragma once
// A drawing surface over a device context: brush and pen settings, fills, block copies and
// copies that leave out a key colour. Colours are ui::Color values (system colours resolved when drawing).
#include <windows.h>

#include <functional>

#include "ui/Color.h"

namespace ui {

class Bitmap;

enum class BrushStyle { Solid, Clear };

struct CanvasBrush {
    ui::Color Color = clWhite;
    BrushStyle Style = BrushStyle::Solid;
};

struct CanvasPen {
    ui::Color Color = clBlack;
    int Width = 1;
};

class Canvas {
public:
    Canvas() = default;
    explicit Canvas(HDC dc) : dc_(dc) {}
    Canvas(const Canvas&) = delete;
    Canvas& operator=(const Canvas&) = delete;

    // The device context drawn on; a bitmap's canvas always answers its bitmap's memory context.
    HDC Handle() const;
    void SetHandle(HDC dc) { dc_ = dc; }

    CanvasBrush Brush;
    CanvasPen Pen;

    // Fills with the brush (nothing with a clear brush).
    void FillRect(const RECT& rect);
    // Outline with the pen, inside with the brush.
    void Rectangle(const RECT& rect);
    // The whole bitmap at (x, y), 1:1.
    void Draw(int x, int y, const Bitmap& bitmap);
    // A rectangle of another canvas onto this one, stretched when the sizes differ.
    void CopyRect(const RECT& dest, const Canvas& source, const RECT& sourceRect);
    // As CopyRect from a bitmap, leaving out every pixel of the key colour.
    void BrushCopy(const RECT& dest, const Bitmap& source, const RECT& sourceRect, ui::Color keyColor);
    // The colour of one pixel as 0x00BBGGRR (CLR_INVALID outside the surface).
    COLORREF Pixel(int x, int y) const;

    // Runs after every drawing operation.
    std::function<void()> OnChange;

private:
    friend class Bitmap;
    void Changed() const;

    HDC dc_ = nullptr;
    Bitmap* owner_ = nullptr;
};

} // namespace ui
