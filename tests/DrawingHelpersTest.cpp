#include <gtest/gtest.h>

#include <vector>

#include "ImageSupport.h"
#include "shared/GlobalGraphics.h"
#include "ui/Error.h"

using namespace lumetta;
using lumetta::test::Near;
using lumetta::test::PixelOf;

namespace {

constexpr COLORREF Red = RGB(255, 0, 0);
constexpr COLORREF Blue = RGB(0, 0, 255);
constexpr COLORREF Grey = RGB(100, 100, 100);

std::unique_ptr<ui::Bitmap> GreyBitmap()
{
    auto bitmap = std::make_unique<ui::Bitmap>(100, 10, ui::PixelFormat::Bits24);
    bitmap->Canvas().Brush.Color = Grey;
    bitmap->Canvas().FillRect({0, 0, 100, 10});
    return bitmap;
}

TEST(FillGradientRect, RunsFromTheFirstColourToTheSecondInsideTheRectangleOnly)
{
    auto across = GreyBitmap();
    // The high byte of a colour value (here as a system-colour flag) is not part of the colour.
    FillGradientRect(across->DC(), {0, 0, 100, 10}, Red | 0xFF000000, Blue, true, 255);
    EXPECT_TRUE(Near(PixelOf(*across, 0, 5), Red, 6));
    EXPECT_TRUE(Near(PixelOf(*across, 99, 5), Blue, 6));
    EXPECT_TRUE(Near(PixelOf(*across, 50, 0), RGB(128, 0, 127), 6));

    auto down = GreyBitmap();
    FillGradientRect(down->DC(), {0, 0, 100, 10}, Red, Blue, false, 255);
    EXPECT_TRUE(Near(PixelOf(*down, 50, 0), Red, 30));
    EXPECT_TRUE(Near(PixelOf(*down, 50, 9), Blue, 30));
    EXPECT_TRUE(Near(PixelOf(*down, 0, 0), PixelOf(*down, 99, 0), 1));

    // Only the rectangle is painted.
    auto part = GreyBitmap();
    FillGradientRect(part->DC(), {10, 2, 20, 8}, Red, Red, true, 255);
    EXPECT_EQ(PixelOf(*part, 9, 5), Grey);
    EXPECT_TRUE(Near(PixelOf(*part, 15, 5), Red, 1));
    EXPECT_EQ(PixelOf(*part, 20, 5), Grey);
    EXPECT_EQ(PixelOf(*part, 15, 1), Grey);

    // Rectangles without width or height draw nothing and raise nothing.
    auto bitmap = GreyBitmap();
    FillGradientRect(bitmap->DC(), {30, 0, 30, 10}, Red, Blue, true, 255);
    FillGradientRect(bitmap->DC(), {0, 5, 100, 5}, Red, Blue, false, 255);
    FillGradientRect(bitmap->DC(), {50, 8, 10, 2}, Red, Blue, false, 255);
    for (int x = 0; x < 100; x += 3)
        for (int y = 0; y < 10; ++y)
            ASSERT_EQ(PixelOf(*bitmap, x, y), Grey) << x << ',' << y;
}

TEST(LoadPngResource, ReturnsABitmapThatOutlivesTheCall)
{
    ui::GpBitmapPtr header = LoadPngResource("HEADER");
    ASSERT_TRUE(header);
    ASSERT_EQ(header->GetLastStatus(), Gdiplus::Ok);
    // Churn the heap so that memory freed too early would show.
    std::vector<std::vector<char>> churn;
    for (int i = 0; i < 200; ++i)
        churn.emplace_back(4096, static_cast<char>(i));
    EXPECT_EQ(header->GetWidth(), 540u);
    EXPECT_EQ(header->GetHeight(), 57u);
    Gdiplus::Color color;
    ASSERT_EQ(header->GetPixel(100, 20, &color), Gdiplus::Ok);
    EXPECT_EQ(color.GetValue() & 0x00FFFFFF, 0x00FF8000u);
    EXPECT_NEAR(color.GetA(), 128, 1);
    ASSERT_EQ(header->GetPixel(5, 20, &color), Gdiplus::Ok);
    EXPECT_EQ(color.GetValue(), 0xFF0000FFu);
}

TEST(LoadPngResource, MissingAndUndecodableResources)
{
    try {
        LoadPngResource("NO_SUCH_ITEM");
        FAIL() << "a missing resource loaded";
    } catch (const ui::ResourceNotFound& error) {
        EXPECT_STREQ(error.what(), "Resource NO_SUCH_ITEM not found");
    }
    // Not a picture: still a bitmap object, whose status tells.
    ui::GpBitmapPtr text = LoadPngResource("NOTPNG");
    ASSERT_TRUE(text);
    EXPECT_NE(text->GetLastStatus(), Gdiplus::Ok);
}

TEST(DrawCentredOver, BlendsTheCentredPictureOverTheBackgroundAndCutsWhatIsLarger)
{
    // 3 x 1 in a 4 x 3 box: at x = 4/2 - 3/2 = 1, y = 3/2 - 0 = 1.
    Gdiplus::Bitmap small(3, 1, PixelFormat32bppARGB);
    small.SetPixel(0, 0, Gdiplus::Color(0, 255, 255, 255));
    small.SetPixel(1, 0, Gdiplus::Color(128, 255, 0, 10));
    small.SetPixel(2, 0, Gdiplus::Color(255, 1, 2, 3));
    ui::Bitmap box(4, 3, ui::PixelFormat::Bits24);
    DrawCentredOver(box, small, Grey);
    EXPECT_EQ(PixelOf(box, 0, 1), Grey);
    EXPECT_EQ(PixelOf(box, 1, 1), Grey);
    // (255 x 128 + 100 x 127 + 127) div 255 = 178; (10 x 128 + 100 x 127 + 127) div 255 = 55.
    EXPECT_EQ(PixelOf(box, 2, 1), RGB(178, 50, 55));
    EXPECT_EQ(PixelOf(box, 3, 1), RGB(1, 2, 3));
    EXPECT_EQ(PixelOf(box, 2, 0), Grey);

    // 6 x 5 in the same box: its columns 1..4 and rows 1..3 show.
    Gdiplus::Bitmap large(6, 5, PixelFormat32bppARGB);
    for (int y = 0; y < 5; ++y)
        for (int x = 0; x < 6; ++x)
            large.SetPixel(x, y, Gdiplus::Color(255, static_cast<BYTE>(x), static_cast<BYTE>(y), 0));
    DrawCentredOver(box, large, Grey);
    EXPECT_EQ(PixelOf(box, 0, 0), RGB(1, 1, 0));
    EXPECT_EQ(PixelOf(box, 3, 2), RGB(4, 3, 0));
}

} // namespace
