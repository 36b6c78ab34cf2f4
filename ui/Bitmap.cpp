#include "Bitmap.h"

#include <climits>
#include <cstring>

#include "Error.h"

namespace ui {

namespace {

int ScreenBitsPerPixel()
{
    WindowDC screen(nullptr);
    int bits = GetDeviceCaps(screen.Get(), BITSPIXEL) * GetDeviceCaps(screen.Get(), PLANES);
    return bits == 16 || bits == 24 || bits == 32 ? bits : 32;
}

} // namespace

Bitmap::Bitmap(int width, int height, PixelFormat format) : dc_(CreateCompatibleDC(nullptr))
{
    if (!dc_)
        throw GraphicsError("Out of system resources");
    canvas_.owner_ = this;
    Create(width, height, format);
}

Bitmap::~Bitmap()
{
    // The bitmap leaves its context before either is deleted.
    selection_.reset();
}

void Bitmap::Create(int width, int height, PixelFormat format)
{
    if (width < 0 || height < 0)
        throw GraphicsError("Invalid bitmap size");
    int bitsPerPixel = format == PixelFormat::Bits24 ? 24 : ScreenBitsPerPixel();
    long long stride = ((static_cast<long long>(width) * bitsPerPixel + 31) / 32) * 4;
    if (stride * height > INT_MAX)
        throw GraphicsError("Out of system resources");

    BitmapHandle bitmap;
    void* bits = nullptr;
    if (width > 0 && height > 0) {
        BITMAPINFO info{};
        info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
        info.bmiHeader.biWidth = width;
        info.bmiHeader.biHeight = height; // bottom-up, as every consumer of DIBs expects
        info.bmiHeader.biPlanes = 1;
        info.bmiHeader.biBitCount = static_cast<WORD>(bitsPerPixel);
        info.bmiHeader.biCompression = BI_RGB;
        bitmap.Reset(CreateDIBSection(dc_.Get(), &info, DIB_RGB_COLORS, &bits, nullptr, 0));
        if (!bitmap || !bits)
            throw GraphicsError("Out of system resources");
    }

    selection_.reset();
    bitmap_ = std::move(bitmap);
    if (bitmap_)
        selection_.emplace(dc_.Get(), bitmap_.Get());
    bits_ = static_cast<std::uint8_t*>(bits);
    width_ = width;
    height_ = height;
    format_ = format;
    bitsPerPixel_ = bitsPerPixel;
    stride_ = static_cast<int>(stride);
}

std::uint8_t* Bitmap::Row(int row) const
{
    return bits_ + static_cast<std::ptrdiff_t>(height_ - 1 - row) * stride_;
}

void Bitmap::Assign(const Bitmap& source)
{
    if (&source == this)
        return;
    GdiFlush();
    Create(source.width_, source.height_, source.format_);
    if (bits_ && bitsPerPixel_ == source.bitsPerPixel_)
        std::memcpy(bits_, source.bits_, static_cast<std::size_t>(stride_) * height_);
    else if (bits_)
        BitBlt(dc_.Get(), 0, 0, width_, height_, source.DC(), 0, 0, SRCCOPY);
    Changed();
}

HBITMAP Bitmap::Handle() const
{
    GdiFlush();
    return bitmap_.Get();
}

std::uint8_t* Bitmap::ScanLine(int row)
{
    if (row < 0 || row >= height_)
        throw GraphicsError("Scan line index out of range");
    GdiFlush();
    return Row(row);
}

const std::uint8_t* Bitmap::ScanLine(int row) const
{
    return const_cast<Bitmap*>(this)->ScanLine(row);
}

void Bitmap::Changed()
{
    if (OnChange)
        OnChange();
}

} // namespace ui
