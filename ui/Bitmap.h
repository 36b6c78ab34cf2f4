#pragma once
// A picture in memory with its own device context: GDI and GDI+ draw on it through DC() or its
// canvas, and the per-pixel code reaches its rows directly through ScanLine.
#include <windows.h>

#include <cstdint>
#include <functional>
#include <optional>

#include "ui/Canvas.h"
#include "ui/Handles.h"

namespace ui {

// Device: the screen's own colour depth; Bits24: 3 bytes a pixel, blue, green, red.
enum class PixelFormat { Device, Bits24 };

class Bitmap {
public:
    Bitmap() : Bitmap(0, 0) {}
    Bitmap(int width, int height, PixelFormat format = PixelFormat::Device);
    Bitmap(const Bitmap&) = delete;
    Bitmap& operator=(const Bitmap&) = delete;
    ~Bitmap();

    int Width() const { return width_; }
    int Height() const { return height_; }
    bool Empty() const { return width_ == 0 || height_ == 0; }
    PixelFormat Format() const { return format_; }
    int BitsPerPixel() const { return bitsPerPixel_; }

    // Becomes a copy of source: size, format and pixels.
    void Assign(const Bitmap& source);

    // The memory device context that holds the bitmap, for GDI and GdipCreateFromHDC.
    HDC DC() const { return dc_.Get(); }
    // The bitmap handle, with all pending drawing done (GdipCreateBitmapFromHBITMAP takes it).
    HBITMAP Handle() const;
    ui::Canvas& Canvas() { return canvas_; }

    // Row `row` (0 = top) as Width pixels of BitsPerPixel / 8 bytes; raises GraphicsError
    // "Scan line index out of range" for a row outside the picture.
    std::uint8_t* ScanLine(int row);
    const std::uint8_t* ScanLine(int row) const;

    // Announces pixels changed outside the canvas (GDI+ drawing, rows written).
    void Changed();
    std::function<void()> OnChange;

private:
    void Create(int width, int height, PixelFormat format);
    std::uint8_t* Row(int row) const;

    int width_ = 0;
    int height_ = 0;
    PixelFormat format_ = PixelFormat::Device;
    int bitsPerPixel_ = 0;
    int stride_ = 0;
    std::uint8_t* bits_ = nullptr;
    MemoryDC dc_;
    BitmapHandle bitmap_;
    std::optional<SelectObjectScope> selection_;
    ui::Canvas canvas_;
};

} // namespace ui
