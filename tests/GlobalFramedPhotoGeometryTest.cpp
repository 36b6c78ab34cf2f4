// The renderer's arithmetic, without drawing anything.
#include "shared/GlobalFramedPhoto.h"

#include <gtest/gtest.h>

using namespace lumetta;

namespace {

const THoldRect kImageHold{50, 40, 550, 410};

TEST(FramedGeometry, WorkedExamplesAtZoomOneThirdOneAndTwo)
{
    struct Case {
        double zoom;
        int extra;
        double x, y, w, h;
        std::int64_t partW, partH, canvasW, canvasH, side, left, top;
    };
    const Case cases[] = {
        {1.0, 2, 50, 40, 502, 372, 502, 372, 600, 450, 750, 75, 150},
        {1.0 / 3, 1, 16.667, 13.333, 167.667, 124.333, 168, 124, 200, 150, 250, 25, 50},
        {2.0, 4, 100, 80, 1004, 744, 1004, 744, 1200, 900, 1500, 150, 300},
    };
    for (const Case& c : cases) {
        const TFramedGeometry g = FramedGeometry(600, 450, kImageHold, c.zoom);
        EXPECT_EQ(g.Extra, c.extra) << c.zoom;
        EXPECT_NEAR(g.PhotoX, c.x, 0.001) << c.zoom;
        EXPECT_NEAR(g.PhotoY, c.y, 0.001) << c.zoom;
        EXPECT_NEAR(g.PhotoW, c.w, 0.001) << c.zoom;
        EXPECT_NEAR(g.PhotoH, c.h, 0.001) << c.zoom;
        EXPECT_EQ(g.PartWidth, c.partW) << c.zoom;
        EXPECT_EQ(g.PartHeight, c.partH) << c.zoom;
        EXPECT_EQ(g.CanvasWidth, c.canvasW) << c.zoom;
        EXPECT_EQ(g.CanvasHeight, c.canvasH) << c.zoom;
        EXPECT_EQ(g.Side, c.side) << c.zoom;
        EXPECT_EQ(g.CanvasLeft, c.left) << c.zoom;
        EXPECT_EQ(g.CanvasTop, c.top) << c.zoom;
        EXPECT_TRUE(g.HasCanvas() && g.HasPhotoPart()) << c.zoom;
    }
    EXPECT_DOUBLE_EQ(FramedGeometry(600, 450, kImageHold, 1.0).HalfDiagonal, 375);
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
