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

} // namespace
