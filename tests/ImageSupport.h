#pragma once
// Pictures for the graphics tests: image files made with GDI+ and pixel reads of every bitmap kind.
#include <cstdint>
#include <functional>
#include <string>

#include "shared/GlobalPaddedPhoto.h"
#include "ui/Bitmap.h"
#include "ui/GdiPlus.h"

namespace lumetta::test {

// A width x height 24-bit GDI+ picture painted by paint.
ui::GpBitmapPtr MakeImage(int width, int height, const std::function<void(Gdiplus::Graphics&)>& paint);

// Writes a width x height 24-bit picture, painted by paint, as a file of the given MIME type.
void SaveImageFile(const std::string& path, int width, int height, const std::function<void(Gdiplus::Graphics&)>& paint,
                   const wchar_t* mimeType = L"image/png");

// Writes a width x height JPEG, painted by paint, with segment (a whole marker segment) put right
// after its start marker.
void SaveJpegWithSegment(const std::string& path, int width, int height,
                         const std::function<void(Gdiplus::Graphics&)>& paint, const std::string& segment);

// Fills a rectangle of a GDI+ drawing with an opaque colour.
void FillArea(Gdiplus::Graphics& graphics, int x, int y, int width, int height, COLORREF color);

// One pixel as 0x00BBGGRR.
COLORREF PixelOf(Gdiplus::Bitmap& bitmap, int x, int y);
COLORREF PixelOf(const ui::Bitmap& bitmap, int x, int y);
// One pixel of a padded photo's canvas, scaled one to one.
COLORREF PixelOf(const TPaddedPhoto& photo, int x, int y);

// A JPEG of nothing but the headers that declare width x height: harmless to read, ruinous to
// decode when the size is absurd.
std::string HeaderOnlyJpeg(std::uint16_t width, std::uint16_t height);

// Colours within tolerance per channel (interpolation may blur an edge by a step).
bool Near(COLORREF a, COLORREF b, int tolerance = 2);

} // namespace lumetta::test
