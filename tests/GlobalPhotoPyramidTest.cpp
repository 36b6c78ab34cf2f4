// The preview pyramid: exact 2 x 2 means and the choice of the level a preview renders from.
#include "shared/GlobalPhotoPyramid.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "ImageSupport.h"
#include "shared/GlobalGraphics.h"

using namespace lumetta;
using namespace lumetta::test;

namespace {

TEST(PhotoPyramid, HalvingAveragesEachBlockTiesToEvenAndKeepsAnOddLastRowAndColumn)
{
    // 5 x 3 gives 3 x 2: two whole 2 x 2 blocks, then the lone last column and row.
    Gdiplus::Bitmap source(5, 3, PixelFormat24bppRGB);
    for (int y = 0; y < 3; ++y)
        for (int x = 0; x < 5; ++x)
            source.SetPixel(x, y, Gdiplus::Color(255, 255, 255));
    // Block 0, red 0 0 1 1 (1/2 goes to 0), green 1 1 2 2 (3/2 goes to 2), blue 0 1 1 1 (3/4 up).
    source.SetPixel(0, 0, Gdiplus::Color(0, 1, 0));
    source.SetPixel(1, 0, Gdiplus::Color(0, 1, 1));
    source.SetPixel(0, 1, Gdiplus::Color(1, 2, 1));
    source.SetPixel(1, 1, Gdiplus::Color(1, 2, 1));
    // Block 1, red 10 20 30 40, green 255 255 255 254 (254 3/4 up), blue 0 0 0 1 (1/4 down).
    source.SetPixel(2, 0, Gdiplus::Color(10, 255, 0));
    source.SetPixel(3, 0, Gdiplus::Color(20, 255, 0));
    source.SetPixel(2, 1, Gdiplus::Color(30, 255, 0));
    source.SetPixel(3, 1, Gdiplus::Color(40, 254, 1));
    // The last column's pair: red 3 and 4 (7/2 goes to 4), green 5 and 6 (11/2 to 6), blue 1 and 2 (3/2 to 2);
    // the last row's pair red 0 and 1 (1/2 to 0); the corner alone.
    source.SetPixel(4, 0, Gdiplus::Color(3, 5, 1));
    source.SetPixel(4, 1, Gdiplus::Color(4, 6, 2));
    source.SetPixel(0, 2, Gdiplus::Color(0, 9, 9));
    source.SetPixel(1, 2, Gdiplus::Color(1, 9, 9));
    source.SetPixel(4, 2, Gdiplus::Color(77, 88, 99));

    const ui::GpBitmapPtr half = HalvePhoto(source);
    ASSERT_TRUE(half);
    ASSERT_EQ(half->GetWidth(), 3u);
    ASSERT_EQ(half->GetHeight(), 2u);
    EXPECT_EQ(PixelOf(*half, 0, 0), RGB(0, 2, 1));
    EXPECT_EQ(PixelOf(*half, 1, 0), RGB(25, 255, 0));
    EXPECT_EQ(PixelOf(*half, 2, 0), RGB(4, 6, 2));
    EXPECT_EQ(PixelOf(*half, 0, 1), RGB(0, 9, 9));
    EXPECT_EQ(PixelOf(*half, 2, 1), RGB(77, 88, 99));

    Gdiplus::Bitmap line(9, 1, PixelFormat24bppRGB);
    EXPECT_FALSE(HalvePhoto(line));
}

// Where a line of the crop crosses half of a channel's ramp, in output pixels (linear between
// pixels): red along a row, green down a column.
double HalfwayAt(const ui::Bitmap& crop, bool across, int line)
{
    const int count = across ? crop.Width() : crop.Height();
    const auto value = [&](int i) {
        return across ? GetRValue(PixelOf(crop, i, line)) : GetGValue(PixelOf(crop, line, i));
    };
    for (int i = 1; i < count; ++i) {
        const double a = value(i - 1), b = value(i);
        if (a < 127.5 && b >= 127.5)
            return i - 1 + (127.5 - a) / (b - a);
    }
    return -1;
}

TEST(PhotoPyramid, ACropOfACopyLiesWhereTheCanvasCropLies)
{
    // Odd sides at every level: 1007 = 8 x 125 + 7 and 759 = 8 x 94 + 7. Red ramps up over
    // columns 880 to 979, green over rows 640 to 739: both halfway near the far side of the clip.
    Gdiplus::Bitmap canvas(1007, 759, PixelFormat24bppRGB);
    {
        const Gdiplus::Rect all(0, 0, 1007, 759);
        Gdiplus::BitmapData data{};
        ASSERT_EQ(canvas.LockBits(&all, Gdiplus::ImageLockModeWrite, PixelFormat24bppRGB, &data), Gdiplus::Ok);
        const auto ramp = [](int at, int from) { return static_cast<BYTE>(std::clamp((at - from) * 255 / 99, 0, 255)); };
        for (int y = 0; y < 759; ++y) {
            BYTE* row = static_cast<BYTE*>(data.Scan0) + static_cast<std::ptrdiff_t>(y) * data.Stride;
            for (int x = 0; x < 1007; ++x, row += 3) {
                row[0] = 0;
                row[1] = ramp(y, 640);
                row[2] = ramp(x, 880);
            }
        }
        canvas.UnlockBits(&data);
    }
    const PhotoPyramid pyramid(canvas);
    const TPhotoClipRect clip{0.7, 0.7, 0.25, 0.25};
    const TPyramidChoice choice = pyramid.Choose(canvas, clip, 30, 22);
    ASSERT_EQ(choice.Level, 3u);
    const auto fromCopy = CropScalePhoto(*choice.Photo, 30, 22, choice.Source);
    const auto fromCanvas = CropScalePhoto(canvas, 30, 22, clip.X, clip.Y, clip.W, clip.H);
    for (const auto& [across, line] : {std::pair{true, 3}, {true, 18}, {false, 4}, {false, 27}}) {
        const double expected = HalfwayAt(*fromCanvas, across, line);
        ASSERT_GT(expected, 10) << across << line;
        EXPECT_NEAR(HalfwayAt(*fromCopy, across, line), expected, 0.25) << across << line;
    }
}

TEST(PhotoPyramid, ChoosesTheSmallestLevelThatIsNotEnlarged)
{
    const std::vector<TPyramidLevelSize> sizes{{6000, 4500}, {3000, 2250}, {1500, 1125}, {750, 562}, {375, 281}};
    const TPhotoClipRect whole{0, 0, 1, 1};
    EXPECT_EQ(ChoosePyramidLevel(sizes, whole, 375, 281), 4u);
    EXPECT_EQ(ChoosePyramidLevel(sizes, whole, 376, 281), 3u);
    EXPECT_EQ(ChoosePyramidLevel(sizes, whole, 375, 282), 3u);
    EXPECT_EQ(ChoosePyramidLevel(sizes, whole, 750, 562), 3u);
    EXPECT_EQ(ChoosePyramidLevel(sizes, whole, 751, 100), 2u);
    EXPECT_EQ(ChoosePyramidLevel(sizes, whole, 6001, 4500), 0u);
    // A quarter of the photo: level 3 cuts 188 x 140 (187.5 and 140.5 round to even).
    const TPhotoClipRect quarter{0.5, 0.5, 0.25, 0.25};
    EXPECT_EQ(ChoosePyramidLevel(sizes, quarter, 188, 140), 3u);
    EXPECT_EQ(ChoosePyramidLevel(sizes, quarter, 188, 141), 2u);
}

TEST(PhotoPyramid, LevelsOfACanvasAndTheChosenCopy)
{
    Gdiplus::Bitmap canvas(100, 80, PixelFormat24bppRGB);
    const PhotoPyramid pyramid(canvas);
    ASSERT_EQ(pyramid.LevelCount(), 3u); // 50 x 40, 25 x 20; 12 x 10 would be too small
    EXPECT_EQ(pyramid.Half(2).GetWidth(), 25u);

    const TPyramidChoice choice = pyramid.Choose(canvas, {0.2, 0.0, 0.5, 0.5}, 12, 10);
    EXPECT_EQ(choice.Level, 2u);
    EXPECT_EQ(choice.Photo, &pyramid.Half(2));
    // The canvas's clip (20, 0, 50, 40) moved by a block's centre, 1.5, over 4.
    EXPECT_FLOAT_EQ(choice.Source.X, 4.625f);
    EXPECT_FLOAT_EQ(choice.Source.Y, -0.375f);
    EXPECT_FLOAT_EQ(choice.Source.Width, 12.5f); // the canvas's 50 over 4
    EXPECT_FLOAT_EQ(choice.Source.Height, 10);
    EXPECT_EQ(pyramid.Choose(canvas, {0, 0, 1, 1}, 100, 80).Photo, &canvas);
}

} // namespace
