#include <gtest/gtest.h>

#include <fstream>
#include <tuple>

#include "ImageBytes.h"
#include "ImageSupport.h"
#include "TestSupport.h"
#include "shared/GlobalGraphics.h"

using namespace lumetta;
using lumetta::test::FillArea;
using lumetta::test::MakeImage;
using lumetta::test::Near;
using lumetta::test::PixelOf;
using lumetta::test::SaveImageFile;
using lumetta::test::SaveJpegWithSegment;
using lumetta::test::TempFolder;

namespace {

constexpr COLORREF White = RGB(255, 255, 255);
constexpr COLORREF Red = RGB(255, 0, 0);
constexpr COLORREF Green = RGB(0, 255, 0);
constexpr COLORREF Blue = RGB(0, 0, 255);
constexpr COLORREF Yellow = RGB(255, 255, 0);

auto Solid(COLORREF color, int width, int height)
{
    return [=](Gdiplus::Graphics& g) { FillArea(g, 0, 0, width, height, color); };
}

// Red, green, blue and yellow quarters, clockwise from the top left but with blue bottom left.
auto Quarters(int width, int height)
{
    return [=](Gdiplus::Graphics& g) {
        FillArea(g, 0, 0, width / 2, height / 2, Red);
        FillArea(g, width / 2, 0, width - width / 2, height / 2, Green);
        FillArea(g, 0, height / 2, width / 2, height - height / 2, Blue);
        FillArea(g, width / 2, height / 2, width - width / 2, height - height / 2, Yellow);
    };
}

void ExpectLayout(std::uint32_t w, std::uint32_t h, bool portrait, std::int64_t cw, std::int64_t ch, std::int64_t x,
                  std::int64_t y)
{
    const PaddedCanvasLayout layout = PaddedCanvasFor(w, h, portrait);
    EXPECT_EQ(layout.Width, cw) << w << 'x' << h << (portrait ? " portrait" : " landscape");
    EXPECT_EQ(layout.Height, ch) << w << 'x' << h;
    EXPECT_EQ(layout.PhotoX, x) << w << 'x' << h;
    EXPECT_EQ(layout.PhotoY, y) << w << 'x' << h;
}

TEST(PhotoArithmetic, CanvasKeepsOneSideAndCentresThePhoto)
{
    ExpectLayout(1600, 1200, false, 1600, 1200, 0, 0);
    ExpectLayout(1000, 800, false, 1000, 750, 0, -25);
    ExpectLayout(300, 400, false, 533, 400, 116, 0);
    ExpectLayout(500, 500, false, 666, 500, 83, 0);
    ExpectLayout(500, 500, true, 500, 666, 0, 83);
    ExpectLayout(1600, 1000, true, 1600, 2133, 0, 566);
    ExpectLayout(800, 1000, true, 750, 1000, -25, 0);
    ExpectLayout(200, 150, false, 200, 150, 0, 0);
    ExpectLayout(200, 150, true, 200, 266, 0, 58);
    // -51 div 2 is -25, not -26.
    ExpectLayout(1000, 801, false, 1000, 750, 0, -25);
    // No 32-bit overflow on the largest sizes a header can claim.
    ExpectLayout(4000000000u, 1, false, 4000000000, 3000000000, 0, 1499999999);
}

void ExpectFit(std::uint32_t w, std::uint32_t h, bool portrait, std::uint32_t pw, std::uint32_t ph, std::int64_t cw,
               std::int64_t ch, std::int64_t bound = MaxPaddedCanvasPixels)
{
    const PaddedPhotoLayout fit = FitPaddedCanvas(w, h, portrait, bound);
    const std::string what = std::to_string(w) + 'x' + std::to_string(h) + (portrait ? " portrait" : " landscape");
    EXPECT_EQ(fit.PhotoWidth, pw) << what;
    EXPECT_EQ(fit.PhotoHeight, ph) << what;
    EXPECT_EQ(fit.Canvas.Width, cw) << what;
    EXPECT_EQ(fit.Canvas.Height, ch) << what;
    EXPECT_LE(fit.Canvas.Width * fit.Canvas.Height, bound) << what;
}

TEST(PhotoArithmetic, ACanvasPastTheBoundTakesThePhotoReducedJustEnough)
{
    // The largest canvases within 2^27 pixels: 13377 x 10032 (4:3 kept by its width) and
    // 13377 x 10033 (by its height); one pixel more on the kept side and the photo is reduced.
    ExpectFit(13377, 3000, false, 13377, 3000, 13377, 10032);
    ExpectFit(13378, 3000, false, 13377, 3000, 13377, 10032);
    ExpectFit(16000, 4000, false, 13377, 3344, 13377, 10032);
    ExpectFit(16000, 2000, false, 13377, 1672, 13377, 10032);
    ExpectFit(16000, 1, false, 13377, 1, 13377, 10032); // never below one pixel
    ExpectFit(2000, 10033, false, 2000, 10033, 13377, 10033);
    ExpectFit(2000, 10034, false, 2000, 10033, 13377, 10033);
    ExpectFit(4000, 16000, false, 2508, 10033, 13377, 10033);
    ExpectFit(11585, 11585, false, 10033, 10033, 13377, 10033);
    ExpectFit(12000, 9000, false, 12000, 9000, 12000, 9000); // fits: as it is
    // Portrait frames, the same turned.
    ExpectFit(3000, 13377, true, 3000, 13377, 10032, 13377);
    ExpectFit(3000, 13378, true, 3000, 13377, 10032, 13377);
    ExpectFit(4000, 16000, true, 3344, 13377, 10032, 13377);
    ExpectFit(10033, 2000, true, 10033, 2000, 10033, 13377);
    ExpectFit(16000, 4000, true, 10033, 2508, 10033, 13377);
    // A photo wider than tall stays wider, so that its canvas stays the one kept by its width.
    ExpectFit(100, 99, false, 4, 3, 4, 3, 12);
    ExpectFit(100, 99, false, 100, 99, 100, 75, 7500);

    // Sides a header may claim, whose canvas's pixels are past 64 bits: the bound still holds.
    const PaddedPhotoLayout huge = FitPaddedCanvas(UINT32_MAX, UINT32_MAX - 1, false);
    EXPECT_LE(huge.Canvas.Width * huge.Canvas.Height, MaxPaddedCanvasPixels);
    EXPECT_EQ(huge.Canvas.Width, 13377);

    // The photo keeps its place on the canvas, so a clip means the same part of it: a third of
    // the canvas above the panorama either way.
    const PaddedPhotoLayout fit = FitPaddedCanvas(16000, 4000, false);
    EXPECT_EQ(fit.Canvas.PhotoX, 0);
    EXPECT_EQ(fit.Canvas.PhotoY * 3, fit.Canvas.Height);
}

TEST(PhotoArithmetic, ThumbnailAndCropRectangles)
{
    EXPECT_EQ(ThumbnailPhotoRect(1600, 1200, false), (DrawRect{0, 0, 200, 150}));
    EXPECT_EQ(ThumbnailPhotoRect(1200, 1600, true), (DrawRect{0, 0, 150, 200}));
    EXPECT_EQ(ThumbnailPhotoRect(1000, 800, false), (DrawRect{0, -5, 200, 160}));
    EXPECT_EQ(ThumbnailPhotoRect(300, 400, false), (DrawRect{44, 0, 112, 150}));
    // 1092 x 0.125 = 136.5 rounds to the even 136; 1100 x 0.125 = 137.5 to 138.
    EXPECT_EQ(ThumbnailPhotoRect(1600, 1092, false), (DrawRect{0, 7, 200, 136}));
    EXPECT_EQ(ThumbnailPhotoRect(1600, 1100, false), (DrawRect{0, 6, 200, 138}));

    auto expectRect = [](Gdiplus::RectF r, float x, float y, float w, float h) {
        EXPECT_FLOAT_EQ(r.X, x);
        EXPECT_FLOAT_EQ(r.Y, y);
        EXPECT_FLOAT_EQ(r.Width, w);
        EXPECT_FLOAT_EQ(r.Height, h);
    };
    expectRect(CropSourceRect(1600, 1200, 0, 0, 1, 1), 0, 0, 1600, 1200);
    expectRect(CropSourceRect(1600, 1200, 0.25, 0.25, 0.5, 0.5), 400, 300, 800, 600);
    // Left and top stay fractional; width and height round half to even.
    expectRect(CropSourceRect(1000, 5, 1.0 / 3, 0.1, 1.0 / 3, 0.5), 1000.0f / 3, 0.5f, 333, 2);
    expectRect(CropSourceRect(7, 7, 0, 0, 0.5, 0.5), 0, 0, 4, 4);

}

class PhotoFiles : public ::testing::Test {
protected:
    TempFolder folder;
    std::string Path(const char* name) const { return folder.Dir() + name; }
};

TEST_F(PhotoFiles, PhotosAreCentredOnWhite24BitCanvases)
{
    // 25 blue rows at the top and 25 green at the bottom are exactly what the 4:3 canvas cuts.
    SaveImageFile(Path("wide.png"), 1000, 800, [](Gdiplus::Graphics& g) {
        FillArea(g, 0, 0, 1000, 800, Red);
        FillArea(g, 0, 0, 1000, 25, Blue);
        FillArea(g, 0, 775, 1000, 25, Green);
    });
    const auto wide = LoadPaddedPhoto(Path("wide.png"), false);
    EXPECT_EQ(LastPhotoStatus, Gdiplus::Ok);
    EXPECT_EQ(wide->Width(), 1000u);
    EXPECT_EQ(wide->Height(), 750u);
    EXPECT_TRUE(Near(PixelOf(*wide, 500, 1), Red));

    SaveImageFile(Path("upright.jpg"), 300, 400, Solid(Red, 300, 400), L"image/jpeg");
    const auto upright = LoadPaddedPhoto(Path("upright.jpg"), false);
    // A photo that is shown holds no file open: the user may move or delete it meanwhile.
    EXPECT_TRUE(DeleteFileA(Path("upright.jpg").c_str()));
    EXPECT_EQ(upright->Width(), 533u);
    EXPECT_EQ(upright->Height(), 400u);
    EXPECT_EQ(PixelOf(*upright, 114, 200), White);
    EXPECT_TRUE(Near(PixelOf(*upright, 117, 200), Red, 8));
    EXPECT_TRUE(Near(PixelOf(*upright, 414, 200), Red, 8));
    EXPECT_EQ(PixelOf(*upright, 417, 200), White);
}

TEST_F(PhotoFiles, AFileThatCannotBeLoadedGivesThePaddedFallback)
{
    std::ofstream(Path("notes.jpg")) << "not a picture";
    for (const char* name : {"missing.jpg", "notes.jpg"}) {
        const auto landscape = LoadPaddedPhoto(Path(name), false);
        EXPECT_NE(LastPhotoStatus, Gdiplus::Ok) << name;
        ASSERT_TRUE(landscape);
        EXPECT_EQ(landscape->Width(), 200u);
        EXPECT_EQ(landscape->Height(), 150u);

        const auto portrait = LoadPaddedPhoto(Path(name), true);
        EXPECT_NE(LastPhotoStatus, Gdiplus::Ok);
        EXPECT_EQ(portrait->Width(), 200u);
        EXPECT_EQ(portrait->Height(), 266u);
        EXPECT_EQ(PixelOf(*portrait, 100, 57), White);
        EXPECT_EQ(PixelOf(*portrait, 100, 208), White);
    }
    // Every load overwrites the status, a good one included.
    SaveImageFile(Path("good.png"), 40, 30, Solid(Red, 40, 30));
    LoadPaddedPhoto(Path("good.png"), false);
    EXPECT_EQ(LastPhotoStatus, Gdiplus::Ok);
}

TEST_F(PhotoFiles, APanoramaIsReducedOntoItsCanvasWithItsOwnColours)
{
    // 16000 x 400 would need a 16000 x 12000 canvas: it comes 13377 x 334 on 13377 x 10032, at
    // y = 4849, red on the left and blue on the right, as the renderer and the thumbnail cut it.
    SaveImageFile(Path("panorama.png"), 16000, 400, [](Gdiplus::Graphics& g) {
        FillArea(g, 0, 0, 8000, 400, Red);
        FillArea(g, 8000, 0, 8000, 400, Blue);
    });
    LastPhotoStatus = Gdiplus::GenericError;
    const auto canvas = LoadPaddedPhoto(Path("panorama.png"), false);
    EXPECT_EQ(LastPhotoStatus, Gdiplus::Ok);
    ASSERT_EQ(canvas->Width(), 13377u);
    ASSERT_EQ(canvas->Height(), 10032u);
    EXPECT_EQ(PixelOf(*canvas, 3000, 4846), White);
    EXPECT_TRUE(Near(PixelOf(*canvas, 0, 4851), Red, 8));
    EXPECT_TRUE(Near(PixelOf(*canvas, 6000, 5181), Red, 8));
    EXPECT_TRUE(Near(PixelOf(*canvas, 13376, 5000), Blue, 8));
    EXPECT_EQ(PixelOf(*canvas, 10000, 5186), White);

    const auto part = CropScalePhoto(*canvas, 400, 100, 0, 0.48, 1, 0.04);
    EXPECT_TRUE(Near(PixelOf(*part, 100, 50), Red, 8));
    EXPECT_TRUE(Near(PixelOf(*part, 300, 50), Blue, 8));
    EXPECT_EQ(PixelOf(*part, 200, 1), White);
    const auto thumbnail = MakeThumbnail(*canvas, false);
    EXPECT_TRUE(Near(thumbnail->Canvas().Pixel(50, 75), Red, 8));
    EXPECT_TRUE(Near(thumbnail->Canvas().Pixel(150, 75), Blue, 8));
    EXPECT_EQ(thumbnail->Canvas().Pixel(100, 40), White);
}

TEST_F(PhotoFiles, ATwoHundredMegapixelPhotoLoadsReducedOntoItsCanvas)
{
    // A phone's 16320 x 12240: red on the left, blue on the right.
    folder.Write("200mp.jpg", test::TwoColourJpeg(16320, 12240, 8160));
    LastPhotoStatus = Gdiplus::GenericError;
    const auto photo = LoadPaddedPhoto(Path("200mp.jpg"), false);
    ASSERT_EQ(LastPhotoStatus, Gdiplus::Ok);
    EXPECT_EQ(photo->Width(), 13377u);
    EXPECT_EQ(photo->Height(), 10032u);
    EXPECT_LE(std::int64_t{photo->Width()} * photo->Height(), MaxPaddedCanvasPixels);
    // Its own colours to its four corners and either side of the middle.
    for (const auto& [x, y, colour] : {std::tuple{0, 0, Red}, {0, 10031, Red}, {6680, 5000, Red}, {6696, 5000, Blue},
                                       {13376, 0, Blue}, {13376, 10031, Blue}})
        EXPECT_TRUE(Near(PixelOf(*photo, x, y), colour, 8)) << x << "," << y;
    const auto thumbnail = MakeThumbnail(*photo, false);
    EXPECT_TRUE(Near(thumbnail->Canvas().Pixel(0, 0), Red, 8));
    EXPECT_TRUE(Near(thumbnail->Canvas().Pixel(199, 149), Blue, 8));
}

TEST_F(PhotoFiles, APhotoTooLargeToDecodeCountsAsNotLoaded)
{
    // A bitmap header claiming 60000 x 60000 pixels with no pixel data behind it.
    BITMAPFILEHEADER file{};
    BITMAPINFOHEADER info{};
    file.bfType = 0x4D42;
    file.bfOffBits = sizeof file + sizeof info;
    file.bfSize = file.bfOffBits + 16;
    info.biSize = sizeof info;
    info.biWidth = 60000;
    info.biHeight = 60000;
    info.biPlanes = 1;
    info.biBitCount = 24;
    {
        std::ofstream out(Path("huge.bmp"), std::ios::binary);
        out.write(reinterpret_cast<const char*>(&file), sizeof file);
        out.write(reinterpret_cast<const char*>(&info), sizeof info);
        out.write("0123456789abcdef", 16);
    }
    const auto huge = LoadPaddedPhoto(Path("huge.bmp"), true);
    EXPECT_NE(LastPhotoStatus, Gdiplus::Ok);
    EXPECT_EQ(huge->Width(), 200u);
    EXPECT_EQ(huge->Height(), 266u);
}

TEST_F(PhotoFiles, TinyAndEnlargedPhotosKeepTheirColourToTheEdges)
{
    // The scaler reaches past a photo's edges; what it finds there must be the photo's own pixels.
    const COLORREF colour = RGB(200, 100, 50);
    SaveImageFile(Path("one.png"), 1, 1, Solid(colour, 1, 1));
    SaveImageFile(Path("three.png"), 3, 3, Solid(colour, 3, 3));
    const auto one = LoadPaddedPhoto(Path("one.png"), false);
    const auto three = LoadPaddedPhoto(Path("three.png"), false); // 4 x 3, a white last column
    ASSERT_EQ(three->Width(), 4u);
    const TPaddedPhoto small(MakeImage(400, 300, Solid(colour, 400, 300)));

    const auto expectEdges = [&](const ui::Bitmap& picture, int left, int right, const char* what) {
        const int bottom = picture.Height() - 1, middle = picture.Height() / 2;
        for (const auto& [x, y] : {std::pair{left, 0}, {(left + right) / 2, 0}, {right, 0}, {left, middle},
                                   {right, middle}, {left, bottom}, {(left + right) / 2, bottom}, {right, bottom}})
            EXPECT_TRUE(Near(PixelOf(picture, x, y), colour, 3)) << what << " at " << x << "," << y << ": " << std::hex
                                                                 << PixelOf(picture, x, y);
    };
    expectEdges(*CropScalePhoto(*one, 502, 372, 0, 0, 1, 1), 0, 501, "1 x 1");
    // The photo's three columns become 376.5 of 502; further right the white column blends in.
    expectEdges(*CropScalePhoto(*three, 502, 372, 0, 0, 1, 1), 0, 250, "3 x 3");
    expectEdges(*CropScalePhoto(small, 1004, 744, 0, 0, 1, 1), 0, 1003, "400 x 300 enlarged");
    // The 1 x 1 canvas fills 150 x 150 of the thumbnail at x = 25 (its first row and column, at
    // a scale of 150, are left to the platform's rounding).
    const auto thumbnail = MakeThumbnail(*one, false);
    for (const auto& [x, y] : {std::pair{26, 1}, {174, 1}, {100, 75}, {26, 149}, {100, 149}, {174, 149}})
        EXPECT_TRUE(Near(PixelOf(*thumbnail, x, y), colour, 3)) << "thumbnail at " << x << "," << y;
    EXPECT_EQ(PixelOf(*thumbnail, 175, 75), White);
}

// The colours of the four corners of a loaded canvas: top left, top right, bottom left, bottom right.
struct Corners {
    COLORREF TopLeft, TopRight, BottomLeft, BottomRight;
};

// Samples the middle of each quarter: JPEG drifts near the edges between the colours.
void ExpectCorners(const TPaddedPhoto& photo, std::uint32_t width, std::uint32_t height, const Corners& expected,
                   const std::string& what, int tolerance = 40)
{
    ASSERT_EQ(photo.Width(), width) << what;
    ASSERT_EQ(photo.Height(), height) << what;
    const int left = static_cast<int>(width) / 4, right = 3 * left, top = static_cast<int>(height) / 4, bottom = 3 * top;
    for (const auto& [x, y, colour] : {std::tuple{left, top, expected.TopLeft}, {right, top, expected.TopRight},
                                       {left, bottom, expected.BottomLeft}, {right, bottom, expected.BottomRight}})
        EXPECT_TRUE(Near(PixelOf(photo, x, y), colour, tolerance)) << what << " at " << x << "," << y;
}

TEST_F(PhotoFiles, PhotosTurnUprightByTheirExifOrientation)
{
    // Stored as Quarters: red, green / blue, yellow. Where each shows once the photo is upright.
    const Corners upright[] = {
        {Red, Green, Blue, Yellow},   // 0: not an orientation
        {Red, Green, Blue, Yellow},   // 1: as stored
        {Green, Red, Yellow, Blue},   // 2: mirrored
        {Yellow, Blue, Green, Red},   // 3: upside down
        {Blue, Yellow, Red, Green},   // 4: upside down, mirrored
        {Red, Blue, Green, Yellow},   // 5: about the diagonal
        {Blue, Red, Yellow, Green},   // 6: a quarter clockwise
        {Yellow, Green, Blue, Red},   // 7: about the other diagonal
        {Green, Yellow, Red, Blue},   // 8: a quarter anticlockwise
        {Red, Green, Blue, Yellow},   // 9: not an orientation
    };
    for (std::uint16_t orientation = 0; orientation <= 9; ++orientation) {
        const std::string path = Path("turned.jpg");
        const bool bigEndian = orientation % 2 == 0;
        SaveJpegWithSegment(path, 160, 120, Quarters(160, 120), test::ExifSegment(test::ExifTiff(bigEndian, orientation)));
        // A frame of the photo's upright shape, so that the canvas is the photo itself.
        const bool quarter = orientation >= 5 && orientation <= 8;
        const auto photo = LoadPaddedPhoto(path, quarter);
        EXPECT_EQ(LastPhotoStatus, Gdiplus::Ok);
        ExpectCorners(*photo, quarter ? 120 : 160, quarter ? 160 : 120, upright[orientation],
                      "orientation " + std::to_string(orientation));
    }
    // On a landscape frame the upright photo gets its white bands: 120 x 160 at x = 46 on 213 x 160.
    SaveJpegWithSegment(Path("turned.jpg"), 160, 120, Quarters(160, 120), test::ExifSegment(test::ExifTiff(false, 6)));
    const auto banded = LoadPaddedPhoto(Path("turned.jpg"), false);
    EXPECT_EQ(banded->Width(), 213u);
    EXPECT_EQ(banded->Height(), 160u);
    EXPECT_EQ(PixelOf(*banded, 44, 80), White);
    EXPECT_TRUE(Near(PixelOf(*banded, 76, 40), Blue, 40));
}

TEST_F(PhotoFiles, ADamagedExifSegmentLeavesThePhotoAsStored)
{
    const std::string tiff = test::ExifTiff(false, 6);
    const auto patched = [&](std::size_t at, std::string_view bytes) {
        std::string damaged = tiff;
        damaged.replace(at, bytes.size(), bytes);
        return damaged;
    };
    const std::uint16_t count = static_cast<std::uint8_t>(tiff[8]);
    const std::size_t firstLink = 8 + 2 + 12 * std::size_t{count};
    for (const auto& [damaged, what] : std::vector<std::pair<std::string, const char*>>{
             {patched(4, std::string_view("\x00\x01\0\0", 4)), "first directory outside the segment"},
             {patched(tiff.size() - 4, std::string_view("\x08\0\0\0", 4)), "a chain back to the first directory"},
             {patched(firstLink, std::string_view("\x08\0\0\0", 4)), "a first directory linked to itself"},
             {patched(8, std::string_view("\xFF\x0F", 2)), "an entry count past the end"},
             {patched(4, std::string_view("\xF0\xFF\xFF\x7F", 4)), "first directory outside the file"},
             {patched(10 + 4, std::string_view("\xFF\xFF\xFF\x7F", 4)), "an orientation count past the end"},
         }) {
        SaveJpegWithSegment(Path("damaged.jpg"), 160, 120, Quarters(160, 120), test::ExifSegment(damaged));
        const auto photo = LoadPaddedPhoto(Path("damaged.jpg"), false);
        EXPECT_EQ(LastPhotoStatus, Gdiplus::Ok) << what;
        ExpectCorners(*photo, 160, 120, {Red, Green, Blue, Yellow}, what);
    }
}

TEST_F(PhotoFiles, ATiffTurnsUprightByTheOrientationOfItsFirstDirectory)
{
    // 40 x 30 uncompressed quarters, exact colours; orientation 6 shows them a quarter clockwise.
    std::string rgb;
    for (int y = 0; y < 30; ++y)
        for (int x = 0; x < 40; ++x)
            rgb += y < 15 ? (x < 20 ? std::string("\xFF\0\0", 3) : std::string("\0\xFF\0", 3))
                          : (x < 20 ? std::string("\0\0\xFF", 3) : std::string("\xFF\xFF\0", 3));
    for (const bool bigEndian : {false, true}) {
        test::TiffWriter tiff(bigEndian);
        const std::uint32_t at = tiff.Data(rgb);
        tiff.Directory({{256, 3, {40}}, {257, 3, {30}}, {258, 3, {8, 8, 8}}, {259, 3, {1}}, {262, 3, {2}},
                        {273, 4, {at}}, {274, 3, {6}}, {277, 3, {3}}, {278, 4, {30}}, {279, 4, {40 * 30 * 3}}});
        folder.Write("turned.tif", tiff.Bytes());
        const auto photo = LoadPaddedPhoto(Path("turned.tif"), true);
        EXPECT_EQ(LastPhotoStatus, Gdiplus::Ok);
        ExpectCorners(*photo, 30, 40, {Blue, Red, Yellow, Green}, bigEndian ? "big-endian" : "little-endian", 2);
    }
}

TEST(Thumbnail, FillsItsBoxFromAPaddedCanvas)
{
    const TPaddedPhoto landscape(MakeImage(1600, 1200, Quarters(1600, 1200)));
    auto thumb = MakeThumbnail(landscape, false);
    EXPECT_EQ(thumb->Width(), 200);
    EXPECT_EQ(thumb->Height(), 150);
    EXPECT_EQ(thumb->Format(), ui::PixelFormat::Device);
    EXPECT_TRUE(Near(thumb->Canvas().Pixel(0, 0), Red, 8));
    EXPECT_TRUE(Near(thumb->Canvas().Pixel(199, 149), Yellow, 8));

    // A photo that is not padded leaves white bands: 112 of 200 columns at x = 44.
    const TPaddedPhoto upright(MakeImage(300, 400, Solid(Red, 300, 400)));
    thumb = MakeThumbnail(upright, false);
    EXPECT_EQ(thumb->Canvas().Pixel(42, 75), White);
    EXPECT_TRUE(Near(thumb->Canvas().Pixel(100, 75), Red, 8));
    EXPECT_EQ(thumb->Canvas().Pixel(157, 75), White);
}

TEST(CropScale, CutsTheClipAndScalesItTo24Bits)
{
    const TPaddedPhoto photo(MakeImage(1600, 1200, Quarters(1600, 1200)));
    auto whole = CropScalePhoto(photo, 160, 120, 0, 0, 1, 1);
    EXPECT_EQ(whole->Width(), 160);
    EXPECT_EQ(whole->Height(), 120);
    EXPECT_EQ(whole->BitsPerPixel(), 24);
    EXPECT_TRUE(Near(PixelOf(*whole, 40, 30), Red));
    EXPECT_TRUE(Near(PixelOf(*whole, 120, 90), Yellow));

    auto quarter = CropScalePhoto(photo, 100, 75, 0.5, 0.5, 0.5, 0.5);
    EXPECT_TRUE(Near(PixelOf(*quarter, 2, 2), Yellow));

    auto nothing = CropScalePhoto(photo, 0, 0, 0, 0, 1, 1);
    EXPECT_TRUE(nothing->Empty());
}

} // namespace
