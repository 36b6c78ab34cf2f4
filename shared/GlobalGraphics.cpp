#include "GlobalGraphics.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <exception>

#include "GlobalConsts.h"
#include "GlobalFunc.h"
#include "ui/Error.h"
#include "ui/IniFile.h"
#include "ui/ResourceStream.h"

namespace lumetta {

using Gdiplus::Status;

ui::StringList FrameList;
thread_local Status LastPhotoStatus = Gdiplus::Ok;

// ---- Frame definitions ----------------------------------------------------------------------

namespace {

class FindHandle {
public:
    explicit FindHandle(HANDLE handle) : handle_(handle) {}
    FindHandle(const FindHandle&) = delete;
    FindHandle& operator=(const FindHandle&) = delete;
    ~FindHandle()
    {
        if (Valid())
            FindClose(handle_);
    }
    bool Valid() const { return handle_ != INVALID_HANDLE_VALUE; }
    HANDLE Get() const { return handle_; }

private:
    HANDLE handle_;
};

bool HasIniExtension(std::string_view name)
{
    std::size_t dot = name.rfind('.');
    return dot != std::string_view::npos && ui::SameText(name.substr(dot), ".ini");
}

} // namespace

void ListFrameFilesIn(const std::string& folder, ui::StringList& list)
{
    list.Clear();
    SetLastError(0);
    WIN32_FIND_DATAA entry;
    FindHandle search(FindFirstFileA((folder + "*.*").c_str(), &entry));
    if (!search.Valid())
        return;
    // Any failure of the next step ends the listing, not only the end of the folder.
    do {
        if (!(entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) && HasIniExtension(entry.cFileName))
            list.Add(entry.cFileName);
    } while (FindNextFileA(search.Get(), &entry));
}

void ListFrameFiles(ui::StringList& list) { ListFrameFilesIn(FramesetDir, list); }

bool IsPortraitOrientation(std::string_view text)
{
    return !ui::SameText(text, "landscape");
}

void LoadPhotoFrameFrom(const std::string& folder, const std::string& name, TPhotoFrame& frame)
{
    // A definition that cannot be read leaves the fields not yet read as they were.
    try {
        ui::IniFile ini(folder + name);
        frame.Name = name;
        frame.Filename = ini.ReadString("FrameInfo", "Filename", "");
        frame.Orientation = IsPortraitOrientation(ini.ReadString("FrameInfo", "Orientation", ""));
        frame.ImageHold.Left = ini.ReadInteger("ImageHold", "Left", 0);
        frame.ImageHold.Top = ini.ReadInteger("ImageHold", "Top", 0);
        frame.ImageHold.Right = ini.ReadInteger("ImageHold", "Right", 0);
        frame.ImageHold.Bottom = ini.ReadInteger("ImageHold", "Bottom", 0);
        frame.TextHold.Left = ini.ReadInteger("TextHold", "Left", -1);
        frame.TextHold.Top = ini.ReadInteger("TextHold", "Top", -1);
        frame.TextHold.Right = ini.ReadInteger("TextHold", "Right", -1);
        frame.TextHold.Bottom = ini.ReadInteger("TextHold", "Bottom", -1);
    } catch (const std::exception&) {
    }
}

void LoadPhotoFrame(const std::string& name, TPhotoFrame& frame) { LoadPhotoFrameFrom(FramesetDir, name, frame); }

// ---- Photo loading --------------------------------------------------------------------------

double RoundHalfEven(double value)
{
    // The default floating-point rounding mode rounds ties to even.
    return std::nearbyint(value);
}

PaddedCanvasLayout PaddedCanvasFor(std::uint32_t width, std::uint32_t height, bool portrait)
{
    const std::int64_t w = width, h = height;
    PaddedCanvasLayout layout{};
    if (!portrait) {
        layout.Width = w > h ? w : h * 4 / 3;
        layout.Height = w > h ? w * 3 / 4 : h;
    } else {
        layout.Width = h > w ? h * 3 / 4 : w;
        layout.Height = h > w ? h : w * 4 / 3;
    }
    // Truncating halves: a photo one pixel wider than its canvas loses that pixel on the right.
    layout.PhotoX = (layout.Width - w) / 2;
    layout.PhotoY = (layout.Height - h) / 2;
    return layout;
}

PaddedPhotoLayout FitPaddedCanvas(std::uint32_t width, std::uint32_t height, bool portrait,
                                  std::int64_t maxCanvasPixels)
{
    const PaddedCanvasLayout natural = PaddedCanvasFor(width, height, portrait);
    if (natural.Width * natural.Height <= maxCanvasPixels || width == 0 || height == 0)
        return {width, height, natural};
    // The canvas keeps one side of the photo at full length and is a fixed multiple of it on the
    // other: that side alone decides the canvas, and the other follows it in proportion.
    const bool keepsWidth = portrait ? height <= width : width > height;
    const std::uint64_t kept = keepsWidth ? width : height, other = keepsWidth ? height : width;
    const double canvasPerKeptSquared = keepsWidth == portrait ? 4.0 / 3 : 3.0 / 4;
    // Just above the real-valued answer, then down to the first whole size whose canvas fits.
    const double estimate = std::sqrt(static_cast<double>(std::max<std::int64_t>(0, maxCanvasPixels)) / canvasPerKeptSquared);
    std::uint64_t side = std::max<std::uint64_t>(1, std::min<std::uint64_t>(kept - 1, static_cast<std::uint64_t>(estimate) + 2));
    for (;; --side) {
        std::uint64_t follows = std::max<std::uint64_t>(
            1, static_cast<std::uint64_t>(RoundHalfEven(static_cast<double>(other) * static_cast<double>(side) /
                                                        static_cast<double>(kept))));
        // A side shorter than the kept one stays shorter, so that the canvas keeps the same side.
        if (other < kept && side > 1)
            follows = std::min(follows, side - 1);
        const auto w = static_cast<std::uint32_t>(keepsWidth ? side : follows);
        const auto h = static_cast<std::uint32_t>(keepsWidth ? follows : side);
        const PaddedCanvasLayout canvas = PaddedCanvasFor(w, h, portrait);
        if (canvas.Width * canvas.Height <= maxCanvasPixels || side == 1)
            return {w, h, canvas};
    }
}

namespace {

// The image centred on a new white canvas, reduced where its canvas would be too large, or null
// with the failing status.
ui::GpBitmapPtr PadOnCanvas(Gdiplus::Image& image, bool portrait, Status& status)
{
    const PaddedPhotoLayout fit = FitPaddedCanvas(image.GetWidth(), image.GetHeight(), portrait);
    const PaddedCanvasLayout& layout = fit.Canvas;
    if (layout.Width * layout.Height > MaxPaddedCanvasPixels) {
        status = Gdiplus::OutOfMemory;
        return nullptr;
    }
    const int canvasWidth = static_cast<int>(layout.Width), canvasHeight = static_cast<int>(layout.Height);
    ui::GpBitmapPtr canvas(new Gdiplus::Bitmap(canvasWidth, canvasHeight, PixelFormat24bppRGB));
    if (!canvas) {
        status = Gdiplus::OutOfMemory;
        return nullptr;
    }
    if ((status = canvas->GetLastStatus()) != Gdiplus::Ok)
        return nullptr;
    Gdiplus::Graphics graphics(canvas.get());
    if ((status = graphics.GetLastStatus()) != Gdiplus::Ok)
        return nullptr;
    graphics.SetInterpolationMode(Gdiplus::InterpolationModeHighQualityBicubic);
    Gdiplus::SolidBrush white(Gdiplus::Color(255, 255, 255, 255));
    status = graphics.FillRectangle(&white, 0, 0, canvasWidth, canvasHeight);
    // A reduced photo is scaled straight onto the canvas: a copy of it at the reduced size would
    // only add its pixels to the peak.
    if (status == Gdiplus::Ok)
        status = ui::DrawImageKeepingEdges(
            graphics, image,
            Gdiplus::RectF(static_cast<Gdiplus::REAL>(layout.PhotoX), static_cast<Gdiplus::REAL>(layout.PhotoY),
                           static_cast<Gdiplus::REAL>(fit.PhotoWidth), static_cast<Gdiplus::REAL>(fit.PhotoHeight)));
    if (status != Gdiplus::Ok)
        return nullptr;
    return canvas;
}

// Turns a decoded photo upright; one that cannot be turned stays as it was stored. The turn and
// the mirror are two steps: GDI+ implementations differ in which of the two comes first when one
// call does both.
void TurnUpright(Gdiplus::Image& image, std::uint8_t orientation)
{
    constexpr Gdiplus::RotateFlipType turns[] = {Gdiplus::RotateNoneFlipNone, Gdiplus::Rotate90FlipNone,
                                                 Gdiplus::Rotate180FlipNone, Gdiplus::Rotate270FlipNone};
    const PhotoTurn turn = UprightTurn(orientation);
    if (turn.QuarterTurns != 0 && image.RotateFlip(turns[turn.QuarterTurns]) != Gdiplus::Ok)
        return;
    if (turn.Mirror)
        image.RotateFlip(Gdiplus::RotateNoneFlipX);
}

ui::GpBitmapPtr FallbackPhoto()
{
    // Its pixels are never painted: a failed load is always covered by the renderer's placeholder.
    return ui::GpBitmapPtr(new Gdiplus::Bitmap(FallbackPhotoWidth, FallbackPhotoHeight, PixelFormat24bppRGB));
}

} // namespace

Status DeclaredPhotoStatus(const std::optional<DeclaredSize>& size)
{
    if (!size)
        return Gdiplus::UnknownImageFormat;
    if (size->Width == 0 || size->Height == 0)
        return Gdiplus::InvalidParameter;
    // A canvas too large for the photo's natural size takes a reduced photo (PadOnCanvas).
    return HasPixelsWithin(*size, MaxPaddedCanvasPixels) ? Gdiplus::Ok : Gdiplus::OutOfMemory;
}

PhotoTurn UprightTurn(std::uint8_t orientation)
{
    // The values name where the stored first row and first column show: 2 mirrored, 3 upside
    // down, 4 upside down and mirrored; 6 and 8 turned a quarter, 5 and 7 also mirrored.
    switch (orientation) {
    case 2: return {0, true};
    case 3: return {2, false};
    case 4: return {2, true};
    case 5: return {1, true};
    case 6: return {1, false};
    case 7: return {3, true};
    case 8: return {3, false};
    default: return {};
    }
}

ui::GpBitmapPtr LoadPaddedPhoto(const std::string& fileName, bool portrait)
{
    const std::optional<DeclaredSize> declared = DeclaredImageFileSize(fileName);
    LastPhotoStatus = DeclaredPhotoStatus(declared);
    ui::GpBitmapPtr image;
    if (LastPhotoStatus == Gdiplus::Ok) {
        const std::wstring wideName = ui::WideFromAnsi(fileName);
        image.reset(Gdiplus::Bitmap::FromFile(wideName.c_str(), TRUE));
        LastPhotoStatus = image ? image->GetLastStatus() : Gdiplus::OutOfMemory;
        if (LastPhotoStatus == Gdiplus::Ok)
            TurnUpright(*image, declared->Orientation);
    }
    if (LastPhotoStatus != Gdiplus::Ok || image->GetWidth() == 0 || image->GetHeight() == 0)
        image = FallbackPhoto();

    Status status = Gdiplus::Ok;
    ui::GpBitmapPtr canvas = image ? PadOnCanvas(*image, portrait, status) : nullptr;
    if (!canvas) {
        // A canvas that cannot be made or drawn (out of memory) counts as not loaded.
        if (LastPhotoStatus == Gdiplus::Ok)
            LastPhotoStatus = status != Gdiplus::Ok ? status : Gdiplus::OutOfMemory;
        image = FallbackPhoto();
        canvas = image ? PadOnCanvas(*image, portrait, status) : nullptr;
        if (!canvas)
            throw ui::GraphicsError("Out of system resources");
    }
    return canvas;
}

SIZE ThumbnailSize(bool portrait)
{
    return portrait ? SIZE{150, 200} : SIZE{200, 150};
}

DrawRect ThumbnailPhotoRect(std::uint32_t width, std::uint32_t height, bool portrait)
{
    const SIZE box = ThumbnailSize(portrait);
    if (width == 0 || height == 0)
        return {box.cx / 2, box.cy / 2, 0, 0};
    const double scale = width > height ? static_cast<double>(box.cx) / width : static_cast<double>(box.cy) / height;
    const int w = static_cast<int>(RoundHalfEven(width * scale));
    const int h = static_cast<int>(RoundHalfEven(height * scale));
    return {(box.cx - w) / 2, (box.cy - h) / 2, w, h};
}

std::unique_ptr<ui::Bitmap> MakeThumbnail(Gdiplus::Image& photo, bool portrait)
{
    const SIZE box = ThumbnailSize(portrait);
    auto bitmap = std::make_unique<ui::Bitmap>(box.cx, box.cy);
    bitmap->Canvas().Brush.Color = RGB(255, 255, 255);
    bitmap->Canvas().Brush.Style = ui::BrushStyle::Solid;
    bitmap->Canvas().FillRect({0, 0, box.cx, box.cy});

    const DrawRect place = ThumbnailPhotoRect(photo.GetWidth(), photo.GetHeight(), portrait);
    if (place.Width > 0 && place.Height > 0) {
        Gdiplus::Graphics graphics(bitmap->DC());
        graphics.SetInterpolationMode(Gdiplus::InterpolationModeHighQualityBicubic);
        ui::DrawImageKeepingEdges(graphics, photo,
                                  Gdiplus::RectF(static_cast<Gdiplus::REAL>(place.X), static_cast<Gdiplus::REAL>(place.Y),
                                                 static_cast<Gdiplus::REAL>(place.Width),
                                                 static_cast<Gdiplus::REAL>(place.Height)));
    }
    bitmap->Changed();
    return bitmap;
}

Gdiplus::RectF CropSourceRect(std::uint32_t photoWidth, std::uint32_t photoHeight, double x, double y, double w,
                              double h)
{
    return Gdiplus::RectF(static_cast<Gdiplus::REAL>(photoWidth * x), static_cast<Gdiplus::REAL>(photoHeight * y),
                          static_cast<Gdiplus::REAL>(RoundHalfEven(photoWidth * w)),
                          static_cast<Gdiplus::REAL>(RoundHalfEven(photoHeight * h)));
}

std::unique_ptr<ui::Bitmap> CropScalePhoto(Gdiplus::Image& photo, int width, int height, double x, double y,
                                           double w, double h)
{
    return CropScalePhoto(photo, width, height, CropSourceRect(photo.GetWidth(), photo.GetHeight(), x, y, w, h));
}

std::unique_ptr<ui::Bitmap> CropScalePhoto(Gdiplus::Image& photo, int width, int height, const Gdiplus::RectF& source)
{
    auto bitmap = std::make_unique<ui::Bitmap>(width, height, ui::PixelFormat::Bits24);
    if (bitmap->Empty())
        return bitmap;
    Gdiplus::Graphics graphics(bitmap->DC());
    graphics.SetInterpolationMode(Gdiplus::InterpolationModeHighQualityBicubic);
    ui::DrawImageKeepingEdges(
        graphics, photo, Gdiplus::RectF(0, 0, static_cast<Gdiplus::REAL>(width), static_cast<Gdiplus::REAL>(height)),
        source);
    bitmap->Changed();
    return bitmap;
}

// ---- Colour effects -------------------------------------------------------------------------

std::uint8_t ClampByte(std::int64_t value)
{
    return static_cast<std::uint8_t>(value > 255 ? 255 : value < 0 ? 0 : value);
}

// The amounts come from stored settings of any size: the sums are taken in 64 bits so that no
// amount can overflow them.

std::uint8_t BrightnessChannel(std::uint8_t channel, std::int32_t amount)
{
    return ClampByte(std::int64_t{channel} + amount);
}

std::uint8_t ContrastChannel(std::uint8_t channel, std::int32_t amount)
{
    const std::int64_t c = channel;
    const std::int64_t d = (std::llabs(127 - c) * amount) / 255;
    return ClampByte(c > 127 ? c + d : c - d);
}

Bgr SaturationPixel(Bgr pixel, std::int32_t amount)
{
    const std::int64_t g = (pixel.B + pixel.G + pixel.R) / 3;
    const std::int64_t factor = std::int64_t{amount} + 255;
    auto channel = [&](std::uint8_t c) { return ClampByte(g + ((c - g) * factor) / 255); };
    return {channel(pixel.B), channel(pixel.G), channel(pixel.R)};
}

std::uint8_t NoiseChannel(std::uint8_t channel, std::int32_t draw, std::int32_t amount)
{
    return ClampByte(std::int64_t{channel} + draw - amount / 2);
}

std::uint8_t EmbossChannel(std::uint8_t channel, std::uint8_t neighbour)
{
    return static_cast<std::uint8_t>((channel + (255 - neighbour)) / 2);
}

Bgr SepiaTint(std::uint8_t grey, std::int32_t amount)
{
    return {grey, ClampByte(std::int64_t{grey} + amount), ClampByte(std::int64_t{grey} + 2 * std::int64_t{amount})};
}

namespace {

// Every pixel, top row first and left to right, replaced by what change makes of it.
template <typename PixelChange>
void ForEachPixel(ui::Bitmap& bitmap, PixelChange change)
{
    const int width = bitmap.Width();
    for (int y = 0; y < bitmap.Height(); ++y) {
        std::uint8_t* p = bitmap.ScanLine(y);
        for (int x = 0; x < width; ++x, p += 3) {
            const Bgr result = change(Bgr{p[0], p[1], p[2]});
            p[0] = result.B;
            p[1] = result.G;
            p[2] = result.R;
        }
    }
    bitmap.Changed();
}

int EmbossNeighbourColumn(int x, int width)
{
    return x + 3 < width ? x + 3 : x;
}

void EmbossRow(std::uint8_t* row, const std::uint8_t* neighbours, int width)
{
    for (int x = 0; x < width; ++x) {
        const std::uint8_t* n = neighbours + 3 * EmbossNeighbourColumn(x, width);
        std::uint8_t* p = row + 3 * x;
        p[0] = EmbossChannel(p[0], n[0]);
        p[1] = EmbossChannel(p[1], n[1]);
        p[2] = EmbossChannel(p[2], n[2]);
    }
}

} // namespace

void ApplyBrightness(ui::Bitmap& bitmap, std::int32_t amount)
{
    ForEachPixel(bitmap, [amount](Bgr p) -> Bgr {
        return {BrightnessChannel(p.B, amount), BrightnessChannel(p.G, amount), BrightnessChannel(p.R, amount)};
    });
}

void ApplyContrast(ui::Bitmap& bitmap, std::int32_t amount)
{
    ForEachPixel(bitmap, [amount](Bgr p) -> Bgr {
        return {ContrastChannel(p.B, amount), ContrastChannel(p.G, amount), ContrastChannel(p.R, amount)};
    });
}

void ApplySaturation(ui::Bitmap& bitmap, std::int32_t amount)
{
    ForEachPixel(bitmap, [amount](Bgr p) { return SaturationPixel(p, amount); });
}

void ApplyColorNoise(ui::Bitmap& bitmap, std::int32_t amount)
{
    if (amount <= 0)
        return;
    const auto range = static_cast<std::uint32_t>(amount);
    ForEachPixel(bitmap, [amount, range](Bgr p) -> Bgr {
        // One draw per channel, in the order blue, green, red.
        const auto b = NoiseChannel(p.B, static_cast<std::int32_t>(Random(range)), amount);
        const auto g = NoiseChannel(p.G, static_cast<std::int32_t>(Random(range)), amount);
        const auto r = NoiseChannel(p.R, static_cast<std::int32_t>(Random(range)), amount);
        return {b, g, r};
    });
}

void ApplyEmboss(ui::Bitmap& bitmap)
{
    const int width = bitmap.Width(), height = bitmap.Height();
    // Each row against the unchanged row below it...
    for (int y = 0; y + 1 < height; ++y)
        EmbossRow(bitmap.ScanLine(y), bitmap.ScanLine(y + 1), width);
    // ...and the last row against the rewritten row above. With fewer than two rows nothing has
    // changed yet when this row access fails.
    std::uint8_t* last = bitmap.ScanLine(height - 1);
    EmbossRow(last, bitmap.ScanLine(height - 2), width);
    bitmap.Changed();
}

void ApplySepia(ui::Bitmap& bitmap, std::int32_t amount)
{
    ApplySaturation(bitmap, -255);
    ForEachPixel(bitmap, [amount](Bgr p) { return SepiaTint(p.B, amount); });
}

// ---- Colours ------------------------------------------------------------------------------------

namespace {
BYTE LightenChannel(BYTE channel, std::uint8_t percent)
{
    const double lightened = channel + (255 - channel) * percent / 100.0;
    // A percent above 100 must not carry into the neighbouring channel.
    return static_cast<BYTE>(std::min(RoundHalfEven(lightened), 255.0));
}
} // namespace

COLORREF LightenColor(COLORREF color, std::uint8_t percent)
{
    return RGB(LightenChannel(GetRValue(color), percent), LightenChannel(GetGValue(color), percent),
               LightenChannel(GetBValue(color), percent));
}

// ---- Drawing helpers ------------------------------------------------------------------------

void FillGradientRect(HDC dc, const RECT& rect, COLORREF color1, COLORREF color2, bool horizontal,
                      std::uint8_t alpha)
{
    Gdiplus::Graphics graphics(dc);
    const Gdiplus::Rect area(rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top);
    Gdiplus::LinearGradientBrush brush(area, Gdiplus::Color(ui::ArgbFromColor(color1, alpha)),
                                       Gdiplus::Color(ui::ArgbFromColor(color2, alpha)),
                                       horizontal ? Gdiplus::LinearGradientModeHorizontal
                                                  : Gdiplus::LinearGradientModeVertical);
    // A rectangle without width or height makes no brush: nothing to fill.
    if (brush.GetLastStatus() == Gdiplus::Ok)
        graphics.FillRectangle(&brush, area);
}

namespace {

struct ComRelease {
    void operator()(IUnknown* object) const { object->Release(); }
};

} // namespace

ui::GpBitmapPtr DecodeImageBytes(std::string_view bytes)
{
    IStream* created = nullptr;
    HRESULT result = CreateStreamOnHGlobal(nullptr, TRUE, &created);
    if (FAILED(result))
        throw ui::OleError(result);
    // The bitmap takes its own reference: the memory lives as long as it does.
    std::unique_ptr<IStream, ComRelease> stream(created);
    result = stream->Write(bytes.data(), static_cast<ULONG>(bytes.size()), nullptr);
    if (FAILED(result))
        throw ui::OleError(result);
    LARGE_INTEGER start{};
    result = stream->Seek(start, STREAM_SEEK_SET, nullptr);
    if (FAILED(result))
        throw ui::OleError(result);
    return ui::GpBitmapPtr(new Gdiplus::Bitmap(stream.get(), FALSE));
}

ui::GpBitmapPtr LoadPngResource(const std::string& name)
{
    const ui::ResourceStream resource(GetModuleHandleA(nullptr), name, "PNG");
    return DecodeImageBytes(std::string_view(static_cast<const char*>(resource.Data()), resource.Size()));
}

void DrawCentredOver(ui::Bitmap& box, Gdiplus::Bitmap& image, COLORREF background)
{
    const std::uint8_t back[3] = {GetBValue(background), GetGValue(background), GetRValue(background)};
    for (int y = 0; y < box.Height(); ++y) {
        std::uint8_t* row = box.ScanLine(y);
        for (int x = 0; x < box.Width(); ++x, row += 3)
            std::memcpy(row, back, 3);
    }
    const int width = static_cast<int>(image.GetWidth()), height = static_cast<int>(image.GetHeight());
    const int left = box.Width() / 2 - width / 2, top = box.Height() / 2 - height / 2;
    // The part of the image inside the box.
    const int x0 = std::max(0, -left), y0 = std::max(0, -top);
    const int x1 = std::min(width, box.Width() - left), y1 = std::min(height, box.Height() - top);
    if (x0 < x1 && y0 < y1) {
        const Gdiplus::Rect area(x0, y0, x1 - x0, y1 - y0);
        Gdiplus::BitmapData data{};
        if (image.LockBits(&area, Gdiplus::ImageLockModeRead, PixelFormat32bppARGB, &data) == Gdiplus::Ok) {
            for (int y = y0; y < y1; ++y) {
                const auto* from = static_cast<const std::uint8_t*>(data.Scan0) +
                                   static_cast<std::ptrdiff_t>(y - y0) * data.Stride;
                std::uint8_t* to = box.ScanLine(top + y) + std::ptrdiff_t{3} * (left + x0);
                for (int x = x0; x < x1; ++x, from += 4, to += 3) {
                    const unsigned alpha = from[3];
                    for (int c = 0; c < 3; ++c)
                        to[c] = static_cast<std::uint8_t>((from[c] * alpha + to[c] * (255 - alpha) + 127) / 255);
                }
            }
            image.UnlockBits(&data);
        }
    }
    box.Changed();
}

void DrawPngResource(Gdiplus::Graphics& graphics, const std::string& name, int x, int y, int width, int height)
{
    const ui::GpBitmapPtr picture = LoadPngResource(name);
    const INT w = width ? width : static_cast<INT>(picture->GetWidth());
    const INT h = height ? height : static_cast<INT>(picture->GetHeight());
    graphics.DrawImage(picture.get(), Gdiplus::Rect(x, y, w, h));
}

} // namespace lumetta
