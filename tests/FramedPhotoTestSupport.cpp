#include "FramedPhotoTestSupport.h"

#include <stdexcept>

#include "ImageSupport.h"
#include "shared/GlobalConsts.h"

namespace lumetta::test {

PixelGrid::PixelGrid(Gdiplus::Bitmap& bitmap)
    : width_(static_cast<int>(bitmap.GetWidth())), height_(static_cast<int>(bitmap.GetHeight()))
{
    pixels_.resize(static_cast<std::size_t>(width_) * height_);
    Gdiplus::Rect all(0, 0, width_, height_);
    Gdiplus::BitmapData data{};
    data.Width = static_cast<UINT>(width_);
    data.Height = static_cast<UINT>(height_);
    data.Stride = width_ * 4;
    data.PixelFormat = PixelFormat32bppARGB;
    data.Scan0 = pixels_.data();
    if (bitmap.LockBits(&all, Gdiplus::ImageLockModeRead | Gdiplus::ImageLockModeUserInputBuf, PixelFormat32bppARGB,
                        &data) != Gdiplus::Ok)
        throw std::runtime_error("cannot read the bitmap's pixels");
    bitmap.UnlockBits(&data);
}

ui::GpBitmapPtr MakePicture(int width, int height, Gdiplus::ARGB background, const std::vector<Patch>& fills)
{
    ui::GpBitmapPtr picture(new Gdiplus::Bitmap(width, height, PixelFormat32bppARGB));
    Gdiplus::Graphics g(picture.get());
    g.SetCompositingMode(Gdiplus::CompositingModeSourceCopy);
    g.Clear(Gdiplus::Color(background));
    for (const Patch& fill : fills) {
        Gdiplus::SolidBrush brush{Gdiplus::Color(fill.Color)};
        g.FillRectangle(&brush, fill.X, fill.Y, fill.W, fill.H);
    }
    return picture;
}

std::unique_ptr<TPaddedPhoto> AsCanvas(ui::GpBitmapPtr picture)
{
    return std::make_unique<TPaddedPhoto>(std::move(picture));
}

std::unique_ptr<TPaddedPhoto> MakePhoto(int width, int height, Gdiplus::ARGB color)
{
    return AsCanvas(MakeImage(width, height, [color](Gdiplus::Graphics& g) { g.Clear(Gdiplus::Color(color)); }));
}

void SavePng(Gdiplus::Bitmap& bitmap, const std::string& path)
{
    const auto png = ui::FindImageEncoder(L"image/png");
    if (!png || bitmap.Save(ui::WideFromAnsi(path).c_str(), &*png, nullptr) != Gdiplus::Ok)
        throw std::runtime_error("cannot save " + path);
}

void WriteFrame(const TempFolder& folder, const std::string& name, Gdiplus::Bitmap& image, const THoldRect& imageHold,
                const THoldRect& textHold, bool landscape)
{
    SavePng(image, folder.Dir() + name + ".png");
    const auto hold = [](const char* section, const THoldRect& r) {
        return "[" + std::string(section) + "]\r\nLeft=" + std::to_string(r.Left) + "\r\nTop=" + std::to_string(r.Top) +
               "\r\nRight=" + std::to_string(r.Right) + "\r\nBottom=" + std::to_string(r.Bottom) + "\r\n";
    };
    folder.Write(name, "[FrameInfo]\r\nFilename=" + name + ".png\r\nOrientation=" +
                           (landscape ? "landscape" : "portrait") + "\r\n" + hold("ImageHold", imageHold) +
                           hold("TextHold", textHold));
}

FramesetDirOverride::FramesetDirOverride(const std::string& dir) : saved_(FramesetDir) { FramesetDir = dir; }

FramesetDirOverride::~FramesetDirOverride() { FramesetDir = saved_; }

} // namespace lumetta::test
