#pragma once
// A form drawn by a picture with per-pixel alpha instead of painting: the window shows a
// premultiplied copy of a GDI+ bitmap, blended with the screen at the form's LayerAlpha. The
// window takes the picture's size; moving it needs no redraw. Mouse messages reach the form
// wherever the picture is not fully transparent.
#include <windows.h>

#include <cstddef>
#include <cstdint>

#include "ui/Form.h"
#include "ui/GdiPlus.h"
#include "ui/Handles.h"

namespace ui {

// The smallest rectangle holding every pixel whose alpha is not 0, of width x height BGRA pixels
// with rows `stride` bytes apart; empty when there is none.
RECT SeenArea(const std::uint8_t* pixels, int width, int height, std::ptrdiff_t stride);

class LayeredForm : public Form {
public:
    // Borderless whatever the layout says; the layout's client size holds until a picture comes.
    LayeredForm(Component* owner, const FormArgs& args);
    ~LayeredForm() override;

    // Copies the picture (any pixel format GDI+ can convert), sizes the window to it and shows
    // it at once. False, and the previous picture kept, when it cannot be converted.
    bool SetLayerImage(Gdiplus::Bitmap& image);
    bool HasLayerImage() const { return static_cast<bool>(layerBitmap_); }
    int LayerWidth() const { return layerSize_.cx; }
    int LayerHeight() const { return layerSize_.cy; }
    // The smallest rectangle of the window holding every pixel of the picture that is not fully
    // transparent: what can be seen and grabbed. Empty when nothing can.
    RECT LayerSeenArea() const { return seenArea_; }

    // The picture's overall opacity, 0 (invisible) to 255; a change shows at once.
    BYTE LayerAlpha() const { return layerAlpha_; }
    void SetLayerAlpha(BYTE alpha);

    // Puts the picture on the screen at the form's place; true when the platform took it.
    bool UpdateLayer();

protected:
    void ApplyWindowStyle(CreateParams& params) override;
    void HandleCreated() override;

private:
    MemoryDC layerDC_;
    BitmapHandle layerBitmap_;
    HGDIOBJ previousBitmap_ = nullptr;
    SIZE layerSize_{0, 0};
    RECT seenArea_{0, 0, 0, 0};
    BYTE layerAlpha_ = 255;
};

} // namespace ui
