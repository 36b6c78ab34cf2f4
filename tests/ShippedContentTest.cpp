// The install folder's content as the programs will read it: frame definitions through the profile
// functions, frame images through GDI+, and the English language file with every text the programs ask for.
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <fstream>
#include <iterator>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "shared/GlobalGraphics.h"
#include "ui/GdiPlus.h"

namespace {

// LUMETTA_DIST_DIR comes from the build: the source tree's dist folder as a Windows path with a slash at the end.
std::string DistDir()
{
    std::string dir = LUMETTA_DIST_DIR;
    std::replace(dir.begin(), dir.end(), '/', '\\');
    return dir;
}

std::string FramesetDir() { return DistDir() + "Frameset\\"; }
std::string LanguageFile() { return DistDir() + "english.lng"; }

std::string ProfileText(const std::string& file, const std::string& section, const std::string& key)
{
    char buffer[2048] = {};
    GetPrivateProfileStringA(section.c_str(), key.c_str(), "", buffer, sizeof buffer, file.c_str());
    return buffer;
}

int ProfileInt(const std::string& file, const std::string& section, const std::string& key, int fallback)
{
    return static_cast<int>(GetPrivateProfileIntA(section.c_str(), key.c_str(), fallback, file.c_str()));
}

// The key names of one section, in file order.
std::vector<std::string> SectionKeys(const std::string& file, const std::string& section)
{
    std::vector<char> buffer(32768);
    DWORD n = GetPrivateProfileSectionA(section.c_str(), buffer.data(), static_cast<DWORD>(buffer.size()),
                                        file.c_str());
    std::vector<std::string> keys;
    for (const char* p = buffer.data(); p < buffer.data() + n && *p; p += strlen(p) + 1) {
        std::string entry = p;
        if (entry[0] != ';')
            keys.push_back(entry.substr(0, entry.find('=')));
    }
    return keys;
}

std::vector<std::string> FilesIn(const std::string& dir, const std::string& pattern)
{
    std::vector<std::string> names;
    WIN32_FIND_DATAA data;
    HANDLE search = FindFirstFileA((dir + pattern).c_str(), &data);
    if (search == INVALID_HANDLE_VALUE)
        return names;
    do {
        if (!(data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
            names.push_back(data.cFileName);
    } while (FindNextFileA(search, &data));
    FindClose(search);
    std::sort(names.begin(), names.end());
    return names;
}

struct Rect {
    int left, top, right, bottom;
    int Width() const { return right - left; }
    int Height() const { return bottom - top; }
};

Rect ReadRect(const std::string& file, const std::string& section, int fallback)
{
    return {ProfileInt(file, section, "Left", fallback), ProfileInt(file, section, "Top", fallback),
            ProfileInt(file, section, "Right", fallback), ProfileInt(file, section, "Bottom", fallback)};
}

// A decoded image with its alpha channel reachable by pixel.
class Picture {
public:
    explicit Picture(const std::string& path) : bitmap_(Gdiplus::Bitmap::FromFile(ui::WideFromAnsi(path).c_str(), FALSE))
    {
    }

    bool Loaded() const { return bitmap_ && bitmap_->GetLastStatus() == Gdiplus::Ok && Width() > 0; }
    int Width() const { return static_cast<int>(bitmap_->GetWidth()); }
    int Height() const { return static_cast<int>(bitmap_->GetHeight()); }
    bool HasAlpha() const { return Gdiplus::IsAlphaPixelFormat(bitmap_->GetPixelFormat()); }
    int Alpha(int x, int y) const
    {
        Gdiplus::Color colour;
        bitmap_->GetPixel(x, y, &colour);
        return colour.GetAlpha();
    }

private:
    ui::GpBitmapPtr bitmap_;
};

class ShippedFrames : public ::testing::Test {
protected:
    std::vector<std::string> definitions = FilesIn(FramesetDir(), "*.ini");
};

TEST_F(ShippedFrames, EveryDefinitionNamesAnImageWithAlphaAndASaneArea)
{
    ASSERT_GE(definitions.size(), 12u);
    for (const std::string& name : definitions) {
        SCOPED_TRACE(name);
        const std::string file = FramesetDir() + name;
        const std::string image = ProfileText(file, "FrameInfo", "Filename");
        const std::string orientation = ProfileText(file, "FrameInfo", "Orientation");
        ASSERT_FALSE(image.empty());
        ASSERT_TRUE(orientation == "landscape" || orientation == "portrait") << orientation;
        const bool landscape = orientation == "landscape";

        Picture picture(FramesetDir() + image);
        ASSERT_TRUE(picture.Loaded()) << image;
        EXPECT_TRUE(picture.HasAlpha()) << image;

        // The photo area: inside the image, in the photo canvas' proportions, a sensible size on screen.
        const Rect hold = ReadRect(file, "ImageHold", 0);
        ASSERT_GE(hold.left, 0);
        ASSERT_GE(hold.top, 0);
        ASSERT_LE(hold.right + 3, picture.Width());
        ASSERT_LE(hold.bottom + 3, picture.Height());
        ASSERT_GT(hold.Width(), 0);
        ASSERT_GT(hold.Height(), 0);
        const double aspect = static_cast<double>(hold.Width()) / hold.Height();
        EXPECT_NEAR(aspect, landscape ? 4.0 / 3.0 : 3.0 / 4.0, 0.01);
        EXPECT_GE(std::min(hold.Width(), hold.Height()), 150);
        EXPECT_LE(std::max(picture.Width(), picture.Height()), 480);

        // The photo shows through the middle of the area...
        EXPECT_EQ(picture.Alpha((hold.left + hold.right) / 2, (hold.top + hold.bottom) / 2), 0);
        // ...and the renderer draws it a few pixels past the right and bottom edges (up to 3 frame pixels
        // at the smallest zoom), which the frame must cover completely.
        for (int y = hold.top; y < hold.bottom + 3; ++y)
            for (int x = hold.right; x < hold.right + 3; ++x)
                ASSERT_EQ(picture.Alpha(x, y), 255) << "right edge at " << x << "," << y;
        for (int x = hold.left; x < hold.right + 3; ++x)
            for (int y = hold.bottom; y < hold.bottom + 3; ++y)
                ASSERT_EQ(picture.Alpha(x, y), 255) << "bottom edge at " << x << "," << y;
        // A frame casts a soft shadow: a good part of the image is neither clear nor solid.
        int soft = 0;
        for (int y = 0; y < picture.Height(); y += 2)
            for (int x = 0; x < picture.Width(); x += 2) {
                const int a = picture.Alpha(x, y);
                soft += a > 0 && a < 255;
            }
        EXPECT_GT(soft * 4, picture.Width() * picture.Height() / 20);
    }
}

TEST_F(ShippedFrames, NoteAreasLieOnSolidFrameBesideThePhoto)
{
    int withNote = 0;
    for (const std::string& name : definitions) {
        SCOPED_TRACE(name);
        const std::string file = FramesetDir() + name;
        const Rect note = ReadRect(file, "TextHold", -1);
        if (note.left == -1 && note.top == -1) {
            EXPECT_EQ(note.right, -1);
            EXPECT_EQ(note.bottom, -1);
            continue;
        }
        ++withNote;
        const Rect hold = ReadRect(file, "ImageHold", 0);
        Picture picture(FramesetDir() + ProfileText(file, "FrameInfo", "Filename"));
        ASSERT_TRUE(picture.Loaded());
        ASSERT_GE(note.left, 0);
        ASSERT_GE(note.top, 0);
        ASSERT_LE(note.right, picture.Width());
        ASSERT_LE(note.bottom, picture.Height());
        // The note is clipped to the area: leave room for two lines of the default 14-pixel note.
        EXPECT_GE(note.Width(), 100);
        EXPECT_GE(note.Height(), 34);
        const bool apart = note.top >= hold.bottom + 3 || note.bottom <= hold.top || note.left >= hold.right + 3 ||
                           note.right <= hold.left;
        EXPECT_TRUE(apart) << "the note area overlaps the photo";
        for (int y = note.top; y < note.bottom; ++y)
            for (int x = note.left; x < note.right; ++x)
                ASSERT_EQ(picture.Alpha(x, y), 255) << "note area not solid at " << x << "," << y;
    }
    EXPECT_GE(withNote, 3);
    EXPECT_GE(static_cast<int>(definitions.size()) - withNote, 3);
}

TEST_F(ShippedFrames, DefaultFrameIsALandscapeWithANoteArea)
{
    const std::string file = FramesetDir() + "frame2.ini";
    ASSERT_NE(std::find(definitions.begin(), definitions.end(), "frame2.ini"), definitions.end());
    EXPECT_EQ(ProfileText(file, "FrameInfo", "Orientation"), "landscape");
    EXPECT_NE(ReadRect(file, "TextHold", -1).left, -1);
}

TEST_F(ShippedFrames, EveryCategoryOfTheBrowserHasFramesOfBothOrientations)
{
    std::map<std::string, std::set<std::string>> orientations;
    std::set<std::string> images;
    for (const std::string& name : definitions) {
        const std::string file = FramesetDir() + name;
        const std::string image = ProfileText(file, "FrameInfo", "Filename");
        images.insert(image);
        // The browser's keywords match the image name case-sensitively.
        for (const char* keyword : {"metal", "wood", "romantic", "flowers", "christmas", "holiday", "kids"})
            if (image.find(keyword) != std::string::npos)
                orientations[keyword].insert(ProfileText(file, "FrameInfo", "Orientation"));
        orientations["."].insert(ProfileText(file, "FrameInfo", "Orientation"));
    }
    for (const char* keyword : {".", "metal", "wood", "romantic", "flowers", "kids"})
        EXPECT_EQ(orientations[keyword].size(), 2u) << keyword;
    EXPECT_EQ(orientations["christmas"].size() + orientations["holiday"].size(), 4u);

    // No stray frame images: every PNG but the placeholder photo belongs to a definition.
    for (const std::string& png : FilesIn(FramesetDir(), "*.png")) {
        if (png != "nophoto.png") {
            EXPECT_TRUE(images.count(png)) << png << " belongs to no definition";
        }
    }
}

TEST_F(ShippedFrames, PlaceholderAndSamplePhotosLoad)
{
    Picture placeholder(FramesetDir() + "nophoto.png");
    ASSERT_TRUE(placeholder.Loaded());
    Picture sample(FramesetDir() + "example.jpg");
    ASSERT_TRUE(sample.Loaded());
    // The About picture pads the sample to 4:3: a 4:3 sample is used whole.
    EXPECT_EQ(sample.Width() * 3, sample.Height() * 4);
    EXPECT_GE(sample.Width(), 640);
}

TEST_F(ShippedFrames, TheProgramsOwnReadersTakeThemAsShipped)
{
    ui::StringList listed;
    lumetta::ListFrameFilesIn(FramesetDir(), listed);
    EXPECT_EQ(listed.Count(), static_cast<int>(definitions.size()));
    EXPECT_GE(listed.IndexOf("frame2.ini"), 0);
    for (int i = 0; i < listed.Count(); ++i) {
        SCOPED_TRACE(listed[i]);
        lumetta::TPhotoFrame frame;
        lumetta::LoadPhotoFrameFrom(FramesetDir(), listed[i], frame);
        EXPECT_FALSE(frame.Filename.empty());
        // The orientation picks the photo canvas, which must have the shape of the photo area.
        EXPECT_EQ(frame.Orientation, frame.ImageHold.Bottom - frame.ImageHold.Top >
                                         frame.ImageHold.Right - frame.ImageHold.Left);
    }
    // The placeholder and the sample photo load as photos for either orientation; both are 4:3, so a
    // landscape frame takes them whole, without white bands.
    for (const char* photo : {"nophoto.png", "example.jpg"}) {
        const Picture original(FramesetDir() + photo);
        for (bool portrait : {false, true}) {
            const auto padded = lumetta::LoadPaddedPhoto(FramesetDir() + photo, portrait);
            EXPECT_EQ(lumetta::LastPhotoStatus, Gdiplus::Ok) << photo;
            if (!portrait) {
                EXPECT_EQ(static_cast<int>(padded->Width()), original.Width()) << photo;
                EXPECT_EQ(static_cast<int>(padded->Height()), original.Height()) << photo;
            }
        }
    }
}

// ---- english.lng --------------------------------------------------------------------------------------

// Every message number the programs show, and every Tag of the translated windows.
const int kMessages[] = {0, 1, 3, 4, 5, 6, 7, 9, 10, 11, 12, 16, 17, 18, 19, 41, 42, 43, 44, 45, 46, 47, 48, 49,
                         55, 56, 57, 58, 59};
const std::map<std::string, std::vector<int>> kTags = {
    {"Editor", {0,    1000, 1001, 1002, 1003, 1004, 1005, 1006, 1007, 1008, 1009, 1010, 1011, 1012, 1013, 1014,
                1015, 1016, 1017, 1018, 1019, 1020, 1021, 1022, 1023, 1024, 1025, 1026, 1027, 1028, 1029, 1030,
                1130, 1131, 1140, 1141}},
    {"FrameBrowser", {2000, 99900, 99901}},
    {"Agent", {4000, 4001, 4002, 4003, 4004, 4005, 4006, 4007, 4008, 4020}},
};
// The window captions, which the section itself must hold ("Misc" does not serve captions).
const std::map<std::string, int> kCaptions = {{"Editor", 0}, {"FrameBrowser", 2000}};

std::string Message(int n) { return ProfileText(LanguageFile(), "Messages", "Msg" + std::to_string(n)); }

// The text a window gets for a Tag: its own section first, then the shared one.
std::string TagText(const std::string& section, int tag)
{
    std::string text = ProfileText(LanguageFile(), section, std::to_string(tag));
    return text.empty() ? ProfileText(LanguageFile(), "Misc", std::to_string(tag)) : text;
}

// The printf-style conversions of a format text, each reduced to its conversion letter.
std::string Conversions(const std::string& format)
{
    std::string letters;
    for (size_t i = 0; i < format.size(); ++i) {
        if (format[i] != '%')
            continue;
        size_t j = i + 1;
        while (j < format.size() && (std::isdigit(static_cast<unsigned char>(format[j])) || format[j] == '.' ||
                                     format[j] == '-' || format[j] == ':'))
            ++j;
        if (j < format.size() && format[j] != '%')
            letters += format[j];
        i = j;
    }
    return letters;
}

TEST(EnglishLanguageFile, HasAVersionAndEveryMessage)
{
    EXPECT_GE(ProfileInt(LanguageFile(), "FileInfo", "ProgramMajorVersion", -1), 1);
    EXPECT_GE(ProfileInt(LanguageFile(), "FileInfo", "ProgramMinorVersion", -1), 0);
    for (int n : kMessages)
        EXPECT_FALSE(Message(n).empty()) << "Msg" << n;
    // The zoom hint takes one number with a fraction, the rotation hint one whole number; no other
    // message is used as a format.
    EXPECT_EQ(Conversions(Message(4)), "f");
    EXPECT_EQ(Conversions(Message(5)), "d");
    for (int n : kMessages) {
        if (n != 4 && n != 5) {
            EXPECT_EQ(Conversions(Message(n)), "") << "Msg" << n;
        }
    }
}

TEST(EnglishLanguageFile, HasEveryTagAndNoStrayKeys)
{
    for (const auto& [section, tags] : kTags) {
        for (int tag : tags)
            EXPECT_FALSE(TagText(section, tag).empty()) << section << " " << tag;
        // A key that is no Tag of the window is a typo that leaves some control untranslated.
        for (const std::string& key : SectionKeys(LanguageFile(), section))
            EXPECT_NE(std::find(tags.begin(), tags.end(), std::atoi(key.c_str())), tags.end())
                << section << " " << key;
    }
    for (const auto& [section, tag] : kCaptions)
        EXPECT_FALSE(ProfileText(LanguageFile(), section, std::to_string(tag)).empty()) << section;
    for (const std::string& key : SectionKeys(LanguageFile(), "Messages")) {
        const int n = std::atoi(key.c_str() + 3);
        EXPECT_TRUE(key.rfind("Msg", 0) == 0 && std::find(std::begin(kMessages), std::end(kMessages), n) !=
                                                    std::end(kMessages))
            << key;
    }
}

TEST(EnglishLanguageFile, IsPlainAsciiWithWindowsLineEnds)
{
    // Read the same under any ANSI code page.
    std::ifstream in(LanguageFile(), std::ios::binary);
    ASSERT_TRUE(in);
    const std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    for (size_t i = 0; i < bytes.size(); ++i) {
        ASSERT_LT(static_cast<unsigned char>(bytes[i]), 0x80) << "at byte " << i;
        if (bytes[i] == '\n') {
            ASSERT_TRUE(i > 0 && bytes[i - 1] == '\r') << "bare line feed at byte " << i;
        }
    }
    // The filter of the photo dialog comes in description and pattern pairs.
    const std::string filter = TagText("Editor", 1002);
    EXPECT_EQ(std::count(filter.begin(), filter.end(), '|') % 2, 1);
}

} // namespace
