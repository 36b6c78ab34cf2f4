#pragma once
// A list of same-sized images in the platform's image list, for controls that take their
// pictures from one.
#include <windows.h>

#include <commctrl.h>

#include <string>

#include "ui/Bitmap.h"
#include "ui/Component.h"

namespace ui {

struct ImageListArgs {
    std::string name;
    int width = 16;
    int height = 16;
};

class ImageList : public Component {
public:
    using Args = ImageListArgs;

    ImageList(Component* owner, const Args& args);
    ~ImageList() override;

    HIMAGELIST Handle() const { return handle_; }
    int Width() const { return width_; }
    int Height() const { return height_; }
    int Count() const;

    // Appends a picture of the list's size; returns its index.
    int Add(const Bitmap& image);
    // Gives `bitmap` the list's size and draws image `index` into it; what the image leaves
    // transparent stays black.
    void GetBitmap(int index, Bitmap& bitmap) const;

private:
    int width_;
    int height_;
    HIMAGELIST handle_;
};

} // namespace ui
