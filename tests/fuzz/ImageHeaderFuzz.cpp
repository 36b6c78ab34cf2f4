// Fuzz target: the picture header reading, over bytes in memory and over the same bytes handed
// out a few at a time as a file near its end hands them out; both must read the same.
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "shared/GlobalImageHeader.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    const std::optional<lumetta::DeclaredSize> declared = lumetta::DeclaredImageSize(bytes);
    lumetta::MemorySource trickle(bytes, 7);
    if (lumetta::DeclaredImageSize(trickle) != declared)
        std::abort();
    if (declared)
        static_cast<void>(lumetta::HasPixelsWithin(*declared, std::uint64_t{1} << 27));
    return 0;
}
