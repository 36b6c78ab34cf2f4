// Fuzz target: the picture header reading, over bytes in memory and over the same bytes handed
// out a few at a time as a file near its end hands them out; both must read the same.
#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string_view>

#include "shared/GlobalImageHeader.h"

namespace {

class TrickleSource : public lumetta::ByteSource {
public:
    explicit TrickleSource(std::string_view bytes) : bytes_(bytes) {}
    bool ReadAt(std::uint64_t offset, void* out, std::size_t size) override
    {
        if (offset > bytes_.size() || size > bytes_.size() - offset)
            return false;
        std::memcpy(out, bytes_.data() + offset, size);
        return true;
    }
    std::size_t ReadUpTo(std::uint64_t offset, void* out, std::size_t size) override
    {
        if (offset >= bytes_.size())
            return 0;
        size = std::min<std::size_t>({size, bytes_.size() - static_cast<std::size_t>(offset), 7});
        std::memcpy(out, bytes_.data() + offset, size);
        return size;
    }

private:
    std::string_view bytes_;
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    const std::optional<lumetta::DeclaredSize> declared = lumetta::DeclaredImageSize(bytes);
    TrickleSource trickle(bytes);
    if (lumetta::DeclaredImageSize(trickle) != declared)
        std::abort();
    if (declared)
        static_cast<void>(lumetta::HasPixelsWithin(*declared, std::uint64_t{1} << 27));
    return 0;
}
