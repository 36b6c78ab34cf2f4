// The renderer checked on the pixels it returns, with small frames and photos made here.
#include "shared/GlobalFramedPhoto.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>

#include "FramedPhotoTestSupport.h"
#include "ImageSupport.h"
#include "shared/LangUnit.h"
#include "ui/Error.h"

using namespace lumetta;
using namespace lumetta::test;

namespace {

class ComposeFramedPhotoTest : public ::testing::Test {
protected:
    TempFolder folder;
    FramesetDirOverride frames{folder.Dir()};
    std::unique_ptr<TPaddedPhoto> redPhoto = MakePhoto(120, 90, OpaqueRed);

    void SetUp() override { LastPhotoStatus = Gdiplus::Ok; }
    void TearDown() override { LastPhotoStatus = Gdiplus::Ok; }

    TPhotoFrame Frame(const std::string& name, Gdiplus::Bitmap& image, const THoldRect& imageHold,
                      const THoldRect& textHold = {-1, -1, -1, -1})
    {
        WriteFrame(folder, name, image, imageHold, textHold);
        TPhotoFrame frame;
        LoadPhotoFrame(name, frame);
        return frame;
    }

    // 60 x 45, opaque blue with a transparent hole over ImageHold (10, 8, 50, 38).
    TPhotoFrame SmallFrame(std::vector<Patch> extra = {})
    {
        std::vector<Patch> fills{{10, 8, 40, 30, Transparent}};
        fills.insert(fills.end(), extra.begin(), extra.end());
        const ui::GpBitmapPtr image = MakePicture(60, 45, OpaqueBlue, fills);
        return Frame("small.ini", *image, {10, 8, 50, 38});
    }

    static ui::GpBitmapPtr Compose(const TPaddedPhoto& photo, const TPhotoFrame& frame, const TFramedEffects& fx)
    {
        ui::GpBitmapPtr out = ComposeFramedPhoto(photo, TPhotoClipRect{}, frame, fx);
        EXPECT_TRUE(out);
        EXPECT_EQ(out->GetPixelFormat(), PixelFormat32bppARGB);
        return out;
    }
};

bool IsRed(const PixelGrid& p, int x, int y)
{
    return p.Alpha(x, y) == 255 && p.Red(x, y) > 240 && p.Green(x, y) < 15 && p.Blue(x, y) < 15;
}
bool IsBlue(const PixelGrid& p, int x, int y)
{
    return p.Alpha(x, y) == 255 && p.Blue(x, y) > 240 && p.Red(x, y) < 15 && p.Green(x, y) < 15;
}

TEST_F(ComposeFramedPhotoTest, PhotoShowsThroughTheHoleUnderTheFrame)
{
    const TPhotoFrame frame = SmallFrame();
    const ui::GpBitmapPtr out = Compose(*redPhoto, frame, TFramedEffects{});
    // 60 x 45: d = 37.5, S = 75, the canvas drawn at (37 - 30, 37 - 22) = (7, 15).
    ASSERT_EQ(out->GetWidth(), 75u);
    ASSERT_EQ(out->GetHeight(), 75u);
    const PixelGrid p(*out);
    const auto at = [](int x, int y) { return std::pair{7 + x, 15 + y}; };

    // Transparent margins around the unturned canvas.
    for (auto [x, y] : {std::pair{0, 0}, {74, 74}, {6, 30}, {67, 30}, {30, 14}, {30, 60}})
        EXPECT_EQ(p.Alpha(x, y), 0) << x << "," << y;
    for (auto [x, y] : {at(0, 0), at(59, 0), at(0, 44), at(59, 44), at(5, 20)}) {
        EXPECT_TRUE(IsBlue(p, x, y)) << x << "," << y;
    }
    // The photo inside the hole...
    for (auto [x, y] : {at(30, 23), at(12, 10), at(48, 36)})
        EXPECT_TRUE(IsRed(p, x, y)) << x << "," << y;
    // ...and under the frame's own pixels where its area reaches e = 2 pixels past the hole.
    for (auto [x, y] : {at(50, 20), at(51, 20), at(30, 38), at(30, 39)})
        EXPECT_TRUE(IsBlue(p, x, y)) << x << "," << y;
}

TEST_F(ComposeFramedPhotoTest, PhotoAreaReachesExtraPixelsPastImageHold)
{
    // The hole is larger than ImageHold, so the photo's own edge shows.
    const ui::GpBitmapPtr image = MakePicture(60, 45, OpaqueBlue, {{10, 8, 48, 36, Transparent}});
    const TPhotoFrame frame = Frame("wide.ini", *image, {10, 8, 50, 38});
    for (double zoom : {1.0, 2.0}) {
        TFramedEffects fx;
        fx.ZoomRatio = zoom;
        const ui::GpBitmapPtr out = Compose(*redPhoto, frame, fx);
        const TFramedGeometry g = FramedGeometry(60, 45, frame.ImageHold, zoom);
        ASSERT_EQ(out->GetWidth(), static_cast<UINT>(g.Side));
        const PixelGrid p(*out);
        const int right = static_cast<int>(g.CanvasLeft + g.PhotoX + g.PhotoW); // first column past the area
        const int bottom = static_cast<int>(g.CanvasTop + g.PhotoY + g.PhotoH);
        const int midY = static_cast<int>(g.CanvasTop + 23 * zoom);
        const int midX = static_cast<int>(g.CanvasLeft + 30 * zoom);
        // The last e columns (rows) of the area past ImageHold are photo; beyond them the hole is empty.
        EXPECT_TRUE(IsRed(p, right - g.Extra, midY)) << zoom;
        EXPECT_TRUE(IsRed(p, midX, bottom - g.Extra)) << zoom;
        EXPECT_EQ(p.Alpha(right + 1, midY), 0) << zoom;
        EXPECT_EQ(p.Alpha(midX, bottom + 1), 0) << zoom;
    }
}

TEST_F(ComposeFramedPhotoTest, WorkedExampleSizesAndPositions)
{
    const ui::GpBitmapPtr image = MakePicture(600, 450, OpaqueBlue, {{50, 40, 500, 370, Transparent}});
    const TPhotoFrame frame = Frame("big.ini", *image, {50, 40, 550, 410});
    struct Case {
        double zoom;
        UINT side;
        int left, top, width, height;
    };
    for (const Case& c : {Case{1.0, 750, 75, 150, 600, 450}, Case{1.0 / 3, 250, 25, 50, 200, 150},
                          Case{2.0, 1500, 150, 300, 1200, 900}}) {
        TFramedEffects fx;
        fx.ZoomRatio = c.zoom;
        const ui::GpBitmapPtr out = Compose(*redPhoto, frame, fx);
        ASSERT_EQ(out->GetWidth(), c.side);
        ASSERT_EQ(out->GetHeight(), c.side);
        const PixelGrid p(*out);
        const int midX = c.left + c.width / 2, midY = c.top + c.height / 2;
        // The canvas edges, found on the pixels.
        EXPECT_GT(p.Alpha(c.left, midY), 0) << c.zoom;
        EXPECT_EQ(p.Alpha(c.left - 1, midY), 0) << c.zoom;
        EXPECT_GT(p.Alpha(c.left + c.width - 1, midY), 0) << c.zoom;
        EXPECT_EQ(p.Alpha(c.left + c.width, midY), 0) << c.zoom;
        EXPECT_GT(p.Alpha(midX, c.top), 0) << c.zoom;
        EXPECT_EQ(p.Alpha(midX, c.top - 1), 0) << c.zoom;
        EXPECT_GT(p.Alpha(midX, c.top + c.height - 1), 0) << c.zoom;
        EXPECT_EQ(p.Alpha(midX, c.top + c.height), 0) << c.zoom;
        EXPECT_TRUE(IsRed(p, midX, midY)) << c.zoom;
    }
}

TEST_F(ComposeFramedPhotoTest, QuarterTurnTurnsTheCanvasClockwise)
{
    // A red marker in the frame's top-left corner.
    const TPhotoFrame frame = SmallFrame({{0, 0, 8, 6, OpaqueRed}});
    TFramedEffects fx;
    fx.RotationAngle = 90;
    const ui::GpBitmapPtr out = Compose(*redPhoto, frame, fx);
    ASSERT_EQ(out->GetWidth(), 75u);
    const PixelGrid p(*out);
    // Upright now: 45 wide and 60 high about the centre (37, 37).
    EXPECT_EQ(p.Alpha(10, 37), 0);
    EXPECT_EQ(p.Alpha(64, 37), 0);
    EXPECT_TRUE(IsBlue(p, 37, 10));
    EXPECT_TRUE(IsBlue(p, 37, 64));
    // The top-left corner went to the top right.
    EXPECT_TRUE(IsRed(p, 56, 9));
    EXPECT_TRUE(IsBlue(p, 18, 9));
}

TEST_F(ComposeFramedPhotoTest, NoteShadowIsOnePixelDownAndRightAtZoomTwo)
{
    // A transparent frame with a small photo area; the note goes in the text area beside it.
    const ui::GpBitmapPtr image = MakePicture(100, 60, Transparent);
    const TPhotoFrame frame = Frame("note.ini", *image, {0, 0, 10, 10}, {20, 10, 100, 60});
    TFramedEffects fx;
    fx.ZoomRatio = 2;
    fx.PhotoNotes = "W";
    fx.NotesPos = 9;
    fx.Bold = true;
    fx.FontSize = 20;
    fx.FontColor = 0x00FFFFFF;
    const ui::GpBitmapPtr out = Compose(*redPhoto, frame, fx);
    const PixelGrid p(*out);
    const TFramedGeometry g = FramedGeometry(100, 60, frame.ImageHold, 2);

    // Text pixels carry white; pixels of the shadow alone are black at alpha 60 or less.
    int textMaxX = -1, textMaxY = -1, textMinX = 1 << 20, anyMaxX = -1, anyMaxY = -1, anyMinX = 1 << 20;
    int shadowOnly = 0;
    for (int y = static_cast<int>(g.CanvasTop + 20); y < g.CanvasTop + 120; ++y) {
        for (int x = static_cast<int>(g.CanvasLeft + 40); x < g.CanvasLeft + 200; ++x) {
            if (p.Alpha(x, y) == 0)
                continue;
            anyMaxX = std::max(anyMaxX, x);
            anyMaxY = std::max(anyMaxY, y);
            anyMinX = std::min(anyMinX, x);
            if (p.Red(x, y) > 0) {
                textMaxX = std::max(textMaxX, x);
                textMaxY = std::max(textMaxY, y);
                textMinX = std::min(textMinX, x);
            } else {
                ++shadowOnly;
                EXPECT_LE(p.Alpha(x, y), 60);
                // Its glyph pixel lies one up and one left.
                EXPECT_GT(p.Red(x - 1, y - 1), 0) << x << "," << y;
            }
        }
    }
    ASSERT_GE(textMaxX, 0) << "no note drawn";
    EXPECT_GT(shadowOnly, 0);
    EXPECT_EQ(anyMaxX, textMaxX + 1);
    EXPECT_EQ(anyMaxY, textMaxY + 1);
    EXPECT_EQ(anyMinX, textMinX);
}

TEST_F(ComposeFramedPhotoTest, NotePositionsAndColour)
{
    // A white photo over the whole frame; the note in a system colour value draws as RGB (8, 0, 0).
    const ui::GpBitmapPtr image = MakePicture(200, 150, Transparent);
    const TPhotoFrame frame = Frame("full.ini", *image, {0, 0, 198, 148});
    const auto white = MakePhoto(200, 150, OpaqueWhite);
    const TFramedGeometry g = FramedGeometry(200, 150, frame.ImageHold, 1);
    struct Box {
        int minX = 1 << 20, minY = 1 << 20, maxX = -1, maxY = -1;
        bool exactColour = false;
    };
    const auto noteBox = [&](std::uint8_t pos) {
        TFramedEffects fx;
        fx.PhotoNotes = "X";
        fx.NotesPos = pos;
        fx.Bold = true;
        fx.FontSize = 30;
        fx.FontColor = 0xFF000008u;
        const ui::GpBitmapPtr out = Compose(*white, frame, fx);
        const PixelGrid p(*out);
        Box box;
        for (int y = static_cast<int>(g.CanvasTop); y < g.CanvasTop + 150; ++y) {
            for (int x = static_cast<int>(g.CanvasLeft); x < g.CanvasLeft + 200; ++x) {
                if (p.Alpha(x, y) != 255 || p.Red(x, y) > 128)
                    continue;
                box.minX = std::min(box.minX, x - static_cast<int>(g.CanvasLeft));
                box.minY = std::min(box.minY, y - static_cast<int>(g.CanvasTop));
                box.maxX = std::max(box.maxX, x - static_cast<int>(g.CanvasLeft));
                box.maxY = std::max(box.maxY, y - static_cast<int>(g.CanvasTop));
                box.exactColour |= p.At(x, y) == 0xFF080000u;
            }
        }
        return box;
    };
    const Box centre = noteBox(4);
    ASSERT_GE(centre.maxX, 0) << "no note drawn";
    EXPECT_TRUE(centre.exactColour);
    EXPECT_NEAR((centre.minX + centre.maxX) / 2.0, 100, 4);
    EXPECT_NEAR((centre.minY + centre.maxY) / 2.0, 75, 6);

    const Box bottomRight = noteBox(8);
    EXPECT_GT(bottomRight.maxX, 180);
    EXPECT_GT(bottomRight.maxY, 130);
    EXPECT_GT(bottomRight.minX, 100);

    for (std::uint8_t pos : {std::uint8_t{0}, std::uint8_t{12}, std::uint8_t{255}}) {
        const Box topLeft = noteBox(pos);
        EXPECT_LT(topLeft.minX, 10) << int(pos);
        EXPECT_LT(topLeft.minY, 20) << int(pos);
        EXPECT_LT(topLeft.maxX, 100) << int(pos);
        EXPECT_LT(topLeft.maxY, 75) << int(pos);
    }
}

TEST_F(ComposeFramedPhotoTest, EveryLineOfANoteKeepsItsPlaceEmptyOnesToo)
{
    // Dark notes at the top left of a white photo area; the rows that carry ink, per note.
    const ui::GpBitmapPtr image = MakePicture(200, 150, Transparent);
    const TPhotoFrame frame = Frame("lines.ini", *image, {0, 0, 198, 148});
    const auto white = MakePhoto(200, 150, OpaqueWhite);
    const auto inkRows = [&](const std::string& note) {
        TFramedEffects fx;
        fx.PhotoNotes = note;
        fx.FontSize = 20;
        const PixelGrid p(*Compose(*white, frame, fx));
        std::pair<int, int> rows{1 << 20, -1};
        for (int y = 0; y < p.Height(); ++y)
            for (int x = 0; x < p.Width(); ++x)
                if (p.Alpha(x, y) == 255 && p.Red(x, y) < 128) {
                    rows.first = std::min(rows.first, y);
                    rows.second = std::max(rows.second, y);
                }
        return rows;
    };
    const auto [top, bottom] = inkRows("X");
    ASSERT_GE(bottom, top) << "no note drawn";
    const int line = inkRows("X\r\nX").second - bottom; // one line further down
    EXPECT_GT(line, 15);
    EXPECT_EQ(inkRows("\r\nX"), std::pair(top + line, bottom + line));
    EXPECT_EQ(inkRows("\r\n\r\nX").first, top + 2 * line);
    EXPECT_EQ(inkRows("X\r\n\r\nX"), std::pair(top, bottom + 2 * line));
}

TEST_F(ComposeFramedPhotoTest, NoteInAFamilyThatIsNotInstalledStillShows)
{
    const ui::GpBitmapPtr image = MakePicture(200, 150, Transparent);
    const TPhotoFrame frame = Frame("lost.ini", *image, {0, 0, 198, 148});
    const auto white = MakePhoto(200, 150, OpaqueWhite);
    TFramedEffects fx;
    fx.PhotoNotes = "Lost font";
    fx.NotesPos = 4;
    fx.FontFace = "Family Removed Since 1999";
    fx.FontSize = 24;
    const PixelGrid p(*Compose(*white, frame, fx));
    int ink = 0;
    for (int y = 0; y < p.Height(); ++y)
        for (int x = 0; x < p.Width(); ++x)
            ink += p.Alpha(x, y) == 255 && p.Red(x, y) < 100;
    EXPECT_GT(ink, 100);
}

// A family that is not installed falls back to one that is, also where the generic sans-serif
// family is missing too: FontlessPrefixTest runs this with LUMETTA_FONTLESS set in a Wine prefix
// without the usual fonts, which it checks first.
TEST(TextFamily, FallsBackToAnInstalledFamily)
{
    if (GetEnvironmentVariableA("LUMETTA_FONTLESS", nullptr, 0)) {
        EXPECT_FALSE(Gdiplus::FontFamily(L"Tahoma").IsAvailable());
        EXPECT_FALSE(Gdiplus::FontFamily(L"Arial").IsAvailable());
        Gdiplus::GpFontFamily* generic = nullptr;
        EXPECT_NE(Gdiplus::DllExports::GdipGetGenericFontFamilySansSerif(&generic), Gdiplus::Ok);
    }
    for (const char* name : {"Tahoma", "Arial", "Family Removed Since 1999"})
        EXPECT_TRUE(ui::FontFamilyOrSansSerif(name)->IsAvailable()) << name;
}

TEST_F(ComposeFramedPhotoTest, TinyPhotoKeepsItsColourToTheEdgesOfThePhotoArea)
{
    // A 3 x 3 photo at z = 1/3: the photo area (41.667, 63.333) to (209.333, 187.667) of the
    // result, in pixels 42..208 and 64..187, one colour to its last row and column.
    const ui::GpBitmapPtr image = MakePicture(600, 450, Transparent);
    const TPhotoFrame frame = Frame("open.ini", *image, {50, 40, 550, 410});
    const auto photo = MakePhoto(3, 3, 0xFFC86432);
    TFramedEffects fx;
    fx.ZoomRatio = 1.0 / 3;
    const PixelGrid p(*Compose(*photo, frame, fx));
    for (const auto& [x, y] : {std::pair{42, 64}, {125, 64}, {208, 64}, {42, 125}, {208, 125}, {42, 187}, {125, 187},
                               {208, 187}})
        EXPECT_EQ(p.At(x, y), 0xFFC86432u) << x << "," << y;
    EXPECT_EQ(p.Alpha(209, 125), 0);
    EXPECT_EQ(p.Alpha(125, 188), 0);
}

TEST_F(ComposeFramedPhotoTest, PhotoThatDidNotLoadShowsTheDarkPlaceholder)
{
    Messages[17] = "No photo";
    const auto photo = LoadPaddedPhoto(folder.Dir() + "missing.jpg", false);
    ASSERT_NE(LastPhotoStatus, Gdiplus::Ok);
    const ui::GpBitmapPtr image = MakePicture(320, 120, Transparent);
    const TPhotoFrame frame = Frame("wide.ini", *image, {0, 0, 318, 118});
    TFramedEffects fx;
    fx.PhotoFile = "C:\\x.jpg";
    const ui::GpBitmapPtr out = Compose(*photo, frame, fx);
    Messages[17].clear();
    const PixelGrid p(*out);
    const TFramedGeometry g = FramedGeometry(320, 120, frame.ImageHold, 1);

    // Dark at the corners of the area; red text in two bands (message, empty line, path) about its middle.
    const int left = static_cast<int>(g.CanvasLeft), top = static_cast<int>(g.CanvasTop);
    EXPECT_EQ(p.At(left + 5, top + 5), 0xFF181818u);
    EXPECT_EQ(p.At(left + 310, top + 110), 0xFF181818u);
    std::vector<bool> redRow(120);
    for (int y = 0; y < 120; ++y) {
        for (int x = 0; x < 320; ++x) {
            const int px = left + x, py = top + y;
            if (p.Red(px, py) > 150 && p.Green(px, py) < 90 && p.Blue(px, py) < 90)
                redRow[y] = true;
        }
    }
    int bands = 0, first = -1, last = -1;
    for (int y = 0; y < 120; ++y) {
        if (redRow[y] && (y == 0 || !redRow[y - 1]))
            ++bands;
        if (redRow[y]) {
            last = y;
            if (first < 0)
                first = y;
        }
    }
    EXPECT_EQ(bands, 2);
    EXPECT_GT(last - first, 30); // three lines of 12-pixel text, the middle one empty
    EXPECT_NEAR((first + last) / 2.0, 60, 4);
}

TEST_F(ComposeFramedPhotoTest, FrameImageThatDoesNotLoadGivesOneTransparentPixel)
{
    TPhotoFrame frame;
    frame.Filename = "nothing.png";
    frame.ImageHold = {10, 8, 50, 38};
    for (const char* name : {"nothing.png", ""}) {
        frame.Filename = name;
        const ui::GpBitmapPtr out = Compose(*redPhoto, frame, TFramedEffects{});
        ASSERT_EQ(out->GetWidth(), 1u);
        ASSERT_EQ(out->GetHeight(), 1u);
        EXPECT_EQ(PixelGrid(*out).At(0, 0), 0u);
    }
    // So does a frame image whose header declares more pixels than any canvas, at once.
    folder.Write("huge.jpg", HeaderOnlyJpeg(40000, 30000));
    const std::optional<DeclaredSize> huge = DeclaredImageFileSize(folder.Dir() + "huge.jpg");
    ASSERT_TRUE(huge && !HasPixelsWithin(*huge, MaxPaddedCanvasPixels)); // never decode it
    frame.Filename = "huge.jpg";
    const auto start = std::chrono::steady_clock::now();
    EXPECT_EQ(Compose(*redPhoto, frame, TFramedEffects{})->GetWidth(), 1u);
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::milliseconds(500));
    // So do zooms that would give no canvas, or one no bitmap can hold.
    const TPhotoFrame small = SmallFrame();
    for (double zoom : {0.0, -1.0, 1e9}) {
        TFramedEffects fx;
        fx.ZoomRatio = zoom;
        EXPECT_EQ(Compose(*redPhoto, small, fx)->GetWidth(), 1u) << zoom;
    }
}

TEST_F(ComposeFramedPhotoTest, EmbossOfASingleRowRaisesAndLeaksNothing)
{
    // No ImageHold: at zoom 1/2 the photo area is e = 1 pixel each way.
    const ui::GpBitmapPtr image = MakePicture(60, 45, OpaqueBlue);
    const TPhotoFrame frame = Frame("nohold.ini", *image, {0, 0, 0, 0});
    TFramedEffects fx;
    fx.ZoomRatio = 0.5;
    fx.Emboss = true;
    const DWORD before = GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS);
    EXPECT_THROW(ComposeFramedPhoto(*redPhoto, TPhotoClipRect{}, frame, fx), ui::GraphicsError);
    EXPECT_EQ(GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS), before);
    // The effects come before the frame image is loaded: without one they still run.
    TPhotoFrame missing = frame;
    missing.Filename = "nothing.png";
    EXPECT_THROW(ComposeFramedPhoto(*redPhoto, TPhotoClipRect{}, missing, fx), ui::GraphicsError);
    // Without emboss the sliver renders.
    fx.Emboss = false;
    EXPECT_EQ(Compose(*redPhoto, frame, fx)->GetWidth(), 37u); // 30 x 22 (22.5 to even)
}

TEST_F(ComposeFramedPhotoTest, EachAmountChangesThePhotoAreaAsItsRoutineDoes)
{
    // Two colours side by side; the photo area (42 x 32 at (10, 8)) lies at (17, 23) in the result.
    const TPhotoFrame frame = SmallFrame();
    const auto photo = AsCanvas(MakePicture(120, 90, 0xFF5A3C1E, {{60, 0, 60, 90, 0xFF3264C8}}));
    const TFramedGeometry g = FramedGeometry(60, 45, frame.ImageHold, 1);
    const auto part = [&] {
        return CropScalePhoto(*photo, static_cast<int>(g.PartWidth), static_cast<int>(g.PartHeight), 0, 0, 1, 1);
    };
    const PixelGrid plain(*Compose(*photo, frame, TFramedEffects{}));
    const auto unchanged = part();
    const auto rgb = [](const PixelGrid& p, int x, int y) { return RGB(p.Red(x, y), p.Green(x, y), p.Blue(x, y)); };
    struct Case {
        std::int32_t TFramedEffects::*Amount;
        void (*Apply)(ui::Bitmap&, std::int32_t);
        std::int32_t Value;
    };
    for (const Case& c : {Case{&TFramedEffects::Brightness, ApplyBrightness, 100},
                          Case{&TFramedEffects::Contrast, ApplyContrast, 150},
                          Case{&TFramedEffects::Saturation, ApplySaturation, -200}}) {
        TFramedEffects fx;
        fx.*c.Amount = c.Value;
        const PixelGrid p(*Compose(*photo, frame, fx));
        const auto expected = part();
        c.Apply(*expected, c.Value);
        for (auto [x, y] : {std::pair{8, 15}, {32, 15}}) {
            const COLORREF want = PixelOf(*expected, x, y);
            EXPECT_NE(want, PixelOf(*unchanged, x, y)) << c.Value;
            EXPECT_EQ(rgb(plain, 17 + x, 23 + y), PixelOf(*unchanged, x, y)) << c.Value;
            EXPECT_EQ(rgb(p, 17 + x, 23 + y), want) << c.Value << " at " << x;
        }
    }
}

TEST_F(ComposeFramedPhotoTest, EffectsChangeThePhotoAreaOnly)
{
    const TPhotoFrame frame = SmallFrame();
    TFramedEffects fx;
    fx.Sepia = true;
    const PixelGrid p(*Compose(*redPhoto, frame, fx));
    // Sepia of pure red: grey 85, then (B 85, G 103, R 121); the frame keeps its blue.
    EXPECT_EQ(p.At(37, 38), 0xFF796755u);
    EXPECT_TRUE(IsBlue(p, 9, 17));
    EXPECT_EQ(PixelOf(*redPhoto, 60, 45), RGB(255, 0, 0));
}

} // namespace

// The largest difference of two pixels' channels as they show: colour times alpha.
int ShownDifference(Gdiplus::ARGB a, Gdiplus::ARGB b)
{
    const auto shown = [](Gdiplus::ARGB p, int shift) {
        return shift == 24 ? static_cast<int>(p >> 24) : static_cast<int>(((p >> shift) & 0xFF) * (p >> 24) / 255);
    };
    int worst = 0;
    for (const int shift : {0, 8, 16, 24})
        worst = std::max(worst, std::abs(shown(a, shift) - shown(b, shift)));
    return worst;
}

TEST_F(ComposeFramedPhotoTest, AViewMakesTheCentreOfTheWholeResult)
{
    const TPhotoFrame frame = SmallFrame({{0, 0, 8, 6, OpaqueRed}, {52, 30, 8, 15, OpaqueWhite}});
    const auto photo = AsCanvas(MakePicture(120, 90, OpaqueRed, {{0, 0, 60, 45, OpaqueWhite}, {70, 50, 30, 30, OpaqueBlue}}));
    const ui::GpBitmapPtr frameImage = LoadFrameImage(frame);
    ASSERT_TRUE(frameImage);
    TFramedEffects fx;
    fx.ZoomRatio = 2.0;
    fx.PhotoNotes = "centre";
    fx.NotesPos = 4;
    for (const bool premultiplied : {false, true}) {
        for (const std::int32_t angle : {0, 4, -45, 90, 163}) {
            fx.RotationAngle = angle;
            const ui::GpBitmapPtr whole = ComposeFramedPhoto(*photo, TPhotoClipRect{}, frame, fx);
            const ui::GpBitmapPtr part =
                ComposeFramedPhoto(*photo, TPhotoClipRect{}, frame, fx, {frameImage.get(), {101, 80}, premultiplied});
            ASSERT_EQ(part->GetWidth(), 101u) << angle;
            ASSERT_EQ(part->GetHeight(), 80u) << angle;
            const PixelGrid w(*whole), p(*part);
            const int left = w.Width() / 2 - 101 / 2, top = w.Height() / 2 - 80 / 2;
            int worst = 0;
            for (int y = 0; y < p.Height(); ++y)
                for (int x = 0; x < p.Width(); ++x)
                    worst = std::max(worst, ShownDifference(p.At(x, y), w.At(x + left, y + top)));
            EXPECT_LE(worst, 3) << angle << (premultiplied ? " premultiplied" : "");
        }
    }
    // A view the result fits in changes nothing.
    fx.RotationAngle = 4;
    const PixelGrid whole(*ComposeFramedPhoto(*photo, TPhotoClipRect{}, frame, fx));
    const PixelGrid roomy(*ComposeFramedPhoto(*photo, TPhotoClipRect{}, frame, fx, {frameImage.get(), {400, 400}}));
    ASSERT_EQ(roomy.Width(), whole.Width());
    for (int y = 0; y < whole.Height(); ++y)
        for (int x = 0; x < whole.Width(); ++x)
            ASSERT_EQ(roomy.At(x, y), whole.At(x, y)) << x << "," << y;
}

TEST_F(ComposeFramedPhotoTest, TheFrameImageIsDecodedOnceWhileItsFileStays)
{
    const TPhotoFrame frame = SmallFrame();
    FrameImageCache cache;
    Gdiplus::Bitmap* first = cache.Get(frame);
    ASSERT_NE(first, nullptr);
    EXPECT_EQ(first->GetWidth(), 60u);
    // A new image under the same name is seen only after the cache is dropped.
    const TPhotoFrame bigger = Frame("small.ini", *MakePicture(80, 45, OpaqueBlue), {10, 8, 50, 38});
    EXPECT_EQ(cache.Get(bigger), first);
    EXPECT_EQ(first->GetWidth(), 60u);
    cache.Drop();
    ASSERT_NE(cache.Get(bigger), nullptr);
    EXPECT_EQ(cache.Get(bigger)->GetWidth(), 80u);
    // Another file is read at once; one that does not load is asked for again.
    TPhotoFrame missing = bigger;
    missing.Filename = "later.png";
    EXPECT_EQ(cache.Get(missing), nullptr);
    SavePng(*MakePicture(30, 20, OpaqueRed), folder.Dir() + "later.png");
    ASSERT_NE(cache.Get(missing), nullptr);
    EXPECT_EQ(cache.Get(missing)->GetWidth(), 30u);
}

TEST_F(ComposeFramedPhotoTest, TurnedLayersShowWhatTheTurnedCanvasShows)
{
    // The hole and ImageHold reach the frame's right edge: the photo area runs e pixels past the canvas.
    const TPhotoFrame frame = Frame("edge.ini", *MakePicture(60, 45, OpaqueBlue, {{10, 8, 50, 30, Transparent}}),
                                    {10, 8, 60, 38});
    const auto photo = AsCanvas(MakePicture(120, 90, OpaqueRed, {{0, 0, 60, 45, OpaqueWhite}, {70, 50, 30, 30, OpaqueBlue}}));
    const ui::GpBitmapPtr frameImage = LoadFrameImage(frame);
    ASSERT_TRUE(frameImage);
    TFramedEffects fx;
    fx.ZoomRatio = 2.0;
    fx.NotesPos = 4;
    TRenderShortcuts shortcuts{frameImage.get(), {140, 130}};
    shortcuts.TurnLayers = true;
    const auto ink = [](const PixelGrid& p, int left, int top) {
        int dark = 0;
        for (int y = 0; y < 130; ++y)
            for (int x = 0; x < 140; ++x)
                dark += p.Alpha(x + left, y + top) == 255 && p.Red(x + left, y + top) < 60 && p.Blue(x + left, y + top) < 60;
        return dark;
    };
    // The result is 150 x 150 with the canvas at (15, 30); the view starts at (5, 10).
    for (const std::int32_t angle : {0, 4, -45, 90, 163}) {
        fx.RotationAngle = angle;
        fx.PhotoNotes.clear();
        const PixelGrid whole(*ComposeFramedPhoto(*photo, TPhotoClipRect{}, frame, fx));
        const PixelGrid turned(*ComposeFramedPhoto(*photo, TPhotoClipRect{}, frame, fx, shortcuts));
        ASSERT_EQ(turned.Width(), 140);
        ASSERT_EQ(turned.Height(), 130);
        // Resampled once instead of twice, edges move by up to a pixel: each pixel is compared
        // with the nearest of its neighbours in the whole result.
        int apart = 0;
        for (int y = 1; y < turned.Height() - 1; ++y)
            for (int x = 1; x < turned.Width() - 1; ++x) {
                int nearest = 255;
                for (int dy = -1; dy <= 1; ++dy)
                    for (int dx = -1; dx <= 1; ++dx)
                        nearest = std::min(nearest, ShownDifference(turned.At(x, y), whole.At(x + 5 + dx, y + 10 + dy)));
                apart += nearest > 24;
            }
        // Glyphs are drawn turned rather than turned afterwards: only their ink is compared.
        fx.PhotoNotes = "centre";
        const int wholeInk = ink(PixelGrid(*ComposeFramedPhoto(*photo, TPhotoClipRect{}, frame, fx)), 5, 10);
        const int turnedInk = ink(PixelGrid(*ComposeFramedPhoto(*photo, TPhotoClipRect{}, frame, fx, shortcuts)), 0, 0);
        EXPECT_LE(apart, 140 * 130 * 3 / 200) << angle;
        EXPECT_GT(wholeInk, 300) << angle;
        EXPECT_NEAR(turnedInk, wholeInk, wholeInk / 8) << angle;
    }
    // Unturned, the photo stops at the canvas's last column.
    fx.RotationAngle = 0;
    const PixelGrid turned(*ComposeFramedPhoto(*photo, TPhotoClipRect{}, frame, fx, shortcuts));
    EXPECT_TRUE(IsRed(turned, 129, 66));
    EXPECT_EQ(turned.Alpha(130, 66), 0);
}
