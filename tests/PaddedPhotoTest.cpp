// The photo on its padded canvas, scaled straight from its own pixels, against the pictures the
// platform's scaler made from a padded canvas of full size.
#include "shared/GlobalPaddedPhoto.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <cstring>

#include "ImageSupport.h"
#include "shared/GlobalGraphics.h"

using namespace lumetta;
using namespace lumetta::test;

namespace {

// A photo-like picture: smooth waves of colour, nothing finer than a few dozen pixels.
ui::GpBitmapPtr Waves(int width, int height)
{
    ui::GpBitmapPtr picture(new Gdiplus::Bitmap(width, height, PixelFormat24bppRGB));
    const Gdiplus::Rect all(0, 0, width, height);
    Gdiplus::BitmapData data{};
    picture->LockBits(&all, Gdiplus::ImageLockModeWrite, PixelFormat24bppRGB, &data);
    for (int y = 0; y < height; ++y) {
        auto* p = static_cast<std::uint8_t*>(data.Scan0) + static_cast<std::ptrdiff_t>(y) * data.Stride;
        for (int x = 0; x < width; ++x, p += 3) {
            p[0] = static_cast<std::uint8_t>(128 + 100 * std::sin(x / 41.0 + y / 67.0));
            p[1] = static_cast<std::uint8_t>(128 + 100 * std::sin(y / 37.0));
            p[2] = static_cast<std::uint8_t>(128 + 100 * std::cos(x / 53.0 - y / 89.0));
        }
    }
    picture->UnlockBits(&data);
    return picture;
}

// The padded canvas as the platform drew it: white, and the stored photo turned upright, drawn at
// its place (reduced where it has to be) with the high-quality scaler; rows from `top` only.
ui::GpBitmapPtr PlatformCanvas(Gdiplus::Bitmap& stored, PhotoTurn turn, bool portrait, int top, int rows)
{
    ui::GpBitmapPtr upright(stored.Clone(0, 0, static_cast<INT>(stored.GetWidth()), static_cast<INT>(stored.GetHeight()),
                                         PixelFormat24bppRGB));
    constexpr Gdiplus::RotateFlipType turns[] = {Gdiplus::RotateNoneFlipNone, Gdiplus::Rotate90FlipNone,
                                                 Gdiplus::Rotate180FlipNone, Gdiplus::Rotate270FlipNone};
    upright->RotateFlip(turns[turn.QuarterTurns]);
    if (turn.Mirror)
        upright->RotateFlip(Gdiplus::RotateNoneFlipX);
    const PaddedPhotoLayout fit = FitPaddedCanvas(upright->GetWidth(), upright->GetHeight(), portrait);
    const INT width = static_cast<INT>(fit.Canvas.Width);
    const INT height = rows > 0 ? rows : static_cast<INT>(fit.Canvas.Height);
    ui::GpBitmapPtr canvas(new Gdiplus::Bitmap(width, height, PixelFormat24bppRGB));
    Gdiplus::Graphics g(canvas.get());
    g.SetInterpolationMode(Gdiplus::InterpolationModeHighQualityBicubic);
    Gdiplus::SolidBrush white(Gdiplus::Color(255, 255, 255, 255));
    g.FillRectangle(&white, 0, 0, width, height);
    ui::DrawImageKeepingEdges(g, *upright,
                              Gdiplus::RectF(static_cast<Gdiplus::REAL>(fit.Canvas.PhotoX),
                                             static_cast<Gdiplus::REAL>(fit.Canvas.PhotoY - top),
                                             static_cast<Gdiplus::REAL>(fit.PhotoWidth),
                                             static_cast<Gdiplus::REAL>(fit.PhotoHeight)));
    return canvas;
}

// A part of that canvas scaled by the platform, as the clip and the thumbnail were.
std::unique_ptr<ui::Bitmap> PlatformScale(Gdiplus::Bitmap& canvas, int width, int height, const Gdiplus::RectF& source)
{
    auto bitmap = std::make_unique<ui::Bitmap>(width, height, ui::PixelFormat::Bits24);
    Gdiplus::Graphics g(bitmap->DC());
    g.SetInterpolationMode(Gdiplus::InterpolationModeHighQualityBicubic);
    ui::DrawImageKeepingEdges(
        g, canvas, Gdiplus::RectF(0, 0, static_cast<Gdiplus::REAL>(width), static_cast<Gdiplus::REAL>(height)), source);
    bitmap->Changed();
    return bitmap;
}

// The mean difference per channel, and how many pixels have a channel off by more than the
// scalers' ways of sampling explain.
std::pair<double, int> Compare(const ui::Bitmap& a, const ui::Bitmap& b)
{
    long long sum = 0;
    int astray = 0;
    for (int y = 0; y < a.Height(); ++y) {
        for (int x = 0; x < a.Width() * 3; x += 3) {
            int most = 0;
            for (int c = x; c < x + 3; ++c) {
                most = std::max(most, std::abs(a.ScanLine(y)[c] - b.ScanLine(y)[c]));
                sum += std::abs(a.ScanLine(y)[c] - b.ScanLine(y)[c]);
            }
            astray += most > 12 ? 1 : 0;
        }
    }
    return {static_cast<double>(sum) / (3.0 * a.Width() * a.Height()), astray};
}

TEST(PaddedPhoto, ScaledFromThePhotoAsThePlatformScaledItsCanvas)
{
    const struct {
        const char* what;
        int photoWidth, photoHeight; // as stored
        std::uint8_t orientation;
        bool portrait;
        TPhotoClipRect clip;
        int width, height; // of the scaled part
        bool halved = false;
        int bandTop = 0, bandRows = 0; // the platform's canvas made of these rows only
    } cases[] = {
        {"whole, a sixth", 900, 500, 1, false, {0, 0, 1, 1}, 150, 112},
        {"whole, as the thumbnail from halved copies", 900, 500, 1, false, {0, 0, 1, 1}, 200, 150, true},
        {"portrait frame, a clip into the white", 900, 500, 1, true, {0.1, 0.2, 0.5, 0.3}, 180, 144},
        {"a clip enlarged three times", 900, 500, 1, false, {0.45, 0.45, 0.1, 0.1}, 270, 203},
        {"a clip at the smallest zoom from halved copies", 900, 500, 1, false, {0.2, 0.2, 0.6, 0.6}, 168, 124, true},
        {"turned a quarter", 500, 900, 6, false, {0.2, 0.1, 0.6, 0.6}, 200, 150},
        {"turned and mirrored", 500, 900, 5, true, {0.1, 0.3, 0.8, 0.4}, 300, 200},
        {"upside down, cut by its canvas", 900, 800, 3, false, {0, 0, 1, 1}, 300, 225},
        {"a panorama reduced onto its canvas", 16000, 400, 1, false, {0.2, 0.47, 0.3, 0.06}, 400, 80, false, 4600, 800},
    };
    for (const auto& c : cases) {
        const ui::GpBitmapPtr stored = Waves(c.photoWidth, c.photoHeight);
        const PhotoTurn turn = UprightTurn(c.orientation);
        const ui::GpBitmapPtr canvas = PlatformCanvas(*stored, turn, c.portrait, c.bandTop, c.bandRows);
        TPaddedPhoto photo(ui::GpBitmapPtr(stored->Clone(0, 0, c.photoWidth, c.photoHeight, PixelFormat24bppRGB)), turn,
                           c.portrait);
        if (c.halved)
            photo.MakeHalvedCopies();
        const Gdiplus::RectF source = CropSourceRect(photo.Width(), photo.Height(), c.clip.X, c.clip.Y, c.clip.W, c.clip.H);
        Gdiplus::RectF inBand = source;
        inBand.Y -= static_cast<Gdiplus::REAL>(c.bandTop);
        const auto [mean, astray] =
            Compare(*photo.Scale(c.width, c.height, source, c.halved), *PlatformScale(*canvas, c.width, c.height, inBand));
        EXPECT_LE(mean, 2.0) << c.what;
        // Where the platform's scaler took one sample, ours averages: along the photo's edge on
        // the canvas an output pixel mixes photo and white, where the platform took either.
        EXPECT_LE(astray, 2 * (c.width + c.height)) << c.what;
    }
}

TEST(PaddedPhoto, APhotoThatFitsItsCanvasIsCopiedToThePixel)
{
    // One to one, the platform's scaler copies; so does ours, white bands included.
    const ui::GpBitmapPtr stored = Waves(300, 400);
    const ui::GpBitmapPtr canvas = PlatformCanvas(*stored, {}, false, 0, 0);
    const TPaddedPhoto photo(ui::GpBitmapPtr(stored->Clone(0, 0, 300, 400, PixelFormat24bppRGB)), {}, false);
    ASSERT_EQ(photo.Width(), 533u);
    const Gdiplus::RectF whole(0, 0, 533, 400);
    const auto ours = photo.Scale(533, 400, whole), platform = PlatformScale(*canvas, 533, 400, whole);
    for (int y = 0; y < 400; ++y)
        ASSERT_EQ(std::memcmp(ours->ScanLine(y), platform->ScanLine(y), 533 * 3), 0) << "row " << y;
    EXPECT_EQ(PixelOf(photo, 115, 200), RGB(255, 255, 255));
    EXPECT_EQ(PixelOf(photo, 116, 0), PixelOf(*stored, 0, 0));
}

} // namespace
