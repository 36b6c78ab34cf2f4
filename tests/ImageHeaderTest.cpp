// Picture headers read by hand: hostile sizes are seen and refused before any decoder runs.
#include "shared/GlobalImageHeader.h"

#include <gtest/gtest.h>

#include <chrono>
#include <fstream>

#include "ImageSupport.h"
#include "TestSupport.h"
#include "shared/GlobalGraphics.h"

using namespace lumetta;
using namespace lumetta::test;

namespace {

// Bytes of a picture, field by field.
class Bytes {
public:
    Bytes& Text(std::string_view text)
    {
        data_ += text;
        return *this;
    }
    Bytes& U8(std::uint32_t v) { return Field(v, 1, false); }
    Bytes& U16(std::uint32_t v) { return Field(v, 2, false); }
    Bytes& U32(std::uint32_t v) { return Field(v, 4, false); }
    Bytes& U16BE(std::uint32_t v) { return Field(v, 2, true); }
    Bytes& U32BE(std::uint32_t v) { return Field(v, 4, true); }
    Bytes& Zeros(std::size_t n) { return Text(std::string(n, '\0')); }
    Bytes& Append(const std::string& more) { return Text(more); }
    const std::string& Data() const { return data_; }
    std::size_t Size() const { return data_.size(); }

private:
    Bytes& Field(std::uint32_t v, int size, bool bigEndian)
    {
        for (int i = 0; i < size; ++i)
            data_ += static_cast<char>(v >> (8 * (bigEndian ? size - 1 - i : i)));
        return *this;
    }
    std::string data_;
};

std::uint32_t Crc32(std::string_view bytes)
{
    std::uint32_t crc = 0xFFFFFFFFu;
    for (unsigned char b : bytes) {
        crc ^= b;
        for (int k = 0; k < 8; ++k)
            crc = (crc >> 1) ^ (0xEDB88320u & (0u - (crc & 1)));
    }
    return ~crc;
}

// A PNG with a valid IHDR of its own CRC and nothing after it.
std::string Png(std::uint32_t width, std::uint32_t height)
{
    const std::string ihdr = Bytes().Text("IHDR").U32BE(width).U32BE(height).U8(8).U8(2).Zeros(3).Data();
    return Bytes().Text("\x89PNG\r\n\x1A\n").U32BE(13).Append(ihdr).U32BE(Crc32(ihdr)).Data();
}

// A screen with one image on it at (left, top), each without colour table or pixels.
std::string Gif(std::uint16_t screenWidth, std::uint16_t screenHeight, std::uint16_t left, std::uint16_t top,
                std::uint16_t width, std::uint16_t height)
{
    return Bytes()
        .Text("GIF89a").U16(screenWidth).U16(screenHeight).U8(0).U8(0).U8(0)
        .U8(0x21).U8(0xF9).U8(4).U32(0).U8(0) // a graphic control extension
        .U8(0x2C).U16(left).U16(top).U16(width).U16(height).U8(0).U8(2).U8(0)
        .U8(0x3B)
        .Data();
}

std::string BmpInfo(std::int32_t width, std::int32_t height)
{
    return Bytes().Text("BM").U32(54).U32(0).U32(54)
        .U32(40).U32(static_cast<std::uint32_t>(width)).U32(static_cast<std::uint32_t>(height)).U16(1).U16(24).Zeros(24)
        .Data();
}

std::string BmpCore(std::uint16_t width, std::uint16_t height)
{
    return Bytes().Text("BM").U32(26).U32(0).U32(26).U32(12).U16(width).U16(height).U16(1).U16(24).Data();
}

// One directory with a first unrelated tag, then width and height of the given type (3 SHORT, 4 LONG).
std::string Tiff(bool bigEndian, std::uint16_t type, std::uint32_t width, std::uint32_t height)
{
    Bytes b;
    const auto u16 = [&](std::uint32_t v) { bigEndian ? b.U16BE(v) : b.U16(v); };
    const auto u32 = [&](std::uint32_t v) { bigEndian ? b.U32BE(v) : b.U32(v); };
    const auto entry = [&](std::uint16_t tag, std::uint16_t entryType, std::uint32_t value) {
        u16(tag);
        u16(entryType);
        u32(1);
        if (entryType == 3) {
            u16(value);
            u16(0);
        } else {
            u32(value);
        }
    };
    b.Text(bigEndian ? std::string_view("MM\0*", 4) : std::string_view("II*\0", 4));
    u32(8);
    u16(3);
    entry(254, 4, 0);
    entry(256, type, width);
    entry(257, type, height);
    u32(0);
    return b.Data();
}

// An icon directory with one entry of the listed size pointing at image.
std::string Ico(std::uint8_t listedWidth, std::uint8_t listedHeight, const std::string& image)
{
    return Bytes().U16(0).U16(1).U16(1)
        .U8(listedWidth).U8(listedHeight).U8(0).U8(0).U16(1).U16(32).U32(static_cast<std::uint32_t>(image.size())).U32(22)
        .Append(image)
        .Data();
}

// An icon's own bitmap: its height counts the colour rows and the mask rows.
std::string IconDib(std::int32_t width, std::int32_t doubledHeight)
{
    return Bytes().U32(40).U32(static_cast<std::uint32_t>(width)).U32(static_cast<std::uint32_t>(doubledHeight))
        .U16(1).U16(32).Zeros(24).Data();
}

// An enhanced metafile header with inclusive bounds in pixels and a frame in hundredths of a millimetre.
std::string Emf(std::int32_t right, std::int32_t bottom, std::int32_t frameRight, std::int32_t frameBottom)
{
    return Bytes().U32(1).U32(108).U32(0).U32(0).U32(static_cast<std::uint32_t>(right)).U32(static_cast<std::uint32_t>(bottom))
        .U32(0).U32(0).U32(static_cast<std::uint32_t>(frameRight)).U32(static_cast<std::uint32_t>(frameBottom))
        .Text(" EMF").U32(0x10000).U32(108).U32(1).U16(1).U16(0).Zeros(48)
        .Data();
}

// A placeable metafile header with its box in units of 1/unitsPerInch.
std::string Wmf(std::int16_t right, std::int16_t bottom, std::uint16_t unitsPerInch)
{
    return Bytes().U32(0x9AC6CDD7).U16(0).U16(0).U16(0).U16(static_cast<std::uint16_t>(right))
        .U16(static_cast<std::uint16_t>(bottom)).U16(unitsPerInch).U32(0).U16(0)
        .U16(1).U16(9).U16(0x300).U32(3).U16(0).U32(0).U16(0) // the metafile's own header, empty
        .Data();
}

void ExpectSize(const std::string& bytes, std::uint64_t width, std::uint64_t height, const char* what)
{
    const std::optional<DeclaredSize> size = DeclaredImageSize(bytes);
    ASSERT_TRUE(size) << what;
    EXPECT_EQ(*size, (DeclaredSize{width, height})) << what;
}

TEST(ImageHeader, EveryFormatDeclaresItsSize)
{
    ExpectSize(HeaderOnlyJpeg(40000, 30000), 40000, 30000, "jpeg");
    ExpectSize(Png(30000, 30000), 30000, 30000, "png");
    ExpectSize(Gif(16, 16, 0, 0, 60000, 60000), 60000, 60000, "gif image past its screen");
    ExpectSize(Gif(60000, 50000, 0, 0, 8, 8), 60000, 50000, "gif screen");
    ExpectSize(Gif(16, 16, 60000, 2, 8, 8), 60008, 16, "gif image placed far right");
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
    // The canvas counts for a photo: 11000 x 11000 is under 2^27 pixels, its 4:3 canvas is not.
    EXPECT_EQ(DeclaredPhotoStatus(DeclaredSize{11000, 11000}, false), Gdiplus::OutOfMemory);
    EXPECT_EQ(DeclaredPhotoStatus(DeclaredSize{11000, 8250}, false), Gdiplus::Ok);
    EXPECT_EQ(DeclaredPhotoStatus(DeclaredSize{0, 8250}, false), Gdiplus::InvalidParameter);
    EXPECT_EQ(DeclaredPhotoStatus(std::nullopt, false), Gdiplus::UnknownImageFormat);
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
         }) {
        const std::string path = Write(name, bytes);
        // Never hand a file to the decoder that the header reading would not refuse.
        ASSERT_NE(DeclaredPhotoStatus(DeclaredImageFileSize(path), false), Gdiplus::Ok) << name;
        const auto start = std::chrono::steady_clock::now();
        const ui::GpBitmapPtr photo = LoadPaddedPhoto(path, false);
        const auto elapsed = std::chrono::steady_clock::now() - start;
        EXPECT_EQ(LastPhotoStatus, Gdiplus::OutOfMemory) << name;
        EXPECT_EQ(photo->GetWidth(), 200u) << name;
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
        const ui::GpBitmapPtr photo = LoadPaddedPhoto(path, false);
        EXPECT_EQ(LastPhotoStatus, Gdiplus::Ok) << name;
        EXPECT_EQ(photo->GetWidth(), 40u) << name;
        EXPECT_EQ(photo->GetHeight(), 30u) << name;
    }
    // Wine's decoder does not read back what its GIF encoder writes: a one-pixel GIF made by hand.
    const std::string gif("GIF89a\1\0\1\0\x80\0\0\xFF\xFF\xFF\0\0\0,\0\0\0\0\1\0\1\0\0\2\2D\1\0;", 35);
    LoadPaddedPhoto(Write("p.gif", gif), false);
    EXPECT_EQ(LastPhotoStatus, Gdiplus::Ok);
    // An icon made of a PNG.
    SaveImageFile(folder.Dir() + "inner.png", 32, 32, red);
    std::ifstream in(folder.Path() / "inner.png", std::ios::binary);
    const std::string inner((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    const ui::GpBitmapPtr icon = LoadPaddedPhoto(Write("p.ico", Ico(32, 32, inner)), false);
    EXPECT_EQ(LastPhotoStatus, Gdiplus::Ok);
    EXPECT_EQ(icon->GetWidth(), 42u); // 32 x 32 on a 42 x 32 canvas

    // A metafile drawn by the platform: a frame of one inch square, a 100 x 50 rectangle.
    const std::string emfPath = folder.Dir() + "p.emf";
    const RECT inch{0, 0, 2540, 2540};
    const HDC dc = CreateEnhMetaFileA(nullptr, emfPath.c_str(), &inch, nullptr);
    ASSERT_TRUE(dc);
    Rectangle(dc, 0, 0, 100, 50);
    DeleteEnhMetaFile(CloseEnhMetaFile(dc));
    // The header passes it on; Wine's decoder then makes no bitmap of a metafile at all.
    EXPECT_EQ(DeclaredImageFileSize(emfPath), (DeclaredSize{100, 96}));
}

} // namespace
