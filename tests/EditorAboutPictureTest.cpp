// The About picture from a frame folder of known colours: the faded first drawing, the clear
// second one over it.
#include "editor/EditorAboutPicture.h"

#include <gtest/gtest.h>

#include "FramedPhotoTestSupport.h"
#include "ImageSupport.h"

using namespace lumetta;
using namespace lumetta::test;

namespace {

TEST(AboutPicture, TwoTiltedDrawingsWithTheWashBetween)
{
    // A 300 x 225 frame in one colour around its photo area: at zoom 1.4 a 420 x 315 canvas, the
    // rendered square 525 x 525, cut to the image. Its top-left corner lies at (26, 79) before
    // the tilt; -4 degrees takes it to about (16, 94), +4 degrees to about (38, 65).
    TempFolder folder;
    const ui::GpBitmapPtr frameImage = MakePicture(300, 225, 0xFF2040C0, {{40, 40, 220, 145, Transparent}});
    WriteFrame(folder, "frame2.ini", *frameImage, {40, 40, 260, 185}, {-1, -1, -1, -1});
    SaveImageFile(folder.Dir() + "example.jpg", 400, 300,
                  [](Gdiplus::Graphics& g) { FillArea(g, 0, 0, 400, 300, RGB(0, 160, 0)); }, L"image/jpeg");
    const FramesetDirOverride frames(folder.Dir());

    const COLORREF window = RGB(200, 220, 240);
    const auto picture = MakeAboutPicture(window);
    ASSERT_EQ(picture->Width(), 473);
    ASSERT_EQ(picture->Height(), 473);
    ASSERT_EQ(LastPhotoStatus, Gdiplus::Ok);

    const COLORREF frame = RGB(0x20, 0x40, 0xC0);
    const auto washed = [&](int f, int w) { return f + (w - f) * 111 / 255; };
    const COLORREF faded = RGB(washed(0x20, 200), washed(0x40, 220), washed(0xC0, 240));
    EXPECT_TRUE(Near(PixelOf(*picture, 25, 100), faded, 3)) << std::hex << PixelOf(*picture, 25, 100);
    EXPECT_TRUE(Near(PixelOf(*picture, 50, 74), frame, 3)) << std::hex << PixelOf(*picture, 50, 74);
    EXPECT_TRUE(Near(PixelOf(*picture, 3, 3), window, 1)) << std::hex << PixelOf(*picture, 3, 3);
}

TEST(AboutPicture, FixedSettings)
{
    const TFramedEffects fx = AboutPictureEffects("C:\\f\\example.jpg", "M41");
    EXPECT_EQ(fx.PhotoNotes.rfind("Lumetta\r\n\r\nM41\r\n\r\n\r\n\r\n", 0), 0u);
    EXPECT_EQ(fx.ZoomRatio, 1.4);
    EXPECT_EQ(fx.NotesPos, 4);
    EXPECT_EQ(fx.Brightness, -30);
    EXPECT_EQ(fx.FontColor, 0xFFFFFFu);
    EXPECT_TRUE(fx.Bold && fx.Italic);
}

} // namespace
