#include "ui/LayeredForm.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstring>

namespace ui {

namespace {

FormArgs Borderless(FormArgs args)
{
    args.borderStyle = BorderStyle::None;
    args.alphaBlend = false; // the layer carries the alpha
    return args;
}

} // namespace

RECT SeenArea(const std::uint8_t* pixels, int width, int height, std::ptrdiff_t stride)
{
    RECT seen{width, height, 0, 0};
    for (int row = 0; row < height; ++row) {
        const std::uint8_t* line = pixels + row * stride;
        const auto alpha = [line](int x) { return line[std::size_t{4} * x + 3]; };
        int first = 0;
        while (first < width && alpha(first) == 0)
            ++first;
        if (first == width)
            continue;
        int last = width - 1;
        while (alpha(last) == 0)
            --last;
        seen = RECT{std::min<LONG>(seen.left, first), std::min<LONG>(seen.top, row),
                    std::max<LONG>(seen.right, last + 1), row + 1};
    }
    return seen.left < seen.right ? seen : RECT{0, 0, 0, 0};
}

LayeredForm::LayeredForm(Component* owner, const FormArgs& args)
    : Form(owner, Borderless(args)), layerDC_(CreateCompatibleDC(nullptr))
{
}

LayeredForm::~LayeredForm()
{
    if (previousBitmap_)
        SelectObject(layerDC_.Get(), previousBitmap_);
}

void LayeredForm::ApplyWindowStyle(CreateParams& params)
{
    Form::ApplyWindowStyle(params);
    params.exStyle |= WS_EX_LAYERED;
}

void LayeredForm::HandleCreated()
{
    Form::HandleCreated();
    UpdateLayer();
}

bool LayeredForm::SetLayerImage(Gdiplus::Bitmap& image)
{
    const auto width = static_cast<INT>(image.GetWidth());
    const auto height = static_cast<INT>(image.GetHeight());
    if (width <= 0 || height <= 0 || !layerDC_)
        return false;
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height; // top-down, row for row like GDI+'s lock
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    BitmapHandle bitmap(CreateDIBSection(layerDC_.Get(), &info, DIB_RGB_COLORS, &bits, nullptr, 0));
    if (!bitmap || !bits)
        return false;
    // Premultiplied BGRA is the memory layout of GDI+'s 32bppPARGB, and what the layer takes.
    Gdiplus::Rect area(0, 0, width, height);
    Gdiplus::BitmapData data{};
    if (image.LockBits(&area, Gdiplus::ImageLockModeRead, PixelFormat32bppPARGB, &data) != Gdiplus::Ok)
        return false;
    const std::size_t rowBytes = static_cast<std::size_t>(width) * 4;
    for (INT row = 0; row < height; ++row)
        std::memcpy(static_cast<std::uint8_t*>(bits) + row * rowBytes,
                    static_cast<const std::uint8_t*>(data.Scan0) + static_cast<std::ptrdiff_t>(row) * data.Stride,
                    rowBytes);
    image.UnlockBits(&data);
    GdiFlush();
    const RECT seen = SeenArea(static_cast<const std::uint8_t*>(bits), width, height,
                               static_cast<std::ptrdiff_t>(rowBytes));

    HGDIOBJ previous = SelectObject(layerDC_.Get(), bitmap.Get());
    if (!previousBitmap_)
        previousBitmap_ = previous;
    layerBitmap_ = std::move(bitmap);
    layerSize_ = SIZE{width, height};
    seenArea_ = seen;
    SetClientSize(width, height);
    UpdateLayer();
    return true;
}

void LayeredForm::SetLayerAlpha(BYTE alpha)
{
    if (alpha == layerAlpha_)
        return;
    layerAlpha_ = alpha;
    UpdateLayer();
}

bool LayeredForm::UpdateLayer()
{
    if (!HandleAllocated() || !HasLayerImage())
        return false;
    WindowDC screen(nullptr);
    POINT destination{Left(), Top()};
    SIZE size = layerSize_;
    POINT source{0, 0};
    BLENDFUNCTION blend{AC_SRC_OVER, 0, layerAlpha_, AC_SRC_ALPHA};
    return UpdateLayeredWindow(Handle(), screen.Get(), &destination, &size, layerDC_.Get(), &source, 0, &blend,
                               ULW_ALPHA) != FALSE;
}

} // namespace ui
