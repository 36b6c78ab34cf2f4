// The preview pyramid: exact 2 x 2 means and the choice of the level a preview renders from.
#include "shared/GlobalPhotoPyramid.h"

#include <gtest/gtest.h>

#include "ImageSupport.h"

using namespace lumetta;
using namespace lumetta::test;

namespace {

TEST(PhotoPyramid, HalvingAveragesEachBlockTiesToEven)
{
    // 5 x 3: two 2 x 2 blocks; the last column and row are dropped (white, which would show).
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

    const ui::GpBitmapPtr half = HalvePhoto(source);
    ASSERT_TRUE(half);
    ASSERT_EQ(half->GetWidth(), 2u);
    ASSERT_EQ(half->GetHeight(), 1u);
    EXPECT_EQ(PixelOf(*half, 0, 0), RGB(0, 2, 1));
    EXPECT_EQ(PixelOf(*half, 1, 0), RGB(25, 255, 0));

    Gdiplus::Bitmap line(9, 1, PixelFormat24bppRGB);
    EXPECT_FALSE(HalvePhoto(line));
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
    EXPECT_FLOAT_EQ(choice.Source.X, 5);
    EXPECT_FLOAT_EQ(choice.Source.Width, 12);  // 12.5 to even
    EXPECT_FLOAT_EQ(choice.Source.Height, 10);
    EXPECT_EQ(pyramid.Choose(canvas, {0, 0, 1, 1}, 100, 80).Photo, &canvas);
}

} // namespace
