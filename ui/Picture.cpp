#include "Picture.h"

namespace ui {

ui::Bitmap& Picture::Bitmap()
{
    if (!bitmap_)
        SetBitmap(std::make_unique<ui::Bitmap>());
    return *bitmap_;
}

void Picture::Assign(const Picture& source)
{
    if (&source != this)
        Assign(source.Graphic());
}

void Picture::Assign(const ui::Bitmap* source)
{
    if (!source) {
        Clear();
        return;
    }
    if (source == bitmap_.get())
        return;
    auto copy = std::make_unique<ui::Bitmap>();
    copy->Assign(*source);
    SetBitmap(std::move(copy));
}

void Picture::SetBitmap(std::unique_ptr<ui::Bitmap> bitmap)
{
    bitmap_ = std::move(bitmap);
    if (bitmap_)
        bitmap_->OnChange = [this] { Changed(); };
    Changed();
}

void Picture::Changed()
{
    if (OnChange)
        OnChange();
}

} // namespace ui
