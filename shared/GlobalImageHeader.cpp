#include "shared/GlobalImageHeader.h"

#include <windows.h>

#include <algorithm>
#include <array>
#include <cstring>
#include <vector>

#include "ui/Handles.h"

namespace lumetta {

namespace {

// Fixed-size fields at offsets; any read past the end leaves Ok() false for good.
class FieldReader {
public:
    explicit FieldReader(ByteSource& bytes) : bytes_(bytes) {}

    bool Ok() const { return ok_; }

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

using Size = std::optional<DeclaredSize>;

Size Checked(FieldReader& in, std::uint64_t width, std::uint64_t height)
{
    if (!in.Ok())
        return std::nullopt;
    return DeclaredSize{width, height};
}

constexpr std::string_view PngSignature("\x89PNG\r\n\x1A\n", 8);

// The IHDR chunk, which must come first.
Size PngSize(FieldReader& in, std::uint64_t start)
{
    if (!in.Matches(start, PngSignature) || in.U32(start + 8, true) != 13 || !in.Matches(start + 12, "IHDR"))
        return std::nullopt;
    return Checked(in, in.U32(start + 16, true), in.U32(start + 20, true));
}

// The first frame header. Bytes between segments are skipped as the decoder skips them, within
// a budget; a scan or the end of the picture before any frame header means no size.
Size JpegSize(FieldReader& in)
{
    constexpr std::uint64_t scanBudget = 1 << 20;
    constexpr int segmentLimit = 1 << 16;
    std::uint64_t pos = 2, scanned = 0;
    for (int segment = 0; segment < segmentLimit; ++segment) {
        while (in.U8(pos) != 0xFF) {
            if (!in.Ok() || ++scanned > scanBudget)
                return std::nullopt;
            ++pos;
        }
        std::uint8_t marker = 0xFF;
        while (marker == 0xFF) { // fill bytes
            if (!in.Ok() || ++scanned > scanBudget)
                return std::nullopt;
            marker = in.U8(++pos);
        }
        ++pos;
        if (!in.Ok())
            return std::nullopt;
        const bool standalone = marker == 0x00 || marker == 0x01 || marker == 0xD8 || (marker >= 0xD0 && marker <= 0xD7);
        if (standalone)
            continue;
        if (marker == 0xD9 || marker == 0xDA)
            return std::nullopt;
        const std::uint16_t length = in.U16(pos, true);
        if (length < 2)
            return std::nullopt;
        const bool frameHeader = marker >= 0xC0 && marker <= 0xCF && marker != 0xC4 && marker != 0xC8 && marker != 0xCC;
        if (frameHeader) {
            if (length < 7)
                return std::nullopt;
            const std::uint16_t height = in.U16(pos + 3, true);
            return Checked(in, in.U16(pos + 5, true), height);
        }
        pos += length;
    }
    return std::nullopt;
}

// The logical screen and every image on it, walked block by block to the trailer; an image
// that reaches past the screen widens the size.
Size GifSize(FieldReader& in)
{
    std::uint64_t width = in.U16(6), height = in.U16(8);
    const std::uint8_t flags = in.U8(10);
    if (!in.Ok())
        return std::nullopt;
    std::uint64_t pos = 13;
    const auto colourTable = [](std::uint8_t packed) -> std::uint64_t {
        return (packed & 0x80) ? 3u << ((packed & 7) + 1) : 0;
    };
    const auto skipSubBlocks = [&] {
        for (std::uint8_t length = in.U8(pos++); length != 0 && in.Ok(); length = in.U8(pos++))
            pos += length;
    };
    pos += colourTable(flags);
    while (in.Ok()) {
        const std::uint8_t block = in.U8(pos++);
        if (!in.Ok())
            break; // no trailer: the images so far are all there is
        if (block == 0x2C) {
            const std::uint64_t right = std::uint64_t{in.U16(pos)} + in.U16(pos + 4);
            const std::uint64_t bottom = std::uint64_t{in.U16(pos + 2)} + in.U16(pos + 6);
            const std::uint8_t packed = in.U8(pos + 8);
            if (!in.Ok())
                return std::nullopt;
            width = std::max(width, right);
            height = std::max(height, bottom);
            pos += 9 + colourTable(packed) + 1; // and the code size
            skipSubBlocks();
        } else if (block == 0x21) {
            ++pos; // the label
            skipSubBlocks();
        } else {
            break; // the trailer, or something no decoder reads past
        }
    }
    return DeclaredSize{width, height};
}

// Both header versions: the old one with 16-bit sizes, and every later one with 32-bit sizes
// (negative height: rows top down).
Size BmpSize(FieldReader& in, std::uint64_t start)
{
    const std::uint32_t headerSize = in.U32(start);
    if (headerSize == 12)
        return Checked(in, in.U16(start + 4), in.U16(start + 6));
    if (headerSize < 16)
        return std::nullopt;
    const std::int64_t width = in.I32(start + 4), height = in.I32(start + 8);
    if (width < 0)
        return std::nullopt;
    return Checked(in, static_cast<std::uint64_t>(width), static_cast<std::uint64_t>(height < 0 ? -height : height));
}

// Tags 256 (width) and 257 (height) of the first directory, SHORT or LONG.
Size TiffSize(FieldReader& in, bool bigEndian)
{
    const std::uint64_t directory = in.U32(4, bigEndian);
    const std::uint16_t count = in.U16(directory, bigEndian);
    std::optional<std::uint32_t> width, height;
    for (std::uint32_t i = 0; i < count && in.Ok() && !(width && height); ++i) {
        const std::uint64_t entry = directory + 2 + 12 * std::uint64_t{i};
        const std::uint16_t tag = in.U16(entry, bigEndian);
        if (tag != 256 && tag != 257)
            continue;
        const std::uint16_t type = in.U16(entry + 2, bigEndian);
        if (in.U32(entry + 4, bigEndian) == 0 || (type != 3 && type != 4))
            return std::nullopt;
        const std::uint32_t value = type == 3 ? in.U16(entry + 8, bigEndian) : in.U32(entry + 8, bigEndian);
        (tag == 256 ? width : height) = value;
    }
    if (!width || !height)
        return std::nullopt;
    return Checked(in, *width, *height);
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
        const std::uint64_t image = in.U32(entry + 12);
        size.Width = std::max<std::uint64_t>(size.Width, listedWidth == 0 ? 256 : listedWidth);
        size.Height = std::max<std::uint64_t>(size.Height, listedHeight == 0 ? 256 : listedHeight);
        const bool png = in.Matches(image, PngSignature);
        const Size inner = png ? PngSize(in, image) : BmpSize(in, image);
        if (!inner)
            return std::nullopt;
        size.Width = std::max(size.Width, inner->Width);
        size.Height = std::max(size.Height, png ? inner->Height : inner->Height / 2);
    }
    return Checked(in, size.Width, size.Height);
}

std::uint64_t Extent(std::int64_t low, std::int64_t high) { return high > low ? static_cast<std::uint64_t>(high - low) : 0; }

// The bounds in device pixels (inclusive), and the frame in hundredths of a millimetre taken at
// 96 pixels an inch, whichever is larger.
Size EmfSize(FieldReader& in)
{
    constexpr std::uint64_t hundredthsOfMmPerInch = 2540, pixelsPerInch = 96;
    const auto frame = [&](std::uint64_t hundredths) {
        return (hundredths * pixelsPerInch + hundredthsOfMmPerInch - 1) / hundredthsOfMmPerInch;
    };
    const std::uint64_t boundsWidth = Extent(in.I32(8), std::int64_t{in.I32(16)} + 1);
    const std::uint64_t boundsHeight = Extent(in.I32(12), std::int64_t{in.I32(20)} + 1);
    const std::uint64_t frameWidth = frame(Extent(in.I32(24), in.I32(32)));
    const std::uint64_t frameHeight = frame(Extent(in.I32(28), in.I32(36)));
    return Checked(in, std::max(boundsWidth, frameWidth), std::max(boundsHeight, frameHeight));
}

// The placeable header's box in its own units per inch, at 96 pixels an inch.
Size WmfSize(FieldReader& in)
{
    const std::uint64_t unitsPerInch = in.U16(14);
    if (unitsPerInch == 0)
        return std::nullopt;
    const auto pixels = [&](std::uint64_t units) { return (units * 96 + unitsPerInch - 1) / unitsPerInch; };
    return Checked(in, pixels(Extent(in.I16(6), in.I16(10))), pixels(Extent(in.I16(8), in.I16(12))));
}

// A source over bytes in memory.
class MemorySource : public ByteSource {
public:
    explicit MemorySource(std::string_view bytes) : bytes_(bytes) {}
    bool ReadAt(std::uint64_t offset, void* out, std::size_t size) override
    {
        if (offset > bytes_.size() || size > bytes_.size() - offset)
            return false;
        std::memcpy(out, bytes_.data() + offset, size);
        return true;
    }

private:
    std::string_view bytes_;
};

// A source over an open file, read through one window of its bytes.
class FileSource : public ByteSource {
public:
    explicit FileSource(HANDLE file) : file_(file), window_(4096) {}
    bool ReadAt(std::uint64_t offset, void* out, std::size_t size) override
    {
        if (size > window_.size())
            return false;
        if (offset < windowStart_ || offset + size > windowStart_ + windowLength_) {
            LARGE_INTEGER position;
            position.QuadPart = static_cast<LONGLONG>(offset);
            DWORD read = 0;
            if (offset > static_cast<std::uint64_t>(INT64_MAX) || !SetFilePointerEx(file_, position, nullptr, FILE_BEGIN) ||
                !ReadFile(file_, window_.data(), static_cast<DWORD>(window_.size()), &read, nullptr))
                return false;
            windowStart_ = offset;
            windowLength_ = read;
            if (size > read)
                return false;
        }
        std::memcpy(out, window_.data() + (offset - windowStart_), size);
        return true;
    }

private:
    HANDLE file_;
    std::vector<std::uint8_t> window_;
    std::uint64_t windowStart_ = 0;
    std::uint64_t windowLength_ = 0;
};

} // namespace

bool HasPixelsWithin(const DeclaredSize& size, std::uint64_t limit)
{
    return size.Width != 0 && size.Height != 0 && size.Width <= limit && size.Height <= limit / size.Width;
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
    if (in.Matches(0, std::string_view("II*\0", 4)))
        return TiffSize(in, false);
    if (in.Matches(0, std::string_view("MM\0*", 4)))
        return TiffSize(in, true);
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

std::optional<DeclaredSize> DeclaredImageFileSize(const std::string& fileName)
{
    const HANDLE opened = CreateFileA(fileName.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                      nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (opened == INVALID_HANDLE_VALUE)
        return std::nullopt;
    const ui::KernelHandle file(opened);
    FileSource source(file.Get());
    return DeclaredImageSize(source);
}

} // namespace lumetta
