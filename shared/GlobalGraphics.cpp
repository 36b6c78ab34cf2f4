#include "GlobalGraphics.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <exception>

#include "GlobalConsts.h"
#include "GlobalFunc.h"
#include "ui/Error.h"
#include "ui/Handles.h"
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

namespace {

std::unique_ptr<TPaddedPhoto> FallbackPhoto(bool portrait)
{
    // Its pixels stand for nothing: a failed load is always covered by the renderer's placeholder.
    TOwnedPlane pixels(FallbackPhotoWidth, FallbackPhotoHeight);
    for (std::uint32_t y = 0; y < pixels.Height(); ++y)
        std::fill_n(pixels.Row(y), std::size_t{pixels.Width()} * 3, std::uint8_t{0});
    return std::make_unique<TPaddedPhoto>(std::move(pixels), portrait);
}

} // namespace

Status DeclaredPhotoStatus(const std::optional<DeclaredSize>& size)
{
    if (!size)
        return Gdiplus::UnknownImageFormat;
    if (size->Width == 0 || size->Height == 0)
        return Gdiplus::InvalidParameter;
    // A canvas too large for the photo's natural size takes a reduced photo (FitPaddedCanvas).
    return HasPixelsWithin(*size, MaxDecodedPhotoPixels) ? Gdiplus::Ok : Gdiplus::OutOfMemory;
}

std::unique_ptr<TPaddedPhoto> LoadPaddedPhoto(const std::string& fileName, bool portrait)
{
    const std::optional<DeclaredSize> declared = DeclaredImageFileSize(fileName);
    LastPhotoStatus = DeclaredPhotoStatus(declared);
    if (LastPhotoStatus != Gdiplus::Ok)
        return FallbackPhoto(portrait);
    // From a copy in memory: the photo lives as long as it is shown, its file must not be held.
    ui::GpBitmapPtr image;
    try {
        image = DecodeImageFile(fileName, true);
        LastPhotoStatus = image ? image->GetLastStatus() : Gdiplus::Win32Error;
    } catch (const ui::OleError&) {
        LastPhotoStatus = Gdiplus::OutOfMemory;
    }
    if (LastPhotoStatus != Gdiplus::Ok || image->GetWidth() == 0 || image->GetHeight() == 0)
        return FallbackPhoto(portrait);
    // Pixels that cannot be read (out of memory) count as not loaded.
    try {
        return std::make_unique<TPaddedPhoto>(std::move(image), UprightTurn(declared->Orientation), portrait);
    } catch (const std::bad_alloc&) {
    } catch (const ui::GraphicsError&) {
    }
    LastPhotoStatus = Gdiplus::OutOfMemory;
    return FallbackPhoto(portrait);
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

std::unique_ptr<ui::Bitmap> MakeThumbnail(const TPaddedPhoto& photo, bool portrait)
{
    const SIZE box = ThumbnailSize(portrait);
    auto bitmap = std::make_unique<ui::Bitmap>(box.cx, box.cy);
    bitmap->Canvas().Brush.Color = RGB(255, 255, 255);
    bitmap->Canvas().Brush.Style = ui::BrushStyle::Solid;
    bitmap->Canvas().FillRect({0, 0, box.cx, box.cy});

    const DrawRect place = ThumbnailPhotoRect(photo.Width(), photo.Height(), portrait);
    if (place.Width > 0 && place.Height > 0) {
        const auto scaled = photo.Scale(place.Width, place.Height,
                                        Gdiplus::RectF(0, 0, static_cast<Gdiplus::REAL>(photo.Width()),
                                                       static_cast<Gdiplus::REAL>(photo.Height())),
                                        true);
        BitBlt(bitmap->DC(), place.X, place.Y, place.Width, place.Height, scaled->DC(), 0, 0, SRCCOPY);
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

std::unique_ptr<ui::Bitmap> CropScalePhoto(const TPaddedPhoto& photo, int width, int height, double x, double y,
                                           double w, double h, bool fromHalvedCopies)
{
    return photo.Scale(width, height, CropSourceRect(photo.Width(), photo.Height(), x, y, w, h), fromHalvedCopies);
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

// The whole of a file; false when it cannot be read.
bool ReadWholeFile(const std::string& path, std::string& bytes)
{
    const HANDLE opened = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                      nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (opened == INVALID_HANDLE_VALUE)
        return false;
    const ui::KernelHandle file(opened);
    LARGE_INTEGER size{};
    if (!GetFileSizeEx(file.Get(), &size) || size.QuadPart > 0x7FFFFFFF)
        return false;
    bytes.resize(static_cast<std::size_t>(size.QuadPart));
    DWORD read = 0;
    return bytes.empty() || (ReadFile(file.Get(), bytes.data(), static_cast<DWORD>(bytes.size()), &read, nullptr) &&
                             read == bytes.size());
}

} // namespace

ui::GpBitmapPtr DecodeImageFile(const std::string& path, bool colorManaged)
{
    std::string bytes;
    return ReadWholeFile(path, bytes) ? DecodeImageBytes(bytes, colorManaged) : nullptr;
}

ui::GpBitmapPtr DecodeImageBytes(std::string_view bytes, bool colorManaged)
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
    return ui::GpBitmapPtr(new Gdiplus::Bitmap(stream.get(), colorManaged ? TRUE : FALSE));
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
                        to[c] = BlendOver(from[c], alpha, to[c]);
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
