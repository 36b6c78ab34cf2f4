#include "ui/ImageList.h"

#include "ui/Error.h"
#include "ui/Handles.h"

namespace ui {

ImageList::ImageList(Component* owner, const Args& args)
    : Component(owner, args.name), width_(args.width), height_(args.height),
      handle_(ImageList_Create(args.width, args.height, ILC_COLOR32, 0, 4))
{
    if (!handle_)
        throw GraphicsError("Out of system resources");
}

ImageList::~ImageList() { ImageList_Destroy(handle_); }

int ImageList::Count() const { return ImageList_GetImageCount(handle_); }

int ImageList::Add(const Bitmap& image)
{
    // The list copies from a bitmap that no device context holds: the picture's own one is
    // selected into its memory context for good.
    WindowDC screen(nullptr);
    BitmapHandle copy(CreateCompatibleBitmap(screen.Get(), width_, height_));
    {
        MemoryDC dc(CreateCompatibleDC(screen.Get()));
        SelectObjectScope select(dc.Get(), copy.Get());
        BitBlt(dc.Get(), 0, 0, width_, height_, image.DC(), 0, 0, SRCCOPY);
    }
    const int index = ImageList_Add(handle_, copy.Get(), nullptr);
    if (index < 0)
        throw GraphicsError("Out of system resources");
    return index;
}

void ImageList::GetBitmap(int index, Bitmap& bitmap) const
{
    Bitmap image(width_, height_);
    ImageList_Draw(handle_, index, image.DC(), 0, 0, ILD_NORMAL);
    bitmap.Assign(image);
}

} // namespace ui
