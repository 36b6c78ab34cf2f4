// Picture headers read by hand: hostile sizes are seen and refused before any decoder runs.
#include "shared/GlobalImageHeader.h"

#include <gtest/gtest.h>

#include <chrono>
#include <fstream>
#include <functional>
#include <map>
#include <set>
#include <string>
#include <tuple>
#include <vector>

#include "ImageBytes.h"
#include "ImageSupport.h"
#include "TestSupport.h"
#include "shared/GlobalGraphics.h"

using namespace lumetta;
using namespace lumetta::test;

namespace {

// One directory with a first unrelated tag, then width and height of the given type (3 SHORT, 4 LONG).
std::string Tiff(bool bigEndian, std::uint16_t type, std::uint32_t width, std::uint32_t height)
{
    return TiffWriter(bigEndian).Directory({{254, 4, {0}}, {256, type, {width}}, {257, type, {height}}}).Bytes();
}

// Pages of the given sizes, each one strip of uncompressed red RGB (pixels only for small pages);
// a first page marked as a reduced image of the next.
std::string PagedTiff(const std::vector<std::pair<std::uint32_t, std::uint32_t>>& pages, bool reducedFirst = false)
{
    TiffWriter tiff(false);
    for (std::size_t i = 0; i < pages.size(); ++i) {
        const auto [width, height] = pages[i];
        std::string rgb;
        for (std::uint32_t p = 0; width * height <= 4096 && p < width * height; ++p)
            rgb += std::string("\xFF\0\0", 3);
        const std::uint32_t at = tiff.Data(rgb.empty() ? std::string(64, '\0') : rgb);
        tiff.Directory({{254, 4, {reducedFirst && i == 0 ? 1u : 0u}}, {256, 4, {width}}, {257, 4, {height}},
                        {258, 3, {8, 8, 8}}, {259, 3, {1}}, {262, 3, {2}}, {273, 4, {at}}, {277, 3, {3}},
                        {278, 4, {height}}, {279, 4, {width * height * 3}}});
    }
    return tiff.Bytes();
}

void ExpectSize(const std::string& bytes, std::uint64_t width, std::uint64_t height, const char* what,
                std::uint64_t framePixels = 0)
{
    const std::optional<DeclaredSize> size = DeclaredImageSize(bytes);
    ASSERT_TRUE(size) << what;
    EXPECT_EQ((DeclaredSize{size->Width, size->Height, size->FramePixels}), (DeclaredSize{width, height, framePixels}))
        << what;
}

TEST(ImageHeader, EveryFormatDeclaresItsSize)
{
    ExpectSize(HeaderOnlyJpeg(40000, 30000), 40000, 30000, "jpeg");
    ExpectSize(Png(30000, 30000), 30000, 30000, "png");
    ExpectSize(Gif(16, 16, 0, 0, 60000, 60000), 60000, 60000, "gif image past its screen", 3600000000);
    ExpectSize(Gif(60000, 50000, 0, 0, 8, 8), 60000, 50000, "gif screen", 64);
    ExpectSize(Gif(16, 16, 60000, 2, 8, 8), 60008, 16, "gif image placed far right", 64);
    ExpectSize(AnimatedGif(60, 4000, 4000, true), 4000, 4000, "every frame of a gif", 960000000);
    ExpectSize(PagedTiff({{160, 120}, {60000, 60000}, {800, 600}}), 60000, 60000, "every page of a tiff");
    ExpectSize(BmpInfo(40000, -30000), 40000, 30000, "top-down bmp");
    ExpectSize(BmpCore(65535, 65535), 65535, 65535, "old bmp header");
    ExpectSize(Tiff(false, 4, 40000, 30000), 40000, 30000, "little-endian tiff");
    ExpectSize(Tiff(true, 3, 60000, 50000), 60000, 50000, "big-endian tiff");
    ExpectSize(Ico(0, 0, Png(30000, 30000)), 30000, 30000, "icon holding a png");
    ExpectSize(Ico(16, 16, IconDib(40000, 60000)), 40000, 30000, "icon holding a bitmap");
    ExpectSize(Ico(32, 48, IconDib(16, 32)), 32, 48, "icon listed larger than its bitmap");
    ExpectSize(Emf(99, 49, 2540, 1270), 100, 50, "emf bounds");
    ExpectSize(Emf(9, 9, 254000000, 2540), 9600000, 96, "emf frame");
    ExpectSize(Wmf(30000, 1440, 1440), 2000, 96, "wmf at 1440 units an inch");
    ExpectSize(Wmf(30000, 30000, 1), 2880000, 2880000, "wmf at one unit an inch");
    // A frame header after stray bytes and fill bytes, as the decoder finds it.
    ExpectSize(Bytes().U16BE(0xFFD8).Text("junk\xFF\xFF").Append(HeaderOnlyJpeg(20, 10).substr(2)).Data(), 20, 10,
               "jpeg with stray bytes");
}

TEST(ImageHeader, HeadersThatCannotBeReadGiveNoSize)
{
    const std::string jpeg = HeaderOnlyJpeg(20, 10);
    const std::string scanFirst = Bytes().U16BE(0xFFD8).U16BE(0xFFDA).U16BE(8).Zeros(6).Append(jpeg.substr(2)).Data();
    const std::string shortLength = Bytes().U16BE(0xFFD8).U16BE(0xFFE0).U16BE(1).Append(jpeg.substr(2)).Data();
    const std::string longLength = Bytes().U16BE(0xFFD8).U16BE(0xFFE1).U16BE(0xFFFF).Append(jpeg.substr(2)).Data();
    std::string badChunk = Png(10, 10);
    badChunk[11] = 14;
    std::string noHeight = Tiff(false, 4, 10, 10);
    noHeight[35] = 0; // tag 257 becomes 1
    const std::string manyIcons = Bytes().U16(0).U16(1).U16(2000).Zeros(16 * 2000).Data();
    const std::string iconOutside = Bytes().U16(0).U16(1).U16(1).U8(16).U8(16).Zeros(6).U32(40).U32(4000).Data();
    for (const auto& [bytes, what] : std::vector<std::pair<std::string, const char*>>{
             {"", "empty"},
             {"\xFF\xD8", "bare jpeg start"},
             {jpeg.substr(0, 24), "jpeg cut in its frame header"},
             {scanFirst, "scan before any frame header"},
             {shortLength, "segment length below 2"},
             {longLength, "segment longer than the file"},
             {Png(10, 10).substr(0, 20), "png cut in its header"},
             {badChunk, "png header chunk of the wrong length"},
             {"GIF89a\x10", "gif cut in its screen"},
             {BmpInfo(-5, 5), "bmp of negative width"},
             {Bytes().Text("BM").Zeros(12).U32(8).Zeros(8).Data(), "bmp header of 8 bytes"},
             {noHeight, "tiff without a height"},
             {Tiff(false, 2, 10, 10), "tiff size as text"},
             {Bytes().U16(0).U16(1).U16(0).Data(), "icon without entries"},
             {manyIcons, "icon directory past any real icon's"},
             {iconOutside, "icon entry pointing outside the file"},
             {Wmf(100, 100, 0), "wmf with no units per inch"},
             {Bytes().U16(1).U16(9).U16(0x300).Zeros(12).Data(), "wmf without a placeable header"},
             {"just some text, no picture", "text"},
         }) {
        EXPECT_FALSE(DeclaredImageSize(bytes).has_value()) << what;
    }
}

TEST(ImageHeader, SizesOnlyPassWithPixelsWithinTheLimit)
{
    EXPECT_TRUE(HasPixelsWithin({4, 5}, 20));
    EXPECT_FALSE(HasPixelsWithin({4, 6}, 20));
    EXPECT_FALSE(HasPixelsWithin({0, 5}, 20));
    EXPECT_FALSE(HasPixelsWithin({5, 0}, 20));
    EXPECT_FALSE(HasPixelsWithin({1ull << 40, 1ull << 40}, ~0ull)); // no overflow
    EXPECT_TRUE(HasPixelsWithin({4, 5, 20}, 20));
    EXPECT_FALSE(HasPixelsWithin({4, 5, 21}, 20)); // the frames together
    EXPECT_FALSE(HasPixelsWithin({4, 5, 0, false}, 20));
    // Only the photo's own pixels count: 16384 x 16384 is 2^28, one row more is past it; a
    // canvas too large takes a reduced photo. A phone's 200 megapixels pass.
    EXPECT_EQ(DeclaredPhotoStatus(DeclaredSize{16384, 16384}), Gdiplus::Ok);
    EXPECT_EQ(DeclaredPhotoStatus(DeclaredSize{16384, 16385}), Gdiplus::OutOfMemory);
    EXPECT_EQ(DeclaredPhotoStatus(DeclaredSize{16320, 12240}), Gdiplus::Ok);
    EXPECT_EQ(DeclaredPhotoStatus(DeclaredSize{0, 8250}), Gdiplus::InvalidParameter);
    EXPECT_EQ(DeclaredPhotoStatus(std::nullopt), Gdiplus::UnknownImageFormat);
}

// A TIFF directory with the given extra entries (in tag order, after 258).
std::string TiffWith(std::uint32_t width, std::uint32_t height, std::uint32_t bitsPerSample, const std::vector<TiffEntry>& more)
{
    std::vector<TiffEntry> entries{{256, 4, {width}}, {257, 4, {height}}, {258, 3, {bitsPerSample}}};
    entries.insert(entries.end(), more.begin(), more.end());
    return TiffWriter(false).Directory(entries).Bytes();
}

TEST(ImageHeader, OrientationOfAJpegsExifSegmentAndATiffsFirstDirectory)
{
    const std::string jpeg = JpegHeaders(64, 48, 0xC0, 1);
    const auto orientation = [](const std::string& bytes) { return DeclaredImageSize(bytes).value_or(DeclaredSize{}).Orientation; };
    EXPECT_EQ(DeclaredImageSize(WithSegment(jpeg, ExifSegment(ExifTiff(true, 8)))), (DeclaredSize{64, 48, 0, true, 8}));
    // Only the first Exif segment counts (here one of no orientation), and only before the scans.
    EXPECT_EQ(orientation(WithSegment(WithSegment(jpeg, ExifSegment(ExifTiff(false, 3))), ExifSegment(ExifTiff(false, 0)))), 1);
    const std::size_t scan = jpeg.find("\xFF\xDA");
    EXPECT_EQ(orientation(jpeg.substr(0, scan + 10) + ExifSegment(ExifTiff(false, 6)) + jpeg.substr(scan + 10)), 1);
    // A TIFF's first directory, not a later one.
    TiffWriter second(false);
    second.Directory({{256, 3, {8}}, {257, 3, {6}}}).Directory({{256, 3, {8}}, {257, 3, {6}}, {274, 3, {6}}});
    EXPECT_EQ(orientation(second.Bytes()), 1);
    EXPECT_EQ(orientation(TiffWith(8, 6, 8, {{274, 3, {7}}})), 7);

    // The sides swap for 5 to 8 only.
    EXPECT_FALSE(UprightTurn(4).SwapsSides());
    EXPECT_TRUE(UprightTurn(5).SwapsSides());
    EXPECT_TRUE(UprightTurn(8).SwapsSides());
    EXPECT_FALSE(UprightTurn(9).SwapsSides());
}

TEST(ImageHeader, FieldsThatSizeTheDecodersBuffersAreBounded)
{
    TiffWriter loop(true);
    loop.Directory({{256, 3, {30}}, {257, 3, {20}}});
    std::string looped = loop.Bytes();
    looped.replace(looped.size() - 4, 4, std::string("\0\0\0\x08", 4)); // the next directory is itself
    TiffWriter many(false);
    for (int i = 0; i < 1025; ++i)
        many.Directory({{256, 3, {8}}, {257, 3, {8}}});
    std::string bigPalette = BmpInfo(16, 16, 8, 0x40000000);
    const auto gifCodeSize = [](std::uint8_t size) {
        std::string gif = Gif(16, 16, 0, 0, 8, 8);
        gif[gif.size() - 3] = static_cast<char>(size);
        return gif;
    };
    const std::string fiveComponents =
        Bytes().U16BE(0xFFD8).U16BE(0xFFC0).U16BE(8 + 3 * 5).U8(8).U16BE(48).U16BE(64).U8(5).Zeros(15).U16BE(0xFFD9).Data();
    for (const auto& [bytes, what] : std::vector<std::pair<std::string, const char*>>{
             {HugeTileTiff(false), "tiles of 65536 x 65536, little-endian"},
             {HugeTileTiff(true), "tiles of 65536 x 65536, big-endian"},
             {TiffWith(16, 16, 8, {{322, 4, {16384}}, {323, 4, {16384}}}), "tiles far larger than the picture"},
             {TiffWith(16, 16, 8, {{322, 4, {16}}}), "tile width without length"},
             {TiffWith(64, 64, 8, {{322, 4, {0}}, {323, 4, {16}}}), "tiles of no width"},
             {TiffWith(12000, 9000, 32, {{277, 3, {4}}, {278, 4, {9000}}}), "one strip of 12000 x 9000 at 32 bits a sample"},
             {TiffWith(64, 64, 8, {{278, 4, {0}}}), "no rows per strip"},
             {TiffWith(4, 2000000, 8, {{278, 4, {1}}}), "two million strips"},
             {TiffWith(64, 64, 24, {{262, 3, {3}}, {277, 3, {1}}}), "a palette of 16 million colours"},
             {PagedTiff({{160, 120}, {60000, 60000}}, true), "a thumbnail first, a huge picture second"},
             {many.Bytes(), "1025 directories"},
             {JpegHeaders(64, 48, 0xC2, 257), "257 progressive scans"},
             {JpegHeaders(16320, 12240, 0xC2, 10), "200 megapixels, progressive"},
             {JpegHeaders(16320, 12240, 0xC0, 3), "200 megapixels in three scans"},
             {fiveComponents, "five components"},
             {AnimatedGif(65537, 1, 1, true), "65537 frames"},
             {gifCodeSize(12), "LZW codes past 12 bits"},
             {bigPalette, "a bitmap palette of 2^30 colours"},
             {Ico(16, 16, bigPalette.substr(14)), "an icon of that bitmap"},
         }) {
        const auto start = std::chrono::steady_clock::now();
        const std::optional<DeclaredSize> size = DeclaredImageSize(bytes);
        EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::milliseconds(200)) << what;
        ASSERT_TRUE(size) << what;
        EXPECT_FALSE(size->BuffersFit) << what;
        EXPECT_FALSE(HasPixelsWithin(*size, MaxDecodedPhotoPixels)) << what;
    }
    // What real pictures do stays within the bounds.
    for (const auto& [bytes, what] : std::vector<std::pair<std::string, const char*>>{
             {RgbTiff(false, 40, 30, 0, 16), "tiles of 16 x 16"},
             {TiffWith(16, 16, 8, {{322, 4, {1024}}, {323, 4, {1024}}}), "a writer's fixed tile size on a small picture"},
             {TiffWith(6000, 4000, 8, {{278, 4, {0xFFFFFFFF}}}), "one strip of every row"},
             {TiffWith(6000, 4000, 16, {{277, 3, {4}}, {278, 4, {1}}}), "16-bit RGBA, a strip a row"},
             {PagedTiff({{160, 120}, {4000, 3000}}, true), "a thumbnail first"},
             {looped, "a directory chain that loops"},
             {JpegHeaders(6000, 4000, 0xC2, 12), "a progressive photo"},
             {JpegHeaders(6000, 4000, 0xC0, 256), "256 scans"},
             {JpegHeaders(16320, 12240, 0xC0, 1), "a phone's 200 megapixels in one scan"},
             {AnimatedGif(200, 320, 240, true), "200 frames of 320 x 240"},
             {gifCodeSize(8), "LZW codes of an 8-bit palette"},
             {BmpInfo(640, 480, 8, 256), "a full 8-bit palette"},
         }) {
        const std::optional<DeclaredSize> size = DeclaredImageSize(bytes);
        ASSERT_TRUE(size) << what;
        EXPECT_TRUE(HasPixelsWithin(*size, MaxDecodedPhotoPixels)) << what;
    }
}

// Wine's decoder does not read back what its GIF encoder writes: a one-pixel GIF made by hand.
std::string OnePixelGif()
{
    return std::string("GIF89a\1\0\1\0\x80\0\0\xFF\xFF\xFF\0\0\0,\0\0\0\0\1\0\1\0\0\2\2D\1\0;", 35);
}

// An icon of a red 32 x 32 PNG.
std::string RedIcon(const TempFolder& folder)
{
    const auto red = [](Gdiplus::Graphics& g) { FillArea(g, 0, 0, 32, 32, RGB(255, 0, 0)); };
    SaveImageFile(folder.Dir() + "inner.png", 32, 32, red);
    std::ifstream in(folder.Path() / "inner.png", std::ios::binary);
    return Ico(32, 32, std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>()));
}

// A metafile drawn by the platform: a frame of one inch square, a 100 x 50 rectangle.
bool WriteMetafile(const std::string& path)
{
    const RECT inch{0, 0, 2540, 2540};
    const HDC dc = CreateEnhMetaFileA(nullptr, path.c_str(), &inch, nullptr);
    if (!dc)
        return false;
    Rectangle(dc, 0, 0, 100, 50);
    return DeleteEnhMetaFile(CloseEnhMetaFile(dc));
}

// An old-style metafile drawn by the platform (a 100 x 50 rectangle) behind a placeable header of
// one inch square.
void WritePlaceableMetafile(const std::string& path)
{
    const HDC dc = CreateMetaFileA(nullptr);
    Rectangle(dc, 0, 0, 100, 50);
    const HMETAFILE metafile = CloseMetaFile(dc);
    std::string bits(GetMetaFileBitsEx(metafile, 0, nullptr), '\0');
    GetMetaFileBitsEx(metafile, static_cast<UINT>(bits.size()), bits.data());
    DeleteMetaFile(metafile);
    Bytes header;
    header.U32(0x9AC6CDD7).U16(0).U16(0).U16(0).U16(96).U16(96).U16(96).U32(0);
    std::uint16_t checksum = 0;
    for (std::size_t i = 0; i < header.Size(); i += 2)
        checksum ^= static_cast<std::uint16_t>(static_cast<std::uint8_t>(header.Data()[i]) |
                                               static_cast<std::uint8_t>(header.Data()[i + 1]) << 8);
    std::ofstream(path, std::ios::binary) << header.U16(checksum).Data() << bits;
}

class HugePhotoFiles : public ::testing::Test {
protected:
    TempFolder folder;
    std::string Write(const std::string& name, const std::string& bytes)
    {
        folder.Write(name, bytes);
        return folder.Dir() + name;
    }
};

TEST_F(HugePhotoFiles, AreRefusedBeforeTheDecoderSeesThem)
{
    for (const auto& [name, bytes] : std::vector<std::pair<std::string, std::string>>{
             {"a.jpg", HeaderOnlyJpeg(40000, 30000)},
             {"b.jpg", HeaderOnlyJpeg(65500, 65500)},
             {"c.png", Png(30000, 30000)},
             {"d.gif", Gif(16, 16, 0, 0, 60000, 60000)},
             {"e.bmp", BmpInfo(40000, -30000)},
             {"f.bmp", BmpCore(65535, 65535)},
             {"g.tif", Tiff(false, 4, 40000, 30000)},
             {"h.tif", Tiff(true, 3, 60000, 50000)},
             {"i.ico", Ico(0, 0, Png(30000, 30000))},
             {"j.emf", Emf(99999, 99999, 0, 0)},
             {"k.wmf", Wmf(30000, 30000, 1)},
             {"tiles.tif", HugeTileTiff(false)},
             {"tiles-mm.tif", HugeTileTiff(true)},
             {"strip.tif", TiffWith(12000, 9000, 32, {{277, 3, {4}}, {278, 4, {9000}}})},
             {"thumbnail.tif", PagedTiff({{160, 120}, {60000, 60000}}, true)},
             {"frames.gif", AnimatedGif(60, 4000, 4000, true)},
         }) {
        const std::string path = Write(name, bytes);
        // Never hand a file to the decoder that the header reading would not refuse.
        ASSERT_NE(DeclaredPhotoStatus(DeclaredImageFileSize(path)), Gdiplus::Ok) << name;
        const auto start = std::chrono::steady_clock::now();
        const auto photo = LoadPaddedPhoto(path, false);
        const auto elapsed = std::chrono::steady_clock::now() - start;
        EXPECT_EQ(LastPhotoStatus, Gdiplus::OutOfMemory) << name;
        EXPECT_EQ(photo->Width(), 200u) << name;
        EXPECT_LT(elapsed, std::chrono::milliseconds(500)) << name;
    }
    // A declared side of 0 fails the load as well, with the status a failure gives.
    LoadPaddedPhoto(Write("zero.png", Png(0, 10)), false);
    EXPECT_EQ(LastPhotoStatus, Gdiplus::InvalidParameter);
    LoadPaddedPhoto(Write("notes.jpg", "\xFF\xD8 not a picture"), false);
    EXPECT_EQ(LastPhotoStatus, Gdiplus::UnknownImageFormat);
}

TEST_F(HugePhotoFiles, NormalPhotosOfEveryFormatStillLoad)
{
    const auto red = [](Gdiplus::Graphics& g) { FillArea(g, 0, 0, 40, 30, RGB(255, 0, 0)); };
    for (const auto& [name, mime] : std::vector<std::pair<const char*, const wchar_t*>>{
             {"p.jpg", L"image/jpeg"}, {"p.png", L"image/png"}, {"p.bmp", L"image/bmp"}, {"p.tif", L"image/tiff"}}) {
        const std::string path = folder.Dir() + name;
        SaveImageFile(path, 40, 30, red, mime);
        EXPECT_EQ(DeclaredImageFileSize(path), (DeclaredSize{40, 30})) << name;
        const auto photo = LoadPaddedPhoto(path, false);
        EXPECT_EQ(LastPhotoStatus, Gdiplus::Ok) << name;
        EXPECT_EQ(photo->Width(), 40u) << name;
        EXPECT_EQ(photo->Height(), 30u) << name;
    }
    // Tiles in both byte orders, strips, pages, and frames of a normal size, as other programs write them.
    for (const auto& [name, bytes, width] : std::vector<std::tuple<std::string, std::string, UINT>>{
             {"tiles.tif", RgbTiff(false, 40, 30, 0, 16), 40},
             {"tiles-mm.tif", RgbTiff(true, 40, 30, 0, 16), 40},
             {"pages.tif", PagedTiff({{40, 30}, {20, 10}}), 40},
             {"strips.tif", RgbTiff(false, 40, 30, 7), 40},
             {"frames.gif", AnimatedGif(10, 64, 48), 64},
         }) {
        const auto photo = LoadPaddedPhoto(Write(name, bytes), false);
        EXPECT_EQ(LastPhotoStatus, Gdiplus::Ok) << name;
        EXPECT_EQ(photo->Width(), width) << name;
        if (name.find("tiles") == 0) { // every tile in its place, the last one cut at the edge
            EXPECT_TRUE(Near(PixelOf(*photo, 39, 29), RGB(255, 64, 32))) << name;
        }
    }
    LoadPaddedPhoto(Write("p.gif", OnePixelGif()), false);
    EXPECT_EQ(LastPhotoStatus, Gdiplus::Ok);
    const auto icon = LoadPaddedPhoto(Write("p.ico", RedIcon(folder)), false);
    EXPECT_EQ(LastPhotoStatus, Gdiplus::Ok);
    EXPECT_EQ(icon->Width(), 42u); // 32 x 32 on a 42 x 32 canvas

    const std::string emfPath = folder.Dir() + "p.emf";
    ASSERT_TRUE(WriteMetafile(emfPath));
    // The header passes it on; Wine's decoder then makes no bitmap of a metafile at all.
    EXPECT_EQ(DeclaredImageFileSize(emfPath), (DeclaredSize{100, 96}));
}

// The program's own photo loading, as the Open dialog's choice reaches it.
Gdiplus::Status LoadStatus(const std::string& path)
{
    LoadPaddedPhoto(path, false);
    return LastPhotoStatus;
}

// Whether the platform's own decoder makes a bitmap of the file.
bool PlatformDecodes(const std::string& path)
{
    const ui::GpBitmapPtr bitmap(Gdiplus::Bitmap::FromFile(ui::WideFromAnsi(path).c_str()));
    return bitmap && bitmap->GetLastStatus() == Gdiplus::Ok;
}

// The parts of text between separators.
std::vector<std::string> Split(const std::string& text, char separator)
{
    std::vector<std::string> parts;
    for (std::size_t start = 0;;) {
        const std::size_t end = text.find(separator, start);
        parts.push_back(text.substr(start, end - start));
        if (end == std::string::npos)
            return parts;
        start = end + 1;
    }
}

// The Open dialog shows first every picture that loads, then each kind on its own, then every
// file; each extension it lists opens through the program's own loading (the header reading
// first), and nothing that loads is left out.
TEST_F(HugePhotoFiles, TheOpenDialogListsEveryKindOfPhotoThatLoads)
{
    char text[2048] = {};
    const std::string languageFile = std::string(LUMETTA_DIST_DIR) + "english.lng";
    GetPrivateProfileStringA("Editor", "1002", "", text, sizeof text, languageFile.c_str());
    // Description and pattern pairs: the patterns of each entry.
    const std::vector<std::string> parts = Split(text, '|');
    std::vector<std::vector<std::string>> entries;
    for (std::size_t i = 1; i < parts.size(); i += 2)
        entries.push_back(Split(parts[i], ';'));
    ASSERT_GE(entries.size(), 3u) << text;
    EXPECT_EQ(entries.back(), std::vector<std::string>{"*.*"});
    std::vector<std::string> kinds;
    for (std::size_t i = 1; i + 1 < entries.size(); ++i)
        kinds.insert(kinds.end(), entries[i].begin(), entries[i].end());
    EXPECT_EQ(kinds, entries.front()) << "each kind once, in the order of all pictures";

    const auto red = [](Gdiplus::Graphics& g) { FillArea(g, 0, 0, 8, 6, RGB(255, 0, 0)); };
    const auto encoded = [red](const wchar_t* mime) {
        return [=](const std::string& path) { SaveImageFile(path, 8, 6, red, mime); };
    };
    const auto bytes = [](std::string content) {
        return [=](const std::string& path) { std::ofstream(path, std::ios::binary) << content; };
    };
    const std::map<std::string, std::function<void(const std::string&)>> samples = {
        {"jpg", encoded(L"image/jpeg")}, {"jpeg", encoded(L"image/jpeg")}, {"jpe", encoded(L"image/jpeg")},
        {"jfif", encoded(L"image/jpeg")}, {"png", encoded(L"image/png")}, {"gif", bytes(OnePixelGif())},
        {"bmp", encoded(L"image/bmp")}, {"dib", encoded(L"image/bmp")}, {"tif", encoded(L"image/tiff")},
        {"tiff", encoded(L"image/tiff")}, {"ico", bytes(RedIcon(folder))},
        {"emf", [](const std::string& path) { WriteMetafile(path); }},
        {"wmf", [](const std::string& path) { WritePlaceableMetafile(path); }},
    };
    std::set<std::string> listed;
    for (const std::string& pattern : entries.front()) {
        ASSERT_EQ(pattern.rfind("*.", 0), 0u) << pattern;
        const std::string extension = pattern.substr(2);
        listed.insert(extension);
        const auto sample = samples.find(extension);
        ASSERT_NE(sample, samples.end()) << "no sample of " << pattern;
        const std::string path = folder.Dir() + "sample." + extension;
        sample->second(path);
        EXPECT_EQ(DeclaredPhotoStatus(DeclaredImageFileSize(path)), Gdiplus::Ok) << pattern;
        // Wine's decoder makes no bitmap of a metafile at all; where the platform's does, ours must load it.
        const bool metafile = extension == "emf" || extension == "wmf";
        if (metafile && !PlatformDecodes(path))
            continue;
        EXPECT_EQ(LoadStatus(path), Gdiplus::Ok) << pattern;
    }
    for (const auto& [extension, sample] : samples)
        EXPECT_TRUE(listed.count(extension)) << "*." << extension << " loads but is not listed";
}

} // namespace
