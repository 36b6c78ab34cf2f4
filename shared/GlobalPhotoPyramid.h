#pragma once
// Halved copies of a padded photo canvas, for a live preview that must not read every pixel of
// a large photo on each change. Each copy is the one above averaged over 2 x 2 blocks, so fine
// stripes fade to their mean instead of turning into moire. The clip fractions mean the same at
// every level, so a preview renders from a smaller copy with the same TPhotoClipRect; what is
// stored and what the agent shows still come from the photo itself.
#include <windows.h>

#include <cstddef>
#include <cstdint>
#include <vector>

#include "shared/GlobalFramedPhoto.h"
#include "ui/GdiPlus.h"

namespace lumetta {

// Halving stops before a side would fall under this.
inline constexpr std::uint32_t PyramidMinSide = 16;

// A 24-bit copy of half the size, each pixel the mean of its 2 x 2 block per channel, rounded to
// nearest with ties to even. An odd side keeps its last row or column, as the mean of that one
// row's or column's pixels, so that the copy still covers the whole source and a clip in it is
// the source's clip halved. Null when source is smaller than 2 x 2 or cannot be read.
ui::GpBitmapPtr HalvePhoto(Gdiplus::Bitmap& source);

struct TPyramidLevelSize {
    std::uint32_t Width = 0;
    std::uint32_t Height = 0;
};

// The level to render from: the smallest (last) of sizes, level 0 being the full canvas, whose
// clip, cut as the renderer cuts it, still has at least partWidth x partHeight pixels, so that no
// level is ever enlarged; 0 when none smaller qualifies.
std::size_t ChoosePyramidLevel(const std::vector<TPyramidLevelSize>& sizes, const TPhotoClipRect& clip,
                               std::int64_t partWidth, std::int64_t partHeight);

// The copy a preview renders from, and the clip in its pixels: the canvas's clip scaled down
// exactly by the copy's power of two.
struct TPyramidChoice {
    Gdiplus::Bitmap* Photo = nullptr;
    std::size_t Level = 0;
    Gdiplus::RectF Source;
};

// The halved copies of one canvas; the canvas itself stays its owner's.
class PhotoPyramid {
public:
    PhotoPyramid() = default;
    explicit PhotoPyramid(Gdiplus::Bitmap& canvas);

    // Level 0 is the canvas given to Choose; level i is HalvePhoto applied i times.
    std::size_t LevelCount() const { return halves_.size() + 1; }
    Gdiplus::Bitmap& Half(std::size_t level) const { return *halves_.at(level - 1); }

    // The level for a clip rendered into a photo area of partWidth x partHeight (the renderer's
    // TFramedGeometry PartWidth, PartHeight); canvas must be the one the pyramid was made from.
    TPyramidChoice Choose(Gdiplus::Bitmap& canvas, const TPhotoClipRect& clip, std::int64_t partWidth,
                          std::int64_t partHeight) const;

private:
    std::vector<ui::GpBitmapPtr> halves_;
};

} // namespace lumetta
