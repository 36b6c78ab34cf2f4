#pragma once
// An unsorted list of texts, each with an optional object pointer beside it, the way the
// forms and the shared library pass lists of names around.
#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace ui {

class StringList {
public:
    int Count() const { return static_cast<int>(items_.size()); }
    bool Empty() const { return items_.empty(); }
    void Clear() { items_.clear(); }

    int Add(std::string text, void* object = nullptr);
    void Insert(int index, std::string text, void* object = nullptr);
    void Delete(int index);

    const std::string& operator[](int index) const { return items_.at(static_cast<std::size_t>(index)).text; }
    std::string& operator[](int index) { return items_.at(static_cast<std::size_t>(index)).text; }
    void* Object(int index) const { return items_.at(static_cast<std::size_t>(index)).object; }
    void SetObject(int index, void* object) { items_.at(static_cast<std::size_t>(index)).object = object; }

    // Position of the first text equal to `text` without regard to ASCII case, or -1.
    int IndexOf(std::string_view text) const;
    // Position of the first entry holding `object`, or -1.
    int IndexOfObject(const void* object) const;

    auto begin() const { return items_.begin(); }
    auto end() const { return items_.end(); }

private:
    struct Item {
        std::string text;
        void* object;
    };
    std::vector<Item> items_;
};

// ASCII case-insensitive comparison, as the platform compares key names and file names.
bool SameText(std::string_view a, std::string_view b);

} // namespace ui
