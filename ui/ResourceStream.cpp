#include "ResourceStream.h"

#include "Error.h"

namespace ui {

ResourceStream::ResourceStream(HMODULE module, const std::string& name, const std::string& type)
{
    HRSRC info = FindResourceA(module, name.c_str(), type.c_str());
    HGLOBAL loaded = info ? LoadResource(module, info) : nullptr;
    data_ = loaded ? LockResource(loaded) : nullptr;
    if (!data_)
        throw ResourceNotFound(name);
    size_ = SizeofResource(module, info);
}

} // namespace ui
