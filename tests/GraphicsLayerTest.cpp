#include <gtest/gtest.h>

#include "ImageSupport.h"
#include "TestSupport.h"
#include "ui/Error.h"
#include "ui/IniFile.h"
#include "ui/Picture.h"

using lumetta::test::PixelOf;

namespace {

TEST(Bitmap, RowsAreReachedTopFirstAndOnlyInsideThePicture)
{
    ui::Bitmap bitmap(5, 3, ui::PixelFormat::Bits24);
    std::uint8_t* top = bitmap.ScanLine(0);
    top[0] = 0, top[1] = 0, top[2] = 255;
    EXPECT_EQ(bitmap.Canvas().Pixel(0, 0), RGB(255, 0, 0));
    EXPECT_EQ(bitmap.Canvas().Pixel(0, 2), RGB(0, 0, 0));

    for (int row : {-1, 3}) {
        try {
            bitmap.ScanLine(row);
            ADD_FAILURE() << "row " << row << " was reached";
        } catch (const ui::GraphicsError& error) {
            EXPECT_STREQ(error.what(), "Scan line index out of range");
        }
    }
    EXPECT_THROW(ui::Bitmap().ScanLine(0), ui::GraphicsError);
}

TEST(Canvas, FillsCopiesAndLeavesOutTheKeyColour)
{
    ui::Bitmap target(4, 2, ui::PixelFormat::Bits24);
    int changes = 0;
    target.OnChange = [&] { ++changes; };
    ui::Canvas& canvas = target.Canvas();
    canvas.Brush.Color = ui::clWindow; // system colours are resolved when drawing
    canvas.FillRect({0, 0, 4, 2});
    EXPECT_EQ(canvas.Pixel(3, 1), GetSysColor(COLOR_WINDOW));
    canvas.Brush.Color = RGB(0, 255, 0);
    canvas.FillRect({0, 0, 4, 2});
    canvas.Brush.Style = ui::BrushStyle::Clear;
    canvas.FillRect({0, 0, 4, 2});

    // Magenta left half, dark blue right half.
    ui::Bitmap source(4, 2);
    source.Canvas().Brush.Color = RGB(255, 0, 255);
    source.Canvas().FillRect({0, 0, 2, 2});
    source.Canvas().Brush.Color = RGB(0, 0, 200);
    source.Canvas().FillRect({2, 0, 4, 2});
    canvas.BrushCopy({0, 0, 4, 2}, source, {0, 0, 4, 2}, RGB(255, 0, 255));
    EXPECT_EQ(canvas.Pixel(0, 0), RGB(0, 255, 0));
    EXPECT_EQ(canvas.Pixel(3, 1), RGB(0, 0, 200));
    canvas.CopyRect({0, 0, 1, 1}, source.Canvas(), {0, 0, 1, 1});
    EXPECT_EQ(canvas.Pixel(0, 0), RGB(255, 0, 255));
    EXPECT_EQ(changes, 4);
}

TEST(Picture, HoldsACopyOrNothingAndReportsEveryChange)
{
    ui::Picture picture;
    int changes = 0;
    picture.OnChange = [&] { ++changes; };
    EXPECT_FALSE(picture.HasGraphic());

    ui::Bitmap face(160, 140, ui::PixelFormat::Bits24);
    picture.Assign(&face);
    ASSERT_TRUE(picture.HasGraphic());
    EXPECT_NE(picture.Graphic(), &face);
    EXPECT_EQ(picture.Width(), 160);
    // Drawing on the held bitmap in place is a change of the picture too.
    picture.Graphic()->Canvas().FillRect({0, 0, 10, 10});
    picture.Graphic()->Changed();
    picture.Assign(static_cast<const ui::Bitmap*>(nullptr));
    EXPECT_FALSE(picture.HasGraphic());
    EXPECT_EQ(changes, 4);
}

TEST(GdiPlus, DrawsIntoBitmapsAndTakesThemBackByHandle)
{
    ASSERT_EQ(ui::GdiPlusSession::Instance().StartupStatus(), Gdiplus::Ok);
    ui::Bitmap bitmap(6, 4, ui::PixelFormat::Bits24);
    {
        Gdiplus::Graphics graphics(bitmap.DC());
        lumetta::test::FillArea(graphics, 0, 0, 6, 4, RGB(250, 0, 0));
        lumetta::test::FillArea(graphics, 0, 0, 3, 1, RGB(0, 0, 250));
    }
    EXPECT_EQ(PixelOf(bitmap, 0, 0), RGB(0, 0, 250));
    // The renderer hands its 24-bit work bitmap to GDI+ by handle: same pixels, same way up.
    ui::GpBitmapPtr copy(Gdiplus::Bitmap::FromHBITMAP(bitmap.Handle(), nullptr));
    ASSERT_EQ(copy->GetLastStatus(), Gdiplus::Ok);
    EXPECT_EQ(PixelOf(*copy, 2, 0), RGB(0, 0, 250));
    EXPECT_EQ(PixelOf(*copy, 2, 3), RGB(250, 0, 0));
}

TEST(IniFile, IntegersAreDecimalOrHexadecimalElseTheDefault)
{
    const struct {
        const char* text;
        std::int32_t expected;
    } cases[] = {
        {"42", 42},      {"-7", -7},   {"+7", 7},     {"0x10", 16},   {"0X1f", 31},     {"$ff", 255},
        {"$FFFFFFFF", -1}, {"$00000000010", 16},      {"2147483647", INT32_MAX},        {"-2147483648", INT32_MIN},
        {"2147483648", 99}, {"$100000000", 99},       {"abc", 99},    {"", 99},         {"12a", 99},
        {"0x", 99},      {"$", 99},    {"-", 99},     {"-0x10", 99},  {"1.5", 99},
    };
    for (const auto& c : cases)
        EXPECT_EQ(ui::StrToIntDef(c.text, 99), c.expected) << '"' << c.text << '"';
}

TEST(IniFile, ReadsThroughThePrivateProfileFunctions)
{
    lumetta::test::TempFolder folder;
    folder.Write("a.ini", "[Section]\r\nText = two words \r\nNumber=$20\r\nLong=" + std::string(3000, 'v') + "\r\n");
    ui::IniFile ini(folder.Dir() + "a.ini");
    EXPECT_EQ(ini.ReadString("SECTION", "text", "d"), "two words");
    EXPECT_EQ(ini.ReadString("Section", "Missing", "d"), "d");
    EXPECT_EQ(ini.ReadString("Section", "Long", "").size(), 2047u);
    EXPECT_EQ(ini.ReadInteger("Section", "Number", 0), 32);
    EXPECT_EQ(ini.ReadInteger("Section", "Text", -1), -1);
    EXPECT_EQ(ui::IniFile(folder.Dir() + "none.ini").ReadInteger("Section", "Number", -3), -3);
}

} // namespace
