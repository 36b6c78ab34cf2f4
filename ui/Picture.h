#pragma once
// A picture slot of a control: holds a bitmap or nothing, and tells its owner whenever the
// bitmap is replaced or drawn on.
#include <functional>
#include <memory>

#include "ui/Bitmap.h"

namespace ui {

class Picture {
public:
    Picture() = default;
    Picture(const Picture&) = delete;
    Picture& operator=(const Picture&) = delete;

    // The bitmap held, or nullptr when the picture holds nothing.
    ui::Bitmap* Graphic() const { return bitmap_.get(); }
    bool HasGraphic() const { return bitmap_ != nullptr; }
    // The bitmap held; an empty one is made first when the picture holds nothing.
    ui::Bitmap& Bitmap();

    int Width() const { return bitmap_ ? bitmap_->Width() : 0; }
    int Height() const { return bitmap_ ? bitmap_->Height() : 0; }

    // Copies: afterwards the picture holds its own copy of source's bitmap, or nothing.
    void Assign(const Picture& source);
    void Assign(const ui::Bitmap* source);
    // Takes the bitmap over (nullptr clears).
    void SetBitmap(std::unique_ptr<ui::Bitmap> bitmap);
    void Clear() { SetBitmap(nullptr); }

    std::function<void()> OnChange;

private:
    void Changed();
    std::unique_ptr<ui::Bitmap> bitmap_;
};

} // namespace ui
