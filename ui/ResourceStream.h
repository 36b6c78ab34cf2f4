#pragma once
// Read-only access to a resource of a module: its bytes stay mapped as long as the module is loaded.
#include <windows.h>

#include <cstddef>
#include <string>

namespace ui {

class ResourceStream {
public:
    // Raises ResourceNotFound ("Resource %s not found") when the module has no such resource.
    ResourceStream(HMODULE module, const std::string& name, const std::string& type);

    const void* Data() const { return data_; }
    std::size_t Size() const { return size_; }

private:
    const void* data_ = nullptr;
    std::size_t size_ = 0;
};

} // namespace ui
