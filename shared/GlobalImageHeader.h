#pragma once
// The size a picture file declares in its own header, read by hand before any decoder sees the
// file. The platform's decoders allocate whatever a header claims, and under Wine a claim past
// 2 GiB of pixels writes outside their buffers, so the claim has to be judged first.
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace lumetta {

struct DeclaredSize {
    std::uint64_t Width = 0;
    std::uint64_t Height = 0;
    bool operator==(const DeclaredSize&) const = default;
};

// Whether the size has no side of 0 and at most limit pixels.
bool HasPixelsWithin(const DeclaredSize& size, std::uint64_t limit);

// Random access to the bytes of a picture.
class ByteSource {
public:
    virtual ~ByteSource() = default;
    // Fills out with size bytes from offset; false when they are not all there.
    virtual bool ReadAt(std::uint64_t offset, void* out, std::size_t size) = 0;
};

// The size a JPEG (first frame header), PNG, GIF (screen and every image), BMP, TIFF (first
// directory), ICO (every entry), EMF or placeable WMF declares; nothing for any other content
// or a header that cannot be read. Every length field is checked against what is there, and the
// walk through the file is bounded.
std::optional<DeclaredSize> DeclaredImageSize(ByteSource& bytes);
std::optional<DeclaredSize> DeclaredImageSize(std::string_view bytes);

// Likewise for a file; nothing also when it cannot be opened.
std::optional<DeclaredSize> DeclaredImageFileSize(const std::string& fileName);

} // namespace lumetta
