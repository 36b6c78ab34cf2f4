#pragma once
// Picture files made byte by byte, hostile or normal, for the header tests and the fuzz seeds.
// Needs no platform headers: the fuzz seeds are made natively.
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace lumetta::test {

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

// A PNG with a valid IHDR (8-bit RGB) of its own CRC and nothing after it.
std::string Png(std::uint32_t width, std::uint32_t height);

// A JPEG of headers only: a frame header of the given marker (0xC0 baseline, 0xC2 progressive)
// and three components, then scans of one component each with no data, then the end.
std::string JpegHeaders(std::uint16_t width, std::uint16_t height, std::uint8_t frameMarker, int scans);

// A baseline JPEG of width x height (multiples of 8) in flat colours: pure red left of column
// `split` (a multiple of 8), pure blue from it on. Every block holds its mean alone, so a photo of
// hundreds of megapixels takes a few megabytes and decodes fast.
std::string TwoColourJpeg(std::uint16_t width, std::uint16_t height, std::uint16_t split);

// An Exif segment (APP1) holding the TIFF structure tiff.
std::string ExifSegment(const std::string& tiff);

// The TIFF structure of a camera's Exif segment: a first directory with the orientation, linked
// to a second (the thumbnail's).
std::string ExifTiff(bool bigEndian, std::uint16_t orientation);

// The JPEG with segment put right after its start marker.
std::string WithSegment(const std::string& jpeg, const std::string& segment);

// A screen with one image on it at (left, top), each without colour table or pixels.
std::string Gif(std::uint16_t screenWidth, std::uint16_t screenHeight, std::uint16_t left, std::uint16_t top,
                std::uint16_t width, std::uint16_t height);

// An animation of frames images of width x height on a screen of that size, each with a delay
// and LZW data of every pixel (colour index frame % 4); with tinyData, one code and nothing more.
std::string AnimatedGif(int frames, std::uint16_t width, std::uint16_t height, bool tinyData = false);

std::string BmpInfo(std::int32_t width, std::int32_t height, std::uint16_t bitCount = 24, std::uint32_t coloursUsed = 0);
std::string BmpCore(std::uint16_t width, std::uint16_t height);

// One TIFF directory entry with its values (of a type of 1, 2 or 4 bytes).
struct TiffEntry {
    std::uint16_t Tag;
    std::uint16_t Type; // 1 BYTE, 3 SHORT, 4 LONG
    std::vector<std::uint32_t> Values;
};

// A TIFF of either byte order: data blocks and directories in the order added, each directory
// linked from the one before.
class TiffWriter {
public:
    explicit TiffWriter(bool bigEndian);
    // Appends bytes (pixels) and gives their offset.
    std::uint32_t Data(const std::string& bytes);
    // Appends a directory; entries must come in the order of their tags.
    TiffWriter& Directory(const std::vector<TiffEntry>& entries);
    const std::string& Bytes() const { return bytes_; }

private:
    void Put(std::size_t at, std::uint32_t value, int size);
    void Add(std::uint32_t value, int size);
    bool bigEndian_;
    std::string bytes_;
    std::size_t link_ = 4; // where the next directory's offset goes
};

// An uncompressed 8-bit RGB TIFF of one colour, in strips of rowsPerStrip rows, or in tiles of
// tileSide x tileSide when tileSide is not 0.
std::string RgbTiff(bool bigEndian, std::uint32_t width, std::uint32_t height, std::uint32_t rowsPerStrip,
                    std::uint32_t tileSide = 0, std::uint8_t red = 255);

// A picture of 16 x 16 RGB pixels that declares tiles of 65536 x 65536 (32-bit tile sizes wrap to 0).
std::string HugeTileTiff(bool bigEndian);

// An icon directory with one entry of the listed size pointing at image.
std::string Ico(std::uint8_t listedWidth, std::uint8_t listedHeight, const std::string& image);

// An icon's own bitmap: its height counts the colour rows and the mask rows.
std::string IconDib(std::int32_t width, std::int32_t doubledHeight);

// An enhanced metafile header with inclusive bounds in pixels and a frame in hundredths of a millimetre.
std::string Emf(std::int32_t right, std::int32_t bottom, std::int32_t frameRight, std::int32_t frameBottom);

// A placeable metafile header with its box in units of 1/unitsPerInch, and an empty metafile.
std::string Wmf(std::int16_t right, std::int16_t bottom, std::uint16_t unitsPerInch);

} // namespace lumetta::test
