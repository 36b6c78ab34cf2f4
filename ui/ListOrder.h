#pragma once
// The place of an item in an ordered list of pointers (tab order, page order) and moving it.
#include <algorithm>
#include <vector>

namespace ui {

// The item's index, or -1 when it is not in the list.
template <typename T>
int IndexIn(const std::vector<T*>& list, const T* item)
{
    const auto found = std::find(list.begin(), list.end(), item);
    return found == list.end() ? -1 : static_cast<int>(found - list.begin());
}

// Moves a listed item to `index`, clamped to the list; the items in between move one place.
template <typename T>
void MoveInList(std::vector<T*>& list, T* item, int index)
{
    const auto found = std::find(list.begin(), list.end(), item);
    if (found == list.end())
        return;
    list.erase(found);
    index = std::clamp(index, 0, static_cast<int>(list.size()));
    list.insert(list.begin() + index, item);
}

} // namespace ui
