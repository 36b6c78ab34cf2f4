#include "ImageBytes.h"

#include <algorithm>
#include <cstdlib>

namespace lumetta::test {

namespace {

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

// Codes of a few bits each, packed from the low bit up and cut into data sub-blocks.
class CodePacker {
public:
    void Code(std::uint32_t code, int bits)
    {
        for (int i = 0; i < bits; ++i) {
            current_ |= ((code >> i) & 1u) << filled_;
            if (++filled_ == 8)
                Flush();
        }
    }
    std::string SubBlocks()
    {
        if (filled_ != 0)
            Flush();
        std::string out;
        for (std::size_t at = 0; at < packed_.size(); at += 255) {
            const std::string block = packed_.substr(at, 255);
            out += static_cast<char>(block.size());
            out += block;
        }
        return out + '\0';
    }

private:
    void Flush()
    {
        packed_ += static_cast<char>(current_);
        current_ = 0;
        filled_ = 0;
    }
    std::string packed_;
    std::uint32_t current_ = 0;
    int filled_ = 0;
};

// Huffman-coded bits, packed from the high bit down, a 0xFF byte followed by a stuffed zero.
class EntropyWriter {
public:
    void Bits(std::uint32_t value, int count)
    {
        for (int i = count - 1; i >= 0; --i) {
            current_ = static_cast<std::uint8_t>(current_ << 1 | ((value >> i) & 1u));
            if (++filled_ == 8)
                Flush();
        }
    }
    // To a whole byte with one-bits, as before a restart marker.
    void Align()
    {
        while (filled_ != 0)
            Bits(1, 1);
    }
    void Marker(std::uint8_t marker) { (data_ += '\xFF') += static_cast<char>(marker); }
    const std::string& Data() const { return data_; }

private:
    void Flush()
    {
        data_ += static_cast<char>(current_);
        if (current_ == 0xFF)
            data_ += '\0';
        current_ = 0;
        filled_ = 0;
    }
    std::string data_;
    std::uint8_t current_ = 0;
    int filled_ = 0;
};

} // namespace

std::string TwoColourJpeg(std::uint16_t width, std::uint16_t height, std::uint16_t split)
{
    // Y, Cb, Cr of red and of blue, as DC coefficients with a quantizer of 1: 8 x (value - 128).
    constexpr int red[3] = {8 * (76 - 128), 8 * (85 - 128), 8 * (255 - 128)};
    constexpr int blue[3] = {8 * (29 - 128), 8 * (255 - 128), 8 * (107 - 128)};
    Bytes b;
    b.U16BE(0xFFD8).U16BE(0xFFE0).U16BE(16).Text(std::string_view("JFIF\0\1\1\0\0\1\0\1\0\0", 14));
    b.U16BE(0xFFDB).U16BE(67).U8(0).Text(std::string(64, '\1'));
    b.U16BE(0xFFC0).U16BE(17).U8(8).U16BE(height).U16BE(width).U8(3);
    for (int c = 1; c <= 3; ++c)
        b.U8(c).U8(0x11).U8(0);
    // DC: category 0 is "0"; 8, 9 and 10 are "100", "101", "110"; 11 is "1110". AC: only the
    // end of block, "0".
    b.U16BE(0xFFC4).U16BE(3 + 16 + 5).U8(0x00).U8(1).U8(0).U8(3).U8(1).Zeros(12).U8(0).U8(8).U8(9).U8(10).U8(11);
    b.U16BE(0xFFC4).U16BE(3 + 16 + 1).U8(0x10).U8(1).Zeros(15).U8(0);
    // Each row of blocks is a restart interval of its own, so that each starts from DC 0.
    const int columns = width / 8, rows = height / 8;
    b.U16BE(0xFFDD).U16BE(4).U16BE(static_cast<std::uint32_t>(columns));
    b.U16BE(0xFFDA).U16BE(12).U8(3);
    for (int c = 1; c <= 3; ++c)
        b.U8(c).U8(0x00);
    b.U8(0).U8(63).U8(0);
    EntropyWriter out;
    const auto dc = [&](int difference) {
        static constexpr std::uint32_t codes[] = {0b0, 0, 0, 0, 0, 0, 0, 0, 0b100, 0b101, 0b110, 0b1110};
        static constexpr int lengths[] = {1, 0, 0, 0, 0, 0, 0, 0, 3, 3, 3, 4};
        int category = 0;
        while ((std::abs(difference) >> category) != 0)
            ++category;
        out.Bits(codes[category], lengths[category]);
        // A negative difference is sent as its ones' complement in as many bits.
        out.Bits(static_cast<std::uint32_t>(difference < 0 ? difference + (1 << category) - 1 : difference), category);
        out.Bits(0, 1); // end of block
    };
    for (int row = 0; row < rows; ++row) {
        int previous[3] = {0, 0, 0};
        for (int column = 0; column < columns; ++column) {
            const int* colour = column * 8 < split ? red : blue;
            for (int c = 0; c < 3; ++c) {
                dc(colour[c] - previous[c]);
                previous[c] = colour[c];
            }
        }
        out.Align();
        if (row + 1 < rows)
            out.Marker(static_cast<std::uint8_t>(0xD0 + row % 8));
    }
    return b.Append(out.Data()).U16BE(0xFFD9).Data();
}

std::string Png(std::uint32_t width, std::uint32_t height)
{
    const std::string ihdr = Bytes().Text("IHDR").U32BE(width).U32BE(height).U8(8).U8(2).Zeros(3).Data();
    return Bytes().Text("\x89PNG\r\n\x1A\n").U32BE(13).Append(ihdr).U32BE(Crc32(ihdr)).Data();
}

std::string JpegHeaders(std::uint16_t width, std::uint16_t height, std::uint8_t frameMarker, int scans)
{
    Bytes b;
    b.U16BE(0xFFD8).U16BE(0xFFE0).U16BE(16).Text(std::string_view("JFIF\0\1\1\0\0\1\0\1\0\0", 14));
    b.U8(0xFF).U8(frameMarker).U16BE(17).U8(8).U16BE(height).U16BE(width).U8(3);
    b.U8(1).U8(0x22).U8(0).U8(2).U8(0x11).U8(1).U8(3).U8(0x11).U8(1);
    for (int i = 0; i < scans; ++i)
        b.U16BE(0xFFDA).U16BE(8).U8(1).U8(1 + i % 3).U8(0).U8(0).U8(0).U8(0).U8(0x55); // and one byte of data
    return b.U16BE(0xFFD9).Data();
}

std::string ExifSegment(const std::string& tiff)
{
    return Bytes().U16BE(0xFFE1).U16BE(static_cast<std::uint32_t>(2 + 6 + tiff.size())).Text(std::string_view("Exif\0\0", 6))
        .Append(tiff).Data();
}

std::string ExifTiff(bool bigEndian, std::uint16_t orientation)
{
    return TiffWriter(bigEndian)
        .Directory({{274, 3, {orientation}}, {296, 3, {2}}})
        .Directory({{259, 3, {6}}, {513, 4, {0}}, {514, 4, {0}}})
        .Bytes();
}

std::string WithSegment(const std::string& jpeg, const std::string& segment)
{
    return jpeg.substr(0, 2) + segment + jpeg.substr(2);
}

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

std::string AnimatedGif(int frames, std::uint16_t width, std::uint16_t height, bool tinyData)
{
    constexpr std::uint32_t clear = 4, end = 5;
    Bytes b;
    b.Text("GIF89a").U16(width).U16(height).U8(0x81).U8(0).U8(0);
    b.U8(255).U8(0).U8(0).U8(0).U8(255).U8(0).U8(0).U8(0).U8(255).U8(255).U8(255).U8(255); // four colours
    b.U8(0x21).U8(0xFF).U8(11).Text("NETSCAPE2.0").U8(3).U8(1).U16(0).U8(0);
    for (int frame = 0; frame < frames; ++frame) {
        b.U8(0x21).U8(0xF9).U8(4).U8(0).U16(10).U8(0).U8(0);
        b.U8(0x2C).U16(0).U16(0).U16(width).U16(height).U8(0).U8(2);
        if (tinyData) {
            b.U8(1).U8(clear).U8(0);
            continue;
        }
        // A clear code before every second pixel keeps every code at 3 bits.
        CodePacker codes;
        const std::uint64_t pixels = std::uint64_t{width} * height;
        for (std::uint64_t i = 0; i < pixels; ++i) {
            if (i % 2 == 0)
                codes.Code(clear, 3);
            codes.Code(static_cast<std::uint32_t>(frame % 4), 3);
        }
        codes.Code(end, 3);
        b.Append(codes.SubBlocks());
    }
    return b.U8(0x3B).Data();
}

std::string BmpInfo(std::int32_t width, std::int32_t height, std::uint16_t bitCount, std::uint32_t coloursUsed)
{
    return Bytes().Text("BM").U32(54).U32(0).U32(54)
        .U32(40).U32(static_cast<std::uint32_t>(width)).U32(static_cast<std::uint32_t>(height)).U16(1).U16(bitCount)
        .Zeros(16).U32(coloursUsed).U32(0)
        .Data();
}

std::string BmpCore(std::uint16_t width, std::uint16_t height)
{
    return Bytes().Text("BM").U32(26).U32(0).U32(26).U32(12).U16(width).U16(height).U16(1).U16(24).Data();
}

TiffWriter::TiffWriter(bool bigEndian) : bigEndian_(bigEndian), bytes_(bigEndian ? std::string("MM\0*", 4) : std::string("II*\0", 4))
{
    Add(0, 4);
}

void TiffWriter::Put(std::size_t at, std::uint32_t value, int size)
{
    for (int i = 0; i < size; ++i)
        bytes_[at + i] = static_cast<char>(value >> (8 * (bigEndian_ ? size - 1 - i : i)));
}

void TiffWriter::Add(std::uint32_t value, int size)
{
    bytes_.append(static_cast<std::size_t>(size), '\0');
    Put(bytes_.size() - size, value, size);
}

std::uint32_t TiffWriter::Data(const std::string& bytes)
{
    if (bytes_.size() % 2)
        bytes_ += '\0';
    const auto at = static_cast<std::uint32_t>(bytes_.size());
    bytes_ += bytes;
    return at;
}

TiffWriter& TiffWriter::Directory(const std::vector<TiffEntry>& entries)
{
    const auto sizeOf = [](const TiffEntry& e) { return e.Type == 1 ? 1 : e.Type == 3 ? 2 : 4; };
    std::vector<std::uint32_t> outside(entries.size(), 0);
    for (std::size_t i = 0; i < entries.size(); ++i) {
        if (sizeOf(entries[i]) * entries[i].Values.size() <= 4)
            continue;
        outside[i] = Data("");
        for (std::uint32_t v : entries[i].Values)
            Add(v, sizeOf(entries[i]));
    }
    const std::uint32_t directory = Data("");
    Put(link_, directory, 4);
    Add(static_cast<std::uint32_t>(entries.size()), 2);
    for (std::size_t i = 0; i < entries.size(); ++i) {
        const TiffEntry& e = entries[i];
        Add(e.Tag, 2);
        Add(e.Type, 2);
        Add(static_cast<std::uint32_t>(e.Values.size()), 4);
        if (outside[i] != 0 || e.Values.empty()) {
            Add(outside[i], 4);
            continue;
        }
        const std::size_t start = bytes_.size();
        for (std::uint32_t v : e.Values)
            Add(v, sizeOf(e));
        bytes_.append(4 - (bytes_.size() - start), '\0');
    }
    link_ = bytes_.size();
    Add(0, 4);
    return *this;
}

std::string RgbTiff(bool bigEndian, std::uint32_t width, std::uint32_t height, std::uint32_t rowsPerStrip,
                    std::uint32_t tileSide, std::uint8_t red)
{
    TiffWriter tiff(bigEndian);
    const auto pixels = [&](std::uint64_t count) {
        std::string out;
        for (std::uint64_t i = 0; i < count; ++i)
            out += std::string{static_cast<char>(red), '\x40', '\x20'};
        return out;
    };
    std::vector<std::uint32_t> offsets, counts;
    std::vector<TiffEntry> entries{{256, 4, {width}}, {257, 4, {height}}, {258, 3, {8, 8, 8}}, {259, 3, {1}}, {262, 3, {2}}};
    if (tileSide != 0) {
        const std::uint32_t tiles = ((width + tileSide - 1) / tileSide) * ((height + tileSide - 1) / tileSide);
        for (std::uint32_t i = 0; i < tiles; ++i) {
            offsets.push_back(tiff.Data(pixels(std::uint64_t{tileSide} * tileSide)));
            counts.push_back(tileSide * tileSide * 3);
        }
        entries.insert(entries.end(), {{277, 3, {3}}, {284, 3, {1}}, {322, 4, {tileSide}}, {323, 4, {tileSide}},
                                       {324, 4, offsets}, {325, 4, counts}});
    } else {
        for (std::uint32_t row = 0; row < height; row += rowsPerStrip) {
            const std::uint32_t rows = std::min(rowsPerStrip, height - row);
            offsets.push_back(tiff.Data(pixels(std::uint64_t{rows} * width)));
            counts.push_back(rows * width * 3);
        }
        entries.insert(entries.end(), {{273, 4, offsets}, {277, 3, {3}}, {278, 4, {rowsPerStrip}}, {279, 4, counts},
                                       {284, 3, {1}}});
    }
    tiff.Directory(entries);
    return tiff.Bytes();
}

std::string HugeTileTiff(bool bigEndian)
{
    TiffWriter tiff(bigEndian);
    const std::uint32_t pixels = tiff.Data(std::string(16 * 16 * 3, '\x7F'));
    return tiff
        .Directory({{256, 3, {16}}, {257, 3, {16}}, {258, 3, {8, 8, 8}}, {259, 3, {1}}, {262, 3, {2}}, {277, 3, {3}},
                    {322, 4, {65536}}, {323, 4, {65536}}, {324, 4, {pixels}}, {325, 4, {16 * 16 * 3}}})
        .Bytes();
}

std::string Ico(std::uint8_t listedWidth, std::uint8_t listedHeight, const std::string& image)
{
    return Bytes().U16(0).U16(1).U16(1)
        .U8(listedWidth).U8(listedHeight).U8(0).U8(0).U16(1).U16(32).U32(static_cast<std::uint32_t>(image.size())).U32(22)
        .Append(image)
        .Data();
}

std::string IconDib(std::int32_t width, std::int32_t doubledHeight)
{
    return Bytes().U32(40).U32(static_cast<std::uint32_t>(width)).U32(static_cast<std::uint32_t>(doubledHeight))
        .U16(1).U16(32).Zeros(24).Data();
}

std::string Emf(std::int32_t right, std::int32_t bottom, std::int32_t frameRight, std::int32_t frameBottom)
{
    return Bytes().U32(1).U32(108).U32(0).U32(0).U32(static_cast<std::uint32_t>(right)).U32(static_cast<std::uint32_t>(bottom))
        .U32(0).U32(0).U32(static_cast<std::uint32_t>(frameRight)).U32(static_cast<std::uint32_t>(frameBottom))
        .Text(" EMF").U32(0x10000).U32(108).U32(1).U16(1).U16(0).Zeros(48)
        .Data();
}

std::string Wmf(std::int16_t right, std::int16_t bottom, std::uint16_t unitsPerInch)
{
    return Bytes().U32(0x9AC6CDD7).U16(0).U16(0).U16(0).U16(static_cast<std::uint16_t>(right))
        .U16(static_cast<std::uint16_t>(bottom)).U16(unitsPerInch).U32(0).U16(0)
        .U16(1).U16(9).U16(0x300).U32(12).U16(0).U32(3).U16(0) // the metafile's own header
        .U32(3).U16(0)                                           // and its end record
        .Data();
}

} // namespace lumetta::test
