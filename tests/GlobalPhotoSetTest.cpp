#include "shared/GlobalPhotoSet.h"

#include <gtest/gtest.h>

#include "TestSupport.h"
#include "shared/GlobalRegistryAccess.h"

using namespace lumetta;
using lumetta::test::RegistryKeyGuard;
using lumetta::test::SetRawValue;
using lumetta::test::TempFolder;

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

TEST(NumberText, ReadBackLenientlyWithTheSameSeparator)
{
    EXPECT_EQ(TextToNumber("0.5", 9, '.'), 0.5);
    EXPECT_EQ(TextToNumber("  -1.25 \t", 9, '.'), -1.25);
    EXPECT_EQ(TextToNumber("+2", 9, '.'), 2);
    EXPECT_EQ(TextToNumber(".5", 9, '.'), 0.5);
    EXPECT_EQ(TextToNumber("5.", 9, '.'), 5);
    EXPECT_EQ(TextToNumber("1.2E-6", 9, '.'), 1.2e-6);
    EXPECT_EQ(TextToNumber("3e2", 9, '.'), 300);
    EXPECT_EQ(TextToNumber("0,75", 9, ','), 0.75);
    for (const char* bad : {"", "   ", "ERR", "0,75", "1.2.3", "1e", "1e+", "-", ".", "1 2", "0x10", "INF", "NAN",
                            "1e999", "PARAM_NOT_FOUND", "1,000.5"}) {
        EXPECT_EQ(TextToNumber(bad, 9, '.'), 9) << bad;
        EXPECT_FALSE(TryTextToNumber(bad, '.').has_value()) << bad;
    }
    // A point where the separator is a comma does not parse either.
    EXPECT_EQ(TextToNumber("0.75", 1, ','), 1);
}

TEST(NumberText, EveryZoomStepRoundTripsUnderEitherSeparator)
{
    for (char separator : {'.', ','}) {
        for (int position = 5; position <= 30; ++position) {
            const double zoom = (35 - position) / 15.0;
            const double back = TextToNumber(NumberToText(zoom, separator), -1, separator);
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
    // The separator of another locale does not parse.
    const char other = DecimalSeparator() == '.' ? ',' : '.';
    Text(PhotoSetValue::ZoomRatio, std::string("0") + other + "5");
    EXPECT_EQ(ReadRegNumber(HKEY_CURRENT_USER, key, PhotoSetValue::ZoomRatio, 1), 1);
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

} // namespace
