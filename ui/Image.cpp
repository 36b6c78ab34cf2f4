#include "ui/Image.h"

namespace ui {

Image::Image(Component* owner, const ControlArgs& common, const Args& own) : GraphicControl(owner, common), args_(own)
{
    picture_.OnChange = [this] { Invalidate(); };
}

void Image::Paint(HDC dc)
{
    const ui::Bitmap* bitmap = picture_.Graphic();
    if (!bitmap || bitmap->Empty())
        return;
    const int width = args_.stretch ? Width() : bitmap->Width();
    const int height = args_.stretch ? Height() : bitmap->Height();
    if (args_.transparent) {
        const COLORREF key = GetPixel(bitmap->DC(), 0, bitmap->Height() - 1);
        TransparentBlt(dc, 0, 0, width, height, bitmap->DC(), 0, 0, bitmap->Width(), bitmap->Height(), key);
        return;
    }
    SetStretchBltMode(dc, COLORONCOLOR);
    StretchBlt(dc, 0, 0, width, height, bitmap->DC(), 0, 0, bitmap->Width(), bitmap->Height(), SRCCOPY);
}

} // namespace ui
