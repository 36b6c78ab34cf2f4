// The new-photo page's arithmetic without a window: the clip selection and the settings the
// controls give.
#include "editor/EditorClipGeometry.h"
#include "editor/EditorEffectsMapping.h"

#include <gtest/gtest.h>

using namespace lumetta;

namespace {

struct Step {
    int width, height, left, top; // relative to the thumbnail's top-left corner
};

// The selection relative to the thumbnail, with width and height exchanged for a portrait one.
Step Relative(const TClipSelector& s, const TControlBounds& thumb, bool portrait)
{
    const TControlBounds& r = s.Selection;
    const Step step{r.Width, r.Height, r.Left - thumb.Left, r.Top - thumb.Top};
    return portrait ? Step{step.height, step.width, step.top, step.left} : step;
}

void ExpectStep(const Step& actual, const Step& expected, int index)
{
    EXPECT_EQ(actual.width, expected.width) << "step " << index;
    EXPECT_EQ(actual.height, expected.height) << "step " << index;
    EXPECT_EQ(actual.left, expected.left) << "step " << index;
    EXPECT_EQ(actual.top, expected.top) << "step " << index;
}

TEST(ClipGeometry, ThumbnailPlacesAndTheCrossSideRounding)
{
    EXPECT_EQ(ThumbnailBounds(false), (TControlBounds{16, 56, 200, 150}));
    EXPECT_EQ(ThumbnailBounds(true), (TControlBounds{44, 56, 150, 200}));
    EXPECT_EQ(ZoomedCrossSide(190), 142); // 142.5
    EXPECT_EQ(ZoomedCrossSide(170), 128); // 127.5
    EXPECT_EQ(ZoomedCrossSide(150), 112); // 112.5
    for (int side = 0; side <= 2000; ++side) {
        // Three quarters of the side, ties to even, in exact integers.
        const int q = side * 3 / 4, r = side * 3 % 4;
        EXPECT_EQ(ZoomedCrossSide(side), q + (r > 2 || (r == 2 && q % 2 == 1))) << side;
    }
}

TEST(ClipGeometry, ZoomInAndOutStepByStepInBothOrientations)
{
    for (const bool portrait : {false, true}) {
        SCOPED_TRACE(portrait ? "portrait" : "landscape");
        const TControlBounds thumb = ThumbnailBounds(portrait);
        TClipSelector s;
        ResetClipSelector(s, thumb);
        EXPECT_TRUE(s.ZoomInEnabled);
        EXPECT_FALSE(s.ZoomOutEnabled);

        const Step first[] = {{190, 142, 5, 4}, {180, 135, 10, 7}, {170, 128, 15, 10}, {160, 120, 20, 14}, {150, 112, 25, 18}};
        int steps = 0;
        while (s.ZoomInEnabled) {
            ZoomClipIn(s, portrait);
            ++steps;
            EXPECT_TRUE(s.ZoomOutEnabled);
            if (steps <= 5)
                ExpectStep(Relative(s, thumb, portrait), first[steps - 1], steps);
            if (steps == 15)
                ExpectStep(Relative(s, thumb, portrait), {50, 38, 75, 52}, steps);
        }
        EXPECT_EQ(steps, 16);
        ExpectStep(Relative(s, thumb, portrait), {40, 30, 80, 56}, steps);

        ZoomClipOut(s, thumb, portrait);
        ExpectStep(Relative(s, thumb, portrait), {50, 38, 75, 52}, -1);
        EXPECT_TRUE(s.ZoomInEnabled);
        steps = 1;
        while (s.ZoomOutEnabled) {
            ZoomClipOut(s, thumb, portrait);
            ++steps;
        }
        EXPECT_EQ(steps, 16);
        EXPECT_EQ(s.Selection, thumb);
    }
}

TEST(ClipGeometry, ZoomOutAgainstTheEdgesIsClampedInside)
{
    const TControlBounds thumb = ThumbnailBounds(false);
    TClipSelector s;
    s.ZoomOutEnabled = true;
    // 100 x 75 in the bottom right corner: re-centring pushes it out right and down
    // (-7 div 2 is -3), the clamps bring it back against both edges.
    s.Selection = {16 + 100, 56 + 75, 100, 75};
    ZoomClipOut(s, thumb, false);
    EXPECT_EQ(s.Selection, (TControlBounds{16 + 90, 56 + 150 - 82, 110, 82}));
    // In the top left corner the left and top clamps hold it.
    s.Selection = {16, 56, 100, 75};
    ZoomClipOut(s, thumb, false);
    EXPECT_EQ(s.Selection, (TControlBounds{16, 56, 110, 82}));
}

TEST(ClipGeometry, DraggingMovesEachAxisAlone)
{
    const TControlBounds thumb = ThumbnailBounds(false);
    TClipSelector s;
    s.Selection = {20, 60, 100, 75};

    BeginClipDrag(s, false, 50, 30); // not the left button
    EXPECT_FALSE(s.Dragging);
    EXPECT_FALSE(DragClip(s, thumb, 10, 10));

    BeginClipDrag(s, true, 50, 30);
    // Past the left edge while moving down: stops horizontally, still moves down.
    EXPECT_TRUE(DragClip(s, thumb, 40, 40));
    EXPECT_EQ(s.Selection.Left, 20);
    EXPECT_EQ(s.Selection.Top, 70);
    EXPECT_EQ(s.DragAnchor.x, 40); // the grip slid
    EXPECT_EQ(s.DragAnchor.y, 30);
    // Turning back right moves it again at once.
    EXPECT_TRUE(DragClip(s, thumb, 45, 30));
    EXPECT_EQ(s.Selection.Left, 25);
    // Both axes refused: nothing to redraw. The right edge is exact: 116 + 100 = 216.
    EXPECT_FALSE(DragClip(s, thumb, s.DragAnchor.x - 20, s.DragAnchor.y + 200));
    EXPECT_TRUE(DragClip(s, thumb, s.DragAnchor.x + 91, s.DragAnchor.y));
    EXPECT_EQ(s.Selection.Left, 116);
    EXPECT_FALSE(DragClip(s, thumb, s.DragAnchor.x + 1, s.DragAnchor.y - 70));

    EndClipDrag(s);
    EXPECT_FALSE(s.Dragging);
    ResetClipSelector(s, thumb);
    EXPECT_EQ(s.DragAnchor.x, 0);
}

TEST(ClipGeometry, ClipFractionsAndShadeRectangles)
{
    const TControlBounds thumb = ThumbnailBounds(false);
    const TPhotoClipRect clip = GetClipRect({16 + 25, 56 + 4, 100, 75}, thumb);
    EXPECT_DOUBLE_EQ(clip.X, 0.125);
    EXPECT_DOUBLE_EQ(clip.Y, 4.0 / 150);
    EXPECT_DOUBLE_EQ(clip.W, 0.5);
    EXPECT_DOUBLE_EQ(clip.H, 0.5);
    const TPhotoClipRect whole = GetClipRect(thumb, thumb);
    EXPECT_EQ(whole.X, 0);
    EXPECT_EQ(whole.W, 1);

    const TClipShade shade = ShadeOutsideClip({16 + 25, 56 + 4, 100, 75}, thumb);
    EXPECT_EQ(shade.Box.right, 200);
    EXPECT_EQ(shade.Box.bottom, 150);
    EXPECT_EQ(shade.Clear.left, 26);
    EXPECT_EQ(shade.Clear.top, 5);
    EXPECT_EQ(shade.Clear.right, 124);
    EXPECT_EQ(shade.Clear.bottom, 78);
}

TEST(EffectsMapping, SliderScalesAndHints)
{
    EXPECT_EQ(ZoomRatioFromSlider(20), 1.0);
    EXPECT_EQ(ZoomRatioFromSlider(5), 2.0);
    EXPECT_EQ(ZoomRatioFromSlider(30), 1.0 / 3);
    EXPECT_EQ(EffectAmountFromSlider(-25), -250);
    EXPECT_EQ(EffectHintText(-25), "-100 %");
    EXPECT_EQ(EffectHintText(5), "20 %");
}

TEST(EffectsMapping, EveryFieldFromTheControls)
{
    TSinglePhotoControls c;
    c.PhotoPath = "C:\\photos\\lake.jpg";
    c.RotationPosition = -90;
    c.ZoomPosition = 5;
    c.Notes = "one\r\ntwo";
    c.FontName = "Courier New";
    c.FontStyle = ui::fsBold | ui::fsStrikeOut;
    c.FontSize = 22;
    c.FontColor = ui::clWindowText;
    c.BrightnessPosition = -25;
    c.ContrastPosition = 25;
    c.SaturationPosition = 1;
    c.Emboss = true;
    const TFramedEffects fx = FramedEffectsFromControls(c);
    EXPECT_EQ(fx.PhotoFile, c.PhotoPath);
    EXPECT_EQ(fx.RotationAngle, -90);
    EXPECT_EQ(fx.ZoomRatio, 2.0);
    EXPECT_EQ(fx.PhotoNotes, "one\r\ntwo");
    EXPECT_EQ(fx.NotesPos, 9); // "Photo Frame", checked at design
    EXPECT_EQ(fx.FontFace, "Courier New");
    EXPECT_TRUE(fx.Bold && fx.StrikeOut);
    EXPECT_FALSE(fx.Italic || fx.Underline);
    EXPECT_EQ(fx.FontSize, 22);
    EXPECT_EQ(fx.FontColor, 0xFF000008u); // a system colour stays as it is
    EXPECT_EQ(fx.Brightness, -250);
    EXPECT_EQ(fx.Contrast, 250);
    EXPECT_EQ(fx.Saturation, 10);
    EXPECT_TRUE(fx.Emboss);
    EXPECT_FALSE(fx.Sepia || fx.ColorNoise);

    std::array<bool, TextPositionCount> checked{};
    checked[2] = checked[7] = true; // the later one in menu order wins
    EXPECT_EQ(CheckedNotesPos(checked), 7);
}

} // namespace
