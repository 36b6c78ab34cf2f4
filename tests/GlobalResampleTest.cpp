// Scaling by our own row loops: the taps each output pixel takes, the halved copies, and the
// choice of the copy a preview scales from.
#include "shared/GlobalResample.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "ImageSupport.h"
#include "shared/GlobalGraphics.h"
#include "shared/GlobalPaddedPhoto.h"

using namespace lumetta;
using namespace lumetta::test;

namespace {

// Output pixel i's taps as (memory pixel, weight) pairs.
std::vector<std::pair<std::uint32_t, float>> TapsOf(const TAxisTaps& taps, std::size_t i)
{
    std::vector<std::pair<std::uint32_t, float>> out;
    for (std::uint32_t q = 0; q < taps.Count[i]; ++q)
        out.emplace_back(taps.First[i] + q, taps.Weights[taps.Offset[i] + q]);
    return out;
}

using Taps = std::vector<std::pair<std::uint32_t, float>>;

TEST(Resample, OnePhotoPixelToAnOutputPixelIsACopy)
{
    // Canvas 10, photo on all of it: a source from 2 over 5 pixels into 5 outputs.
    const TCanvasAxis axis{10, 0, 10, 1, 10, false};
    const TAxisTaps taps = CanvasAxisTaps(axis, 2, 5, 5);
    for (std::size_t i = 0; i < 5; ++i) {
        EXPECT_EQ(TapsOf(taps, i), (Taps{{static_cast<std::uint32_t>(2 + i), 1.0f}})) << i;
        EXPECT_EQ(taps.PhotoShare[i], 1.0f);
    }
    // Reversed in memory (a turned photo): the same canvas pixels from the other end.
    const TAxisTaps reversed = CanvasAxisTaps({10, 0, 10, 1, 10, true}, 2, 5, 5);
    EXPECT_EQ(TapsOf(reversed, 0), (Taps{{7, 1.0f}}));
    EXPECT_EQ(TapsOf(reversed, 4), (Taps{{3, 1.0f}}));
}

TEST(Resample, AReductionAveragesWhatEachOutputPixelCovers)
{
    // 2.5 pixels to an output pixel, around the points 0 and 2.5 between pixel centres: [-0.75,
    // 1.75) and [1.75, 4.25). Before the canvas's start the picture mirrors.
    const TAxisTaps taps = CanvasAxisTaps({10, 0, 10, 1, 10, false}, 0, 5, 2);
    EXPECT_EQ(TapsOf(taps, 0), (Taps{{0, 0.7f}, {1, 0.3f}}));
    EXPECT_EQ(TapsOf(taps, 1), (Taps{{1, 0.1f}, {2, 0.4f}, {3, 0.4f}, {4, 0.1f}}));

    // A photo reduced onto its canvas: 15 photo pixels on 10 canvas pixels, so canvas [2, 4)
    // is photo [3, 6).
    const TAxisTaps reduced = CanvasAxisTaps({10, 0, 10, 1.5, 15, false}, 2.5, 2, 1);
    EXPECT_EQ(TapsOf(reduced, 0), (Taps{{3, 1 / 3.0f}, {4, 1 / 3.0f}, {5, 1 / 3.0f}}));

    // The white around a photo on its canvas: photo at 5 over 10 of a canvas of 20. [-1.5, 2.5)
    // is all white; [2.5, 6.5) five eighths white.
    const TAxisTaps banded = CanvasAxisTaps({20, 5, 10, 1, 10, false}, 0, 20, 5);
    EXPECT_EQ(banded.Count[0], 0u);
    EXPECT_EQ(banded.PhotoShare[0], 0.0f);
    EXPECT_EQ(TapsOf(banded, 1), (Taps{{0, 0.25f}, {1, 0.125f}}));
    EXPECT_EQ(banded.PhotoShare[1], 0.375f);
    // A photo cut by its canvas (placed at -3): canvas [0, 2), around 1, is photo [3, 5).
    EXPECT_EQ(TapsOf(CanvasAxisTaps({4, -3, 10, 1, 10, false}, 0.5, 2, 1), 0), (Taps{{3, 0.5f}, {4, 0.5f}}));
}

TEST(Resample, AnEnlargementInterpolatesBetweenCentresAndRepeatsTheCanvasEdge)
{
    // Four outputs from two pixels, sampled at 0, 0.5, 1 and 1.5 between pixel centres; the last
    // lies beyond the last centre and takes the edge pixel itself.
    const TAxisTaps taps = CanvasAxisTaps({2, 0, 2, 1, 2, false}, 0, 2, 4);
    EXPECT_EQ(TapsOf(taps, 0), (Taps{{0, 1.0f}}));
    EXPECT_EQ(TapsOf(taps, 1), (Taps{{0, 0.5f}, {1, 0.5f}}));
    EXPECT_EQ(TapsOf(taps, 2), (Taps{{1, 1.0f}}));
    EXPECT_EQ(TapsOf(taps, 3), (Taps{{1, 1.0f}}));
    // Beside a white band the photo's edge blends with the white, half and half at the border.
    const TAxisTaps banded = CanvasAxisTaps({4, 1, 2, 1, 2, false}, 0.5, 1, 2);
    EXPECT_EQ(TapsOf(banded, 0), (Taps{{0, 0.5f}}));
    EXPECT_EQ(banded.PhotoShare[0], 0.5f);
    EXPECT_EQ(TapsOf(banded, 1), (Taps{{0, 1.0f}}));
    // A source reaching far past the canvas still reads only the canvas's edge.
    const TAxisTaps beyond = CanvasAxisTaps({2, 0, 2, 1, 2, false}, 1e9, 1, 3);
    for (std::size_t i = 0; i < 3; ++i)
        EXPECT_EQ(TapsOf(beyond, i), (Taps{{1, 1.0f}}));
}

TEST(Resample, PlanesScaleWithWhiteAroundThePhotoAndTurnByTheirAxes)
{
    // A 2 x 2 plane, pixels 10, 20 / 30, 40 (all channels alike), on a 4 x 2 canvas at x = 1.
    TOwnedPlane plane(2, 2);
    const std::uint8_t values[2][2] = {{10, 20}, {30, 40}};
    for (std::uint32_t y = 0; y < 2; ++y)
        for (std::uint32_t x = 0; x < 2; ++x)
            std::fill_n(plane.Row(y) + 3 * x, 3, values[y][x]);
    const TAxisTaps across = CanvasAxisTaps({4, 1, 2, 1, 2, false}, 0, 4, 4);
    const TAxisTaps down = CanvasAxisTaps({2, 0, 2, 1, 2, false}, 0, 2, 2);
    std::uint8_t out[2][4][3] = {};
    ResamplePlane(plane.View(), across, down, false, {&out[0][0][0], 12});
    EXPECT_EQ(out[0][0][0], 255);
    EXPECT_EQ(out[0][1][0], 10);
    EXPECT_EQ(out[1][2][1], 40);
    EXPECT_EQ(out[1][3][2], 255);
    // Transposed: the output's rows run down the plane's columns, its columns along its rows.
    std::uint8_t turned[2][4][3] = {};
    ResamplePlane(plane.View(), down, across, true, {&turned[0][0][0], 12});
    EXPECT_EQ(turned[0][0][0], 255);
    EXPECT_EQ(turned[0][1][0], 10);
    EXPECT_EQ(turned[1][1][0], 20);
    EXPECT_EQ(turned[0][2][0], 30);
    EXPECT_EQ(turned[1][3][0], 255);
}

TEST(Resample, HalvingAveragesEachBlockTiesToEvenAndKeepsAnOddLastRowAndColumn)
{
    // 5 x 3 gives 3 x 2: two whole 2 x 2 blocks, then the lone last column and row. Pixels as
    // (red, green, blue).
    TOwnedPlane source(5, 3);
    const auto set = [&](std::uint32_t x, std::uint32_t y, std::uint8_t r, std::uint8_t g, std::uint8_t b) {
        std::uint8_t* p = source.Row(y) + 3 * x;
        p[0] = b;
        p[1] = g;
        p[2] = r;
    };
    for (std::uint32_t y = 0; y < 3; ++y)
        for (std::uint32_t x = 0; x < 5; ++x)
            set(x, y, 255, 255, 255);
    // Block 0, red 0 0 1 1 (1/2 goes to 0), green 1 1 2 2 (3/2 goes to 2), blue 0 1 1 1 (3/4 up).
    set(0, 0, 0, 1, 0);
    set(1, 0, 0, 1, 1);
    set(0, 1, 1, 2, 1);
    set(1, 1, 1, 2, 1);
    // Block 1, red 10 20 30 40, green 255 255 255 254 (254 3/4 up), blue 0 0 0 1 (1/4 down).
    set(2, 0, 10, 255, 0);
    set(3, 0, 20, 255, 0);
    set(2, 1, 30, 255, 0);
    set(3, 1, 40, 254, 1);
    // The last column's pair: red 3 and 4 (7/2 goes to 4), green 5 and 6 (11/2 to 6), blue 1 and 2
    // (3/2 to 2); the last row's pair red 0 and 1 (1/2 to 0); the corner alone.
    set(4, 0, 3, 5, 1);
    set(4, 1, 4, 6, 2);
    set(0, 2, 0, 9, 9);
    set(1, 2, 1, 9, 9);
    set(4, 2, 77, 88, 99);

    TOwnedPlane half = HalvePlane(source.View());
    ASSERT_EQ(half.Width(), 3u);
    ASSERT_EQ(half.Height(), 2u);
    const auto at = [&](std::uint32_t x, std::uint32_t y) {
        const std::uint8_t* p = half.Row(y) + 3 * x;
        return RGB(p[2], p[1], p[0]);
    };
    EXPECT_EQ(at(0, 0), RGB(0, 2, 1));
    EXPECT_EQ(at(1, 0), RGB(25, 255, 0));
    EXPECT_EQ(at(2, 0), RGB(4, 6, 2));
    EXPECT_EQ(at(0, 1), RGB(0, 9, 9));
    EXPECT_EQ(at(2, 1), RGB(77, 88, 99));
}

TEST(Resample, TheHalvedCopyToScaleFromIsTheSmallestNotEnlarged)
{
    EXPECT_EQ(HalvedCopyLevel(16, 16, 8), 4u);
    EXPECT_EQ(HalvedCopyLevel(15.9, 16, 8), 3u);
    EXPECT_EQ(HalvedCopyLevel(16, 3, 8), 1u);
    EXPECT_EQ(HalvedCopyLevel(1000, 1000, 2), 2u); // no more copies than there are
    EXPECT_EQ(HalvedCopyLevel(1.99, 100, 8), 0u);
    EXPECT_EQ(HalvedCopyLevel(0.5, 0.5, 8), 0u);
}

// Where a line of a picture crosses half of a channel's ramp, in pixels (linear between them):
// red along a row, green down a column.
double HalfwayAt(const ui::Bitmap& picture, bool across, int line)
{
    const int count = across ? picture.Width() : picture.Height();
    const auto value = [&](int i) {
        return across ? GetRValue(PixelOf(picture, i, line)) : GetGValue(PixelOf(picture, line, i));
    };
    for (int i = 1; i < count; ++i) {
        const double a = value(i - 1), b = value(i);
        if (a < 127.5 && b >= 127.5)
            return i - 1 + (127.5 - a) / (b - a);
    }
    return -1;
}

TEST(Resample, AClipOfAHalvedCopyLiesWhereTheClipOfThePhotoLies)
{
    // Odd sides at every level: 1007 = 8 x 125 + 7 and 759 = 8 x 94 + 7. Red ramps up over
    // columns 880 to 979, green over rows 640 to 739: both halfway near the far side of the clip.
    // Turned a quarter, so that the copies are read across their rows as well.
    ui::GpBitmapPtr stored(new Gdiplus::Bitmap(759, 1007, PixelFormat24bppRGB));
    {
        const Gdiplus::Rect all(0, 0, 759, 1007);
        Gdiplus::BitmapData data{};
        ASSERT_EQ(stored->LockBits(&all, Gdiplus::ImageLockModeWrite, PixelFormat24bppRGB, &data), Gdiplus::Ok);
        const auto ramp = [](int at, int from) { return static_cast<BYTE>(std::clamp((at - from) * 255 / 99, 0, 255)); };
        for (int t = 0; t < 1007; ++t) {
            BYTE* row = static_cast<BYTE*>(data.Scan0) + static_cast<std::ptrdiff_t>(t) * data.Stride;
            for (int s = 0; s < 759; ++s, row += 3) {
                // A quarter clockwise shows stored (s, t) at upright (1006 - t, s).
                row[0] = 0;
                row[1] = ramp(s, 640);
                row[2] = ramp(1006 - t, 880);
            }
        }
        stored->UnlockBits(&data);
    }
    TPaddedPhoto photo(std::move(stored), UprightTurn(6), false);
    ASSERT_EQ(photo.Width(), 1007u);
    photo.MakeHalvedCopies();
    ASSERT_EQ(photo.HalvedCopyCount(), 5u); // down to 32 x 24
    const Gdiplus::RectF clip = CropSourceRect(1007, 759, 0.7, 0.7, 0.25, 0.25);
    const auto fromCopy = photo.Scale(30, 22, clip, true);
    const auto fromPhoto = photo.Scale(30, 22, clip, false);
    for (const auto& [across, line] : {std::pair{true, 3}, {true, 18}, {false, 4}, {false, 27}}) {
        const double expected = HalfwayAt(*fromPhoto, across, line);
        ASSERT_GT(expected, 10) << across << line;
        EXPECT_NEAR(HalfwayAt(*fromCopy, across, line), expected, 0.25) << across << line;
    }
}

} // namespace
