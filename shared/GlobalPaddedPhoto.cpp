#include "shared/GlobalPaddedPhoto.h"

#include <algorithm>
#include <cmath>
#include <new>

#include "shared/GlobalGraphics.h"
#include "ui/Error.h"

namespace lumetta {

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

namespace {

// Compared by division: the sides of a canvas for any 32-bit photo side multiply past 64 bits.
bool CanvasFits(const PaddedCanvasLayout& canvas, std::int64_t maxCanvasPixels)
{
    return canvas.Width == 0 || canvas.Height == 0 || (maxCanvasPixels >= 0 && canvas.Width <= maxCanvasPixels / canvas.Height);
}

} // namespace

PaddedPhotoLayout FitPaddedCanvas(std::uint32_t width, std::uint32_t height, bool portrait,
                                  std::int64_t maxCanvasPixels)
{
    const PaddedCanvasLayout natural = PaddedCanvasFor(width, height, portrait);
    if (CanvasFits(natural, maxCanvasPixels) || width == 0 || height == 0)
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
        if (CanvasFits(canvas, maxCanvasPixels) || side == 1)
            return {w, h, canvas};
    }
}

TUprightAxes UprightAxes(PhotoTurn turn)
{
    // A quarter clockwise shows the stored rows bottom up as columns; three quarters, the stored
    // columns right to left as rows. A mirror reverses whatever runs across afterwards.
    TUprightAxes axes;
    switch (((turn.QuarterTurns % 4) + 4) % 4) {
    case 1: axes = {true, true, false}; break;
    case 2: axes = {false, true, true}; break;
    case 3: axes = {true, false, true}; break;
    default: break;
    }
    if (turn.Mirror)
        axes.AcrossReversed = !axes.AcrossReversed;
    return axes;
}

std::size_t HalvedCopyLevel(double footprintX, double footprintY, std::size_t copies)
{
    std::size_t level = 0;
    while (level < copies && footprintX >= 2 && footprintY >= 2) {
        footprintX /= 2;
        footprintY /= 2;
        ++level;
    }
    return level;
}

TPaddedPhoto::TPaddedPhoto(ui::GpBitmapPtr decoded, PhotoTurn turn, bool portrait)
    : decoded_(std::move(decoded)), turn_(turn)
{
    ReadPixels();
    const bool swapped = turn_.SwapsSides();
    layout_ = FitPaddedCanvas(swapped ? pixels_.Height : pixels_.Width, swapped ? pixels_.Width : pixels_.Height, portrait);
}

TPaddedPhoto::TPaddedPhoto(ui::GpBitmapPtr canvas) : decoded_(std::move(canvas))
{
    ReadPixels();
    layout_ = {pixels_.Width, pixels_.Height, {pixels_.Width, pixels_.Height, 0, 0}};
}

TPaddedPhoto::TPaddedPhoto(TOwnedPlane pixels, bool portrait) : own_(std::move(pixels)), pixels_(own_.View())
{
    layout_ = FitPaddedCanvas(pixels_.Width, pixels_.Height, portrait);
}

TPaddedPhoto::~TPaddedPhoto()
{
    if (isLocked_)
        decoded_->UnlockBits(&locked_);
}

void TPaddedPhoto::ReadPixels()
{
    if (!decoded_ || decoded_->GetLastStatus() != Gdiplus::Ok)
        throw ui::GraphicsError("The photo cannot be read");
    const auto width = static_cast<INT>(decoded_->GetWidth()), height = static_cast<INT>(decoded_->GetHeight());
    // A 24-bit photo (every JPEG) is read where the decoder left it: no copy of its pixels.
    if (decoded_->GetPixelFormat() == PixelFormat24bppRGB) {
        const Gdiplus::Rect all(0, 0, width, height);
        if (decoded_->LockBits(&all, Gdiplus::ImageLockModeRead, PixelFormat24bppRGB, &locked_) != Gdiplus::Ok)
            throw ui::GraphicsError("The photo cannot be read");
        isLocked_ = true;
        pixels_ = {static_cast<const std::uint8_t*>(locked_.Scan0), locked_.Stride, locked_.Width, locked_.Height};
        return;
    }
    // Any other format is made 24-bit over white, a band of rows at a time so that the platform's
    // converted copy stays small; the decoded photo then goes.
    own_ = TOwnedPlane(static_cast<std::uint32_t>(width), static_cast<std::uint32_t>(height));
    constexpr INT bandRows = 64;
    for (INT top = 0; top < height; top += bandRows) {
        const Gdiplus::Rect band(0, top, width, std::min(bandRows, height - top));
        Gdiplus::BitmapData data{};
        if (decoded_->LockBits(&band, Gdiplus::ImageLockModeRead, PixelFormat32bppARGB, &data) != Gdiplus::Ok)
            throw ui::GraphicsError("The photo cannot be read");
        for (INT y = 0; y < band.Height; ++y) {
            const auto* from = static_cast<const std::uint8_t*>(data.Scan0) + static_cast<std::ptrdiff_t>(y) * data.Stride;
            std::uint8_t* to = own_.Row(static_cast<std::uint32_t>(top + y));
            for (INT x = 0; x < width; ++x, from += 4, to += 3) {
                const unsigned alpha = from[3];
                for (int c = 0; c < 3; ++c)
                    to[c] = BlendOver(from[c], alpha, 255);
            }
        }
        decoded_->UnlockBits(&data);
    }
    decoded_.reset();
    pixels_ = own_.View();
}

void TPaddedPhoto::MakeHalvedCopies()
{
    halves_.clear();
    TPixelPlane above = pixels_;
    // Without memory for the next copy the preview makes do with the copies there are.
    try {
        while (above.Width / 2 >= HalvedCopyMinSide && above.Height / 2 >= HalvedCopyMinSide) {
            halves_.push_back(HalvePlane(above));
            above = halves_.back().View();
        }
    } catch (const std::bad_alloc&) {
    }
}

std::unique_ptr<ui::Bitmap> TPaddedPhoto::Scale(int width, int height, const Gdiplus::RectF& source,
                                                bool fromHalvedCopies) const
{
    auto bitmap = std::make_unique<ui::Bitmap>(width, height, ui::PixelFormat::Bits24);
    // Nothing to scale from a source of no size, as nothing is drawn from it.
    if (bitmap->Empty() || !std::isfinite(source.X) || !std::isfinite(source.Y) || !std::isfinite(source.Width) ||
        !std::isfinite(source.Height) || source.Width == 0 || source.Height == 0)
        return bitmap;

    const TUprightAxes axes = UprightAxes(turn_);
    const double photoPerCanvasX = (axes.Transposed ? pixels_.Height : pixels_.Width) / static_cast<double>(layout_.PhotoWidth);
    const double photoPerCanvasY = (axes.Transposed ? pixels_.Width : pixels_.Height) / static_cast<double>(layout_.PhotoHeight);
    const std::size_t level =
        fromHalvedCopies ? HalvedCopyLevel(std::abs(source.Width) / width * photoPerCanvasX,
                                           std::abs(source.Height) / height * photoPerCanvasY, halves_.size())
                         : 0;
    const TPixelPlane plane = level == 0 ? pixels_ : halves_[level - 1].View();
    // Pixel n of copy i is the mean of the photo's pixels 2^i n to 2^i n + 2^i - 1.
    const double scale = std::ldexp(1.0, -static_cast<int>(level));
    const TCanvasAxis across{static_cast<double>(layout_.Canvas.Width), static_cast<double>(layout_.Canvas.PhotoX),
                             static_cast<double>(layout_.PhotoWidth), photoPerCanvasX * scale,
                             axes.Transposed ? plane.Height : plane.Width, axes.AcrossReversed};
    const TCanvasAxis down{static_cast<double>(layout_.Canvas.Height), static_cast<double>(layout_.Canvas.PhotoY),
                           static_cast<double>(layout_.PhotoHeight), photoPerCanvasY * scale,
                           axes.Transposed ? plane.Width : plane.Height, axes.DownReversed};
    const TAxisTaps x = CanvasAxisTaps(across, source.X, source.Width, static_cast<std::uint32_t>(width));
    const TAxisTaps y = CanvasAxisTaps(down, source.Y, source.Height, static_cast<std::uint32_t>(height));

    std::uint8_t* const top = bitmap->ScanLine(0);
    const TPixelTarget target{top, height > 1 ? bitmap->ScanLine(1) - top : 0};
    if (axes.Transposed)
        ResamplePlane(plane, y, x, true, target);
    else
        ResamplePlane(plane, x, y, false, target);
    bitmap->Changed();
    return bitmap;
}

} // namespace lumetta
