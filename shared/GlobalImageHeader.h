#pragma once
// The size a picture file declares in its own header, read by hand before any decoder sees the
// file. The platform's decoders allocate whatever a header claims, and under Wine a claim past
// 2 GiB of pixels writes outside their buffers, so the claim has to be judged first. Other header
// fields size the decoders' buffers and loops as well (tiles, strips, frames, palettes, scans):
// those are judged here too.
// The reading needs no platform headers (a fuzz target builds it natively); the file access is in
// GlobalImageHeaderFile.cpp.
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace lumetta {

struct DeclaredSize {
    std::uint64_t Width = 0;
    std::uint64_t Height = 0;
    // The pixels of every frame together, where the decoder holds all frames at once (GIF); 0 elsewhere.
    std::uint64_t FramePixels = 0;
    // False when another header field would size a decoder's buffer or loop past what any real
    // picture needs; the size is then the one read so far.
    bool BuffersFit = true;
    // The EXIF orientation, 1 to 8 (1: the pixels are stored upright): from a JPEG's Exif segment or
    // a TIFF's first directory. 1 also where none is given, its value lies outside 1 to 8, or the
    // structure that holds it is damaged.
    std::uint8_t Orientation = 1;
    bool operator==(const DeclaredSize&) const = default;
};

// What shows a photo of an EXIF orientation upright: quarter turns clockwise, then a mirror left
// to right. Nothing for 1 and for any value outside 1 to 8.
struct PhotoTurn {
    int QuarterTurns = 0;
    bool Mirror = false;
    bool SwapsSides() const { return QuarterTurns % 2 != 0; }
    bool operator==(const PhotoTurn&) const = default;
};
PhotoTurn UprightTurn(std::uint8_t orientation);


// Whether the size has no side of 0 and at most limit pixels, all frames together as well, and
// the buffers fit.
bool HasPixelsWithin(const DeclaredSize& size, std::uint64_t limit);

// Random access to the bytes of a picture.
class ByteSource {
public:
    virtual ~ByteSource() = default;
    // Fills out with size bytes from offset; false when they are not all there.
    virtual bool ReadAt(std::uint64_t offset, void* out, std::size_t size) = 0;
    // Fills out with as many of size bytes from offset as are there; how many that was.
    virtual std::size_t ReadUpTo(std::uint64_t offset, void* out, std::size_t size) = 0;
};

// Bytes in memory, handed out by ReadUpTo at most `chunk` at a time (as a file may hand them out).
class MemorySource : public ByteSource {
public:
    explicit MemorySource(std::string_view bytes, std::size_t chunk = SIZE_MAX) : bytes_(bytes), chunk_(chunk) {}
    bool ReadAt(std::uint64_t offset, void* out, std::size_t size) override;
    std::size_t ReadUpTo(std::uint64_t offset, void* out, std::size_t size) override;

private:
    std::string_view bytes_;
    std::size_t chunk_;
};

// The size a JPEG (first frame header), PNG, GIF (screen and every image), BMP, TIFF (every
// directory), ICO (every entry), EMF or placeable WMF declares; nothing for any other content or
// a header that cannot be read; with the orientation a JPEG or TIFF gives. Every length field is
// checked against what is there, and the walk through the file is bounded.
std::optional<DeclaredSize> DeclaredImageSize(ByteSource& bytes);
std::optional<DeclaredSize> DeclaredImageSize(std::string_view bytes);

// Likewise for a file; nothing also when it cannot be opened.
std::optional<DeclaredSize> DeclaredImageFileSize(const std::string& fileName);

} // namespace lumetta
