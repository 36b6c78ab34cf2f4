#pragma once
// Small frames and photos made on the spot, and a way to read a rendered picture's pixels.
#include <cstdint>
#include <string>
#include <vector>

#include "TestSupport.h"
#include "shared/GlobalGraphics.h"
#include "ui/GdiPlus.h"

namespace lumetta::test {

// The pixels of a bitmap as 32-bit ARGB, read once.
class PixelGrid {
public:
    explicit PixelGrid(Gdiplus::Bitmap& bitmap);
    int Width() const { return width_; }
    int Height() const { return height_; }
    Gdiplus::ARGB At(int x, int y) const { return pixels_.at(static_cast<std::size_t>(y) * width_ + x); }
    std::uint8_t Alpha(int x, int y) const { return static_cast<std::uint8_t>(At(x, y) >> 24); }
    std::uint8_t Red(int x, int y) const { return static_cast<std::uint8_t>(At(x, y) >> 16); }
    std::uint8_t Green(int x, int y) const { return static_cast<std::uint8_t>(At(x, y) >> 8); }
    std::uint8_t Blue(int x, int y) const { return static_cast<std::uint8_t>(At(x, y)); }

private:
    int width_;
    int height_;
    std::vector<Gdiplus::ARGB> pixels_;
};

struct Patch {
    int X, Y, W, H;
    Gdiplus::ARGB Color;
};

// A 32-bit ARGB picture of width x height filled with `background`, then each rectangle copied
// over it as it stands (a transparent rectangle makes a hole).
ui::GpBitmapPtr MakePicture(int width, int height, Gdiplus::ARGB background, const std::vector<Patch>& fills = {});

// A picture as a photo that is its own canvas.
std::unique_ptr<TPaddedPhoto> AsCanvas(ui::GpBitmapPtr picture);

// An opaque 24-bit photo of one colour, its own canvas.
std::unique_ptr<TPaddedPhoto> MakePhoto(int width, int height, Gdiplus::ARGB color);

void SavePng(Gdiplus::Bitmap& bitmap, const std::string& path);

// A frame design in folder: the definition `name` and its image `name`.png.
void WriteFrame(const TempFolder& folder, const std::string& name, Gdiplus::Bitmap& image, const THoldRect& imageHold,
                const THoldRect& textHold, bool landscape = true);

// Points FramesetDir at a folder for the life of the object.
class FramesetDirOverride {
public:
    explicit FramesetDirOverride(const std::string& dir);
    ~FramesetDirOverride();
    FramesetDirOverride(const FramesetDirOverride&) = delete;
    FramesetDirOverride& operator=(const FramesetDirOverride&) = delete;

private:
    std::string saved_;
};

inline constexpr Gdiplus::ARGB Transparent = 0x00000000;
inline constexpr Gdiplus::ARGB OpaqueRed = 0xFFFF0000;
inline constexpr Gdiplus::ARGB OpaqueBlue = 0xFF0000FF;
inline constexpr Gdiplus::ARGB OpaqueWhite = 0xFFFFFFFF;

} // namespace lumetta::test
