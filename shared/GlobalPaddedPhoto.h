#pragma once
// A photo on its padded canvas, without the canvas: the decoded photo as it was stored, how it
// turns upright and where it lies on the white 4:3 or 3:4 canvas. Every picture the system takes
// from the canvas (thumbnail, clip, preview, framed photo) is scaled straight from the photo's
// pixels to the size it is shown at, white where the canvas has no photo, so a large photo costs
// what its decode costs and what is shown of it, not a canvas of its full size.
#include <windows.h>

#include <cstdint>
#include <memory>
#include <vector>

#include "shared/GlobalImageHeader.h"
#include "shared/GlobalResample.h"
#include "ui/Bitmap.h"
#include "ui/GdiPlus.h"

namespace lumetta {

// The padded canvas of an image W x H: its size and where the image sits on it (the offset is
// negative where the image is cut).
struct PaddedCanvasLayout {
    std::int64_t Width;
    std::int64_t Height;
    std::int64_t PhotoX;
    std::int64_t PhotoY;
};
PaddedCanvasLayout PaddedCanvasFor(std::uint32_t width, std::uint32_t height, bool portrait);

// Largest canvas a photo is padded onto (pixels): a larger photo is reduced onto it.
inline constexpr std::int64_t MaxPaddedCanvasPixels = std::int64_t{1} << 27;
// The most pixels a photo may declare to be decoded at all.
inline constexpr std::int64_t MaxDecodedPhotoPixels = std::int64_t{1} << 28;

// A photo W x H shown PhotoWidth x PhotoHeight on its padded canvas: at its natural size where
// that canvas fits maxCanvasPixels, else reduced just enough (proportions kept, to the pixel) that
// the canvas of the reduced size fits. The canvas keeps its 4:3 or 3:4 shape and the photo's place
// on it, so clip fractions mean the same part of the photo either way.
struct PaddedPhotoLayout {
    std::uint32_t PhotoWidth;
    std::uint32_t PhotoHeight;
    PaddedCanvasLayout Canvas;
};
PaddedPhotoLayout FitPaddedCanvas(std::uint32_t width, std::uint32_t height, bool portrait,
                                  std::int64_t maxCanvasPixels = MaxPaddedCanvasPixels);

// Which of the stored photo's axes each upright axis reads, and which way.
struct TUprightAxes {
    bool Transposed = false;   // the upright rows run down the stored columns
    bool AcrossReversed = false;
    bool DownReversed = false;
    bool operator==(const TUprightAxes&) const = default;
};
TUprightAxes UprightAxes(PhotoTurn turn);

// Halving stops before a side would fall under this.
inline constexpr std::uint32_t HalvedCopyMinSide = 16;

// The halved copy to scale from when each output pixel covers footprintX x footprintY photo
// pixels: the smallest of `copies` that is not enlarged, 0 (the photo) when none is.
std::size_t HalvedCopyLevel(double footprintX, double footprintY, std::size_t copies);

class TPaddedPhoto {
public:
    // Takes a decoded photo, shown upright by `turn`, onto the canvas of a portrait or landscape
    // frame. Raises std::bad_alloc or ui::GraphicsError when its pixels cannot be read.
    TPaddedPhoto(ui::GpBitmapPtr decoded, PhotoTurn turn, bool portrait);
    // A picture that is its own canvas: nothing padded, nothing turned.
    explicit TPaddedPhoto(ui::GpBitmapPtr canvas);
    // Pixels of its own on the canvas of a portrait or landscape frame.
    TPaddedPhoto(TOwnedPlane pixels, bool portrait);
    TPaddedPhoto(const TPaddedPhoto&) = delete;
    TPaddedPhoto& operator=(const TPaddedPhoto&) = delete;
    ~TPaddedPhoto();

    // The canvas's size.
    std::uint32_t Width() const { return static_cast<std::uint32_t>(layout_.Canvas.Width); }
    std::uint32_t Height() const { return static_cast<std::uint32_t>(layout_.Canvas.Height); }
    const PaddedPhotoLayout& Layout() const { return layout_; }

    // Copies halved again and again down to a small size, for a preview that must not read every
    // pixel of a large photo on each change. Fine stripes fade to their mean in them.
    void MakeHalvedCopies();
    std::size_t HalvedCopyCount() const { return halves_.size(); }

    // The source rectangle of the canvas (canvas pixels, as CropSourceRect gives it) scaled into a
    // new 24-bit bitmap of width x height. fromHalvedCopies: from the smallest halved copy that
    // still has a pixel for each output pixel, else from the photo itself.
    std::unique_ptr<ui::Bitmap> Scale(int width, int height, const Gdiplus::RectF& source,
                                      bool fromHalvedCopies = false) const;

private:
    void ReadPixels();

    ui::GpBitmapPtr decoded_;       // kept while its pixels are read in place
    Gdiplus::BitmapData locked_{};
    bool isLocked_ = false;
    TOwnedPlane own_;               // the photo's pixels where they could not be read in place
    TPixelPlane pixels_;            // the photo as stored, 24-bit
    PhotoTurn turn_;
    PaddedPhotoLayout layout_{};
    std::vector<TOwnedPlane> halves_;
};

} // namespace lumetta
