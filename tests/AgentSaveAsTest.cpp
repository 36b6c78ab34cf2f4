// The JPEG picture of a frame: its composition, the caption's size from the stored zoom, the file
// and the error path.
#include "agent/AgentPhotoFrameU.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "AgentTestSupport.h"
#include "FramedPhotoTestSupport.h"
#include "ImageSupport.h"
#include "shared/GlobalPhotoSet.h"

using namespace lumetta;
using namespace lumetta::test;

namespace {

const std::string Id = "{E5555555-0000-4000-8000-00000000000E}";

// Where the translucent caption lit an opaque black frame.
struct Lit {
    int left = INT_MAX, top = INT_MAX, right = -1, bottom = -1;
    int brightest = 0;
    int Height() const { return bottom - top + 1; }
    int CentreX2() const { return left + right; }
};

Lit LitArea(Gdiplus::Bitmap& picture, int threshold, int firstRow = 0)
{
    Lit lit;
    for (int y = firstRow; y < static_cast<int>(picture.GetHeight()); ++y) {
        for (int x = 0; x < static_cast<int>(picture.GetWidth()); ++x) {
            const int value = GetRValue(PixelOf(picture, x, y));
            lit.brightest = std::max(lit.brightest, value);
            if (value > threshold) {
                lit.left = std::min(lit.left, x);
                lit.right = std::max(lit.right, x);
                lit.top = std::min(lit.top, y);
                lit.bottom = std::max(lit.bottom, y);
            }
        }
    }
    return lit;
}

TEST(SavedPicture, GradientShowsThroughTransparentPixelsAndTheFrameLiesOnTop)
{
    // Transparent bands at the top and bottom, an opaque red block between them.
    const ui::GpBitmapPtr frame = MakePicture(120, 160, 0, {Patch{0, 40, 120, 80, 0xFFC00000}});
    const ui::GpBitmapPtr picture = ComposeSavedPicture(*frame, 1.0);
    ASSERT_TRUE(picture);
    EXPECT_EQ(picture->GetWidth(), 120u);
    EXPECT_EQ(picture->GetHeight(), 160u);
    EXPECT_EQ(picture->GetPixelFormat(), PixelFormat24bppRGB);
    EXPECT_TRUE(Near(PixelOf(*picture, 3, 0), RGB(255, 255, 255), 1));
    EXPECT_TRUE(Near(PixelOf(*picture, 3, 159), RGB(220, 220, 220), 1));
    EXPECT_TRUE(Near(PixelOf(*picture, 2, 42), RGB(0xC0, 0, 0), 1));
}

TEST(SavedPicture, CaptionIsCentredAboveTheMiddleAndScalesWithTheZoom)
{
    const ui::GpBitmapPtr frame = MakePicture(480, 360, 0xFF000000);
    const ui::GpBitmapPtr full = ComposeSavedPicture(*frame, 1.0);
    const ui::GpBitmapPtr half = ComposeSavedPicture(*frame, 0.5);
    ASSERT_TRUE(full && half);
    const Lit big = LitArea(*full, 20);
    const Lit small = LitArea(*half, 20);
    ASSERT_GT(big.right, 0);
    ASSERT_GT(small.right, 0);
    // White at alpha 111 over black.
    EXPECT_NEAR(big.brightest, 111, 3);
    EXPECT_NEAR(big.CentreX2(), 480, 6);
    EXPECT_NEAR(small.CentreX2(), 480, 6);
    // The line breaks after the second line count in the centring (where the platform counts
    // them), so the visible lines never sit below the middle.
    EXPECT_LE(big.top + big.bottom, 360);
    EXPECT_LE(small.top + small.bottom, 360);
    EXPECT_NEAR(static_cast<double>(small.Height()) / big.Height(), 0.5, 0.12);
    EXPECT_GT(big.Height(), 40); // about three lines of 16 pixels
}

TEST(SavedPicture, LineBreaksOfTheCaptionDrawNothing)
{
    // Two lines of ink with one empty line between them; a glyph drawn for a break would light
    // the empty lines too.
    const ui::GpBitmapPtr frame = MakePicture(480, 360, 0xFF000000);
    const ui::GpBitmapPtr picture = ComposeSavedPicture(*frame, 1.0);
    ASSERT_TRUE(picture);
    int bands = 0;
    bool previous = false;
    for (int y = 0; y < 360; ++y) {
        bool lit = false;
        for (int x = 0; x < 480 && !lit; ++x)
            lit = GetRValue(PixelOf(*picture, x, y)) > 20;
        bands += lit && !previous;
        previous = lit;
    }
    EXPECT_EQ(bands, 2);
}

class SaveAsJpeg : public ::testing::Test {
protected:
    AgentStage stage;
    TempFolder out;
    ui::GpBitmapPtr frame = MakePicture(480, 360, 0xFF000000, {Patch{0, 0, 480, 30, 0}});

    Lit SavedCaption(const std::string& name)
    {
        const std::string file = out.Dir() + name;
        EXPECT_TRUE(SaveFrameAsJpeg(*frame, Id, file));
        Gdiplus::Bitmap saved(ui::WideFromAnsi(file).c_str());
        EXPECT_EQ(saved.GetLastStatus(), Gdiplus::Ok);
        GUID format;
        saved.GetRawFormat(&format);
        EXPECT_TRUE(format == Gdiplus::ImageFormatJPEG);
        EXPECT_EQ(saved.GetWidth(), 480u);
        EXPECT_EQ(saved.GetHeight(), 360u);
        EXPECT_FALSE(Gdiplus::IsAlphaPixelFormat(saved.GetPixelFormat()));
        // The transparent top band shows the gradient's white.
        EXPECT_TRUE(Near(PixelOf(saved, 240, 2), RGB(255, 255, 255), 6));
        return LitArea(saved, 40, 40); // below the band and the encoder's ringing at its edge
    }
};

TEST_F(SaveAsJpeg, StoredZoomSizesTheCaption)
{
    const Lit absent = SavedCaption("absent.jpg");
    stage.StoreText(Id, PhotoSetValue::ZoomRatio, "ERR");
    const Lit unreadable = SavedCaption("unreadable.jpg");
    stage.StoreText(Id, PhotoSetValue::ZoomRatio, NumberToText(0.5));
    const Lit half = SavedCaption("half.jpg");
    EXPECT_NEAR(unreadable.Height(), absent.Height(), 2);
    EXPECT_NEAR(static_cast<double>(half.Height()) / absent.Height(), 0.5, 0.15);
    EXPECT_FALSE(stage.Has(Id, PhotoSetValue::X)); // reads only
}

TEST_F(SaveAsJpeg, FailureShowsTheErrorWithTheFileName)
{
    const std::string file = out.Dir() + "no such folder\\picture.jpg";
    DialogPresser ok(IDOK);
    EXPECT_FALSE(SaveFrameAsJpeg(*frame, Id, file));
    const SeenDialog& seen = ok.Join();
    ASSERT_TRUE(seen.found);
    EXPECT_TRUE(seen.Shows(ui::WideFromAnsi(file)));
    EXPECT_FALSE(std::filesystem::exists(file));

    // A frame picture without pixels cannot be saved either, and says so.
    Gdiplus::Bitmap empty(0, 0, PixelFormat32bppARGB);
    DialogPresser again(IDOK);
    EXPECT_FALSE(SaveFrameAsJpeg(empty, Id, out.Dir() + "empty.jpg"));
    EXPECT_TRUE(again.Join().found);
}

} // namespace
