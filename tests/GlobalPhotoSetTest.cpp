#include "shared/GlobalPhotoSet.h"

#include <gtest/gtest.h>

#include "FramedPhotoTestSupport.h"
#include "TestSupport.h"
#include "shared/GlobalRegistryAccess.h"

using namespace lumetta;
using lumetta::test::RegistryKeyGuard;
using lumetta::test::SetRawValue;
using namespace lumetta::test;

namespace {

TEST(NumberText, GeneralFormatWithFifteenDigits)
{
    EXPECT_EQ(NumberToText(1.0 / 3, '.'), "0.333333333333333");
    EXPECT_EQ(NumberToText(0.1, '.'), "0.1");
    EXPECT_EQ(NumberToText(1, '.'), "1");
    EXPECT_EQ(NumberToText(0, '.'), "0");
    EXPECT_EQ(NumberToText(2, '.'), "2");
    EXPECT_EQ(NumberToText(26.0 / 15, '.'), "1.73333333333333");
    EXPECT_EQ(NumberToText(-0.75, '.'), "-0.75");
    EXPECT_EQ(NumberToText(250, '.'), "250");
    EXPECT_EQ(NumberToText(0.00001, '.'), "0.00001");
    EXPECT_EQ(NumberToText(0.0000012, '.'), "1.2E-6");
    EXPECT_EQ(NumberToText(123456789012345.0, '.'), "123456789012345");
    EXPECT_EQ(NumberToText(1e15, '.'), "1E15");
    // Rounded to 15 digits, the carry reaching the first digit.
    EXPECT_EQ(NumberToText(0.9999999999999999, '.'), "1");
    EXPECT_EQ(NumberToText(1.0 / 3, ','), "0,333333333333333");
    EXPECT_EQ(NumberToText(0.0000012, ','), "1,2E-6");
}

TEST(NumberText, ReadBackWithEitherDecimalMark)
{
    EXPECT_EQ(TextToNumber("0.5", 9), 0.5);
    EXPECT_EQ(TextToNumber("  -1.25 \t", 9), -1.25);
    EXPECT_EQ(TextToNumber("+2", 9), 2);
    EXPECT_EQ(TextToNumber(".5", 9), 0.5);
    EXPECT_EQ(TextToNumber("5.", 9), 5);
    EXPECT_EQ(TextToNumber("1.2E-6", 9), 1.2e-6);
    EXPECT_EQ(TextToNumber("3e2", 9), 300);
    EXPECT_EQ(TextToNumber("0,75", 9), 0.75);
    EXPECT_EQ(TextToNumber("1,2E-6", 9), 1.2e-6);
    EXPECT_EQ(TryTextToNumber(",5"), 0.5);
    for (const char* bad : {"", "   ", "ERR", "1.2.3", "1,2,3", "1e", "1e+", "-", ".", ",", "1 2", "0x10", "INF",
                            "NAN", "1e999", "PARAM_NOT_FOUND", "1,000.5", "1.000,5"}) {
        EXPECT_EQ(TextToNumber(bad, 9), 9) << bad;
        EXPECT_FALSE(TryTextToNumber(bad).has_value()) << bad;
    }
}

TEST(NumberText, EveryZoomStepRoundTripsUnderEitherSeparator)
{
    for (char separator : {'.', ','}) {
        for (int position = 5; position <= 30; ++position) {
            const double zoom = (35 - position) / 15.0;
            const double back = TextToNumber(NumberToText(zoom, separator), -1);
            EXPECT_NEAR(back, zoom, 1e-14) << position;
            // The editor's slider comes back to the same position.
            EXPECT_EQ(static_cast<int>(std::nearbyint(35 - back * 15)), position);
        }
    }
}

// A photo set of the tests' own, removed afterwards.
class PhotoSetRecord : public ::testing::Test {
protected:
    const std::string id = "{LUMETTA-TEST-PHOTOSET-READER}";
    const std::string key = PhotoSetKey(id);
    RegistryKeyGuard guard{HKEY_CURRENT_USER, key};

    void Text(const char* name, const std::string& value)
    {
        ASSERT_EQ(WriteRegString(HKEY_CURRENT_USER, key, name, value, REG_SZ, true), ERROR_SUCCESS);
    }
    void Integer(const char* name, std::int32_t value)
    {
        ASSERT_EQ(WriteRegInteger(HKEY_CURRENT_USER, key, name, value), ERROR_SUCCESS);
    }
};

TEST_F(PhotoSetRecord, KeyWithOnlyPhotoFileAndFrameReadsEveryDefault)
{
    Text(PhotoSetValue::PhotoFile, "C:\\photos\\a.jpg");
    Text(PhotoSetValue::Frame, "frame7.ini");
    const TPhotoSetSettings set = ReadPhotoSetSettings(id);
    EXPECT_EQ(set.Frame, "frame7.ini");
    EXPECT_EQ(set.Clip.X, 0);
    EXPECT_EQ(set.Clip.Y, 0);
    EXPECT_EQ(set.Clip.W, 1);
    EXPECT_EQ(set.Clip.H, 1);
    const TFramedEffects& fx = set.Effects;
    EXPECT_EQ(fx.PhotoFile, "C:\\photos\\a.jpg");
    EXPECT_EQ(fx.RotationAngle, 0);
    EXPECT_EQ(fx.ZoomRatio, 1);
    EXPECT_EQ(fx.PhotoNotes, "");
    EXPECT_EQ(fx.NotesPos, 0);
    EXPECT_EQ(fx.FontFace, "Arial");
    EXPECT_FALSE(fx.Bold || fx.Italic || fx.Underline || fx.StrikeOut);
    EXPECT_EQ(fx.FontSize, 14);
    EXPECT_EQ(fx.FontColor, 0u);
    EXPECT_EQ(fx.Brightness, 0);
    EXPECT_EQ(fx.Contrast, 0);
    EXPECT_EQ(fx.Saturation, 0);
    EXPECT_FALSE(fx.Sepia || fx.Emboss || fx.ColorNoise);
}

TEST_F(PhotoSetRecord, VanishedKeyReadsAsAnEmptySet)
{
    const TPhotoSetSettings set = ReadPhotoSetSettings(id);
    EXPECT_EQ(set.Frame, "");
    EXPECT_EQ(set.Effects.PhotoFile, "");
    EXPECT_EQ(set.Effects.ZoomRatio, 1);
    EXPECT_EQ(set.Clip.W, 1);
}

TEST_F(PhotoSetRecord, EveryValueAsStored)
{
    const char s = DecimalSeparator();
    Text(PhotoSetValue::ClipX, NumberToText(0.125, s));
    Text(PhotoSetValue::ClipY, NumberToText(0.25, s));
    Text(PhotoSetValue::ClipW, NumberToText(0.5, s));
    Text(PhotoSetValue::ClipH, NumberToText(0.625, s));
    Integer(PhotoSetValue::RotationAngle, -45);
    ASSERT_EQ(WriteRegNumber(HKEY_CURRENT_USER, key, PhotoSetValue::ZoomRatio, 1.0 / 3), ERROR_SUCCESS);
    Text(PhotoSetValue::PhotoNotes, "line one\r\nline two");
    Integer(PhotoSetValue::NotesPos, 265); // 0x109: the lowest byte, 9
    Text(PhotoSetValue::FontFace, "Tahoma");
    Integer(PhotoSetValue::Bold, 2); // only 1 sets a flag
    Integer(PhotoSetValue::Italic, 1);
    Integer(PhotoSetValue::Underline, 1);
    Integer(PhotoSetValue::StrikeOut, -1);
    Integer(PhotoSetValue::FontSize, 20);
    Integer(PhotoSetValue::FontColor, static_cast<std::int32_t>(0xFF000008u));
    Integer(PhotoSetValue::Brightness, -250);
    Integer(PhotoSetValue::Contrast, 100);
    Integer(PhotoSetValue::Saturation, 250);
    Integer(PhotoSetValue::Sepia, 2);
    Integer(PhotoSetValue::Emboss, 1);
    Integer(PhotoSetValue::ColorNoise, 1);

    const TPhotoSetSettings set = ReadPhotoSetSettings(id);
    EXPECT_EQ(set.Clip.X, 0.125);
    EXPECT_EQ(set.Clip.Y, 0.25);
    EXPECT_EQ(set.Clip.W, 0.5);
    EXPECT_EQ(set.Clip.H, 0.625);
    const TFramedEffects& fx = set.Effects;
    EXPECT_EQ(fx.RotationAngle, -45);
    EXPECT_NEAR(fx.ZoomRatio, 1.0 / 3, 1e-15);
    EXPECT_EQ(fx.PhotoNotes, "line one\r\nline two");
    EXPECT_EQ(fx.NotesPos, 9);
    EXPECT_EQ(fx.FontFace, "Tahoma");
    EXPECT_FALSE(fx.Bold);
    EXPECT_TRUE(fx.Italic);
    EXPECT_TRUE(fx.Underline);
    EXPECT_FALSE(fx.StrikeOut);
    EXPECT_EQ(fx.FontSize, 20);
    EXPECT_EQ(fx.FontColor, 0xFF000008u);
    EXPECT_EQ(fx.Brightness, -250);
    EXPECT_EQ(fx.Contrast, 100);
    EXPECT_EQ(fx.Saturation, 250);
    EXPECT_FALSE(fx.Sepia);
    EXPECT_TRUE(fx.Emboss);
    EXPECT_TRUE(fx.ColorNoise);
}

TEST_F(PhotoSetRecord, UnparsableAndEmptyNumbersTakeTheirDefaults)
{
    Text(PhotoSetValue::ZoomRatio, "ERR");
    Text(PhotoSetValue::ClipX, "");
    Text(PhotoSetValue::ClipW, "half");
    Text(PhotoSetValue::FontFace, "");
    Integer(PhotoSetValue::FontSize, 0);
    const TPhotoSetSettings set = ReadPhotoSetSettings(id);
    EXPECT_EQ(set.Effects.ZoomRatio, 1);
    EXPECT_EQ(set.Clip.X, 0);
    EXPECT_EQ(set.Clip.W, 1);
    EXPECT_EQ(set.Effects.FontFace, "Arial");
    EXPECT_EQ(set.Effects.FontSize, 14);
}

TEST(PhotoSetFrame, EmptyOrMissingFrameFallsBackToTheDefault)
{
    TempFolder folder;
    folder.Write("mine.ini", "[FrameInfo]\r\n");
    std::filesystem::create_directory(folder.Path() / "folder.ini");
    EXPECT_EQ(ResolveFrameName("mine.ini", folder.Dir()), "mine.ini");
    EXPECT_EQ(ResolveFrameName("MINE.INI", folder.Dir()), "MINE.INI");
    EXPECT_EQ(ResolveFrameName("gone.ini", folder.Dir()), "frame2.ini");
    EXPECT_EQ(ResolveFrameName("", folder.Dir()), "frame2.ini");
    EXPECT_EQ(ResolveFrameName("folder.ini", folder.Dir()), "frame2.ini");
}

// Stored sets rendered by id, against a frame folder of the test's own.
class RenderStoredSet : public PhotoSetRecord {
protected:
    TempFolder folder;
    FramesetDirOverride frames{folder.Dir()};
    std::string photoPath = folder.Dir() + "photo.png";

    void SetUp() override
    {
        // mine.ini: 60 x 45 with a hole; frame2.ini: 80 x 60, the fallback.
        const ui::GpBitmapPtr mine = MakePicture(60, 45, OpaqueBlue, {{10, 8, 40, 30, Transparent}});
        WriteFrame(folder, "mine.ini", *mine, {10, 8, 50, 38}, {-1, -1, -1, -1});
        const ui::GpBitmapPtr fallback = MakePicture(80, 60, OpaqueBlue, {{10, 10, 60, 40, Transparent}});
        WriteFrame(folder, "frame2.ini", *fallback, {10, 10, 70, 50}, {-1, -1, -1, -1});
        // A photo with a green left half and a red right half.
        const ui::GpBitmapPtr photo = MakePicture(160, 120, OpaqueRed, {{0, 0, 80, 120, 0xFF00FF00}});
        SavePng(*photo, photoPath);
    }
    void TearDown() override { LastPhotoStatus = Gdiplus::Ok; }

    static bool SamePixels(Gdiplus::Bitmap& a, Gdiplus::Bitmap& b)
    {
        const PixelGrid pa(a), pb(b);
        if (pa.Width() != pb.Width() || pa.Height() != pb.Height())
            return false;
        for (int y = 0; y < pa.Height(); ++y)
            for (int x = 0; x < pa.Width(); ++x)
                if (pa.At(x, y) != pb.At(x, y))
                    return false;
        return true;
    }
};

TEST_F(RenderStoredSet, RendersByIdExactlyAsTheRendererDoes)
{
    Text(PhotoSetValue::PhotoFile, photoPath);
    Text(PhotoSetValue::Frame, "mine.ini");
    ASSERT_EQ(WriteRegNumber(HKEY_CURRENT_USER, key, PhotoSetValue::ClipX, 0.5), ERROR_SUCCESS);
    ASSERT_EQ(WriteRegNumber(HKEY_CURRENT_USER, key, PhotoSetValue::ClipW, 0.5), ERROR_SUCCESS);
    ASSERT_EQ(WriteRegNumber(HKEY_CURRENT_USER, key, PhotoSetValue::ZoomRatio, 2), ERROR_SUCCESS);
    Integer(PhotoSetValue::RotationAngle, 30);
    Text(PhotoSetValue::PhotoNotes, "Hi");
    Integer(PhotoSetValue::Contrast, 100);
    const ui::GpBitmapPtr stored = RenderPhotoSet(id);
    ASSERT_TRUE(stored);
    EXPECT_EQ(stored->GetWidth(), 150u); // 120 x 90 at zoom 2: S = 150
    EXPECT_EQ(stored->GetHeight(), 150u);

    TPhotoFrame frame;
    LoadPhotoFrame("mine.ini", frame);
    const auto photo = LoadPaddedPhoto(photoPath, frame.Orientation);
    TFramedEffects fx;
    fx.PhotoFile = photoPath;
    fx.ZoomRatio = 2;
    fx.RotationAngle = 30;
    fx.PhotoNotes = "Hi";
    fx.Contrast = 100;
    const ui::GpBitmapPtr direct = ComposeFramedPhoto(*photo, TPhotoClipRect{0.5, 0, 0.5, 1}, frame, fx);
    EXPECT_TRUE(SamePixels(*stored, *direct));
}

TEST_F(RenderStoredSet, OnlyPhotoFileAndFrameRendersTheWholePhotoAtZoomOne)
{
    Text(PhotoSetValue::PhotoFile, photoPath);
    Text(PhotoSetValue::Frame, "mine.ini");
    const ui::GpBitmapPtr out = RenderPhotoSet(id);
    ASSERT_EQ(out->GetWidth(), 75u);
    const PixelGrid p(*out);
    // The canvas at (7, 15); the hole (10, 8)-(50, 38) shows the whole photo: green left, red right.
    EXPECT_EQ(p.At(7 + 14, 15 + 23), 0xFF00FF00u);
    EXPECT_EQ(p.At(7 + 46, 15 + 23), OpaqueRed);
    EXPECT_EQ(p.At(0, 0), 0u);
}

TEST_F(RenderStoredSet, MissingFrameAndUnparsableZoomFallBack)
{
    Text(PhotoSetValue::PhotoFile, photoPath);
    Text(PhotoSetValue::Frame, "gone.ini");
    Text(PhotoSetValue::ZoomRatio, "ERR");
    EXPECT_EQ(RenderPhotoSet(id)->GetWidth(), 100u); // frame2.ini, 80 x 60 at zoom 1
    Text(PhotoSetValue::Frame, "mine.ini");
    EXPECT_EQ(RenderPhotoSet(id)->GetWidth(), 75u);
}

TEST_F(RenderStoredSet, ASetWrittenUnderACommaRendersAsUnderAPoint)
{
    Text(PhotoSetValue::PhotoFile, photoPath);
    Text(PhotoSetValue::Frame, "mine.ini");
    const auto storeAndRender = [&](char separator) {
        Text(PhotoSetValue::ClipX, NumberToText(0.5, separator));
        Text(PhotoSetValue::ClipW, NumberToText(0.5, separator));
        Text(PhotoSetValue::ZoomRatio, NumberToText(20.0 / 15, separator)); // "1,33333333333333"
        return RenderPhotoSet(id);
    };
    const ui::GpBitmapPtr comma = storeAndRender(',');
    EXPECT_EQ(ReadPhotoSetSettings(id).Clip.X, 0.5);
    EXPECT_EQ(comma->GetWidth(), 100u); // 60 x 45 at zoom 4/3: S = 100
    const ui::GpBitmapPtr point = storeAndRender('.');
    EXPECT_TRUE(SamePixels(*comma, *point));
}

TEST_F(RenderStoredSet, VanishedSetRendersTheDefaultFrameWithThePlaceholder)
{
    const ui::GpBitmapPtr out = RenderPhotoSet(id);
    EXPECT_NE(LastPhotoStatus, Gdiplus::Ok);
    ASSERT_EQ(out->GetWidth(), 100u);
    // Inside frame2's hole: the dark fill. S = 100, canvas at (10, 20).
    EXPECT_EQ(PixelGrid(*out).At(10 + 12, 20 + 12), 0xFF181818u);
}

} // namespace
