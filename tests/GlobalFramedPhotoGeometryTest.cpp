// The renderer's arithmetic, without drawing anything.
#include "shared/GlobalFramedPhoto.h"

#include <gtest/gtest.h>

using namespace lumetta;

namespace {

const THoldRect kImageHold{50, 40, 550, 410};

TEST(FramedGeometry, WorkedExampleAtZoomOne)
{
    const TFramedGeometry g = FramedGeometry(600, 450, kImageHold, 1.0);
    EXPECT_EQ(g.Extra, 2);
    EXPECT_DOUBLE_EQ(g.PhotoX, 50);
    EXPECT_DOUBLE_EQ(g.PhotoY, 40);
    EXPECT_DOUBLE_EQ(g.PhotoW, 502);
    EXPECT_DOUBLE_EQ(g.PhotoH, 372);
    EXPECT_EQ(g.PartWidth, 502);
    EXPECT_EQ(g.PartHeight, 372);
    EXPECT_EQ(g.CanvasWidth, 600);
    EXPECT_EQ(g.CanvasHeight, 450);
    EXPECT_DOUBLE_EQ(g.HalfDiagonal, 375);
    EXPECT_EQ(g.Side, 750);
    EXPECT_EQ(g.CanvasLeft, 75);
    EXPECT_EQ(g.CanvasTop, 150);
    EXPECT_TRUE(g.HasCanvas());
    EXPECT_TRUE(g.HasPhotoPart());
}

TEST(FramedGeometry, WorkedExampleAtOneThird)
{
    const TFramedGeometry g = FramedGeometry(600, 450, kImageHold, 1.0 / 3);
    EXPECT_EQ(g.Extra, 1);
    EXPECT_NEAR(g.PhotoX, 16.667, 0.001);
    EXPECT_NEAR(g.PhotoY, 13.333, 0.001);
    EXPECT_NEAR(g.PhotoW, 167.667, 0.001);
    EXPECT_NEAR(g.PhotoH, 124.333, 0.001);
    EXPECT_EQ(g.PartWidth, 168);
    EXPECT_EQ(g.PartHeight, 124);
    EXPECT_EQ(g.CanvasWidth, 200);
    EXPECT_EQ(g.CanvasHeight, 150);
    EXPECT_EQ(g.Side, 250);
    EXPECT_EQ(g.CanvasLeft, 25);
    EXPECT_EQ(g.CanvasTop, 50);
}

TEST(FramedGeometry, WorkedExampleAtZoomTwo)
{
    const TFramedGeometry g = FramedGeometry(600, 450, kImageHold, 2.0);
    EXPECT_EQ(g.Extra, 4);
    EXPECT_DOUBLE_EQ(g.PhotoX, 100);
    EXPECT_DOUBLE_EQ(g.PhotoY, 80);
    EXPECT_DOUBLE_EQ(g.PhotoW, 1004);
    EXPECT_DOUBLE_EQ(g.PhotoH, 744);
    EXPECT_EQ(g.CanvasWidth, 1200);
    EXPECT_EQ(g.CanvasHeight, 900);
    EXPECT_EQ(g.Side, 1500);
    EXPECT_EQ(g.CanvasLeft, 150);
    EXPECT_EQ(g.CanvasTop, 300);
}

TEST(FramedGeometry, ExtraPixelsOverTheEditorsZoomSteps)
{
    // Ties go to the even neighbour: 1.5 gives 2 at zoom 1, 4.5 gives 4 at zoom 2.
    EXPECT_EQ(PhotoAreaExtra(1.0), 2);
    EXPECT_EQ(PhotoAreaExtra(2.0), 4);
    EXPECT_EQ(PhotoAreaExtra(1.4), 2);
    EXPECT_EQ(PhotoAreaExtra(1.0 / 3), 1);
    for (int position = 5; position <= 30; ++position) {
        const double z = (35 - position) / 15.0;
        const int expected = z >= 1.7333 ? 4 : z >= 1.4666 ? 3 : z >= 1.0 ? 2 : 1;
        EXPECT_EQ(PhotoAreaExtra(z), expected) << "slider position " << position;
    }
}

TEST(FramedGeometry, OddSidesHalveByDroppingTheRemainder)
{
    // 101 x 51: d = sqrt(50.5^2 + 25.5^2) = 56.57..., S = 113; (113 shr 1) - (101 shr 1) = 6.
    const TFramedGeometry g = FramedGeometry(101, 51, THoldRect{}, 1.0);
    EXPECT_EQ(g.Side, 113);
    EXPECT_EQ(g.CanvasLeft, 6);
    EXPECT_EQ(g.CanvasTop, 31);
    // A square canvas: the half diagonal 70.7106... of 100 x 100 gives 141.
    EXPECT_EQ(FramedGeometry(100, 100, THoldRect{}, 1.0).Side, 141);
}

TEST(FramedGeometry, SizesNoBitmapCanHaveAreRefused)
{
    EXPECT_FALSE(FramedGeometry(0, 0, kImageHold, 1.0).HasCanvas()); // the frame image did not load
    EXPECT_FALSE(FramedGeometry(600, 450, kImageHold, -1.0).HasCanvas());
    EXPECT_FALSE(FramedGeometry(600, 450, kImageHold, 0.0).HasCanvas());
    EXPECT_FALSE(FramedGeometry(600, 450, kImageHold, 1e300).HasCanvas());
    EXPECT_FALSE(FramedGeometry(20000, 10, kImageHold, 1.0).HasCanvas());
    // A photo area turned inside out has no part to draw, while the canvas still stands.
    const TFramedGeometry inverted = FramedGeometry(600, 450, THoldRect{500, 400, 100, 100}, 1.0);
    EXPECT_TRUE(inverted.HasCanvas());
    EXPECT_FALSE(inverted.HasPhotoPart());
    // No ImageHold at all leaves the e extra pixels: a sliver of 2 x 2 at zoom 1.
    const TFramedGeometry none = FramedGeometry(600, 450, THoldRect{}, 1.0);
    EXPECT_EQ(none.PartWidth, 2);
    EXPECT_EQ(none.PartHeight, 2);
}

TEST(NoteLayout, GridCellsTextAreaAndTheTopLeftDefault)
{
    const TFramedGeometry g = FramedGeometry(600, 450, kImageHold, 2.0);
    const THoldRect textHold{100, 420, 500, 445};

    const TNoteLayout centre = NoteLayout(4, g, textHold, 2.0);
    EXPECT_TRUE(centre.Aligned);
    EXPECT_EQ(centre.Alignment, Gdiplus::StringAlignmentCenter);
    EXPECT_EQ(centre.LineAlignment, Gdiplus::StringAlignmentCenter);
    EXPECT_FLOAT_EQ(centre.Rect.X, 100);
    EXPECT_FLOAT_EQ(centre.Rect.Y, 80);
    EXPECT_FLOAT_EQ(centre.Rect.Width, 1004);
    EXPECT_FLOAT_EQ(centre.Rect.Height, 744);

    const Gdiplus::StringAlignment N = Gdiplus::StringAlignmentNear, C = Gdiplus::StringAlignmentCenter,
                                    F = Gdiplus::StringAlignmentFar;
    const Gdiplus::StringAlignment horizontal[9] = {N, C, F, N, C, F, N, C, F};
    const Gdiplus::StringAlignment vertical[9] = {N, N, N, C, C, C, F, F, F};
    for (std::uint8_t pos = 0; pos <= 8; ++pos) {
        const TNoteLayout cell = NoteLayout(pos, g, textHold, 2.0);
        EXPECT_EQ(cell.Alignment, horizontal[pos]) << int(pos);
        EXPECT_EQ(cell.LineAlignment, vertical[pos]) << int(pos);
    }

    // The text area has no extra pixels.
    const TNoteLayout area = NoteLayout(9, g, textHold, 2.0);
    EXPECT_TRUE(area.Aligned);
    EXPECT_EQ(area.Alignment, C);
    EXPECT_EQ(area.LineAlignment, C);
    EXPECT_FLOAT_EQ(area.Rect.X, 200);
    EXPECT_FLOAT_EQ(area.Rect.Y, 840);
    EXPECT_FLOAT_EQ(area.Rect.Width, 800);
    EXPECT_FLOAT_EQ(area.Rect.Height, 50);

    for (int pos : {10, 12, 200, 255}) {
        const TNoteLayout other = NoteLayout(static_cast<std::uint8_t>(pos), g, textHold, 2.0);
        EXPECT_FALSE(other.Aligned) << pos;
        EXPECT_FLOAT_EQ(other.Rect.X, 100);
        EXPECT_FLOAT_EQ(other.Rect.Height, 744);
    }
}

TEST(NoteLayout, StyleBitsAndColour)
{
    TFramedEffects fx;
    EXPECT_EQ(NoteFontStyle(fx), 0);
    fx.Bold = true;
    EXPECT_EQ(NoteFontStyle(fx), 1);
    fx.Italic = fx.Underline = fx.StrikeOut = true;
    EXPECT_EQ(NoteFontStyle(fx), 15);
    fx.Bold = fx.Italic = false;
    EXPECT_EQ(NoteFontStyle(fx), 12);

    // A system colour value: only the three low bytes count.
    EXPECT_EQ(NoteColor(0xFF000008u), 0xFF080000u);
    EXPECT_EQ(NoteColor(0x00123456u), 0xFF563412u);
}

} // namespace
