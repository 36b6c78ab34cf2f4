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

using Taps = std::vector<std::pair<std::uint32_t, float>>;

TEST(Resample, EachOutputPixelCopiesAveragesOrInterpolatesTheCanvas)
{
    // Axes: canvas length, photo start and length on it, photo pixels a canvas pixel, photo
    // pixels, reversed. The platform's scaler samples output pixel i at start + i x step between
    // pixel centres; what lies past the canvas's ends mirrors.
    const TCanvasAxis whole{10, 0, 10, 1, 10, false}, reversed{10, 0, 10, 1, 10, true};
    const TCanvasAxis reduced{10, 0, 10, 1.5, 15, false}, banded{20, 5, 10, 1, 10, false};
    const TCanvasAxis cut{4, -3, 10, 1, 10, false}, two{2, 0, 2, 1, 2, false}, narrow{4, 1, 2, 1, 2, false};
    const struct {
        const char* what;
        TCanvasAxis axis;
        double start, length;
        std::uint32_t count, output;
        Taps taps;
        float photoShare;
    } cases[] = {
        {"one to one: a copy", whole, 2, 5, 5, 3, {{5, 1.0f}}, 1},
        {"a turned photo read from the other end", reversed, 2, 5, 5, 0, {{7, 1.0f}}, 1},
        {"2.5 to one from the start, mirrored", whole, 0, 5, 2, 0, {{0, 0.7f}, {1, 0.3f}}, 1},
        {"2.5 to one", whole, 0, 5, 2, 1, {{1, 0.1f}, {2, 0.4f}, {3, 0.4f}, {4, 0.1f}}, 1},
        {"a photo reduced onto its canvas", reduced, 2.5, 2, 1, 0, {{3, 1 / 3.0f}, {4, 1 / 3.0f}, {5, 1 / 3.0f}}, 1},
        {"the white band before the photo", banded, 0, 20, 5, 0, {}, 0},
        {"five eighths white", banded, 0, 20, 5, 1, {{0, 0.25f}, {1, 0.125f}}, 0.375f},
        {"a photo cut by its canvas", cut, 0.5, 2, 1, 0, {{3, 0.5f}, {4, 0.5f}}, 1},
        {"an enlargement between centres", two, 0, 2, 4, 1, {{0, 0.5f}, {1, 0.5f}}, 1},
        {"past the last centre, the edge", two, 0, 2, 4, 3, {{1, 1.0f}}, 1},
        {"far past the canvas, still its edge", two, 1e9, 1, 3, 2, {{1, 1.0f}}, 1},
        {"half and half at the white's border", narrow, 0.5, 1, 2, 0, {{0, 0.5f}}, 0.5f},
    };
    for (const auto& c : cases) {
        const TAxisTaps taps = CanvasAxisTaps(c.axis, c.start, c.length, c.count);
        ASSERT_EQ(taps.Size(), c.count) << c.what;
        Taps got;
        for (std::uint32_t q = 0; q < taps.Count[c.output]; ++q)
            got.emplace_back(taps.First[c.output] + q, taps.Weights[taps.Offset[c.output] + q]);
        EXPECT_EQ(got, c.taps) << c.what;
        EXPECT_EQ(taps.PhotoShare[c.output], c.photoShare) << c.what;
    }
}

TEST(Resample, HalvingAveragesEachBlockTiesToEvenAndKeepsAnOddLastRowAndColumn)
{
    // 5 x 3 gives 3 x 2: two whole 2 x 2 blocks, then the lone last column and row. Rows of
    // (red, green, blue); block 0: red 0 0 1 1 (1/2 goes to 0), green 1 1 2 2 (3/2 goes to 2),
    // blue 0 1 1 1 (3/4 up); block 1: red 10 20 30 40, green 255 255 255 254 (3/4 up), blue 0 0 0 1
    // (1/4 down); the last column's pairs 7/2 to 4, 11/2 to 6, 3/2 to 2; the corner alone.
    const std::uint8_t pixels[3][5][3] = {
        {{0, 1, 0}, {0, 1, 1}, {10, 255, 0}, {20, 255, 0}, {3, 5, 1}},
        {{1, 2, 1}, {1, 2, 1}, {30, 255, 0}, {40, 254, 1}, {4, 6, 2}},
        {{0, 9, 9}, {1, 9, 9}, {255, 255, 255}, {255, 255, 255}, {77, 88, 99}},
    };
    TOwnedPlane source(5, 3);
    for (std::uint32_t y = 0; y < 3; ++y)
        for (std::uint32_t x = 0; x < 5; ++x)
            std::reverse_copy(pixels[y][x], pixels[y][x] + 3, source.Row(y) + 3 * x);

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
    // The copy scaled from: the smallest not enlarged, each output pixel covering 8.4 pixels here.
    EXPECT_EQ(HalvedCopyLevel(8.4, 8.4, 5), 3u);
    EXPECT_EQ(HalvedCopyLevel(8.4, 1.9, 5), 0u);
    EXPECT_EQ(HalvedCopyLevel(1000, 1000, 5), 5u);
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
