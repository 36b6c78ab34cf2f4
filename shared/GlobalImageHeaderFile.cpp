// A picture file's header read through the platform's file access; the reading itself is in
// GlobalImageHeader.cpp.
#include "shared/GlobalImageHeader.h"

#include <windows.h>

#include <algorithm>
#include <cstring>
#include <vector>

#include "ui/Handles.h"

namespace lumetta {

namespace {

// A source over an open file, read through one window of its bytes.
class FileSource : public ByteSource {
public:
    explicit FileSource(HANDLE file) : file_(file), window_(64 * 1024) {}

    bool ReadAt(std::uint64_t offset, void* out, std::size_t size) override
    {
        return size <= window_.size() && ReadUpTo(offset, out, size) == size;
    }

    std::size_t ReadUpTo(std::uint64_t offset, void* out, std::size_t size) override
    {
        size = std::min(size, window_.size());
        if (offset < windowStart_ || offset - windowStart_ + size > windowLength_) {
            LARGE_INTEGER position;
            position.QuadPart = static_cast<LONGLONG>(offset);
            DWORD read = 0;
            if (offset > static_cast<std::uint64_t>(INT64_MAX) || !SetFilePointerEx(file_, position, nullptr, FILE_BEGIN) ||
                !ReadFile(file_, window_.data(), static_cast<DWORD>(window_.size()), &read, nullptr))
                return 0;
            windowStart_ = offset;
            windowLength_ = read;
        }
        const std::size_t there = static_cast<std::size_t>(std::min<std::uint64_t>(size, windowLength_ - (offset - windowStart_)));
        std::memcpy(out, window_.data() + (offset - windowStart_), there);
        return there;
    }

private:
    HANDLE file_;
    std::vector<std::uint8_t> window_;
    std::uint64_t windowStart_ = 0;
    std::uint64_t windowLength_ = 0;
};

} // namespace

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
