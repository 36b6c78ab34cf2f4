#include <gtest/gtest.h>

#include <climits>
#include <functional>
#include <vector>

#include "shared/GlobalGraphics.h"
#include "ui/Error.h"

using namespace lumetta;

namespace {

Bgr At(ui::Bitmap& bitmap, int x, int y)
{
    const std::uint8_t* p = bitmap.ScanLine(y) + 3 * x;
    return {p[0], p[1], p[2]};
}

void Put(ui::Bitmap& bitmap, int x, int y, Bgr pixel)
{
    std::uint8_t* p = bitmap.ScanLine(y) + 3 * x;
    p[0] = pixel.B;
    p[1] = pixel.G;
    p[2] = pixel.R;
}

// A one-row bitmap of the given pixels.
std::unique_ptr<ui::Bitmap> Row(std::initializer_list<Bgr> pixels)
{
    auto bitmap = std::make_unique<ui::Bitmap>(static_cast<int>(pixels.size()), 1, ui::PixelFormat::Bits24);
    int x = 0;
    for (Bgr p : pixels)
        Put(*bitmap, x++, 0, p);
    return bitmap;
}

TEST(ImageEffects, ClampBrightnessAndContrastWorkedValues)
{
    EXPECT_EQ(ClampByte(256), 255);
    EXPECT_EQ(ClampByte(1000), 255);
    EXPECT_EQ(ClampByte(-1), 0);
    EXPECT_EQ(ClampByte(0), 0);
    EXPECT_EQ(ClampByte(255), 255);
    EXPECT_EQ(BrightnessChannel(100, 250), 255);
    EXPECT_EQ(BrightnessChannel(100, -250), 0);
    EXPECT_EQ(BrightnessChannel(100, -30), 70);

    EXPECT_EQ(ContrastChannel(200, 100), 228);
    EXPECT_EQ(ContrastChannel(50, 100), 20);
    EXPECT_EQ(ContrastChannel(50, -100), 80); // -30.2 truncates to -30
    EXPECT_EQ(ContrastChannel(255, 250), 255);
    EXPECT_EQ(ContrastChannel(0, 250), 0);
    for (int amount = -255; amount <= 255; ++amount)
        ASSERT_EQ(ContrastChannel(127, amount), 127) << amount;
    for (int amount = -254; amount <= 254; ++amount)
        ASSERT_EQ(ContrastChannel(128, amount), 128) << amount;
    // No channel crosses 127 within the amounts the editor stores.
    for (int amount = -255; amount <= 255; amount += 5)
        for (int c = 0; c <= 255; ++c) {
            const int result = ContrastChannel(static_cast<std::uint8_t>(c), amount);
            ASSERT_TRUE(c > 127 ? result >= 127 : result <= 127) << c << ' ' << amount;
        }

    // Stored amounts of any size clamp instead of overflowing.
    EXPECT_EQ(BrightnessChannel(200, INT_MAX), 255);
    EXPECT_EQ(BrightnessChannel(200, INT_MIN), 0);
    EXPECT_EQ(ContrastChannel(200, INT_MAX), 255);
    EXPECT_EQ(ContrastChannel(0, INT_MAX), 0);
    EXPECT_EQ(ContrastChannel(200, INT_MIN), 0);
}

TEST(ImageEffects, SaturationAndSepiaWorkedValues)
{
    const Bgr pixel{30, 60, 90};
    EXPECT_EQ(SaturationPixel(pixel, 250), (Bgr{1, 60, 119}));
    EXPECT_EQ(SaturationPixel(pixel, -100), (Bgr{42, 60, 78}));
    EXPECT_EQ(SaturationPixel(pixel, 0), pixel);
    EXPECT_EQ(SaturationPixel(pixel, -255), (Bgr{60, 60, 60}));
    EXPECT_EQ(SaturationPixel({0, 0, 2}, -255), (Bgr{0, 0, 0})); // grey mean rounds down
    EXPECT_EQ(SaturationPixel(pixel, INT_MAX), (Bgr{0, 60, 255}));

    auto row = Row({{0, 0, 0}, {255, 255, 255}, {10, 20, 30}, {30, 60, 90}});
    ApplySepia(*row, 18);
    EXPECT_EQ(At(*row, 0, 0), (Bgr{0, 18, 36}));
    EXPECT_EQ(At(*row, 1, 0), (Bgr{255, 255, 255}));
    EXPECT_EQ(At(*row, 2, 0), (Bgr{20, 38, 56}));
    EXPECT_EQ(At(*row, 3, 0), (Bgr{60, 78, 96}));
    EXPECT_EQ(SepiaTint(250, 18), (Bgr{250, 255, 255}));
}

TEST(ImageEffects, RowsAreWalkedWithoutTouchingTheirPadding)
{
    // One pixel a row leaves one alignment byte after it.
    const std::vector<std::function<void(ui::Bitmap&)>> effects = {
        [](ui::Bitmap& b) { ApplyBrightness(b, 40); },  [](ui::Bitmap& b) { ApplyContrast(b, 100); },
        [](ui::Bitmap& b) { ApplySaturation(b, 250); }, [](ui::Bitmap& b) { ApplySepia(b, 18); },
        [](ui::Bitmap& b) { ApplyEmboss(b); },          [](ui::Bitmap& b) { ApplyColorNoise(b, 30); },
    };
    for (std::size_t i = 0; i < effects.size(); ++i) {
        ui::Bitmap bitmap(1, 3, ui::PixelFormat::Bits24);
        for (int y = 0; y < 3; ++y) {
            Put(bitmap, 0, y, {static_cast<std::uint8_t>(30 + y), 60, 90});
            bitmap.ScanLine(y)[3] = 0xAB;
        }
        effects[i](bitmap);
        for (int y = 0; y < 3; ++y)
            EXPECT_EQ(bitmap.ScanLine(y)[3], 0xAB) << "effect " << i << " row " << y;
        if (i == 2) {
            EXPECT_EQ(At(bitmap, 0, 2), SaturationPixel({32, 60, 90}, 250));
        }
    }
    // Bitmaps without rows or columns are left alone.
    ui::Bitmap empty, noColumns(0, 4, ui::PixelFormat::Bits24);
    ApplyBrightness(empty, 10);
    ApplyContrast(noColumns, 10);
}

TEST(ImageEffects, EmbossWorkedValues)
{
    for (int width : {3, 7}) {
        ui::Bitmap grey(width, 3, ui::PixelFormat::Bits24);
        grey.Canvas().Brush.Color = RGB(200, 200, 200);
        grey.Canvas().FillRect({0, 0, width, 3});
        ApplyEmboss(grey);
        ui::Bitmap black(width, 2, ui::PixelFormat::Bits24);
        ApplyEmboss(black);
        for (int x = 0; x < width; ++x) {
            EXPECT_EQ(At(grey, x, 0), (Bgr{127, 127, 127})) << width;
            EXPECT_EQ(At(grey, x, 1), (Bgr{127, 127, 127})) << width;
            EXPECT_EQ(At(grey, x, 2), (Bgr{164, 164, 164})) << width;
            EXPECT_EQ(At(black, x, 0), (Bgr{127, 127, 127})) << width;
            EXPECT_EQ(At(black, x, 1), (Bgr{64, 64, 64})) << width;
        }
    }
}

TEST(ImageEffects, EmbossTakesItsNeighbourThreeColumnsRightOrStraightAcross)
{
    // Row 0 of zeros over a row whose pixel x holds 10 x (x + 1) in every channel.
    auto emboss = [](int width) {
        auto bitmap = std::make_unique<ui::Bitmap>(width, 2, ui::PixelFormat::Bits24);
        for (int x = 0; x < width; ++x) {
            const auto v = static_cast<std::uint8_t>(10 * (x + 1));
            Put(*bitmap, x, 1, {v, v, v});
        }
        ApplyEmboss(*bitmap);
        return bitmap;
    };
    auto expectRows = [](ui::Bitmap& bitmap, std::vector<int> top, std::vector<int> bottom) {
        for (int x = 0; x < bitmap.Width(); ++x) {
            EXPECT_EQ(At(bitmap, x, 0).G, top[x]) << "width " << bitmap.Width() << " x " << x;
            EXPECT_EQ(At(bitmap, x, 1).G, bottom[x]) << "width " << bitmap.Width() << " x " << x;
        }
    };
    // Columns 0 and 1 look three to the right, 2 to 4 straight down; the last row then looks up
    // at the rewritten row with the same rule.
    expectRows(*emboss(5), {107, 102, 112, 107, 102}, {79, 86, 86, 94, 101});
    expectRows(*emboss(3), {122, 117, 112}, {71, 79, 86});
    // Narrower than three columns: straight down and up, never outside the row.
    expectRows(*emboss(2), {122, 117}, {71, 79});
    expectRows(*emboss(1), {122}, {71});
}

TEST(ImageEffects, EmbossOfFewerThanTwoRowsFailsBeforeAnyChange)
{
    auto row = Row({{10, 20, 30}, {40, 50, 60}, {70, 80, 90}, {1, 2, 3}});
    try {
        ApplyEmboss(*row);
        FAIL() << "one row was embossed";
    } catch (const ui::GraphicsError& error) {
        EXPECT_STREQ(error.what(), "Scan line index out of range");
    }
    EXPECT_EQ(At(*row, 0, 0), (Bgr{10, 20, 30}));
    EXPECT_EQ(At(*row, 3, 0), (Bgr{1, 2, 3}));

    ui::Bitmap none(5, 0, ui::PixelFormat::Bits24);
    EXPECT_THROW(ApplyEmboss(none), ui::GraphicsError);
}

TEST(ImageEffects, ColorNoiseStaysWithinItsRange)
{
    EXPECT_EQ(NoiseChannel(100, 0, 30), 85);
    EXPECT_EQ(NoiseChannel(100, 29, 30), 114);
    EXPECT_EQ(NoiseChannel(5, 0, 30), 0);
    EXPECT_EQ(NoiseChannel(250, 29, 30), 255);

    ui::Bitmap bitmap(1000, 1, ui::PixelFormat::Bits24);
    bitmap.Canvas().Brush.Color = RGB(128, 128, 128);
    bitmap.Canvas().FillRect({0, 0, 1000, 1});
    ApplyColorNoise(bitmap, 30);
    int lowest = 0, highest = 0;
    for (int i = 0; i < 3000; ++i) {
        const int moved = bitmap.ScanLine(0)[i] - 128;
        lowest = std::min(lowest, moved);
        highest = std::max(highest, moved);
    }
    // 3000 draws reach both ends of the range.
    EXPECT_EQ(lowest, -15);
    EXPECT_EQ(highest, 14);
}

} // namespace
