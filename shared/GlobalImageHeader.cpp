// Header fields that size a decoder's buffers or loops, and how each is judged before a decoder
// runs. The caller limits the pixels (every image of a file, all frames together); the rest is here,
// and a file past any bound below is refused (BuffersFit false). A buffer is refused past 1 GiB
// and a row past 2^31 bits, where the decoders' 32-bit sizes wrap.
//  JPEG  frame size at 16 bits a component where the decoder keeps every coefficient (a
//        progressive picture, or more than one scan), else at 8 bits a component (its output);
//        components 1 to 4; scans at most 256, the decoder passing over the whole picture for each
//        (real encoders write about 10); the walk to the end at most 1 GiB.
//  PNG   size, bit depth and colour type (valid pairs only; rows of up to 64 bits a pixel);
//        palette and compressed chunks are bounded by the reader itself.
//  GIF   screen and every image on it (the decoder keeps every frame: their pixels are summed);
//        at most 65536 images and 65536 extensions (one record each), 2^24 data sub-blocks;
//        LZW code size at most 8 (the decoder's code table holds 12 bits); colour tables follow
//        from 3 bits and are at most 768 bytes.
//  BMP   size and bit count (rows of the file's bits or the decoder's 32, whichever is wider);
//        colours used at most 256 (the decoder reads that many palette entries).
//  TIFF  every directory of the chain (at most 1024, each once, 65536 entries in all), since
//        the decoder may show any: size, bits per sample (at most 64; a palette at most 8) times
//        samples; tiles no larger than the picture (to a multiple of 16) or 1024, whichever is
//        larger, and within one buffer; strips of rows per strip (cut at the picture's height)
//        times the row; at most 2^20 tiles or strips (the reader keeps an offset and a length
//        for each).
//  ICO   at most 1024 entries, each lying inside the file with its picture's header inside the
//        entry; the picture's own size, not the listed one, sizes the decoder's buffer (4 bytes
//        a pixel): both count. An embedded PNG or BMP is judged as above.
//  EMF   bounds and frame; the record bytes (nBytes) inside the file, the header, description
//        and pixel format inside them, at most one record for every 8 bytes.
//  WMF   placeable box; the metafile (mtSize) inside the file and its largest record
//        (mtMaxRecord, a buffer for playing) inside the metafile.
// The orientation (a JPEG's first Exif segment before its scans, a TIFF's first directory) changes
// no size here; the walk for it stays inside the Exif segment, and any fault gives no orientation.
#include "shared/GlobalImageHeader.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <utility>
#include <vector>

namespace lumetta {

namespace {

constexpr std::uint64_t BufferByteLimit = std::uint64_t{1} << 30;
constexpr std::uint64_t RowBitLimit = std::uint64_t{1} << 31;

// a x b, or nothing past limit.
std::optional<std::uint64_t> ProductWithin(std::uint64_t a, std::uint64_t b, std::uint64_t limit)
{
    if (b != 0 && a > limit / b)
        return std::nullopt;
    return a * b;
}

// Whether height rows of width pixels at bitsPerPixel fit one decoder buffer, each row padded
// to whole 32-bit words.
bool BufferFits(std::uint64_t width, std::uint64_t height, std::uint64_t bitsPerPixel)
{
    const std::optional<std::uint64_t> rowBits = ProductWithin(width, bitsPerPixel, RowBitLimit);
    return rowBits && ProductWithin((*rowBits + 31) / 32 * 4, height, BufferByteLimit);
}

std::uint64_t CeilDiv(std::uint64_t a, std::uint64_t b) { return a / b + (a % b != 0); }

// Fixed-size fields at offsets; any read past the end leaves Ok() false for good.
class FieldReader {
public:
    explicit FieldReader(ByteSource& bytes) : bytes_(bytes) {}

    bool Ok() const { return ok_; }
    ByteSource& Source() const { return bytes_; }

    std::uint8_t U8(std::uint64_t offset) { return static_cast<std::uint8_t>(Read(offset, 1, false)); }
    std::uint16_t U16(std::uint64_t offset, bool bigEndian = false)
    {
        return static_cast<std::uint16_t>(Read(offset, 2, bigEndian));
    }
    std::uint32_t U32(std::uint64_t offset, bool bigEndian = false)
    {
        return static_cast<std::uint32_t>(Read(offset, 4, bigEndian));
    }
    std::int32_t I32(std::uint64_t offset) { return static_cast<std::int32_t>(U32(offset)); }
    std::int16_t I16(std::uint64_t offset) { return static_cast<std::int16_t>(U16(offset)); }

    // A signature test: bytes that are not there simply do not match.
    bool Matches(std::uint64_t offset, std::string_view expected)
    {
        std::array<char, 16> got{};
        return ok_ && expected.size() <= got.size() && bytes_.ReadAt(offset, got.data(), expected.size()) &&
               std::string_view(got.data(), expected.size()) == expected;
    }

    // Whether the byte at offset is there; a failed look leaves Ok() as it was.
    bool Has(std::uint64_t offset)
    {
        std::uint8_t byte = 0;
        return bytes_.ReadAt(offset, &byte, 1);
    }

    // Whether the count bytes from offset are all there (none are for a count of 0).
    bool HasRange(std::uint64_t offset, std::uint64_t count)
    {
        return count != 0 && offset <= UINT64_MAX - count && Has(offset) && Has(offset + count - 1);
    }

    // Where the next byte of the value is from offset up to end, read in blocks; nothing when
    // the bytes end first.
    std::optional<std::uint64_t> Find(std::uint64_t offset, std::uint64_t end, std::uint8_t value)
    {
        std::array<std::uint8_t, 4096> block{};
        while (offset < end) {
            const std::size_t got =
                bytes_.ReadUpTo(offset, block.data(), static_cast<std::size_t>(std::min<std::uint64_t>(block.size(), end - offset)));
            if (got == 0)
                return std::nullopt;
            if (const void* at = std::memchr(block.data(), value, got))
                return offset + static_cast<std::uint64_t>(static_cast<const std::uint8_t*>(at) - block.data());
            offset += got;
        }
        return std::nullopt;
    }

private:
    std::uint32_t Read(std::uint64_t offset, std::size_t size, bool bigEndian)
    {
        std::uint8_t raw[4] = {};
        if (!ok_ || !bytes_.ReadAt(offset, raw, size)) {
            ok_ = false;
            return 0;
        }
        std::uint32_t value = 0;
        for (std::size_t i = 0; i < size; ++i)
            value |= std::uint32_t{raw[bigEndian ? size - 1 - i : i]} << (8 * i);
        return value;
    }

    ByteSource& bytes_;
    bool ok_ = true;
};

// Bytes of another source from start, length long, read from offset 0.
class WindowSource : public ByteSource {
public:
    WindowSource(ByteSource& bytes, std::uint64_t start, std::uint64_t length)
        : bytes_(bytes), start_(start), length_(length)
    {
    }
    bool ReadAt(std::uint64_t offset, void* out, std::size_t size) override
    {
        return offset <= length_ && size <= length_ - offset && bytes_.ReadAt(start_ + offset, out, size);
    }
    std::size_t ReadUpTo(std::uint64_t offset, void* out, std::size_t size) override
    {
        if (offset >= length_)
            return 0;
        return bytes_.ReadUpTo(start_ + offset, out, static_cast<std::size_t>(std::min<std::uint64_t>(size, length_ - offset)));
    }

private:
    ByteSource& bytes_;
    std::uint64_t start_;
    std::uint64_t length_;
};

using Size = std::optional<DeclaredSize>;

std::uint8_t TiffOrientation(ByteSource& bytes);

// The orientation an APP1 segment at pos, length bytes long, gives when it is an Exif segment;
// nothing for any other APP1 segment. The walk stays inside the segment.
std::optional<std::uint8_t> ExifOrientation(FieldReader& in, std::uint64_t pos, std::uint64_t length)
{
    constexpr std::string_view signature("Exif\0\0", 6);
    constexpr std::uint64_t headerLength = 2 + signature.size(); // the length field and the signature
    if (length <= headerLength || !in.Matches(pos + 2, signature))
        return std::nullopt;
    WindowSource tiff(in.Source(), pos + headerLength, length - headerLength);
    return TiffOrientation(tiff);
}

// The size read so far of a file whose other fields the decoder must not see.
Size Refused(std::uint64_t width, std::uint64_t height) { return DeclaredSize{width, height, 0, false}; }

Size Checked(FieldReader& in, std::uint64_t width, std::uint64_t height)
{
    if (!in.Ok())
        return std::nullopt;
    return DeclaredSize{width, height};
}

constexpr std::string_view PngSignature("\x89PNG\r\n\x1A\n", 8);
constexpr std::uint64_t PngHeaderLength = 33; // the signature and the whole IHDR chunk

// The IHDR chunk, which must come first, with a bit depth its colour type allows.
Size PngSize(FieldReader& in, std::uint64_t start)
{
    if (!in.Matches(start, PngSignature) || in.U32(start + 8, true) != 13 || !in.Matches(start + 12, "IHDR"))
        return std::nullopt;
    const std::uint32_t width = in.U32(start + 16, true), height = in.U32(start + 20, true);
    const std::uint8_t depth = in.U8(start + 24), colourType = in.U8(start + 25);
    const bool anyDepth = depth == 1 || depth == 2 || depth == 4 || depth == 8 || depth == 16;
    std::uint64_t channels = 0;
    switch (colourType) {
    case 0: channels = anyDepth ? 1 : 0; break;
    case 3: channels = anyDepth && depth <= 8 ? 1 : 0; break;
    case 2: case 4: case 6:
        channels = depth == 8 || depth == 16 ? (colourType == 2 ? 3 : colourType == 4 ? 2 : 4) : 0;
        break;
    default: break;
    }
    if (!in.Ok() || channels == 0)
        return std::nullopt;
    return BufferFits(width, height, channels * depth) ? Checked(in, width, height) : Refused(width, height);
}

// What the frame header and the scans say about the decoder's buffers.
struct JpegFrame {
    std::uint8_t Components = 0;
    bool Progressive = false;
    int Scans = 0;
};

// The frame header of `length` bytes at pos (after the marker): the picture's size, judged by the
// decoder's output; nothing where the header is damaged.
Size JpegFrameSize(FieldReader& in, std::uint64_t pos, std::uint16_t length, std::uint8_t marker, JpegFrame& frame)
{
    const std::uint16_t height = in.U16(pos + 3, true), width = in.U16(pos + 5, true);
    const std::uint8_t components = in.U8(pos + 7);
    if (!in.Ok() || components == 0 || length < 8 + 3 * components)
        return std::nullopt;
    if (components > 4 || !BufferFits(width, height, 8 * std::uint64_t{components}))
        return Refused(width, height);
    frame.Components = components;
    frame.Progressive = marker == 0xC2 || marker == 0xC6 || marker == 0xCA || marker == 0xCE;
    return DeclaredSize{width, height};
}

// The first frame header, then every scan to the end of the picture. Bytes between segments are
// skipped as the decoder skips them, within a budget, until the frame header; after it, the
// entropy-coded data runs to the next marker. A scan or the end of the picture before any frame
// header means no size; a file that ends early keeps the size it declared. The first Exif segment
// before the scans gives the orientation.
Size WalkJpeg(FieldReader& in, JpegFrame& frame)
{
    constexpr std::uint64_t strayBudget = 1 << 20;
    constexpr std::uint64_t walkLimit = std::uint64_t{1} << 30;
    constexpr int segmentLimit = 1 << 16;
    constexpr int scanLimit = 256;
    Size size;
    int& scans = frame.Scans;
    int segments = 0;
    std::uint64_t pos = 2, stray = 0;
    std::optional<std::uint8_t> orientation;
    for (;;) {
        if (!size) {
            while (in.U8(pos) != 0xFF) {
                if (!in.Ok() || ++stray > strayBudget)
                    return std::nullopt;
                ++pos;
            }
        } else {
            const std::optional<std::uint64_t> marker = in.Find(pos, walkLimit, 0xFF);
            if (!marker)
                return in.Has(std::max(pos, walkLimit)) ? Refused(size->Width, size->Height) : size; // too long, or the end
            pos = *marker;
        }
        std::uint8_t marker = 0xFF;
        while (marker == 0xFF) { // fill bytes
            if (!size && ++stray > strayBudget)
                return std::nullopt;
            marker = in.U8(++pos);
            if (!in.Ok())
                return size;
        }
        ++pos;
        // Stuffed zeros and restart markers inside a scan, and markers without a length.
        const bool standalone = marker == 0x00 || marker == 0x01 || marker == 0xD8 || (marker >= 0xD0 && marker <= 0xD7);
        if (standalone)
            continue;
        if (marker == 0xD9)
            return size;
        if (!size && marker == 0xDA)
            return std::nullopt;
        const std::uint16_t length = in.U16(pos, true);
        if (!in.Ok())
            return size;
        if (length < 2)
            return std::nullopt;
        if (++segments > segmentLimit)
            return size ? Refused(size->Width, size->Height) : std::nullopt;
        const bool frameHeader = marker >= 0xC0 && marker <= 0xCF && marker != 0xC4 && marker != 0xC8 && marker != 0xCC;
        if (frameHeader) {
            if (size)
                return size; // the decoder stops at a second frame header
            size = JpegFrameSize(in, pos, length, marker, frame);
            if (!size || !size->BuffersFit)
                return size;
            size->Orientation = orientation.value_or(1);
        } else if (marker == 0xDA && ++scans > scanLimit) {
            return Refused(size->Width, size->Height);
        } else if (marker == 0xE1 && scans == 0 && !orientation) {
            orientation = ExifOrientation(in, pos, length);
            if (size && orientation)
                size->Orientation = *orientation;
        }
        pos += length;
    }
}

// A picture decoded in one pass needs its output; one decoded scan by scan keeps every
// coefficient as well, at 16 bits a component.
Size JpegSize(FieldReader& in)
{
    JpegFrame frame;
    Size size = WalkJpeg(in, frame);
    if (size && size->BuffersFit && (frame.Progressive || frame.Scans > 1) &&
        !BufferFits(size->Width, size->Height, 16 * std::uint64_t{frame.Components}))
        size->BuffersFit = false;
    return size;
}

// The logical screen and every image on it, walked block by block to the trailer; an image
// that reaches past the screen widens the size, and every image's pixels count for the frames.
Size GifSize(FieldReader& in)
{
    constexpr int frameLimit = 1 << 16, extensionLimit = 1 << 16;
    constexpr std::uint64_t subBlockLimit = 1 << 24;
    std::uint64_t width = in.U16(6), height = in.U16(8), framePixels = 0, subBlocks = 0;
    const std::uint8_t flags = in.U8(10);
    if (!in.Ok())
        return std::nullopt;
    std::uint64_t pos = 13;
    int frames = 0, extensions = 0;
    const auto colourTable = [](std::uint8_t packed) -> std::uint64_t {
        return (packed & 0x80) ? 3u << ((packed & 7) + 1) : 0;
    };
    const auto skipSubBlocks = [&] {
        for (std::uint8_t length = in.U8(pos++); length != 0 && in.Ok() && subBlocks <= subBlockLimit;
             length = in.U8(pos++)) {
            pos += length;
            ++subBlocks;
        }
    };
    pos += colourTable(flags);
    while (in.Ok()) {
        const std::uint8_t block = in.U8(pos++);
        if (!in.Ok())
            break; // no trailer: the images so far are all there is
        if (block == 0x2C) {
            const std::uint64_t imageWidth = in.U16(pos + 4), imageHeight = in.U16(pos + 6);
            const std::uint64_t right = in.U16(pos) + imageWidth, bottom = in.U16(pos + 2) + imageHeight;
            const std::uint8_t packed = in.U8(pos + 8);
            if (!in.Ok())
                return std::nullopt;
            if (++frames > frameLimit)
                return Refused(width, height);
            width = std::max(width, right);
            height = std::max(height, bottom);
            framePixels += imageWidth * imageHeight;
            pos += 9 + colourTable(packed);
            const std::uint8_t codeSize = in.U8(pos++);
            if (in.Ok() && codeSize > 8)
                return Refused(width, height);
            skipSubBlocks();
        } else if (block == 0x21) {
            if (++extensions > extensionLimit)
                return Refused(width, height);
            ++pos; // the label
            skipSubBlocks();
        } else {
            break; // the trailer, or something no decoder reads past
        }
        if (subBlocks > subBlockLimit)
            return Refused(width, height);
    }
    return DeclaredSize{width, height, framePixels};
}

// Both header versions: the old one with 16-bit sizes, and every later one with 32-bit sizes
// (negative height: rows top down).
Size BmpSize(FieldReader& in, std::uint64_t start)
{
    const std::uint32_t headerSize = in.U32(start);
    std::uint64_t width = 0, height = 0, bitCount = 0, coloursUsed = 0;
    if (headerSize == 12) {
        width = in.U16(start + 4);
        height = in.U16(start + 6);
        bitCount = in.U16(start + 10);
    } else if (headerSize >= 16) {
        const std::int64_t signedWidth = in.I32(start + 4), signedHeight = in.I32(start + 8);
        if (signedWidth < 0)
            return std::nullopt;
        width = static_cast<std::uint64_t>(signedWidth);
        height = static_cast<std::uint64_t>(signedHeight < 0 ? -signedHeight : signedHeight);
        bitCount = in.U16(start + 14);
        if (headerSize >= 36)
            coloursUsed = in.U32(start + 32);
    } else {
        return std::nullopt;
    }
    if (!in.Ok())
        return std::nullopt;
    if (coloursUsed > 256 || !BufferFits(width, height, std::max<std::uint64_t>(bitCount, 32)))
        return Refused(width, height);
    return Checked(in, width, height);
}

// One directory's fields that size the decoder's buffers.
struct TiffImage {
    std::uint64_t Width = 0, Height = 0;
    bool HasWidth = false, HasHeight = false;
    std::uint64_t BitsPerSample = 1, Samples = 1, RowsPerStrip = UINT32_MAX, Planar = 1;
    std::uint64_t TileWidth = 0, TileLength = 0;
    bool Palette = false;
};

// Entries of one byte order; an integer value of any integer type the reader accepts.
class TiffFields {
public:
    TiffFields(FieldReader& in, bool bigEndian) : in_(in), bigEndian_(bigEndian) {}
    std::uint16_t U16(std::uint64_t offset) { return in_.U16(offset, bigEndian_); }
    std::uint32_t U32(std::uint64_t offset) { return in_.U32(offset, bigEndian_); }

    // The entry's first value; nothing for a type that is no integer, no value or a negative one.
    std::optional<std::uint64_t> Value(std::uint64_t entry)
    {
        const std::uint16_t type = U16(entry + 2);
        const std::uint32_t count = U32(entry + 4);
        std::uint64_t size = 0;
        switch (type) {
        case 1: case 6: size = 1; break;   // BYTE, SBYTE
        case 3: case 8: size = 2; break;   // SHORT, SSHORT
        case 4: case 9: case 13: size = 4; break; // LONG, SLONG, IFD
        case 16: case 17: case 18: size = 8; break; // LONG8, SLONG8, IFD8
        default: return std::nullopt;
        }
        if (count == 0 || !in_.Ok())
            return std::nullopt;
        const std::uint64_t at = size * count <= 4 ? entry + 8 : U32(entry + 8);
        std::uint64_t value = 0;
        bool negative = false;
        switch (size) {
        case 1: value = in_.U8(at); negative = type == 6 && value >= 0x80; break;
        case 2: value = U16(at); negative = type == 8 && value >= 0x8000; break;
        case 4: value = U32(at); negative = type == 9 && value >= 0x80000000u; break;
        default: {
            const std::uint64_t first = U32(at), second = U32(at + 4);
            value = bigEndian_ ? (first << 32 | second) : (second << 32 | first);
            negative = type == 17 && value >> 63;
        }
        }
        if (!in_.Ok() || negative)
            return std::nullopt;
        return value;
    }

private:
    FieldReader& in_;
    bool bigEndian_;
};

// The Orientation tag (274) of a TIFF structure's first directory: a single SHORT of 1 to 8.
// The whole chain of directories is walked as well, each inside the bytes and read once; a chain
// that does not hold together, like a tag of any other form, gives 1. The reading has its own
// reader, so that nothing here changes what the size reading sees.
std::uint8_t TiffOrientation(ByteSource& bytes)
{
    constexpr std::size_t directoryLimit = 1024;
    constexpr std::uint16_t orientationTag = 274, shortType = 3;
    FieldReader in(bytes);
    const bool bigEndian = in.Matches(0, std::string_view("MM\0*", 4));
    if (!bigEndian && !in.Matches(0, std::string_view("II*\0", 4)))
        return 1;
    TiffFields fields(in, bigEndian);
    std::uint8_t orientation = 1;
    std::vector<std::uint64_t> seen;
    for (std::uint64_t directory = fields.U32(4); directory != 0 && in.Ok();) {
        if (seen.size() == directoryLimit || std::find(seen.begin(), seen.end(), directory) != seen.end())
            return 1;
        seen.push_back(directory);
        const std::uint16_t count = fields.U16(directory);
        const std::uint64_t next = directory + 2 + 12 * std::uint64_t{count};
        if (!in.Ok() || !in.HasRange(directory, next + 4 - directory))
            return 1;
        for (std::uint32_t i = 0; seen.size() == 1 && i < count; ++i) {
            const std::uint64_t entry = directory + 2 + 12 * std::uint64_t{i};
            if (fields.U16(entry) != orientationTag)
                continue;
            const std::uint16_t value = fields.U16(entry + 8);
            if (fields.U16(entry + 2) != shortType || fields.U32(entry + 4) != 1 || value < 1 || value > 8)
                return 1;
            orientation = static_cast<std::uint8_t>(value);
            break;
        }
        directory = fields.U32(next);
    }
    return in.Ok() && !seen.empty() ? orientation : 1;
}

// Whether the decoder's buffers for one directory stay within bounds: the whole picture, each
// tile or strip, and the list of tiles or strips.
bool TiffBuffersFit(const TiffImage& image)
{
    constexpr std::uint64_t chunkLimit = 1 << 20;
    if (image.BitsPerSample > 64 || image.Samples > 0xFFFF || (image.Palette && image.BitsPerSample > 8))
        return false;
    const std::uint64_t bits = std::max<std::uint64_t>(image.BitsPerSample, 8) * image.Samples;
    if (!BufferFits(image.Width, image.Height, bits))
        return false;
    const std::uint64_t planes = image.Planar == 2 ? image.Samples : 1;
    if (image.TileWidth != 0 || image.TileLength != 0) {
        const auto tileSideFits = [](std::uint64_t tile, std::uint64_t side) {
            return tile != 0 && tile <= std::max<std::uint64_t>(CeilDiv(side, 16) * 16, 1024);
        };
        if (!tileSideFits(image.TileWidth, image.Width) || !tileSideFits(image.TileLength, image.Height) ||
            !BufferFits(image.TileWidth, image.TileLength, bits))
            return false;
        const std::uint64_t tiles = CeilDiv(image.Width, image.TileWidth) * CeilDiv(image.Height, image.TileLength);
        return ProductWithin(tiles, planes, chunkLimit).has_value();
    }
    if (image.RowsPerStrip == 0)
        return false;
    const std::uint64_t rows = std::min(image.RowsPerStrip, image.Height);
    if (!BufferFits(image.Width, rows, bits))
        return false;
    return rows == 0 || ProductWithin(CeilDiv(image.Height, rows), planes, chunkLimit).has_value();
}

// Every directory of the chain, each read once; the size is the largest width and height of
// any of them. A chain that points back at a directory read before, or at a directory that is
// not there at all, ends there for the decoder as well.
Size TiffSize(FieldReader& in, bool bigEndian)
{
    constexpr int directoryLimit = 1024;
    constexpr std::uint64_t entryLimit = 1 << 16;
    TiffFields fields(in, bigEndian);
    std::vector<std::uint64_t> seen;
    std::uint64_t directory = fields.U32(4), entries = 0;
    DeclaredSize size;
    while (directory != 0) {
        if (!seen.empty() && (!in.Has(directory) || std::find(seen.begin(), seen.end(), directory) != seen.end()))
            break;
        if (seen.size() == directoryLimit)
            return Refused(size.Width, size.Height);
        seen.push_back(directory);
        const std::uint16_t count = fields.U16(directory);
        entries += count;
        if (entries > entryLimit)
            return Refused(size.Width, size.Height);
        TiffImage image;
        for (std::uint32_t i = 0; i < count && in.Ok(); ++i) {
            const std::uint64_t entry = directory + 2 + 12 * std::uint64_t{i};
            const std::uint16_t tag = fields.U16(entry);
            std::uint64_t* field = nullptr;
            switch (tag) {
            case 256: field = &image.Width; image.HasWidth = true; break;
            case 257: field = &image.Height; image.HasHeight = true; break;
            case 258: field = &image.BitsPerSample; break;
            case 262: image.Palette = image.Palette || fields.Value(entry) == 3; break;
            case 277: field = &image.Samples; break;
            case 278: field = &image.RowsPerStrip; break;
            case 284: field = &image.Planar; break;
            case 322: field = &image.TileWidth; break;
            case 323: field = &image.TileLength; break;
            default: break;
            }
            if (!field)
                continue;
            const std::optional<std::uint64_t> value = fields.Value(entry);
            if (!value)
                return std::nullopt;
            // A tag given twice counts with its larger value; rows per strip replace the default.
            *field = tag == 278 && *field == UINT32_MAX ? *value : std::max(*field, *value);
        }
        if (!in.Ok() || !image.HasWidth || !image.HasHeight)
            return std::nullopt;
        size.Width = std::max(size.Width, image.Width);
        size.Height = std::max(size.Height, image.Height);
        if (!TiffBuffersFit(image))
            return Refused(size.Width, size.Height);
        const std::uint64_t next = directory + 2 + 12 * std::uint64_t{count};
        if (!in.HasRange(next, 4))
            break;
        directory = fields.U32(next);
    }
    if (seen.empty())
        return std::nullopt;
    return Checked(in, size.Width, size.Height);
}

// Every entry of the directory, and the picture each one points at: a PNG, or a bitmap whose
// height counts the colour and the mask rows. A directory longer than any real icon's is refused
// rather than followed to every corner of the file.
Size IcoSize(FieldReader& in)
{
    constexpr std::uint16_t entryLimit = 1024;
    const std::uint16_t count = in.U16(4);
    if (count == 0 || count > entryLimit)
        return std::nullopt;
    DeclaredSize size;
    for (std::uint32_t i = 0; i < count && in.Ok(); ++i) {
        const std::uint64_t entry = 6 + 16 * std::uint64_t{i};
        const std::uint8_t listedWidth = in.U8(entry), listedHeight = in.U8(entry + 1);
        const std::uint64_t length = in.U32(entry + 8), image = in.U32(entry + 12);
        size.Width = std::max<std::uint64_t>(size.Width, listedWidth == 0 ? 256 : listedWidth);
        size.Height = std::max<std::uint64_t>(size.Height, listedHeight == 0 ? 256 : listedHeight);
        const bool png = in.Matches(image, PngSignature);
        const std::uint64_t headerLength = png ? PngHeaderLength : in.U32(image);
        if (!in.Ok() || !in.HasRange(image, length) || headerLength > length)
            return std::nullopt;
        const Size inner = png ? PngSize(in, image) : BmpSize(in, image);
        if (!inner)
            return std::nullopt;
        size.Width = std::max(size.Width, inner->Width);
        size.Height = std::max(size.Height, png ? inner->Height : inner->Height / 2);
        if (!inner->BuffersFit)
            return Refused(size.Width, size.Height);
    }
    return Checked(in, size.Width, size.Height);
}

std::uint64_t Extent(std::int64_t low, std::int64_t high) { return high > low ? static_cast<std::uint64_t>(high - low) : 0; }

// A block of an EMF (offset, length) inside its record bytes; an empty one anywhere.
bool InsideRecords(std::uint64_t offset, std::uint64_t length, std::uint64_t recordBytes)
{
    return length == 0 || (offset <= recordBytes && length <= recordBytes - offset);
}

// The bounds in device pixels (inclusive), and the frame in hundredths of a millimetre taken at
// 96 pixels an inch, whichever is larger.
Size EmfSize(FieldReader& in)
{
    constexpr std::uint64_t hundredthsOfMmPerInch = 2540, pixelsPerInch = 96, smallestHeader = 88;
    const auto frame = [&](std::uint64_t hundredths) {
        return (hundredths * pixelsPerInch + hundredthsOfMmPerInch - 1) / hundredthsOfMmPerInch;
    };
    const std::uint64_t boundsWidth = Extent(in.I32(8), std::int64_t{in.I32(16)} + 1);
    const std::uint64_t boundsHeight = Extent(in.I32(12), std::int64_t{in.I32(20)} + 1);
    const std::uint64_t frameWidth = frame(Extent(in.I32(24), in.I32(32)));
    const std::uint64_t frameHeight = frame(Extent(in.I32(28), in.I32(36)));
    const std::uint64_t headerBytes = in.U32(4), recordBytes = in.U32(48), records = in.U32(52);
    const std::uint64_t descriptionChars = in.U32(60), descriptionOffset = in.U32(64);
    if (!in.Ok() || headerBytes < smallestHeader || headerBytes > recordBytes || !in.HasRange(0, recordBytes) ||
        records > recordBytes / 8 || !InsideRecords(descriptionOffset, 2 * descriptionChars, recordBytes))
        return std::nullopt;
    if (headerBytes >= 100 && !InsideRecords(in.U32(92), in.U32(88), recordBytes))
        return std::nullopt;
    return Checked(in, std::max(boundsWidth, frameWidth), std::max(boundsHeight, frameHeight));
}

// The placeable header's box in its own units per inch, at 96 pixels an inch, and the metafile
// header after it.
Size WmfSize(FieldReader& in)
{
    constexpr std::uint64_t placeableBytes = 22, headerWords = 9;
    const std::uint64_t unitsPerInch = in.U16(14);
    const std::uint16_t type = in.U16(placeableBytes), headerSize = in.U16(placeableBytes + 2);
    const std::uint64_t words = in.U32(placeableBytes + 6), largestRecord = in.U32(placeableBytes + 12);
    if (!in.Ok() || unitsPerInch == 0 || (type != 1 && type != 2) || headerSize != headerWords || words < headerWords ||
        largestRecord > words || !in.HasRange(placeableBytes, 2 * words))
        return std::nullopt;
    const auto pixels = [&](std::uint64_t units) { return (units * 96 + unitsPerInch - 1) / unitsPerInch; };
    return Checked(in, pixels(Extent(in.I16(6), in.I16(10))), pixels(Extent(in.I16(8), in.I16(12))));
}

} // namespace

bool MemorySource::ReadAt(std::uint64_t offset, void* out, std::size_t size)
{
    if (offset > bytes_.size() || size > bytes_.size() - offset)
        return false;
    std::memcpy(out, bytes_.data() + offset, size);
    return true;
}

std::size_t MemorySource::ReadUpTo(std::uint64_t offset, void* out, std::size_t size)
{
    if (offset >= bytes_.size())
        return 0;
    size = std::min<std::size_t>({size, bytes_.size() - static_cast<std::size_t>(offset), chunk_});
    std::memcpy(out, bytes_.data() + offset, size);
    return size;
}

PhotoTurn UprightTurn(std::uint8_t orientation)
{
    // The values name where the stored first row and first column show: 2 mirrored, 3 upside
    // down, 4 upside down and mirrored; 6 and 8 turned a quarter, 5 and 7 also mirrored.
    switch (orientation) {
    case 2: return {0, true};
    case 3: return {2, false};
    case 4: return {2, true};
    case 5: return {1, true};
    case 6: return {1, false};
    case 7: return {3, true};
    case 8: return {3, false};
    default: return {};
    }
}

bool HasPixelsWithin(const DeclaredSize& size, std::uint64_t limit)
{
    return size.BuffersFit && size.Width != 0 && size.Height != 0 && size.Width <= limit &&
           size.Height <= limit / size.Width && size.FramePixels <= limit;
}

std::optional<DeclaredSize> DeclaredImageSize(ByteSource& bytes)
{
    FieldReader in(bytes);
    if (in.Matches(0, "\xFF\xD8"))
        return JpegSize(in);
    if (in.Matches(0, PngSignature))
        return PngSize(in, 0);
    if (in.Matches(0, "GIF87a") || in.Matches(0, "GIF89a"))
        return GifSize(in);
    if (in.Matches(0, "BM"))
        return BmpSize(in, 14);
    const bool littleTiff = in.Matches(0, std::string_view("II*\0", 4));
    if (littleTiff || in.Matches(0, std::string_view("MM\0*", 4))) {
        Size size = TiffSize(in, !littleTiff);
        if (size && size->BuffersFit)
            size->Orientation = TiffOrientation(bytes);
        return size;
    }
    if (in.Matches(0, std::string_view("\0\0\1\0", 4)))
        return IcoSize(in);
    if (in.U32(0) == 1 && in.Matches(40, " EMF"))
        return EmfSize(in);
    if (in.U32(0) == 0x9AC6CDD7)
        return WmfSize(in);
    return std::nullopt;
}

std::optional<DeclaredSize> DeclaredImageSize(std::string_view bytes)
{
    MemorySource source(bytes);
    return DeclaredImageSize(source);
}

} // namespace lumetta
