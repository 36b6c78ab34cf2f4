#include "StringList.h"

#include <cctype>

namespace ui {

bool SameText(std::string_view a, std::string_view b)
{
    if (a.size() != b.size())
        return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (std::tolower(static_cast<unsigned char>(a[i])) != std::tolower(static_cast<unsigned char>(b[i])))
            return false;
    }
    return true;
}

int StringList::Add(std::string text, void* object)
{
    items_.push_back({std::move(text), object});
    return Count() - 1;
}

void StringList::Insert(int index, std::string text, void* object)
{
    items_.insert(items_.begin() + index, {std::move(text), object});
}

void StringList::Delete(int index)
{
    items_.erase(items_.begin() + index);
}

int StringList::IndexOf(std::string_view text) const
{
    for (int i = 0; i < Count(); ++i) {
        if (SameText(items_[static_cast<std::size_t>(i)].text, text))
            return i;
    }
    return -1;
}

int StringList::IndexOfObject(const void* object) const
{
    for (int i = 0; i < Count(); ++i) {
        if (items_[static_cast<std::size_t>(i)].object == object)
            return i;
    }
    return -1;
}

} // namespace ui
