#include "ImageSupport.h"

#include <cstdlib>
#include <fstream>
#include <iterator>
#include <stdexcept>

namespace lumetta::test {

ui::GpBitmapPtr MakeImage(int width, int height, const std::function<void(Gdiplus::Graphics&)>& paint)
{
    ui::GpBitmapPtr bitmap(new Gdiplus::Bitmap(width, height, PixelFormat24bppRGB));
    Gdiplus::Graphics graphics(bitmap.get());
    paint(graphics);
    return bitmap;
}

void SaveImageFile(const std::string& path, int width, int height, const std::function<void(Gdiplus::Graphics&)>& paint,
                   const wchar_t* mimeType)
{
    ui::GpBitmapPtr bitmap = MakeImage(width, height, paint);
    const auto encoder = ui::FindImageEncoder(mimeType);
    if (!encoder)
        throw std::runtime_error("no encoder");
    const std::wstring widePath = ui::WideFromAnsi(path);
    if (bitmap->Save(widePath.c_str(), &*encoder, nullptr) != Gdiplus::Ok)
        throw std::runtime_error("cannot save " + path);
}

void SaveJpegWithSegment(const std::string& path, int width, int height,
                         const std::function<void(Gdiplus::Graphics&)>& paint, const std::string& segment)
{
    SaveImageFile(path, width, height, paint, L"image/jpeg");
    std::ifstream in(path, std::ios::binary);
    std::string jpeg((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    in.close();
    jpeg.insert(2, segment);
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out << jpeg;
    if (!out)
        throw std::runtime_error("cannot write " + path);
}

void FillArea(Gdiplus::Graphics& graphics, int x, int y, int width, int height, COLORREF color)
{
    Gdiplus::SolidBrush brush(Gdiplus::Color(ui::ArgbFromColor(color, 255)));
    graphics.FillRectangle(&brush, x, y, width, height);
}

COLORREF PixelOf(Gdiplus::Bitmap& bitmap, int x, int y)
{
    Gdiplus::Color color;
    bitmap.GetPixel(x, y, &color);
    return RGB(color.GetR(), color.GetG(), color.GetB());
}

COLORREF PixelOf(const ui::Bitmap& bitmap, int x, int y)
{
    const std::uint8_t* p = bitmap.ScanLine(y) + x * bitmap.BitsPerPixel() / 8;
    return RGB(p[2], p[1], p[0]);
}

COLORREF PixelOf(const TPaddedPhoto& photo, int x, int y)
{
    return PixelOf(*photo.Scale(1, 1, Gdiplus::RectF(static_cast<Gdiplus::REAL>(x), static_cast<Gdiplus::REAL>(y), 1, 1)), 0, 0);
}

std::string HeaderOnlyJpeg(std::uint16_t width, std::uint16_t height)
{
    const auto bigEndian = [](std::uint16_t v) { return std::string{static_cast<char>(v >> 8), static_cast<char>(v)}; };
    const std::string start("\xFF\xD8\xFF\xE0\0\x10JFIF\0\1\1\0\0\1\0\1\0\0", 20);
    const std::string components("\3\1\x22\0\2\x11\1\3\x11\1\xFF\xD9", 12);
    return start + "\xFF\xC0" + bigEndian(17) + '\x08' + bigEndian(height) + bigEndian(width) + components;
}

bool Near(COLORREF a, COLORREF b, int tolerance)
{
    return std::abs(GetRValue(a) - GetRValue(b)) <= tolerance && std::abs(GetGValue(a) - GetGValue(b)) <= tolerance &&
           std::abs(GetBValue(a) - GetBValue(b)) <= tolerance;
}

} // namespace lumetta::test
